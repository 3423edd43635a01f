// Operations between one zone and a region: a zone as a region, the
// complement of a zone, a zone or region minus a zone, the convex hull of a
// region, and the time-restricted predecessors of a zone through a region.
//
// Ownership as in region.h: results are new and the caller's; zone_to_region
// and union_zone_region take their arguments over.
#pragma once

#include <cstdint>

#include "common/region/region.h"


// A region (flags 0) holding z alone; takes z over. An empty or null z gives
// an empty region (an empty record is freed).
region *zone_to_region(zone *z);
// As zone_to_region with a copy of z; z stays the caller's.
region *zone_to_region2(zone *z);
// r with z added; takes both over. z and r are closed; an empty r gives the
// region of z, an empty z gives r; otherwise z becomes r's last zone and r is
// compacted (compact_region: nothing when r is marked compacted).
region *union_zone_region(zone *z, region *r);
// The complement of z (z is closed first) as a region: one zone per edge of
// z, each holding the negated constraint alone, pair by pair (j < k: edge
// (j, k) first, then (k, j)); flags canonical | compacted. An empty z gives
// the region of one universal zone, a zone without edges an empty region.
region *complement_zone(zone *z);
// z minus w as a region (flags 0, zones not closed): one copy of z per edge
// of w whose negation cuts z, with that negated constraint added. z lies
// wholly outside one constraint of w: a region of one copy of z. w is closed
// first; an unclosed z gives the same set, in pieces that a closed z would
// not need (some of them empty).
region *intersection_zone_not_zone(zone *z, zone *w);
// r minus w (w is closed first): the first zone minus w, then each further
// zone minus w added with append_region. Empty w: a copy of r; empty r: an
// empty region.
region *intersection_region_not_zone(region *r, zone *w);
// intersection_region_not_zone(r, w), the same zones, while its work fits in
// *budget: each append of a zone's pieces costs the zones kept so far times
// the pieces, taken off *budget. When *budget would fall below 0, nothing is
// kept and the answer is null (*budget is then negative). A null budget is
// unlimited.
region *intersection_region_not_zone_within(region *r, zone *w, int64_t *budget);
// A new zone, the convex hull of the zones of r (r is closed first): every
// off-diagonal entry the loosest over the zones, every edge bit set, not
// canonical. Null for an empty region.
zone *hull_region(region *r);
// The valuations from which some delay leads into z while every earlier
// point in time from which z can still be reached lies in r ∪ z:
// P minus the time predecessors of (P minus (r ∪ z)), P the time predecessors
// of z. Empty z gives an empty region.
region *path_region_zone0(region *r, zone *z);
