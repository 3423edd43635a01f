// Flat zones: the matrix operations of the LU search on caller-owned blocks.

#include "varnok/flat_zone.h"

#include <cstring>

namespace flat {

namespace {

inline int16_t tighter(int16_t a, int16_t b) { return a < b ? a : b; }

}  // namespace

void set_universal(int16_t *m, int dim) {
  for (int p = 0; p < dim * dim; p++) m[p] = INF_BOUND;
  for (int i = 0; i < dim; i++) {
    m[i] = ZERO_LE;            // row 0: x_i >= 0
    m[i * dim + i] = ZERO_LE;  // the diagonal
  }
}

void set_zero(int16_t *m, int dim) {
  for (int p = 0; p < dim * dim; p++) m[p] = ZERO_LE;
}

bool close(int16_t *m, int dim) {
  for (int k = 0; k < dim; k++) {
    const int16_t *rk = m + k * dim;
    for (int i = 0; i < dim; i++) {
      const int16_t a = m[i * dim + k];
      if (a == INF_BOUND || i == k) continue;
      int16_t *ri = m + i * dim;
      for (int j = 0; j < dim; j++) {
        const int16_t b = rk[j];
        if (b == INF_BOUND) continue;
        const int16_t t = add_bounds(a, b);
        if (t < ri[j]) ri[j] = t;
      }
      if (ri[i] < ZERO_LE) return false;
    }
  }
  for (int i = 0; i < dim; i++)
    if (m[i * dim + i] < ZERO_LE) return false;
  return true;
}

bool constrain(int16_t *m, int dim, int i, int j, int16_t b) {
  if (b >= m[i * dim + j]) return true;
  const int16_t back = m[j * dim + i];
  if (back != INF_BOUND && add_bounds(b, back) < ZERO_LE) return false;
  m[i * dim + j] = b;
  const int16_t *rj = m + j * dim;
  for (int p = 0; p < dim; p++) {
    const int16_t pi = m[p * dim + i];
    if (pi == INF_BOUND) continue;
    // The path p -> i -> j -> q is summed whole in int and saturated once:
    // (p, i) + b alone may pass the largest constant while the full sum does
    // not, and "no bound" is never an operand.
    const int via = (pi & ~1) + (b & ~1), via_le = pi & b & 1;
    int16_t *rp = m + p * dim;
    for (int q = 0; q < dim; q++) {
      const int16_t c = rj[q];
      if (c == INF_BOUND) continue;
      int s = via + (c & ~1);
      if (s >= INF_BOUND) continue;
      if (s < -32768) s = -32768;
      const int16_t t = static_cast<int16_t>(s | (via_le & c & 1));
      if (t < rp[q]) rp[q] = t;
    }
    // A cycle through p that the test against (j, i) could not see, when
    // that entry is "no bound" only because its sum passed the largest
    // constant.
    if (rp[p] < ZERO_LE) return false;
  }
  return true;
}

bool constrain_all(int16_t *m, int dim, std::span<const constraint> cs) {
  for (const constraint &c : cs)
    if (!constrain(m, dim, c.i, c.j, c.b)) return false;
  return true;
}

void up(int16_t *m, int dim) {
  for (int i = 1; i < dim; i++) m[i * dim] = INF_BOUND;
}

void assign(int16_t *dst, const int16_t *src, int dim, const uint16_t *a) {
  for (int i = 0; i < dim; i++) {
    const int16_t *rs = src + a[i] * dim;
    int16_t *rd = dst + i * dim;
    for (int j = 0; j < dim; j++) rd[j] = rs[a[j]];
  }
}

void copy(int16_t *m, int dim, int x, int y) {
  memcpy(m + x * dim, m + y * dim, static_cast<size_t>(dim) * sizeof(int16_t));
  for (int p = 0; p < dim; p++) m[p * dim + x] = m[p * dim + y];
  m[x * dim + x] = ZERO_LE;
}

bool assign_in_place(int16_t *m, int dim, const uint16_t *a) {
  for (int x = 1; x < dim; x++)
    if (a[x] != x && a[a[x]] != a[x]) return false;
  // Each source keeps its value, so the order of the steps does not matter.
  for (int x = 1; x < dim; x++)
    if (a[x] != x) copy(m, dim, x, a[x]);
  return true;
}

// The constraint (i, j) of a closed zone after extrapolation; low[k] is the
// zone's entry (0, k) before any change.
static int16_t extrapolated(int16_t c, int i, int j, const int16_t *low, const int32_t *lo, const int32_t *hi) {
  if (i != 0) {
    if (c == INF_BOUND) return c;
    if (lo[i] < 0 || c > 2 * lo[i] + 1) return INF_BOUND;   // x_i - x_j beyond L(x_i)
    if (low[i] < -2 * lo[i]) return INF_BOUND;             // x_i above L(x_i)
  }
  if (j != 0 && (hi[j] < 0 || low[j] < -2 * hi[j])) {      // x_j above U(x_j)
    if (i != 0) return INF_BOUND;
    return hi[j] < 0 ? ZERO_LE : mk_bound(-hi[j], 0);
  }
  return c;
}

// Below EXACT_SUM_LIMIT the closure is exact arithmetic: every entry of a
// closed zone (a fix-point of the closure) is a tightest bound, and any exact
// way of closing gives the very matrix of a full closure. The extrapolation only loosens entries, so
// the entries it keeps are already tightest, and two kinds of change need no
// closure at all:
// - a clock above its lower-bound constant loses its whole row: every path
//   out of it starts with "no bound", the row stays as it is, and the clock
//   is no useful step of a path;
// - a clock above its upper-bound constant keeps only its lower bound in its
//   column: every path into it comes from the reference clock, so the entry
//   (p, x) closes to (p, 0) + (0, x), and a path through x is never shorter
//   than the one through the reference clock.
// Only the single entries loosened past a lower-bound constant are relaxed,
// pivoting on the other clocks.

namespace {

// The work of one extrapolation: the loosened single entries row by row (the
// columns of row i are col[start[i]] .. col[start[i + 1] - 1]), the pivots
// and the clocks above their upper-bound constants. Kept per thread.
struct extrapolation_work {
  uint8_t col[(MAX_ZONE_CLOCKS + 1) * (MAX_ZONE_CLOCKS + 1)];
  int start[MAX_ZONE_CLOCKS + 2];
  uint8_t pivot[MAX_ZONE_CLOCKS + 1], above_upper[MAX_ZONE_CLOCKS + 1];
  uint8_t gone[MAX_ZONE_CLOCKS + 1], up_col[MAX_ZONE_CLOCKS + 1];
};

thread_local extrapolation_work work_scratch;

// Floyd-Warshall over the pivots, relaxing only the listed entries.
void relax_listed(int16_t *m, int dim, const extrapolation_work &w, int npivots) {
  for (int n = 0; n < npivots; n++) {
    const int k = w.pivot[n];
    const int16_t *rk = m + k * dim;
    for (int i = 0; i < dim; i++) {
      const int from = w.start[i], to = w.start[i + 1];
      if (from == to || i == k) continue;
      const int16_t a = m[i * dim + k];
      if (a == INF_BOUND) continue;
      int16_t *ri = m + i * dim;
      for (int p = from; p < to; p++) {
        const int j = w.col[p];
        const int16_t b = rk[j];
        if (b == INF_BOUND) continue;
        const int16_t t = add_bounds(a, b);
        if (t < ri[j]) ri[j] = t;
      }
    }
  }
}

}  // namespace

bool extrapolate_lu_unclosed(int16_t *m, int dim, const int32_t *lo, const int32_t *hi) {
  int16_t low[MAX_ZONE_CLOCKS + 1];
  memcpy(low, m, static_cast<size_t>(dim) * sizeof(int16_t));
  bool changed = false;
  for (int i = 0; i < dim; i++)
    for (int j = 0; j < dim; j++) {
      if (i == j) continue;
      int16_t &c = m[i * dim + j];
      const int16_t e = extrapolated(c, i, j, low, lo, hi);
      changed |= e != c;
      c = e;
    }
  return changed;
}

void extrapolate_lu(int16_t *m, int dim, const int32_t *lo, const int32_t *hi) {
  extrapolation_work &w = work_scratch;
  // Which clocks are above their constants, read on row 0 before any change.
  uint8_t *up_col = w.up_col, *gone = w.gone;
  int npivots = 0, nupper = 0;
  up_col[0] = gone[0] = 0;
  for (int x = 1; x < dim; x++) {
    gone[x] = lo[x] < 0 || m[x] < -2 * lo[x];
    up_col[x] = hi[x] < 0 || m[x] < -2 * hi[x];
    if (up_col[x]) w.above_upper[nupper++] = static_cast<uint8_t>(x);
  }
  for (int x = 0; x < dim; x++)
    if (!gone[x] && !up_col[x]) w.pivot[npivots++] = static_cast<uint8_t>(x);
  int count = 0;
  bool changed = false, wide = false;
  for (int i = 0; i < dim; i++) {
    int16_t *ri = m + i * dim;
    for (int j = 0; j < dim; j++) wide |= ri[j] != INF_BOUND && (ri[j] > EXACT_SUM_LIMIT || ri[j] < -EXACT_SUM_LIMIT);
    w.start[i] = count;
    if (i == 0) {
      // x above U(x): only x > U(x) is left (x >= 0 when U(x) is none).
      for (int u = 0; u < nupper; u++) {
        const int x = w.above_upper[u];
        const int16_t e = hi[x] < 0 ? ZERO_LE : mk_bound(-hi[x], 0);
        changed |= e != ri[x];
        wide |= e < -EXACT_SUM_LIMIT;
        ri[x] = e;
      }
    } else if (gone[i]) {
      // x_i above L(x_i): no bound on x_i against any clock.
      for (int j = 0; j < dim; j++)
        if (j != i && ri[j] != INF_BOUND) {
          changed = true;
          ri[j] = INF_BOUND;
        }
    } else {
      // x_i - x_j beyond L(x_i), or x_j above U(x_j): no bound.
      const int beyond = 2 * lo[i] + 1;
      for (int j = 0; j < dim; j++) {
        const int16_t c = ri[j];
        if (c == INF_BOUND || j == i) continue;
        if (c > beyond) {
          if (!up_col[j]) w.col[count++] = static_cast<uint8_t>(j);
        } else if (!up_col[j]) {
          continue;
        }
        changed = true;
        ri[j] = INF_BOUND;
      }
    }
  }
  w.start[dim] = count;
  if (!changed) return;
  // Near the limits a sum may saturate, and the order of a full closure
  // decides the result: keep it there.
  if (wide) {
    close(m, dim);
    return;
  }
  if (count != 0) relax_listed(m, dim, w, npivots);
  for (int u = 0; u < nupper; u++) {
    const int x = w.above_upper[u];
    const int16_t down = m[x];  // (0, x)
    for (int p = 1; p < dim; p++) {
      const int16_t up0 = m[p * dim];
      if (p != x) m[p * dim + x] = up0 == INF_BOUND ? INF_BOUND : add_bounds(up0, down);
    }
  }
}

bool included(const int16_t *a, const int16_t *b, int dim) {
  const int nn = dim * dim;
  for (int p = 0; p < nn; p++)
    if (a[p] > b[p]) return false;
  return true;
}

bool intersects(const int16_t *a, const int16_t *b, int dim, int16_t *scratch) {
  const int nn = dim * dim;
  for (int p = 0; p < nn; p++) scratch[p] = tighter(a[p], b[p]);
  return close(scratch, dim);
}

bool meets(const int16_t *a, const int16_t *b, int dim) {
  for (int i = 0; i < dim; i++)
    for (int j = 0; j < dim; j++) {
      const int16_t x = a[i * dim + j], y = b[j * dim + i];
      if (i != j && x != INF_BOUND && y != INF_BOUND && add_bounds(x, y) < ZERO_LE) return false;
    }
  return true;
}

bool cut(int16_t *m, const int16_t *b, int dim) {
  for (int x = 0; x < dim; x++)
    for (int y = 0; y < dim; y++)
      if (x != y && b[x * dim + y] != INF_BOUND && !constrain(m, dim, x, y, b[x * dim + y])) return false;
  return true;
}

void from_zone(int16_t *m, zone *z) {
  cf_zone(z);
  memcpy(m, z->bounds[0], static_cast<size_t>(N_OF_CLOCKS) * N_OF_CLOCKS * sizeof(int16_t));
}

zone *to_zone(const int16_t *m) {
  const int n = N_OF_CLOCKS;
  zone *z = mk_universal_zone();
  memcpy(z->bounds[0], m, static_cast<size_t>(n) * n * sizeof(int16_t));
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) put_edge_zone(z, i, j, i != j && m[i * n + j] != INF_BOUND);
  z->flags = 0;
  cf_zone(z);
  return z;
}

