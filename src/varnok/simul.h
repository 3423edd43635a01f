// The forward engine of one timed graph: symbolic states (a location and a
// zone shared through the zone hash table), the simulation graph built from
// them, breadth-first and depth-first reachability with the inclusion,
// convex-hull and extrapolation abstractions, conditional reachability and
// invariance, and the evidence written when a search succeeds: the path and
// trace files, the depth-first sample traces and the extrapolation zone.
//
// One analysis per process: the graph, the per-location lists and the
// depth-first stack are made at the start of a search and kept until exit;
// states, zones and transitions are never freed. Searches may run again in
// one process (tests): each start empties the graph.
//
// Guards and invariants are regions. A guard of several zones is taken zone
// by zone: each zone is one "guard piece" of its transition, so one
// transition may give one successor per piece. An invariant of several zones
// whose union is convex is used as its hull; time passes in a non-convex
// invariant zone by zone (elapse_in_invariant), so that one successor may be
// several symbolic states.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "varnok/states_reg.h"

struct zone;
namespace run {
struct origin;
}

// A location with a zone; the zone belongs to the zone hash table.
typedef struct symb_state {
  int loc;
  zone *z;
} symb_state;

// An edge of the simulation graph: source and target simulation-state
// indices, the timed-graph transition taken and the guard piece used.
// initial_sim_trans (source -1, target -1, transition 0) marks initial states.
typedef struct sim_trans {
  int source;
  int target;
  int trans;
  int piece;
} sim_trans;

// A node of the simulation graph. Its transitions are `nb_trans` records from
// `first_trans` in the transition pool, room for `cap` being reserved at
// creation (one per guard piece leaving its location). `next_in_loc` is the
// previous state at the same location (-1 at the end of the list).
typedef struct sim_state {
  symb_state st;
  int nb_trans;
  int cap;
  int first_trans;
  int next_in_loc;
} sim_state;

// One entry of the depth-first stack: a simulation state, the next guard
// piece of its location to explore, and the next successor of the piece
// before it (next - 1) still to take, 0 when none is pending (a guard piece
// has several successors when time passes in a non-convex invariant).
typedef struct stack_entry {
  int state;
  int next;
  int sub;
} stack_entry;

extern const sim_trans initial_sim_trans;
// The simulation states in creation order (at most MAX_SYMB_STATES).
extern std::vector<sim_state> succ_sim_graph;
// Counts while a search runs, and the final counts once it has ended.
extern int nb_sim_states, nb_sim_trans;
extern int N_OF_SIM_STATES, N_OF_SIM_TRANS;
// Per location, the index of its newest simulation state, or -1.
extern std::vector<int> symb_states_set;
// The extrapolation zone of "-abs xtra" (null until computed).
extern zone *app_zone;
// The depth-first stack; stack_top is the top index, -1 when empty.
extern std::vector<stack_entry> succ_sim_graph_stack;
extern int stack_top;
extern int max_depth_reached;
// Depth-first sample traces found so far.
extern int NB_FOUND_PATHS;

// ---------------------------------------------------------------------------
// Guard pieces of the loaded graph (built by init_symb_states_set)

// Pieces leaving location l are piece_first(l) .. piece_first(l + 1) - 1;
// with single-zone guards piece p is transition p.
int piece_first(int l);
// The transition of piece p, and its guard zone (null for an empty guard).
int piece_trans(int p);
zone *piece_guard(int p);

// ---------------------------------------------------------------------------
// Set-up

// Zone hash table size for the forward engine: 709 up to 4000 symbolic
// states, 2309 up to 10000, 5009 above.
int simul_hash_size();
// Prints "begin forward analysis", drops the extra clocks beyond k, prepares
// the zone hash table, the extrapolation zone for `goal` under "-abs xtra"
// and the state lists. goal is read (its zones may be closed).
void init_forward_analysis(int k, states_region *goal);
// When k is below tctl_extra_clocks(): frees the model's regions, keeps k
// extra clocks in the zone module and reads the regions again from the .reg
// file of my_filename. Must run before any symbolic state exists.
void delete_extra_clocks(int k);
// Sets the zone module up for the declared clocks and k extra clocks
// (N_OF_EXTRA_CLOCKS = k) and reads the model's regions again from the .reg
// file of my_filename; nothing when the module already has k extra clocks.
// Tables made before keep their own width.
void set_extra_clocks(int k);
// Empties the simulation graph and the per-location lists and prepares the
// guard pieces and invariant zones of the loaded graph.
void init_symb_states_set();

// ---------------------------------------------------------------------------
// Time elapse inside a non-convex invariant

// The valuations reached from z by letting time pass while staying inside
// the invariant I = pieces[0] ∪ ... ∪ pieces[count - 1], whose zones are
// closed and each closed under going back in time (every parsed invariant
// is, and so is a conjunction of such zones): for each piece I_k, the zone
// ((z ∩ I_k) after time elapse) ∩ I_k when it is not empty. The new closed
// zones are appended to out (the caller's), leaving out any zone included in
// another one of them; z is closed in place, otherwise unchanged. With one
// piece this is the time successor of z within it.
void elapse_in_invariant(zone *z, zone *const *pieces, int count, std::vector<zone *> &out);
// Removes from zones[first..] (freeing them) every zone included in another
// one of that range, the later of two equal ones; the others keep their order.
void drop_included_zones(std::vector<zone *> &zones, size_t first);

// ---------------------------------------------------------------------------
// Successors. Each appends to out the new closed zones of the successor
// (one per zone of the invariant that holds some of it; none when there is
// no successor), owned by the caller; z must be closed and is not changed.

