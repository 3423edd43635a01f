// Property tests: on random small regions (2 and 3 clocks, constants 0..6)
// every set operation must agree, point by point on a grid of valuations,
// with the set-theoretic answer computed from the operands' memberships.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "region_test_helpers.h"

using namespace region_test;

namespace {

// Valuations are held in eighths of a time unit.
constexpr int S = 8;
constexpr int MAXC = 6;  // largest constant in the random constraints

using Val = std::array<int, 4>;  // entry 0 is the reference clock (0)

bool in_zone(const zone *z, const Val &v) {
  if (is_empty_zone(z)) return false;
  for (int i = 0; i < N_OF_CLOCKS; i++)
    for (int j = 0; j < N_OF_CLOCKS; j++) {
      const int16_t b = z->bounds[i][j];
      if (i == j || b == INF_BOUND) continue;
      const int diff = v[i] - v[j], lim = S * bound_constant(b);
      if (diff > lim || (diff == lim && !bound_is_le(b))) return false;
    }
  return true;
}

bool in_region(const region *r, const Val &v) {
  if (is_empty_region(r)) return false;
  for (int32_t i = 0; i < r->count; i++)
    if (in_zone(r->zones[i], v)) return true;
  return false;
}

Val delayed(const Val &v, int d) {
  Val w = v;
  for (int i = 1; i < 4; i++) w[i] += d;
  return w;
}

// The grid: every clock from 0 to top (eighths) by step. With n clocks the
// unused entries stay 0.
std::vector<Val> grid(int n, int step, int top) {
  std::vector<Val> pts;
  Val v{0, 0, 0, 0};
  std::function<void(int)> fill = [&](int c) {
    if (c > n) {
      pts.push_back(v);
      return;
    }
    for (int x = 0; x <= top; x += step) {
      v[c] = x;
      fill(c + 1);
    }
  };
  fill(1);
  return pts;
}

class RegionProperty : public testing::Test {
 public:
  std::mt19937 rng{20261207};
  int n = 2;

  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

  // A random closed zone of one to three constraints; may be empty.
  zone *random_zone() {
    zone *z = mk_universal_zone();
    const int m = pick(1, 3);
    for (int c = 0; c < m; c++) {
      const int i = pick(0, n), j = (i + pick(1, n)) % (n + 1);
      const int le = pick(0, 1);
      int16_t b;
      if (i == 0) b = mk_bound(-pick(0, MAXC), le);
      else if (j == 0) b = mk_bound(pick(0, MAXC), le);
      else b = mk_bound(pick(-MAXC, MAXC), le);
      if (b < z->bounds[i][j]) assign_bounds_edges_zone(z, i, j, b, 1);
    }
    z->flags = 0;
    cf_zone(z);
    return z;
  }

  // A random region of zero to three zones (flags 0, empty zones included),
  // sometimes null.
  region *random_region() {
    const int k = pick(-1, 3);
    if (k < 0) return nullptr;
    region *r = mk_empty_region();
    if (k == 0) return r;
    resize_region(r, k);
    for (int i = 0; i < k; i++) r->zones[i] = random_zone();
    r->flags = 0;
    return r;
  }

