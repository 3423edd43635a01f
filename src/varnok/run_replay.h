// The replay of a concrete run against the timed-graph tables, with exact
// arithmetic: every delay within the invariants (and the condition of a
// conditional search), every guard, assignment and target invariant, the
// start in the initial states and the end in the target.
#pragma once

#include <string>

#include "varnok/concrete_run.h"

namespace run {

// Replays r (a run of w from o) against the tables; empty when every guard,
// assignment and invariant holds, else what failed. The tables are read
// through view (see exact_states); without a view, one is built for the
// call.
std::string replay(const lu::tables_view &view, const witness &w, const origin &o, const concrete_run &r);
std::string replay(const witness &w, const origin &o, const concrete_run &r);

}  // namespace run
