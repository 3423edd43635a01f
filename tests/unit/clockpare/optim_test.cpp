// Renaming: classes of equal active clocks, the report, the .opt file and
// its reader.
#include <gtest/gtest.h>

#include <string>

#include "clockpare_test_helpers.h"

using cp_test::print_to_string;
using cp_test::ren;

namespace {

using Renaming = cp_test::Model;

static const char *const RESET_TOGETHER =
    "#states 2 #trans 2 #clocks 3 x y z\n"
    "state: 0 invar: true trans: true => ; reset{ x y } ; goto 1\n"
    "state: 1 invar: x <= 3 and y <= 4 and z <= 10 trans: true => ; reset{ z } ; goto 0\n";

TEST_F(Renaming, EqualActiveClocksShareANewClock) {
  std::string out = reduce(RESET_TOGETHER);
  EXPECT_EQ(out,
            "clockpare: computing clock activity ...done.\n"
            "clockpare: computing clock equality ...done.\n"
            "clockpare: renaming clocks ...done.\n");
  EXPECT_EQ(ren(0), "1: 0 0 1");  // only z is active at 0
  EXPECT_EQ(ren(1), "2: 1 1 2");
  testing::internal::CaptureStdout();
  print_optim_results();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "clockpare: global reduction: 3 --> 2.\n"
            "clockpare: memory shrinking coeff. = 40.625% .\n" +
                std::string(75, '-') + "\n");
  EXPECT_EQ(NEW_N_OF_CLOCKS, 3);
  EXPECT_STREQ(get_clock_new_name(2, 1), "X_1");
  EXPECT_STREQ(get_clock_new_name(3, 1), "X_2");
  EXPECT_STREQ(get_clock_new_name(1, 0), "");
  EXPECT_EQ(print_to_string(fprint_renaming_stats),
            "renaming distribution:\n\ndeclaration : 3 clocks\n\n"
            "0 new clocks\t: 0 states\n1 new clocks\t: 1 states\n2 new clocks\t: 1 states\n"
            "3 new clocks\t: 0 states\n\n");
  EXPECT_EQ(print_to_string([](FILE *f) { fprint_renaming(f, clock_ren_table); }),
            "state 0:\n\n{ X Y }\t---> X_0\n{ Z }\t---> X_1\n"
            "state 1:\n\n{ }\t---> X_0\n{ X Y }\t---> X_1\n{ Z }\t---> X_2\n");
  update_clocks_names(0);
  EXPECT_STREQ(clocks_names[1], "");
  EXPECT_STREQ(clocks_names[3], "X_1");
}

TEST_F(Renaming, AllActiveAndDifferentIsNoReduction) {
  reduce("#states 2 #trans 2 #clocks 2 x y\n"
         "state: 0 invar: x <= 1 and y <= 2 trans: true => ; reset{ x } ; goto 1\n"
         "state: 1 invar: x <= 1 and y <= 2 trans: true => ; reset{ y } ; goto 0\n");
  testing::internal::CaptureStdout();
  print_optim_results();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.substr(0, out.find("---")),
            "clockpare: no global reduction.\nclockpare: memory shrinking coeff. = 100.000% .\n");
}

TEST_F(Renaming, NoActiveClockAnywhere) {
  reduce("#states 2 #trans 1 #clocks 2 x y\n"
         "state: 0 invar: true trans: true => ; reset{ x } ; goto 1\n"
         "state: 1 invar: true trans:\n");
  EXPECT_EQ(ren(0), "0: 0 0");
  testing::internal::CaptureStdout();
  print_optim_results();
  std::string out = testing::internal::GetCapturedStdout();
  // 2 locations of 1x1 matrices against 3x3 ones.
  EXPECT_EQ(out.substr(0, out.find("---")),
            "clockpare: global reduction: 2 --> 0.\nclockpare: memory shrinking coeff. = 11.111% .\n");
  EXPECT_EQ(NEW_N_OF_CLOCKS, 1);
  EXPECT_EQ(print_to_string([](FILE *f) { fprint_clock_renaming(f, clock_ren_table[1]); }),
            "{ X Y }\t---> X_0\n");
}

