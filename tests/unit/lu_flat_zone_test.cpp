// The flat matrices of the LU search checked against the zone module on
// random zones (2 to 4 clocks, strict and non-strict bounds, some empty),
// and on zones whose constants reach the limits against an exact closure,
// the pairwise meeting test and the cut against the closure,
// the LU extrapolation checked for soundness against the LU simulation on a
// grid, the bounds fix-point on a small automaton, and the passed/waiting
// store against a plain antichain.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <random>
#include <vector>

#include "common/zone/zone.h"
#include "varnok/flat_zone.h"
#include "varnok/lu_bounds.h"
#include "varnok/state_store.h"
#include "zone_test_util.h"

using namespace zone_test;

namespace {

using matrix = std::vector<int16_t>;

struct rnd {
  std::mt19937 gen;
  explicit rnd(unsigned seed) : gen(seed) {}
  int operator()(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); }
};

matrix bounds_of(const zone *z) {
  const int n = N_OF_CLOCKS;
  return matrix(z->bounds[0], z->bounds[0] + n * n);
}

matrix universal(int dim) {
  matrix m(static_cast<size_t>(dim) * dim);
  flat::set_universal(m.data(), dim);
  return m;
}

// A random bound x_i - x_j (i != j) with constant 0..6, strict one time in
// three.
flat::constraint random_constraint(rnd &r, int n) {
  int i = r(0, n - 1), j = r(0, n - 2);
  if (j >= i) j++;
  int d = r(0, 6);
  if (i == 0) d = -d;
  else if (j != 0 && r(0, 1)) d = -d;
  return {static_cast<uint16_t>(i), static_cast<uint16_t>(j), mk_bound(d, r(0, 2) != 0)};
}

// The same random constraints as an unclosed matrix and as an unclosed zone
// (one in three or so turns out empty).
void random_pair(rnd &r, matrix &m, zone *&z) {
  const int n = N_OF_CLOCKS;
  m = universal(n);
  z = blank();
  const int count = r(1, n + 2);
  for (int c = 0; c < count; c++) {
    flat::constraint k = random_constraint(r, n);
    if (k.b >= m[k.i * n + k.j]) continue;
    m[k.i * n + k.j] = k.b;
    add(z, k.i, k.j, bound_constant(k.b), bound_is_le(k.b));
  }
}

// A random closed non-empty zone, both ways.
void random_closed_pair(rnd &r, matrix &m, zone *&z) {
  for (;;) {
    random_pair(r, m, z);
    cf_zone(z);
    if (!is_empty_zone(z) && flat::close(m.data(), N_OF_CLOCKS)) return;
    free_zone(z);
  }
}

// A random assignment vector: clock i keeps its value, is reset, or takes
// another clock's.
std::vector<uint16_t> random_assignment(rnd &r, int n) {
  std::vector<uint16_t> a(n, 0);
  for (int i = 1; i < n; i++) {
    const int k = r(0, 3);
    a[i] = static_cast<uint16_t>(k == 0 ? 0 : k == 1 ? r(1, n - 1) : i);
  }
  return a;
}

class FlatZone : public ::testing::Test {
 protected:
  void TearDown() override { setup(2); }
};

TEST_F(FlatZone, ClosureAndConstraintsAgreeWithZoneModule) {
  rnd r(31);
  for (int clocks = 2; clocks <= 4; clocks++) {
    setup(clocks);
    const int n = N_OF_CLOCKS;
    zone *u = mk_universal_zone();
    EXPECT_EQ(universal(n), bounds_of(u));
    free_zone(u);
    int empties = 0;
    for (int t = 0; t < 300; t++) {
      matrix m;
      zone *z;
      random_pair(r, m, z);
      cf_zone(z);
      const bool ok = flat::close(m.data(), n);
      ASSERT_EQ(ok, !is_empty_zone(z)) << text(z);
      if (!ok) {
        empties++;
        free_zone(z);
        continue;
      }
      ASSERT_EQ(m, bounds_of(z)) << text(z);
      // Closing again changes nothing.
      matrix again = m;
      ASSERT_TRUE(flat::close(again.data(), n));
      ASSERT_EQ(again, m);
      // One more constraint, incremental vs intersection and closure.
      flat::constraint k = random_constraint(r, n);
      zone *c = blank();
      add(c, k.i, k.j, bound_constant(k.b), bound_is_le(k.b));
      zone *both = intersection_zone(z, c);
      cf_zone(both);
      matrix mc = m;
      const bool kept = flat::constrain(mc.data(), n, k.i, k.j, k.b);
      ASSERT_EQ(kept, !is_empty_zone(both)) << text(z) << " with " << text(c);
      if (kept) {
        ASSERT_EQ(mc, bounds_of(both)) << text(z) << " with " << text(c);
      }
      // Several at once, from the universal zone, give the closure.
      std::vector<flat::constraint> cs = flat::constraints_of(z);
      for (const flat::constraint &e : cs) {
        EXPECT_NE(e.i, e.j);
        EXPECT_FALSE(e.i == 0 && e.b == ZERO_LE);
      }
      cs.push_back(k);
      matrix all = universal(n);
      ASSERT_EQ(flat::constrain_all(all.data(), n, cs), kept);
      if (kept) {
        ASSERT_EQ(all, mc);
      }
      for (zone *x : {z, c, both}) free_zone(x);
    }
    EXPECT_GT(empties, 20) << clocks << " clocks";
  }
}

