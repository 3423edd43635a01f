// The initial location vectors of the loaded automata (the product tables)
// under an initial-state formula.
#pragma once

#include <cstdint>
#include <functional>

struct tctl_node;

// Calls f(v) for every location vector satisfying the initial formula, in
// the order of get_1st_state_vector (automaton n-1 fastest); for "init" only
// the combinations of initial locations are looked at. v has N_OF_TA
// entries and is valid during the call.
void for_each_initial_location_vector(const tctl_node *formula, const std::function<void(const int32_t *)> &f);
