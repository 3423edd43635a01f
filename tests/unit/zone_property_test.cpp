// Property tests of the zone operations: random small zones (2 to 5 clocks,
// constants 0..6) checked point by point against the set each operation must
// compute, on a grid of multiples of 1/2 (finer where a witness may need it),
// and the closure checked bit for bit against a plain transcription of its
// rules. Every operation is also run on unclosed and not yet detected empty
// arguments, which must give what their closures give.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "common/zone/zone.h"
#include "common/zone/zone_read_write.h"
#include "zone_test_util.h"

using namespace zone_test;

namespace {

// Points carry clock values multiplied by SCALE (index 0, the reference
// clock, is always 0). Grid points are multiples of 1/2: even coordinates.
constexpr int SCALE = 8;
constexpr int GRID_MAX = 8 * SCALE;  // values 0 .. 8
using point = std::array<int, 8>;  // at most 7 clocks besides the reference

bool contains(const zone *z, const point &p) {
  if (is_empty_zone(z)) return false;
  const int n = N_OF_CLOCKS;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      int16_t b = z->bounds[i][j];
      if (i == j || b == INF_BOUND) continue;
      int diff = p[i] - p[j], lim = bound_constant(b) * SCALE;
      if (bound_is_le(b) ? diff > lim : diff >= lim) return false;
    }
  return true;
}

// Calls f on every grid point (step 1/2 from 0 to 8 on every clock).
void for_grid(const std::function<void(const point &)> &f) {
  const int n = N_OF_CLOCKS;
  point p{};
  for (;;) {
    f(p);
    int i = 1;
    while (i < n && p[i] == GRID_MAX) p[i++] = 0;
    if (i == n) return;
    p[i] += SCALE / 2;
  }
}

struct rnd {
  std::mt19937 gen;
  explicit rnd(unsigned seed) : gen(seed) {}
  int operator()(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); }
};

// A random zone: a few constraints with constants 0..6 added as edges.
zone *random_zone(rnd &r) {
  const int n = N_OF_CLOCKS;
  zone *z = blank();
  int count = r(1, n + 2);
  for (int c = 0; c < count; c++) {
    int i = r(0, n - 1), j = r(0, n - 1);
    if (i == j) continue;
    int d = r(0, 6);
    if (i == 0) d = -d;                         // lower bound
    else if (j != 0 && r(0, 1)) d = -d;         // difference either way
    int16_t b = mk_bound(d, r(0, 3) != 0);
    if (b < z->bounds[i][j]) add(z, i, j, d, bound_is_le(b));
  }
  return z;
}

// A random closed non-empty zone.
zone *random_closed_zone(rnd &r) {
  for (;;) {
    zone *z = random_zone(r);
    cf_zone(z);
    if (!is_empty_zone(z)) return z;
    free_zone(z);
  }
}

// The closure exactly as its rules read, on a plain matrix and bit array.
void reference_closure(int n, std::vector<int16_t> &m, std::vector<uint8_t> &e, bool &empty) {
  auto at = [&](int i, int j) -> int16_t & { return m[i * n + j]; };
  auto edge = [&](int i, int j) -> uint8_t & { return e[i * n + j]; };
  empty = false;
  for (int i = 1; i < n; i++)
    if (at(0, i) == ZERO_LE) edge(0, i) = 1;
  for (int k = 0; k < n; k++) {
    edge(k, k) = 0;
    for (int i = 0; i < n; i++) {
      if (i == k) continue;
      if (at(i, k) == INF_BOUND) {
        edge(i, k) = 0;
        continue;
      }
      if (at(k, i) != INF_BOUND && add_bounds(at(i, k), at(k, i)) <= 0) {
        empty = true;
        return;
      }
      for (int j = 0; j < n; j++) {
        if (j == i || j == k || at(k, j) == INF_BOUND) continue;
        int16_t t = add_bounds(at(i, k), at(k, j));
        if (t < at(i, j)) {
          at(i, j) = t;
          edge(i, j) = 0;
        } else if (t == at(i, j) && edge(i, k) && edge(k, j)) {
          edge(i, j) = 0;
        }
      }
    }
  }
  for (int i = 1; i < n; i++)
    if (at(0, i) == ZERO_LE) edge(0, i) = 0;
}

