// Zone representation, closure and transformations.
#include <gtest/gtest.h>

#include "common/zone/zone.h"
#include "common/zone/zone_read_write.h"
#include "zone_test_util.h"

using namespace zone_test;

namespace {
constexpr int X = 1, Y = 2;
}

TEST(ZoneSetup, SizesAndNames) {
  setup(2, 1);
  EXPECT_EQ(N_OF_CLOCKS, 4);
  EXPECT_EQ(BOUNDS_SIZE, 16);
  EXPECT_EQ(EDGES_SIZE, 1);
  EXPECT_STREQ(clocks_names[0], "_0_");
  EXPECT_STREQ(clocks_names[1], "x");
  EXPECT_STREQ(clocks_names[2], "y");
  EXPECT_STREQ(clocks_names[3], "_ex1");
  setup(1, 12);
  EXPECT_EQ(N_OF_CLOCKS, 14);
  EXPECT_EQ(EDGES_SIZE, 7);  // 196 bits
  EXPECT_STREQ(clocks_names[13], "_ex12");
  put_clocks_names(1, "CLK");
  EXPECT_STREQ(clocks_names[1], "CLK");
}

TEST(ZoneBounds, EncodingSumAndLimits) {
  EXPECT_EQ(mk_bound(0, 1), 1);
  EXPECT_EQ(mk_bound(0, 0), 0);
  EXPECT_EQ(mk_bound(3, 1), 7);
  EXPECT_EQ(mk_bound(-2, 0), -4);
  EXPECT_EQ(bound_constant(-4), -2);
  EXPECT_EQ(bound_constant(-3), -2);  // (-2, <=)
  EXPECT_EQ(neg_bound(mk_bound(3, 1)), mk_bound(-3, 0));
  EXPECT_EQ(neg_bound(mk_bound(-5, 0)), mk_bound(5, 1));
  EXPECT_EQ(add_bounds(mk_bound(3, 1), mk_bound(2, 1)), mk_bound(5, 1));
  EXPECT_EQ(add_bounds(mk_bound(3, 1), mk_bound(2, 0)), mk_bound(5, 0));
  EXPECT_EQ(add_bounds(mk_bound(16382, 1), mk_bound(16382, 1)), INF_BOUND);
  EXPECT_EQ(add_bounds(mk_bound(16382, 1), mk_bound(1, 0)), INF_BOUND);
  EXPECT_EQ(add_bounds(mk_bound(-16384, 1), mk_bound(-16384, 1)), mk_bound(-16384, 1));
  EXPECT_EQ(add_bounds(mk_bound(-16384, 0), mk_bound(-3, 1)), mk_bound(-16384, 0));
  testing::internal::CaptureStderr();
  EXPECT_EQ(check_bound_constant(16382), 1);
  EXPECT_EQ(check_bound_constant(-16384), 1);
  EXPECT_EQ(check_bound_constant(16383), 0);
  EXPECT_EQ(check_bound_constant(-16385), 0);
  EXPECT_EQ(check_clocks_number(254), 1);
  EXPECT_EQ(check_clocks_number(255), 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("varnok: ERROR: constant 16383 out of range (-16384 to 16382)\n"), std::string::npos);
  EXPECT_NE(err.find("too many clocks (255)"), std::string::npos);
}

TEST(ZoneMake, UniversalZeroCopyFree) {
  setup(2);
  zone *u = mk_universal_zone();
  EXPECT_EQ(u->flags, ZONE_UNIVERSAL | ZONE_CANONICAL);
  EXPECT_EQ(u->edges[0], 0u);
  EXPECT_EQ(u->bounds[0][X], ZERO_LE);
  EXPECT_EQ(u->bounds[X][0], INF_BOUND);
  EXPECT_EQ(u->bounds[Y][Y], ZERO_LE);
  EXPECT_EQ(text(u), "TRUE");

  zone *z = mk_zero_zone(0);
  EXPECT_EQ(text(z), "x=0 and y=0");
  EXPECT_EQ(z->bounds[X][Y], ZERO_LE);
  EXPECT_EQ(z->bounds[Y][X], ZERO_LE);
  zone *c = assign_zone(z);
  EXPECT_NE(c, z);
  EXPECT_EQ(c->flags, z->flags);
  EXPECT_TRUE(equ_zone(c, z));
  EXPECT_EQ(c->bounds[1] - c->bounds[0], N_OF_CLOCKS);  // one contiguous matrix

  setup(1, 1);
  zone *z1 = mk_zero_zone(1);
  EXPECT_EQ(text(z1), "x=0");
  EXPECT_EQ(z1->bounds[2][0], INF_BOUND);

  EXPECT_EQ(assign_zone(nullptr), nullptr);
  convert_empty_zone(c);
  EXPECT_EQ(c->flags, ZONE_EMPTY | ZONE_CANONICAL);
  EXPECT_EQ(assign_zone(c), nullptr);
  free_zone(c);  // an empty record is released too
  free_zone(nullptr);
  free_zone(u);
  free_zone(z);
  free_zone(z1);
}