TEST_F(FlatZone, TimeAssignmentInclusionAndBridgesAgreeWithZoneModule) {
  rnd r(77);
  for (int clocks = 2; clocks <= 4; clocks++) {
    setup(clocks);
    AFFECT_SIZE = static_cast<uint16_t>(clocks + 1);
    const int n = N_OF_CLOCKS;
    int inclusions = 0, meets = 0;
    for (int t = 0; t < 300; t++) {
      matrix m, m2;
      zone *z, *z2;
      random_closed_pair(r, m, z);
      random_closed_pair(r, m2, z2);
      // Time successors.
      zone *f = forward_proj_zone(z);
      cf_zone(f);
      matrix up = m;
      flat::up(up.data(), n);
      ASSERT_EQ(up, bounds_of(f)) << text(z);
      // Resets and copies.
      std::vector<uint16_t> a = random_assignment(r, n);
      zone *fa = forward_affect_zone(z, a.data());
      cf_zone(fa);
      matrix moved(m.size());
      flat::assign(moved.data(), m.data(), n, a.data());
      ASSERT_EQ(moved, bounds_of(fa)) << text(z);
      // Inclusion, both ways and with a tightened copy (included by
      // construction) and a loosened one (including by construction).
      matrix tight = m;
      flat::constraint k = random_constraint(r, n);
      if (flat::constrain(tight.data(), n, k.i, k.j, k.b)) {
        EXPECT_TRUE(flat::included(tight.data(), m.data(), n));
      }
      zone *loose = flat::to_zone(up.data());
      for (auto [x, y, mx, my] : {std::tuple{z, z2, &m, &m2}, std::tuple{z2, z, &m2, &m}, std::tuple{z, loose, &m, &up},
                                  std::tuple{fa, z, &moved, &m}}) {
        const bool in = is_included_zone(x, y) != 0;
        ASSERT_EQ(flat::included(mx->data(), my->data(), n), in) << text(x) << " in " << text(y);
        inclusions += in;
      }
      // Common valuations.
      zone *both = intersection_zone(z, z2);
      cf_zone(both);
      matrix scratch(m.size());
      const bool meet = flat::intersects(m.data(), m2.data(), n, scratch.data());
      ASSERT_EQ(meet, !is_empty_zone(both)) << text(z) << " and " << text(z2);
      meets += meet;
      // Round trip through the zone module; the edge bits describe the
      // same set (what printing and the inclusion test read).
      zone *back = flat::to_zone(m.data());
      EXPECT_TRUE(back->flags & ZONE_CANONICAL);
      ASSERT_EQ(bounds_of(back), m);
      EXPECT_EQ(equ_zone(back, z), 1);
      matrix described = universal(n);
      for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++)
          if (i != j && get_edge_zone(back, i, j)) {
            ASSERT_TRUE(flat::constrain(described.data(), n, i, j, m[i * n + j]));
          }
      EXPECT_EQ(described, m) << text(back);
      EXPECT_EQ(is_included_zone(z, back), 1);
      EXPECT_EQ(is_included_zone(back, z), 1);
      matrix again(m.size());
      flat::from_zone(again.data(), back);
      EXPECT_EQ(again, m);
      for (zone *x : {z, z2, f, fa, loose, both, back}) free_zone(x);
    }
    EXPECT_GT(inclusions, 100);
    EXPECT_GT(meets, 50);
  }
}

// The zone of the bounds of the closed m on single clocks alone (closed):
// m without what its diagonal constraints add.
matrix box_of(const matrix &m, int n) {
  matrix b = universal(n);
  for (int x = 1; x < n; x++) {
    b[x * n] = m[x * n];
    b[x] = m[x];
  }
  EXPECT_TRUE(flat::close(b.data(), n));
  return b;
}