// Random assignment vector over the declared clocks 1..as-1.
std::vector<uint16_t> random_assignment(rnd &r, int as) {
  std::vector<uint16_t> a(as);
  a[0] = 0;
  for (int i = 1; i < as; i++) {
    int c = r(0, 3);
    a[i] = static_cast<uint16_t>(c == 0 ? 0 : c == 1 ? r(1, as - 1) : i);
  }
  return a;
}

int zones_for(int clocks) { return clocks <= 2 ? 150 : clocks == 3 ? 60 : clocks == 4 ? 12 : 1; }

}  // namespace

TEST(ZoneProperty, ClosureMatchesItsRulesBitForBit) {
  rnd r(12345);
  for (int clocks = 0; clocks <= 20; clocks++) {
    setup(clocks);
    const int n = N_OF_CLOCKS;
    for (int round = 0; round < 60; round++) {
      zone *z = blank();
      // Arbitrary matrices: sparse or dense, small or near-limit constants,
      // edge bits anywhere (the diagonal and infinite entries included).
      int density = r(1, 4), big = r(0, 5) == 0;
      for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++) {
          if (i == j) continue;
          if (r(0, 4) < density) {
            int d = big ? r(-16384, 16382) : r(-8, 12);
            if (i == 0) d = -std::abs(d);
            z->bounds[i][j] = mk_bound(d, r(0, 1));
          }
        }
      for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++) put_edge_zone(z, i, j, r(0, 2) == 0);
      std::vector<int16_t> m(z->bounds[0], z->bounds[0] + n * n);
      std::vector<uint8_t> e(n * n);
      for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++) e[i * n + j] = static_cast<uint8_t>(get_edge_zone(z, i, j));
      bool empty;
      reference_closure(n, m, e, empty);
      cf_zone(z);
      ASSERT_EQ(is_empty_zone(z), empty) << "clocks " << clocks << " round " << round;
      if (empty) {
        EXPECT_EQ(z->flags, 5);
      } else {
        EXPECT_EQ(z->flags, ZONE_CANONICAL);
        for (int i = 0; i < n; i++)
          for (int j = 0; j < n; j++) {
            ASSERT_EQ(z->bounds[i][j], m[i * n + j]) << i << "," << j << " clocks " << clocks;
            ASSERT_EQ(get_edge_zone(z, i, j), e[i * n + j]) << i << "," << j << " clocks " << clocks;
          }
      }
      free_zone(z);
    }
  }
}

TEST(ZoneProperty, ClosureKeepsTheSetAndEdgesDescribeIt) {
  rnd r(777);
  for (int clocks = 2; clocks <= 5; clocks++) {
    setup(clocks);
    for (int t = 0; t < zones_for(clocks); t++) {
      zone *z = random_zone(r);
      zone *before = assign_zone(z);
      cf_zone(z);
      for_grid([&](const point &p) { ASSERT_EQ(contains(before, p), contains(z, p)); });
      if (!is_empty_zone(z)) {
        // The zone rebuilt from its edges alone is the same zone.
        zone *e = blank();
        for (int i = 0; i < N_OF_CLOCKS; i++)
          for (int j = 0; j < N_OF_CLOCKS; j++)
            if (get_edge_zone(z, i, j)) add(e, i, j, bound_constant(z->bounds[i][j]), bound_is_le(z->bounds[i][j]));
        EXPECT_TRUE(equ_zone(e, z));
        free_zone(e);
      }
      free_zone(before);
      free_zone(z);
    }
  }
}