TEST(ZoneMake, SettersAndFlags) {
  setup(2);
  zone *z = mk_universal_zone();
  assign_bounds_edges_zone(z, X, 0, mk_bound(3, 1), 1);
  EXPECT_EQ(z->flags, ZONE_UNIVERSAL | ZONE_CANONICAL);  // flags are the caller's business
  EXPECT_TRUE(get_edge_zone(z, X, 0));
  assign_bounds_edges_zone(z, X, 0, mk_bound(4, 1), 0);
  EXPECT_FALSE(get_edge_zone(z, X, 0));
  assign_disactual_bounds_edges_zone(z, Y, 0, mk_bound(2, 0));
  EXPECT_EQ(z->flags, 0);
  EXPECT_TRUE(get_edge_zone(z, Y, 0));
  EXPECT_EQ(text(z), "y<2");  // x<=4 is not an edge
  free_zone(z);
}

TEST(ZoneClosure, EmptinessAndPoints) {
  setup(2);
  zone *a = blank();
  add(a, X, 0, 3, 1);
  add(a, 0, X, -5, 0);  // x > 5
  cf_zone(a);
  EXPECT_EQ(a->flags, 5);
  EXPECT_EQ(text(a), "FALSE");

  zone *b = blank();
  add(b, X, 0, 3, 1);
  add(b, 0, X, -3, 1);
  EXPECT_EQ(text(b), "x=3");

  zone *c = blank();
  add(c, X, 0, 0, 0);  // x < 0
  cf_zone(c);
  EXPECT_TRUE(is_empty_zone(c));
  zone *d = blank();
  add(d, X, 0, 0, 1);
  EXPECT_EQ(text(d), "x=0");
  EXPECT_FALSE(is_empty_zone(d));
  for (zone *z : {a, b, c, d}) free_zone(z);
}

TEST(ZoneClosure, TighteningKeepsOnlyOriginalEdges) {
  setup(2);
  zone *z = blank();
  add(z, X, 0, 3, 1);
  add(z, Y, X, 1, 1);
  cf_zone(z);
  EXPECT_EQ(z->flags, ZONE_CANONICAL);
  EXPECT_EQ(z->bounds[Y][0], mk_bound(4, 1));
  EXPECT_EQ(z->bounds[X][Y], mk_bound(3, 1));
  EXPECT_FALSE(get_edge_zone(z, Y, 0));
  EXPECT_FALSE(get_edge_zone(z, X, Y));
  EXPECT_TRUE(get_edge_zone(z, X, 0));
  EXPECT_TRUE(get_edge_zone(z, Y, X));
  EXPECT_EQ(text(z), "x<=3 and y<=x+1");
  // A redundant constraint equal to a path of two edges loses its edge.
  zone *r = blank();
  add(r, X, 0, 3, 1);
  add(r, Y, X, 1, 1);
  add(r, Y, 0, 4, 1);
  EXPECT_EQ(text(r), "x<=3 and y<=x+1");
  // The diagonal never changes and never stays an edge.
  zone *all = blank();
  add(all, X, X, 0, 1);
  add(all, X, 0, 2, 1);
  cf_zone(all);
  EXPECT_FALSE(get_edge_zone(all, X, X));
  EXPECT_EQ(all->bounds[X][X], ZERO_LE);
  for (zone *p : {z, r, all}) free_zone(p);
}

