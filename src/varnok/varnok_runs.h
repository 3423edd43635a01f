// The runs the model checker dispatches to.
#pragma once

// One timed graph alone: compile, optional listing, optional forward analysis.
// Returns 1 when the run completed, 0 when compiling failed.
int one_tg();

// A timed graph and a formula file: backward evaluation into base.eval. Returns 1.
int evaluate_formula_tg(char *model, char *formula);

// Several timed graphs: loads the nb models named in param_names.
int init_list(int nb);
// Reachability, simulation graph and product graph of the loaded models.
int init_reach_list(char *init_name, char *reach_name);
int gen_sim_list(char *init_name);
int compo_list();

// Reports a run this build cannot do yet on standard error and exits with 2.
[[noreturn]] void not_available(const char *what);
