// The two-way inclusion test of closed flat zones (dim * dim bounds, the
// bound encoding orders as the constraints do: a smaller entry is a tighter
// bound). Used by the store against every stored zone of a discrete state,
// so it is the hot loop of the LU search at many clocks.
#pragma once

#include <cstdint>

namespace flat {

// Result bits of a two-way comparison of a and b.
constexpr int A_IN_B = 1;  // a[p] <= b[p] for every entry (a included in b)
constexpr int B_IN_A = 2;  // b[p] <= a[p] for every entry

// The reference test: one entry at a time, stops when neither bit is left.
int compare_scalar(const int16_t *a, const int16_t *b, int dim);

// The same result as compare_scalar, always. Compares whole rows with the
// widest vector unit found at start (AVX2, SSE2 or none), the first 16
// entries (the lower bounds, for most zones) alone, then blocks of 64,
// and stops at the first block that leaves neither bit. (Reading the
// upper bounds first, one per row, decides more pairs early but touches
// a cache line per row of every stored zone: slower.)
int compare(const int16_t *a, const int16_t *b, int dim);

// The same test on n entries (not a whole matrix: the store leaves out the
// diagonal and pads its zones).
// Only the bits of `bits` are tested (and can be left).
int compare_entries(const int16_t *a, const int16_t *b, int n, int bits = A_IN_B | B_IN_A);
// The same test on bounds of one byte each (any encoding that orders as
// the bounds do), n entries, with the same unit.
int compare_bytes(const int8_t *a, const int8_t *b, int n, int bits = A_IN_B | B_IN_A);
int compare_bytes_scalar(const int8_t *a, const int8_t *b, int n, int bits = A_IN_B | B_IN_A);

// The implementation compare uses: "avx2", "sse2" or "scalar".
const char *compare_unit();

namespace detail {
// The vector passes alone (no summary first); null where the unit is
// missing on this machine, so tests can check every one that runs here.
using compare_fn = int (*)(const int16_t *, const int16_t *, int nn, int r);
compare_fn compare_avx2_fn();
compare_fn compare_sse2_fn();
using compare8_fn = int (*)(const int8_t *, const int8_t *, int n, int r);
compare8_fn compare8_avx2_fn();
compare8_fn compare8_sse2_fn();
}  // namespace detail

}  // namespace flat
