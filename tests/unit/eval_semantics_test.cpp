// Verdicts of the backward evaluator on small graphs whose answers are
// derived by hand; membership of concrete valuations keeps the tests
// independent of how the zones happen to be split.
#include <gtest/gtest.h>

#include "eval_test_util.h"

using eval_test::eval;
using eval_test::holds;

namespace {

class EvalSemantics : public eval_test::Scratch {};

// Location 0 (START, x <= 5) goes to 1 at 2 <= x, resetting x; location 1
// (MID, x <= 3) goes to 2 at x = 3; location 2 (END) has no invariant and no
// way out. From location 0 with x = v, END is reached between
// 3 + max(0, 2 - v) and 8 - v time units later.
const char *const chain = R"(#states 3
#trans 2
#clocks 1
x
state: 0
prop: START
invar: x <= 5
trans:
x >= 2 => a ; reset{ x } ; goto 1
state: 1
prop: MID
invar: x <= 3
trans:
x = 3 => b ; ; goto 2
state: 2
prop: END
invar: true
trans:
)";

struct Result {
  states_region *p;
  explicit Result(states_region *r) : p(r) {}
  ~Result() { free_states_region(p); }
  bool at(int s, std::initializer_list<double> v) const { return holds(p, s, v); }
};

TEST_F(EvalSemantics, UnboundedReachabilityAndSafety) {
  Result ef(eval(chain, "ED END"));
  EXPECT_TRUE(ef.at(0, {0}) && ef.at(0, {5}) && ef.at(1, {0}) && ef.at(2, {100}));
  EXPECT_EQ(eval_test::text3(ef.p), "true\n");

  Result never(eval(chain, "START EU END"));  // location 1 is neither
  EXPECT_FALSE(never.at(0, {0}) || never.at(1, {0}));
  EXPECT_TRUE(never.at(2, {7}));

  Result via(eval(chain, "(START or MID) EU END"));
  EXPECT_TRUE(via.at(0, {0}) && via.at(1, {3}) && via.at(2, {0}));

  // x can reach 5 in location 0: AG (state 0 => x <= 4) fails there only.
  Result ag(eval(chain, "AB (state(0) impl x <= 4)"));
  EXPECT_FALSE(ag.at(0, {0}) || ag.at(0, {4}));
  EXPECT_TRUE(ag.at(1, {0}) && ag.at(1, {3}) && ag.at(2, {9}));

  Result safe(eval(chain, "AB (state(1) impl x <= 3)"));
  EXPECT_EQ(eval_test::text3(safe.p), "true\n");

  Result eb(eval(chain, "EB END"));
  EXPECT_FALSE(eb.at(0, {0}) || eb.at(1, {0}));
  EXPECT_TRUE(eb.at(2, {0}));
  Result eb_start(eval(chain, "EB START"));  // location 0 must be left
  EXPECT_FALSE(is_not_empty_states_region(eb_start.p));
}

TEST_F(EvalSemantics, BoundedReachability) {
  // Within 4: 3 + max(0, 2 - v) <= 4 iff v >= 1.
  Result le(eval(chain, "ED{<=4} END"));
  EXPECT_FALSE(le.at(0, {0.5}));
  EXPECT_TRUE(le.at(0, {1}) && le.at(0, {5}) && le.at(1, {0}) && le.at(2, {0}));
  Result lt(eval(chain, "ED{<4} END"));
  EXPECT_FALSE(lt.at(0, {1}));
  EXPECT_TRUE(lt.at(0, {1.5}));
  // The bounded until with a true first operand is the same fix-point.
  Result eu(eval(chain, "true EU{<4} END"));
  EXPECT_TRUE(eval_test::same_states(eu.p, lt.p));
  // MID holds from entering location 1 (at t1 in [max(0, 2 - v), 5 - v])
  // for 3 time units: some time in [4, 5] is covered iff v <= 4.
  Result in(eval(chain, "ED[4,5] MID"));
  EXPECT_TRUE(in.at(0, {4}) && in.at(0, {0}));
  EXPECT_FALSE(in.at(0, {4.5}) || in.at(1, {0}));
  Result open(eval(chain, "ED]4,5] MID"));
  EXPECT_TRUE(open.at(0, {3.5}));
  EXPECT_FALSE(open.at(0, {4}));
  // With START until then, MID must hold on entering location 1 (at most
  // 5 - v): v <= 1.
  Result eu_in(eval(chain, "START EU[4,5] MID"));
  EXPECT_TRUE(eu_in.at(0, {1}) && eu_in.at(0, {0}));
  EXPECT_FALSE(eu_in.at(0, {1.5}) || eu_in.at(1, {0}));
}

