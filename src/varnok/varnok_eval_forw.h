// Forward evaluation of TCTL formulas: reachability, conditional
// reachability, bounded inevitability and invariance decided by a search of
// the simulation graph from a set of initial states, with a verdict line.
// State sub-formulas are evaluated backwards; a time bound is decided with
// the first extra clock z, 0 in the initial states and bounded in the goal.
//
// Every function returns a new state-region table owned by the caller and
// consumes its table arguments. A formula of another shape is refused: the
// process ends with status 1 after its message.
#pragma once

#include "varnok/states_reg.h"

struct run_context;
struct tctl_node;

// The table of formula f decided forwards (see the shapes above) under the
// options and limits of `run` (-abs lu, -abs xtra, -FORW n); f may be null,
// which is refused.
states_region *varnok_eval_forw(tctl_node *f, const run_context &run);
// The same under the options as they are set now (run_context_now()): the
// entry of the evaluator.
states_region *varnok_eval_forw(tctl_node *f);

// Reachability of g's operand from init, g of kind ED, EDB or EDI. Returns
// the goal table.
states_region *varnok_true_exist_until_forw(states_region *init, tctl_node *g, const run_context &run);
// Conditional reachability, g of kind EU, EUB or EUI. Returns init when g
// holds, else its complement.
states_region *varnok_exist_until_forw(states_region *init, tctl_node *g, const run_context &run);
// Bounded inevitability, g of kind ADB or ADI. Returns init or its
// complement.
states_region *varnok_true_for_all_until_forw(states_region *init, tctl_node *g, const run_context &run);
// Bounded conditional inevitability, g of kind AUB or AUI. Returns init or
// its complement.
states_region *varnok_for_all_until_forw(states_region *init, tctl_node *g, const run_context &run);
// The two lines with the numbers of simulation states and transitions (and
// their figures under -stats).
void print_sim_counts();

// Invariance, g of kind AB. Returns the table of g's operand.
states_region *varnok_invar_forw(states_region *init, tctl_node *g, const run_context &run);
