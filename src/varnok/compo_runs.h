// Helpers of the runs over several timed graphs: simple boolean formulas
// evaluated on location vectors, and the time report.
#pragma once

#include <cstdint>

struct tctl_node;

// 1 when every automaton is at a location carrying "INIT" (at location 0
// for an automaton without that proposition): the product's initial
// locations, the only ones where the product carries "INIT".
int is_initial_location_vector(const int32_t *v, int n);

// Whether location vector v (n entries) satisfies formula f: the empty
// formula is true; a location number holds when every automaton is there;
// "init" when every automaton is at a location carrying INIT (location 0
// for an automaton without INIT); a proposition when some automaton's
// location carries it; and, or, implication and negation as usual (left
// operand first, stopping once known). Enabling, non-zenoness, clock
// constraints, resets and temporal operators are false; clock terms and
// comparisons (and unknown kinds) warn "unknown formula type" and are false.
int location_vector_satisfies_formula(const int32_t *v, int n, const tctl_node *f);

// The time report of a run over several graphs on standard output: the
// dashed rules and, when timer 9 has run, its total time.
void TA_print_computation_times();
