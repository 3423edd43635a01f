// Text and binary forms of zones.
//
// The text form is the conjunction of the zone's edges in the clock names of
// the model ("TRUE" without edges, "FALSE" when empty). The binary record is
// the raw bound matrix (N_OF_CLOCKS rows of N_OF_CLOCKS 16-bit bounds) followed
// by the EDGES_SIZE 32-bit edge words, all little-endian, with no header.
#pragma once

#include <cstdint>
#include <cstdio>

#include "common/zone/zone.h"

// Writes the text form of z on stream, without a line end. z is closed first.
void print_hide_zone2(zone *z, FILE *stream);
// As print_hide_zone2, followed by "\n".
void print_hide_zone3(zone *z, FILE *stream);
// Writes the single constraint of entry (i, j) of the bound matrix m.
void fprint_bound(FILE *stream, int16_t **m, int i, int j);
// Writes the constraints of entries (i, j) and (j, i) of m, as one equality
// when they pin x_i - x_j to one value, else joined by " and ".
void fprint_bound2(FILE *stream, int16_t **m, int i, int j);

// Writes the binary record of z; nothing for an empty zone.
void fprint_bin_zone(FILE *stream, zone *z);
// Reads one binary record written with N_OF_CLOCKS - k clocks and returns a
// new zone of N_OF_CLOCKS clocks (owned by the caller), taken as closed; the
// missing last k clocks are unconstrained and carry no edge. A short record
// leaves the unread entries universal and feof(stream) set: callers that must
// reject truncated files test it.
zone *mk_read_bin_zone(FILE *stream, int k);
// 1 when the matrix of a zone just read is well formed (diagonal (0, <=), no
// encoding above INF_BOUND, lower bounds at most (0, <=)), else 0. Empty
// zones are well formed.
int is_well_formed_zone(const zone *z);
// Re-lays edge bits of width c (bit i*c + j) into width N_OF_CLOCKS (bit
// i*N_OF_CLOCKS + j) for i, j < c, setting or clearing each destination bit.
void conv_edge(uint32_t *dst, const uint32_t *src, int c);