TEST(ZoneCompare, EqualAndIncluded) {
  setup(2);
  zone *e1 = blank(), *e2 = blank();
  add(e1, X, 0, 0, 0);
  add(e2, Y, 0, 0, 0);
  zone *u = mk_universal_zone();
  EXPECT_EQ(equ_zone(e1, e2), 1);  // both empty
  EXPECT_EQ(equ_zone(e1, u), 0);
  EXPECT_EQ(equ_zone(nullptr, e1), 1);
  EXPECT_EQ(equal_dont_cf_zones(nullptr, e2), 1);

  zone *a = blank();
  add(a, X, 0, 3, 1);
  add(a, Y, X, 1, 1);
  zone *b = blank();
  add(b, X, 0, 3, 1);
  add(b, Y, X, 1, 1);
  add(b, Y, 0, 4, 1);  // implied
  EXPECT_EQ(equ_zone(a, b), 1);
  EXPECT_EQ(is_included_zone(a, u), 1);
  EXPECT_EQ(is_included_zone(u, a), 0);
  EXPECT_EQ(is_included_zone(nullptr, a), 1);
  EXPECT_EQ(is_included_zone(a, nullptr), 0);
  EXPECT_EQ(is_included_zone(e1, a), 1);
  zone *small = blank();
  add(small, X, 0, 2, 1);
  add(small, Y, X, 1, 0);
  cf_zone(small);
  EXPECT_EQ(is_included_zone(small, a), 1);
  EXPECT_EQ(is_included_zone(a, small), 0);
  EXPECT_EQ(equal_dont_cf_zones(a, b), 1);
  EXPECT_EQ(equal_dont_cf_zones(a, small), 0);
  for (zone *p : {e1, e2, u, a, b, small}) free_zone(p);
}

TEST(ZoneTime, SuccessorsAndPredecessors) {
  setup(2);
  zone *z = mk_zero_zone(0);
  assign_bounds_edges_zone(z, X, 0, mk_bound(2, 1), 1);
  assign_bounds_edges_zone(z, 0, X, mk_bound(-2, 1), 1);
  assign_bounds_edges_zone(z, X, Y, mk_bound(2, 1), 1);
  assign_bounds_edges_zone(z, Y, X, mk_bound(-2, 1), 1);
  z->flags = 0;
  zone *f = forward_proj_zone(z);
  EXPECT_EQ(f->flags & ZONE_CANONICAL, 0);
  EXPECT_EQ(f->bounds[X][0], INF_BOUND);
  EXPECT_EQ(f->bounds[Y][0], INF_BOUND);
  EXPECT_EQ(f->bounds[X][Y], mk_bound(2, 1));
  EXPECT_EQ(f->bounds[Y][X], mk_bound(-2, 1));
  EXPECT_EQ(text(f), "2<=x and x=y+2");
  zone *u = mk_universal_zone();
  zone *fu = forward_proj_zone(u);
  EXPECT_EQ(fu->flags, u->flags);

  zone *p = blank();
  add(p, 0, X, -3, 1);
  add(p, X, 0, 5, 1);
  cf_zone(p);
  zone *q = proj_zone(p);
  EXPECT_EQ(text(q), "x<=5");
  EXPECT_EQ(proj_zone(nullptr), nullptr);
  EXPECT_EQ(forward_proj_zone(nullptr), nullptr);

  // Time passes up to the invariant's bound only.
  zone *w = blank();
  add(w, X, 0, 7, 1);
  zone *c = forward_proj_cond_zone(p, w);
  EXPECT_EQ(c->bounds[X][0], mk_bound(7, 1));
  // Time passing keeps differences: x - y <= 5 stays and becomes an edge.
  EXPECT_EQ(text(c), "3<=x and x<=7 and x<=y+5");
  zone *c2 = forward_proj_cond_zone(c, w);  // nothing tighter: unchanged flags
  EXPECT_EQ(c2->flags, c->flags);
  for (zone *r : {z, f, u, fu, p, q, w, c, c2}) free_zone(r);
}

