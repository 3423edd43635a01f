// Backward evaluation of TCTL formulas: atoms, set operations on results,
// bounds on formula clocks, and the choice between backward and forward
// evaluation.
//
// Every function here returns a new state-region table owned by the caller.
// Functions that take tables consume them (free them or take them over):
// the caller must not use or free an argument table afterwards.
#pragma once

#include "varnok/states_reg.h"

struct tctl_node;

// The states satisfying f: forward evaluation under option -forw, backward
// evaluation otherwise. f may be null (true).
states_region *varnok_eval(tctl_node *f);

// ---------------------------------------------------------------------------
// Atoms

// The invariant table: the meaning of "true" and the universe of complements.
states_region *varnok_mk_invariant();
// Location n with its invariant; every other location empty (all empty when n
// is no location). On the product of a network (state_atom_holds set), every
// product location where state_atom_holds(s, n) is true.
states_region *varnok_select_state(int n);
// Null for a timed graph on its own. For the product of a network held in the
// tables: whether every automaton is at location n in product location s.
extern bool (*state_atom_holds)(int s, int n);
// The initial states: at the locations carrying proposition INIT, or at
// location 0 when there is none, every declared clock 0 and the k extra
// clocks only >= 0. Invariants are not applied.
states_region *varnok_mk_init_state(int k);
// Per source location, the union of the guards (within the invariant) of the
// transitions carrying `label`; empty for an unknown label.
states_region *varnok_enable(const char *label);
// The invariants of the locations carrying proposition `name`; empty for an
// unknown proposition.
states_region *varnok_states_prop(const char *name);
// The invariant table restricted by the comparison node `comparison` (kinds
// 8 to 12 over a clock or a clock difference). A bound is written into a zone
// only where it is at least as tight as the zone's own, so no state outside
// the invariants appears. An unknown clock name ends the process.
states_region *varnok_mk_clock_constraint(const tctl_node *comparison);
// The states from which one time unit can elapse again and again; needs the
// first extra clock.
states_region *varnok_NonZeno();

// The index of the clock called `name`, the first of 1..N_OF_CLOCKS-1; an
// unknown name prints "clock name ... not found" and exits with status 1.
int varnok_clock_number(const char *name);
// The invariant table with clock k bounded by (kind, c): kind 0 "<", 1 "<=",
// 2 ">", 3 ">=", 4 "=". Another kind prints "Invalid tctl bound" and exits
// with status 1.
states_region *varnok_mk_bound(int k, int kind, int c);

// ---------------------------------------------------------------------------
// Set operations (all consume their arguments)

// p ∩ q.
states_region *varnok_intersection(states_region *p, states_region *q);
// p ∪ q.
states_region *varnok_union(states_region *p, states_region *q);
// The invariants minus p.
states_region *varnok_neg(states_region *p);
// ¬p ∪ q.
states_region *varnok_impl(states_region *p, states_region *q);
// The states that are in p once clock k is set to 0.
states_region *varnok_reset2(int k, states_region *p);
// varnok_reset2 for the clock called `name`.
states_region *varnok_reset(const char *name, states_region *p);

// ---------------------------------------------------------------------------
// Unbounded fix-points (all consume their arguments)

// E(p U q).
states_region *varnok_exist_until(states_region *p, states_region *q);
// E(true U p).
states_region *varnok_true_exist_until(states_region *p);
// A(p U q), in steps of VAL time units.
states_region *varnok_for_all_until(states_region *p, states_region *q);
// A(true U p), in steps of VAL time units.
states_region *varnok_true_for_all_until(states_region *p);

// The formula clocks: the first and the second extra clock.
int varnok_formula_clock();
int varnok_formula_clock2();
