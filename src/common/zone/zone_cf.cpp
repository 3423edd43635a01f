// Closure of a zone and reduction of its edge bits.
//
// The edge bits are unpacked into one byte per entry for the duration of the
// closure, so that the inner loop works on plain arrays; they are packed back
// at the end. The byte matrix is a module buffer sized for the largest zone.

#include <cstdlib>
#include <cstring>

#include "common/util/my_files.h"

#include "common/zone/zone.h"
#include "common/zone/zone_storage.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

static uint8_t *edge_bytes = nullptr;
static size_t edge_bytes_size = 0;

// Makes room for nn edge bytes (grows only when a wider zone is met).
static void reserve_edge_bytes(size_t nn) {
  if (nn <= edge_bytes_size) return;
  uint8_t *p = static_cast<uint8_t *>(realloc(edge_bytes, nn));
  if (p == nullptr) out_of_memory();
  edge_bytes = p;
  edge_bytes_size = nn;
}

static void unpack_edges(const uint32_t *edges, int nn) {
  for (int w = 0; w * 32 < nn; w++) {
    uint32_t word = edges[w];
    int base = w * 32;
    int lim = nn - base < 32 ? nn - base : 32;
    for (int b = 0; b < lim; b++) edge_bytes[base + b] = static_cast<uint8_t>((word >> b) & 1u);
  }
}

static void pack_edges(uint32_t *edges, int nn) {
  for (int w = 0; w * 32 < nn; w++) {
    int base = w * 32;
    int lim = nn - base < 32 ? nn - base : 32;
    uint32_t word = edges[w] & (lim == 32 ? 0u : ~((1u << lim) - 1));  // keep bits past the matrix
    for (int b = 0; b < lim; b++) word |= static_cast<uint32_t>(edge_bytes[base + b]) << b;
    edges[w] = word;
  }
}

// Relaxes row i through clock k: for every j, t = (i, k) (+) (k, j);
// a strictly tighter t replaces (i, j) and clears its edge; an equal t clears
// the edge of (i, j) when (i, k) and (k, j) are both edges. Entries (k, j)
// that are infinite give t infinite, which never tightens; the edge bit such
// a j may lose is one of an infinite entry, which the closure clears anyway.
// a = (i, k), finite; eik = edge bit (i, k). Rows i and k are distinct.
static void relax_row(int16_t *__restrict ri, uint8_t *__restrict ei, const int16_t *__restrict rk,
                      const uint8_t *__restrict ek, int16_t a, uint8_t eik, int n) {
  int j = 0;
#if defined(__SSE2__)
  const __m128i even = _mm_set1_epi16(~1);
  const __m128i one = _mm_set1_epi16(1);
  const __m128i inf = _mm_set1_epi16(INF_BOUND);
  const __m128i inf_minus = _mm_set1_epi16(INF_BOUND - 1);
  const __m128i ae = _mm_set1_epi16(static_cast<int16_t>(a & ~1));
  const __m128i as = _mm_set1_epi16(static_cast<int16_t>(a & 1));
  const __m128i eikv = _mm_set1_epi8(static_cast<char>(eik ? 0xff : 0));
  for (; j + 8 <= n; j += 8) {
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(rk + j));
    __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(ri + j));
    __m128i s = _mm_adds_epi16(ae, _mm_and_si128(b, even));  // even part, saturated to int16
    __m128i big = _mm_or_si128(_mm_cmpeq_epi16(b, inf), _mm_cmpgt_epi16(s, inf_minus));
    __m128i t = _mm_or_si128(s, _mm_and_si128(as, _mm_and_si128(b, one)));
    t = _mm_or_si128(_mm_and_si128(big, inf), _mm_andnot_si128(big, t));
    __m128i lt = _mm_cmpgt_epi16(c, t);
    __m128i eq = _mm_cmpeq_epi16(c, t);
    _mm_storeu_si128(reinterpret_cast<__m128i *>(ri + j), _mm_min_epi16(c, t));
    // Edge bytes of the 8 entries, widened to 16-bit masks via packing.
    __m128i lt8 = _mm_packs_epi16(lt, lt);
    __m128i eq8 = _mm_packs_epi16(eq, eq);
    __m128i ekv = _mm_cmpgt_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(ek + j)), _mm_setzero_si128());
    __m128i clr = _mm_or_si128(lt8, _mm_and_si128(eq8, _mm_and_si128(ekv, eikv)));
    __m128i eiv = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(ei + j));
    _mm_storel_epi64(reinterpret_cast<__m128i *>(ei + j), _mm_andnot_si128(clr, eiv));
  }