  // A random assignment vector: each clock keeps its value, is reset, or
  // takes another clock's value.
  std::vector<uint16_t> random_affect() {
    std::vector<uint16_t> a(n + 1, 0);
    for (int i = 1; i <= n; i++) {
      const int kind = pick(0, 3);
      a[i] = static_cast<uint16_t>(kind == 0 ? 0 : kind == 1 ? pick(1, n) : i);
    }
    return a;
  }
};

// Compares region r with the expected membership on every point; one
// failure per call, with the operands' texts.
void expect_set(const char *op, region *r, const std::vector<Val> &pts, const std::function<bool(const Val &)> &want,
                const std::string &ctx) {
  for (const Val &v : pts) {
    if (in_region(r, v) != want(v)) {
      ADD_FAILURE() << op << " at (" << v[1] / double(S) << ", " << v[2] / double(S) << ", " << v[3] / double(S)
                    << "): got " << in_region(r, v) << "\nresult: " << text(r) << "\n" << ctx;
      return;
    }
  }
}

std::string context(region *a, region *b, zone *w) {
  return "a: " + text(a) + "\nb: " + text(b) + "\nw: " + text(w);
}

void check_operations(RegionProperty &t, int trials, int step, int top, bool exact_grid) {
  const std::vector<Val> pts = grid(t.n, step, top);
  const std::vector<Val> near = grid(t.n, step, S * (MAXC + 1));
  const int horizon = S * (MAXC + 1);  // past it every clock is above every constant
  for (int trial = 0; trial < trials; trial++) {
    region *a = t.random_region();
    region *b = t.random_region();
    zone *w = t.random_zone();
    zone *y = t.random_zone();
    const std::vector<uint16_t> aff = t.random_affect();
    const int x = t.pick(1, t.n);
    const std::string ctx = context(a, b, w);
    auto A = [&](const Val &v) { return in_region(a, v); };
    auto B = [&](const Val &v) { return in_region(b, v); };
    auto W = [&](const Val &v) { return in_zone(w, v); };

    region *r = intersection_region(a, b);
    expect_set("intersection_region", r, pts, [&](const Val &v) { return A(v) && B(v); }, ctx);
    free_region(r);
    r = union_region(assign_region(a), assign_region(b));
    expect_set("union_region", r, pts, [&](const Val &v) { return A(v) || B(v); }, ctx);
    free_region(r);
    r = append_region(assign_region(a), assign_region(b));
    expect_set("append_region", r, pts, [&](const Val &v) { return A(v) || B(v); }, ctx);
    free_region(r);
    r = diff_region(a, b);
    expect_set("diff_region", r, pts, [&](const Val &v) { return A(v) && !B(v); }, ctx);
    free_region(r);
    r = complement_region(a);
    expect_set("complement_region", r, pts, [&](const Val &v) { return !A(v); }, ctx);
    free_region(r);

    bool grid_incl = true;
    for (const Val &v : pts) grid_incl = grid_incl && (!A(v) || B(v));
    const int incl = is_included_region(a, b);
    if (exact_grid || incl) {
      EXPECT_EQ(incl != 0, grid_incl) << ctx;
    }

    r = proj_region(a);
    expect_set("proj_region", r, pts, [&](const Val &v) {
      for (int d = 0; d <= horizon; d += step / 2)
        if (A(delayed(v, d))) return true;
      return false;
    }, ctx);
    free_region(r);
    r = reset_region(a, x);
    expect_set("reset_region", r, pts, [&](const Val &v) {
      Val u = v;
      u[x] = 0;
      return A(u);
    }, ctx);
    free_region(r);
    auto image = [&](const Val &v) {
      Val u = v;
      for (int i = 1; i <= t.n; i++) u[i] = v[aff[i]];
      return u;
    };
    r = backward_affect_region(a, aff.data());
    expect_set("backward_affect_region", r, pts, [&](const Val &v) { return A(image(v)); }, ctx);
    free_region(r);
    r = pre_region(a, b, aff.data());
    expect_set("pre_region", r, pts, [&](const Val &v) { return A(image(v)) && B(v); }, ctx);
    free_region(r);

    r = complement_zone(w);
    expect_set("complement_zone", r, pts, [&](const Val &v) { return !W(v); }, ctx);
    free_region(r);
    r = intersection_zone_not_zone(y, w);
    expect_set("intersection_zone_not_zone", r, pts, [&](const Val &v) { return in_zone(y, v) && !W(v); },
               ctx + "\ny: " + text(y));
    free_region(r);
    r = intersection_region_not_zone(a, w);
    expect_set("intersection_region_not_zone", r, pts, [&](const Val &v) { return A(v) && !W(v); }, ctx);
    free_region(r);
    r = union_zone_region(assign_zone(w), assign_region(a));
    expect_set("union_zone_region", r, pts, [&](const Val &v) { return A(v) || W(v); }, ctx);
    free_region(r);

    // Compactions keep the set; compact_incl_region leaves no zone inside
    // another one.
    r = assign_region(a);
    compact_incl_region(r);
    expect_set("compact_incl_region", r, pts, A, ctx);
    for (int32_t i = 0; r != nullptr && i < r->count; i++)
      for (int32_t j = 0; j < r->count; j++)
        if (i != j) {
          EXPECT_FALSE(is_included_zone(r->zones[i], r->zones[j])) << "compacted: " << text(r);
        }
    free_region(r);
    r = compact_hull_region(a);
    expect_set("compact_hull_region", r, pts, A, ctx);
    if (r != a) free_region(r);
    r = compact_hull_diff_region(a);
    expect_set("compact_hull_diff_region", r, pts, A, ctx);
    free_region(r);
    zone *h = hull_region(a);
    for (const Val &v : pts)
      if (A(v) && !in_zone(h, v)) {
        ADD_FAILURE() << "hull_region misses a point\n" << ctx;
        break;
      }
    free_zone(h);

    // Paths: some delay leads into the target while every point passed on
    // the way lies in a or in the target.
    cf_region(a);
    auto reaches = [&](const Val &v, const std::function<bool(const Val &)> &target) {
      for (int d = 0; d <= horizon; d += step / 2) {
        const Val u = delayed(v, d);
        if (target(u)) return true;
        if (!A(u)) return false;
      }
      return false;
    };
    r = path_region_zone0(a, w);
    expect_set("path_region_zone0", r, near, [&](const Val &v) { return reaches(v, W); }, ctx);
    free_region(r);
    r = path_region(a, b);
    expect_set("path_region", r, near, [&](const Val &v) {
      if (is_empty_region(a)) return B(v);
      for (int32_t i = 0; b != nullptr && i < b->count; i++) {
        zone *bz = b->zones[i];
        if (reaches(v, [&](const Val &u) { return in_zone(bz, u); })) return true;
      }
      return false;
    }, ctx);
    free_region(r);

    free_region(a);
    free_region(b);
    free_zone(w);
    free_zone(y);
  }
}

TEST_F(RegionProperty, TwoClocksQuarterGrid) {
  n = 2;
  setup_clocks(n);
  // Quarters up to 2 * MAXC + 1.75 reach every class of valuations that
  // constants up to MAXC tell apart, so inclusion is decided exactly.
  check_operations(*this, 150, 2, S * (2 * MAXC + 1) + 6, true);
}

TEST_F(RegionProperty, ThreeClocksHalfGrid) {
  n = 3;
  setup_clocks(n);
  check_operations(*this, 25, 4, S * 9 + 4, false);
}

}  // namespace