TEST(ZoneProperty, IntersectionHullInclusionEquality) {
  rnd r(4242);
  for (int clocks = 2; clocks <= 5; clocks++) {
    setup(clocks);
    const int n = N_OF_CLOCKS;
    for (int t = 0; t < zones_for(clocks); t++) {
      zone *a = random_closed_zone(r), *b = random_closed_zone(r);
      zone *i = intersection_zone(a, b);
      zone *h = Union_zone(a, b);
      for_grid([&](const point &p) {
        bool in_a = contains(a, p), in_b = contains(b, p);
        ASSERT_EQ(contains(i, p), in_a && in_b);
        if (in_a || in_b) {
          ASSERT_TRUE(contains(h, p));
        }
      });
      // The hull is the loosest of the two closed matrices.
      cf_zone(h);
      for (int x = 0; x < n; x++)
        for (int y = 0; y < n; y++)
          if (x != y) {
            ASSERT_EQ(h->bounds[x][y], std::max(a->bounds[x][y], b->bounds[x][y]));
          }
      // Inclusion through b's edges agrees with the entry-wise test.
      cf_zone(i);
      bool sub = true;
      for (int x = 0; x < n; x++)
        for (int y = 0; y < n; y++) sub = sub && a->bounds[x][y] <= b->bounds[x][y];
      EXPECT_EQ(is_included_zone(a, b), sub ? 1 : 0);
      EXPECT_EQ(is_included_zone(i, a), 1);
      EXPECT_EQ(is_included_zone(a, h), 1);
      EXPECT_EQ(equ_zone(a, b), is_included_zone(a, b) && is_included_zone(b, a));
      for (zone *z : {a, b, i, h}) free_zone(z);
    }
  }
}

TEST(ZoneProperty, TimeSuccessorsAndPredecessors) {
  rnd r(99);
  for (int clocks = 2; clocks <= 3; clocks++) {
    setup(clocks);
    for (int t = 0; t < zones_for(clocks) / 2; t++) {
      zone *z = random_closed_zone(r);
      zone *f = forward_proj_zone(z), *b = proj_zone(z);
      // Delays in steps of 1/8 reach every witness: the delays that work form
      // an interval with ends at multiples of 1/2.
      for_grid([&](const point &p) {
        bool succ = false, pred = false;
        for (int d = 0; d <= GRID_MAX && !(succ && pred); d++) {
          point q = p, s = p;
          bool q_ok = true;
          for (int c = 1; c < N_OF_CLOCKS; c++) {
            q[c] -= d;
            s[c] += d;
            q_ok = q_ok && q[c] >= 0;
          }
          succ = succ || (q_ok && contains(z, q));
          pred = pred || contains(z, s);
        }
        ASSERT_EQ(contains(f, p), succ);
        ASSERT_EQ(contains(b, p), pred);
      });
      for (zone *x : {z, f, b}) free_zone(x);
    }
  }
}

TEST(ZoneProperty, ResetsAndAssignments) {
  rnd r(2024);
  for (int clocks = 2; clocks <= 5; clocks++) {
    for (int extra = 0; extra <= (clocks >= 3 ? 1 : 0); extra++) {
      setup(clocks - extra, extra);
      AFFECT_SIZE = static_cast<uint16_t>(clocks - extra + 1);
      const int n = N_OF_CLOCKS;
      for (int t = 0; t < zones_for(clocks); t++) {
        zone *z = random_closed_zone(r);
        int x = r(1, n - 1);
        zone *rs = reset_zone(z, x);
        std::vector<uint16_t> a = random_assignment(r, AFFECT_SIZE);
        zone *ba = backward_affect_zone(z, a.data());
        zone *fa = forward_affect_zone(z, a.data());
        auto image = [&](const point &p) {
          point q = p;
          for (int c = 1; c < AFFECT_SIZE; c++) q[c] = p[a[c]];
          return q;
        };
        for_grid([&](const point &p) {
          point q = p;
          q[x] = 0;
          ASSERT_EQ(contains(rs, p), contains(z, q));
          ASSERT_EQ(contains(ba, p), contains(z, image(p)));
          if (contains(z, p)) {
            ASSERT_TRUE(contains(fa, image(p)));
          }
        });
        if (rs != nullptr) {
          EXPECT_TRUE(rs->flags & ZONE_CANONICAL);
        }
        // Every point of the image has a witness in z: the clocks that no
        // clock copies are free; search them in steps of 1/8.
        if (clocks <= 4) for_grid([&](const point &p) {
          if (!contains(fa, p)) return;
          point v;
          v.fill(-1);
          v[0] = 0;
          bool ok = true;
          for (int c = 1; c < n && ok; c++) {
            int src = c < AFFECT_SIZE ? a[c] : c;
            if (v[src] == -1 || v[src] == p[c]) v[src] = p[c];
            else ok = false;
          }
          ASSERT_TRUE(ok) << "image point with inconsistent copies";
          int free_clocks[2], nfree = 0;
          for (int c = 1; c < n; c++)
            if (v[c] == -1) {
              if (nfree == 2) return;  // too many to search; covered by smaller cases
              free_clocks[nfree++] = c;
            }
          // Steps of 1/8 are enough for two free clocks between fixed values
          // at multiples of 1/2; witnesses may lie beyond the grid.
          if (nfree == 2 && n > 3) return;
          const int top = 2 * GRID_MAX;
          bool found = false;
          for (int u = 0; u <= (nfree > 0 ? top : 0) && !found; u++) {
            if (nfree > 0) v[free_clocks[0]] = u;
            for (int w = 0; w <= (nfree > 1 ? top : 0) && !found; w++) {
              if (nfree > 1) v[free_clocks[1]] = w;
              found = contains(z, v);
            }
          }
          ASSERT_TRUE(found);
        });
        for (zone *y : {z, rs, ba, fa}) free_zone(y);
      }
    }
  }
}

