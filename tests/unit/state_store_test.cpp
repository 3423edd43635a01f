// The compact zones of the LU store against full matrices: every zone read
// back is the closed matrix that was stored, and the store refuses and
// covers exactly as the entry-by-entry inclusion of full matrices says,
// in both directions, on random closed zones of many shapes: thin ones
// (points, clocks equal), unbounded ones, ones whose clocks are above
// their constants (rows left out), at one and two bytes per bound, and
// across the switch from the one to the other. Also the byte-wide compare
// against its reference.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "common/zone/zone.h"
#include "varnok/flat_zone.h"
#include "varnok/state_store.h"
#include "varnok/zone_compare.h"

namespace {

using matrix = std::vector<int16_t>;

struct rnd {
  std::mt19937 gen;
  explicit rnd(unsigned seed) : gen(seed) {}
  int operator()(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); }
};

matrix universal(int dim) {
  matrix m(static_cast<size_t>(dim) * dim);
  flat::set_universal(m.data(), dim);
  return m;
}

// A random closed non-empty zone with constants up to c: time passing,
// constraints (some making points or equal clocks), and often the LU
// extrapolation with some clocks unbounded, which leaves whole rows free.
matrix random_zone(rnd &r, int dim, int c) {
  for (;;) {
    matrix m(static_cast<size_t>(dim) * dim);
    if (r(0, 1)) flat::set_zero(m.data(), dim);
    else flat::set_universal(m.data(), dim);
    if (r(0, 1)) flat::up(m.data(), dim);
    bool ok = true;
    for (int k = r(0, 2 * dim); k > 0 && ok && dim > 1; k--) {
      const int i = r(0, dim - 1), j = r(0, dim - 1);
      if (i == j) continue;
      const int d = r(-c, c);
      switch (r(0, 3)) {
        case 0:  // x_i - x_j = d: a thin zone
          ok = flat::constrain(m.data(), dim, i, j, mk_bound(d, 1)) &&
               flat::constrain(m.data(), dim, j, i, mk_bound(-d, 1));
          break;
        default: ok = flat::constrain(m.data(), dim, i, j, mk_bound(d, r(0, 1))); break;
      }
      if (ok && r(0, 3) == 0) flat::up(m.data(), dim);
    }
    if (!ok) continue;
    if (r(0, 2) > 0) {
      std::vector<int32_t> lo(dim), hi(dim);
      for (int x = 1; x < dim; x++) {
        lo[x] = r(0, 2) == 0 ? -1 : r(0, c);
        hi[x] = r(0, 2) == 0 ? -1 : r(0, c);
      }
      flat::extrapolate_lu(m.data(), dim, lo.data(), hi.data());
    }
    return m;
  }
}

struct ref {
  int key;
  matrix z;
  bool live;
};

// Offers z at key as the parallel search does: encoded by the caller, with
// one byte per bound when they fit, else two.
int32_t insert_encoded(lu::state_store &st, int dim, const uint16_t *key, const matrix &z, int32_t parent,
                       int32_t move) {
  std::vector<int8_t> enc(lu::state_store::encoded_bytes(dim, dim, false) + 1, 0x55);
  bool narrow = true;
  int rows = lu::state_store::encode_zone(z.data(), dim, true, enc.data());
  if (rows < 0) {
    narrow = false;
    rows = lu::state_store::encode_zone(z.data(), dim, false, enc.data());
  }
  EXPECT_EQ(enc.back(), 0x55) << "written beyond encoded_bytes";
  return st.insert_encoded(key, enc.data(), rows, narrow, parent, move);
}

// Random zones at a few discrete states; `wide_at`: the insertion from
// which constants need two bytes (-1: never). `encoded`: every zone is
// offered in the compact form, encoded outside the store.
void check_store(int dim, unsigned seed, int count, int wide_at, bool encoded = false) {
  rnd r(seed);
  lu::state_store st(dim, 1);
  std::vector<ref> refs;
  int refused = 0;
  for (int t = 0; t < count; t++) {
    const int key = r(0, 2);
    const uint16_t k16 = static_cast<uint16_t>(key);
    const matrix z = random_zone(r, dim, wide_at >= 0 && t >= wide_at && r(0, 3) == 0 ? 400 : 12);
    int includer = -1;
    for (size_t i = 0; i < refs.size() && includer < 0; i++)
      if (refs[i].live && refs[i].key == key && flat::included(z.data(), refs[i].z.data(), dim))
        includer = static_cast<int>(i);
    const int32_t id = encoded ? insert_encoded(st, dim, &k16, z, t - 1, t) : st.insert(&k16, z.data(), t - 1, t);
    if (includer >= 0) {
      ASSERT_EQ(id, -1) << "dim " << dim << " t " << t;
      const int32_t by = st.last_includer();
      ASSERT_TRUE(refs[by].live && refs[by].key == key && flat::included(z.data(), refs[by].z.data(), dim));
      refused++;
      continue;
    }
    ASSERT_EQ(id, static_cast<int32_t>(refs.size())) << "dim " << dim << " t " << t;
    for (ref &e : refs)
      if (e.live && e.key == key && flat::included(e.z.data(), z.data(), dim)) e.live = false;
    refs.push_back({key, z, true});
    if (t % 16 == 0 || t == count - 1) {
      for (size_t i = 0; i < refs.size(); i++) {
        ASSERT_EQ(st.covered(static_cast<int32_t>(i)), !refs[i].live) << "dim " << dim << " id " << i;
        if (refs[i].live) {
          const int16_t *back = st.zone_of(static_cast<int32_t>(i));
          ASSERT_EQ(matrix(back, back + dim * dim), refs[i].z) << "dim " << dim << " id " << i;
        }
      }
    }
  }
  EXPECT_GT(refused, 0) << "dim " << dim;
  EXPECT_EQ(st.narrow(), wide_at < 0) << "dim " << dim;
  for (size_t i = 0; i < refs.size(); i++) EXPECT_EQ(*st.key_of(static_cast<int32_t>(i)), refs[i].key);
}

