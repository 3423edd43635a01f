// Regions: finite unions of zones.
//
// A region owns its zones. A null region pointer and a region record with the
// REGION_EMPTY flag both denote the empty set, and every operation accepts
// both. Every region returned by an operation is new and owned by the caller,
// who releases it with free_region, except where an operation says that it
// takes its arguments over (union_region, append_region, and
// union_zone_region in region_zone.h): their arguments must not be used or
// freed afterwards. Operations may close the zones of their arguments in
// place (cf_zone / cf_region), which changes representations, never sets.
//
// Flags:
//   REGION_EMPTY      no valuation: count 0 and no zone array;
//   REGION_CANONICAL  every zone closed and the empty ones removed;
//   REGION_COMPACTED  no zone included in another one.
// The operations that change a region in place keep its flags (a region
// marked compacted stays so after zones are added, and compact_region then
// leaves it alone).
#pragma once

#include <cstdint>

#include "common/zone/zone.h"

constexpr unsigned char REGION_EMPTY = 1;
constexpr unsigned char REGION_CANONICAL = 4;
constexpr unsigned char REGION_COMPACTED = 8;

typedef struct region {
  // Number of zones.
  int32_t count;
  // count zone pointers, owned by the region; null when count is 0.
  zone **zones;
  // REGION_EMPTY | REGION_CANONICAL | REGION_COMPACTED.
  unsigned char flags;
} region;

// 1 when r denotes the empty set (null, flagged empty or without zones).
inline int is_empty_region(const region *r) {
  return r == nullptr || (r->flags & REGION_EMPTY) != 0 || r->count == 0;
}

// ---------------------------------------------------------------------------
// Making and managing

// A new empty region (count 0, no array, flags empty | canonical).
region *mk_empty_region();
// In place: frees every zone and the array of r; count 0, flags 5. Nothing
// for null.
void convert_empty_region(region *r);
// In place: n = 0 makes r empty (convert_empty_region); otherwise the zone
// array holds n entries and count = n. Entries beyond the old count are null
// and must be filled by the caller; entries beyond n must have been moved or
// freed by the caller. Flags are kept, except that an empty region given
// zones loses its empty and canonical flags. r must not be null.
void resize_region(region *r, int n);
// Releases the zones, the array and the record of r; nothing for null.
void free_region(region *r);
// A new region with copies of the non-empty zones of r and its flags; a new
// empty region when r is empty.
region *assign_region(region *r);
// In place: closes every zone, drops the empty ones (the others keep their
// order), sets the canonical flag; r becomes empty when no zone is left.
// Nothing when r is null, empty or already canonical.
void cf_region(region *r);
// In place: compact_incl_region unless r is null, empty or already compacted.
void compact_region(region *r);
// In place: cf_region, then removes every zone included in another one (of
// two equal zones the later one goes); sets the compacted flag.
void compact_incl_region(region *r);
// The one-zone region of the convex hull of r when that hull is included in
// r (a new region; r stays the caller's), else r itself. An empty r gives a
// new empty region. Callers that replace r by the result free r when the
// result is another region.
region *compact_hull_region(region *r);
// A new region: hull(r) minus (hull(r) minus r), or the hull alone when r
// fills its hull. r stays the caller's.
region *compact_hull_diff_region(region *r);
// In place, on every zone: the constraint x_i - x_j ≺ bound is added. Where
// the entry (i, j) is not tighter than bound, it becomes bound with its edge
// bit set and the zone flags cleared (assign_disactual_bounds_edges_zone);
// a tighter entry is kept. Since the zones may no longer be closed, the
// region loses its canonical flag (its other flags stay). Nothing for an
// empty region.
void modif_global_region(region *r, int i, int j, int16_t bound);
// In place: del_extra_clocks_zone(z, k) on every zone (the last k clocks are
// projected away). Reads N_OF_CLOCKS as the current width; the caller sets
// the new number afterwards.
void del_extra_clocks_region(region *r, int k);
// In place: add_extra_clocks_zone(z, k) on every zone (k unconstrained clocks
// at the end). Same protocol as del_extra_clocks_region.
void add_extra_clocks_region(region *r, int k);

// 1 while the compiled-model reader must read stored regions again with the
// formula's extra clocks added; 0 at start, set by the driver.
extern int RESIZE_REGIONS;

// ---------------------------------------------------------------------------
// Set operations. Unless said otherwise the result is new and owned by the
// caller, and the arguments stay the caller's.

// a ∩ b: intersection_zone of every pair (a's zones outer, b's inner), then
// compact_region. Empty when either is empty.
region *intersection_region(region *a, region *b);
// a ∪ b; takes both over. The result is a grown by b's zones (or b when a is
// empty), then compact_region; union_region(a, a) returns a unchanged. The
// result keeps a's flags, but is canonical only when both were.
region *union_region(region *a, region *b);
// a ∪ b; takes both over. Both are closed; the zones of each that are
// included in a zone of the other are removed; a's remaining zones first,
// then b's. Returns a (flags kept), or b when a is empty; append_region(a, a)
// returns a unchanged.
region *append_region(region *a, region *b);
// a minus b: from a copy of a, each zone z of b in order is cut away with
// intersection_region_not_zone; then compact_region. Empty a: a new empty
// region; empty b: a copy of a.
region *diff_region(region *a, region *b);
// The complement of a: complement_zone of the first zone, then
// intersection_region_not_zone with each further zone. An empty a gives the
// region of one universal zone.
region *complement_region(region *a);
// complement_region(a), the same zones, while its work fits in *budget (as
// intersection_region_not_zone_within counts it, over every step); null
// when it does not (nothing is kept). A null budget is unlimited.
region *complement_region_within(region *a, int64_t *budget);
// 1 when a ⊆ b (a empty: 1; else b empty: 0; else diff_region(a, b) empty).
int is_included_region(region *a, region *b);
// Time predecessors of a (a is closed first), compacted.
region *proj_region(region *a);
// Pre-image of x := 0: reset_zone of every zone, the non-empty results in
// order; marked canonical. x in 1..N_OF_CLOCKS-1.
region *reset_region(region *a, int x);
// Pre-image of a through the assignment vector (AFFECT_SIZE entries); a null
// vector gives a copy of a. The zones are those of backward_affect_zone for
// which a valuation remains, in order; flags 0.
region *backward_affect_region(region *a, const uint16_t *affect);
// Discrete predecessors through one transition:
// intersection_region(backward_affect_region(a, affect), b), b the guard.
// Empty a gives an empty region.
region *pre_region(region *a, region *b, const uint16_t *affect);
// Closes a and b, then the union over the zones z of b of
// path_region_zone0(a, z). Empty a gives a copy of b; empty b an empty region.
region *path_region(region *a, region *b);
