// Transformations of zones: time, intersection and hull, borders, resets and
// assignments, extrapolation, and the change of the number of clocks.

#include <cassert>
#include <cstdlib>
#include <cstring>

#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_storage.h"

static inline int16_t tighter(int16_t a, int16_t b) { return a < b ? a : b; }
static inline int16_t looser(int16_t a, int16_t b) { return a > b ? a : b; }

// Marks the constraints (i, j), j >= 1, j != i, as edges: they carry what the
// upper bound of clock i implied once that bound is dropped.
static void spread_row_edges(zone *r, int i) {
  for (int j = 1; j < N_OF_CLOCKS; j++)
    if (j != i) put_edge_zone(r, i, j, 1);
}

// The same for the column of clock i once its lower bound is dropped.
static void spread_column_edges(zone *r, int i) {
  for (int j = 1; j < N_OF_CLOCKS; j++)
    if (j != i) put_edge_zone(r, j, i, 1);
}

zone *forward_proj_zone(zone *z) {
  cf_zone(z);
  zone *r = assign_zone(z);
  if (r == nullptr || (r->flags & ZONE_UNIVERSAL)) return r;
  for (int i = 1; i < N_OF_CLOCKS; i++) {
    r->bounds[i][0] = INF_BOUND;
    if (get_edge_zone(r, i, 0)) {
      spread_row_edges(r, i);
      put_edge_zone(r, i, 0, 0);
    }
  }
  r->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  return r;
}

// The upper bounds of r (closed) that are tighter than those of w (closed,
// not empty) replaced by w's.
static void raise_upper_bounds(zone *r, const zone *w) {
  int changed = 0;
  for (int i = 1; i < N_OF_CLOCKS; i++) {
    if (r->bounds[i][0] >= w->bounds[i][0]) continue;
    if (get_edge_zone(r, i, 0)) {
      spread_row_edges(r, i);
      put_edge_zone(r, i, 0, 0);
    }
    assign_bounds_edges_zone(r, i, 0, w->bounds[i][0], 1);
    changed = 1;
  }
  if (changed) r->flags &= static_cast<unsigned char>(~(ZONE_CANONICAL | ZONE_UNIVERSAL));
}

zone *forward_proj_cond_zone(zone *z, zone *w) {
  zone *own;
  const zone *cw = closed_view_zone(w, &own);
  zone *r = is_empty_zone(cw) ? nullptr : closed_copy_zone(z);
  if (r != nullptr) raise_upper_bounds(r, cw);
  free_zone(own);
  return r;
}

zone *proj_zone(zone *z) {
  // Dropping the lower bounds keeps the rest only when the bounds they
  // imply are in the matrix: the closure goes first.
  zone *r = closed_copy_zone(z);
  if (r == nullptr || (r->flags & ZONE_UNIVERSAL)) return r;
  for (int i = 1; i < N_OF_CLOCKS; i++) {
    if (get_edge_zone(r, 0, i) && r->bounds[0][i] != ZERO_LE) spread_column_edges(r, i);
    r->bounds[0][i] = ZERO_LE;
  }
  r->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  return r;
}

zone *intersection_zone(zone *a, zone *b) {
  if (is_empty_zone(a) || is_empty_zone(b)) return nullptr;
  if (a->flags & ZONE_UNIVERSAL) return assign_zone(b);
  if (b->flags & ZONE_UNIVERSAL) return assign_zone(a);
  const int n = N_OF_CLOCKS;
  zone *r = zone_alloc(n);
  const int nn = n * n;
  const int16_t *ma = a->bounds[0], *mb = b->bounds[0];
  int16_t *mr = r->bounds[0];
  for (int p = 0; p < nn; p++) mr[p] = tighter(ma[p], mb[p]);
  const int words = static_cast<int>(zone_edge_words(n));
  for (int w = 0; w < words; w++) r->edges[w] = a->edges[w] | b->edges[w];
  r->flags = 0;
  return r;
}

