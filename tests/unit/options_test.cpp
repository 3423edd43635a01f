// Option table: bits, limits and their corrections.
#include <gtest/gtest.h>

#include <cstring>

#include "varnok/varnok_options.h"

extern int HASH_FCT;

namespace {
// Reads a command line into the globals from a clean state.
void read(std::initializer_list<const char *> args) {
  OPT_SET = 0;
  static char store[MAX_PARAMS][80];
  static char *argv[MAX_PARAMS];
  int n = 0;
  for (const char *a : args) {
    strcpy(store[n], a);
    argv[n] = store[n];
    n++;
  }
  default_file_names();
  read_args(n, argv);
}
}  // namespace

TEST(Options, NumbersAndTheirCorrections) {
  read({"-COMPACT", "3", "-CONTROL", "0", "-step", "0", "-FORW", "-5", "-ALLPATHS", "0", "-H", "0", "m.tg"});
  EXPECT_EQ(COMPACT_TYPE, 1);
  EXPECT_EQ(MAX_CONTROL_STATES, 5000);
  EXPECT_EQ(VAL, 1);
  EXPECT_EQ(MAX_SYMB_STATES, 1000);
  EXPECT_EQ(MAX_FOUND_PATHS, 1000);
  EXPECT_EQ(HASH_FCT, 1);
  EXPECT_EQ(OPT_SET, OPT_STEP | OPT_FORWARD | OPT_HASH_STATS);
  EXPECT_EQ(FORWARD_ANALYSIS, 1);
  read({"-C", "2", "-s", "3", "-STACK", "7", "-r", "g", "-H", "4", "-CONTROL", "12abc", "m"});
  EXPECT_EQ(COMPACT_TYPE, 2);
  EXPECT_EQ(VAL, 3);
  EXPECT_EQ(MAX_STACK_SIZE, 7);
  EXPECT_EQ(HASH_FCT, 4);
  EXPECT_EQ(MAX_CONTROL_STATES, 12);  // trailing garbage ignored
  EXPECT_TRUE(is_option(OPT_DFS | OPT_STACK));
  EXPECT_STREQ(reach_f_name, "g");
  EXPECT_STREQ(init_f_name, "_init.tctl");  // -r without -i
}

TEST(Options, SpellingsAndParameters) {
  read({"-v", "-h", "-f", "-c", "-Act", "-ai", "-abs", "cvxhull", "-ax", "-sync", "diag", "-se", "-Inv",
        "-tafoo", "-out", "prod.tg", "-i", "start", "a", "b"});
  EXPECT_EQ(OPT_SET, OPT_VERBOSE | OPT_HISTORY | OPT_FORMULA | OPT_COMPACT | OPT_ACTIVITY | OPT_ABS_INCL |
                         OPT_ABS_HULL | OPT_ABS_XTRA | OPT_SYNC_DIAG | OPT_SYNC_ENUM | OPT_INV | OPT_TA | OPT_INIT);
  EXPECT_STREQ(out_f_name, "prod");
  EXPECT_STREQ(init_f_name, "start");
  EXPECT_EQ(nb_param, 2);
  EXPECT_STREQ(param_names[0], "a");
  EXPECT_STREQ(param_names[1], "b");
  EXPECT_EQ(FORWARD_ANALYSIS, 0);
  EXPECT_FALSE(is_simple_option("-t"));
  EXPECT_FALSE(is_simple_option("-verbosex"));  // comparisons are exact
  EXPECT_EQ(set_option_w_param("-abs", "hull"), 0);
}
