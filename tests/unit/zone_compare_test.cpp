// The vectorised two-way inclusion test of flat zones gives the reference
// (entry by entry) result on every pair: equal zones, zones one entry
// apart (a strict against a non-strict bound, a bound against none), one
// side tightened or loosened, and unrelated zones, at dimensions around
// the vector widths.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/zone/zone.h"
#include "varnok/zone_compare.h"

namespace {

const int DIMS[] = {1, 2, 7, 8, 9, 16, 17, 40};

// Bounds 2 * d + s near zero (so that pairs collide often), some "no bound".
int16_t random_bound(std::mt19937 &g) {
  std::uniform_int_distribution<int> pick(0, 9), val(-12, 12);
  if (pick(g) == 0) return INF_BOUND;
  return static_cast<int16_t>(val(g));
}

std::vector<int16_t> random_zone(std::mt19937 &g, int dim) {
  std::vector<int16_t> z(static_cast<size_t>(dim) * dim);
  for (int i = 0; i < dim; i++)
    for (int j = 0; j < dim; j++) z[i * dim + j] = i == j ? 1 : random_bound(g);
  return z;
}

// Every test that runs on this machine: the dispatched one, and each
// vector pass alone (it must give the same bits for any starting bits).
void expect_same(const std::vector<int16_t> &a, const std::vector<int16_t> &b, int dim) {
  const int want = flat::compare_scalar(a.data(), b.data(), dim);
  ASSERT_EQ(flat::compare(a.data(), b.data(), dim), want) << "dim " << dim;
  const int nn = dim * dim;
  for (flat::detail::compare_fn f : {flat::detail::compare_avx2_fn(), flat::detail::compare_sse2_fn()}) {
    if (f == nullptr) continue;
    ASSERT_EQ(f(a.data(), b.data(), nn, flat::A_IN_B | flat::B_IN_A), want) << "dim " << dim;
    for (int r = 0; r < 4; r++) ASSERT_EQ(f(a.data(), b.data(), nn, r), want & r) << "dim " << dim;
  }
}

TEST(FlatCompare, RandomPairsAgreeWithTheReference) {
  std::mt19937 g(28);
  std::uniform_int_distribution<int> kind(0, 5);
  for (int dim : DIMS) {
    const int nn = dim * dim;
    std::uniform_int_distribution<int> at(0, nn - 1), step(1, 4);
    for (int t = 0; t < 3000; t++) {
      std::vector<int16_t> a = random_zone(g, dim), b = a;
      switch (kind(g)) {
        case 0: break;  // equal
        case 1: {       // one entry apart by one: strict against non-strict
          const int p = at(g);
          b[p] = static_cast<int16_t>(b[p] == INF_BOUND ? b[p] - 1 : b[p] + (g() & 1 ? 1 : -1));
          break;
        }
        case 2: b[at(g)] = INF_BOUND; break;  // a bound against none (or equal)
        case 3:                                // b tightened in a few entries: b in a
          for (int k = step(g); k > 0; k--) {
            const int p = at(g);
            if (b[p] != INF_BOUND) b[p] = static_cast<int16_t>(b[p] - step(g));
          }
          break;
        case 4:  // b tightened in one entry and loosened in another: neither
          for (int k = 0; k < 2; k++) {
            const int p = at(g);
            if (b[p] != INF_BOUND) b[p] = static_cast<int16_t>(b[p] + (k == 0 ? -1 : 1));
          }
          break;
        default: b = random_zone(g, dim); break;
      }
      expect_same(a, b, dim);
      expect_same(b, a, dim);
    }
  }
}

// One differing entry at every position: block edges and tails included.
TEST(FlatCompare, EachPositionDecides) {
  for (int dim : DIMS) {
    const int nn = dim * dim;
    const std::vector<int16_t> a(nn, 5);
    for (int p = 0; p < nn; p++) {
      std::vector<int16_t> b = a;
      b[p] = 4;
      ASSERT_EQ(flat::compare(a.data(), b.data(), dim), flat::B_IN_A) << dim << " " << p;
      b[p] = INF_BOUND;
      ASSERT_EQ(flat::compare(a.data(), b.data(), dim), flat::A_IN_B) << dim << " " << p;
      std::vector<int16_t> c = b;
      c[nn - 1 - p] = static_cast<int16_t>(p == nn - 1 - p ? INF_BOUND : 4);
      expect_same(a, c, dim);
      expect_same(c, a, dim);
    }
    ASSERT_EQ(flat::compare(a.data(), a.data(), dim), flat::A_IN_B | flat::B_IN_A);
  }
}

TEST(FlatCompare, NamesItsUnit) {
  const std::string u = flat::compare_unit();
  EXPECT_TRUE(u == "avx2" || u == "sse2" || u == "scalar") << u;
  if (flat::detail::compare_avx2_fn() != nullptr) {
    EXPECT_EQ(u, "avx2");
  }
}

}  // namespace
