// Text and binary forms of regions.
//
// Text: the zones' constraint texts joined by " or\n" (print_hide_region2)
// or each ending with "\n" and joined by "or\n" (print_hide_region3); an
// empty region writes nothing. Binary record: the number of zones as a 32-bit
// signed little-endian integer, then that many binary zone records; the empty
// region is the count 0 alone.
#pragma once

#include <cstdio>

#include "common/region/region.h"

// Writes each zone of r with print_hide_zone2, separated by " or\n"; nothing
// for an empty region. The zones are closed in place.
void print_hide_region2(region *r, FILE *stream);
// Writes each zone of r with print_hide_zone3 (each ends with "\n"),
// separated by "or\n"; nothing for an empty region.
void print_hide_region3(region *r, FILE *stream);
// Writes the binary record of r: the count of its non-empty zones, then their
// binary records (an empty region: count 0 alone).
void fprint_bin_region(FILE *stream, region *r);
// Reads one binary record whose zones were written with N_OF_CLOCKS - k
// clocks; the missing last k clocks are unconstrained. Returns a new region
// owned by the caller: mk_empty_region() for count 0, else the zones read
// (flags 0). Returns null, having read part of the record, when the record
// is malformed: a negative count, more zones than the bytes left in the
// stream can hold, a truncated or ill-formed zone. Nothing larger than the
// record's own size is allocated.
region *mk_read_bin_region(FILE *stream, int k);
