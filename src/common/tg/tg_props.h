// Atomic propositions of the locations.
//
// Found by name through an 11-bucket hash table while a graph is built or
// read; after building, prop_tab indexes them by proposition index and
// states_props gives every location its proposition indices in index order.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

constexpr int PROP_HASH_SIZE = 11;

typedef struct prop_rec {
  std::string name;             // upper case
  int32_t index;                // order of creation, from 0
  std::vector<int32_t> states;  // locations where it holds, oldest first
  struct prop_rec *next;        // hash chain
} prop_rec;

extern prop_rec *prop_hash_table[PROP_HASH_SIZE];
// Proposition records by index (N_OF_PROPS entries after init_prop_tab).
extern std::vector<prop_rec *> prop_tab;
// Per location, its proposition indices (index order after fill_props).
extern std::vector<std::vector<int32_t>> states_props;

// Bucket of a proposition name: the shared name hash modulo 11.
int my_hash_prop(const char *name);

// Empties the proposition hash table (freeing its records) and prop_tab,
// sets nb_props to 0 and prepares states_props for n locations.
void init_prop_tables(int n);
// Finds or creates the proposition; returns its record.
prop_rec *insert_prop(const char *name);
// Records location s on proposition p.
void add_state_prop(prop_rec *p, int s);
// Finds or creates the proposition and records location s; returns its index.
int insert_prop_state(const char *name, int s);
// Index of the proposition called name, or -1.
int find_prop(const char *name);
// Builds prop_tab from the hash table (N_OF_PROPS entries).
void init_prop_tab();
// Fills every location's proposition array from the propositions' location
// lists, propositions in index order.
void fill_props();

// Nothing when location s has no proposition, else "prop:", " NAME" per
// proposition and "\n".
void fprint_props(FILE *stream, int s);
// The same with "propositions:".
void fprint_propositions(FILE *stream, int s);
