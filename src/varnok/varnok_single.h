// The runs of the model checker on one timed graph: the graph alone
// (compile, optional listing, optional forward analysis) and a graph with a
// formula (backward evaluation into the .eval file).
#pragma once

namespace reach {
struct part;
}

#include <cstdio>

struct formula_source;
struct states_region;

// One timed graph alone: compile, optional listing, optional forward analysis.
// The model's base name is the current name. Returns 1 when the run
// completed, 0 when compiling failed.
int one_tg();

// Reachability of goal from initial (state-region tables, closed in place,
// not freed) in the simulation graph, breadth-first or depth-first, with the
// verdict and the counts on the standard streams.
void varnok_reach_sim_graph(states_region *initial, states_region *goal);
// The whole simulation graph from initial, written to my_filename.sim, and
// the reached locations to my_filename.reach.
void varnok_gen_sim_graph(states_region *initial);

// A timed graph and a formula file: backward evaluation into base.eval. Returns 1.
int evaluate_formula_tg(char *model, char *formula);
// The same with the formula's source given: a file, or a text of the
// command line.
int evaluate_formula_tg(char *model, const formula_source &formula);
// The parsed formula evaluated on the graph in the tables, written to
// base.eval (note: see print_result) with the timing summary. The
// evaluation runs under the model's name (".tg" stripped from model in
// place), or under the formula's base name when model is null. With
// `inside` (-reachable), the result is cut down to that reachable part
// before the verdict and the .eval. Returns 1.
int evaluate_loaded_formula(const formula_source &formula, char *model, void (*note)(FILE *, int),
                            const reach::part *inside = nullptr);
// Under -reachable: refuses the options it does not go with (status 1).
void refuse_reachable_conflicts(bool product);

// The result files that the run starting now would write, noted as the
// earlier run's (removed when this run fails, see stale_results): those of
// the formula of base name `base` (base.eval, base.log, and the witnesses of
// -forw), or those of a reachability search (one graph: _path.reach,
// _trace.reach, _dfs.trace; several: the goal's base.trace; both:
// _run.reach, _run.dot).
void arm_formula_results(const char *base);
void arm_goal_results(const char *goal, bool network);

// Writes `result` (the states satisfying a formula, per location) into
// base.eval and reports it; a file that cannot be created prints "cannot open
// file" and exits with status 1. Runs under the current name base. result is
// read, not freed.
void print_result(states_region *result, const char *base);
// The same, with `note` writing a comment after each location's opening line
// (see print_hide_states_region3); note may be null.
void print_result(states_region *result, const char *base, void (*note)(FILE *, int));
