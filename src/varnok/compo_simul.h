// Forward exploration of the product of several automata, on the fly:
// symbolic states (location code, zone) with successors under the legal
// transition vectors. The full simulation graph is kept in memory and
// written as text; the reachability searches (breadth-first over a queue,
// depth-first over an explicit stack) keep only the set of states visited,
// per location code, and compute successors in the scratch pools.
//
// Zones of symbolic states are interned in the zone hash table. Everything
// made here lives until the process ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "varnok/compo_tables.h"

struct tctl_node;

struct TA_sim_trans {
  int32_t source;
  int32_t target;
  int32_t trans;  // transition-vector code
  int32_t piece;  // its guard piece (compo_succ)
};

struct TA_sim_state {
  TA_symb_state *st;
  std::vector<TA_sim_trans> trans;
};

// One entry of the depth-first stack: a state and the code of the
// transition vector tried (or last taken) from it, -1 when none, with the
// guard piece of that vector and the number of its successors (one per
// piece of the target's invariant) already taken.
struct state_zone_entry {
  int32_t code;
  zone *z;
  int32_t trans;
  int32_t piece = 0;
  int32_t sub = 0;
};

// The simulation graph (states in number order) and its counts; the
// transition count is nb_sim_trans, shared with the single-graph engine.
extern std::vector<TA_sim_state> &TA_succ_sim_graph;
extern int nb_symb_states;
// Breadth-first queue of the searches.
extern std::vector<TA_symb_state> &TA_symb_states_set;
// Depth-first stack; stack_depth is the top index (-1 when empty).
extern std::vector<state_zone_entry> &state_zone_Stack;
extern int stack_depth;

// The initial zone of location vector v: its invariant zone under -Inv,
// else the valuations reached from all clocks 0 by letting time pass within
// the invariants. A new closed zone, or null when it is empty. The
// invariants must be convex (one invariant piece).
zone *init_zone_of_location_vector(const int32_t *v);
// The initial zones of v, whatever its invariant: appended to out (new
// closed zones, the caller's), one per invariant piece that holds some.
void init_zones_of_location_vector(const int32_t *v, std::vector<zone *> &out);

// A new state (code, z) taking z over: extrapolated under -abs xtra, then
// interned. Prints the progress line under -v.
TA_symb_state *TA_new_symb_state(int32_t code, zone *z);
// The simulation state number of s in the full graph: a stored one that
// equals (or, under -ai / -ac, covers) it, else a new one. Beyond
// MAX_SYMB_STATES the exploration aborts (exit -1, abort.sim under -h).
int TA_insert_symb_state(TA_symb_state *s);
// Appends a state with no transition; returns its number.
int TA_new_sim_state(TA_symb_state *s);
// Appends the transition (source, transition-vector code, target) taken
// by guard piece `piece`.
void TA_add_sim_trans(int source, int32_t trans, int target, int32_t piece = 0);
// The initial states of the full graph (an absent formula is refused:
// message, exit -1).
void TA_init_succ_sim_graph(const tctl_node *init);
// Builds the full simulation graph; returns its number of states.
int gen_simulation_graph(const tctl_node *init);
// The number of initial states of the graph (they are numbered first).
int TA_nb_initial_sim_states();
// Writes the simulation graph text.
void fprint_simulation_graph(FILE *f);
// "guard => LABELS ; assignment " of transition t, as in that text without
// its "goto".
void fprint_sim_trans_move(FILE *f, const TA_sim_trans &t);
// Writes "abort.sim" and reports it.
void TA_print_abort();

// Stores s (a pool zone, possibly extrapolated in place) in the visited set
// of the searches; *slot receives the stored state (or the one covering s).
// Returns 1 when s is new, 0 when it is covered.
int stock_symb_st(TA_symb_state *slot, TA_symb_state *s);
// Breadth-first reachability: 1 reached, 0 not reachable (space exhausted),
// -1 search limit hit or formulas refused. keep_links: every stored state
// also keeps the state it was found from and the move (two integers), so
// that print_bfs_run_product can write the run to the goal found.
int reach_prop_simulation_graph_bfs(const tctl_node *init, const tctl_node *reach, bool keep_links = false);
// Under -run, after a breadth-first search with links that reached its
// goal: the concrete run of the path to the goal state, written to
// _run.reach (drawn under -dot). False (nothing written) without one.
bool print_bfs_run_product();
// Depth-first reachability with sample traces: 1 when a target was found,
// -1 when none was and the stack limit was reached (or formulas refused),
// else 0. exhaustive: do not stop at visited states.
int reach_prop_simulation_graph_dfs(const tctl_node *init, const tctl_node *reach, int exhaustive);
// Appends the current stack as the next trace to my_filename.trace.
void gen_all_counter_examples();
// The stack from the bottom: states and the labels of the moves between them.
void dump_stack_path(FILE *f);
// Under -run: the concrete run of the stack path, written to _run.reach.
void print_stack_run_product();
