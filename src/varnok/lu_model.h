// The network view of the LU search: one timed graph, or several side by
// side, as automata over the global clocks with their invariant and guard
// pieces as constraint lists, their lower/upper bounds per location, and the
// symbolic successors of a state (discrete key + closed flat zone).
//
// A guard or invariant that is a union of zones is taken piece by piece: a
// move yields one successor per combination of guard pieces of the moving
// automata and of invariant pieces at the target. Invariants are closed
// under going back in time, so letting time pass from Z within the piece I
// gives exactly (Z ∩ I) after time elapse, intersected with I: the pieces
// together give every valuation reachable while staying in the invariant.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "varnok/flat_zone.h"
#include "varnok/lu_bounds.h"

struct region;
struct states_region;
struct tctl_node;
struct trans_rec;

namespace lu {

using piece = std::vector<flat::constraint>;

struct automaton {
  int base = 0;  // global index of local clock k >= 1 is base + k
  int dim = 1;   // local clocks, the reference clock included
  std::vector<std::vector<piece>> inv;    // per location: its pieces
  std::vector<std::vector<piece>> guard;  // per local transition: its pieces
  bounds b;                               // per location, local clocks
};

// What one successor was made of (for the evidence files).
struct step_info {
  std::vector<int32_t> w;  // per automaton its transition, -1 when idle
  std::vector<int> guard;  // per automaton its guard piece (moving ones)
  std::vector<int> inv;    // per automaton its invariant piece at the target

  bool operator==(const step_info &o) const { return w == o.w && guard == o.guard && inv == o.inv; }
};

// The index in r's zone array of the piece-th non-empty zone of r (na
// clocks): pieces skip the zones that are empty once closed. -1 when none.
int zone_of_piece(const region *r, int piece, int na);

// The search keys a location in 16 bits: when the loaded graph (product:
// one of the loaded automata) has more than 65535 locations, prints why
// and ends the run (status 1). The model itself takes any size.
void check_key_width(bool product);

class model {
 public:
  // The loaded timed graph alone; goal zones (per location) count in the
  // bounds and are tested on every successor.
  static model single(states_region *goal);
  // The loaded automata (the product tables); goal is a boolean formula on
  // location vectors.
  static model product(const tctl_node *goal);

  int nb_automata() const { return static_cast<int>(aut_.size()); }
  int dim() const { return dim_; }
  bool is_product() const { return product_; }
  // False when a diagonal constraint makes the extrapolation unsound.
  bool extrapolates() const { return extrapolate_; }
  const automaton &aut(int a) const { return aut_[a]; }

  // The initial states of init (single graph: a state table; product: a
  // formula), in order: f(key, zone) with closed flat zones. -Inv: the
  // invariant itself instead of the time successors of 0 (products).
  void for_each_initial(states_region *init_table, const tctl_node *init_formula,
                        const std::function<void(const uint16_t *, const int16_t *)> &f);
  // Every successor of (key, z), z closed, numbered from 0 in a fixed
  // order: f(k, target key, exact zone, info) returns false to stop. The
  // zone is a scratch buffer, valid during the call.
  void for_each_successor(const uint16_t *key, const int16_t *z,
                          const std::function<bool(int32_t, const uint16_t *, int16_t *, const step_info &)> &f);
  // Extrapolates the closed z at discrete state key (nothing without
  // extrapolation).
  void extrapolate(const uint16_t *key, int16_t *z);
  // No goal at all (the whole graph is explored): is_goal is always false.
  void drop_goal() { no_goal_ = true; }
  // The goal's closed flat zones at location l of the single graph (none
  // for products).
  const std::vector<std::vector<int16_t>> &goal_zones(int l) const { return goal_zones_[l]; }
  // 1 when the exact zone z at key meets the goal.
  bool is_goal(const uint16_t *key, const int16_t *z);

 private:
  void finish();
  void time_in_invariants(const uint16_t *key, const int16_t *from,
                          const std::function<void(int16_t *)> &f);
  bool successor_of_move(const uint16_t *key, const int16_t *z, const trans_rec *const *e, step_info &info,
                         int32_t &k, const std::function<bool(int32_t, const uint16_t *, int16_t *, const step_info &)> &f);

  bool product_ = false, extrapolate_ = true, past_closed_invariants_ = true, no_goal_ = false;
  int dim_ = 1;
  std::vector<automaton> aut_;
  std::vector<std::vector<std::vector<int16_t>>> goal_zones_;  // single graph
  const tctl_node *goal_formula_ = nullptr;                    // product
  std::vector<int32_t> lo_, hi_;                               // global, scratch
  std::vector<int16_t> s_guard_, s_moved_, s_target_, s_goal_;          // scratch zones
  std::vector<uint16_t> s_assign_, s_key_;
  std::vector<int32_t> s_v_, s_u_, s_w_;
  std::vector<const std::vector<piece> *> s_inv_lists_, s_guard_lists_;
  std::vector<int> s_inv_idx_, s_guard_idx_, s_movers_;
};

}  // namespace lu