// The pairwise test of two closed zones and the cut of one by another,
// against the closure of their entrywise minimum, on random zones, their
// time successors and thin zones (most pairs of thin zones are disjoint).
// The pairwise test is exact when its second zone has no diagonal
// constraint; otherwise it only proves disjointness: a negative cycle may
// need two diagonal steps of each zone.
TEST_F(FlatZone, PairwiseMeetAndCutAgreeWithClosure) {
  rnd r(4242);
  int inexact = 0;
  for (int clocks = 1; clocks <= 5; clocks++) {
    setup(clocks);
    const int n = N_OF_CLOCKS;
    int met = 0, missed = 0, box_met = 0, box_missed = 0;
    for (int t = 0; t < 2000; t++) {
      matrix a, b;
      zone *za, *zb;
      random_closed_pair(r, a, za);
      random_closed_pair(r, b, zb);
      free_zone(za);
      free_zone(zb);
      for (matrix *m : {&a, &b}) {
        const int how = r(0, 3);
        if (how == 0) flat::up(m->data(), n);
        // Thin: clocks held to within one unit above their lower bound
        // (as far as that leaves the zone non-empty).
        for (int x = 1; x < n && how == 1; x++) {
          const matrix before = *m;
          if (!flat::constrain(m->data(), n, x, 0, mk_bound(1 - bound_constant((*m)[x]), r(0, 1)))) *m = before;
        }
      }
      matrix scratch(a.size());
      const bool meet = flat::intersects(a.data(), b.data(), n, scratch.data());
      const bool pairwise = flat::meets(a.data(), b.data(), n);
      if (!pairwise) {
        ASSERT_FALSE(meet) << t;
      }
      inexact += pairwise != meet;
      matrix c = a;
      ASSERT_EQ(flat::cut(c.data(), b.data(), n), meet) << t;
      if (meet) {
        ASSERT_EQ(c, scratch) << t;
      }
      (meet ? met : missed)++;
      // Exact against a zone without diagonal constraints.
      const matrix box = box_of(b, n);
      ASSERT_TRUE(flat::diagonal_free(box.data(), n));
      const bool box_meet = flat::intersects(a.data(), box.data(), n, scratch.data());
      ASSERT_EQ(flat::meets(a.data(), box.data(), n), box_meet) << t;
      (box_meet ? box_met : box_missed)++;
    }
    if (clocks > 1) {
      EXPECT_GT(met, 200) << clocks;
      EXPECT_GT(missed, 200) << clocks;
      EXPECT_GT(box_met, 200) << clocks;
      EXPECT_GT(box_missed, 200) << clocks;
    }
  }
  EXPECT_GT(inexact, 0);
  // Two zones over four clocks, each closed and without a negative pair,
  // whose intersection is empty.
  setup(4);
  const matrix a{1, -8, 1, -2, 1, INF_BOUND, 1, INF_BOUND, 7, 17, 3, -6, 1, 0, 3, INF_BOUND, INF_BOUND, INF_BOUND, 1, 11,
                 INF_BOUND, INF_BOUND, INF_BOUND, INF_BOUND, 1};
  const matrix b{1, 1, -1, -9, 1, INF_BOUND, 1, INF_BOUND, -9, INF_BOUND, INF_BOUND, INF_BOUND, 1, 5, INF_BOUND,
                 INF_BOUND, INF_BOUND, INF_BOUND, 1, INF_BOUND, 5, 5, 3, -5, 1};
  matrix scratch(a.size());
  EXPECT_TRUE(flat::meets(a.data(), b.data(), 5));
  EXPECT_FALSE(flat::intersects(a.data(), b.data(), 5, scratch.data()));
}

// 1 when the valuation v (clock values doubled, v[0] = 0) is LU-simulated
// by a valuation of the closed zone m: some w in m with, for every clock x,
// w(x) = v(x), or L(x) < w(x) < v(x), or w(x) > v(x) when v(x) > U(x).
// Exact: every combination of the three cases is a zone, scaled by two.
bool simulated(const matrix &m, int dim, const std::vector<int> &v, const int32_t *lo, const int32_t *hi) {
  matrix twice(m.size());
  for (size_t p = 0; p < m.size(); p++)
    twice[p] = m[p] == INF_BOUND ? INF_BOUND : mk_bound(2 * bound_constant(m[p]), bound_is_le(m[p]));
  int combos = 1;
  for (int x = 1; x < dim; x++) combos *= 3;
  for (int c = 0; c < combos; c++) {
    matrix w = twice;
    bool ok = true;
    for (int x = 1, code = c; x < dim && ok; x++, code /= 3) {
      const int how = code % 3;
      if (how == 0) {
        ok = flat::constrain(w.data(), dim, x, 0, mk_bound(v[x], 1)) && flat::constrain(w.data(), dim, 0, x, mk_bound(-v[x], 1));
      } else if (how == 1) {
        ok = flat::constrain(w.data(), dim, x, 0, mk_bound(v[x], 0));
        if (ok && lo[x] >= 0) ok = flat::constrain(w.data(), dim, 0, x, mk_bound(-2 * lo[x], 0));
      } else {
        ok = v[x] > 2 * hi[x] && flat::constrain(w.data(), dim, 0, x, mk_bound(-v[x], 0));
      }
    }
    if (ok) return true;
  }
  return false;
}

bool holds(const matrix &m, int dim, const std::vector<int> &v, int scale) {
  for (int i = 0; i < dim; i++)
    for (int j = 0; j < dim; j++) {
      const int16_t b = m[i * dim + j];
      if (i == j || b == INF_BOUND) continue;
      const int diff = v[i] - v[j], lim = scale * bound_constant(b);
      if (bound_is_le(b) ? diff > lim : diff >= lim) return false;
    }
  return true;
}

