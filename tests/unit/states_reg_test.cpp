// State-region tables: empty cases and ownership of the set operations, the
// predecessor operators, the fix-points with their traces and history, and
// the printed forms.
#include <gtest/gtest.h>

#include "common/region/region_zone.h"
#include "eval_test_util.h"

using eval_test::holds;
using eval_test::load;
using eval_test::text2;
using eval_test::text3;

namespace {

class StatesRegion : public eval_test::Scratch {};

// Locations 0 -> 1 -> 2 -> 0 with upper-bound invariants only, so the
// invariant table is closed under predecessors; location 3 is unreachable
// and has no invariant.
const char *const ring = R"(#states 4
#trans 3
#clocks 1
x
state: 0
invar: x <= 2
trans:
x >= 1 => ; reset{ x } ; goto 1
state: 1
invar: x <= 3
trans:
x >= 3 => ; reset{ x } ; goto 2
state: 2
invar: x <= 1
trans:
true => ; ; goto 0
state: 3
invar: true
trans:
)";

// A table with location s holding the zone lo <= x <= hi (hi < 0: no upper
// bound), others empty.
states_region *interval_at(int s, int lo, int hi) {
  states_region *p = mk_empty_states_region();
  zone *z = mk_universal_zone();
  z->flags = 0;
  if (lo > 0) assign_bounds_edges_zone(z, 0, 1, mk_bound(-lo, 1), 1);
  if (hi >= 0) assign_bounds_edges_zone(z, 1, 0, mk_bound(hi, 1), 1);
  free_region(p->regs[s]);
  p->regs[s] = zone_to_region(z);
  return p;
}

TEST_F(StatesRegion, EmptyCasesAndOwnership) {
  load(ring, "true");
  states_region *e = mk_empty_states_region();
  EXPECT_FALSE(is_not_empty_states_region(e));
  EXPECT_FALSE(is_not_empty_states_region(nullptr));
  EXPECT_EQ(assign_states_region(e), nullptr);
  states_region *p = interval_at(1, 1, 2);
  // union and add return the other operand itself when one is empty.
  EXPECT_EQ(union_states_region(e, p), p);
  EXPECT_EQ(union_states_region(p, nullptr), p);
  EXPECT_EQ(add_states_region(nullptr, p), p);
  // diff with an empty subtrahend is a copy.
  states_region *d = diff_states_region(p, nullptr);
  EXPECT_NE(d, p);
  EXPECT_EQ(text2(d), text2(p));
  EXPECT_EQ(diff_states_region(nullptr, p), nullptr);
  EXPECT_EQ(intersection_states_region(p, nullptr), nullptr);
  EXPECT_EQ(proj_states_region(nullptr), nullptr);
  EXPECT_EQ(pre_states_region(nullptr), nullptr);
  // path: a copy of q when p is empty, null when q is.
  states_region *c = path_states_region(nullptr, p);
  EXPECT_EQ(text2(c), text2(p));
  EXPECT_EQ(path_states_region(p, nullptr), nullptr);
  EXPECT_TRUE(is_included_states_region(nullptr, p));
  EXPECT_FALSE(is_included_states_region(p, nullptr));
  free_states_region(c);
  free_states_region(d);
  free_states_region(p);
}

TEST_F(StatesRegion, PredecessorsAndNext) {
  load(ring, "true");
  // Into location 2 with x in [0, 1]: from location 1 at x = 3.
  states_region *p = interval_at(2, 0, 1);
  states_region *pre = pre_states_region(p);
  EXPECT_EQ(text2(pre), "state(1) and (\nX=3)\n");
  states_region *tn = true_next_states_region(p);
  EXPECT_EQ(text2(tn), "state(1) and (\nX<=3)\nor\nstate(2) and (\nX<=1)\n");
  states_region *tn2 = true_next_states_region2(p);
  EXPECT_EQ(text2(tn2), "state(1) and (\nX<=3)\n");
  // Within location 1 restricted to x >= 2, only 2 <= x <= 3 gets there.
  states_region *within = interval_at(1, 2, -1);
  states_region *n = next_states_region(within, p);
  EXPECT_EQ(text2(n), "state(1) and (\n2<=X and X<=3)\nor\nstate(2) and (\nX<=1)\n");
  states_region *n2 = next_states_region2(within, p);
  EXPECT_EQ(text2(n2), "state(1) and (\n2<=X and X<=3)\n");
  for (states_region *t : {p, pre, tn, tn2, within, n, n2}) free_states_region(t);
}