zone *Union_zone(zone *a, zone *b) {
  if (is_empty_zone(a)) return assign_zone(b);
  if (is_empty_zone(b)) return assign_zone(a);
  a->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  b->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  cf_zone(a);
  cf_zone(b);
  if (is_empty_zone(a)) return assign_zone(b);
  if (is_empty_zone(b)) return assign_zone(a);
  const int n = N_OF_CLOCKS;
  zone *r = assign_zone(a);
  int16_t *mr = r->bounds[0];
  const int16_t *mb = b->bounds[0];
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++)
      if (i != j) mr[i * n + j] = looser(mr[i * n + j], mb[i * n + j]);
  zone_set_all_edges(r, n);
  for (int i = 0; i < n; i++) put_edge_zone(r, i, i, 0);
  r->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  return r;
}

// test_border on closed zones.
static int border_kind(const zone *z, const zone *w) {
  if (is_empty_zone(z) || is_empty_zone(w)) return -1;
  int strict = 0, closed = 0;
  for (int i = 1; i < N_OF_CLOCKS; i++) {
    int16_t up = z->bounds[i][0];
    if (up == INF_BOUND || up != neg_bound(w->bounds[0][i])) continue;
    if (bound_is_le(up)) closed = 1;
    else strict = 1;
  }
  if (strict && closed) return -1;
  return strict ? 1 : closed ? 2 : 0;
}

int test_border(zone *z, zone *w) {
  zone *oz, *ow;
  const zone *cz = closed_view_zone(z, &oz), *cw = closed_view_zone(w, &ow);
  const int kind = border_kind(cz, cw);
  free_zone(oz);
  free_zone(ow);
  return kind;
}

// A copy of z whose finite bounds in column 0 (upper == 1) or row 0 (upper
// == 0), clocks 1 and up, are made non-strict; every edge bit set.
static zone *close_side_copy(zone *z, int upper) {
  zone *r = assign_zone(z);
  for (int i = 1; i < N_OF_CLOCKS; i++) {
    int16_t &b = upper ? r->bounds[i][0] : r->bounds[0][i];
    if (b != INF_BOUND) b = static_cast<int16_t>(b | 1);
  }
  zone_set_all_edges(r, N_OF_CLOCKS);
  r->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  return r;
}

// border_zone on closed zones.
static zone *closed_border(zone *z, zone *w) {
  switch (border_kind(z, w)) {
    case 0: return intersection_zone(z, w);
    case 1: {
      zone *c = close_side_copy(z, 1);
      zone *r = intersection_zone(w, c);
      free_zone(c);
      return r;
    }
    case 2: {
      zone *c = close_side_copy(w, 0);
      zone *r = intersection_zone(z, c);
      free_zone(c);
      return r;
    }
    default: return nullptr;
  }
}

zone *border_zone(zone *z, zone *w) {
  zone *cz = closed_copy_zone(z), *cw = closed_copy_zone(w);
  zone *r = closed_border(cz, cw);
  free_zone(cz);
  free_zone(cw);
  return r;
}

// Frees clock x of a closed zone in which x = 0 holds: x loses every
// constraint of its own and keeps only x >= 0 and x_i - x <= x_i's upper
// bound; the bounds of the other clocks become edges. The result is closed.
static void free_clock(zone *r, int x) {
  const int n = N_OF_CLOCKS;
  int16_t **m = r->bounds;
  m[x][0] = INF_BOUND;
  m[0][x] = ZERO_LE;
  put_edge_zone(r, x, 0, 0);
  put_edge_zone(r, 0, x, 0);
  for (int i = 1; i < n; i++) {
    if (i == x) continue;
    m[x][i] = INF_BOUND;
    m[i][x] = m[i][0];
    put_edge_zone(r, x, i, 0);
    put_edge_zone(r, i, x, 0);
    put_edge_zone(r, i, 0, m[i][0] != INF_BOUND);
    put_edge_zone(r, 0, i, m[0][i] != ZERO_LE);
  }
}

zone *reset_zone(zone *z, int x) {
  zone *r = assign_zone(z);
  if (r == nullptr) return nullptr;
  // x = 0 is added to z, not written over it: an unclosed z may hold a
  // bound x < 0 there, which must leave the zone empty.
  assign_bounds_edges_zone(r, x, 0, tighter(r->bounds[x][0], ZERO_LE), 1);
  r->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  cf_zone(r);
  if (is_empty_zone(r)) return r;
  free_clock(r, x);
  return r;
}

