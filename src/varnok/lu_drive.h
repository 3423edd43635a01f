// The entry points of the -abs lu search for the drivers: each reads the
// run's context (options, limits), builds the model, runs the search
// (lu_search), prints the verdict and count lines and writes the evidence
// (lu_writers, and the concrete run under -run).
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

struct states_region;
struct tctl_node;

// Prints the verdict lines of a search on several graphs to standard
// error: reached (path_size states on the witness path), the whole space
// explored, or cut at the -FORW limit.
void print_product_verdict(int verdict, size_t path_size, int limit);

// Reachability of goal from init in the loaded timed graph; prints the
// verdict and the counts on standard output, writes _path.reach for a
// reached goal. Returns 1 reached, 0 unreachable, -1 stopped by -FORW.
int lu_reach_one_tg(states_region *init, states_region *goal);
// The same search, breadth-first, without the verdict lines (the caller
// prints its own): writes _path.reach (and _run.reach under -run) for a
// reached goal and prints the counts line. Returns 1, 0 or -1 as above.
int lu_search_one_tg(states_region *init, states_region *goal);
// The same for the loaded automata (product tables and synchronisation
// built); init and reach are boolean formulas on location vectors. Prints
// as the product searches do, writes my_filename.trace for a reached goal.
// Returns -2 (after saying why) when a formula is not a location formula.
int lu_reach_product(const tctl_node *init, const tctl_node *reach);
// The simulation graph of the loaded timed graph from init, written to out
// in the .sim format: the stored states that are not covered, each with
// its transitions (to the stored state that includes the successor). The
// counts line goes to standard output; close_sim (when set) is called
// after it, then the graph is drawn as DOT into `picture` (when not empty).
// Returns 0, or -1 when -FORW cut the exploration: then nothing is written
// into out, close_sim is not called and nothing is drawn; the abort lines go
// to standard error (with -h, the graph so far to abort.sim) and the caller
// discards out and ends the run.
int lu_sim_graph_one_tg(states_region *init, FILE *out, const std::function<void()> &close_sim = {},
                        const std::string &picture = {});
// The same for the loaded automata from the boolean formula init; the
// counts line goes to standard error.
int lu_sim_graph_product(const tctl_node *init, FILE *out, const std::function<void()> &close_sim = {},
                         const std::string &picture = {});