TEST(ZoneSets, IntersectionAndHull) {
  setup(2);
  zone *a = blank();
  add(a, X, 0, 1, 1);
  zone *b = blank();
  add(b, 0, X, -3, 1);
  add(b, X, 0, 4, 1);
  zone *u = mk_universal_zone();
  zone *iu = intersection_zone(a, u);
  EXPECT_EQ(iu->flags, a->flags);  // a copy, not closed again
  EXPECT_EQ(intersection_zone(a, nullptr), nullptr);
  zone *ab = intersection_zone(a, b);
  EXPECT_EQ(ab->flags, 0);
  cf_zone(ab);
  EXPECT_TRUE(is_empty_zone(ab));

  zone *h = Union_zone(a, b);
  EXPECT_EQ(text(h), "x<=4");
  zone *c = blank();
  add(c, 0, X, -3, 1);
  zone *h2 = Union_zone(a, c);
  EXPECT_EQ(text(h2), "TRUE");
  zone *h3 = Union_zone(nullptr, c);
  EXPECT_TRUE(equ_zone(h3, c));
  zone *h4 = Union_zone(ab, c);  // ab is an empty record
  EXPECT_TRUE(equ_zone(h4, c));
  for (zone *p : {a, b, u, iu, ab, h, c, h2, h3, h4}) free_zone(p);
}

TEST(ZoneSets, Borders) {
  setup(1);
  auto up = [](int d, int le) { zone *z = blank(); add(z, X, 0, d, le); return z; };
  auto low = [](int d, int le) { zone *z = blank(); add(z, 0, X, -d, le); return z; };
  zone *lt3 = up(3, 0), *ge3 = low(3, 1), *le3 = up(3, 1), *gt3 = low(3, 0);
  EXPECT_EQ(test_border(lt3, ge3), 1);
  EXPECT_EQ(test_border(le3, gt3), 2);
  EXPECT_EQ(test_border(lt3, gt3), 0);
  EXPECT_EQ(test_border(nullptr, gt3), -1);
  zone *b1 = border_zone(lt3, ge3);
  EXPECT_EQ(text(b1), "x=3");
  zone *b2 = border_zone(le3, gt3);
  EXPECT_EQ(text(b2), "x=3");
  zone *b3 = border_zone(lt3, gt3);
  EXPECT_EQ(text(b3), "FALSE");
  setup(2);
  // Meetings of both kinds on two clocks: no border.
  zone *z = blank();
  add(z, X, 0, 3, 0);
  add(z, Y, 0, 2, 1);
  zone *w = blank();
  add(w, 0, X, -3, 1);
  add(w, 0, Y, -2, 0);
  EXPECT_EQ(test_border(z, w), -1);
  EXPECT_EQ(border_zone(z, w), nullptr);
  for (zone *p : {lt3, ge3, le3, gt3, b1, b2, b3, z, w}) free_zone(p);
}

TEST(ZoneAssign, ResetsAndAssignments) {
  setup(2);
  zone *g = blank();
  add(g, 0, X, -2, 1);
  zone *r = reset_zone(g, X);
  ASSERT_NE(r, nullptr);  // the empty record, not null
  EXPECT_TRUE(r->flags & ZONE_EMPTY);
  EXPECT_EQ(reset_zone(nullptr, X), nullptr);

  zone *z = blank();
  add(z, Y, X, 1, 1);
  add(z, X, 0, 4, 1);
  zone *r2 = reset_zone(z, X);
  EXPECT_EQ(text(r2), "y<=1");
  EXPECT_TRUE(r2->flags & ZONE_CANONICAL);
  EXPECT_EQ(r2->bounds[Y][X], mk_bound(1, 1));
  EXPECT_EQ(r2->bounds[X][0], INF_BOUND);

  AFFECT_SIZE = 3;
  const uint16_t x_gets_y[] = {0, Y, Y};
  zone *lt = blank();
  add(lt, X, Y, 0, 0);  // x < y
  EXPECT_EQ(backward_affect_zone(lt, x_gets_y), nullptr);

  zone *f = blank();
  add(f, X, 0, 1, 1);
  add(f, Y, 0, 5, 1);
  add(f, 0, Y, -5, 1);
  zone *fa = forward_affect_zone(f, x_gets_y);
  cf_zone(fa);
  EXPECT_EQ(fa->bounds[X][0], mk_bound(5, 1));
  EXPECT_EQ(fa->bounds[0][X], mk_bound(-5, 1));
  EXPECT_EQ(fa->bounds[X][Y], ZERO_LE);
  EXPECT_EQ(fa->bounds[Y][X], ZERO_LE);
  // A reset applied to the universal zone must not keep the universal flag.
  const uint16_t reset_x[] = {0, 0, Y};
  zone *u = mk_universal_zone();
  zone *ur = forward_affect_zone(u, reset_x);
  EXPECT_FALSE(ur->flags & ZONE_UNIVERSAL);
  zone *other = blank();
  add(other, 0, X, -1, 1);
  zone *meet = intersection_zone(ur, other);
  cf_zone(meet);
  EXPECT_TRUE(is_empty_zone(meet));
  for (zone *p : {g, r, z, r2, lt, f, fa, u, ur, other, meet}) free_zone(p);
}

