// Lower and upper clock bounds per location, for the LU extrapolation.
//
// For a location l and a clock x, L(x) is the largest constant c of a lower
// bound x > c, x >= c or x = c and U(x) the largest constant of an upper
// bound x < c, x <= c or x = c that can still be tested on x from l without
// resetting it: in l's invariant, in the guards leaving l, and carried back
// along every transition that keeps x (a copy x := y gives y at the source
// the bounds of x at the target). A clock without any bound gets -1 (it is
// inactive there and the extrapolation forgets it).
#pragma once

#include <cstdint>
#include <vector>

namespace lu {

// One automaton as the bounds see it: clocks 0..dim-1 (0 the reference
// clock), and per location / transition the closed zones (flat, dim * dim)
// of its invariant pieces and guard pieces.
struct bounds_input {
  int dim = 1;
  int nloc = 0;
  std::vector<std::vector<std::vector<int16_t>>> inv;  // per location, its pieces
  struct edge {
    int source, target;
    std::vector<std::vector<int16_t>> guard;  // pieces
    std::vector<uint16_t> assign;             // dim entries: clock i takes old a[i]
  };
  std::vector<edge> edges;
};

// Per location l, lo[l * dim + x] and hi[l * dim + x]; entry x = 0 is 0.
struct bounds {
  int dim = 1;
  std::vector<int32_t> lo, hi;
};

// Raises lo[x] / hi[x] (dim entries) to the constants of the closed flat
// zone m on single clocks (its row and column of the reference clock).
void raise_to_zone(int32_t *lo, int32_t *hi, const int16_t *m, int dim);

// The fix-point bounds of the automaton; goal_lo / goal_hi (dim entries,
// -1 for none) count at every location. The result is owned by the caller.
bounds compute_bounds(const bounds_input &in, const int32_t *goal_lo, const int32_t *goal_hi);

}  // namespace lu
