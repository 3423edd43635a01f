// Runs with several timed graphs: loading them, and their product graph.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/tg/tg_constants.h"
#include "common/tg/varnok_init.h"
#include "common/tg/varnok_mk_vnk.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "varnok/compo_ptg.h"
#include "varnok/compo_sync.h"
#include "varnok/compo_tables.h"
#include "varnok/varnok_options.h"
#include "varnok/varnok_runs.h"

void not_available(const char *what) {
  fprintf(stderr, "%s: %s is not available yet in this version\n", tool, what);
  exit(2);
}

int init_list(int nb) {
  if (nb > MAX_NB_TA) {
    fprintf(stderr, "%s: ERROR: too many automata (at most %d)\n", tool, MAX_NB_TA);
    exit(-1);
  }
  init_compo_tables(nb);
  TA_decl_init_Varnok_globals();
  for (int a = 0; a < nb; a++) {
    char name[PARAM_LEN + 1];
    snprintf(name, sizeof name, "%s", param_names[a]);
    my_basename(name, ".tg");
    reset_Varnok_globals();
    if (!mk_vnk()) return 0;
    READ_STRUCT = 1;
    init_TA(a, 0);
  }
  TA_init_Varnok_globals();
  TA_UNIVERSAL = mk_universal_zone();
  build_global_label_tables();
  return 1;
}

int compo_list() {
  fprintf(stderr, "Generating parallel product graph...\n");
  gen_parallel_product_graph();
  char name[PARAM_LEN + 1];
  snprintf(name, sizeof name, "%s", out_f_name);
  my_basename(name, ".tg");
  if (is_option(OPT_VERBOSE)) fprintf(stderr, "\n");
  fprintf(stderr, "Dumping output... ");
  build_vnk_tables();
  print_vnk_file();
  FILE *tg = my_fopen2(".tg", "w");
  fprint_parallel_product_graph(tg);
  bool failed = ferror(tg) != 0;
  if (fclose(tg) != 0 || failed) {
    printf("%s: cannot write file %s.tg\n", tool, my_filename);
    exit(1);
  }
  fprintf(stderr, "files %s.[tg,vnk,lab,prop,reg] created.\n", my_filename);
  return 1;
}

int init_reach_list(char *, char *) { not_available("reachability over several timed graphs"); }
int gen_sim_list(char *) { not_available("the simulation graph of several timed graphs"); }
