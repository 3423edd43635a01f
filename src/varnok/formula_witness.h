// Runs for formulas evaluated backwards (-run without -forw): after the
// evaluation, when the answer at the initial states can be shown by a
// finite run, a forward search (the -abs lu search, exact for
// reachability) finds one and writes it as every search does
// (_path.reach, _run.reach, and the pictures asked for):
//
// - `a impl AB p` that fails: a run from a state of a to a state outside p;
// - `a impl ED p` and `a and ED p` that hold: a run from a state of a to p;
// - `a impl AB (p impl AD{<=c} q)` (or AD{<c}) that fails, q a location
//   formula: a run from a state of a to a state where p holds and AD fails,
//   a switch line, and a run from there outside q until more than c time
//   units have passed (_run.reach and the pictures; no _path.reach). A
//   search that finds none although the formula fails ends the process
//   with an internal error (status 3).
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
