// Lower and upper clock bounds per location, by a backward fix-point.

#include "varnok/lu_bounds.h"

#include <algorithm>

#include "common/zone/zone.h"

namespace lu {

void raise_to_zone(int32_t *lo, int32_t *hi, const int16_t *m, int dim) {
  for (int x = 1; x < dim; x++) {
    const int16_t upper = m[x * dim], lower = m[x];
    if (upper != INF_BOUND) hi[x] = std::max(hi[x], static_cast<int32_t>(bound_constant(upper)));
    // The implicit x >= 0 is no test on x; any other lower bound is.
    if (lower != ZERO_LE) lo[x] = std::max(lo[x], static_cast<int32_t>(-bound_constant(lower)));
  }
}

// Raises the bounds of location l to what the zones of `pieces` test.
static void raise_to_pieces(bounds &b, int l, const std::vector<std::vector<int16_t>> &pieces) {
  const size_t at = static_cast<size_t>(l) * b.dim;
  for (const auto &m : pieces) raise_to_zone(&b.lo[at], &b.hi[at], m.data(), b.dim);
}

// Carries the bounds of the target of e back to its source; true when some
// source bound rose.
static bool carry_back(bounds &b, const bounds_input::edge &e) {
  const int dim = b.dim;
  const size_t s = static_cast<size_t>(e.source) * dim, t = static_cast<size_t>(e.target) * dim;
  bool rose = false;
  for (int x = 1; x < dim; x++) {
    const int y = e.assign[x];
    if (y == 0) continue;  // reset: the old value of no clock matters
    if (b.lo[t + x] > b.lo[s + y]) b.lo[s + y] = b.lo[t + x], rose = true;
    if (b.hi[t + x] > b.hi[s + y]) b.hi[s + y] = b.hi[t + x], rose = true;
  }
  return rose;
}

bounds compute_bounds(const bounds_input &in, const int32_t *goal_lo, const int32_t *goal_hi) {
  bounds b;
  b.dim = in.dim;
  const size_t size = static_cast<size_t>(in.nloc) * in.dim;
  b.lo.assign(size, -1);
  b.hi.assign(size, -1);
  for (int l = 0; l < in.nloc; l++) {
    const size_t at = static_cast<size_t>(l) * in.dim;
    b.lo[at] = b.hi[at] = 0;
    for (int x = 1; x < in.dim; x++) {
      b.lo[at + x] = goal_lo[x];
      b.hi[at + x] = goal_hi[x];
    }
    raise_to_pieces(b, l, in.inv[l]);
  }
  for (const auto &e : in.edges) raise_to_pieces(b, e.source, e.guard);
  // Bounds only rise and are capped by the largest constant: this ends.
  for (bool rose = true; rose;) {
    rose = false;
    for (const auto &e : in.edges) rose |= carry_back(b, e);
  }
  return b;
}

}  // namespace lu