TEST_F(FlatZone, ExtrapolationIsSoundClosedAndIdempotent) {
  rnd r(4242);
  for (int clocks = 2; clocks <= 4; clocks++) {
    setup(clocks);
    const int n = N_OF_CLOCKS;
    const int rounds = clocks == 2 ? 200 : clocks == 3 ? 60 : 100;
    int changed = 0;
    for (int t = 0; t < rounds; t++) {
      matrix m;
      zone *z;
      random_closed_pair(r, m, z);
      free_zone(z);
      if (r(0, 1)) flat::up(m.data(), n);
      std::vector<int32_t> lo(n, 0), hi(n, 0);
      for (int x = 1; x < n; x++) {
        lo[x] = r(-1, 5);
        hi[x] = r(-1, 5);
      }
      matrix e = m;
      flat::extrapolate_lu(e.data(), n, lo.data(), hi.data());
      changed += e != m;
      EXPECT_TRUE(flat::included(m.data(), e.data(), n));
      matrix closed = e;
      ASSERT_TRUE(flat::close(closed.data(), n));
      EXPECT_EQ(closed, e);
      matrix twice = e;
      flat::extrapolate_lu(twice.data(), n, lo.data(), hi.data());
      EXPECT_EQ(twice, e);
      // Bounds at least the zone's constants change nothing.
      int largest = 0;
      for (int16_t b : m)
        if (b != INF_BOUND) largest = std::max(largest, std::abs(bound_constant(b)));
      std::vector<int32_t> big(n, largest);
      big[0] = 0;
      matrix same = m;
      flat::extrapolate_lu(same.data(), n, big.data(), big.data());
      EXPECT_EQ(same, m);
      // A clock without bounds is free: x >= 0 only, whatever the others.
      const int x = r(1, n - 1);
      std::vector<int32_t> lo2 = lo, hi2 = hi;
      lo2[x] = hi2[x] = -1;
      matrix fr = m;
      flat::extrapolate_lu(fr.data(), n, lo2.data(), hi2.data());
      for (int j = 0; j < n; j++) {
        if (j == x) continue;
        EXPECT_EQ(fr[x * n + j], INF_BOUND) << x << "," << j;
        EXPECT_EQ(fr[j * n + x], fr[j * n]) << j << "," << x;
      }
      // Every added valuation is simulated by one of the zone (points at
      // multiples of 1/2 up to 7, enough to see every constant 0..5 from
      // both sides).
      if (clocks > 3) continue;
      const int top = 14;
      std::vector<int> v(n, 0);
      for (;;) {
        if (holds(e, n, v, 2) && !holds(m, n, v, 2)) {
          ASSERT_TRUE(simulated(m, n, v, lo.data(), hi.data()))
              << "point " << v[1] << "/2, " << v[2] << "/2 added without a simulating valuation";
        }
        int i = 1;
        while (i < n && v[i] == top) v[i++] = 0;
        if (i == n) break;
        v[i]++;
      }
    }
    EXPECT_GT(changed, rounds / 3);
  }
}

// Bounds whose constants reach the limits of the 16-bit encoding, against
// an exact closure in 64-bit integers. Sums then pass the largest constant
// (16382) or the smallest (-16384) and saturate; an entry may come out
// looser than the exact one, never tighter.
namespace limits {

using wide = std::vector<int64_t>;
constexpr int64_t NONE = INT64_MAX / 4;  // "no bound" in the exact matrices

int64_t wide_sum(int64_t a, int64_t b) { return a == NONE || b == NONE ? NONE : ((a & ~1LL) + (b & ~1LL)) | (a & b & 1); }

// The exact closure of m (INF_BOUND read as no bound); false when empty.
bool exact_close(wide &m, int n) {
  for (int k = 0; k < n; k++)
    for (int i = 0; i < n; i++)
      for (int j = 0; j < n; j++) m[i * n + j] = std::min(m[i * n + j], wide_sum(m[i * n + k], m[k * n + j]));
  for (int i = 0; i < n; i++)
    if (m[i * n + i] < ZERO_LE) return false;
  return true;
}

wide widen(const matrix &m) {
  wide w(m.size());
  for (size_t p = 0; p < m.size(); p++) w[p] = m[p] == INF_BOUND ? NONE : m[p];
  return w;
}

// Every entry of m is implied by the exact closed e: "no bound", or at
// least as loose as e's.
::testing::AssertionResult never_tighter(const matrix &m, const wide &e, int n) {
  for (int p = 0; p < n * n; p++)
    if (m[p] != INF_BOUND && (e[p] == NONE || m[p] < e[p]))
      return ::testing::AssertionFailure() << "entry (" << p / n << ", " << p % n << ") is " << m[p] << ", exact "
                                           << (e[p] == NONE ? std::string("none") : std::to_string(e[p]));
  return ::testing::AssertionSuccess();
}

// e as 16-bit bounds when every finite entry lies within the constants'
// range; false otherwise. When every exact entry fits, the saturated
// operations must give exactly it: the sums of a shortest path's parts are
// then entries too, so none of them saturates.
bool fits(const wide &e, matrix &out) {
  out.resize(e.size());
  for (size_t p = 0; p < e.size(); p++) {
    if (e[p] == NONE) {
      out[p] = INF_BOUND;
      continue;
    }
    if (e[p] < -32768 || e[p] >= INF_BOUND) return false;
    out[p] = static_cast<int16_t>(e[p]);
  }
  return true;
}

// A constant near a limit, near half of one (two of them sum past it), or
// small; lower bounds on one clock are at most 0.
int limit_constant(rnd &r, bool lower) {
  static const int pool[] = {0, 1, 3, 8190, 8191, 8192, 12000, 16000, 16381, 16382, 16383, 16384};
  int d = pool[r(0, 11)] + r(-1, 1);
  if (lower || r(0, 1)) d = -d;
  return std::clamp(d, static_cast<int>(MIN_BOUND_CONSTANT), lower ? 0 : static_cast<int>(MAX_BOUND_CONSTANT));
}

flat::constraint limit_constraint(rnd &r, int n) {
  int i = r(0, n - 1), j = r(0, n - 2);
  if (j >= i) j++;
  return {static_cast<uint16_t>(i), static_cast<uint16_t>(j), mk_bound(limit_constant(r, i == 0), r(0, 2) != 0)};
}

// Random constraints at the limits as an unclosed matrix, an unclosed zone
// and an exact matrix.
void limit_triple(rnd &r, matrix &m, zone *&z, wide &e) {
  const int n = N_OF_CLOCKS;
  m = universal(n);
  z = blank();
  for (int c = r(1, 2 * n); c > 0; c--) {
    const flat::constraint k = limit_constraint(r, n);
    if (k.b >= m[k.i * n + k.j]) continue;
    m[k.i * n + k.j] = k.b;
    add(z, k.i, k.j, bound_constant(k.b), bound_is_le(k.b));
  }
  e = widen(m);
}

}  // namespace limits