TEST_F(EvalSemantics, UniversalUntilWithDeadline) {
  Result af(eval(chain, "AD END"));
  EXPECT_EQ(eval_test::text3(af.p), "true\n");
  Result au(eval(chain, "START AU MID"));
  EXPECT_TRUE(au.at(0, {0}) && au.at(0, {5}) && au.at(1, {2}));
  EXPECT_FALSE(au.at(2, {0}));
  Result mid(eval(chain, "MID AU END"));
  EXPECT_FALSE(mid.at(0, {3}));
  EXPECT_TRUE(mid.at(1, {0}) && mid.at(2, {0}));

  // Every path reaches END by 8 - v: within 5 iff v >= 3.
  Result le(eval(chain, "AD{<=5} END"));
  EXPECT_FALSE(le.at(0, {2.5}));
  EXPECT_TRUE(le.at(0, {3}) && le.at(1, {0}) && le.at(2, {0}));
  Result lt(eval(chain, "AD{<5} END"));
  EXPECT_FALSE(lt.at(0, {3}));
  EXPECT_TRUE(lt.at(0, {3.5}));
  Result dl(eval(chain, "(START or MID) AU{<=6} END"));
  EXPECT_FALSE(dl.at(0, {1.5}));
  EXPECT_TRUE(dl.at(0, {2}) && dl.at(1, {0}));
  Result in(eval(chain, "AD[0,2] END"));
  EXPECT_FALSE(in.at(0, {5}) || in.at(1, {0.5}));
  EXPECT_TRUE(in.at(1, {1}) && in.at(2, {0}));
  Result aui(eval(chain, "(START or MID) AU[0,4] END"));
  EXPECT_FALSE(aui.at(0, {3.5}));
  EXPECT_TRUE(aui.at(0, {4}) && aui.at(1, {0}) && aui.at(2, {0}));
}

TEST_F(EvalSemantics, BoundedAlways) {
  // Location 0 can be left after 2 - v: START holds throughout [0, 2) only
  // from v = 0, throughout [0, 1] for v < 1.
  Result lt(eval(chain, "AB{<2} START"));
  EXPECT_TRUE(lt.at(0, {0}));
  EXPECT_FALSE(lt.at(0, {0.5}) || lt.at(1, {0}));
  EXPECT_EQ(eval_test::text2(lt.p), "state(0) and (\nX=0)\n");
  Result le(eval(chain, "AB{<=2} START"));
  EXPECT_FALSE(is_not_empty_states_region(le.p));
  Result in(eval(chain, "AB[0,1] START"));
  EXPECT_TRUE(in.at(0, {0.5}));
  EXPECT_FALSE(in.at(0, {1}));
  // Some path stays in location 0 for more than 3 units iff v < 2.
  Result eb(eval(chain, "EB{<=3} START"));
  EXPECT_TRUE(eb.at(0, {1.5}));
  EXPECT_FALSE(eb.at(0, {2}) || eb.at(1, {0}));
}

TEST_F(EvalSemantics, LowerAndExactBounds) {
  // MID holds from entering location 1, at t1 in [max(0, 2 - v), 5 - v],
  // for 3 - u time units (u the value of x there).
  Result later(eval(chain, "AD{>2} MID"));  // second extra clock
  EXPECT_TRUE(later.at(0, {5}) && later.at(0, {0}) && later.at(1, {0.5}));
  EXPECT_FALSE(later.at(1, {1}) || later.at(2, {0}));
  Result exact(eval(chain, "AD{=1} MID"));
  EXPECT_TRUE(exact.at(0, {4}) && exact.at(1, {2}));
  EXPECT_FALSE(exact.at(0, {3.5}) || exact.at(1, {2.5}));
  // MID at exactly 2 after START or MID throughout: every t1 <= 2, so
  // v >= 3; in location 1 MID must last until 2, so u <= 1. START alone
  // before it fails: some path enters location 1 before 2.
  Result until_exact(eval(chain, "(START or MID) AU{=2} MID"));
  EXPECT_TRUE(until_exact.at(0, {3}) && until_exact.at(1, {1}));
  EXPECT_FALSE(until_exact.at(0, {2.5}) || until_exact.at(1, {1.5}) || until_exact.at(2, {0}));
  Result start_exact(eval(chain, "START AU{=2} MID"));
  EXPECT_FALSE(is_not_empty_states_region(start_exact.p));
  // START until MID after more than 1: every t1 > 1, so v < 1.
  Result until_later(eval(chain, "START AU{>1} MID"));
  EXPECT_TRUE(until_later.at(0, {0.5}));
  EXPECT_FALSE(until_later.at(0, {1}));
}

TEST_F(EvalSemantics, IntervalAlways) {
  // Some path keeps START through ]1,3]: location 0 left after 3, v < 2.
  Result eb(eval(chain, "EB]1,3] START"));
  EXPECT_TRUE(eb.at(0, {1.5}));
  EXPECT_FALSE(eb.at(0, {2}) || eb.at(1, {0}));
  // In location 1 MID lasts 3 - u: outside ]1,3] from u = 2, outside [1,3]
  // only beyond.
  Result open(eval(chain, "AB]1,3] not MID"));
  EXPECT_TRUE(open.at(1, {2}) && open.at(2, {0}));
  EXPECT_FALSE(open.at(1, {1.5}) || open.at(0, {5}));
  Result closed(eval(chain, "AB[1,3] not MID"));
  EXPECT_TRUE(closed.at(1, {2.5}));
  EXPECT_FALSE(closed.at(1, {2}));
}

// Location 0 (x <= 2, no way out) is a time lock.
const char *const lock = R"(#states 2
#trans 1
#clocks 1
x
state: 0
invar: x <= 2
trans:
state: 1
invar: true
trans:
x >= 1 => ; reset{ x } ; goto 1
)";

TEST_F(EvalSemantics, NonZeno) {
  Result all(eval(chain, "NonZeno"));
  EXPECT_EQ(eval_test::text3(all.p), "true\n");
  Result nz(eval(lock, "NonZeno"));
  EXPECT_FALSE(nz.at(0, {0}));
  EXPECT_TRUE(nz.at(1, {0}) && nz.at(1, {7}));
}

}  // namespace
