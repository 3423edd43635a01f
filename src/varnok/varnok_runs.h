// The runs the model checker dispatches to.
#pragma once

#include <cstdio>

// One timed graph alone: compile, optional listing, optional forward analysis.
// Returns 1 when the run completed, 0 when compiling failed.
int one_tg();

struct states_region;

// Reachability of goal from initial (state-region tables, closed in place,
// not freed) in the simulation graph, breadth-first or depth-first, with the
// verdict and the counts on the standard streams.
void varnok_reach_sim_graph(states_region *initial, states_region *goal);
// The whole simulation graph from initial, written to my_filename.sim, and
// the reached locations to my_filename.reach.
void varnok_gen_sim_graph(states_region *initial);
// The two lines with the numbers of simulation states and transitions.
void print_sim_counts();

// A timed graph and a formula file: backward evaluation into base.eval. Returns 1.
int evaluate_formula_tg(char *model, char *formula);
// The parsed formula evaluated on the graph in the tables, written to
// base.eval (note: see print_result) with the timing summary; model, when not
// null, is the model name put back into my_filename for the evaluation.
// Returns 1.
int evaluate_loaded_formula(const char *base, char *model, void (*note)(FILE *, int));
// Several timed graphs and a formula file: the first nb parameters are
// composed in memory and the formula is evaluated backwards on their product,
// into base.eval with each location's vector as a comment. Returns 1, or 0
// when a model could not be loaded.
int evaluate_formula_list(int nb, char *formula);

// Several timed graphs: loads the nb models named in param_names.
int init_list(int nb);
// Reachability, simulation graph and product graph of the loaded models.
int init_reach_list(char *init_name, char *reach_name);
int gen_sim_list(char *init_name);
int compo_list();
// Refuses (one line on standard error, exit status -1) a product name that,
// with the output prefix, reaches a file of one of the first nb models (its
// text or a compiled file), whatever the spelling: the written product
// would replace it.
void refuse_product_over_models(int nb);

// The result files that the run starting now would write, noted as the
// earlier run's (removed when this run fails, see stale_results): those of
// formula file `formula` (base.eval, base.log, and the witnesses of -forw),
// or those of a reachability search (one graph: _path.reach, _trace.reach,
// _dfs.trace; several: the goal's base.trace; both: _run.reach, _run.dot).
void arm_formula_results(const char *formula);
void arm_goal_results(const char *goal, bool network);

// Reports a run this build cannot do yet on standard error and exits with 2.
[[noreturn]] void not_available(const char *what);
