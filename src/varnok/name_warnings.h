// Warnings about names that a run refers to but that exist nowhere: a
// proposition that no location carries (it is false everywhere, so a goal
// that misspells one reads as unreachable), a synchronisation label that no
// other graph declares or that no transition of its graph carries. The
// answers stay what they are; the warnings only say why they may surprise.
#pragma once

#include <string>

struct tctl_node;

// Prints "<tool>: warning: <text>" on standard error, then place_line (the
// compiler-style line of the name, or "") when it offers a guess. as_error
// (the run's -verdict: the verdict would rest on a typo) makes it an error
// instead: "<tool>: error: <text>", then place_line, on standard error and
// exit status 2. Every warning of this module goes through here; each
// function below passes its as_errors on.
void name_warning(const std::string &text, bool as_error, const std::string &place_line = "");

// Warns once per proposition of f that no location of the loaded timed graph
// carries; `role` says where f came from ("goal", "initial condition",
// "formula"). f may be null (the formula true).
void warn_unknown_props(const tctl_node *f, const char *role, bool as_errors);
// The same against the loaded automata of a network: a proposition counts
// when some location of some automaton carries it; INIT always counts (it
// holds on the network's initial location vectors).
void warn_unknown_props_network(const tctl_node *f, const char *role, bool as_errors);

// Warns about every synchronisation label of a loaded automaton that no
// other automaton declares, and every one that no transition of its own
// automaton carries. Needs the per-automaton label tables.
void warn_unmatched_sync_labels(bool as_errors);

// Why f is not a boolean formula on locations (what the searches on several
// graphs take as initial condition and goal), in the user's terms: a clock
// that the loaded model does not have ("clock X9 is not a clock of the
// model"), else its first clock constraint or temporal operator. Empty
// when f is such a formula. `role` names f ("goal", "initial condition").
std::string why_not_location_formula(const tctl_node *f, const char *role);
// The compiler-style line of the first clock of f that the loaded model
// does not have ("_reach.tctl:1: unknown clock 'ZZ' (did you mean 'Z'?)",
// newline included), or empty (no such clock, or its place is unknown).
std::string unknown_clock_line(const tctl_node *f);
