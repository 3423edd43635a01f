// The semantics of the LU search over a tables_view: the initial states,
// the symbolic successors of a state (discrete key + closed flat zone), the
// goal test, and the abstraction applied to stored zones, chosen once.
//
// A move yields one successor per combination of guard pieces of the moving
// automata and of invariant pieces at the target. Invariants are closed
// under going back in time, so letting time pass from Z within the piece I
// gives exactly (Z ∩ I) after time elapse, intersected with I: the pieces
// together give every valuation reachable while staying in the invariant.
//
// The successors of a state are numbered from 0: moves in the view's order,
// then guard-piece combinations (first moving automaton fastest), then
// invariant-piece combinations at the target (automaton 0 fastest). The
// witnesses and the simulation graph's edges are kept as these numbers.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "varnok/flat_zone.h"
#include "varnok/location_goal.h"
#include "varnok/lu_bounds.h"
#include "varnok/tables_view.h"

struct states_region;
struct tctl_node;

namespace lu {

// What one successor was made of (for the evidence files).
struct step_info {
  std::vector<int32_t> w;  // per automaton its transition, -1 when idle
  std::vector<int> guard;  // per automaton its guard piece (moving ones)
  std::vector<int> inv;    // per automaton its invariant piece at the target

  bool operator==(const step_info &o) const { return w == o.w && guard == o.guard && inv == o.inv; }
};

// The search keys a location in 16 bits: when the loaded graph (product:
// one of the loaded automata) has more than 65535 locations, prints why
// and ends the run (status 1). The model itself takes any size.
void check_key_width(bool product);

// Where the initial states of a product start: all clocks 0, time then
// passing within the invariants; or anywhere in the invariants (-Inv).
enum class initial_mode { from_zero, whole_invariant };

// The abstraction of the zones the search stores: none (exact zones), or
// the lower/upper-bound extrapolation "+" with the bounds of each location.
enum class extrapolation { none, lu_plus };

class model {
 public:
  // No automaton: only to be assigned one of the models below.
  model() = default;
  // The loaded timed graph alone; goal zones (per location) count in the
  // bounds and are tested on every successor.
  static model single(states_region *goal, extrapolation ex = extrapolation::lu_plus);
  // The loaded automata (the product tables); goal is a boolean formula on
  // location vectors.
  static model product(const tctl_node *goal, initial_mode init, extrapolation ex = extrapolation::lu_plus);

  int nb_automata() const { return view_.nb_automata(); }
  // The uint16 entries of a discrete key: one location per automaton.
  int key_size() const { return view_.nb_automata(); }
  int dim() const { return dim_; }
  bool is_product() const { return view_.is_product(); }
  // The abstraction in force: the one asked for, or none when a diagonal
  // constraint makes the extrapolation unsound.
  extrapolation abstraction() const { return abstraction_; }
  bool extrapolates() const { return abstraction_ != extrapolation::none; }
  const tables_view &tables() const { return view_; }
  const automaton &aut(int a) const { return view_.aut(a); }
  // The lower/upper bounds of automaton a per location.
  const bounds &bounds_of(int a) const { return bounds_[a]; }

  // The initial states of init (single graph: a state table; product: a
  // formula), in order: f(key, zone) with closed flat zones, valid during
  // the call.
  void for_each_initial(states_region *init_table, const tctl_node *init_formula,
                        const std::function<void(const uint16_t *, const int16_t *)> &f);
  // Every successor of (key, z), z closed, numbered from 0 in the fixed
  // order above: f(k, target key, exact zone, info) returns false to stop.
  // The key, the zone (closed, writable) and info are scratch data of the
  // model, valid during the call; f must not enumerate successors itself.
  template <typename F>
  void for_each_successor(const uint16_t *key, const int16_t *z, F &&f);
  // Applies the abstraction to the closed z at discrete state key (z stays
  // closed).
  void extrapolate(const uint16_t *key, int16_t *z);
  // No goal at all (the whole graph is explored): is_goal is always false.
  void drop_goal() { no_goal_ = true; }
  // The goal's closed flat zones at location l of the single graph (none
  // for products).
  const std::vector<std::vector<int16_t>> &goal_zones(int l) const { return goal_zones_[l]; }
  // 1 when the closed exact zone z at key meets the goal.
  bool is_goal(const uint16_t *key, const int16_t *z);

 private:
  explicit model(tables_view v);
  void finish(const int32_t *goal_lo, const int32_t *goal_hi, bool goal_diagonal_free, extrapolation ex);
  void extrapolate_lu(const uint16_t *key, int16_t *z);
  template <typename F>
  void time_in_invariants(const uint16_t *key, const int16_t *from, F &&f);
  template <typename F>
  bool successor_of_move(const uint16_t *key, const int16_t *z, int32_t &k, F &f);