TEST_F(StatesRegion, ExistentialFixPoints) {
  load(ring, "true");
  states_region *none = exist_until_states_region(nullptr, nullptr);
  EXPECT_EQ(none, nullptr);
  states_region *q = interval_at(2, 0, 1);
  states_region *only_q = exist_until_states_region(nullptr, q);
  EXPECT_EQ(text2(only_q), text2(q));
  EXPECT_NE(only_q, q);
  states_region *p = interval_at(0, 0, 1);
  EXPECT_EQ(exist_until_states_region(p, nullptr), nullptr);
  // Everything but location 3 reaches location 2.
  states_region *ef = true_exist_until_states_region(q);
  EXPECT_TRUE(holds(ef, 0, {0}) && holds(ef, 1, {3}) && holds(ef, 2, {1}));
  EXPECT_FALSE(holds(ef, 3, {0}));
  states_region *inv = mk_inv_st_reg();
  states_region *eu = exist_until_states_region(inv, q);
  EXPECT_TRUE(eval_test::same_states(ef, eu));
  // Through location 0 only: nothing before location 1 is added.
  states_region *eu0 = exist_until_states_region(p, q);
  EXPECT_TRUE(holds(eu0, 2, {0}));
  EXPECT_FALSE(holds(eu0, 0, {0}) || holds(eu0, 1, {3}));
  for (states_region *t : {p, q, only_q, ef, inv, eu, eu0}) free_states_region(t);
}

// The frontier of a round: by default the exact difference; with whole
// zones, a zone covered by two zones together goes, one that sticks out
// stays whole; the scope restores the mode it found.
TEST_F(StatesRegion, FrontierExactOrWholeZones) {
  load(ring, "true");
  auto known = [] {
    states_region *s = interval_at(0, 0, 1);
    states_region *t = interval_at(0, 1, 2);
    return union_states_region(s, t);
  };
  states_region *s = known();
  states_region *f = frontier_states_region(interval_at(0, 1, 3), s);
  EXPECT_FALSE(holds(f, 0, {1.5}));
  EXPECT_TRUE(holds(f, 0, {2.5}));
  free_states_region(f);
  {
    whole_zone_frontiers whole(true);
    // 0 <= x <= 2 lies in no single zone of s, but in their union.
    EXPECT_EQ(frontier_states_region(interval_at(0, 0, 2), s), nullptr);
    f = frontier_states_region(interval_at(0, 1, 3), s);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(holds(f, 0, {1.5}) && holds(f, 0, {2.5}));
    EXPECT_EQ(f->regs[0]->count, 1);
    free_states_region(f);
    // Locations that s leaves empty keep all of r.
    f = frontier_states_region(interval_at(1, 0, 1), s);
    EXPECT_TRUE(holds(f, 1, {0.5}));
    free_states_region(f);
    {
      whole_zone_frontiers exact(false);
      EXPECT_EQ(frontier_states_region(interval_at(0, 0, 2), s), nullptr);
      f = frontier_states_region(interval_at(0, 1, 3), s);
      EXPECT_FALSE(holds(f, 0, {1.5}));
      free_states_region(f);
    }
    f = frontier_states_region(interval_at(0, 1, 3), s);
    EXPECT_TRUE(holds(f, 0, {1.5}));
    free_states_region(f);
  }
  f = frontier_states_region(interval_at(0, 1, 3), s);
  EXPECT_FALSE(holds(f, 0, {1.5}));
  free_states_region(f);
  EXPECT_EQ(frontier_states_region(nullptr, s), nullptr);
  free_states_region(s);
}

TEST_F(StatesRegion, ClosedTableRunsNoIterationAndWritesHistory) {
  load(ring, "true");
  states_region *inv = mk_inv_st_reg();
  OPT_SET = OPT_VERBOSE | OPT_HISTORY;
  char *buf = nullptr;
  size_t len = 0;
  history_file = open_memstream(&buf, &len);
  n_of_eval = 6;
  testing::internal::CaptureStdout();
  states_region *s = true_exist_until_states_region(inv);
  std::string out = testing::internal::GetCapturedStdout();
  fclose(history_file);
  history_file = nullptr;
  OPT_SET = 0;
  n_of_eval = 0;
  EXPECT_EQ(out, "    iter #: 1\n");
  EXPECT_EQ(std::string(buf, len), "1 --- \n" + text2(s));
  free(buf);
  EXPECT_TRUE(eval_test::same_states(s, inv));
  free_states_region(s);
  free_states_region(inv);
}