TEST(ZoneAssign, BackwardKeepsExtraClockConstraints) {
  setup(1, 2);  // x, _ex1, _ex2
  AFFECT_SIZE = 2;
  const int E1 = 2, E2 = 3;
  zone *z = blank();
  add(z, E1, E2, 2, 1);  // _ex1 - _ex2 <= 2
  add(z, E2, X, -1, 0);  // _ex2 - x < -1
  add(z, X, 0, 5, 1);
  cf_zone(z);
  const uint16_t keep[] = {0, X};
  zone *b = backward_affect_zone(z, keep);
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(equ_zone(b, z));
  const uint16_t reset[] = {0, 0};
  zone *br = backward_affect_zone(z, reset);  // z needs x > 1: null
  EXPECT_EQ(br, nullptr);
  for (zone *p : {z, b, br}) free_zone(p);
}

TEST(ZoneExtrapolate, Maximize) {
  setup(1);
  zone *m = mk_universal_zone();
  m->flags = 0;
  assign_bounds_edges_zone(m, X, 0, mk_bound(5, 1), 0);
  zone *ge7 = blank();
  add(ge7, 0, X, -7, 1);
  zone *r = maximize_zone(ge7, m);
  EXPECT_EQ(text(r), "5<x");
  zone *le9 = blank();
  add(le9, X, 0, 9, 1);
  zone *r2 = maximize_zone(le9, m);
  EXPECT_EQ(text(r2), "TRUE");
  zone *le4 = blank();
  add(le4, X, 0, 4, 0);
  zone *r3 = maximize_zone(le4, m);
  EXPECT_EQ(text(r3), "x<4");
  EXPECT_EQ(maximize_zone(nullptr, m), nullptr);
  for (zone *p : {m, ge7, r, le9, r2, le4, r3}) free_zone(p);
}

// A kept bound that only followed from a dropped one becomes an edge, so the
// edges describe the same set as the matrix.
TEST(ZoneExtrapolate, KeptBoundsOfADroppedOneStayEdges) {
  setup(2);
  zone *m = mk_universal_zone();
  m->flags = 0;
  assign_bounds_edges_zone(m, X, 0, mk_bound(5, 1), 0);
  assign_bounds_edges_zone(m, Y, 0, mk_bound(20, 1), 0);
  assign_bounds_edges_zone(m, Y, X, mk_bound(20, 1), 0);
  zone *z = blank();
  add(z, X, 0, 9, 1);  // x <= 9 goes
  add(z, Y, X, 1, 1);  // y <= x + 1 stays, and so does y <= 10
  cf_zone(z);
  zone *r = maximize_zone(z, m);
  cf_zone(r);
  EXPECT_EQ(text(r), "y<=10 and x<=y+9 and y<=x+1");  // x - y <= 9 stays too
  zone *far = blank();
  add(far, 0, Y, -15, 1);
  add(far, Y, X, 1, 1);
  cf_zone(far);
  EXPECT_EQ(is_included_zone(far, r), 0);
  for (zone *p : {m, z, r, far}) free_zone(p);
}

