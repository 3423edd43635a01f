// The backward evaluator: atoms, connectives, operators defined by others,
// clock constraints inside invariants, the verbose trace and the failures.
#include <gtest/gtest.h>

#include "eval_test_util.h"

using eval_test::eval;
using eval_test::holds;
using eval_test::load;
using eval_test::text2;
using eval_test::text3;

namespace {

class EvalAtoms : public eval_test::Scratch {};
class EvalOperators : public eval_test::Scratch {};
class EvalTrace : public eval_test::Scratch {};
class EvalFailures : public eval_test::Scratch {};

struct Result {
  states_region *p;
  explicit Result(states_region *r) : p(r) {}
  ~Result() { free_states_region(p); }
  bool at(int s, std::initializer_list<double> v) const { return holds(p, s, v); }
  std::string text() const { return text2(p); }
};

// Location 0 (x <= 2) has two transitions labelled A and one labelled B;
// location 1 has no invariant; location 3 carries P and Q.
const char *const graph = R"(#states 4
#trans 3
#clocks 2
x y
state: 0
prop: P
invar: x <= 2
trans:
x >= 1 => a ; reset{ x } ; goto 1
x <= 0 => a b ; ; goto 2
state: 1
invar: true
trans:
y >= 3 => c ; ; goto 3
state: 2
invar: y <= 4
trans:
state: 3
prop: P Q
invar: true
trans:
)";

TEST_F(EvalAtoms, TrueNotTrueLocationsAndPropositions) {
  Result t(eval(graph, "true"));
  EXPECT_EQ(text3(t.p), "true\n");
  EXPECT_EQ(t.text(), "state(0) and (\nX<=2)\nor\nstate(1) and (\nTRUE)\nor\nstate(2) and (\nY<=4)\nor\n"
                      "state(3) and (\nTRUE)\n");
  Result f(eval(graph, "not true"));
  EXPECT_EQ(f.p, nullptr);
  EXPECT_EQ(text3(f.p), "false\n");

  Result s(eval(graph, "state(2)"));
  EXPECT_EQ(s.text(), "state(2) and (\nY<=4)\n");
  Result none(eval(graph, "state(7)"));
  EXPECT_EQ(none.text(), "false\n");
  Result p(eval(graph, "P"));
  EXPECT_EQ(p.text(), "state(0) and (\nX<=2)\nor\nstate(3) and (\nTRUE)\n");
  Result unknown(eval(graph, "NOPE"));
  EXPECT_EQ(unknown.text(), "false\n");
}

TEST_F(EvalAtoms, InitWithAndWithoutProposition) {
  Result zero(eval(graph, "init"));
  EXPECT_EQ(zero.text(), "state(0) and (\nX=0 and Y=0)\n");
  std::string marked = graph;
  marked.replace(marked.find("prop: P Q"), 9, "prop: INIT");
  marked.replace(marked.find("prop: P\n"), 8, "prop: INIT\n");
  Result both(eval(marked, "init"));
  EXPECT_EQ(both.text(), "state(0) and (\nX=0 and Y=0)\nor\nstate(3) and (\nX=0 and Y=0)\n");
  // Extra clocks stay free; the invariant is not applied.
  Result ex(eval(graph, "init and ED{<1} true"));
  EXPECT_TRUE(ex.at(0, {0, 0, 7}));
}

TEST_F(EvalAtoms, Enable) {
  // Both A transitions: x >= 1 and x <= 0, each within x <= 2.
  Result a(eval(graph, "enable(a)"));
  EXPECT_TRUE(a.at(0, {0}) && a.at(0, {1}) && a.at(0, {2}));
  EXPECT_FALSE(a.at(0, {0.5}) || a.at(1, {0}));
  Result c(eval(graph, "enable(c)"));
  EXPECT_EQ(c.text(), "state(1) and (\n3<=Y)\n");
  Result none(eval(graph, "enable(zz)"));
  EXPECT_EQ(none.text(), "false\n");
}

