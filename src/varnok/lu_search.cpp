// Forward reachability under the LU abstraction.

#include "varnok/lu_search.h"
#include "varnok/progress.h"
#include "varnok/tck_semantics.h"

#include <cstring>
#include <vector>

namespace lu {

namespace {

// M is lu::model or tck::data_model: the same search serves both.
template <typename M>
class search {
 public:
  search(M &m, state_store &store, counts &stats, const search_params &p)
      : m_(m), store_(store), stats_(stats), dfs_(p.dfs), limit_(p.limit),
        zone_(static_cast<size_t>(m.dim()) * m.dim()), from_(zone_.size()), key_(m.key_size()) {
    if (p.keep_graph) {
      graph_ = true;
      store_.track_covers();
    }
  }

  // 1 reached, 0 not, -1 stopped at the limit.
  int run(states_region *init_table, const tctl_node *init_formula) {
    int32_t k = 0;
    bool found = false;
    m_.for_each_initial(init_table, init_formula, [&](const uint16_t *key, const int16_t *z) {
      const int32_t n = k++;
      if (found) return;
      memcpy(zone_.data(), z, zone_.size() * sizeof(int16_t));
      if (m_.is_goal(key, zone_.data())) {
        found = true;
        goal_ = {-1, n};
        return;
      }
      m_.extrapolate(key, zone_.data());
      stored(store_.insert(key, zone_.data(), -1, n));
    });
    if (found) return 1;
    int32_t next = 0;
    for (;;) {
      const int32_t id = dfs_ ? pop() : next < store_.size() ? next++ : -1;
      if (id < 0) return 0;
      if (store_.covered(id)) continue;
      const int r = explore(id);
      progress::step(store_.size() - store_.nb_covered(), dfs_ ? static_cast<long long>(stack_.size()) : store_.size() - next,
                     stats_.explored);
      if (r != 0) return r;
    }
  }

  const witness &goal() const { return goal_; }
  const std::vector<graph_edge> &edges() const { return edges_; }

 private:
  void stored(int32_t id) {
    if (id >= 0 && dfs_) stack_.push_back(id);
  }
  int32_t pop() {
    if (stack_.empty()) return -1;
    const int32_t id = stack_.back();
    stack_.pop_back();
    return id;
  }
  bool over_limit() const { return limit_ > 0 && store_.size() > limit_; }

  // Successor number k of the state being explored: false to stop.
  bool successor(int32_t k, const uint16_t *key, int16_t *z) {
    stats_.transitions++;
    if (m_.is_goal(key, z)) {
      goal_ = {id_, k};
      result_ = 1;
      return false;
    }
    m_.extrapolate(key, z);
    const int32_t to = store_.insert(key, z, id_, k);
    stored(to);
    if (graph_) edges_.push_back({id_, to >= 0 ? to : store_.last_includer(), k});
    if (over_limit()) result_ = -1;
    return result_ == 0;
  }

  // Explores stored state id: 1 when a successor meets the goal, -1 when
  // the store passed the limit, else 0.
  int explore(int32_t id) {
    stats_.explored++;
    // The zone's slot may be reused when a successor covers it: work on copies.
    memcpy(from_.data(), store_.zone_of(id), from_.size() * sizeof(int16_t));
    memcpy(key_.data(), store_.key_of(id), key_.size() * sizeof(uint16_t));
    id_ = id;
    result_ = 0;
    // The callback holds no more than `this`: passing it allocates nothing.
    m_.for_each_successor(key_.data(), from_.data(),
                          [this](int32_t k, const uint16_t *key, int16_t *z, const step_info &) {
                            return successor(k, key, z);
                          });
    return result_;
  }

