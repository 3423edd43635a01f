// Binary relations over clocks, and tables of one relation per location.
//
// A relation is an array of N_OF_CLOCKS clock sets ("rows"): the pair (i, j)
// belongs to it when clock j belongs to row i. Its rows live in the same
// heap block as the row array, so a relation is released with one
// free_clock_rel and its rows must never be freed on their own. Operations
// that return a relation return a new one owned by the caller and leave
// their arguments alone, except the adding and deleting operations, which
// change their argument in place and return it. Relations must have been
// made for the current N_OF_CLOCKS. Allocation failures end the process.
#pragma once

#include <cstdio>

#include "clockpare/clock_set.h"

typedef clock_set *clock_rel;
// N_OF_STATES relation slots (null: absent).
typedef clock_rel *clock_rel_table;

// Every row empty.
clock_rel new_empty_clock_rel();
// The identity: row i = {i} for every i, 0 included.
clock_rel new_sym_clock_rel();
// The full shape: row 0 holds every clock (0 included), every row i from 1
// every clock except 0.
clock_rel new_full_clock_rel();
// Releases r; nothing for null.
void free_clock_rel(clock_rel r);
// A copy of r.
clock_rel copy_clock_rel(const clock_rel r);

// Row by row a ∪ b, a ∩ b, a − b.
clock_rel union_clock_rel(const clock_rel a, const clock_rel b);
clock_rel inter_clock_rel(const clock_rel a, const clock_rel b);
clock_rel diff_clock_rel(const clock_rel a, const clock_rel b);

// 1 when every row of a is included in the same row of b.
int is_included_clock_rel(const clock_rel a, const clock_rel b);
// 1 when every row is empty.
int is_empty_clock_rel(const clock_rel r);
// 1 when rows 1 .. N_OF_CLOCKS-1 are full over every entry, 0 included.
int is_full_clock_rel(const clock_rel r);
// 1 when r has exactly the shape of new_full_clock_rel.
int is_full_clock_rel2(const clock_rel r);
// 1 when (i, i) belongs to r for every i, 0 included.
int is_refl_clock_rel(const clock_rel r);
// 1 when (i, j) belongs to r exactly when (j, i) does.
int is_sym_clock_rel(const clock_rel r);
// Always 1: transitivity is not tested.
int is_trans_clock_rel(const clock_rel r);

// In place: the pair (i, j) joins / leaves r; returns r.
clock_rel add_elem_clock_rel(int i, int j, clock_rel r);
clock_rel del_elem_clock_rel(int i, int j, clock_rel r);
// 1 when (i, j) belongs to r.
int is_elem_in_clock_rel(int i, int j, const clock_rel r);
// In place: both (i, j) and (j, i) join / leave r; returns r.
clock_rel add_elem_clock_rel_sym(int i, int j, clock_rel r);
clock_rel del_elem_clock_rel_sym(int i, int j, clock_rel r);

// For each clock i from 1: "rel(NAME)\t: ", row i as a clock set, "\n";
// then "\n".
void fprint_clock_rel(FILE *stream, const clock_rel r);

// N_OF_STATES absent (null) relations; owned by the caller.
clock_rel_table new_clock_rel_table();
// Releases t and its relations (absent ones skipped). Nothing for null.
void free_clock_rel_table(clock_rel_table t);
// 1 when every relation of t is empty / of the full shape (an absent
// relation is neither full nor, for emptiness, anything but empty).
int is_empty_clock_rel_table(const clock_rel_table t);
int is_full_clock_rel_table(const clock_rel_table t);
// Per location s: "state s:\n\n", then the relation (nothing more for an
// absent one).
void fprint_clock_rel_table(FILE *stream, const clock_rel_table t);
