// The -abs lu search on several threads ("-j N"): the same symbolic states,
// successors, goal test and extrapolation as lu_search, the states kept in
// a concurrent_store, breadth-first level by level.
//
// All threads explore the states of one level, taking them in order in
// small blocks through one atomic cursor (no lock, and no thread idles
// while a block of the level is left); each keeps the states its
// successors add in a list of its own, with the runs of the level they
// came from. Once every thread has reached the barrier at the end of the
// level, one of them joins the lists into the next level in the order of
// those runs: the order in which the sequential search would have stored
// them. The search ends when a goal is met (the other threads stop at
// their next successor), when the store passes the limit, or when a level
// comes out empty: every thread is then at the barrier and nothing is
// left to explore.
//
// Levels keep the sequential order's shape: a state is explored after
// every state of the levels before it, as in the sequential search, so
// that zones are covered about as often; within a level the order is the
// threads', within a few blocks. Inclusion is exact (all zones of a
// discrete state are in one shard), so the verdict is that of the sequential search; the states
// explored and covered may differ by the order within levels. The witness
// follows stored predecessors, recomputed from the initial state, as in
// the sequential search. Depth-first order is not kept across threads: the
// caller runs -DFS sequentially.
#pragma once

#include <cstddef>

#include "varnok/lu_search.h"

struct states_region;
struct tctl_node;

namespace lu {

// What a parallel search found: the result as the writers take it, and the
// totals of the shared store. Under keep_graph, result.store holds the live
// states, numbered as result.graph numbers them; otherwise it stays empty.
struct parallel_result {
  explicit parallel_result(const model &m) : found(m) {}
  result found;
  long long stored = 0, covered = 0;  // live states, covered states
  size_t bytes = 0;                   // held by the shared store at the end
};

// Searches m as search_model does, on `jobs` threads (at least 2; p.dfs
// must be false). Each thread works on its own copy of m. The caller
// catches std::bad_alloc when the store cannot grow.
parallel_result search_parallel(model &m, states_region *init_table, const tctl_node *init_formula,
                                const search_params &p, int jobs);

}  // namespace lu