TEST(ZoneClocks, AddAndDeleteExtraClocks) {
  setup(2);
  zone *z = blank();
  add(z, X, 0, 3, 1);
  add(z, Y, X, 1, 1);
  add(z, 0, Y, -1, 0);
  std::string before = text(z);
  zone *copy = assign_zone(z);
  add_extra_clocks_zone(z, 2);
  setup(2, 2);
  EXPECT_EQ(z->bounds[3][0], INF_BOUND);
  EXPECT_EQ(z->bounds[0][3], ZERO_LE);
  EXPECT_EQ(z->bounds[X][4], z->bounds[X][0]);
  EXPECT_EQ(text(z), before);
  zone *z2 = assign_zone(z);
  // Constrain the new clocks, then project them away again.
  assign_bounds_edges_zone(z, 3, X, mk_bound(0, 1), 1);
  assign_bounds_edges_zone(z, 4, 0, mk_bound(1, 1), 1);
  z->flags = 0;
  del_extra_clocks_zone(z, 2);
  setup(2);
  EXPECT_EQ(text(z), before);
  EXPECT_TRUE(equ_zone(z, copy));
  free_zone(z);
  free_zone(copy);
  setup(2, 2);
  free_zone(z2);
  setup(2);
}

// Bounds that only followed through a dropped clock stay part of the zone:
// they print and they limit inclusion.
TEST(ZoneClocks, DeletingKeepsBoundsImpliedThroughDroppedClocks) {
  setup(2, 1);  // x, y, _ex1
  const int E = 3;
  zone *z = blank();
  add(z, X, E, 1, 1);  // x - _ex1 <= 1
  add(z, E, 0, 2, 1);  // _ex1 <= 2
  add(z, E, Y, 0, 1);  // _ex1 <= y
  add(z, Y, 0, 5, 0);  // y < 5
  cf_zone(z);
  del_extra_clocks_zone(z, 1);
  setup(2);
  EXPECT_EQ(text(z), "x<=3 and y<5 and x<=y+1");
  zone *far = blank();
  add(far, 0, X, -10, 1);
  cf_zone(far);
  EXPECT_EQ(is_included_zone(far, z), 0);
  zone *want = blank();
  add(want, X, 0, 3, 1);
  add(want, Y, 0, 5, 0);
  add(want, X, Y, 1, 1);  // x - y <= 1 came through _ex1 as well
  cf_zone(want);
  EXPECT_TRUE(equ_zone(z, want));
  EXPECT_EQ(is_included_zone(z, want), 1);
  EXPECT_EQ(is_included_zone(want, z), 1);
  for (zone *p : {z, far, want}) free_zone(p);
}

TEST(ZoneLimits, LargestModel) {
  setup(254);
  EXPECT_EQ(N_OF_CLOCKS, 255);
  EXPECT_EQ(BOUNDS_SIZE, 65025);
  EXPECT_EQ(EDGES_SIZE, 2033);
  // A chain c1 <= c2 - 1 <= ... with the last clock at most 300.
  zone *z = blank();
  for (int i = 1; i < 254; i++) add(z, i, i + 1, -1, 1);
  add(z, 254, 0, 300, 1);
  cf_zone(z);
  ASSERT_FALSE(is_empty_zone(z));
  EXPECT_EQ(z->bounds[1][0], mk_bound(300 - 253, 1));
  EXPECT_EQ(z->bounds[1][254], mk_bound(-253, 1));
  EXPECT_FALSE(get_edge_zone(z, 1, 0));
  EXPECT_TRUE(get_edge_zone(z, 1, 2));
  zone *r = reset_zone(z, 254);
  ASSERT_TRUE(is_empty_zone(r));  // the last clock is at least 253
  zone *f = forward_proj_zone(z);
  EXPECT_TRUE(is_included_zone(z, f));
  char *buf = nullptr;
  size_t len = 0;
  FILE *s = open_memstream(&buf, &len);
  fprint_bin_zone(s, z);
  fclose(s);
  EXPECT_EQ(len, 65025u * 2 + 2033u * 4);
  free(buf);
  // Too tight a chain is empty.
  zone *e = assign_zone(z);
  add(e, 254, 0, 252, 1);
  e->flags = 0;
  cf_zone(e);
  EXPECT_TRUE(is_empty_zone(e));
  for (zone *p : {z, r, f, e}) free_zone(p);
  setup(2);
}