TEST(ZoneProperty, MaximizeIsSoundAndExactBelowTheConstants) {
  rnd r(31337);
  for (int clocks = 2; clocks <= 4; clocks++) {
    setup(clocks);
    const int n = N_OF_CLOCKS;
    for (int t = 0; t < zones_for(clocks); t++) {
      zone *z = random_closed_zone(r);
      // Maximal constants k_i per clock: m(i, j) = (k_i, <=), m(0, i) = (0, <=).
      zone *m = mk_universal_zone();
      m->flags = 0;
      std::vector<int> k(n, 0);
      for (int i = 1; i < n; i++) k[i] = r(0, 6);
      for (int i = 1; i < n; i++)
        for (int j = 0; j < n; j++)
          if (i != j) m->bounds[i][j] = mk_bound(k[i], 1);
      zone *x = maximize_zone(z, m);
      for_grid([&](const point &p) {
        if (contains(z, p)) {
          ASSERT_TRUE(contains(x, p));
        }
      });
      cf_zone(x);
      // A zone whose bounds all lie within the constants is unchanged.
      bool within = true;
      for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++) {
          if (i == j) continue;
          int16_t b = z->bounds[i][j];
          within = within && (b <= m->bounds[i][j] || b == INF_BOUND) && b >= neg_bound(m->bounds[j][i]);
          if (b == INF_BOUND && m->bounds[i][j] != INF_BOUND) within = false;
        }
      if (within) {
        EXPECT_TRUE(equ_zone(x, z));
      }
      for (zone *y : {z, m, x}) free_zone(y);
    }
  }
}

TEST(ZoneProperty, ExtraClocksAndBinaryRoundTrip) {
  rnd r(5150);
  for (int clocks = 2; clocks <= 5; clocks++) {
    setup(clocks);
    for (int t = 0; t < 40; t++) {
      zone *z = random_closed_zone(r);
      zone *copy = assign_zone(z);
      // Binary round trip keeps matrix and edges.
      char *buf = nullptr;
      size_t len = 0;
      FILE *s = open_memstream(&buf, &len);
      fprint_bin_zone(s, z);
      fclose(s);
      FILE *in = fmemopen(buf, len, "r");
      zone *back = mk_read_bin_zone(in, 0);
      fclose(in);
      const int n = N_OF_CLOCKS;
      ASSERT_EQ(memcmp(back->bounds[0], z->bounds[0], n * n * sizeof(int16_t)), 0);
      ASSERT_EQ(memcmp(back->edges, z->edges, EDGES_SIZE * 4), 0);
      ASSERT_TRUE(is_well_formed_zone(back));
      // Read with two missing clocks: same text, new clocks unconstrained.
      std::string t1 = text(z);
      setup(clocks, 2);
      in = fmemopen(buf, len, "r");
      zone *wide = mk_read_bin_zone(in, 2);
      fclose(in);
      EXPECT_EQ(text(wide), t1);
      // Widening in place gives the same zone. The record read is used as
      // read: its new columns are not tightened until it is closed again.
      setup(clocks);
      add_extra_clocks_zone(z, 2);
      setup(clocks, 2);
      EXPECT_TRUE(is_included_zone(z, wide));
      wide->flags = 0;
      EXPECT_TRUE(equ_zone(z, wide));
      EXPECT_EQ(text(wide), t1);
      // Constrain the new clocks, then project them away: a superset of the
      // constrained zone, equal to the original when nothing else changed.
      zone *c = assign_zone(z);
      int e = r(n, n + 1), o = r(1, n - 1);
      assign_bounds_edges_zone(c, e, o, mk_bound(r(-2, 2), 1), 1);
      c->flags = 0;
      cf_zone(c);
      zone *cp = assign_zone(c);
      del_extra_clocks_zone(z, 2);
      if (!is_empty_zone(cp)) del_extra_clocks_zone(cp, 2);
      setup(clocks);
      EXPECT_TRUE(equ_zone(z, copy));
      if (!is_empty_zone(cp)) {
        EXPECT_TRUE(is_included_zone(cp, copy));
      }
      setup(clocks, 2);
      free_zone(wide);
      free_zone(c);
      free_zone(cp);
      setup(clocks);
      free(buf);
      for (zone *y : {z, copy, back}) free_zone(y);
    }
  }
}

