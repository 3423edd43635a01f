// Flat zones for the LU search: a difference-bound matrix as dim * dim
// bounds in one caller-owned block (entry (i, j) at i * dim + j bounds
// x_i - x_j), with the bound encoding of the zone module (2 * d + s, s = 1
// for <=, INF_BOUND for none). No edge bits, no flags, no allocation: every
// operation works in place on memory the caller owns (an arena slot or a
// scratch buffer reused across successors).
//
// Sums of bounds saturate as in the zone module: a sum past the largest
// constant is "no bound", one below the smallest is (-16384, <), and "no
// bound" is never added as a number; so no entry is ever tighter than the
// zone it describes.
//
// "Closed" means every entry is the tightest implied bound and the diagonal
// is (0, <=); an empty zone is one whose closure has a negative diagonal.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/zone/zone.h"

namespace flat {

// One bound x_i - x_j < or <= (b's strictness), clocks as matrix indices.
struct constraint {
  uint16_t i, j;
  int16_t b;
};

// The largest magnitude of a finite entry for which no sum of two entries
// saturates (a closure over such entries is exact arithmetic).
constexpr int16_t EXACT_SUM_LIMIT = (INF_BOUND - 1) / 2;

// Whole-matrix operations. m has dim * dim entries.

// m = the zone where every clock equals 0 (closed).
void set_zero(int16_t *m, int dim);
// m = every valuation (x >= 0 only; closed).
void set_universal(int16_t *m, int dim);
// Closes m in place (Floyd-Warshall); false when m is empty (m is then left
// with a negative diagonal entry and must not be used as a zone).
bool close(int16_t *m, int dim);
// Adds x_i - x_j <= b to the closed m and closes it again in O(dim^2);
// false when the result is empty (m is then unusable).
bool constrain(int16_t *m, int dim, int i, int j, int16_t b);
// Adds every constraint of cs; m closed before, closed after when true.
bool constrain_all(int16_t *m, int dim, std::span<const constraint> cs);
// Time successors of the closed m (stays closed).
void up(int16_t *m, int dim);
// dst = image of the closed src under the assignment vector a (entry i: the
// clock whose old value clock i takes, 0 for a reset; a[0] = 0); dst is
// closed. a has dim entries; src and dst must not overlap.
void assign(int16_t *dst, const int16_t *src, int dim, const uint16_t *a);
// x := y on the closed m (x != 0, x != y; y = 0 for the reset x := 0), in
// place in O(dim): the row and column of x become those of y; m stays
// closed. The same matrix as assign with the vector that changes x alone.
void copy(int16_t *m, int dim, int x, int y);
// Applies the assignment vector a (as assign does) to the closed m in place
// with resets and copies, when no clock that is assigned is also the source
// of another: true then; false (m untouched) otherwise.
bool assign_in_place(int16_t *m, int dim, const uint16_t *a);
// Lower/upper-bound extrapolation ("+" variant) of the closed m with the
// largest lower-bound constants lo[x] and upper-bound constants hi[x]
// (negative: the clock has no bound of that kind there); lo[0] = hi[0] = 0.
// m is closed again afterwards: when every finite entry stays within
// +-EXACT_SUM_LIMIT, by relaxing only the entries the extrapolation loosened
// (the others are already tightest), otherwise by a full closure; the result
// is the same matrix as extrapolate_lu_unclosed followed by close.
void extrapolate_lu(int16_t *m, int dim, const int32_t *lo, const int32_t *hi);
// The same bounds, not closed; true when an entry changed.
bool extrapolate_lu_unclosed(int16_t *m, int dim, const int32_t *lo, const int32_t *hi);
// 1 when the closed a is included in the closed b.
bool included(const int16_t *a, const int16_t *b, int dim);
// 1 when the closed a and the closed b have a common valuation.
bool intersects(const int16_t *a, const int16_t *b, int dim, int16_t *scratch);
// The pairwise test of the closed non-empty a and b in O(dim^2), without a
// closure: false when some a(i, j) + b(j, i) is below (0, <=), and then they
// are disjoint. When b has no diagonal constraint (diagonal_free) a true
// result means they meet; otherwise they may still be disjoint.
bool meets(const int16_t *a, const int16_t *b, int dim);
// m = m ∩ b for the closed m and the closed b, by adding every bound of b;
// m closed after when true, false (m unusable) when the result is empty.
bool cut(int16_t *m, const int16_t *b, int dim);

// Bridges to the zone module (dim = N_OF_CLOCKS).

// Copies the bounds of z (closed first; must not be empty) into m.
void from_zone(int16_t *m, zone *z);
// A new closed zone (owned by the caller) with the bounds of the closed m,
// its edge bits reduced to a minimal description.
zone *to_zone(const int16_t *m);
// The non-redundant constraints of the zone z (closed first), as edges of
// its canonical form, skipping the implicit x >= 0 and the diagonal. Empty
// for the universal zone.
std::vector<constraint> constraints_of(zone *z);
// 1 when the closed m (dim = N_OF_CLOCKS) is described by its bounds on
// single clocks alone, i.e. no diagonal constraint is needed.
bool diagonal_free(const int16_t *m, int dim);

}  // namespace flat
