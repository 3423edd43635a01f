// Regions and region-zone operations on hand-picked cases: results, zone
// order, flags and ownership hand-overs.
#include <gtest/gtest.h>

#include "region_test_helpers.h"

using namespace region_test;

namespace {

class RegionTest : public testing::Test {
 protected:
  void SetUp() override { setup_clocks(2); }
};

TEST_F(RegionTest, MakingCopyingAndResizing) {
  region *e = mk_empty_region();
  EXPECT_EQ(e->flags, REGION_EMPTY | REGION_CANONICAL);
  EXPECT_EQ(e->count, 0);
  EXPECT_EQ(e->zones, nullptr);
  EXPECT_EQ(text(e), "");
  // An empty region given zones holds valuations again.
  resize_region(e, 1);
  e->zones[0] = mk_zone({le(X, 1)});
  EXPECT_FALSE(is_empty_region(e));
  EXPECT_EQ(text(e), "x<=1");

  // The copy drops empty zones and keeps the flags.
  region *r = mk_region({mk_zone({le(X, 1), ge(X, 2)}), mk_zone({ge(Y, 2)}), nullptr});
  r->flags = REGION_COMPACTED;
  region *c = assign_region(r);
  EXPECT_EQ(c->count, 1);
  EXPECT_EQ(c->flags, REGION_COMPACTED);
  EXPECT_EQ(text(c), "2<=y");
  region *c2 = assign_region(nullptr);
  EXPECT_TRUE(c2->flags & REGION_EMPTY);

  cf_region(r);
  EXPECT_EQ(r->count, 1);
  EXPECT_EQ(r->flags, REGION_CANONICAL | REGION_COMPACTED);
  region *allempty = mk_region({mk_zone({lt(X, 0)})});
  cf_region(allempty);
  EXPECT_EQ(allempty->flags, REGION_EMPTY | REGION_CANONICAL);
  EXPECT_EQ(allempty->count, 0);

  resize_region(r, 0);
  EXPECT_EQ(r->flags, REGION_EMPTY | REGION_CANONICAL);
  convert_empty_region(c);
  EXPECT_EQ(c->count, 0);
  EXPECT_DEBUG_DEATH(resize_region(nullptr, 1), "");
  for (region *x : {e, r, c, c2, allempty}) free_region(x);
  free_region(nullptr);
}

TEST_F(RegionTest, IntersectionAndDifference) {
  region *a = mk_region({mk_zone({le(X, 2)}), mk_zone({ge(X, 5)})});
  region *b = mk_region({mk_zone({ge(X, 1), le(X, 6)})});
  region *i = intersection_region(a, b);
  EXPECT_EQ(text(i), "1<=x and x<=2 or\n5<=x and x<=6");
  EXPECT_TRUE(i->flags & REGION_COMPACTED);
  region *ie = intersection_region(a, nullptr);
  EXPECT_TRUE(is_empty_region(ie));

  region *c = mk_region({mk_zone({le(X, 5)})});
  region *h = mk_region({mk_zone({ge(X, 2), le(X, 3)})});
  region *d = diff_region(c, h);
  EXPECT_EQ(text(d), "x<2 or\n3<x and x<=5");
  region *d0 = diff_region(c, nullptr);  // a copy of c
  EXPECT_EQ(text(d0), "x<=5");
  region *d1 = diff_region(nullptr, c);
  EXPECT_TRUE(is_empty_region(d1));
  region *d2 = diff_region(h, c);  // h inside c
  EXPECT_TRUE(is_empty_region(d2));
  for (region *x : {a, b, i, ie, c, h, d, d0, d1, d2}) free_region(x);
}

TEST_F(RegionTest, CompactionMoveOrder) {
  region *r = mk_region({mk_zone({le(X, 3)}), mk_zone({le(X, 5)}), mk_zone({le(X, 1)})});
  compact_incl_region(r);
  EXPECT_EQ(text(r), "x<=5");
  EXPECT_EQ(r->flags, REGION_CANONICAL | REGION_COMPACTED);
  // The last live zone moves into the place of a removed earlier one.
  region *s = mk_region({mk_zone({le(X, 1)}), mk_zone({le(Y, 1)}), mk_zone({le(X, 5)})});
  compact_incl_region(s);
  EXPECT_EQ(text(s), "x<=5 or\ny<=1");
  // Of two equal zones the later one goes.
  zone *first = mk_zone({le(X, 2)});
  region *t = mk_region({first, mk_zone({le(X, 2)})});
  compact_region(t);
  ASSERT_EQ(t->count, 1);
  EXPECT_EQ(t->zones[0], first);
  // A region marked compacted is left alone.
  region *u = mk_region({mk_zone({le(X, 1)}), mk_zone({le(X, 5)})});
  u->flags = REGION_COMPACTED;
  compact_region(u);
  EXPECT_EQ(u->count, 2);
  for (region *x : {r, s, t, u}) free_region(x);
}

TEST_F(RegionTest, UnionAndAppendTakeOver) {
  region *a = mk_region({mk_zone({le(X, 1)})});
  EXPECT_EQ(union_region(a, a), a);
  EXPECT_EQ(a->count, 1);

  // Not compacted: the union is compacted.
  region *u = union_region(mk_region({mk_zone({le(X, 5)})}), mk_region({mk_zone({le(X, 1)})}));
  EXPECT_EQ(text(u), "x<=5");
  // Marked compacted: the added zones stay, in order.
  region *c = mk_region({mk_zone({le(X, 5)})});
  compact_incl_region(c);
  region *v = union_region(c, mk_region({mk_zone({le(X, 1)})}));
  EXPECT_EQ(v, c);
  EXPECT_EQ(text(v), "x<=5 or\nx<=1");
  EXPECT_TRUE(v->flags & REGION_COMPACTED);
  // Canonical only when both operands were.
  region *k = mk_region({mk_zone({le(X, 5)})});
  cf_region(k);
  region *w = mk_region({mk_zone({ge(X, 7)})});
  w->flags = REGION_COMPACTED;  // keeps the union from closing it
  k->flags |= REGION_COMPACTED;
  region *kw = union_region(k, w);
  EXPECT_FALSE(kw->flags & REGION_CANONICAL);
  // Empty operands.
  region *e1 = union_region(mk_empty_region(), nullptr);
  EXPECT_TRUE(is_empty_region(e1));
  ASSERT_NE(e1, nullptr);
  region *b = mk_region({mk_zone({ge(Y, 1)})});
  EXPECT_EQ(union_region(mk_empty_region(), b), b);

  // Append: zones included in the other operand go; a's first.
  region *p = mk_region({mk_zone({le(X, 1)}), mk_zone({ge(X, 4)})});
  region *q = mk_region({mk_zone({le(X, 2)}), mk_zone({ge(X, 5)})});
  region *pq = append_region(p, q);
  EXPECT_EQ(pq, p);
  EXPECT_EQ(text(pq), "4<=x or\nx<=2");
  region *r = mk_region({mk_zone({le(Y, 3)}), mk_zone({ge(X, 1)})});
  EXPECT_EQ(append_region(r, r), r);
  EXPECT_EQ(r->count, 2);
  EXPECT_EQ(append_region(mk_empty_region(), r), r);
  EXPECT_EQ(append_region(r, nullptr), r);
  region *e2 = append_region(nullptr, nullptr);
  ASSERT_NE(e2, nullptr);
  EXPECT_TRUE(is_empty_region(e2));
  for (region *x : {a, u, v, kw, e1, b, pq, r, e2}) free_region(x);
}

TEST_F(RegionTest, ComplementAndInclusion) {
  region *t = complement_region(nullptr);
  EXPECT_EQ(text(t), "TRUE");
  region *a = mk_region({mk_zone({le(X, 1)}), mk_zone({ge(X, 3)})});
  region *na = complement_region(a);
  EXPECT_EQ(text(na), "1<x and x<3");
  region *f = complement_region(t);
  EXPECT_TRUE(is_empty_region(f));

  region *e = mk_empty_region();
  EXPECT_EQ(is_included_region(e, a), 1);
  EXPECT_EQ(is_included_region(nullptr, nullptr), 1);
  EXPECT_EQ(is_included_region(a, e), 0);
  EXPECT_EQ(is_included_region(a, nullptr), 0);
  EXPECT_EQ(is_included_region(a, t), 1);
  EXPECT_EQ(is_included_region(t, a), 0);
  region *b = mk_region({mk_zone({le(X, 0)}), mk_zone({ge(X, 4)})});
  EXPECT_EQ(is_included_region(b, a), 1);
  EXPECT_EQ(is_included_region(a, b), 0);
  for (region *x : {t, a, na, f, e, b}) free_region(x);
}

// The budgeted complement and difference give the zones of the plain ones
// while the work fits; past it, null and nothing kept (the leak checker
// sees the pieces go).
TEST_F(RegionTest, ComplementAndDifferenceWithinABudget) {
  auto grid = [] {
    // Four unit squares in a checkerboard: every step cuts several zones.
    return mk_region({mk_zone({le(X, 1), le(Y, 1)}), mk_zone({ge(X, 2), le(X, 3), ge(Y, 2), le(Y, 3)}),
                      mk_zone({ge(X, 4), le(Y, 1)}), mk_zone({le(X, 1), ge(Y, 4)})});
  };
  region *a = grid();
  region *plain = complement_region(a);
  int64_t unlimited = INT64_MAX;
  region *within = complement_region_within(a, &unlimited);
  ASSERT_NE(within, nullptr);
  EXPECT_EQ(text(within), text(plain));
  const int64_t spent = INT64_MAX - unlimited;
  EXPECT_GT(spent, 0);
  // Exactly the work spent fits; one less does not.
  int64_t exact = spent;
  region *again = complement_region_within(a, &exact);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(exact, 0);
  EXPECT_EQ(text(again), text(plain));
  int64_t short_one = spent - 1;
  EXPECT_EQ(complement_region_within(a, &short_one), nullptr);
  EXPECT_LT(short_one, 0);
  region *none = complement_region_within(a, nullptr);
  EXPECT_EQ(text(none), text(plain));
  int64_t zero = 0;
  region *t = complement_region_within(nullptr, &zero);
  EXPECT_EQ(text(t), "TRUE");
  EXPECT_EQ(zero, 0);

  // One difference: the pieces of each further zone are paid for against
  // the zones kept so far.
  zone *w = mk_zone({ge(X, 1), le(X, 2)});
  region *d = intersection_region_not_zone(plain, w);
  int64_t big = INT64_MAX;
  region *dw = intersection_region_not_zone_within(plain, w, &big);
  EXPECT_EQ(text(dw), text(d));
  int64_t small = 0;
  EXPECT_EQ(intersection_region_not_zone_within(plain, w, &small), nullptr);
  // Nothing to append (one zone, or an empty w) costs nothing.
  region *one = mk_region({mk_zone({le(X, 5)})});
  region *o = intersection_region_not_zone_within(one, w, &zero);
  EXPECT_EQ(text(o), "x<1 or\n2<x and x<=5");
  region *copy = intersection_region_not_zone_within(plain, nullptr, &zero);
  EXPECT_EQ(text(copy), text(plain));
  EXPECT_EQ(zero, 0);
  for (region *x : {a, plain, within, again, none, t, d, dw, one, o, copy}) free_region(x);
  free_zone(w);
}

TEST_F(RegionTest, HullCompaction) {
  // Convex union: the hull replaces the region.
  region *r = mk_region({mk_zone({le(X, 1)}), mk_zone({ge(X, 1), le(X, 3)})});
  region *h = compact_hull_region(r);
  EXPECT_NE(h, r);
  EXPECT_EQ(text(h), "x<=3");
  region *hd = compact_hull_diff_region(r);
  EXPECT_EQ(text(hd), "x<=3");
  // Not convex: the region itself, or the hull minus its holes.
  region *s = mk_region({mk_zone({le(X, 1)}), mk_zone({ge(X, 2), le(X, 3)})});
  EXPECT_EQ(compact_hull_region(s), s);
  region *sd = compact_hull_diff_region(s);
  EXPECT_EQ(text(sd), "x<=1 or\n2<=x and x<=3");
  region *e = compact_hull_region(nullptr);
  EXPECT_TRUE(is_empty_region(e));
  for (region *x : {r, h, hd, s, sd, e}) free_region(x);
}

TEST_F(RegionTest, InPlaceBoundsAndClocks) {
  region *r = mk_region({mk_zone({le(X, 3)})});
  cf_region(r);
  compact_region(r);
  modif_global_region(r, 0, Y, mk_bound(-2, 0));
  EXPECT_EQ(text(r), "x<=3 and 2<y");
  EXPECT_EQ(r->flags, REGION_COMPACTED);  // no longer canonical
  modif_global_region(nullptr, 0, Y, 0);

  region *s = mk_region({mk_zone({le(X, 3), dle(Y, X, 1)})});
  add_extra_clocks_region(s, 1);
  N_OF_CLOCKS = 4;
  BOUNDS_SIZE = 16;
  EDGES_SIZE = 1;
  EXPECT_EQ(s->zones[0]->bounds[3][0], INF_BOUND);
  del_extra_clocks_region(s, 1);
  setup_clocks(2);
  EXPECT_EQ(text(s), "x<=3 and y<=x+1");
  free_region(r);
  free_region(s);
}

TEST_F(RegionTest, PredecessorOperations) {
  region *a = mk_region({mk_zone({ge(X, 3), le(X, 5)})});
  region *p = proj_region(a);
  EXPECT_EQ(text(p), "x<=5");

  // Reset of x: x >= 2 has no valuation with x = 0; y - x <= 1, x <= 4 gives
  // y <= 1.
  region *b = mk_region({mk_zone({ge(X, 2)}), mk_zone({dle(Y, X, 1), le(X, 4)})});
  region *rb = reset_region(b, X);
  EXPECT_EQ(text(rb), "y<=1");
  EXPECT_EQ(rb->flags, REGION_CANONICAL);
  region *rf = reset_region(nullptr, X);
  EXPECT_TRUE(is_empty_region(rf));

  // x := y.
  const uint16_t xy[3] = {0, 2, 2};
  region *c = mk_region({mk_zone({dle(X, Y, -1)}), mk_zone({le(X, 1)})});
  region *bc = backward_affect_region(c, xy);
  EXPECT_EQ(text(bc), "y<=1");
  region *cc = backward_affect_region(c, nullptr);
  EXPECT_EQ(text(cc), text(c));
  region *g = mk_region({mk_zone({ge(Y, 1)})});
  region *pr = pre_region(c, g, xy);
  EXPECT_EQ(text(pr), "y=1");
  region *pe = pre_region(nullptr, g, xy);
  EXPECT_TRUE(is_empty_region(pe));
  for (region *x : {a, p, b, rb, rf, c, bc, cc, g, pr, pe}) free_region(x);
}

TEST_F(RegionTest, TimedPaths) {
  region *all = mk_region({mk_universal_zone()});
  zone *late = mk_zone({ge(X, 5)});
  region *p1 = path_region_zone0(all, late);
  EXPECT_EQ(text(p1), "TRUE");
  zone *five = mk_zone({le(X, 5), ge(X, 5)});
  region *none = mk_empty_region();
  region *p2 = path_region_zone0(none, five);
  EXPECT_EQ(text(p2), "x=5");
  region *p3 = path_region_zone0(all, nullptr);
  EXPECT_TRUE(is_empty_region(p3));
  // Through a gap: 1 <= x <= 2 leads to x = 5 only across 2 < x < 5.
  region *gap = mk_region({mk_zone({ge(X, 1), le(X, 2)})});
  region *p4 = path_region_zone0(gap, five);
  EXPECT_EQ(text(p4), "x=5");
  region *bridge = mk_region({mk_zone({ge(X, 1), lt(X, 5)})});
  region *p5 = path_region_zone0(bridge, five);
  EXPECT_EQ(text(p5), "1<=x and x<=5");

  region *targets = mk_region({assign_zone(five)});
  region *q1 = path_region(none, targets);  // a copy of the targets
  EXPECT_EQ(text(q1), "x=5");
  region *q2 = path_region(all, none);
  EXPECT_TRUE(is_empty_region(q2));
  region *q3 = path_region(bridge, targets);
  EXPECT_EQ(text(q3), "1<=x and x<=5");
  for (region *x : {all, p1, none, p2, p3, gap, p4, bridge, p5, targets, q1, q2, q3}) free_region(x);
  free_zone(late);
  free_zone(five);
}

TEST_F(RegionTest, ZoneToRegionAndUnion) {
  region *e = zone_to_region(mk_zone({lt(X, 0)}));  // the empty record is freed
  EXPECT_TRUE(is_empty_region(e));
  zone *z = mk_zone({le(X, 1)});
  region *r = zone_to_region2(z);
  EXPECT_EQ(r->flags, 0);
  EXPECT_NE(r->zones[0], z);
  region *s = zone_to_region(z);
  EXPECT_EQ(s->zones[0], z);

  region *u1 = union_zone_region(mk_zone({le(Y, 2)}), mk_empty_region());
  EXPECT_EQ(text(u1), "y<=2");
  region *u2 = union_zone_region(mk_zone({lt(Y, 0)}), u1);
  EXPECT_EQ(u2, u1);
  region *u3 = union_zone_region(mk_zone({le(Y, 1)}), u2);
  EXPECT_EQ(text(u3), "y<=2");
  region *u4 = union_zone_region(mk_zone({ge(Y, 4)}), u3);
  EXPECT_EQ(text(u4), "y<=2 or\n4<=y");
  for (region *x : {e, r, s, u4}) free_region(x);
}

TEST_F(RegionTest, ComplementAndDifferenceOfZones) {
  zone *z = mk_zone({ge(X, 2), le(X, 3)});
  region *c = complement_zone(z);
  EXPECT_EQ(text(c), "x<2 or\n3<x");
  EXPECT_EQ(c->flags, REGION_CANONICAL | REGION_COMPACTED);
  region *ce = complement_zone(nullptr);
  EXPECT_EQ(text(ce), "TRUE");
  zone *u = mk_universal_zone();
  region *cu = complement_zone(u);
  EXPECT_TRUE(is_empty_region(cu));
  // A diagonal edge: y <= x + 1 has the complement x + 1 < y.
  zone *d = mk_zone({dle(Y, X, 1)});
  region *cd = complement_zone(d);
  EXPECT_EQ(text(cd), "x+1<y");

  zone *x5 = mk_zone({le(X, 5)});
  zone *x3 = mk_zone({le(X, 3)});
  zone *x2 = mk_zone({le(X, 2)});
  zone *ge3 = mk_zone({ge(X, 3)});
  region *a = intersection_zone_not_zone(x5, x3);
  EXPECT_EQ(text(a), "3<x and x<=5");
  EXPECT_EQ(a->flags, 0);
  region *b = intersection_zone_not_zone(x2, ge3);  // disjoint: x2 itself
  ASSERT_EQ(b->count, 1);
  EXPECT_NE(b->zones[0], x2);
  EXPECT_EQ(text(b), "x<=2");
  region *f = intersection_zone_not_zone(x2, x5);
  EXPECT_TRUE(is_empty_region(f));
  region *g = intersection_zone_not_zone(nullptr, x5);
  EXPECT_TRUE(is_empty_region(g));

  region *r = mk_region({assign_zone(x5), mk_zone({ge(Y, 1)})});
  region *rw = intersection_region_not_zone(r, x3);
  EXPECT_EQ(text(rw), "3<x and x<=5 or\n3<x and 1<=y");
  region *rn = intersection_region_not_zone(r, nullptr);
  EXPECT_EQ(text(rn), text(r));
  region *re = intersection_region_not_zone(nullptr, x3);
  EXPECT_TRUE(is_empty_region(re));

  region *h = mk_region({mk_zone({le(X, 1)}), mk_zone({ge(X, 2), le(X, 3)})});
  zone *hz = hull_region(h);
  EXPECT_EQ(text(hz), "x<=3");
  EXPECT_EQ(hull_region(nullptr), nullptr);
  for (region *x : {c, ce, cu, cd, a, b, f, g, r, rw, rn, re, h}) free_region(x);
  for (zone *x : {z, u, d, x5, x3, x2, ge3, hz}) free_zone(x);
}

}  // namespace