// ---------------------------------------------------------------------------
// Unclosed arguments. A zone denotes the set of valuations its matrix allows,
// whether or not the matrix is closed, and whether or not an empty one has
// been found so. Every operation must give for an unclosed argument the set
// it gives for the argument's closure; the two results are compared on the
// quarter points of [0, 4] for every clock (2 to 4 clocks, constants 0..3).

namespace {

constexpr int QUARTER = SCALE / 4;
constexpr int SMALL_MAX = 3;               // largest constant of these zones
constexpr int SMALL_TOP = (SMALL_MAX + 1) * SCALE;

void for_quarter_grid(const std::function<void(const point &)> &f) {
  const int n = N_OF_CLOCKS;
  point p{};
  for (;;) {
    f(p);
    int i = 1;
    while (i < n && p[i] == SMALL_TOP) p[i++] = 0;
    if (i == n) return;
    p[i] += QUARTER;
  }
}

// A random bound for entry (i, j): a lower bound, an upper bound or a
// difference either way, strict or not.
int16_t random_entry(rnd &r, int i, int j) {
  int d = r(0, SMALL_MAX);
  if (i == 0 || (j != 0 && r(0, 1))) d = -d;
  return mk_bound(d, r(0, 1));
}

// Two clocks 1 <= x != y < N_OF_CLOCKS when there are two, else y = 0.
void two_clocks(rnd &r, int &x, int &y) {
  x = r(1, N_OF_CLOCKS - 1);
  y = N_OF_CLOCKS > 2 ? r(1, N_OF_CLOCKS - 2) : 0;
  if (y >= x) y++;
}

// Adds, without closing, constraints that no valuation meets: x < 0, an
// upper bound below a lower one, or two opposite differences that exclude
// each other.
void add_contradiction(rnd &r, zone *z) {
  int x, y;
  two_clocks(r, x, y);
  const int d = r(0, SMALL_MAX), gap = r(0, 1);
  switch (r(0, 2)) {
    case 0: add(z, x, 0, 0, 0); break;
    case 1:
      add(z, x, 0, d, gap);
      add(z, 0, x, -(d + gap), 0);
      break;
    default:
      add(z, x, y, -d, 0);
      add(z, y, x, d - gap, 1);
  }
  z->flags = 0;
}

// Loosens entries of a closed zone that are not edges (they follow from the
// edges): to "no constraint", or to x >= 0 for a lower bound. The matrix is
// then no longer closed but still denotes the same set.
void loosen_implied(rnd &r, zone *z) {
  const int n = N_OF_CLOCKS;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++)
      if (i != j && !get_edge_zone(z, i, j) && r(0, 2) == 0) z->bounds[i][j] = i == 0 ? ZERO_LE : INF_BOUND;
  z->flags = 0;
}