zone *backward_affect_zone(zone *z, const uint16_t *a) {
  cf_zone(z);
  if (is_empty_zone(z)) return nullptr;
  const int n = N_OF_CLOCKS, as = AFFECT_SIZE < n ? AFFECT_SIZE : n;
  zone *r = mk_universal_zone();
  int16_t **mr = r->bounds, **mz = z->bounds;
  for (int i = 0; i < as; i++) assert(a[i] < n);
  for (int i = 0; i < as; i++)
    for (int j = 0; j < as; j++) mr[a[i]][a[j]] = tighter(mr[a[i]][a[j]], mz[i][j]);
  for (int i = as; i < n; i++) {
    for (int j = 0; j < as; j++) {
      mr[i][a[j]] = tighter(mr[i][a[j]], mz[i][j]);
      mr[a[j]][i] = tighter(mr[a[j]][i], mz[j][i]);
    }
    for (int k = as; k < n; k++) mr[i][k] = mz[i][k];
  }
  for (int i = 0; i < n; i++) {
    if (mr[i][i] < ZERO_LE) {
      free_zone(r);
      return nullptr;
    }
  }
  zone_set_all_edges(r, n);
  r->flags = 0;
  cf_zone(r);
  return r;
}

zone *forward_affect_zone(zone *z, const uint16_t *a) {
  cf_zone(z);
  if (is_empty_zone(z)) return nullptr;
  const int n = N_OF_CLOCKS, as = AFFECT_SIZE < n ? AFFECT_SIZE : n;
  zone *r = assign_zone(z);
  int16_t **mr = r->bounds, **mz = z->bounds;
  for (int i = 0; i < as; i++)
    for (int j = 0; j < as; j++) mr[i][j] = mz[a[i]][a[j]];
  for (int i = as; i < n; i++)
    for (int j = 0; j < as; j++) {
      mr[i][j] = mz[i][a[j]];
      mr[j][i] = mz[a[j]][i];
    }
  zone_set_all_edges(r, n);
  // A reset makes even the universal zone smaller.
  r->flags &= static_cast<unsigned char>(~(ZONE_CANONICAL | ZONE_UNIVERSAL));
  return r;
}

// Marks as edges the finite entries of r that its edges (with the implicit
// x >= 0) no longer imply. A dropped edge may have been the only reason for
// a kept bound (x <= 9 and y <= x + 1 give y <= 10; without x <= 9 nothing
// gives it), and the edges must keep describing the same set as the matrix.
static void mark_unimplied_bounds(zone *r) {
  static int16_t *e = nullptr;
  static size_t e_size = 0;
  const int n = N_OF_CLOCKS;
  const size_t nn = static_cast<size_t>(n) * n;
  if (nn > e_size) {
    int16_t *p = static_cast<int16_t *>(realloc(e, nn * sizeof(int16_t)));
    if (p == nullptr) out_of_memory();
    e = p;
    e_size = nn;
  }
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++)
      e[i * n + j] = i == j || get_edge_zone(r, i, j) ? r->bounds[i][j] : i == 0 ? ZERO_LE : INF_BOUND;
  for (int k = 0; k < n; k++)
    for (int i = 0; i < n; i++) {
      const int16_t a = e[i * n + k];
      if (i == k || a == INF_BOUND) continue;
      for (int j = 0; j < n; j++) {
        const int16_t b = e[k * n + j];
        if (b == INF_BOUND) continue;
        const int16_t t = add_bounds(a, b);
        if (t < e[i * n + j]) e[i * n + j] = t;
      }
    }
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++)
      if (i != j && r->bounds[i][j] < e[i * n + j]) put_edge_zone(r, i, j, 1);
}

