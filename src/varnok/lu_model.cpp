// The network view of the LU search and its symbolic successors.

#include "varnok/lu_model.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/region/region.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "varnok/compo_runs.h"
#include "varnok/compo_sync.h"
#include "varnok/compo_tables.h"
#include "varnok/initial_vectors.h"
#include "varnok/states_reg.h"
#include "varnok/varnok_options.h"

namespace lu {

namespace {

// The closed local matrix (na clocks) of the zone lz; empty vector when lz
// is empty.
std::vector<int16_t> local_matrix(const zone *lz, int na) {
  std::vector<int16_t> m;
  if (is_empty_zone(lz)) return m;
  m.resize(static_cast<size_t>(na) * na);
  for (int j = 0; j < na; j++)
    for (int k = 0; k < na; k++) m[static_cast<size_t>(j) * na + k] = lz->bounds[j][k];
  if (!flat::close(m.data(), na)) m.clear();
  return m;
}

// The closed local matrices of the non-empty zones of r.
std::vector<std::vector<int16_t>> local_pieces(const region *r, int na) {
  std::vector<std::vector<int16_t>> out;
  if (is_empty_region(r)) return out;
  for (int p = 0; p < r->count; p++) {
    std::vector<int16_t> m = local_matrix(r->zones[p], na);
    if (!m.empty()) out.push_back(std::move(m));
  }
  return out;
}

// The constraints of the closed local matrix m over the global clocks. A
// zone without diagonal constraints is described by its bounds on single
// clocks; otherwise every finite entry is kept.
piece global_piece(const std::vector<int16_t> &m, int na, int base) {
  const bool single_clocks = flat::diagonal_free(m.data(), na);
  auto g = [base](int k) { return static_cast<uint16_t>(k == 0 ? 0 : base + k); };
  piece cs;
  for (int i = 0; i < na; i++)
    for (int j = 0; j < na; j++) {
      const int16_t b = m[static_cast<size_t>(i) * na + j];
      if (i == j || b == INF_BOUND || (i == 0 && b == ZERO_LE)) continue;
      if (single_clocks && i != 0 && j != 0) continue;
      cs.push_back({g(i), g(j), b});
    }
  return cs;
}

// The clock whose old value local clock k takes under t (0: reset).
int local_assign(const trans_rec *t, int k) {
  const clock_affect *a = t->affect;
  if (a == nullptr || a->mode == 0 || k >= static_cast<int>(a->affect.size())) return k;
  const int local = a->affect[k];
  if (a->mode == 1) return local != 0 ? k : 0;
  return local;
}

// Calls f(index vector) for every combination of one entry per list, the
// first list fastest; nothing when a list is empty. f returns false to stop.
template <typename F>
bool for_each_combination(const std::vector<const std::vector<piece> *> &lists, std::vector<int> &idx, F f) {
  for (const auto *l : lists)
    if (l->empty()) return true;
  idx.assign(lists.size(), 0);
  for (;;) {
    if (!f(idx)) return false;
    size_t a = 0;
    while (a < lists.size() && ++idx[a] == static_cast<int>(lists[a]->size())) idx[a++] = 0;
    if (a == lists.size()) return true;
  }
}

// One automaton's view, pieces and bound inputs, from its tables.
struct automaton_tables {
  int na, base, nloc, ntrans;
  const std::vector<region *> &regs;
  const std::vector<int32_t> &inv;
  const std::vector<trans_rec *> &trans;
};

// 1 when every piece has only x >= 0 as lower bounds (closed), so that it
// holds again after going back in time.
bool all_past_closed(const std::vector<std::vector<int16_t>> &pieces, int na) {
  for (const auto &m : pieces)
    for (int x = 1; x < na; x++)
      if (m[x] != ZERO_LE) return false;
  return true;
}

bool all_diagonal_free(const std::vector<std::vector<int16_t>> &pieces, int na) {
  for (const auto &m : pieces)
    if (!flat::diagonal_free(m.data(), na)) return false;
  return true;
}

automaton build_automaton(const automaton_tables &t, const int32_t *goal_lo, const int32_t *goal_hi, bool &diag_free,
                          bool &past_closed) {
  automaton a;
  a.base = t.base;
  a.dim = t.na;
  bounds_input in;
  in.dim = t.na;
  in.nloc = t.nloc;
  for (int l = 0; l < t.nloc; l++) {
    in.inv.push_back(local_pieces(t.regs[t.inv[l]], t.na));
    diag_free &= all_diagonal_free(in.inv.back(), t.na);
    past_closed &= all_past_closed(in.inv.back(), t.na);
    a.inv.emplace_back();
    for (const auto &m : in.inv.back()) a.inv.back().push_back(global_piece(m, t.na, t.base));
  }
  for (int k = 0; k < t.ntrans; k++) {
    const trans_rec *tr = t.trans[k];
    bounds_input::edge e{tr->source, tr->target, local_pieces(t.regs[tr->guard], t.na), {}};
    diag_free &= all_diagonal_free(e.guard, t.na);
    for (int x = 0; x < t.na; x++) e.assign.push_back(static_cast<uint16_t>(local_assign(tr, x)));
    a.guard.emplace_back();
    for (const auto &m : e.guard) a.guard.back().push_back(global_piece(m, t.na, t.base));
    in.edges.push_back(std::move(e));
  }
  a.b = compute_bounds(in, goal_lo, goal_hi);
  return a;
}

}  // namespace

int zone_of_piece(const region *r, int piece, int na) {
  if (is_empty_region(r)) return -1;
  for (int p = 0; p < r->count; p++)
    if (!local_matrix(r->zones[p], na).empty() && piece-- == 0) return p;
  return -1;
}

static void refuse_wide_keys(int locations) {
  if (locations <= 65535) return;
  printf("%s: -abs lu takes automata of at most 65535 locations (here %d)\n", tool, locations);
  exit(1);
}

void check_key_width(bool product) {
  if (!product) refuse_wide_keys(N_OF_STATES);
  for (int a = 0; product && a < N_OF_TA; a++) refuse_wide_keys(TA_N_OF_STATES[a]);
}

model model::single(states_region *goal) {
  model m;
  m.dim_ = N_OF_CLOCKS;
  std::vector<int32_t> glo(m.dim_, -1), ghi(m.dim_, -1);
  bool diag_free = true;
  for (int l = 0; l < N_OF_STATES; l++) {
    m.goal_zones_.emplace_back();
    if (goal == nullptr || l >= goal->count) continue;
    m.goal_zones_.back() = local_pieces(goal->regs[l], m.dim_);
    diag_free &= all_diagonal_free(m.goal_zones_.back(), m.dim_);
    for (const auto &z : m.goal_zones_.back()) raise_to_zone(glo.data(), ghi.data(), z.data(), m.dim_);
  }
  automaton_tables t{m.dim_, 0, N_OF_STATES, N_OF_TRANS, list_reg, inv, trans_table};
  m.aut_.push_back(build_automaton(t, glo.data(), ghi.data(), diag_free, m.past_closed_invariants_));
  m.extrapolate_ = diag_free;
  m.finish();
  return m;
}

model model::product(const tctl_node *goal) {
  model m;
  m.product_ = true;
  m.dim_ = N_OF_CLOCKS;
  m.goal_formula_ = goal;
  bool diag_free = true;
  for (int a = 0; a < N_OF_TA; a++) {
    const int na = TA_N_OF_CLOCKS[a];
    std::vector<int32_t> none(na, -1);
    automaton_tables t{na, encode_clock_index(1, a) - 1, TA_N_OF_STATES[a], TA_N_OF_TRANS[a], TA_list_reg[a], TA_inv[a],
                       TA_trans_table[a]};
    m.aut_.push_back(build_automaton(t, none.data(), none.data(), diag_free, m.past_closed_invariants_));
  }
  m.extrapolate_ = diag_free;
  m.finish();
  return m;
}

void model::finish() {
  const size_t nn = static_cast<size_t>(dim_) * dim_;
  s_guard_.resize(nn);
  s_moved_.resize(nn);
  s_target_.resize(nn);
  s_goal_.resize(nn);
  s_assign_.resize(dim_);
  const size_t n = aut_.size();
  s_key_.resize(n);
  s_v_.resize(n);
  s_u_.resize(n);
  s_w_.resize(n);
  // A clock no automaton owns is never extrapolated.
  lo_.assign(dim_, MAX_BOUND_CONSTANT);
  hi_.assign(dim_, MAX_BOUND_CONSTANT);
  lo_[0] = hi_[0] = 0;
}

void model::time_in_invariants(const uint16_t *key, const int16_t *from, const std::function<void(int16_t *)> &f) {
  std::vector<const std::vector<piece> *> &lists = s_inv_lists_;
  lists.clear();
  for (size_t a = 0; a < aut_.size(); a++) lists.push_back(&aut_[a].inv[key[a]]);
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

void model::for_each_initial(states_region *init_table, const tctl_node *init_formula,
                             const std::function<void(const uint16_t *, const int16_t *)> &f) {
  const size_t nn = static_cast<size_t>(dim_) * dim_;
  std::vector<int16_t> from(nn);
  std::vector<uint16_t> key(aut_.size());
  if (!product_) {
    for (int l = 0; l < N_OF_STATES && init_table != nullptr && l < init_table->count; l++) {
      key[0] = static_cast<uint16_t>(l);
      for (const auto &z : local_pieces(init_table->regs[l], dim_))
        time_in_invariants(key.data(), z.data(), [&](int16_t *t) { f(key.data(), t); });
    }
    return;
  }
  for_each_initial_location_vector(init_formula, [&](const int32_t *v) {
    for (size_t a = 0; a < aut_.size(); a++) key[a] = static_cast<uint16_t>(v[a]);
    // -Inv: the whole invariant (time passing within it changes nothing).
    if (is_option(OPT_INV)) flat::set_universal(from.data(), dim_);
    else flat::set_zero(from.data(), dim_);
    time_in_invariants(key.data(), from.data(), [&](int16_t *t) { f(key.data(), t); });
  });
}

bool model::successor_of_move(const uint16_t *key, const int16_t *z, const trans_rec *const *e, step_info &info,
                              int32_t &k,
                              const std::function<bool(int32_t, const uint16_t *, int16_t *, const step_info &)> &f) {
  const size_t n = aut_.size();
  std::vector<const std::vector<piece> *> &lists = s_guard_lists_;
  std::vector<int> &movers = s_movers_;
  lists.clear();
  movers.clear();
  for (int x = 0; x < dim_; x++) s_assign_[x] = static_cast<uint16_t>(x);
  for (size_t a = 0; a < n; a++) {
    s_key_[a] = key[a];
    if (e[a] == nullptr) continue;
    const automaton &au = aut_[a];
    s_key_[a] = e[a]->target;
    movers.push_back(static_cast<int>(a));
    lists.push_back(&au.guard[info.w[a]]);
    for (int x = 1; x < au.dim; x++) {
      const int from = local_assign(e[a], x);
      s_assign_[au.base + x] = static_cast<uint16_t>(from == 0 ? 0 : au.base + from);
    }
  }
  const size_t bytes = static_cast<size_t>(dim_) * dim_ * sizeof(int16_t);
  return for_each_combination(lists, s_guard_idx_, [&](const std::vector<int> &at) {
    memcpy(s_guard_.data(), z, bytes);
    for (size_t p = 0; p < lists.size(); p++)
      if (!flat::constrain_all(s_guard_.data(), dim_, (*lists[p])[at[p]])) return true;
    info.guard.assign(n, -1);
    for (size_t p = 0; p < movers.size(); p++) info.guard[movers[p]] = at[p];
    flat::assign(s_moved_.data(), s_guard_.data(), dim_, s_assign_.data());
    bool go_on = true;
    time_in_invariants(s_key_.data(), s_moved_.data(), [&](int16_t *t) {
      info.inv = s_inv_idx_;
      if (go_on) go_on = f(k++, s_key_.data(), t, info);
    });
    return go_on;
  });
}

void model::for_each_successor(const uint16_t *key, const int16_t *z,
                               const std::function<bool(int32_t, const uint16_t *, int16_t *, const step_info &)> &f) {
  const int n = static_cast<int>(aut_.size());
  step_info info;
  info.w.assign(n, -1);
  int32_t k = 0;
  const trans_rec *e[MAX_NB_TA];
  if (!product_) {
    const int l = key[0];
    for (int t = succs[l]; t < succs[l + 1]; t++) {
      e[0] = trans_table[t];
      info.w[0] = t;
      if (!successor_of_move(key, z, e, info, k, f)) return;
    }
    return;
  }
  for (int a = 0; a < n; a++) s_v_[a] = key[a];
  for (int c = trans_sync_get_1st(s_v_.data(), s_w_.data(), n); c >= 0;
       c = trans_sync_get_nxt(s_v_.data(), s_w_.data(), n, c)) {
    trans_to_action_vector(s_w_.data(), e, n);
    info.w.assign(s_w_.begin(), s_w_.end());
    if (!successor_of_move(key, z, e, info, k, f)) return;
  }
}

void model::extrapolate(const uint16_t *key, int16_t *z) {
  if (!extrapolate_) return;
  for (size_t a = 0; a < aut_.size(); a++) {
    const automaton &au = aut_[a];
    const size_t at = static_cast<size_t>(key[a]) * au.dim;
    for (int x = 1; x < au.dim; x++) {
      lo_[au.base + x] = au.b.lo[at + x];
      hi_[au.base + x] = au.b.hi[at + x];
    }
  }
  flat::extrapolate_lu(z, dim_, lo_.data(), hi_.data());
}

bool model::is_goal(const uint16_t *key, const int16_t *z) {
  if (no_goal_) return false;
  if (product_) {
    for (size_t a = 0; a < aut_.size(); a++) s_u_[a] = key[a];
    return location_vector_satisfies_formula(s_u_.data(), static_cast<int>(aut_.size()), goal_formula_) != 0;
  }
  for (const auto &g : goal_zones_[key[0]])
    if (flat::intersects(z, g.data(), dim_, s_goal_.data())) return true;
  return false;
}

}  // namespace lu