// A random zone left unclosed on purpose, one of: random constraints added
// as edges (seldom closed, sometimes empty); the same made empty by a
// contradiction; a closed zone whose implied entries are loosened; a closed
// zone without its canonical flag and with every finite entry an edge; a
// canonical zone. Null (the empty zone) now and then.
zone *random_unclosed_zone(rnd &r) {
  const int kind = r(0, 9);
  if (kind == 0) return nullptr;
  zone *z = blank();
  for (int c = r(1, N_OF_CLOCKS + 1); c > 0; c--) {
    int i = r(0, N_OF_CLOCKS - 1), j = r(0, N_OF_CLOCKS - 1);
    if (i == j) continue;
    int16_t b = random_entry(r, i, j);
    if (b < z->bounds[i][j]) add(z, i, j, bound_constant(b), bound_is_le(b));
  }
  if (kind <= 4) return z;
  if (kind == 5) {
    add_contradiction(r, z);
    return z;
  }
  cf_zone(z);
  if (is_empty_zone(z) || kind == 9) return z;
  if (kind <= 7) {
    loosen_implied(r, z);
  } else {
    for (int i = 0; i < N_OF_CLOCKS; i++)
      for (int j = 0; j < N_OF_CLOCKS; j++) put_edge_zone(z, i, j, i != j && z->bounds[i][j] != INF_BOUND);
    z->flags = 0;
  }
  return z;
}

// The closure of a copy of z (null for null, an empty record when empty).
zone *closure_of(zone *z) {
  zone *c = assign_zone(z);
  if (c == nullptr) return nullptr;
  c->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  cf_zone(c);
  return c;
}

std::string show(zone *z) {
  zone *c = closure_of(z);
  std::string s = c == nullptr ? "FALSE" : text(c);
  free_zone(c);
  return s;
}

// One trial: arguments a and b, unclosed (now and then b closed), and their
// closures.
struct unclosed_case {
  zone *ua, *ub, *ca, *cb;
  std::string ctx;

  explicit unclosed_case(rnd &r) {
    ua = random_unclosed_zone(r);
    ub = random_unclosed_zone(r);
    ca = closure_of(ua);
    cb = closure_of(ub);
    if (r(0, 4) == 0) {  // mixed: a unclosed, b closed
      free_zone(ub);
      ub = assign_zone(cb);
    }
    ctx = "a: " + show(ua) + "\nb: " + show(ub);
  }
  ~unclosed_case() {
    for (zone *z : {ua, ub, ca, cb}) free_zone(z);
  }
  unclosed_case(const unclosed_case &) = delete;
  unclosed_case &operator=(const unclosed_case &) = delete;

  // Compares f on copies of the unclosed arguments with f on copies of their
  // closures (f may close its arguments in place, and each call must meet
  // them as made); checks too that the arguments keep their sets.
  void expect_same(const char *op, const std::function<zone *(zone *, zone *)> &f) const {
    zone *a = assign_zone(ua), *b = assign_zone(ub), *a2 = assign_zone(ca), *b2 = assign_zone(cb);
    zone *got = f(a, b), *want = f(a2, b2);
    bool ok = true;
    for_quarter_grid([&](const point &p) {
      ok = ok && contains(got, p) == contains(want, p) && contains(a, p) == contains(ca, p) &&
           contains(b, p) == contains(cb, p);
    });
    EXPECT_TRUE(ok) << op << "\n" << ctx << "\ngot: " << show(got) << "\nwant: " << show(want);
    for (zone *z : {a, b, a2, b2, got, want}) free_zone(z);
  }

  // The same for an operation that answers a number.
  void expect_same_answer(const char *op, const std::function<int(zone *, zone *)> &f) const {
    zone *a = assign_zone(ua), *b = assign_zone(ub), *a2 = assign_zone(ca), *b2 = assign_zone(cb);
    EXPECT_EQ(f(a, b), f(a2, b2)) << op << "\n" << ctx;
    for (zone *z : {a, b, a2, b2}) free_zone(z);
  }
};

}  // namespace