TEST_F(Renaming, ClassesFollowTheSmallestClock) {
  reduce("#states 1 #trans 0 #clocks 4 a b c d\nstate: 0 invar: true trans:\n");
  clock_set all = new_full_clock_set();
  // a ~ c and b ~ c but not a ~ b: c goes with the last class that takes it.
  clock_rel r = new_sym_clock_rel();
  add_elem_clock_rel_sym(1, 3, r);
  add_elem_clock_rel_sym(2, 3, r);
  clock_renaming *rn = rename_clocks(all, r);
  EXPECT_EQ(rn->n, 3);
  EXPECT_EQ(rn->vector[0], 0);
  EXPECT_EQ(rn->vector[1], 1);
  EXPECT_EQ(rn->vector[2], 2);
  EXPECT_EQ(rn->vector[3], 2);
  EXPECT_EQ(rn->vector[4], 3);
  free_clock_renaming(rn);
  // Inactive clocks get 0 and are never merged, even when related.
  del_clock_clock_set(2, all);
  add_elem_clock_rel_sym(1, 4, r);
  rn = rename_clocks(all, r);
  EXPECT_EQ(rn->n, 1);
  EXPECT_EQ(rn->vector[1], 1);
  EXPECT_EQ(rn->vector[2], 0);
  EXPECT_EQ(rn->vector[3], 1);
  EXPECT_EQ(rn->vector[4], 1);
  free_clock_renaming(rn);
  free_clock_rel(r);
  free_clock_set(all);
}

static std::string opt_bytes() {
  return print_to_string([](FILE *f) { EXPECT_EQ(fprint_optim(f, clock_ren_table), 1); });
}

static clock_renaming_table read_bytes(const std::string &bytes) {
  FILE *f = fmemopen(const_cast<char *>(bytes.data()), bytes.size(), "rb");
  if (bytes.empty()) f = fopen("/dev/null", "rb");
  clock_renaming_table t = fread_optim(f);
  fclose(f);
  return t;
}

TEST_F(Renaming, RenamingFileLayoutAndReadBack) {
  reduce(RESET_TOGETHER);
  const std::string bytes = opt_bytes();
  const unsigned char expected[] = {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 0, 0, 0, 1, 0, 1, 0, 2, 0};
  EXPECT_EQ(bytes, std::string(reinterpret_cast<const char *>(expected), sizeof expected));

  clock_renaming_table back = read_bytes(bytes);
  ASSERT_NE(back, nullptr);
  for (int s = 0; s < N_OF_STATES; s++) {
    EXPECT_EQ(back[s]->n, clock_ren_table[s]->n);
    for (int x = 0; x < N_OF_CLOCKS; x++) EXPECT_EQ(back[s]->vector[x], clock_ren_table[s]->vector[x]);
  }
  free_clock_renaming_table(back);
}

TEST_F(Renaming, DamagedRenamingFilesAreRefused) {
  reduce(RESET_TOGETHER);
  const std::string good = opt_bytes();
  auto with = [&](size_t at, char value) {
    std::string b = good;
    b[at] = value;
    return b;
  };
  EXPECT_EQ(read_bytes(""), nullptr);
  EXPECT_EQ(read_bytes(good.substr(0, good.size() - 1)), nullptr);  // short
  EXPECT_EQ(read_bytes(good + '\0'), nullptr);                       // too long
  EXPECT_EQ(read_bytes(with(0, 4)), nullptr);                        // count above the clocks
  EXPECT_EQ(read_bytes(with(1, 1)), nullptr);                        // count 257
  EXPECT_EQ(read_bytes(with(2, 1)), nullptr);                        // entry 0 not 0
  EXPECT_EQ(read_bytes(with(8, 2)), nullptr);                        // entry above the count
  EXPECT_EQ(read_bytes(with(18, 1)), nullptr);                       // number 2 taken by no clock
  clock_renaming_table t = read_bytes(with(4, 1));                   // x joins z's class at 0: fine
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t[0]->vector[1], 1);
  free_clock_renaming_table(t);
}

}  // namespace