// One location with the invariant x <= 2 and no way out.
const char *const stuck = R"(#states 1
#trans 0
#clocks 2
x y
state: 0
invar: x <= 2
trans:
)";

TEST_F(EvalAtoms, ClockConstraintsStayInsideInvariants) {
  // x <= 5 is looser than the invariant: the invariant is kept as it is.
  Result loose(eval(stuck, "x <= 5"));
  EXPECT_EQ(loose.text(), "state(0) and (\nX<=2)\n");
  Result loose2(eval(graph, "x <= 5"));
  EXPECT_EQ(loose2.text(), "state(0) and (\nX<=2)\nor\nstate(1) and (\nX<=5)\nor\nstate(2) and (\nX<=5 and Y<=4)\n"
                           "or\nstate(3) and (\nX<=5)\n");
  // A tighter bound replaces the entry.
  Result tight(eval(stuck, "x <= 1"));
  EXPECT_EQ(tight.text(), "state(0) and (\nX<=1)\n");
  // x = 4 lies outside the invariant, so nothing leads to it.
  Result eq(eval(stuck, "x = 4"));
  EXPECT_FALSE(is_not_empty_states_region(eq.p) && eq.at(0, {4}));
  Result ed(eval(stuck, "ED (x = 4)"));
  EXPECT_EQ(ed.text(), "false\n");
  // Elsewhere x = 4 is reached after leaving location 0 (x is reset).
  Result ed2(eval(graph, "ED (x = 4)"));
  EXPECT_TRUE(ed2.at(0, {0}) && ed2.at(1, {0}) && ed2.at(2, {3, 0}));
  EXPECT_FALSE(ed2.at(2, {5, 0}) || ed2.at(2, {0, 1}));
  // Differences, both ways round.
  Result diff(eval(graph, "y - x >= 1 and x > y + 2"));
  EXPECT_FALSE(is_not_empty_states_region(diff.p));
  // A clock compared with itself.
  Result never(eval(graph, "x < x"));
  EXPECT_EQ(never.p, nullptr);
  Result always(eval(graph, "x <= x + 1"));
  EXPECT_TRUE(is_universal_states_region(always.p));
  Result ex(eval(graph, "x + 1 < x"));
  EXPECT_FALSE(is_not_empty_states_region(ex.p));
  Result d2(eval(graph, "x - y >= 2"));
  EXPECT_TRUE(d2.at(1, {3, 1}));
  EXPECT_FALSE(d2.at(1, {3, 1.5}));
}

TEST_F(EvalAtoms, TwoClockReachabilityStaysInsideInvariant) {
  // y >= 6 with x <= 5 is reached in location 0 (x <= 2) iff y - x >= 4.
  Result r(eval(stuck, "ED (x <= 5 and y >= 6)"));
  EXPECT_FALSE(r.at(0, {0, 1}) || r.at(0, {0, 3.5}) || r.at(0, {2, 5.5}));
  EXPECT_TRUE(r.at(0, {0, 4}) && r.at(0, {2, 6}) && r.at(0, {1, 9}));
}

TEST_F(EvalAtoms, Resets) {
  // x.(x <= 3) holds wherever the invariant admits x = 0: everywhere here.
  Result r(eval(graph, "x.(x <= 3)"));
  EXPECT_TRUE(is_universal_states_region(r.p));
  // ED Q holds in locations 0 (x <= 2), 1 and 3; after x := 0 every y will
  // do, but the states of location 0 stay those of its invariant x <= 2.
  Result q(eval(graph, "x.(ED Q)"));
  EXPECT_TRUE(q.at(0, {2, 0}) && q.at(0, {0, 0}) && q.at(1, {5, 1}));
  EXPECT_FALSE(q.at(0, {3, 0}) || q.at(2, {0, 0}));
  // x.(ED (y >= 3 and x <= 1)) in the time lock of location 2 (y <= 4): after
  // x := 0 time may pass up to y = 4, so 2 <= y <= 4 whatever x was.
  Result t(eval(graph, "x.(ED (y >= 3 and x <= 1 and state(2)))"));
  EXPECT_TRUE(t.at(2, {7, 2}) && t.at(2, {0, 4}));
  EXPECT_FALSE(t.at(2, {0, 1.5}) || t.at(2, {0, 4.5}));
}

