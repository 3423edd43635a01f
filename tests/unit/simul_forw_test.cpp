// The forward evaluator: verdicts of the formula shapes it decides, checked
// on a small graph with hand-derived answers, and its refusals.
//
// Location 0 (INIT, x <= 3) goes to 1 at x >= 1 resetting y; location 1
// (y <= 2) has a diagonal guard x - y > 3 that never holds and goes to 3 at
// y = 2 resetting x; location 3 (x <= 1) goes to 2 (END) at x = 1. Every run
// must go on (the invariants force each transition), and END is entered
// between 4 and 6 time units after the start.
#include <gtest/gtest.h>
#include <string>

#include "eval_test_util.h"
#include "simul_test_util.h"
#include "varnok/simul.h"
#include "varnok/varnok_eval_forw.h"

namespace {

const char *kDiag =
    "#states 4 #trans 4 #clocks 2 x y\n"
    "state: 0 prop: INIT invar: x <= 3 trans:\n"
    "x >= 1 => a ; reset{ y } ; goto 1\n"
    "state: 1 invar: y <= 2 trans:\n"
    "x - y > 3 => b ; ; goto 2\n"
    "y = 2 => c ; reset{ x } ; goto 3\n"
    "state: 2 prop: END invar: true trans:\n"
    "state: 3 invar: x <= 1 trans:\n"
    "x = 1 => d ; ; goto 2\n";

class ForwardEval : public eval_test::Scratch {
 protected:
  void TearDown() override {
    free_zone(app_zone);
    app_zone = nullptr;
    eval_test::Scratch::TearDown();
  }
  // The standard output of the forward evaluation of `formula` on kDiag.
  std::string verdict(const std::string &formula, uint32_t options = 0) {
    tctl_node *f = simul_test::load_compiled(kDiag, formula);
    OPT_SET = OPT_FORWARD | options;
    MAX_SYMB_STATES = 1000;
    return simul_test::last_line([f] { free_states_region(varnok_eval_forw(f)); });
  }
};

TEST_F(ForwardEval, Reachability) {
  EXPECT_EQ(verdict("init and ED END"), "varnok: Reachability *** TRUE ***\n");
  EXPECT_EQ(verdict("ED (END and y - x > 2)"), "varnok: Reachability *** FALSE ***\n");
  // END at 4 time units at the earliest.
  EXPECT_EQ(verdict("ED{<=4} END"), "varnok: Reachability *** TRUE ***\n");
  EXPECT_EQ(verdict("ED{<4} END"), "varnok: Reachability *** FALSE ***\n");
  EXPECT_EQ(verdict("init and ED[4,5] END"), "varnok: Reachability *** TRUE ***\n");
  // END, once entered, holds for ever.
  EXPECT_EQ(verdict("init and ED]6,7] END"), "varnok: Reachability *** TRUE ***\n");
  EXPECT_EQ(verdict("init and ED[0,3] END"), "varnok: Reachability *** FALSE ***\n");
  EXPECT_EQ(verdict("ED{<=4} END", OPT_ABS_XTRA), "varnok: Reachability *** TRUE ***\n");
  EXPECT_EQ(verdict("ED{<4} END", OPT_ABS_INCL), "varnok: Reachability *** FALSE ***\n");
}

TEST_F(ForwardEval, ConditionalReachability) {
  EXPECT_EQ(verdict("init and (state(0) EU state(1))"), "varnok: Conditional Reachability *** TRUE ***\n");
  EXPECT_EQ(verdict("init and (state(0) EU state(3))"), "varnok: Conditional Reachability *** FALSE ***\n");
  EXPECT_EQ(verdict("(not END) EU END"), "varnok: Conditional Reachability *** TRUE ***\n");
  // Time runs out of the condition before the goal: x <= 1 at location 0,
  // and location 1 needs x >= 1 first.
  EXPECT_EQ(verdict("init and ((state(0) and x < 1) EU state(1))"),
            "varnok: Conditional Reachability *** FALSE ***\n");
  // The condition ends where the guard begins: x = 1 is reached on its
  // border.
  EXPECT_EQ(verdict("init and ((state(0) and x <= 1) EU state(1))"),
            "varnok: Conditional Reachability *** TRUE ***\n");
  EXPECT_EQ(verdict("init and ((state(0) and x < 2) EU (state(0) and x >= 2))"),
            "varnok: Conditional Reachability *** TRUE ***\n");
  EXPECT_EQ(verdict("init and ((state(0) and x < 2) EU (state(0) and x > 2))"),
            "varnok: Conditional Reachability *** FALSE ***\n");
  EXPECT_EQ(verdict("init and (not END) EU{<=4} END"), "varnok: Conditional Reachability *** TRUE ***\n");
  EXPECT_EQ(verdict("init and (not END) EU{<4} END"), "varnok: Conditional Reachability *** FALSE ***\n");
  EXPECT_EQ(verdict("init and (not END) EU]5,7[ END"), "varnok: Conditional Reachability *** TRUE ***\n");
}

TEST_F(ForwardEval, Inevitability) {
  // (The answers agree with the backward evaluation of "init impl ...".)
  // Every run enters END at 6 time units at the latest, some exactly at 6:
  // at location 3 with x = 1 time cannot pass, so no run stays out of END
  // beyond 6.
  EXPECT_EQ(verdict("init impl AD{<=6} END"), "varnok: Inevitability *** TRUE ***\n");
  EXPECT_EQ(verdict("init impl AD{<6} END"), "varnok: Inevitability *** FALSE ***\n");
  EXPECT_EQ(verdict("init impl AD{=6} END"), "varnok: Inevitability *** TRUE ***\n");
  EXPECT_EQ(verdict("init impl AD{=3} END"), "varnok: Inevitability *** FALSE ***\n");
  EXPECT_EQ(verdict("init impl AD[4,6] END"), "varnok: Inevitability *** TRUE ***\n");
  EXPECT_EQ(verdict("init impl AD[5,6] END"), "varnok: Inevitability *** TRUE ***\n");
  EXPECT_EQ(verdict("init impl AD[2,3] END"), "varnok: Inevitability *** FALSE ***\n");
  EXPECT_EQ(verdict("init impl (not END) AU{<=6} END"), "varnok: Conditional Inevitability *** TRUE ***\n");
  EXPECT_EQ(verdict("init impl (not END) AU{<5} END"), "varnok: Conditional Inevitability *** FALSE ***\n");
  // Location 1 is left by 5 time units but location 0 may last until 3.
  EXPECT_EQ(verdict("init impl (state(0) or state(1)) AU{<=5} state(3)"),
            "varnok: Conditional Inevitability *** TRUE ***\n");
  EXPECT_EQ(verdict("init impl state(0) AU{<=5} state(3)"),
            "varnok: Conditional Inevitability *** FALSE ***\n");
}

TEST_F(ForwardEval, Invariance) {
  EXPECT_EQ(verdict("init impl AB (state(0) impl x <= 3)"), "varnok: Invariance *** TRUE ***\n");
  EXPECT_EQ(verdict("AB not END"), "varnok: Invariance *** FALSE ***\n");
  EXPECT_EQ(verdict("init impl AB (END impl y - x = 2)"), "varnok: Invariance *** TRUE ***\n");
  EXPECT_EQ(verdict("init impl AB (END impl y - x = 2 and y <= 8)"), "varnok: Invariance *** FALSE ***\n");
  // A sub-formula with a formula clock of its own: location 1 is left
  // within 2 time units.
  EXPECT_EQ(verdict("init impl AB (state(1) impl AD{<=2} state(3))"), "varnok: Invariance *** TRUE ***\n");
  EXPECT_EQ(verdict("init impl AB (state(1) impl AD{<2} state(3))"), "varnok: Invariance *** FALSE ***\n");
}

using ForwardEvalDeathTest = ForwardEval;

TEST_F(ForwardEvalDeathTest, Refusals) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(verdict("ED true"), testing::ExitedWithCode(1), "please simplify");
  EXPECT_EXIT(verdict("init impl AD{>3} END"), testing::ExitedWithCode(1), "ERROR: can not apply forward");
  EXPECT_EXIT(verdict("EB END"), testing::ExitedWithCode(1), "");
  EXPECT_EXIT(verdict("init and AB END"), testing::ExitedWithCode(1), "");
  EXPECT_EXIT(verdict("init impl END AU{>=3} END"), testing::ExitedWithCode(1), "");
  EXPECT_EXIT(verdict("ED[1,2] END"), testing::ExitedWithCode(1), "");
}

}  // namespace
