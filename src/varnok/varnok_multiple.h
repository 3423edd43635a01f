// The runs of the model checker on several timed graphs: loading them, a
// formula on their product, their product graph, the simulation graph of
// their product and reachability in it.
#pragma once

struct formula_source;

// Several timed graphs and a formula file: the first nb parameters are
// composed in memory and the formula is evaluated backwards on their product,
// into base.eval with each location's vector as a comment. Returns 1, or 0
// when a model could not be loaded.
int evaluate_formula_list(int nb, char *formula);
// The same with the formula's source given: a file, or a text of the
// command line.
int evaluate_formula_list(int nb, const formula_source &formula);

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