#endif
  const int ae1 = a & ~1, as1 = a & 1;
  for (; j < n; j++) {
    int b = rk[j];
    int s = ae1 + (b & ~1);
    if (s < -32768) s = -32768;
    int t = (b == INF_BOUND || s >= INF_BOUND) ? INF_BOUND : (s | (as1 & b & 1));
    int c = ri[j];
    if (t < c) {
      ri[j] = static_cast<int16_t>(t);
      ei[j] = 0;
    } else if (t == c && eik && ek[j]) {
      ei[j] = 0;
    }
  }
}

void cf_zone(zone *z) {
  if (is_empty_zone(z) || (z->flags & ZONE_CANONICAL)) return;
  const int n = N_OF_CLOCKS;
  const int nn = n * n;
  int16_t *m = z->bounds[0];
  reserve_edge_bytes(static_cast<size_t>(nn));
  uint8_t *e = edge_bytes;
  unpack_edges(z->edges, nn);
  // The trivial bound x >= 0 takes part in the reduction as an edge.
  for (int i = 1; i < n; i++)
    if (m[i] == ZERO_LE) e[i] = 1;
  for (int k = 0; k < n; k++) {
    int16_t *rk = m + k * n;
    uint8_t *ek = e + k * n;
    ek[k] = 0;
    for (int i = 0; i < n; i++) {
      if (i == k) continue;
      int16_t *ri = m + i * n;
      uint8_t *ei = e + i * n;
      int16_t a = ri[k];
      if (a == INF_BOUND) {
        ei[k] = 0;
        continue;
      }
      if (rk[i] != INF_BOUND && add_bounds(a, rk[i]) <= 0) {
        convert_empty_zone(z);
        return;
      }
      relax_row(ri, ei, rk, ek, a, ei[k], n);
    }
  }
  // The bound x >= 0 is implicit and never an edge.
  for (int i = 1; i < n; i++)
    if (m[i] == ZERO_LE) e[i] = 0;
  pack_edges(z->edges, nn);
  z->flags |= ZONE_CANONICAL;
}

int is_closed_matrix_zone(const zone *z) {
  if (is_empty_zone(z) || (z->flags & ZONE_CANONICAL)) return 1;
  const int n = N_OF_CLOCKS;
  const int16_t *m = z->bounds[0];
  for (int i = 0; i < n; i++)
    for (int k = 0; k < n; k++) {
      const int16_t a = m[i * n + k];
      if (i == k || a == INF_BOUND) continue;
      if (m[k * n + i] != INF_BOUND && add_bounds(a, m[k * n + i]) < ZERO_LE) return 0;
      for (int j = 0; j < n; j++) {
        const int16_t b = m[k * n + j];
        if (j == i || j == k || b == INF_BOUND) continue;
        if (add_bounds(a, b) < m[i * n + j]) return 0;
      }
    }
  return 1;
}

zone *closed_copy_zone(const zone *z) {
  zone *r = assign_zone(const_cast<zone *>(z));
  if (r == nullptr || is_closed_matrix_zone(r)) return r;
  cf_zone(r);
  if (!is_empty_zone(r)) return r;
  free_zone(r);
  return nullptr;
}

const zone *closed_view_zone(const zone *z, zone **own) {
  *own = nullptr;
  if (is_closed_matrix_zone(z)) return z;
  *own = closed_copy_zone(z);
  return *own;
}