TEST_F(EvalOperators, BoundedUntilIsItsDefinition) {
  Result eub(eval(graph, "P EU{<5} Q"));
  tctl_node *f = load(graph, "P EU{<5} Q");
  (void)f;
  int z = varnok_formula_clock();
  states_region *q = varnok_intersection(varnok_states_prop("Q"), varnok_mk_bound(z, 0, 5));
  Result def(varnok_reset2(z, varnok_exist_until(varnok_states_prop("P"), q)));
  EXPECT_EQ(eub.text(), def.text());
  Result ed(eval(graph, "ED{<5} Q"));
  Result teu(eval(graph, "true EU{<5} Q"));
  EXPECT_EQ(ed.text(), teu.text());
}

TEST_F(EvalOperators, BoundedAlwaysBeyondUsesSecondExtraClock) {
  load(graph, "AD{>2} P");
  EXPECT_EQ(tctl_extra_clocks(), 2);
  int z2 = varnok_formula_clock2();
  EXPECT_EQ(z2, N_OF_CLOCKS - 1);
  states_region *goal = varnok_intersection(varnok_states_prop("P"), varnok_mk_bound(z2, 2, 2));
  Result def(varnok_reset2(z2, varnok_true_for_all_until(goal)));
  Result ad(varnok_eval_back(tctl_formula()));
  EXPECT_EQ(ad.text(), def.text());
}

TEST_F(EvalTrace, VerboseNestsTheOperands) {
  tctl_node *f = load(graph, "P and Q");
  OPT_SET = OPT_VERBOSE;
  testing::internal::CaptureStdout();
  Result r(varnok_eval_back(f));
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, ">>  (PandQ)\n  >>  Q\n  <<  Q\n  >>  P\n  <<  P\n<<  (PandQ)\n");
  EXPECT_EQ(n_of_eval, 0);
  OPT_SET = 0;
}

TEST_F(EvalTrace, FixPointIterationsAndCompactLen) {
  tctl_node *f = load(graph, "ED Q");
  OPT_SET = OPT_VERBOSE;
  testing::internal::CaptureStdout();
  Result r(varnok_eval_back(f));
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, ">>  (EDQ)\n  >>  Q\n  <<  Q\niter #: 1,2,3\n<<  (EDQ)\n");
  EXPECT_EQ(COMPACT_LEN, 3);
  OPT_SET = 0;
}

TEST_F(EvalFailures, UnknownClockAndOperator) {
  load(graph, "true");
  EXPECT_EXIT(varnok_clock_number("W"), testing::ExitedWithCode(1), "");
  EXPECT_EXIT(eval(graph, "w <= 3"), testing::ExitedWithCode(1), "");
  EXPECT_EXIT(varnok_mk_bound(1, 5, 3), testing::ExitedWithCode(1), "");
  // Both messages go to standard output; the child's is sent to the stream
  // the death test reads.
  EXPECT_EXIT(
      {
        dup2(2, 1);
        varnok_mk_bound(1, 5, 3);
      },
      testing::ExitedWithCode(1), "Invalid tctl bound 5\n$");
  EXPECT_EXIT(
      {
        dup2(2, 1);
        varnok_clock_number("W");
      },
      testing::ExitedWithCode(1), "varnok: clock name W not found\n$");
  tctl_node *term = tctl_clock("X");
  EXPECT_EXIT(varnok_eval_back(term), testing::ExitedWithCode(1), "ERROR: operator 2 not yet implemented");
  tctl_free(term);
}

}  // namespace