  tables_view view_;
  extrapolation abstraction_ = extrapolation::lu_plus;
  initial_mode init_mode_ = initial_mode::from_zero;
  bool past_closed_invariants_ = true, no_goal_ = false;
  int dim_ = 1;
  std::vector<bounds> bounds_;                                  // per automaton
  std::vector<std::vector<std::vector<int16_t>>> goal_zones_;  // single graph
  std::vector<std::vector<char>> goal_box_;                    // per goal zone: diagonal-free
  location_goal goal_;                                          // product
  std::vector<int32_t> lo_, hi_;                               // global, scratch
  std::vector<int16_t> s_guard_, s_moved_, s_target_, s_goal_;  // scratch zones
  std::vector<uint16_t> s_assign_, s_key_;
  std::vector<int32_t> s_w_;
  std::vector<const std::vector<piece> *> s_inv_lists_, s_guard_lists_;
  std::vector<int> s_inv_idx_, s_guard_idx_, s_movers_;
  step_info info_;  // of the successor being handed out
};

// ---------------------------------------------------------------------------
// The successor enumeration (a template, so that the callback is called
// directly: nothing is allocated per successor once the scratch data have
// their size).

template <typename F>
void model::time_in_invariants(const uint16_t *key, const int16_t *from, F &&f) {
  std::vector<const std::vector<piece> *> &lists = s_inv_lists_;
  lists.clear();
  for (int a = 0; a < view_.nb_automata(); a++) lists.push_back(&view_.aut(a).inv[key[a]]);
  const size_t bytes = static_cast<size_t>(dim_) * dim_ * sizeof(int16_t);
  for_each_combination(lists, s_inv_idx_, [&](const std::vector<int> &at) {
    int16_t *t = s_target_.data();
    memcpy(t, from, bytes);
    // With past-closed pieces, up(Z) ∩ I = up(Z ∩ I) ∩ I: one cut suffices.
    if (!past_closed_invariants_)
      for (size_t a = 0; a < lists.size(); a++)
        if (!flat::constrain_all(t, dim_, (*lists[a])[at[a]])) return true;
    flat::up(t, dim_);
    for (size_t a = 0; a < lists.size(); a++)
      if (!flat::constrain_all(t, dim_, (*lists[a])[at[a]])) return true;
    f(t);
    return true;
  });
}

template <typename F>
bool model::successor_of_move(const uint16_t *key, const int16_t *z, int32_t &k, F &f) {
  const size_t n = view_.nb_automata();
  std::vector<const std::vector<piece> *> &lists = s_guard_lists_;
  std::vector<int> &movers = s_movers_;
  lists.clear();
  movers.clear();
  for (int x = 0; x < dim_; x++) s_assign_[x] = static_cast<uint16_t>(x);
  for (size_t a = 0; a < n; a++) {
    s_key_[a] = key[a];
    const int32_t t = info_.w[a];
    if (t < 0) continue;
    const automaton &au = view_.aut(static_cast<int>(a));
    s_key_[a] = static_cast<uint16_t>(au.target(t));
    movers.push_back(static_cast<int>(a));
    lists.push_back(&au.guard[t]);
    au.assign_into(t, s_assign_.data());
  }
  const size_t bytes = static_cast<size_t>(dim_) * dim_ * sizeof(int16_t);
  return for_each_combination(lists, s_guard_idx_, [&](const std::vector<int> &at) {
    memcpy(s_guard_.data(), z, bytes);
    for (size_t p = 0; p < lists.size(); p++)
      if (!flat::constrain_all(s_guard_.data(), dim_, (*lists[p])[at[p]])) return true;
    info_.guard.assign(n, -1);
    for (size_t p = 0; p < movers.size(); p++) info_.guard[movers[p]] = at[p];
    // Resets and copies in place, unless a clock both takes and gives a value.
    const int16_t *moved = s_guard_.data();
    if (!flat::assign_in_place(s_guard_.data(), dim_, s_assign_.data())) {
      flat::assign(s_moved_.data(), s_guard_.data(), dim_, s_assign_.data());
      moved = s_moved_.data();
    }
    bool go_on = true;
    time_in_invariants(s_key_.data(), moved, [&](int16_t *t) {
      info_.inv = s_inv_idx_;
      if (go_on) go_on = f(k++, static_cast<const uint16_t *>(s_key_.data()), t, static_cast<const step_info &>(info_));
    });
    return go_on;
  });
}

template <typename F>
void model::for_each_successor(const uint16_t *key, const int16_t *z, F &&f) {
  info_.w.assign(view_.nb_automata(), -1);
  int32_t k = 0;
  for (int c = view_.first_move(key, s_w_.data()); c >= 0; c = view_.next_move(key, s_w_.data(), c)) {
    info_.w.assign(s_w_.begin(), s_w_.end());
    if (!successor_of_move(key, z, k, f)) return;
  }
}

}  // namespace lu
