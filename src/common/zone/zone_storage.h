// Storage helpers shared by the files of the zone module (not a public
// interface: other modules make zones through zone.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/zone/zone.h"

// Number of 32-bit edge words of a zone of n clocks.
inline size_t zone_edge_words(int n) { return (static_cast<size_t>(n) * n + 31) / 32; }
// Bytes of the row pointers, edge words and bounds of a zone of n clocks.
size_t zone_data_bytes(int n);
// Points z's rows and edges into data (zone_data_bytes(n) bytes).
void zone_lay_out(zone *z, void *data, int n);
// Moves z onto data (a malloc'ed block of zone_data_bytes(n) bytes, taken
// over), releasing its previous own block if any. Contents are the caller's.
void zone_replace_data(zone *z, void *data, int n);
// A new zone record with room for n clocks; contents undefined, flags 0.
zone *zone_alloc(int n);
// Sets every edge bit (i, j) of a zone of n clocks (none past the matrix).
void zone_set_all_edges(zone *z, int n);
// Re-lays the edge bits (i, j), i, j < c, from width sw to width dw: each
// destination bit is set or cleared; other destination bits are untouched.
void zone_relay_edges(uint32_t *dst, int dw, const uint32_t *src, int sw, int c);
// 1 when the closure would leave the bounds of z as they are: z is flagged
// canonical, or no entry can be tightened through a third clock and no two
// opposite entries contradict each other. An empty zone counts as closed.
int is_closed_matrix_zone(const zone *z);
// A new copy of z whose matrix is closed: z's own bounds and edges when they
// are closed already (so a closed zone keeps its representation), else those
// of its closure. Null when z is empty, also when only the closure shows it.
zone *closed_copy_zone(const zone *z);
// z itself when its matrix is closed, else its closed copy, stored in *own
// for the caller to free (*own is null otherwise). The result may be empty.
const zone *closed_view_zone(const zone *z, zone **own);
