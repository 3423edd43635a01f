// Runs for formulas evaluated backwards (-run without -forw): after the
// evaluation, when the answer at the initial states can be shown by a
// finite run, a forward search (the -abs lu search, exact for
// reachability) finds one and writes it as every search does
// (_path.reach, _run.reach, and the pictures asked for):
//
// - `a impl AB p` that fails: a run from a state of a to a state outside p;
// - `a impl ED p` and `a and ED p` that hold: a run from a state of a to p.
//
// Any other shape or answer gets one line on standard output saying that no
// finite run is given, and why. The hook depends only on the formula and
// its answer, not on how the answer was found.
#pragma once

struct run_context;
struct tctl_node;

// f: the formula evaluated (the loaded tables, one graph or the product in
// memory, are those it was evaluated on); holds: its answer at the
// initial states.
void formula_witness(const run_context &run, tctl_node *f, bool holds);