TEST_F(StatesRegion, UniversalFixPoints) {
  load(ring, "AD true");
  // A(true U location 2): the ring is forced round, location 3 never gets
  // there.
  states_region *loc2 = interval_at(2, 0, 1);
  COMPACT = 5;
  states_region *af = true_for_all_until_states_region(loc2, 1);
  EXPECT_EQ(COMPACT, 0);
  EXPECT_TRUE(holds(af, 0, {0}) && holds(af, 1, {0}) && holds(af, 2, {0}));
  EXPECT_FALSE(holds(af, 3, {0}));
  // A step of 2 gives the same states.
  states_region *af2 = true_for_all_until_states_region(loc2, 2);
  EXPECT_TRUE(eval_test::same_states(af, af2));
  // A(location 1 U location 2) holds in locations 1 and 2 only.
  states_region *loc1 = interval_at(1, 0, 3);
  states_region *au = for_all_until_states_region(loc1, loc2, 1);
  EXPECT_TRUE(holds(au, 1, {0}) && holds(au, 2, {1}));
  EXPECT_FALSE(holds(au, 0, {0}) || holds(au, 3, {0}));
  for (states_region *t : {loc2, af, af2, loc1, au}) free_states_region(t);
}

TEST_F(StatesRegion, UniversalStepBoundsTheFormulaClock) {
  load(ring, "AD true");
  states_region *loc2 = interval_at(2, 0, 1);
  for (int step : {1, 2}) {
    OPT_SET = OPT_HISTORY;
    char *buf = nullptr;
    size_t len = 0;
    history_file = open_memstream(&buf, &len);
    states_region *af = true_for_all_until_states_region(loc2, step);
    fclose(history_file);
    history_file = nullptr;
    OPT_SET = 0;
    std::string hist(buf, len);
    free(buf);
    // The first nested existential fix-point starts from the invariants
    // where the formula clock has passed the step.
    std::string goal = "state(3) and (\n" + std::to_string(step) + "<_ex1)\n";
    size_t first = hist.find(" --- \n", 7);
    ASSERT_EQ(hist.rfind("1 --- \n", 0), 0u) << hist;
    EXPECT_NE(hist.substr(0, first).find(goal), std::string::npos) << hist;
    EXPECT_EQ(hist.substr(0, first).find(std::to_string(3 - step) + "<_ex1"), std::string::npos) << hist;
    free_states_region(af);
  }
  free_states_region(loc2);
}

TEST_F(StatesRegion, UniversalTraceRestoresIndentation) {
  load(ring, "AD true");
  states_region *loc2 = interval_at(2, 0, 1);
  OPT_SET = OPT_VERBOSE;
  n_of_eval = 4;
  testing::internal::CaptureStdout();
  states_region *af = true_for_all_until_states_region(loc2, 1);
  std::string out = testing::internal::GetCapturedStdout();
  OPT_SET = 0;
  EXPECT_EQ(n_of_eval, 4);
  n_of_eval = 0;
  // "iter #: 1, " indented by n_of_eval - 2, then the unindented nested
  // existential traces, one "        c, " line head per further step.
  EXPECT_EQ(out.rfind("  iter #: 1, iter #: 1", 0), 0u) << out;
  free_states_region(af);
  free_states_region(loc2);
}