// The closure of the constraints cs over the universal zone equals m.
static bool describes(const std::vector<constraint> &cs, const int16_t *m, int n) {
  std::vector<int16_t> t(static_cast<size_t>(n) * n);
  set_universal(t.data(), n);
  if (!constrain_all(t.data(), n, cs)) return false;
  return memcmp(t.data(), m, t.size() * sizeof(int16_t)) == 0;
}

std::vector<constraint> constraints_of(zone *z) {
  cf_zone(z);
  std::vector<constraint> cs;
  if (is_empty_zone(z)) return cs;
  const int n = N_OF_CLOCKS;
  const int16_t *m = z->bounds[0];
  auto collect = [&](bool edges_only) {
    cs.clear();
    for (int i = 0; i < n; i++)
      for (int j = 0; j < n; j++) {
        const int16_t b = m[i * n + j];
        if (i == j || b == INF_BOUND || (i == 0 && b == ZERO_LE)) continue;
        if (edges_only && !get_edge_zone(z, i, j)) continue;
        cs.push_back({static_cast<uint16_t>(i), static_cast<uint16_t>(j), b});
      }
  };
  collect(true);
  if (!describes(cs, m, n)) collect(false);
  return cs;
}

bool diagonal_free(const int16_t *m, int dim) {
  std::vector<int16_t> t(static_cast<size_t>(dim) * dim);
  set_universal(t.data(), dim);
  for (int i = 1; i < dim; i++) {
    t[i * dim] = m[i * dim];
    t[i] = m[i];
  }
  close(t.data(), dim);
  return memcmp(t.data(), m, t.size() * sizeof(int16_t)) == 0;
}

}  // namespace flat
