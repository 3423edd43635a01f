// The parallel product written as one timed graph.
//
// The product's control structure (location vectors and legal transition
// vectors, no zones) is explored from the initial location vectors; a
// transition vector whose guards are disjunctions gives one arc per guard
// piece that is not empty (compo_succ). The explored product then
// fills the single-graph tables, ready for the compiled-file writers, and
// is written as .tg text that reads back as a timed graph. Synchronisation
// is resolved in the product: every label is a plain label there.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "varnok/compo_runs.h"
#include "varnok/compo_tables.h"

// Explores the product from its initial location vectors (with -Act, the
// activity masks are read first); returns the number of product locations.
int gen_parallel_product_graph();
// Locations of automaton a carrying "INIT", in decreasing number, as the
// product starts from them (empty when the automaton has no such
// proposition).
std::vector<int32_t> product_init_locations(int a);
// The control node of code, appended to state_set when it is new.
control_node *reach_product_location(int32_t code);
// Appends the arc (target code, transition-vector code, guard piece) to
// node; returns its position. More than TA_MAX_TRANS arcs from one node, or
// more than MAX_TRANS arcs in all, end the run (-1).
int add_par_prod_arc(control_node *node, int32_t target, int32_t trans, int32_t piece = 0);
// The arcs of transition vector e (code trans, n participants) from node
// to target: one per guard piece whose zone is not empty (a convex guard:
// one arc, whatever its zone).
void add_par_prod_moves(control_node *node, int32_t target, int32_t trans, const trans_rec *const *e, int n);
// Fills the single-graph tables (tg_global, tg_labels, tg_props) with the
// explored product. More locations than MAX_STATES or transitions than
// MAX_TRANS end the run (-1). With `vectors`, the arcs' transitions are
// indices into it (a product whose vectors do not fit a code).
void build_vnk_tables(const std::vector<std::vector<int32_t>> *vectors = nullptr);
// Writes the .tg text of the explored product; returns the number of
// product locations.
int fprint_parallel_product_graph(FILE *f);

// Pieces of the text form, shared with the simulation-graph writer.
// "\tX Y /* name */\n" per automaton with clocks of its own, then "\n";
// the clocks are named as in the product (a name taken by an earlier
// automaton gets a suffix, see TA_init_Varnok_globals).
void fprint_product_clocks(FILE *f);
// "\t/* vector state: < 1, 0 > */\n".
void fprint_location_vector(FILE *f, const int32_t *v, int n);
// "( 1, 0 )" and "1, 0".
void fprint_location_vector2(FILE *f, const int32_t *v, int n);
void fprint_location_vector_no_cr(FILE *f, const int32_t *v, int n);
// "prop: A B\n" with each name once ("INIT" only on an initial location
// vector), nothing when no proposition applies.
void fprint_location_vector_props(FILE *f, const int32_t *v, int n);
// "NAME " per label of the transitions of transition vector w, each
// synchronisation label once; returns the number written.
int fprint_trans_vector_labels(FILE *f, const int32_t *w, int n);
// "RESET{ x y }; " (or "reset{}; ") and the copies "z:=y ; " of action
// vector e. Copies follow the closing brace directly ("RESET{ x } z:=y ; ")
// so that the text reads back. An unknown mode ends the run (-1).
void TA_action_fprint_affect(FILE *f, const trans_rec *const *e, int n);
// The same, the reset list starting with every clock inactive at its
// automaton's location in the target vector u.
void TA_action_fprint_affect_act(FILE *f, const trans_rec *const *e, const int32_t *u, int n);
// 'U' when some participant's transition is uncontrollable, else 'C'.
char compute_ctrl_tag(const trans_rec *const *e, int n);
// Always 'L'.
char compute_ddl_tag(const trans_rec *const *e, int n);