// A double complement over its budget is given up: the region stays as
// compacted by inclusion, the same set. A universal fix-point with exact
// frontiers whose compaction gives up runs again with whole-zone ones and
// reaches the same set; under whole-zone frontiers (-reachable) there is
// no second pass.
TEST_F(StatesRegion, CompactionOverBudgetAndTheSecondPass) {
  load(ring, "AD true");
  auto overlapping = [] {
    states_region *p = interval_at(3, 0, 2);
    p = add_states_region(p, interval_at(3, 1, 3));
    return add_states_region(p, interval_at(3, 5, 6));
  };
  COMPACT_LEN = 1;
  states_region *kept = overlapping();
  {
    double_complement_budget none(0);
    compact_states_region2(kept);
  }
  EXPECT_EQ(kept->regs[3]->count, 3);
  states_region *merged = overlapping();
  compact_states_region2(merged);
  EXPECT_EQ(text2(merged), "state(3) and (\nX<=3 or\n5<=X and X<=6)\n");
  EXPECT_TRUE(eval_test::same_states(kept, merged));

  states_region *loc2 = interval_at(2, 0, 1);
  states_region *loc1 = interval_at(1, 0, 3);
  states_region *af = true_for_all_until_states_region(loc2, 1);
  states_region *au = for_all_until_states_region(loc1, loc2, 1);
  auto traced = [](auto fix_point) {
    OPT_SET = OPT_VERBOSE;
    n_of_eval = 4;
    testing::internal::CaptureStdout();
    states_region *r = fix_point();
    std::string out = testing::internal::GetCapturedStdout();
    OPT_SET = 0;
    EXPECT_EQ(n_of_eval, 4);
    n_of_eval = 0;
    return std::make_pair(r, out);
  };
  {
    double_complement_budget none(0);
    auto [af0, out] = traced([&] { return true_for_all_until_states_region(loc2, 1); });
    EXPECT_NE(out.find("\n  again with whole-zone frontiers\n  iter #: 1, "), std::string::npos) << out;
    EXPECT_TRUE(eval_test::same_states(af0, af));
    auto [au0, out2] = traced([&] { return for_all_until_states_region(loc1, loc2, 1); });
    EXPECT_NE(out2.find("again with whole-zone frontiers"), std::string::npos) << out2;
    EXPECT_TRUE(eval_test::same_states(au0, au));
    // Already whole: the compactions that give up keep their regions.
    whole_zone_frontiers whole(true);
    auto [afw, out3] = traced([&] { return true_for_all_until_states_region(loc2, 1); });
    EXPECT_EQ(out3.find("again"), std::string::npos) << out3;
    EXPECT_TRUE(eval_test::same_states(afw, af));
    for (states_region *t : {af0, au0, afw}) free_states_region(t);
  }
  // Within the budget: one pass, as always.
  auto [af1, out] = traced([&] { return true_for_all_until_states_region(loc2, 1); });
  EXPECT_EQ(out.find("again"), std::string::npos) << out;
  EXPECT_TRUE(eval_test::same_states(af1, af));
  for (states_region *t : {kept, merged, loc2, loc1, af, au, af1}) free_states_region(t);
}

TEST_F(StatesRegion, PrintedForms) {
  load(ring, "true");
  states_region *p = interval_at(0, 1, 2);
  states_region *q = mk_empty_states_region();
  zone *a = mk_universal_zone();
  a->flags = 0;
  assign_bounds_edges_zone(a, 1, 0, mk_bound(1, 0), 1);
  zone *b = mk_universal_zone();
  b->flags = 0;
  assign_bounds_edges_zone(b, 0, 1, mk_bound(-4, 1), 1);
  free_region(q->regs[3]);
  q->regs[3] = zone_to_region(a);
  q->regs[3] = union_zone_region(b, q->regs[3]);
  states_region *both = add_states_region(p, q);
  EXPECT_EQ(text2(both), "state(0) and (\n1<=X and X<=2)\nor\nstate(3) and (\nX<1 or\n4<=X)\n");
  EXPECT_EQ(text3(both), text2(both));
  states_region *inv = mk_inv_st_reg();
  EXPECT_EQ(text3(inv), "true\n");
  EXPECT_EQ(text3(nullptr), "false\n");
  EXPECT_EQ(text2(nullptr), "false\n");
  EXPECT_TRUE(is_universal_states_region(inv));
  EXPECT_FALSE(is_universal_states_region(both));
  free_states_region(both);
  free_states_region(inv);
}

TEST_F(StatesRegion, CompactionBoundsZonesPerLocation) {
  load(ring, "true");
  // Three disjoint pieces at location 3.
  states_region *p = mk_empty_states_region();
  region *r = mk_empty_region();
  for (int lo : {0, 4, 8}) {
    zone *z = mk_universal_zone();
    z->flags = 0;
    assign_bounds_edges_zone(z, 0, 1, mk_bound(-lo, 1), 1);
    assign_bounds_edges_zone(z, 1, 0, mk_bound(lo + 1, 1), 1);
    r = union_zone_region(z, r);
  }
  free_region(p->regs[3]);
  p->regs[3] = r;
  states_region *copy = assign_states_region(p);
  COMPACT_LEN = 3;
  compact_states_region2(p);
  EXPECT_EQ(p->regs[3]->count, 3);
  COMPACT_LEN = 1;
  compact_states_region2(p);
  EXPECT_TRUE(eval_test::same_states(p, copy));
  // Hull compaction keeps non-convex regions and merges convex ones.
  compact_hull_states_region(copy);
  EXPECT_TRUE(eval_test::same_states(p, copy));
  states_region *inv = mk_inv_st_reg();
  compact_hull_diff_states_region(inv);
  EXPECT_EQ(text3(inv), "true\n");
  for (states_region *t : {p, copy, inv}) free_states_region(t);
}

}  // namespace