TEST_F(FlatZone, SaturatedSumsAtTheLimitsAreNeverTighterThanExactOnes) {
  using namespace limits;
  rnd r(16383);
  for (int clocks = 1; clocks <= 4; clocks++) {
    setup(clocks);
    AFFECT_SIZE = static_cast<uint16_t>(clocks + 1);
    const int n = N_OF_CLOCKS;
    int closed = 0, saturated = 0, constrained = 0;
    for (int t = 0; t < 3000; t++) {
      matrix m, expect;
      zone *z;
      wide e;
      limit_triple(r, m, z, e);
      // Closure: the zone module's and the flat one agree entry by entry.
      cf_zone(z);
      const bool ok = flat::close(m.data(), n);
      const bool exact_ok = exact_close(e, n);
      ASSERT_EQ(ok, !is_empty_zone(z));
      if (!ok) {
        ASSERT_FALSE(exact_ok);  // a negative diagonal is never made up
        free_zone(z);
        continue;
      }
      ASSERT_EQ(m, bounds_of(z));
      if (!exact_ok) {  // an emptiness only sums past the limits show
        free_zone(z);
        continue;
      }
      closed++;
      ASSERT_TRUE(never_tighter(m, e, n)) << text(z);
      // Past the limits a closure need not be a fix-point: closing again
      // (as the zone module does after each operation) may tighten it.
      const bool exact = fits(e, expect);
      if (exact) {
        ASSERT_EQ(m, expect) << text(z);
      } else {
        saturated++;
      }
      // One more constraint, incremental against the exact closure and the
      // zone module's intersection.
      const flat::constraint k = limit_constraint(r, n);
      matrix mc = m;
      const bool kept = flat::constrain(mc.data(), n, k.i, k.j, k.b);
      wide ec = e;
      ec[k.i * n + k.j] = std::min<int64_t>(ec[k.i * n + k.j], k.b);
      const bool exact_kept = exact_close(ec, n);
      zone *c = blank();
      add(c, k.i, k.j, bound_constant(k.b), bound_is_le(k.b));
      zone *both = intersection_zone(z, c);
      cf_zone(both);
      if (!kept) {
        ASSERT_FALSE(exact_kept) << text(z) << " with " << text(c);
      } else if (exact_kept) {
        constrained++;
        ASSERT_TRUE(never_tighter(mc, ec, n)) << text(z) << " with " << text(c);
        if (!is_empty_zone(both)) {
          ASSERT_TRUE(never_tighter(bounds_of(both), ec, n));
        }
        if (fits(ec, expect)) {
          ASSERT_EQ(mc, expect) << text(z) << " with " << text(c);
          ASSERT_FALSE(is_empty_zone(both));
          ASSERT_EQ(bounds_of(both), expect);
        }
      }
      // Time successors, resets and copies: never tighter than the exact
      // ones, the same matrices as the zone module's when nothing saturates.
      zone *f = forward_proj_zone(z);
      cf_zone(f);
      matrix up = m;
      flat::up(up.data(), n);
      wide eu = e;
      for (int i = 1; i < n; i++) eu[i * n] = NONE;
      ASSERT_TRUE(exact_close(eu, n));
      ASSERT_TRUE(never_tighter(up, eu, n));
      ASSERT_TRUE(never_tighter(bounds_of(f), eu, n));
      const std::vector<uint16_t> a = random_assignment(r, n);
      zone *fa = forward_affect_zone(z, a.data());
      cf_zone(fa);
      matrix moved(m.size());
      flat::assign(moved.data(), m.data(), n, a.data());
      wide ea(e.size());
      for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++) ea[i * n + j] = e[a[i] * n + a[j]];
      ASSERT_TRUE(never_tighter(moved, ea, n));
      matrix scratch(m.size());
      zone *meet = intersection_zone(fa, f);
      cf_zone(meet);
      const bool meets = flat::intersects(moved.data(), up.data(), n, scratch.data());
      if (meets) {
        ASSERT_FALSE(is_empty_zone(meet));  // both read the same sums
      }
      if (exact) {
        ASSERT_EQ(up, bounds_of(f));
        ASSERT_EQ(moved, bounds_of(fa));
        // Inclusion and common valuations decided as by the zone module.
        for (auto [x, y, mx, my] : {std::tuple{z, f, &m, &up}, std::tuple{f, z, &up, &m}, std::tuple{fa, z, &moved, &m}}) {
          ASSERT_EQ(flat::included(mx->data(), my->data(), n), is_included_zone(x, y) != 0) << text(x) << " in " << text(y);
        }
        ASSERT_EQ(meets, !is_empty_zone(meet));
      }
      // Extrapolation with bounds at the limits only loosens: every entry is
      // implied by the time successors (closed exactly, as the saturated
      // closure need not be a fix-point past the limits).
      std::vector<int32_t> lo(n, 0), hi(n, 0);
      for (int x = 1; x < n; x++) {
        lo[x] = r(0, 3) ? -limit_constant(r, true) : -1;
        hi[x] = r(0, 3) ? -limit_constant(r, true) : -1;
      }
      matrix ex = up;
      flat::extrapolate_lu(ex.data(), n, lo.data(), hi.data());
      wide eup = widen(up);
      ASSERT_TRUE(exact_close(eup, n));
      ASSERT_TRUE(never_tighter(ex, eup, n));
      for (zone *x : {z, c, both, f, fa, meet}) free_zone(x);
    }
    EXPECT_GT(closed, 500) << clocks << " clocks";
    EXPECT_GT(constrained, 300) << clocks << " clocks";
    if (clocks > 1) {
      EXPECT_GT(saturated, 50) << clocks << " clocks";
    }
  }
}

