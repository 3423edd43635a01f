// Zones and assignments over the product's clocks, and symbolic successors
// of product states.
//
// The automata's invariants and guards are zones over their local clocks;
// they are laid out over the product's global clock numbering
// (encode_clock_index) and conjoined. Only the first zone of a local region
// is used: a non-convex invariant or guard is reported and approximated by
// that zone. Action vectors hold one transition record per automaton, null
// for an idle one (trans_to_action_vector).
#pragma once

#include <cstdint>

#include "common/tg/tg_global.h"
#include "varnok/compo_tables.h"

struct zone;

// Extrapolation zone of the product (TA_init_approx_zone).
extern zone *TA_approx_zone;

// New zone (owned by the caller): the conjunction of the invariants of the
// locations of v, closed; null when it is empty.
zone *mk_invariants_zone_from_location_vector(const int32_t *v, int n);
// New zone: the conjunction of the guards of the moving automata of e,
// closed; null when it is empty.
zone *mk_guards_zone_from_transition_vector(const trans_rec *const *e, int n);
// The same into zone z (a pool zone); 1 when the result is not empty.
int mk_invs_prealloc_zone_from_loc_vector(zone *z, const int32_t *v, int n);
int mk_guards_prealloc_zone_from_trans_vector(zone *z, const trans_rec *const *e, int n);
// z holds the zone where all clocks are 0 (mk_zero_zone(0) or a copy);
// turns it into the valuations reached by letting time pass from 0 within
// the invariants of v, closed. 1, or 0 when it is empty.
int forw_proj_invariants_prealloc_zone(zone *z, const int32_t *v, int n);

// Fills entries 1..AFFECT_SIZE-1 of out with the product assignment of e
// (entry g: the global clock whose old value clock g takes). Returns 1 when
// it is not the identity. An unknown assignment mode ends the run (-1).
int mk_prealloc_affect_from_trans_vec(uint16_t *out, const trans_rec *const *e, int n);
// The same, resetting besides every clock inactive at its automaton's
// location in v (the activity masks; a copy takes precedence).
int mk_prealloc_affect_from_trans_vec_act(uint16_t *out, const trans_rec *const *e, const int32_t *v, int n);

// Successor of s at location vector v under action vector e, time passing
// in the target locations; u receives the target location vector. Returns a
// new state (record and zone owned by the caller, the zone not interned),
// or null when there is none.
TA_symb_state *TA_succ_action_temp(const TA_symb_state *s, const trans_rec *const *e, const int32_t *v, int32_t *u,
                                   int n);
TA_symb_state *TA_succ_action_temp_act(const TA_symb_state *s, const trans_rec *const *e, const int32_t *v,
                                       int32_t *u, int n);
// The same with pool zones: out receives the target code and the successor
// zone (a pool zone); returns its slot, which the caller releases, or -1
// when there is no successor (out->z is then null). A full pool ends the
// run (-1).
int TA_succ_action_temp_prealloc(TA_symb_state *out, const TA_symb_state *s, const trans_rec *const *e,
                                 const int32_t *v, int32_t *u, int n);
int TA_succ_action_temp_prealloc_act(TA_symb_state *out, const TA_symb_state *s, const trans_rec *const *e,
                                     const int32_t *v, int32_t *u, int n);

// 1 when some transition of some automaton copies a clock (mode 2).
int system_has_clock_affects();
// Largest constant over all automata's regions, as an upper bound, at least
// (0, <=).
int16_t find_max_system_bound();
// Makes TA_approx_zone (upper bounds at the largest constants) and writes it
// to the file "approx_zone" in the current directory.
void TA_init_approx_zone(int n);
