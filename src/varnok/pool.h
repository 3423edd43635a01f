// Preallocated scratch zones and assignment vectors for successor
// computations that must not allocate, with in-place zone operations.
//
// The zone pool has ZONE_POOL_SIZE zones of the current dimension
// (N_OF_CLOCKS), the assignment pool AFFECT_POOL_SIZE vectors of AFFECT_SIZE
// entries. A slot is taken with get_*_from_pool and released by clearing its
// in-use flag (release_*). A pool zone never loses its storage: when an
// operation finds it empty, only its flags say so (ZONE_EMPTY |
// ZONE_CANONICAL), and it can be written again.
//
// The in-place operations compute what the zone operation of the same name
// without "_prealloc" computes, but write it into the given zone z, which
// must be a pool zone (or any zone of the current dimension that still has
// its matrix) different from the operands.
#pragma once

#include <cstdint>
#include <vector>

#include "common/zone/zone.h"

constexpr int ZONE_POOL_SIZE = 10;
constexpr int AFFECT_POOL_SIZE = 2;

struct pool_zone_slot {
  zone *z;
  int in_use;
};

struct pool_affect_slot {
  std::vector<uint16_t> affect;  // AFFECT_SIZE entries, entry 0 is 0
  int in_use;
};

extern pool_zone_slot zone_pool[ZONE_POOL_SIZE];
extern pool_affect_slot affect_pool[AFFECT_POOL_SIZE];

// (Re)creates the slots for the current dimension, all free. Zones made by
// an earlier call stay allocated (they may still be referred to).
void init_zone_pool();
void init_affect_pool();
// Takes the lowest free slot: *out receives its zone (edge bits and flags
// cleared) or its vector; returns the slot number, -1 when all are in use.
int get_zone_from_pool(zone **out);
int get_affect_from_pool(uint16_t **out);
// Clears the in-use flag of a slot (a negative slot is ignored).
void release_zone_to_pool(int slot);
void release_affect_to_pool(int slot);
// Number of zone slots in use.
int zone_pool_in_use();

// z = the universal zone (matrix and edge bits; nothing when z already has
// the universal flag); the caller sets the flags.
void copy_univ_prealloc_zone(zone *z);
// z = a (matrix, edges, flags); 0 and z empty when a is empty, else 1.
int assign_prealloc_zone(zone *z, const zone *a);
// Canonical form of z in place; 0 when z is (or turns out) empty, else 1.
int cf_prealloc_zone(zone *z);
// z = a ∩ b, not closed; a universal operand gives a copy of the other.
// 0 when an operand is empty (z empty), else 1.
int intersection_prealloc_zone(zone *z, const zone *a, const zone *b);
// z = time successors of a (a is closed in place first). 0 when a is empty.
int forward_proj_prealloc_zone(zone *z, zone *a);
// z = image of a through the assignment vector out (a is closed in place
// first, so that the implied constraints survive); not closed. 0 when a is
// empty.
int forward_affect_prealloc_zone(zone *z, zone *a, const uint16_t *out);
// Extrapolation of z by the maximal-bounds zone m, in place; not closed.
void maximize_prealloc_zone(zone *z, const zone *m);
// z = convex hull of a and b (both canonical); not closed. An empty operand
// gives a copy of the other; 0 when both are empty.
int Union_prealloc_zone3(zone *z, const zone *a, const zone *b);
// Interns z in the zone hash table: when an equal zone (same off-diagonal
// bounds) is stored, *out receives it, pool slot `slot` (when >= 0) is
// released and 0 is returned; otherwise a copy of z is stored, *out receives
// the copy and 1 is returned (the slot stays the caller's). An empty z gives
// *out = null and 0.
int insert_prealloc_zone(zone **out, const zone *z, int slot);
