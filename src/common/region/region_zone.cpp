// Operations between one zone and a region.
#include "common/region/region_zone.h"

#include <cstdlib>

#include "common/util/my_files.h"
#include "common/zone/zone.h"

namespace {

// A new region of flags 0 with room for cap zones and count 0; the caller
// appends with push_zone and finishes with finish_pieces.
region *mk_pieces(int cap) {
  region *r = mk_empty_region();
  resize_region(r, cap);  // clears the empty flag; entries null
  r->count = 0;
  return r;
}

void push_zone(region *r, zone *z) { r->zones[r->count++] = z; }

// Trims the reserved array of r to its pieces; no piece makes r empty.
region *finish_pieces(region *r, unsigned char flags) {
  const int32_t n = r->count;
  if (n == 0) {
    convert_empty_region(r);
    return r;
  }
  zone **a = static_cast<zone **>(realloc(r->zones, static_cast<size_t>(n) * sizeof(zone *)));
  if (a == nullptr) out_of_memory();
  r->zones = a;
  r->flags = flags;
  return r;
}

// Most pieces a complement or a difference can make: one per off-diagonal
// entry.
int max_pieces() { return N_OF_CLOCKS * (N_OF_CLOCKS - 1); }

// A universal zone holding only the constraint (i, j) = b as an edge. It
// keeps the canonical flag of the universal zone it was made from.
zone *mk_single_constraint_zone(int i, int j, int16_t b) {
  zone *u = mk_universal_zone();
  assign_bounds_edges_zone(u, i, j, b, 1);
  u->flags &= static_cast<unsigned char>(~ZONE_UNIVERSAL);
  return u;
}

}  // namespace

region *zone_to_region(zone *z) {
  if (is_empty_zone(z)) {
    free_zone(z);
    return mk_empty_region();
  }
  region *r = mk_pieces(1);
  push_zone(r, z);
  r->flags = 0;
  return r;
}

region *zone_to_region2(zone *z) { return zone_to_region(assign_zone(z)); }

region *union_zone_region(zone *z, region *r) {
  cf_zone(z);
  cf_region(r);
  if (is_empty_region(r)) {
    free_region(r);
    return zone_to_region(z);
  }
  if (is_empty_zone(z)) {
    free_zone(z);
    return r;
  }
  resize_region(r, r->count + 1);
  r->zones[r->count - 1] = z;
  compact_region(r);
  return r;
}

region *complement_zone(zone *z) {
  cf_zone(z);
  if (is_empty_zone(z)) return zone_to_region(mk_universal_zone());
  region *r = mk_pieces(max_pieces());
  for (int j = 0; j < N_OF_CLOCKS; j++)
    for (int k = j + 1; k < N_OF_CLOCKS; k++) {
      if (get_edge_zone(z, j, k)) push_zone(r, mk_single_constraint_zone(k, j, neg_bound(z->bounds[j][k])));
      if (get_edge_zone(z, k, j)) push_zone(r, mk_single_constraint_zone(j, k, neg_bound(z->bounds[k][j])));
    }
  return finish_pieces(r, REGION_CANONICAL | REGION_COMPACTED);
}

region *intersection_zone_not_zone(zone *z, zone *w) {
  if (is_empty_zone(z)) return mk_empty_region();
  cf_zone(w);
  if (is_empty_zone(w)) return zone_to_region2(z);
  region *r = mk_pieces(max_pieces());
  int16_t **zb = z->bounds;
  for (int j = 0; j < N_OF_CLOCKS; j++)
    for (int k = 0; k < N_OF_CLOCKS; k++) {
      if (j == k || !get_edge_zone(w, j, k) || w->bounds[j][k] == INF_BOUND) continue;
      const int16_t a = neg_bound(w->bounds[j][k]);
      if (a >= zb[k][j]) {
        // z lies wholly outside w on this constraint.
        free_region(r);
        return zone_to_region2(z);
      }
      if (zb[j][k] == INF_BOUND || add_bounds(zb[j][k], a) > 0) {
        zone *piece = assign_zone(z);
        assign_disactual_bounds_edges_zone(piece, k, j, a);
        push_zone(r, piece);
      }
    }
  return finish_pieces(r, 0);
}

region *intersection_region_not_zone(region *r, zone *w) { return intersection_region_not_zone_within(r, w, nullptr); }

region *intersection_region_not_zone_within(region *r, zone *w, int64_t *budget) {
  cf_zone(w);
  if (is_empty_zone(w)) return assign_region(r);
  if (is_empty_region(r)) return mk_empty_region();
  region *res = intersection_zone_not_zone(r->zones[0], w);
  for (int32_t i = 1; i < r->count; i++) {
    region *pieces = intersection_zone_not_zone(r->zones[i], w);
    if (budget != nullptr) {
      // Appending compares each new piece with the zones kept so far.
      *budget -= static_cast<int64_t>(res->count) * pieces->count;
      if (*budget < 0) {
        free_region(pieces);
        free_region(res);
        return nullptr;
      }
    }
    res = append_region(res, pieces);
  }
  return res;
}

zone *hull_region(region *r) {
  cf_region(r);
  if (is_empty_region(r)) return nullptr;
  zone *h = assign_zone(r->zones[0]);
  int16_t **hb = h->bounds;
  for (int32_t l = 1; l < r->count; l++) {
    int16_t **zb = r->zones[l]->bounds;
    for (int i = 0; i < N_OF_CLOCKS; i++)
      for (int j = 0; j < N_OF_CLOCKS; j++)
        if (i != j && zb[i][j] > hb[i][j]) hb[i][j] = zb[i][j];
  }
  for (int i = 0; i < N_OF_CLOCKS; i++)
    for (int j = 0; j < N_OF_CLOCKS; j++)
      if (i != j) put_edge_zone(h, i, j, 1);
  h->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  return h;
}

region *path_region_zone0(region *r, zone *z) {
  if (is_empty_zone(z)) return mk_empty_region();
  region *p = zone_to_region(proj_zone(z));
  region *u = union_zone_region(assign_zone(z), assign_region(r));
  region *d = diff_region(p, u);
  free_region(u);
  region *e = proj_region(d);
  free_region(d);
  region *res = diff_region(p, e);
  free_region(p);
  free_region(e);
  return res;
}
