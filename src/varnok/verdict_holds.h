// Whether a formula holds in the initial states, from its backward result
// (the drivers' side of -verdict: it runs the backward evaluator).
#pragma once

struct states_region;
struct tctl_node;

namespace verdict {

// The initial states of the loaded tables (all clocks, the formula's extra
// clocks included): the locations that carry INIT, or location 0 when none
// does, with every clock 0; under -Inv every valuation of their invariant.
// A new region, owned by the caller.
states_region *initial_states();

// HOLDS of a formula whose backward result (all clocks, the formula's extra
// clocks included) is `result`: 1 when every initial state is inside it
// (the locations that carry INIT, or location 0 when none does, with every
// clock 0; under -Inv every valuation of their invariant), else 0. Leaves
// result as it is.
int initial_states_inside(states_region *result);

// Under -verdict with -forw: the formula f evaluated backwards, so that the
// verdict is exact whatever shape of the forward fragment runs after.
void decide_formula_backwards(tctl_node *f);

}  // namespace verdict