// The extrapolation re-closes only the entries it loosened: on random closed
// zones of 1 to 12 clocks, small constants or constants at the limits, the
// matrix is byte for byte the one of the unclosed extrapolation followed by a
// full closure, and never tighter than its exact closure.
TEST(FlatZoneExtrapolation, ReclosingTheChangedEntriesEqualsAFullClosure) {
  using namespace limits;
  rnd r(2828);
  int fast = 0, near_limits = 0;
  for (int n = 2; n <= 13; n++) {
    for (int t = 0; t < 1500; t++) {
      const bool at_limits = r(0, 3) == 0;
      matrix m = universal(n);
      for (int c = r(1, 2 * n); c > 0; c--) {
        flat::constraint k = at_limits ? limit_constraint(r, n) : random_constraint(r, n);
        if (!at_limits && r(0, 1)) k.b = static_cast<int16_t>(k.b * 3);  // constants to 18
        if (k.b < m[k.i * n + k.j]) m[k.i * n + k.j] = k.b;
      }
      if (!flat::close(m.data(), n)) continue;
      if (r(0, 1)) flat::up(m.data(), n);
      std::vector<int32_t> lo(n, 0), hi(n, 0);
      for (int x = 1; x < n; x++) {
        lo[x] = r(0, 4) == 0 ? -1 : at_limits && r(0, 1) ? -limit_constant(r, true) : r(0, 12);
        hi[x] = r(0, 4) == 0 ? -1 : at_limits && r(0, 1) ? -limit_constant(r, true) : r(0, 12);
      }
      matrix got = m, expect = m;
      flat::extrapolate_lu(got.data(), n, lo.data(), hi.data());
      if (!flat::extrapolate_lu_unclosed(expect.data(), n, lo.data(), hi.data())) {
        ASSERT_EQ(got, m);
        continue;
      }
      wide e = widen(expect);
      ASSERT_TRUE(flat::close(expect.data(), n));
      ASSERT_EQ(got, expect) << n << " clocks, round " << t;
      ASSERT_TRUE(exact_close(e, n));
      ASSERT_TRUE(never_tighter(got, e, n));
      bool small = true;
      for (const matrix *x : {&m, &got})
        for (int16_t b : *x) small &= b == INF_BOUND || std::abs(b) <= flat::EXACT_SUM_LIMIT;
      (small ? fast : near_limits)++;
    }
  }
  EXPECT_GT(fast, 3000);
  EXPECT_GT(near_limits, 300);
}

