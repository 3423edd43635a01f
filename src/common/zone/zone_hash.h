// The zone hash table: one shared copy of each distinct zone.
//
// The table owns the zones stored in it; they are never removed or freed.
// One table exists at a time; init_zone_hashing sizes it and picks the hash
// function (HASH_FCT). Callers pass closed zones so that equal zones hash
// alike.
#pragma once

#include <cstdint>
#include <cstdio>

#include "common/zone/zone.h"

// One chain node of the table.
typedef struct zone_node {
  zone *z;
  struct zone_node *next;
} zone_node;

// HASH_SIZE chains, new nodes at the head.
extern zone_node **zone_table;
// Zones inserted into each chain (HASH_SIZE counters).
extern int32_t *nb_entries;
// Number of chains; 709 before any set-up.
extern int HASH_SIZE;
// Which hash function to use (1 to 4; any other value means 1). Set by "-H".
extern int HASH_FCT;
// The chosen hash function.
extern int (*zone_hash)(zone *z);
// Statistics, never reset: insertions asked for, zones stored, zones stored
// into a non-empty chain; and, computed by hash_repartition, the first longest
// chain, its length and the spread measure.
extern int nb_calls, nb_elem, nb_collis;
extern int max_pos, max_entries;
extern float repartition;

// Makes an empty table of size chains and chooses the hash function from
// HASH_FCT. An earlier table's chains are released, not its zones (they stay
// with the regions and states that refer to them). size below 1 counts as 1.
void init_zone_hashing(int size);
// Releases the current table with every zone in it (end of use, tests).
// Statistics are kept.
void free_zone_table();
// Returns the stored zone equal to z (z is then freed), or z itself after
// storing it (the table takes it over). z should be closed. An empty zone is
// returned as it is, not stored. Sets up a table of HASH_SIZE chains when
// none exists yet.
zone *insert_zone(zone *z);
// Puts z at the head of chain h and updates the statistics (a collision when
// the chain was not empty). The table takes z over.
void push_zone_hash(int h, zone *z);
// Chain index in 0..HASH_SIZE-1 of a non-empty zone, read from its matrix as
// it stands. Each runs inside timer 8.
int zone_hash1(zone *z);  // ELF string hash over the off-diagonal bounds
int zone_hash2(zone *z);  // h * 16 + bound
int zone_hash3(zone *z);  // h * 65599 + bound
int zone_hash4(zone *z);  // sum of the upper bounds, signed remainder
// Computes max_pos, max_entries and repartition.
void hash_repartition();
// One line "hash value: %d\t zones: %d\n" per non-empty chain.
void dump_hash_table2(FILE *stream);
// Writes the statistics file "hash_stat.<HASH_FCT>" and reports it on
// standard output ("Cannot open file" on standard error when it fails).
void print_hash_stats();