TEST(StateStoreCompact, NarrowZonesReadBackAndIncludeAsFullMatrices) {
  for (int dim : {1, 2, 3, 5, 9, 13, 17}) check_store(dim, 100 + dim, 700, -1);
}

TEST(StateStoreCompact, WideningKeepsEveryZoneAndTheAntichain) {
  for (int dim : {2, 4, 9, 13}) {
    check_store(dim, 200 + dim, 600, 300);
    check_store(dim, 300 + dim, 300, 0);
  }
}

// A zone with no bounded row but the lower bounds, one with every row, and
// the same zone with one row left out: the mask decides alone.
// Zones encoded outside the store (narrow ones into a wide store, wide
// ones into a narrow store, which then widens) give the same store.
TEST(StateStoreCompact, ZonesEncodedOutsideActAsInserted) {
  for (int dim : {1, 2, 5, 13, 17}) check_store(dim, 400 + dim, 500, -1, true);
  for (int dim : {2, 9, 13}) {
    check_store(dim, 500 + dim, 600, 300, true);
    check_store(dim, 600 + dim, 300, 0, true);
  }
}

// A kept row with "no bound" entries (two clocks equal and unbounded),
// encoded narrow and offered to a store already wide.
TEST(StateStoreCompact, NarrowFormIntoWideStoreKeepsNoBound) {
  const int dim = 3;
  lu::state_store st(dim, 1);
  const uint16_t k0 = 0, k1 = 1;
  matrix wide = universal(dim);
  ASSERT_TRUE(flat::constrain(wide.data(), dim, 1, 0, mk_bound(400, 1)));
  ASSERT_EQ(insert_encoded(st, dim, &k0, wide, -1, 0), 0);
  ASSERT_FALSE(st.narrow());
  matrix z(static_cast<size_t>(dim) * dim);
  flat::set_zero(z.data(), dim);
  flat::up(z.data(), dim);
  ASSERT_EQ(z[1 * dim + 0], INF_BOUND);
  ASSERT_EQ(insert_encoded(st, dim, &k1, z, -1, 1), 1);
  const int16_t *back = st.zone_of(1);
  EXPECT_EQ(matrix(back, back + dim * dim), z);
  EXPECT_EQ(insert_encoded(st, dim, &k1, z, -1, 2), -1);
}

TEST(StateStoreCompact, RowsLeftOutDecideInclusion) {
  const int dim = 4;
  const uint16_t key = 0;
  matrix all = universal(dim);
  for (int x = 1; x < dim; x++) ASSERT_TRUE(flat::constrain(all.data(), dim, x, 0, mk_bound(5, 1)));
  matrix free_first = universal(dim);
  for (int x = 2; x < dim; x++) ASSERT_TRUE(flat::constrain(free_first.data(), dim, x, 0, mk_bound(5, 1)));
  lu::state_store st(dim, 1);
  ASSERT_EQ(st.insert(&key, all.data(), -1, 0), 0);
  ASSERT_EQ(st.insert(&key, free_first.data(), -1, 1), 1);  // covers `all`
  EXPECT_TRUE(st.covered(0));
  EXPECT_EQ(st.insert(&key, all.data(), -1, 2), -1);
  EXPECT_EQ(st.last_includer(), 1);
  EXPECT_EQ(st.insert(&key, universal(dim).data(), -1, 3), 2);
  EXPECT_TRUE(st.covered(1));
  const int16_t *u = st.zone_of(2);
  EXPECT_EQ(matrix(u, u + dim * dim), universal(dim));
}

// The byte-wide passes give the reference result for any starting bits.
TEST(StateStoreCompact, ByteCompareAgreesWithTheReference) {
  rnd r(28);
  for (int n : {0, 1, 15, 16, 17, 31, 32, 33, 64, 127, 128, 129, 156, 300}) {
    for (int t = 0; t < 2000; t++) {
      std::vector<int8_t> a(n), b;
      for (int8_t &v : a) v = static_cast<int8_t>(r(0, 9) == 0 ? 127 : r(-6, 6));
      b = a;
      for (int k = r(0, 3); k > 0 && n > 0; k--) {
        const int p = r(0, n - 1);
        b[p] = static_cast<int8_t>(r(0, 4) == 0 ? 127 : r(-128, 126));
      }
      const int want = flat::compare_bytes_scalar(a.data(), b.data(), n);
      ASSERT_EQ(flat::compare_bytes(a.data(), b.data(), n), want) << n;
      for (flat::detail::compare8_fn f : {flat::detail::compare8_avx2_fn(), flat::detail::compare8_sse2_fn()}) {
        if (f == nullptr) continue;
        for (int bits = 0; bits < 4; bits++) {
          ASSERT_EQ(f(a.data(), b.data(), n, bits), want & bits) << n;
          ASSERT_EQ(flat::compare_bytes(a.data(), b.data(), n, bits), want & bits) << n;
        }
      }
    }
  }
}

}  // namespace
