#include "varnok/varnok_runs.h"

#include <cstdio>
#include <cstdlib>

#include "common/util/my_files.h"

void not_available(const char *what) {
  fprintf(stderr, "%s: %s is not available yet in this version\n", tool, what);
  exit(2);
}

int init_list(int) { not_available("analysis of several timed graphs"); }
int init_reach_list(char *, char *) { not_available("reachability over several timed graphs"); }
int gen_sim_list(char *) { not_available("the simulation graph of several timed graphs"); }
int compo_list() { not_available("the product of several timed graphs"); }