// The incremental operations against a full closure on random closed zones
// of 1 to 12 clocks, small constants or constants at the limits: a chain of
// constraints gives the matrix (and the emptiness) of the bounds set one by
// one and closed once, and resets and copies in place the matrix of the
// assignment, closed again. Where sums saturate, constraints are only
// checked for soundness against an exact closure.
TEST(FlatZoneIncremental, ConstraintsResetsAndCopiesEqualAFullClosure) {
  using namespace limits;
  rnd r(2829);
  int chains = 0, emptied = 0, moves = 0, refused = 0;
  for (int n = 2; n <= 13; n++) {
    for (int t = 0; t < 800; t++) {
      const bool at_limits = r(0, 3) == 0;
      auto draw = [&] {
        flat::constraint k = at_limits ? limit_constraint(r, n) : random_constraint(r, n);
        if (!at_limits && r(0, 1)) k.b = static_cast<int16_t>(k.b * 3);
        return k;
      };
      matrix m = universal(n);
      for (int c = r(1, n); c > 0; c--) {
        const flat::constraint k = draw();
        if (k.b < m[k.i * n + k.j]) m[k.i * n + k.j] = k.b;
      }
      if (!flat::close(m.data(), n)) continue;
      if (r(0, 1)) flat::up(m.data(), n);
      matrix again = m;
      flat::close(again.data(), n);
      const bool fix_point = again == m;
      // A chain of constraints.
      std::vector<flat::constraint> cs;
      for (int c = r(1, 4); c > 0; c--) cs.push_back(draw());
      matrix got = m, expect = m;
      const bool kept = flat::constrain_all(got.data(), n, cs);
      for (const flat::constraint &k : cs) expect[k.i * n + k.j] = std::min(expect[k.i * n + k.j], k.b);
      wide e = widen(expect);
      const bool exact_kept = exact_close(e, n);
      const bool closed_kept = flat::close(expect.data(), n);
      if (!kept) {
        ASSERT_FALSE(exact_kept);  // an emptiness is never made up
      } else if (exact_kept) {
        ASSERT_TRUE(never_tighter(got, e, n));
      }
      // Byte for byte where no sum saturates: every operand and every exact
      // result within the range where sums of two entries are exact.
      auto in_range = [](int64_t b) { return b == NONE || b == INF_BOUND || std::abs(b) <= flat::EXACT_SUM_LIMIT; };
      bool unsaturated = fix_point && std::all_of(m.begin(), m.end(), in_range) &&
                         std::all_of(cs.begin(), cs.end(), [&](const flat::constraint &k) { return in_range(k.b); });
      if (exact_kept) unsaturated &= std::all_of(e.begin(), e.end(), in_range);
      if (unsaturated) {
        ASSERT_EQ(kept, closed_kept) << n << " clocks, round " << t;
        if (kept) {
          ASSERT_EQ(got, expect) << n << " clocks, round " << t;
        }
        chains++;
        emptied += !kept;
      }
      // Resets and copies.
      const std::vector<uint16_t> a = random_assignment(r, n);
      matrix moved(m.size()), in_place = m;
      flat::assign(moved.data(), m.data(), n, a.data());
      bool crossed = false;
      for (int x = 1; x < n; x++) crossed |= a[x] != x && a[a[x]] != a[x];
      ASSERT_EQ(flat::assign_in_place(in_place.data(), n, a.data()), !crossed);
      if (crossed) {
        ASSERT_EQ(in_place, m);
        refused++;
        continue;
      }
      ASSERT_EQ(in_place, moved);
      if (fix_point) {
        matrix closed = moved;
        ASSERT_TRUE(flat::close(closed.data(), n));
        ASSERT_EQ(in_place, closed);
      }
      moves++;
    }
  }
  EXPECT_GT(chains, 3000);
  EXPECT_GT(emptied, 300);
  EXPECT_GT(moves, 3000);
  EXPECT_GT(refused, 100);
}

// Bounds of a chain 0 -> 1 -> 2 over clocks x (1) and y (2): from 0, y := x
// and x reset; from 1, y is tested against 4 and x against 2 only in the
// invariant; from 2, nothing. A goal lower bound 1 on x counts everywhere.
TEST(LuBounds, CarriedBackThroughKeptAndCopiedClocks) {
  setup(2);
  const int n = 3;
  lu::bounds_input in;
  in.dim = n;
  in.nloc = 3;
  auto single = [](int c, int16_t b) {
    matrix m = universal(n);
    if (c > 0) EXPECT_TRUE(flat::constrain(m.data(), n, c, 0, b));
    else EXPECT_TRUE(flat::constrain(m.data(), n, 0, -c, b));
    return m;
  };
  in.inv = {{}, {single(1, mk_bound(2, 1))}, {}};
  in.edges.push_back({0, 1, {universal(n)}, {0, 0, 1}});
  in.edges.push_back({1, 2, {single(-2, mk_bound(-4, 0))}, {0, 1, 2}});
  in.edges.push_back({2, 2, {universal(n)}, {0, 1, 0}});
  const int32_t glo[] = {0, 1, -1}, ghi[] = {0, -1, -1};
  lu::bounds b = lu::compute_bounds(in, glo, ghi);
  ASSERT_EQ(b.lo.size(), 9u);
  auto at = [&](const std::vector<int32_t> &v, int l, int x) { return v[l * n + x]; };
  // Location 1: x <= 2 (invariant), y > 4 (guard), x >= 1 (goal).
  EXPECT_EQ(at(b.lo, 1, 1), 1);
  EXPECT_EQ(at(b.hi, 1, 1), 2);
  EXPECT_EQ(at(b.lo, 1, 2), 4);
  EXPECT_EQ(at(b.hi, 1, 2), -1);
  // Location 0: y at 1 is the old x; the old y is never read.
  EXPECT_EQ(at(b.lo, 0, 1), 4);
  EXPECT_EQ(at(b.hi, 0, 1), -1);
  EXPECT_EQ(at(b.lo, 0, 2), -1);
  EXPECT_EQ(at(b.hi, 0, 2), -1);
  // Location 2: the goal alone.
  EXPECT_EQ(at(b.lo, 2, 1), 1);
  EXPECT_EQ(at(b.lo, 2, 2), -1);
  for (int l = 0; l < 3; l++) EXPECT_EQ(at(b.lo, l, 0), 0);
}

