// Clock equality: per location, which clocks are never greater than which
// others in every reachable valuation there.
//
// The pair (i, j) of a location's relation means x_i <= x_j there; clocks
// related both ways are equal. For a timed graph the relations are a
// greatest fix-point: every location starts from the full relation (all
// clocks are 0 at the start and time keeps them ordered) and only resets and
// assignments break an order, propagated forwards over the transitions. For
// a simulation graph (OPT_SIM) each relation is read off the location's
// invariant zones.
#pragma once

#include <cstdint>
#include <cstdio>

#include "clockpare/clock_rel.h"
#include "common/zone/zone.h"

// Per location, the current relation (owned by this module, kept until exit).
extern clock_rel_table equality_table;
// Per location, the full relation or the newly reduced one (the worklist).
extern clock_rel_table new_equality;
// Sweeps done by the last fix-point.
extern int32_t nb_equ_iter;

// compute_equality_sim under OPT_SIM, else compute_equality_tg.
void compute_equality();
// Prints "<tool>: computing clock equality ...", runs the fix-point under
// timer 2 (one sweep, then sweeps while a relation shrank), prints "done.\n".
void compute_equality_tg();
// Prints the same line; every relation is read off the location's
// invariant: the pairs that hold in all of its zones (the identity for a
// false invariant). No fix-point, timer 2 untouched.
void compute_equality_sim();
// Resets timer 2; every location gets the identity relation (no clocks
// merged: analysis switched off).
void not_compute_equality();
// Resets timer 2 and the count; every location gets the full relation, as
// current and as new relation.
void init_equality_table();
// The pairs (i, j), i and j from 1, whose bound in z is at most (0, <=):
// x_i <= x_j throughout z. New relation; the empty relation for an empty z.
clock_rel zone_to_clock_rel(const zone *z);
// The relation after a transition with assignment vector `vector`
// (AFFECT_SIZE entries) when R holds before it: the full relation without
// every pair (x, y), x and y from 1, such that (vector[x], vector[y]) is not
// in R. New relation; R is unchanged.
clock_rel post_act(const clock_rel R, const uint16_t *vector);
// One sweep over all locations.
void iter_equality_table();
// Sweeps done by the last fix-point.
int get_nb_equ_iter();

// "equality relations:" and the relation of every location.
void fprint_equality_rels(FILE *stream);
// Prints "\n".
void fprint_equality_stats(FILE *stream);
// Nothing to gather.
void equality_stats();
