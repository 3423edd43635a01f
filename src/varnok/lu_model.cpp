// The semantics of the LU search: initial states, goal, abstraction.

#include "varnok/lu_model.h"

#include <utility>

#include "common/tg/tg_constants.h"
#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "varnok/initial_vectors.h"

namespace lu {

namespace {

// The bound inputs of automaton a.
bounds_input bounds_input_of(const automaton &a) {
  bounds_input in;
  in.dim = a.dim;
  in.nloc = a.nb_locations;
  in.inv = a.inv_local;
  for (int t = 0; t < a.nb_transitions; t++)
    in.edges.push_back({a.source(t), a.target(t), a.guard_local[t], a.assign[t]});
  return in;
}

bool all_diagonal_free(const std::vector<std::vector<int16_t>> &pieces, int na) {
  for (const auto &m : pieces)
    if (!flat::diagonal_free(m.data(), na)) return false;
  return true;
}

}  // namespace

void check_key_width(bool product) {
  for (int locations : tables_view::location_counts(product))
    if (locations > 65535)
      fatal(stdout, 1, "%s: -abs lu takes automata of at most 65535 locations (here %d)\n", tool, locations);
}

model::model(tables_view v) : view_(std::move(v)), dim_(view_.dim()) {}

model model::single(states_region *goal, extrapolation ex) {
  model m(tables_view::single());
  std::vector<int32_t> glo(m.dim_, -1), ghi(m.dim_, -1);
  bool diag_free = true;
  for (int l = 0; l < m.view_.aut(0).nb_locations; l++) {
    m.goal_zones_.push_back(closed_pieces_at(goal, l, m.dim_));
    m.goal_box_.emplace_back();
    for (const auto &z : m.goal_zones_.back()) m.goal_box_.back().push_back(flat::diagonal_free(z.data(), m.dim_));
    diag_free &= all_diagonal_free(m.goal_zones_.back(), m.dim_);
    for (const auto &z : m.goal_zones_.back()) raise_to_zone(glo.data(), ghi.data(), z.data(), m.dim_);
  }
  m.finish(glo.data(), ghi.data(), diag_free, ex);
  return m;
}

model model::product(const tctl_node *goal, initial_mode init, extrapolation ex) {
  model m(tables_view::product());
  m.goal_ = location_goal(goal, m.view_.nb_automata());
  m.init_mode_ = init;
  m.finish(nullptr, nullptr, true, ex);
  return m;
}

// The bounds of every automaton (the goal's, when given, count in the one
// graph's), the abstraction and the scratch data.
void model::finish(const int32_t *goal_lo, const int32_t *goal_hi, bool goal_diagonal_free, extrapolation ex) {
  bool diag_free = goal_diagonal_free;
  for (int a = 0; a < view_.nb_automata(); a++) {
    const automaton &au = view_.aut(a);
    std::vector<int32_t> none(au.dim, -1);
    bounds_.push_back(compute_bounds(bounds_input_of(au), goal_lo != nullptr ? goal_lo : none.data(),
                                     goal_hi != nullptr ? goal_hi : none.data()));
    diag_free &= au.diagonal_free;
    past_closed_invariants_ &= au.past_closed;
  }
  abstraction_ = diag_free ? ex : extrapolation::none;
  const size_t nn = static_cast<size_t>(dim_) * dim_;
  s_guard_.resize(nn);
  s_moved_.resize(nn);
  s_target_.resize(nn);
  s_goal_.resize(nn);
  s_assign_.resize(dim_);
  const size_t n = view_.nb_automata();
  s_key_.resize(n);
  s_w_.resize(n);
  // A clock no automaton owns is never extrapolated.
  lo_.assign(dim_, MAX_BOUND_CONSTANT);
  hi_.assign(dim_, MAX_BOUND_CONSTANT);
  lo_[0] = hi_[0] = 0;
}

void model::for_each_initial(states_region *init_table, const tctl_node *init_formula,
                             const std::function<void(const uint16_t *, const int16_t *)> &f) {
  const size_t nn = static_cast<size_t>(dim_) * dim_;
  std::vector<int16_t> from(nn);
  std::vector<uint16_t> key(view_.nb_automata());
  if (!view_.is_product()) {
    for (int l = 0; l < view_.aut(0).nb_locations; l++) {
      key[0] = static_cast<uint16_t>(l);
      for (const auto &z : closed_pieces_at(init_table, l, dim_))
        time_in_invariants(key.data(), z.data(), [&](int16_t *t) { f(key.data(), t); });
    }
    return;
  }
  for_each_initial_location_vector(init_formula, [&](const int32_t *v) {
    for (size_t a = 0; a < key.size(); a++) key[a] = static_cast<uint16_t>(v[a]);
    // The whole invariant: time passing within it changes nothing.
    if (init_mode_ == initial_mode::whole_invariant) flat::set_universal(from.data(), dim_);
    else flat::set_zero(from.data(), dim_);
    time_in_invariants(key.data(), from.data(), [&](int16_t *t) { f(key.data(), t); });
  });
}

void model::extrapolate(const uint16_t *key, int16_t *z) {
  switch (abstraction_) {
    case extrapolation::none:
      return;
    case extrapolation::lu_plus:
      extrapolate_lu(key, z);
      return;
  }
}

void model::extrapolate_lu(const uint16_t *key, int16_t *z) {
  for (int a = 0; a < view_.nb_automata(); a++) {
    const automaton &au = view_.aut(a);
    const bounds &b = bounds_[a];
    const size_t at = static_cast<size_t>(key[a]) * au.dim;
    for (int x = 1; x < au.dim; x++) {
      lo_[au.base + x] = b.lo[at + x];
      hi_[au.base + x] = b.hi[at + x];
    }
  }
  flat::extrapolate_lu(z, dim_, lo_.data(), hi_.data());
}

bool model::is_goal(const uint16_t *key, const int16_t *z) {
  if (no_goal_) return false;
  if (view_.is_product()) return goal_.holds(key);
  // The pairwise test settles most zones; it proves a meeting only against
  // a goal zone without diagonal constraints.
  const std::vector<std::vector<int16_t>> &goal = goal_zones_[key[0]];
  for (size_t p = 0; p < goal.size(); p++) {
    if (!flat::meets(z, goal[p].data(), dim_)) continue;
    if (goal_box_[key[0]][p] || flat::intersects(z, goal[p].data(), dim_, s_goal_.data())) return true;
  }
  return false;
}

}  // namespace lu