// The store against a plain list of (key, zone, id, live) records: a zone
// included in a live one at the same key is refused; otherwise it is stored
// and covers the live ones it includes.
TEST(StateStore, AntichainPerDiscreteState) {
  setup(2);
  const int n = 3;
  rnd r(5);
  struct ref {
    std::vector<uint16_t> key;
    matrix z;
    int32_t parent, move;
    bool live;
  };
  for (int round = 0; round < 20; round++) {
    lu::state_store st(n, 2);
    std::vector<ref> refs;
    int refused = 0;
    for (int t = 0; t < 300; t++) {
      std::vector<uint16_t> key = {static_cast<uint16_t>(r(0, 2)), static_cast<uint16_t>(r(0, 1))};
      matrix m;
      zone *z;
      random_closed_pair(r, m, z);
      free_zone(z);
      bool inside = false;
      for (const ref &e : refs) inside |= e.live && e.key == key && flat::included(m.data(), e.z.data(), n);
      const int32_t parent = r(-1, t - 1), move = r(0, 9);
      const int32_t id = st.insert(key.data(), m.data(), parent, move);
      if (inside) {
        ASSERT_EQ(id, -1);
        refused++;
        continue;
      }
      ASSERT_EQ(id, static_cast<int32_t>(refs.size()));
      for (ref &e : refs)
        if (e.live && e.key == key && flat::included(e.z.data(), m.data(), n)) e.live = false;
      refs.push_back({key, m, parent, move, true});
      int covered = 0;
      for (size_t i = 0; i < refs.size(); i++) {
        ASSERT_EQ(st.covered(static_cast<int32_t>(i)), !refs[i].live) << i;
        covered += !refs[i].live;
        if (refs[i].live) {
          ASSERT_EQ(matrix(st.zone_of(i), st.zone_of(i) + n * n), refs[i].z);
        }
      }
      ASSERT_EQ(st.nb_covered(), covered);
    }
    ASSERT_EQ(st.size(), static_cast<int32_t>(refs.size()));
    EXPECT_GT(refused, 50);
    EXPECT_GT(st.nb_covered(), 10);
    EXPECT_LE(st.nb_discrete(), 6);
    // Covered states keep their key, parent and move.
    for (size_t i = 0; i < refs.size(); i++) {
      const int32_t id = static_cast<int32_t>(i);
      EXPECT_EQ(std::vector<uint16_t>(st.key_of(id), st.key_of(id) + 2), refs[i].key);
      EXPECT_EQ(st.parent(id), refs[i].parent);
      EXPECT_EQ(st.move(id), refs[i].move);
    }
  }
}

TEST(StateStore, ManyDiscreteStatesAndChunksStayFindable) {
  setup(2);
  const int n = 3, keys = 6000;
  // The default chunks, and the small ones of a shard among many: 16
  // records and 256 bytes of zones a chunk, a table of 4 entries at first.
  for (const int bits : {12, 4}) {
    lu::state_store st(n, 3, bits);
    auto key = [](int k) {
      return std::vector<uint16_t>{static_cast<uint16_t>(k % 17), static_cast<uint16_t>(k / 17), static_cast<uint16_t>(k % 5)};
    };
    // x <= c at every key, then the identical zone again (refused), then
    // x <= c + 1 (covers the first).
    auto upper = [](int c) {
      matrix m = universal(n);
      EXPECT_TRUE(flat::constrain(m.data(), n, 1, 0, mk_bound(c, 1)));
      return m;
    };
    for (int k = 0; k < keys; k++) ASSERT_EQ(st.insert(key(k).data(), upper(k % 7).data(), k - 1, k), k);
    EXPECT_EQ(st.nb_discrete(), keys);
    for (int k = 0; k < keys; k++) ASSERT_EQ(st.insert(key(k).data(), upper(k % 7).data(), 0, 0), -1) << k;
    for (int k = 0; k < keys; k++) ASSERT_EQ(st.insert(key(k).data(), upper(k % 7 + 1).data(), k, 0), keys + k);
    EXPECT_EQ(st.nb_discrete(), keys);
    EXPECT_EQ(st.nb_covered(), keys);
    for (int k = 0; k < keys; k++) {
      ASSERT_TRUE(st.covered(k));
      EXPECT_EQ(st.parent(k), k - 1);
      EXPECT_EQ(st.move(k), k);
      ASSERT_FALSE(st.covered(keys + k));
      ASSERT_EQ(matrix(st.zone_of(keys + k), st.zone_of(keys + k) + n * n), upper(k % 7 + 1)) << k;
      ASSERT_EQ(std::vector<uint16_t>(st.key_of(keys + k), st.key_of(keys + k) + 3), key(k));
    }
    EXPECT_GT(st.bytes(), static_cast<size_t>(keys) * 9 * sizeof(int16_t));
  }
}

}  // namespace
