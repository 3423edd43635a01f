// Property tests: on random small regions (2 and 3 clocks, constants 0..6)
// every set operation must agree, point by point on a grid of valuations,
// with the set-theoretic answer computed from the operands' memberships; and
// regions of unclosed zones must give what the regions of their closures
// give.
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

  // A random zone of constants 0..3 left unclosed on purpose: constraints
  // added as edges without closing (sometimes empty); the same made empty by
  // an upper bound below a lower one; a closed zone whose entries that are
  // not edges are loosened (they follow from the edges); or a closed zone.
  zone *random_unclosed_zone() {
    zone *z = mk_universal_zone();
    z->flags = 0;
    for (int c = pick(1, n + 1); c > 0; c--) {
      const int i = pick(0, n), j = (i + pick(1, n)) % (n + 1);
      int d = pick(0, 3);
      if (i == 0 || (j != 0 && pick(0, 1))) d = -d;
      const int16_t b = mk_bound(d, pick(0, 1));
      if (b < z->bounds[i][j]) assign_bounds_edges_zone(z, i, j, b, 1);
    }
    const int kind = pick(0, 5);
    if (kind <= 2) return z;
    if (kind == 3) {
      const int x = pick(1, n), d = pick(0, 3), gap = pick(0, 1);
      assign_bounds_edges_zone(z, x, 0, mk_bound(d, gap), 1);
      assign_bounds_edges_zone(z, 0, x, mk_bound(-(d + gap), 0), 1);
      return z;
    }
    cf_zone(z);
    if (kind == 5 || is_empty_zone(z)) return z;
    for (int i = 0; i <= n; i++)
      for (int j = 0; j <= n; j++)
        if (i != j && !get_edge_zone(z, i, j) && pick(0, 1)) z->bounds[i][j] = i == 0 ? ZERO_LE : INF_BOUND;
    z->flags = 0;
    return z;
  }

  // A random region (flags 0) of zero to three such zones, sometimes null.
  region *random_unclosed_region() {
    const int k = pick(-1, 3);
    if (k < 0) return nullptr;
    region *r = mk_empty_region();
    if (k == 0) return r;
    resize_region(r, k);
    for (int i = 0; i < k; i++) r->zones[i] = random_unclosed_zone();
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

// ---------------------------------------------------------------------------
// Unclosed arguments: a region denotes the union of the sets its zones'
// matrices allow, closed or not. Every operation must give for a region of
// unclosed zones (empty ones among them, not found so yet) what it gives for
// the region of their closures; results are compared on quarter points.

zone *closure_of(zone *z) {
  zone *c = assign_zone(z);
  if (c == nullptr) return nullptr;
  c->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  cf_zone(c);
  return c;
}

region *closure_of(region *r) {
  region *c = assign_region(r);
  for (int32_t i = 0; i < c->count; i++) c->zones[i]->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  c->flags = 0;
  cf_region(c);
  return c;
}

bool same_points(const region *a, const region *b, const std::vector<Val> &pts) {
  for (const Val &v : pts)
    if (in_region(a, v) != in_region(b, v)) return false;
  return true;
}

bool same_points(const zone *a, const zone *b, const std::vector<Val> &pts) {
  for (const Val &v : pts)
    if (in_zone(a, v) != in_zone(b, v)) return false;
  return true;
}

// The operands of one trial: regions a and b and zones w and y as made, and
// their closures.
struct Operands {
  region *a, *b;
  zone *w, *y;
};

// One trial: each operation is called on copies of the unclosed operands
// and on copies of their closures (operations may close their arguments in
// place); the results must agree, and the unclosed copies keep their sets.
class UnclosedTrial {
 public:
  UnclosedTrial(RegionProperty &t, const std::vector<Val> &pts) : pts_(pts) {
    u_ = {t.random_unclosed_region(), t.random_unclosed_region(), t.random_unclosed_zone(), t.random_unclosed_zone()};
    c_ = {closure_of(u_.a), closure_of(u_.b), closure_of(u_.w), closure_of(u_.y)};
    ctx_ = "a: " + text(c_.a) + "\nb: " + text(c_.b) + "\nw: " + text(c_.w) + "\ny: " + text(c_.y);
  }
  ~UnclosedTrial() { release(u_); release(c_); }
  UnclosedTrial(const UnclosedTrial &) = delete;
  UnclosedTrial &operator=(const UnclosedTrial &) = delete;

  void regions(const char *op, const std::function<region *(const Operands &)> &f) {
    Operands u = copy(u_), c = copy(c_);
    region *got = f(u), *want = f(c);
    EXPECT_TRUE(same_points(got, want, pts_)) << op << "\n" << ctx_ << "\ngot: " << text(got) << "\nwant: " << text(want);
    check_kept(op, u);
    free_region(got);
    free_region(want);
    release(u);
    release(c);
  }

  void zones(const char *op, const std::function<zone *(const Operands &)> &f) {
    Operands u = copy(u_), c = copy(c_);
    zone *got = f(u), *want = f(c);
    EXPECT_TRUE(same_points(got, want, pts_)) << op << "\n" << ctx_;
    check_kept(op, u);
    free_zone(got);
    free_zone(want);
    release(u);
    release(c);
  }

  void answers(const char *op, const std::function<int(const Operands &)> &f) {
    Operands u = copy(u_), c = copy(c_);
    EXPECT_EQ(f(u), f(c)) << op << "\n" << ctx_;
    release(u);
    release(c);
  }

 private:
  static Operands copy(const Operands &o) {
    return {o.a == nullptr ? nullptr : assign_region(o.a), o.b == nullptr ? nullptr : assign_region(o.b),
            assign_zone(o.w), assign_zone(o.y)};
  }
  static void release(const Operands &o) {
    free_region(o.a);
    free_region(o.b);
    free_zone(o.w);
    free_zone(o.y);
  }
  void check_kept(const char *op, const Operands &u) {
    EXPECT_TRUE(same_points(u.a, c_.a, pts_) && same_points(u.b, c_.b, pts_) && same_points(u.w, c_.w, pts_) &&
                same_points(u.y, c_.y, pts_))
        << op << " changed an argument's set\n" << ctx_;
  }

  const std::vector<Val> &pts_;
  Operands u_, c_;
  std::string ctx_;
};

void check_unclosed(RegionProperty &t, int trials) {
  const std::vector<Val> pts = grid(t.n, S / 4, 4 * S);
  for (int trial = 0; trial < trials && !testing::Test::HasFailure(); trial++) {
    UnclosedTrial u(t, pts);
    const std::vector<uint16_t> aff = t.random_affect();
    const int x = t.pick(1, t.n), i = t.pick(0, t.n), j = (i + t.pick(1, t.n)) % (t.n + 1);
    const int16_t bound = mk_bound(t.pick(-3, 3), t.pick(0, 1));
    using O = const Operands &;
    u.regions("assign_region", [](O o) { return assign_region(o.a); });
    u.regions("cf_region", [](O o) { cf_region(o.a); return assign_region(o.a); });
    u.regions("compact_region", [](O o) { compact_region(o.a); return assign_region(o.a); });
    u.regions("compact_incl_region", [](O o) { compact_incl_region(o.a); return assign_region(o.a); });
    u.regions("compact_hull_region", [](O o) {
      region *r = compact_hull_region(o.a);
      return r == o.a ? assign_region(r) : r;
    });
    u.regions("compact_hull_diff_region", [](O o) { return compact_hull_diff_region(o.a); });
    u.regions("modif_global_region", [&](O o) {
      region *r = assign_region(o.a);
      modif_global_region(r, i, j, bound);
      return r;
    });
    u.regions("intersection_region", [](O o) { return intersection_region(o.a, o.b); });
    u.regions("union_region", [](O o) { return union_region(assign_region(o.a), assign_region(o.b)); });
    u.regions("append_region", [](O o) { return append_region(assign_region(o.a), assign_region(o.b)); });
    u.regions("diff_region", [](O o) { return diff_region(o.a, o.b); });
    u.regions("complement_region", [](O o) { return complement_region(o.a); });
    u.regions("proj_region", [](O o) { return proj_region(o.a); });
    u.regions("reset_region", [x](O o) { return reset_region(o.a, x); });
    u.regions("backward_affect_region", [&aff](O o) { return backward_affect_region(o.a, aff.data()); });
    u.regions("pre_region", [&aff](O o) { return pre_region(o.a, o.b, aff.data()); });
    u.regions("path_region", [](O o) { return path_region(o.a, o.b); });
    u.regions("zone_to_region2", [](O o) { return zone_to_region2(o.w); });
    u.regions("union_zone_region", [](O o) { return union_zone_region(assign_zone(o.w), assign_region(o.a)); });
    u.regions("complement_zone", [](O o) { return complement_zone(o.w); });
    u.regions("intersection_zone_not_zone", [](O o) { return intersection_zone_not_zone(o.y, o.w); });
    u.regions("intersection_region_not_zone", [](O o) { return intersection_region_not_zone(o.a, o.w); });
    u.regions("path_region_zone0", [](O o) { return path_region_zone0(o.a, o.w); });
    u.zones("hull_region", [](O o) { return hull_region(o.a); });
    u.answers("is_included_region", [](O o) { return is_included_region(o.a, o.b); });
  }
}

TEST_F(RegionProperty, UnclosedZonesTwoClocks) {
  n = 2;
  setup_clocks(n);
  check_unclosed(*this, 300);
}

TEST_F(RegionProperty, UnclosedZonesThreeClocks) {
  n = 3;
  setup_clocks(n);
  check_unclosed(*this, 30);
}

}  // namespace
