// Forward reachability under the LU abstraction ("-abs lu"): breadth- or
// depth-first search over symbolic states extrapolated with the lower and
// upper clock bounds of their locations, kept in a store that refuses a
// zone included in a stored one and covers stored zones included in a new
// one. For one timed graph and for the product of the loaded automata.
//
// Every successor is tested against the goal before it is extrapolated, and
// the path of a reached goal follows stored predecessors, recomputed from
// the initial state: it is a path of the model. Diagonal constraints make
// the extrapolation unsound; the model then explores without it, still with
// inclusion.
//
// The search prints nothing and reads no option: it returns what it found
// (lu_drive prints the verdicts, lu_writers writes the files).
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "varnok/lu_model.h"
#include "varnok/state_store.h"

struct states_region;
struct tctl_node;

namespace tck {
class data_model;
}

namespace lu {

// How a search goes.
struct search_params {
  bool dfs = false;         // depth-first (else breadth-first)
  int limit = 0;            // stop once the store holds more states (0: no limit)
  bool keep_graph = false;  // keep every transition and build the graph view
};

struct counts {
  long long explored = 0, transitions = 0;
};

// One step of a witness path: the discrete state, the exact zone reached
// along the path, and how it was reached (no move for the initial step).
struct path_step {
  std::vector<uint16_t> key;
  std::vector<int16_t> zone;
  step_info via;
};

// The live states of a finished search as a simulation graph: states in id
// order, numbered from 0, with their transitions (targets that were covered
// stand for the states that cover them).
struct graph_view {
  std::vector<int32_t> states;  // store ids
  std::vector<bool> initial;    // per state: it is (or covers) an initial state
  std::vector<std::vector<std::pair<int32_t, step_info>>> trans;  // per state: target number, move
  size_t nb_trans = 0;
};

// What a search found.
struct result {
  template <typename M>
  explicit result(const M &m) : store(m.dim(), m.key_size()) {}
  int verdict = 0;  // 1 goal reached, 0 not (the whole space explored), -1 stopped at the limit
  counts stats;
  state_store store;             // every state stored, live or covered
  std::vector<path_step> path;   // verdict 1: the witness, its initial state first
  graph_view graph;              // under keep_graph: the stored graph
};

// Searches m from its initial states (single graph: the table init_table;
// product: the formula init_formula) for m's goal. The caller catches
// std::bad_alloc when the store cannot grow.
result search_model(model &m, states_region *init_table, const tctl_node *init_formula, const search_params &p);
// The path of a witness found again from m's initial states (init_table
// or init_formula as for search_model): moves are the successor numbers
// along it, read back from the goal, the initial state's number last. The
// zones are exact along the moves. Used by the searches on several threads.
std::vector<path_step> path_of_moves(model &m, const std::vector<int32_t> &moves, states_region *init_table,
                                     const tctl_node *init_formula);
// The moves of stored state id of st (its successors' step_info, in
// successor order), found again from its stored key and zone, into moves
// (the caller's, cleared first). Used to label the simulation graph's
// transitions by both searches.
void stored_moves(model &m, const state_store &st, int32_t id, std::vector<step_info> &moves);
// The same search on a model with data from its initial state (keep_graph
// is not used).
result search_model(tck::data_model &m, const search_params &p);

// Search internals shared by the sequential and the parallel search.

// Where a goal was met: successor number `move` of stored state `parent`
// (parent -1: initial state number `move`).
struct witness {
  int32_t parent = -1, move = -1;
};

// A transition of the simulation graph: successor number `move` of state
// `source`, stored as (or included in) state `target` (the store's ids).
struct graph_edge {
  int32_t source, target, move;
};

// The successor numbers of the path to w along the stored predecessors of
// st (a state_store or a concurrent_store), read back from the goal: the
// initial state's number last, as path_of_moves takes them.
template <typename Store>
std::vector<int32_t> witness_moves(const Store &st, const witness &w) {
  std::vector<int32_t> moves;
  moves.push_back(w.move);
  for (int32_t id = w.parent; id >= 0; id = st.parent(id)) moves.push_back(st.move(id));
  return moves;
}

}  // namespace lu
