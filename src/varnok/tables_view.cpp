// The one-graph and product tables as the forward side reads them.

#include "varnok/tables_view.h"

#include "common/region/region.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/zone/zone.h"
#include "varnok/compo_sync.h"
#include "varnok/compo_tables.h"
#include "varnok/states_reg.h"

namespace lu {

namespace {

// The closed local matrix (na clocks) of the zone lz; empty vector when lz
// is empty.
local_zone local_matrix(const zone *lz, int na) {
  local_zone m;
  if (is_empty_zone(lz)) return m;
  m.resize(static_cast<size_t>(na) * na);
  for (int j = 0; j < na; j++)
    for (int k = 0; k < na; k++) m[static_cast<size_t>(j) * na + k] = lz->bounds[j][k];
  if (!flat::close(m.data(), na)) m.clear();
  return m;
}

// The constraints of the closed local matrix m over the global clocks. A
// zone without diagonal constraints is described by its bounds on single
// clocks; otherwise every finite entry is kept.
piece global_piece(const local_zone &m, int na, int base) {
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

// 1 when every piece has only x >= 0 as lower bounds (closed), so that it
// holds again after going back in time.
bool all_past_closed(const std::vector<local_zone> &pieces, int na) {
  for (const auto &m : pieces)
    for (int x = 1; x < na; x++)
      if (m[x] != ZERO_LE) return false;
  return true;
}

bool all_diagonal_free(const std::vector<local_zone> &pieces, int na) {
  for (const auto &m : pieces)
    if (!flat::diagonal_free(m.data(), na)) return false;
  return true;
}

// The derived data of a, whose table pointers, sizes, base and dim are set.
void derive(automaton &a) {
  for (int l = 0; l < a.nb_locations; l++) {
    a.inv_local.push_back(closed_pieces(a.invariant_region(l), a.dim));
    a.diagonal_free &= all_diagonal_free(a.inv_local.back(), a.dim);
    a.past_closed &= all_past_closed(a.inv_local.back(), a.dim);
    a.inv.emplace_back();
    for (const auto &m : a.inv_local.back()) a.inv.back().push_back(global_piece(m, a.dim, a.base));
  }
  for (int t = 0; t < a.nb_transitions; t++) {
    a.guard_local.push_back(closed_pieces(a.guard_region(t), a.dim));
    a.diagonal_free &= all_diagonal_free(a.guard_local.back(), a.dim);
    a.assign.emplace_back();
    for (int x = 0; x < a.dim; x++) a.assign.back().push_back(static_cast<uint16_t>(source_clock(a.transition(t), x)));
    a.guard.emplace_back();
    for (const auto &m : a.guard_local.back()) a.guard.back().push_back(global_piece(m, a.dim, a.base));
  }
}

}  // namespace

int source_clock(const trans_rec *t, int k) {
  const clock_affect *a = t->affect;
  if (a == nullptr || a->mode == 0 || k >= static_cast<int>(a->affect.size())) return k;
  const int local = a->affect[k];
  if (a->mode == 1) return local != 0 ? k : 0;
  return local;
}

std::vector<local_zone> closed_pieces(const region *r, int na) {
  std::vector<local_zone> out;
  if (r == nullptr || is_empty_region(r)) return out;
  for (int p = 0; p < r->count; p++) {
    local_zone m = local_matrix(r->zones[p], na);
    if (!m.empty()) out.push_back(std::move(m));
  }
  return out;
}

std::vector<local_zone> closed_pieces_at(const states_region *s, int l, int na) {
  if (s == nullptr || l >= s->count) return {};
  return closed_pieces(s->regs[l], na);
}

int zone_of_piece(const region *r, int piece, int na) {
  if (is_empty_region(r)) return -1;
  for (int p = 0; p < r->count; p++)
    if (!local_matrix(r->zones[p], na).empty() && piece-- == 0) return p;
  return -1;
}

int automaton::source(int t) const { return (*trans_)[t]->source; }
int automaton::target(int t) const { return (*trans_)[t]->target; }
const region *automaton::invariant_region(int l) const { return (*regs_)[(*inv_of_)[l]]; }
const region *automaton::guard_region(int t) const { return (*regs_)[(*trans_)[t]->guard]; }

const std::vector<int32_t> &automaton::labels(int t) const {
  return row_ < 0 ? trans_labels[t] : TA_trans_labels[row_][t];
}
const std::string &automaton::label_name(int lab) const {
  return (row_ < 0 ? label_tab[lab] : TA_label_tab[row_][lab])->name;
}
const std::vector<int32_t> &automaton::props(int l) const {
  return row_ < 0 ? states_props[l] : TA_states_props[row_][l];
}
const std::string &automaton::prop_name(int p) const { return (row_ < 0 ? prop_tab[p] : TA_prop_tab[row_][p])->name; }

const std::string &automaton::name() const {
  static const std::string none;
  return row_ < 0 ? none : TA_names[row_];
}

tables_view tables_view::single() {
  tables_view v;
  v.dim_ = N_OF_CLOCKS;
  automaton a;
  a.base = 0;
  a.dim = N_OF_CLOCKS;
  a.nb_locations = N_OF_STATES;
  a.nb_transitions = N_OF_TRANS;
  a.regs_ = &list_reg;
  a.inv_of_ = &inv;
  a.trans_ = &trans_table;
  a.succs_ = &succs;
  derive(a);
  v.aut_.push_back(std::move(a));
  v.v_.resize(1);
  return v;
}

tables_view tables_view::product() {
  tables_view v;
  v.product_ = true;
  v.dim_ = N_OF_CLOCKS;
  for (int r = 0; r < N_OF_TA; r++) {
    automaton a;
    a.row_ = r;
    a.base = encode_clock_index(1, r) - 1;
    a.dim = TA_N_OF_CLOCKS[r];
    a.nb_locations = TA_N_OF_STATES[r];
    a.nb_transitions = TA_N_OF_TRANS[r];
    a.regs_ = &TA_list_reg[r];
    a.inv_of_ = &TA_inv[r];
    a.trans_ = &TA_trans_table[r];
    a.succs_ = &TA_succs[r];
    derive(a);
    v.aut_.push_back(std::move(a));
  }
  v.v_.resize(v.aut_.size());
  return v;
}

std::vector<int> tables_view::location_counts(bool product) {
  if (!product) return {N_OF_STATES};
  std::vector<int> n;
  for (int a = 0; a < N_OF_TA; a++) n.push_back(TA_N_OF_STATES[a]);
  return n;
}

int tables_view::first_move(const uint16_t *key, int32_t *w) const {
  if (!product_) {
    const int t = (*aut_[0].succs_)[key[0]];
    if (t >= (*aut_[0].succs_)[key[0] + 1]) return -1;
    w[0] = t;
    return t;
  }
  const int n = nb_automata();
  for (int a = 0; a < n; a++) v_[a] = key[a];
  return trans_sync_get_1st(v_.data(), w, n);
}

int tables_view::next_move(const uint16_t *key, int32_t *w, int cursor) const {
  if (!product_) {
    const int t = cursor + 1;
    if (t >= (*aut_[0].succs_)[key[0] + 1]) return -1;
    w[0] = t;
    return t;
  }
  const int n = nb_automata();
  for (int a = 0; a < n; a++) v_[a] = key[a];
  return trans_sync_get_nxt(v_.data(), w, n, cursor);
}

}  // namespace lu
