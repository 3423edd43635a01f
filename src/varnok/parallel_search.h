// The -abs lu search on several threads ("-j N"): the same symbolic states,
// successors, goal test and extrapolation as lu_search, the states kept in
// a concurrent_store, breadth-first level by level.
//
// Each level is cut into chunks, and each chunk runs in two phases
// separated by a barrier. First all threads explore the chunk's states,
// taking them in order through one atomic cursor, and hand each successor
// over, in a buffer of their own, to the thread that owns its shard; the
// store is only read. Then each thread stores the successors of its
// shards in the sequential order (the chunk's blocks in order, each in the
// order its successors were computed), with no lock, and one thread
// appends the states stored to the next level in that order. Every shard
// thus sees its offers in the order of the sequential search: the counts
// are its counts, but for a state that a successor of an earlier state of
// its own chunk covers, which is explored all the same. The search ends
// when a goal is met (the other threads stop at their next successor),
// when the store passes the limit, or when a level comes out empty.
//
// Inclusion is exact (all zones of a discrete state are in one shard), so
// the verdict is that of the sequential search. The witness follows stored
// predecessors, recomputed from the initial state, as in the sequential
// search. Depth-first order is not kept across threads: the caller runs
// -DFS sequentially.
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
