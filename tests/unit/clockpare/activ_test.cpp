// Clock activity on small models whose answers are worked out by hand.
#include <gtest/gtest.h>

#include <string>

#include "clockpare_test_helpers.h"

using cp_test::act;
using cp_test::print_to_string;

namespace {

using Activity = cp_test::Model;

TEST_F(Activity, UntestedClocksStayInactiveThoughResetOrAssigned) {
  // W is reset and assigned but never tested.
  std::string out = reduce("#states 2 #trans 2 #clocks 2 x w\n"
                           "state: 0 invar: x <= 3 trans: x = 3 => ; reset{ x w } ; goto 1\n"
                           "state: 1 invar: true trans: true => ; reset{ } w:=x ; goto 0\n");
  EXPECT_EQ(act(0), "{ X } ");
  EXPECT_EQ(act(1), "{ X } ");  // x keeps its value on the way back to 0
  EXPECT_EQ(get_nb_act_iter(), 1);
  EXPECT_EQ(out.substr(0, 40), "clockpare: computing clock activity ...d");
}

TEST_F(Activity, ResetOnEveryWayInStopsActivity) {
  reduce("#states 3 #trans 3 #clocks 1 x\n"
         "state: 0 invar: true trans: true => ; reset{ x } ; goto 1\n"
         "state: 1 invar: true trans: x > 1 => ; ; goto 2\n"
         "state: 2 invar: true trans: true => ; reset{ x } ; goto 1\n");
  EXPECT_EQ(act(0), "{ } ");
  EXPECT_EQ(act(1), "{ X } ");
  EXPECT_EQ(act(2), "{ } ");
  // The reset leaves the reference clock behind: the sources hold clock 0 only.
  EXPECT_TRUE(is_clock_in_clock_set(0, activity_table[0]));
  EXPECT_EQ(print_to_string(fprint_activity_stats),
            "activity distribution:\n\ndeclaration : 1 clocks\n\n1 clocks\t: 1 states\n\n");
}

TEST_F(Activity, AssignmentPassesActivityToItsSource) {
  reduce("#states 2 #trans 2 #clocks 2 x y\n"
         "state: 0 invar: true trans: true => ; reset{ } x:=y ; goto 1\n"
         "state: 1 invar: x <= 4 trans: true => ; reset{ x y } ; goto 0\n");
  EXPECT_EQ(act(0), "{ Y } ");
  EXPECT_EQ(act(1), "{ X } ");
}

TEST_F(Activity, EveryDisjunctOfAGuardCounts) {
  reduce("#states 2 #trans 2 #clocks 3 x y z\n"
         "state: 0 invar: true trans: x > 1 or y > 2 => ; ; goto 1\n"
         "state: 1 invar: true trans: true => ; reset{ x y } ; goto 0\n");
  EXPECT_EQ(act(0), "{ X Y } ");
  EXPECT_EQ(act(1), "{ } ");
}

TEST_F(Activity, EveryDisjunctOfAnInvariantCounts) {
  reduce("#states 1 #trans 1 #clocks 2 x y\n"
         "state: 0 invar: x < 1 or y < 1 trans: true => ; reset{ x y } ; goto 0\n");
  EXPECT_EQ(act(0), "{ X Y } ");
}

TEST_F(Activity, SweepsFollowLocationOrder) {
  // Backwards along 2 -> 1 -> 0: every step goes to a lower location and
  // waits for the next sweep; the third sweep finds nothing new.
  reduce("#states 3 #trans 3 #clocks 1 x\n"
         "state: 0 invar: true trans: true => ; ; goto 1\n"
         "state: 1 invar: true trans: true => ; ; goto 2\n"
         "state: 2 invar: true trans: x < 3 => ; reset{ x } ; goto 0\n");
  EXPECT_EQ(get_nb_act_iter(), 3);
  for (int s = 0; s < 3; s++) EXPECT_EQ(act(s), "{ X } ");
  cp_test::release_analyses();
  // The same chain numbered the other way is done in one sweep.
  reduce("#states 3 #trans 3 #clocks 1 x\n"
         "state: 0 invar: true trans: x < 3 => ; reset{ x } ; goto 2\n"
         "state: 1 invar: true trans: true => ; ; goto 0\n"
         "state: 2 invar: true trans: true => ; ; goto 1\n");
  EXPECT_EQ(get_nb_act_iter(), 1);
  for (int s = 0; s < 3; s++) EXPECT_EQ(act(s), "{ X } ");
}

TEST_F(Activity, NoTestedClockNeedsNoSweep) {
  reduce("#states 2 #trans 2 #clocks 1 x\n"
         "state: 0 invar: true trans: true => ; reset{ x } ; goto 1\n"
         "state: 1 invar: true trans: true => ; ; goto 0\n");
  EXPECT_EQ(get_nb_act_iter(), 0);
  EXPECT_EQ(act(0), "{ } ");
  EXPECT_EQ(print_to_string(fprint_activity_stats), "activity distribution:\n\ndeclaration : 1 clocks\n\n\n");
}

TEST_F(Activity, SwitchedOffEveryClockIsActive) {
  reduce("#states 3 #trans 1 #clocks 2 x y\n"
         "state: 0 invar: true trans: true => ; reset{ x } ; goto 1\n"
         "state: 1 invar: true trans:\n"
         "state: 2 invar: true trans:\n",
         OPT_EQUALITY);
  for (int s = 0; s < 3; s++) {
    EXPECT_EQ(act(s), "{ X Y } ");
    EXPECT_TRUE(is_full_clock_set(activity_table[s]));
  }
  EXPECT_EQ(print_to_string(fprint_activity_stats),
            "activity distribution:\n\ndeclaration : 2 clocks\n\n2 clocks\t: 3 states\n\n");
}

static const char *const SIM_MODEL =
    "#states 2 #trans 2 #clocks 2 x y\n"
    "state: 0 invar: x - y <= 2 trans: x - y <= 2 => ; reset{ x y } ; goto 1\n"
    "state: 1 invar: x - y <= 2 trans: x - y <= 1 => ; reset{ x y } ; goto 0\n";

TEST_F(Activity, SimulationGraphCountsOnlyWhatIsTighterThanTheInvariant) {
  // Under -s only upper bounds of the invariant count (there are none), and a
  // guard only by its constraints tighter than the invariant's: x - y <= 2
  // at 0 is not, x - y <= 1 at 1 is.
  reduce(SIM_MODEL, OPT_ACTIVITY | OPT_EQUALITY | OPT_SIM);
  EXPECT_EQ(act(0), "{ } ");
  EXPECT_EQ(act(1), "{ X Y } ");
  cp_test::release_analyses();
  // As a plain timed graph, every constraint counts.
  reduce(SIM_MODEL);
  EXPECT_EQ(act(0), "{ X Y } ");
  EXPECT_EQ(act(1), "{ X Y } ");
}

TEST_F(Activity, SimulationGraphInvariantUpperBounds) {
  reduce("#states 1 #trans 1 #clocks 3 x y z\n"
         "state: 0 invar: x <= 5 and y - z <= 1 trans: true => ; reset{ x y z } ; goto 0\n",
         OPT_ACTIVITY | OPT_EQUALITY | OPT_SIM);
  EXPECT_EQ(act(0), "{ X } ");
}

TEST_F(Activity, StepsOnTheirOwn) {
  reduce("#states 1 #trans 1 #clocks 3 x y z\n"
         "state: 0 invar: x - y <= 2 trans: z > 1 => ; ; goto 0\n");
  clock_set inv_act = invar_to_activity(0);
  EXPECT_EQ(cp_test::set_text(inv_act), "{ X Y } ");
  EXPECT_FALSE(is_clock_in_clock_set(0, inv_act));  // a difference constraint only
  clock_set sim_act = invar_to_activity_sim(0);
  EXPECT_EQ(cp_test::set_text(sim_act), "{ } ");  // no upper bound
  zone *guard = get_cond_zone(trans_table[0]);
  clock_set none = cond_to_activity(guard, nullptr);
  EXPECT_TRUE(is_empty_clock_set(none));
  zone *u = mk_universal_zone();
  clock_set g = cond_to_activity(guard, u);
  EXPECT_EQ(cp_test::set_text(g), "{ X Y Z } ");  // the guard holds the invariant too
  clock_set same = cond_to_activity(guard, guard);
  EXPECT_TRUE(is_empty_clock_set(same));

  // x := y, y reset, z unchanged; clock 0 in the set is not carried over.
  const uint16_t vector[] = {0, 2, 0, 3};
  clock_set after = new_full_clock_set();
  clock_set before = pre_act(after, vector);
  EXPECT_EQ(cp_test::set_text(before), "{ Y Z } ");
  EXPECT_TRUE(is_clock_in_clock_set(0, before));
  del_clock_clock_set(2, del_clock_clock_set(3, after));
  del_clock_clock_set(0, after);
  clock_set only_x = pre_act(after, vector);
  EXPECT_EQ(cp_test::set_text(only_x), "{ Y } ");
  EXPECT_FALSE(is_clock_in_clock_set(0, only_x));
  free_zone(u);
  for (clock_set s : {inv_act, sim_act, none, g, same, after, before, only_x}) free_clock_set(s);
}

TEST_F(Activity, InitialSetsFileBeforeTheFixPoint) {
  reduce("#states 2 #trans 2 #clocks 1 x\n"
         "state: 0 invar: true trans: true => ; ; goto 1\n"
         "state: 1 invar: x <= 2 trans: true => ; reset{ x } ; goto 0\n",
         OPT_ACTIVITY | OPT_EQUALITY | OPT_ACT_INIT);
  EXPECT_EQ(tg_test::read_file("m.act.init"), "activity sets:\n\nact(0) = { } \nact(1) = { X } \n\n");
  EXPECT_EQ(print_to_string(fprint_activity_sets), "activity sets:\n\nact(0) = { X } \nact(1) = { X } \n\n");
}

}  // namespace
