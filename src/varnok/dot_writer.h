// Pictures (-dot): Graphviz DOT texts of the loaded timed graph (or of the
// written product, which the same tables hold), of the simulation graph of
// one timed graph, and of a concrete run. Every text that goes into a label
// is escaped, so any name, guard or valuation is safe in the file.
#pragma once

#include <string>

#include "varnok/concrete_run.h"

namespace dot {

// s as a DOT quoted string: quotes and backslashes escaped, line ends as \n.
std::string quoted(const std::string &s);

}  // namespace dot

// Each writes the file `path` and reports "<tool>: file <path> dumped" on
// standard output; a file that cannot be written ends the run (status 1).

// The loaded timed graph: one node per location (number, propositions,
// invariant), one edge per transition (guard, labels, assignment).
void dot_write_tg(const std::string &path);
// The simulation graph of the last single-graph search: one node per state
// (location and zone), one edge per simulation transition.
void dot_write_sim_graph(const std::string &path);
// A concrete run: one node per moment (locations and clock values), one
// edge per step (delay and move), drawn as a highlighted path.
void dot_write_run(const std::string &path, const run::witness &w, const run::concrete_run &r);
