// Zones and assignments over the product's clocks, and symbolic successors
// of product states.
//
// The automata's invariants and guards are regions over their local clocks;
// they are laid out over the product's global clock numbering
// (encode_clock_index) and conjoined. A conjunction of regions is the union
// of its pieces: one zone of each automaton's region, the piece number
// counting them with automaton 0's zone as the least significant digit. A
// guard piece is one product move; the invariant of a location vector is
// the union of its pieces. Action vectors hold one transition record per
// automaton, null for an idle one (trans_to_action_vector).
#pragma once

#include <cstdint>
#include <vector>

#include "common/tg/tg_global.h"
#include "varnok/compo_tables.h"

struct zone;

// Extrapolation zone of the product (TA_init_approx_zone).
extern zone *TA_approx_zone;

// Number of guard pieces of the moving automata of e (an empty guard counts
// one), and of invariant pieces of location vector v.
int guard_piece_count(const trans_rec *const *e, int n);
int invariant_piece_count(const int32_t *v, int n);
// New zone (owned by the caller): guard piece `piece` of e, or invariant
// piece `piece` of v, closed; null when it is empty (an empty local region
// is warned about).
zone *mk_guard_piece_zone(const trans_rec *const *e, int n, int piece);
zone *mk_invariant_piece_zone(const int32_t *v, int n, int piece);
// Appends to out (the caller's) the non-empty invariant pieces of v, closed,
// leaving out those included in another one.
void mk_invariant_pieces(const int32_t *v, int n, std::vector<zone *> &out);
// Guard piece `piece` of e into the pool zone z; 1 when it is not empty.
int mk_guard_piece_prealloc_zone(zone *z, const trans_rec *const *e, int n, int piece);
// New zone (owned by the caller): invariant piece 0 of v (the conjunction
// of the invariants when they are convex), closed; null when it is empty.
zone *mk_invariants_zone_from_location_vector(const int32_t *v, int n);
// New zone: guard piece 0 of the moving automata of e (their conjunction
// when they are convex), closed; null when it is empty.
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

// 1 when the move e to location vector u has one guard piece and u one
// invariant piece: its successor is one zone (the functions above).
int TA_move_is_convex(const trans_rec *const *e, const int32_t *u, int n);
// Successors of s at v under guard piece `piece` of e (activity resets when
// act), time passing in the invariant of the target u inside each of its
// pieces (elapse_in_invariant): appends the new closed zones, not interned,
// to out (the caller's); none when there is no successor. A convex move
// gives the zone of TA_succ_action_temp.
void TA_succ_action_temp_pieces(const TA_symb_state *s, const trans_rec *const *e, int piece, const int32_t *v,
                                int32_t *u, int n, int act, std::vector<zone *> &out);

// 1 when some transition of some automaton copies a clock (mode 2).
int system_has_clock_affects();
// Largest constant over every zone of all automata's regions, as an upper
// bound, at least (0, <=).
int16_t find_max_system_bound();
// Makes TA_approx_zone (upper bounds at the largest constants) and writes it
// to the file "approx_zone" in the current directory.
void TA_init_approx_zone(int n);
