// Pictures (-dot): Graphviz DOT texts of the loaded timed graph (or of the
// written product, which the same tables hold), of simulation graphs (of
// one timed graph or of a product, with or without -abs lu); the DOT
// format itself (quoting, files, the picture of a run) is dot_format's.
#pragma once

#include <cstdint>
#include <string>

#include "varnok/dot_format.h"
#include "varnok/tables_view.h"

struct zone;

namespace dot {

// State labels of the simulation-graph pictures: "n: location l", the
// location's propositions and the zone on three lines; for a product
// "n: locations 1, 0" (v: nb locations). z is closed first; empty: FALSE.
std::string single_state_label(long n, int loc, zone *z);
std::string product_state_label(long n, const int32_t *v, int nb, zone *z);

}  // namespace dot

// Each writes the file `path` and reports "<tool>: file <path> dumped" on
// standard output; a file that cannot be written ends the run (status 1).

// The loaded timed graph: one node per location (number, propositions,
// invariant), one edge per transition (guard, labels, assignment; none
// shown when it assigns nothing); the initial locations (those carrying
// INIT, else location 0) are bold, each with an entry arrow.
void dot_write_tg(const std::string &path);
// The same for automaton a of the view (one timed graph of a network),
// its clocks named as in the network.
void dot_write_automaton(const std::string &path, const lu::tables_view &view, int a);
// The simulation graph of the last single-graph search: one node per state
// (location and zone), one edge per simulation transition.
void dot_write_sim_graph(const std::string &path);
// The same for the last simulation graph of the product (compo_simul).
void dot_write_product_sim_graph(const std::string &path);