// Time successors of z within the invariant of l.
void succ_temp(int l, zone *z, std::vector<zone *> &out);
// Guard piece p from a state at l with zone z, within the target's
// invariant, without time.
void succ_action(zone *z, int p, std::vector<zone *> &out);
// Guard piece p, then time within the target's invariant.
void succ_action_temp(zone *z, int p, std::vector<zone *> &out);
// Time passes up to the upper bounds of the non-empty zone c.
zone *succ_temp_cond(zone *z, zone *c);
// The valuations before piece p from which it leads into z: z before the
// assignment, within the guard.
zone *pre_action_zone(zone *z, int p);

// ---------------------------------------------------------------------------
// The simulation graph

// Shares z (a new closed zone, taken over) through the hash table, after
// extrapolation under "-abs xtra"; null when z is null or empty.
zone *mk_symb_zone(zone *z);
// The index of the simulation state for (l, z), z shared: an equal (or,
// under the abstractions, larger) known state, else a new one. Beyond
// MAX_SYMB_STATES states the run is aborted (status -1).
int insert_symb_state(int l, zone *z);
// Appends the transition (source, piece p, target); the first one reaching
// target becomes its path predecessor.
void add_sim_trans(int source, int p, int target);
// The initial states: the time successors of every zone of init (closed
// first) in location order. An empty init prints "ERROR: initial states set
// is empty" and exits with -1. Returns the number of initial states.
int init_succ_sim_graph(states_region *init);
// The k-th transition of state i (k < nb_trans; valid until the graph grows).
const sim_trans &sim_trans_of(int i, int k);
// The transition by which state i was first reached, &initial_sim_trans for
// an initial state, null when none (valid until the graph grows).
const sim_trans *pred_sim_path(int i);

// ---------------------------------------------------------------------------
// Searches. Tables are closed in place; none is freed.

// The whole simulation graph from init.
void gen_sim_graph(states_region *init);
// Breadth-first: 1 when a state of goal is reachable (the path and trace
// files are written), else 0.
int reach_prop_sim_graph(states_region *init, states_region *goal);
// Depth-first: -1 when a push was refused at MAX_STACK_SIZE and no earlier
// return happened, else 1 when a goal state was found, else 0.
int reach_prop_sim_graph_dfs(states_region *init, states_region *goal);
// Reachability of goal along paths that stay in cond: 1 or 0. Time passes
// within one convex zone of cond per location (their hull when the union is
// convex; otherwise the process ends with status 1); every zone of init and
// goal counts.
int reach_cond_prop_sim_graph(states_region *init, states_region *cond, states_region *goal);
// The first location where the zones of cond do not form a convex set (the
// conditional search cannot follow time there), or -1.
int first_non_convex_location(states_region *cond);
// 1 when every reachable state lies in inv, else 0 (with path and trace files).
int invar_prop_sim_graph(states_region *init, states_region *inv);

// ---------------------------------------------------------------------------
// Output

// The simulation graph text (the .sim file).
void fprint_sim_graph(FILE *stream);
// my_filename.reach: the locations that have a simulation state.
void print_symb_states_set();
// "abort.sim" with fprint_sim_graph, and its message.
void print_abort();

// ---------------------------------------------------------------------------
// Paths, traces and the extrapolation zone

// One step of a path: a simulation state and the transition by which the
// search reached the previous step's state (step 0: none).
typedef struct path_step {
  int state;
  sim_trans via;
} path_step;

// One step of a trace: state, entry and exit zones (owned by the step), the
// transition taken after it (trans -1: none).
typedef struct trace_step {
  int state;
  zone *entry;
  zone *exit;
  sim_trans after;
} trace_step;

// The path to state i: i first, then each step back to an initial state.
std::vector<path_step> find_reach_path(int i);
// Writes "_path.reach" (from the initial state forwards) and reports it.
void print_reach_path(const std::vector<path_step> &path);
// The trace to the valuations z of state i, initial step first; z is read
// (closed). Returns 0 and an empty trace when the refinement meets an empty
// zone. The caller frees the zones (free_reach_trace).
int find_reach_trace(int i, zone *z, std::vector<trace_step> &trace);
void free_reach_trace(std::vector<trace_step> &trace);
// Writes "_trace.reach" and reports it; valid 0 writes the invalid-trace file.
void print_reach_trace(const std::vector<trace_step> &trace, int valid);
// The path and the trace of state i ending in z, as the searches write them.
void print_reach_evidence(int i, zone *z);
// Appends the depth-first stack as trace number NB_FOUND_PATHS to
// "_dfs.trace" (created for trace 1).
void print_succ_sim_graph_stack();
// Under -run: the concrete run of a path (find_reach_path) or of the
// depth-first stack, ending in z, written to _run.reach; they start where
// the search that is starting noted (note_run_origin, which also lets its
// first run start _run.reach afresh).
void note_run_origin(run::origin o);
void print_reach_run(const std::vector<path_step> &path, zone *z);
void print_stack_run(zone *z, int number);
// The state block and the transition block (of guard piece `piece`) of the
// path and trace files.
void path_print_symb_st(int location, zone *z, FILE *stream);
void path_print_tg_trans(int piece, FILE *stream);
// The extrapolation zone for the goal table p (null: none), written to
// "approx_zone"; a new zone owned by the caller.
zone *init_approx_zone(states_region *p);
// Raises app_zone (when there is one) to the constants of the table p too,
// for searches bounded by a condition as well as a goal.
void add_approx_constants(states_region *p);