namespace {

// Maximal constants k_i per clock as extrapolation wants them:
// m(i, j) = (k_i, <=) for every clock i, m(0, i) = (0, <=).
zone *random_bounds_table(rnd &r) {
  zone *m = blank();
  for (int i = 1; i < N_OF_CLOCKS; i++) {
    const int k = r(0, SMALL_MAX);
    for (int j = 0; j < N_OF_CLOCKS; j++)
      if (i != j) m->bounds[i][j] = mk_bound(k, 1);
  }
  return m;
}

bool same_set_on_grid(const zone *a, const zone *b) {
  bool ok = true;
  for_quarter_grid([&](const point &p) { ok = ok && contains(a, p) == contains(b, p); });
  return ok;
}

}  // namespace

TEST(ZoneProperty, UnclosedArgumentsGiveWhatTheirClosuresGive) {
  rnd r(1313);
  for (int clocks = 2; clocks <= 4; clocks++) {
    setup(clocks);
    AFFECT_SIZE = static_cast<uint16_t>(clocks + 1);
    const int trials = clocks == 2 ? 300 : clocks == 3 ? 60 : 6;
    for (int t = 0; t < trials && !HasFailure(); t++) {
      unclosed_case c(r);
      const int x = r(1, clocks);
      std::vector<uint16_t> v = random_assignment(r, AFFECT_SIZE);
      zone *m = random_bounds_table(r);
      c.expect_same("forward_proj_zone", [](zone *a, zone *) { return forward_proj_zone(a); });
      c.expect_same("forward_proj_cond_zone", [](zone *a, zone *b) { return forward_proj_cond_zone(a, b); });
      c.expect_same("proj_zone", [](zone *a, zone *) { return proj_zone(a); });
      c.expect_same("intersection_zone", [](zone *a, zone *b) { return intersection_zone(a, b); });
      c.expect_same("Union_zone", [](zone *a, zone *b) { return Union_zone(a, b); });
      c.expect_same("border_zone", [](zone *a, zone *b) { return border_zone(a, b); });
      c.expect_same("reset_zone", [x](zone *a, zone *) { return reset_zone(a, x); });
      c.expect_same("backward_affect_zone", [&v](zone *a, zone *) { return backward_affect_zone(a, v.data()); });
      c.expect_same("forward_affect_zone", [&v](zone *a, zone *) { return forward_affect_zone(a, v.data()); });
      c.expect_same("maximize_zone", [m](zone *a, zone *) { return maximize_zone(a, m); });
      c.expect_same("assign_zone", [](zone *a, zone *) { return assign_zone(a); });
      c.expect_same_answer("test_border", [](zone *a, zone *b) { return test_border(a, b); });
      c.expect_same_answer("is_included_zone", [](zone *a, zone *b) { return is_included_zone(a, b); });
      c.expect_same_answer("is_included_zone (swapped)", [](zone *a, zone *b) { return is_included_zone(b, a); });
      c.expect_same_answer("equ_zone", [](zone *a, zone *b) { return equ_zone(a, b); });
      free_zone(m);
    }
  }
}

TEST(ZoneProperty, UnclosedArgumentsGainAndLoseClocksLikeTheirClosures) {
  rnd r(4711);
  for (int clocks = 2; clocks <= 4; clocks++) {
    setup(clocks);
    for (int t = 0; t < (clocks == 4 ? 6 : 60) && !HasFailure(); t++) {
      unclosed_case c(r);
      zone *a = assign_zone(c.ua), *a2 = assign_zone(c.ca);
      del_extra_clocks_zone(a, 1);
      del_extra_clocks_zone(a2, 1);
      setup(clocks - 1);
      EXPECT_TRUE(same_set_on_grid(a, a2)) << "del_extra_clocks_zone\n" << c.ctx;
      free_zone(a);
      free_zone(a2);
      setup(clocks);
      if (clocks == 4) continue;  // a fifth clock makes the grid too large
      a = assign_zone(c.ua);
      a2 = assign_zone(c.ca);
      add_extra_clocks_zone(a, 1);
      add_extra_clocks_zone(a2, 1);
      setup(clocks + 1);
      EXPECT_TRUE(same_set_on_grid(a, a2)) << "add_extra_clocks_zone\n" << c.ctx;
      free_zone(a);
      free_zone(a2);
      setup(clocks);
    }
  }
}
