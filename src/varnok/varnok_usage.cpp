#include "varnok/varnok_usage.h"

#include <cstdio>

#include "common/util/my_files.h"
#include "common/util/stattime.h"

void usage() {
  printf("\n");
  printf("usage: %s [options] aut1[.tg] [... autn[.tg]] [formula] \n", tool);
  printf("***** `formula' implies backward (fix-point) analysis and can be:\n");
  printf("  - either a `xxx.tctl' file (default)\n");
  printf("  - or a string \"xxx\" given in command line (-f option)\n");
  printf("***** `options' can be:\n");
  printf("  -abs xtra\t (-ax) \t extrapolation abstraction\n");
  printf("  -abs incl\t (-ai) \t inclusion abstraction\n");
  printf("  -abs cvxhull\t (-ac) \t convex-hull abstraction\n");
  printf("  -Act \t\t\t optimize resets w.r.t. clock activity\n");
  printf("  -CONTROL number \t set max no. of control locations (default 2048)\n");
  printf("  -DFS\t\t\t depth-first search (implies -forw, needs -r or -R)\n");
  printf("  -FULLDFS\t\t exhaustive DFS (do not stop at visited states)\n");
  printf("  -f(ormula)\t\t specify fix-point formula in command line \n");
  printf("  -forw\t\t\t forward reachability analysis: build simulation graph\n");
  printf("  -FORW number\t\t limited forw. analysis (set MAX_SYMB_STATES to number)\n");
  printf("  -h(istory) \t\t display fix-point information\n");
  printf("  -Inv\t\t\t initial clock values anywhere in invariant (default is 0)\n");
  printf("  -i(nit) form.tctl  \t specify initial locations by means of a formula\n");
  printf("  -I(NIT) \"formula\"  \t as '-i', but formula is given in command line\n");
  printf("  -r(each) form.tctl  \t forw. analysis: try to reach states satisfying `form'\n");
  printf("  -R(EACH) \"formula\"  \t as '-r', but formula is given in command line\n");
  printf("  -STACK number \t set max stack depth (implies -DFS, needs -r or -R)\n");
  printf("  -s(tep) number \t set fix-point-iter. step for AD(.) formulae (default 1)\n");
  printf("  -sync diag\t(-sd)\t include diagonals in label synchronization \n");
  printf("  -sync enum\t(-se)\t synchronize by enumerating transitions\n");
  printf("  -v(erbose) \t\t progress information \n");
  printf("***** `number' is a positive integer\n\n");
}

void set_zero_comput_times() {
  time_0(2, "EU");
  time_0(3, "AU");
  time_0(5, "Forward analysis");
  time_0(6, "Compact time");
  time_0(8, "Hashing time");
  time_0(9, "(On-the-fly--product) Evaluation time");
  time_0(10, "Evaluation time");
}

static const char dash_line[] = "---------------------------------------------------------------------------";

void print_computation_times() {
  printf("\n%s\n", dash_line);
  if (time_num(2) > 0)
    printf("%s: fixpoint          : system %7.3fs * user %7.3fs * #iterations %d\n", tool, time_sys(2), time_usr(2),
           time_num(2));
  if (time_num(6) > 0) printf("%s: compact time      : system %7.3fs * user %7.3fs *\n", tool, time_sys(6), time_usr(6));
  if (time_num(5) > 0) printf("%s: forward analysis  : system %7.3fs * user %7.3fs *\n", tool, time_sys(5), time_usr(5));
  if (time_num(10) > 0) printf("%s: total time        : system %7.3fs * user %7.3fs *\n", tool, time_sys(10), time_usr(10));
  printf("%s\n", dash_line);
}