  M &m_;
  state_store &store_;
  counts &stats_;
  bool dfs_;
  int limit_;
  std::vector<int16_t> zone_, from_;
  std::vector<uint16_t> key_;
  std::vector<int32_t> stack_;
  witness goal_;
  bool graph_ = false;
  std::vector<graph_edge> edges_;
  int32_t id_ = -1;  // the state being explored
  int result_ = 0;   // what its exploration found so far
};

// The successor of the exact zone z at key by the move `via`, into out;
// false when that move gives nothing from z.
template <typename M>
bool exact_step(M &m, const uint16_t *key, const int16_t *z, const step_info &via, std::vector<int16_t> &out) {
  bool found = false;
  m.for_each_successor(key, z, [&](int32_t, const uint16_t *, int16_t *t, const step_info &info) {
    if (!(info == via)) return true;
    out.assign(t, t + out.size());
    found = true;
    return false;
  });
  return found;
}

// The path along the successor numbers `moves` (the initial state's
// number last): the moves are found again from the initial state (same
// successors, same extrapolation); the zones are those of the moves from
// the exact zones, which are never empty, since extrapolated zones only
// hold valuations that follow the same moves.
template <typename M>
std::vector<path_step> path_along(M &m, const std::vector<int32_t> &moves, states_region *init_table,
                                  const tctl_node *init_formula) {
  const size_t nn = static_cast<size_t>(m.dim()) * m.dim();
  std::vector<path_step> path;
  int32_t k = 0;
  const int32_t first = moves.back();
  m.for_each_initial(init_table, init_formula, [&](const uint16_t *key, const int16_t *z) {
    if (k++ == first) path.push_back({{key, key + m.key_size()}, {z, z + nn}, {}});
  });
  std::vector<int16_t> abstract = path.back().zone;  // the zone the search went on from
  for (size_t i = moves.size() - 1; i-- > 0;) {
    const std::vector<uint16_t> key = path.back().key;
    m.extrapolate(key.data(), abstract.data());
    path_step next;
    m.for_each_successor(key.data(), abstract.data(), [&](int32_t n, const uint16_t *to, int16_t *z, const step_info &info) {
      if (n != moves[i]) return true;
      next = {{to, to + m.key_size()}, {z, z + nn}, info};
      return false;
    });
    abstract = next.zone;
    std::vector<int16_t> exact(nn);
    if (exact_step(m, key.data(), path.back().zone.data(), next.via, exact)) next.zone = exact;
    path.push_back(std::move(next));
  }
  return path;
}

}  // namespace

void stored_moves(model &m, const state_store &st, int32_t id, std::vector<step_info> &moves) {
  std::vector<uint16_t> key(st.key_of(id), st.key_of(id) + m.key_size());
  std::vector<int16_t> z(static_cast<size_t>(m.dim()) * m.dim());
  st.copy_zone(id, z.data());
  moves.clear();
  m.for_each_successor(key.data(), z.data(), [&](int32_t, const uint16_t *, int16_t *, const step_info &info) {
    moves.push_back(info);
    return true;
  });
}

namespace {

graph_view make_graph(model &m, const state_store &st, const std::vector<graph_edge> &edges) {
  graph_view g;
  std::vector<int32_t> number(st.size(), -1);
  for (int32_t id = 0; id < st.size(); id++)
    if (!st.covered(id)) {
      number[id] = static_cast<int32_t>(g.states.size());
      g.states.push_back(id);
    }
  g.trans.resize(g.states.size());
  g.initial.assign(g.states.size(), false);
  for (int32_t id = 0; id < st.size(); id++)
    if (st.parent(id) < 0) g.initial[number[st.live(id)]] = true;
  std::vector<step_info> moves;
  for (size_t e = 0; e < edges.size();) {
    const int32_t src = edges[e].source;
    size_t end = e;
    while (end < edges.size() && edges[end].source == src) end++;
    if (!st.covered(src)) {
      stored_moves(m, st, src, moves);
      for (size_t i = e; i < end; i++) g.trans[number[src]].push_back({number[st.live(edges[i].target)], moves[edges[i].move]});
      g.nb_trans += end - e;
    }
    e = end;
  }
  return g;
}

template <typename M>
result run_search(M &m, states_region *init_table, const tctl_node *init_formula, const search_params &p,
                  std::vector<graph_edge> &edges) {
  result r(m);
  search<M> s(m, r.store, r.stats, p);
  r.verdict = s.run(init_table, init_formula);
  // The path to the witness, along the stored predecessors.
  if (r.verdict == 1) r.path = path_along(m, witness_moves(r.store, s.goal()), init_table, init_formula);
  edges = s.edges();
  return r;
}

}  // namespace

result search_model(model &m, states_region *init_table, const tctl_node *init_formula, const search_params &p) {
  std::vector<graph_edge> edges;
  result r = run_search(m, init_table, init_formula, p, edges);
  if (p.keep_graph) r.graph = make_graph(m, r.store, edges);
  return r;
}

std::vector<path_step> path_of_moves(model &m, const std::vector<int32_t> &moves, states_region *init_table,
                                     const tctl_node *init_formula) {
  return path_along(m, moves, init_table, init_formula);
}

result search_model(tck::data_model &m, const search_params &p) {
  std::vector<graph_edge> edges;
  return run_search(m, nullptr, nullptr, p, edges);
}

}  // namespace lu
