// Clock activity: per location, the clocks whose current value can still
// matter to an invariant or a guard before they are next reset.
//
// A least fix-point over the loaded timed graph: every location starts with
// the clocks of its invariant and of the guards leaving it; activity then
// flows backwards over the transitions, through resets (which stop it) and
// assignments x := y (which pass it from x to y). Only the clocks newly
// added to a location are propagated. Option bit OPT_SIM reads the graph as
// a simulation graph whose invariants are the reachable zones.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "clockpare/clock_set.h"
#include "common/zone/zone.h"

// Per location, the active clocks (owned by this module, kept until exit).
extern clock_set_table activity_table;
// Per location, the clocks added since it was last propagated.
extern clock_set_table new_activity;
// Sweeps done by the last fix-point.
extern int32_t nb_act_iter;
// Per count k (0 .. N_OF_CLOCKS-1), the locations with k active clocks
// (clock 0 not counted); filled by activity_stats.
extern std::vector<int> activity_dist;

// Prints "<tool>: computing clock activity ...", runs the fix-point under
// timer 1 and prints "done.\n". The graph must be loaded.
void compute_activity();
// Every location gets every clock, clock 0 included (analysis switched off).
void not_compute_activity();
// Resets the count and timer 1, gives every location its initial set both
// as active and as new set; with OPT_ACT_INIT writes my_filename.act.init.
void init_activity_table();
// The initial active set of location s (new, owned by the caller): the
// clocks of its invariant and of the guards of the transitions leaving it.
clock_set init_activity_state(int s);
// The clocks of the non-redundant constraints of s's invariant (clock 0 may
// be among them); new set, empty for a false invariant.
clock_set invar_to_activity(int s);
// The clocks with a non-redundant upper bound in s's invariant (for a
// simulation graph); new set.
clock_set invar_to_activity_sim(int s);
// The clocks i, j of every non-redundant guard constraint (i, j) tighter
// than the reference's bound (i, j); new set, empty when either zone is null
// or empty. Neither zone is changed.
clock_set cond_to_activity(const zone *guard, const zone *reference);
// The clocks active before a transition with assignment vector `vector`
// (AFFECT_SIZE entries) when `set` is active after it: vector[x] for every
// member x from 1. New set; set is unchanged.
clock_set pre_act(const unsigned char *set, const uint16_t *vector);
// One sweep of the propagation over all locations.
void iter_activity_table();
// Sweeps done by the last fix-point.
int get_nb_act_iter();

// Fills activity_dist from activity_table.
void activity_stats();
// "activity distribution:" and the count of locations per number of active
// clocks (counts of zero locations left out).
void fprint_activity_stats(FILE *stream);
// "activity sets:" and one "act(s) = { ... } " line per location.
void fprint_activity_sets(FILE *stream);