zone *maximize_zone(zone *z, zone *m) {
  if (is_empty_zone(m)) return nullptr;
  // The bounds compared with m's are those of the closure: a bound that an
  // unclosed matrix leaves implied would escape the extrapolation.
  zone *r = closed_copy_zone(z);
  if (r == nullptr) return nullptr;
  const int n = N_OF_CLOCKS;
  int16_t **mr = r->bounds, **mm = m->bounds;
  int dropped = 0;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      if (i == j) continue;
      if (mr[i][j] > mm[i][j]) {
        dropped |= mr[i][j] != INF_BOUND;
        mr[i][j] = INF_BOUND;
        put_edge_zone(r, i, j, 0);
      } else if (mm[j][i] != INF_BOUND && mr[i][j] < neg_bound(mm[j][i])) {
        mr[i][j] = neg_bound(mm[j][i]);
        put_edge_zone(r, i, j, 1);
      }
    }
  if (dropped) mark_unimplied_bounds(r);
  r->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  return r;
}

void zone_relay_edges(uint32_t *dst, int dw, const uint32_t *src, int sw, int c) {
  for (int i = 0; i < c; i++)
    for (int j = 0; j < c; j++) {
      unsigned s = static_cast<unsigned>(i * sw + j), d = static_cast<unsigned>(i * dw + j);
      if ((src[s >> 5] >> (s & 31)) & 1u) dst[d >> 5] |= 1u << (d & 31);
      else dst[d >> 5] &= ~(1u << (d & 31));
    }
}

void add_extra_clocks_zone(zone *z, int k) {
  cf_zone(z);
  if (is_empty_zone(z) || k <= 0) return;
  const int n = N_OF_CLOCKS, n2 = n + k;
  void *data = malloc(zone_data_bytes(n2));
  if (data == nullptr) out_of_memory();
  zone tmp;
  zone_lay_out(&tmp, data, n2);
  int16_t **m = z->bounds, **m2 = tmp.bounds;
  for (int i = 0; i < n; i++) {
    memcpy(m2[i], m[i], static_cast<size_t>(n) * sizeof(int16_t));
    for (int j = n; j < n2; j++) m2[i][j] = m[i][0];
  }
  for (int i = n; i < n2; i++) {
    for (int j = 0; j < n2; j++) m2[i][j] = INF_BOUND;
    m2[i][i] = ZERO_LE;  // the diagonal keeps (0, <=) in every row
  }
  memset(tmp.edges, 0, zone_edge_words(n2) * sizeof(uint32_t));
  zone_relay_edges(tmp.edges, n2, z->edges, n, n);
  zone_replace_data(z, data, n2);
}

// Whether some edge of z involves a clock of index c or above.
static int edges_reach_clocks_from(const zone *z, int c) {
  for (int i = 0; i < N_OF_CLOCKS; i++)
    for (int j = 0; j < N_OF_CLOCKS; j++)
      if (i != j && (i >= c || j >= c) && get_edge_zone(z, i, j)) return 1;
  return 0;
}

// Makes the edges of the closed zone z describe it through the clocks below
// c alone: every finite constraint among them is marked, every other edge
// cleared, and the closure prunes the redundant ones. Without this, a bound
// implied through a dropped clock (x - e <= 1 and e <= 2 give x <= 3) would
// be left without an edge, and prints and inclusion tests would miss it.
static void edges_below(zone *z, int c) {
  const int n = N_OF_CLOCKS;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++)
      if (i != j) put_edge_zone(z, i, j, i < c && j < c && z->bounds[i][j] != INF_BOUND);
  z->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  cf_zone(z);
}

void del_extra_clocks_zone(zone *z, int k) {
  cf_zone(z);
  if (is_empty_zone(z) || k <= 0) return;
  const int n = N_OF_CLOCKS, c = n - k;
  if (c < 1) return;
  if (edges_reach_clocks_from(z, c)) edges_below(z, c);
  // Shrinks in place: rows move towards the front of the same block.
  int16_t *m = z->bounds[0];
  for (int i = 0; i < c; i++) memmove(m + i * c, m + i * n, static_cast<size_t>(c) * sizeof(int16_t));
  for (int i = 0; i < c; i++) z->bounds[i] = m + i * c;
  const size_t words = zone_edge_words(c);
  uint32_t *e = static_cast<uint32_t *>(calloc(words, sizeof(uint32_t)));
  if (e == nullptr) out_of_memory();
  zone_relay_edges(e, c, z->edges, n, c);
  memcpy(z->edges, e, words * sizeof(uint32_t));
  free(e);
}
