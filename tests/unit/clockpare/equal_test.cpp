// Clock equality on small models whose answers are worked out by hand.
#include <gtest/gtest.h>

#include <string>

#include "clockpare_test_helpers.h"

using cp_test::pairs;
using cp_test::print_to_string;

namespace {

using Equality = cp_test::Model;

TEST_F(Equality, ClocksResetTogetherAreEqual) {
  reduce("#states 2 #trans 2 #clocks 3 x y z\n"
         "state: 0 invar: true trans: true => ; reset{ x y } ; goto 1\n"
         "state: 1 invar: x <= 3 and y <= 4 and z <= 10 trans: true => ; reset{ z } ; goto 0\n");
  // At 1: x = y, both <= z. At 0 (z just reset): x = y, z <= both.
  EXPECT_EQ(pairs(equality_table[1]), "X<=Y X<=Z Y<=X Y<=Z ");
  EXPECT_EQ(pairs(equality_table[0]), "X<=Y Y<=X Z<=X Z<=Y ");
  EXPECT_EQ(get_nb_equ_iter(), 2);
  // No pair (i, 0) ever appears; row 0 stays full.
  for (int s = 0; s < 2; s++)
    for (int i = 0; i < N_OF_CLOCKS; i++) {
      EXPECT_TRUE(is_elem_in_clock_rel(0, i, equality_table[s]));
      if (i > 0) {
        EXPECT_FALSE(is_elem_in_clock_rel(i, 0, equality_table[s]));
      }
    }
}

TEST_F(Equality, ResetsOnDifferentWaysInKeepClocksApart) {
  reduce("#states 2 #trans 3 #clocks 2 x y\n"
         "state: 0 invar: true trans: true => ; reset{ x } ; goto 1\n"
         "true => ; reset{ y } ; goto 1\n"
         "state: 1 invar: x <= 5 and y <= 5 trans: true => ; reset{ x y } ; goto 0\n");
  EXPECT_EQ(pairs(equality_table[1]), "");
  EXPECT_EQ(pairs(equality_table[0]), "X<=Y Y<=X ");
}

TEST_F(Equality, AssignmentMakesEqual) {
  reduce("#states 2 #trans 2 #clocks 2 x y\n"
         "state: 0 invar: true trans: x >= 1 => ; reset{ } x:=y ; goto 1\n"
         "state: 1 invar: x <= 3 and y <= 3 trans: true => ; reset{ y } ; goto 0\n");
  EXPECT_EQ(pairs(equality_table[1]), "X<=Y Y<=X ");
  EXPECT_EQ(pairs(equality_table[0]), "Y<=X ");
}

TEST_F(Equality, WithoutResetsEveryClockIsEqual) {
  reduce("#states 2 #trans 2 #clocks 3 x y z\n"
         "state: 0 invar: x <= 3 trans: y >= 1 => ; ; goto 1\n"
         "state: 1 invar: z <= 3 trans: x >= 2 => ; ; goto 0\n");
  for (int s = 0; s < 2; s++) EXPECT_TRUE(is_full_clock_rel2(equality_table[s]));
  EXPECT_EQ(get_nb_equ_iter(), 1);
}

TEST_F(Equality, SimulationGraphReadsTheInvariant) {
  // The transitions would break x = y at 1; under -s only the zones count.
  const char *model =
      "#states 3 #trans 1 #clocks 3 x y z\n"
      "state: 0 invar: x = y and x <= 3 trans: true => ; reset{ x } ; goto 1\n"
      "state: 1 invar: x = y and z <= 1 or x = y and z >= 2 trans:\n"
      "state: 2 invar: x <= 1 and y <= x or y = x and x >= 2 trans:\n";
  std::string out = reduce(model, OPT_ACTIVITY | OPT_EQUALITY | OPT_SIM);
  EXPECT_NE(out.find("clockpare: computing clock equality ...done.\n"), std::string::npos);
  EXPECT_EQ(pairs(equality_table[0]), "X<=Y Y<=X ");
  EXPECT_EQ(pairs(equality_table[1]), "X<=Y Y<=X ");
  // Every zone must show the pair: only y <= x holds in both.
  EXPECT_EQ(pairs(equality_table[2]), "Y<=X ");
  EXPECT_EQ(get_nb_equ_iter(), 0);
}

TEST_F(Equality, SimulationGraphWithFalseInvariantKeepsClocksApart) {
  reduce("#states 2 #trans 1 #clocks 2 x y\n"
         "state: 0 invar: x = y trans: true => ; ; goto 1\n"
         "state: 1 invar: false trans:\n",
         OPT_ACTIVITY | OPT_EQUALITY | OPT_SIM);
  EXPECT_EQ(pairs(equality_table[1]), "");
  EXPECT_TRUE(is_refl_clock_rel(equality_table[1]));
}

TEST_F(Equality, SwitchedOffNothingIsMerged) {
  std::string out = reduce("#states 1 #trans 1 #clocks 2 x y\n"
                           "state: 0 invar: x <= 1 and y <= 1 trans: true => ; ; goto 0\n",
                           OPT_ACTIVITY);
  EXPECT_EQ(out.find("equality"), std::string::npos);
  EXPECT_EQ(pairs(equality_table[0]), "");
  EXPECT_TRUE(is_refl_clock_rel(equality_table[0]));
  EXPECT_EQ(clock_ren_table[0]->n, 2);
}

TEST_F(Equality, StepsOnTheirOwn) {
  reduce("#states 1 #trans 1 #clocks 3 x y z\n"
         "state: 0 invar: x <= y and y < z + 1 trans: true => ; ; goto 0\n");
  zone *z = get_invar_zone(0);
  clock_rel zr = zone_to_clock_rel(z);
  EXPECT_EQ(pairs(zr), "X<=Y ");  // y - z < 1 does not give y <= z
  clock_rel none = zone_to_clock_rel(nullptr);
  EXPECT_TRUE(is_empty_clock_rel(none));
  free_clock_rel(none);

  // After x := y, z reset: x and y take y's place, z is below everything.
  clock_rel full = new_full_clock_rel();
  const uint16_t vector[] = {0, 2, 2, 0};
  clock_rel post = post_act(full, vector);
  EXPECT_EQ(pairs(post), "X<=Y Y<=X Z<=X Z<=Y ");
  EXPECT_TRUE(is_full_clock_set(post[0]));
  // From x <= y only: after x := y, z reset, nothing orders x above y either.
  clock_rel only = new_sym_clock_rel();
  add_elem_clock_rel(1, 2, only);
  for (int j = 0; j < N_OF_CLOCKS; j++) add_elem_clock_rel(0, j, only);
  const uint16_t swap[] = {0, 2, 1, 3};
  clock_rel swapped = post_act(only, swap);
  EXPECT_EQ(pairs(swapped), "Y<=X ");
  EXPECT_EQ(print_to_string(fprint_equality_stats), "\n");
  for (clock_rel r : {zr, full, post, only, swapped}) free_clock_rel(r);
}

}  // namespace
