// The loaded model as the forward side reads it: the one timed graph, or
// the automata of a product side by side, each with its clocks placed among
// the global clocks, its invariant and guard pieces (over the global clocks,
// and as closed local matrices), its assignments, targets, labels and
// propositions, and the moves that leave a location vector. New code reads
// the one-graph and product tables only through this view.
//
// A guard or invariant that is a union of zones is taken piece by piece: a
// piece is one of its zones that is not empty once closed, in the region's
// order. A zone without diagonal constraints is described by its bounds on
// single clocks; otherwise every finite entry of its closed matrix is kept.
//
// The view holds pointers to the tables, never copies of them: the labels and
// propositions of the one graph read what load_props_labels has loaded at
// the time of the call.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "varnok/flat_zone.h"

struct region;
struct states_region;
struct trans_rec;

namespace lu {

// One zone of a union, as constraints over the global clocks.
using piece = std::vector<flat::constraint>;
// A closed flat matrix over an automaton's own clocks (dim * dim).
using local_zone = std::vector<int16_t>;

// The local clock whose old value local clock k takes under t (0: reset).
int source_clock(const trans_rec *t, int k);

// The closed local matrices (na clocks) of the zones of r that are not
// empty once closed, in r's order; none for a null or empty r.
std::vector<local_zone> closed_pieces(const region *r, int na);
// The closed pieces of the states region s at location l (na clocks); none
// when s is null or holds nothing for l.
std::vector<local_zone> closed_pieces_at(const states_region *s, int l, int na);
// The index in r's zone array of the piece-th non-empty zone of r (na
// clocks). -1 when there is none.
int zone_of_piece(const region *r, int piece, int na);

// Calls f(idx) for every combination of one entry per list (idx[p] indexes
// lists[p]), the first list fastest; nothing when a list is empty. f returns
// false to stop; the result is false when f stopped. idx is the caller's
// scratch.
template <typename List, typename F>
bool for_each_combination(const std::vector<const List *> &lists, std::vector<int> &idx, F &&f) {
  for (const List *l : lists)
    if (l->empty()) return true;
  idx.assign(lists.size(), 0);
  for (;;) {
    if (!f(static_cast<const std::vector<int> &>(idx))) return false;
    size_t a = 0;
    while (a < lists.size() && ++idx[a] == static_cast<int>(lists[a]->size())) idx[a++] = 0;
    if (a == lists.size()) return true;
  }
}

// One automaton: its tables and what is derived from them once.
class automaton {
 public:
  int base = 0;  // global index of local clock k >= 1 is base + k
  int dim = 1;   // local clocks, the reference clock included
  int nb_locations = 0, nb_transitions = 0;
  std::vector<std::vector<piece>> inv;    // per location: its invariant pieces
  std::vector<std::vector<piece>> guard;  // per transition: its guard pieces
  // The same pieces as closed local matrices.
  std::vector<std::vector<local_zone>> inv_local, guard_local;
  // Per transition, per local clock k: source_clock(transition, k).
  std::vector<std::vector<uint16_t>> assign;
  // No piece needs a diagonal constraint.
  bool diagonal_free = true;
  // Every invariant piece has only x >= 0 as lower bounds, so that it holds
  // again after going back in time.
  bool past_closed = true;

  // The global index of local clock k.
  int global(int k) const { return k == 0 ? 0 : base + k; }
  const trans_rec *transition(int t) const { return (*trans_)[t]; }
  int source(int t) const;
  int target(int t) const;
  // Transitions leaving l are first_out(l) .. first_out(l + 1) - 1.
  int first_out(int l) const { return (*succs_)[l]; }
  // The regions of l's invariant and of t's guard (all their zones, the
  // empty ones too).
  const region *invariant_region(int l) const;
  const region *guard_region(int t) const;
  // Writes the assignment of transition t on this automaton's clocks into
  // the global assignment vector a: entry global(k) becomes the global clock
  // whose old value it takes (0: reset). Other entries are left alone.
  void assign_into(int t, uint16_t *a) const {
    const uint16_t *s = assign[t].data();
    for (int k = 1; k < dim; k++) a[base + k] = static_cast<uint16_t>(s[k] == 0 ? 0 : base + s[k]);
  }
  // The label indices of transition t and the name of label index lab.
  const std::vector<int32_t> &labels(int t) const;
  const std::string &label_name(int lab) const;
  // The proposition indices of location l and the name of proposition p.
  const std::vector<int32_t> &props(int l) const;
  const std::string &prop_name(int p) const;
  // The name of the automaton's model (its file name without .tg; empty for
  // the one graph).
  const std::string &name() const;

 private:
  friend class tables_view;
  int row_ = -1;  // product row, -1: the one graph
  const std::vector<region *> *regs_ = nullptr;
  const std::vector<int32_t> *inv_of_ = nullptr;
  const std::vector<trans_rec *> *trans_ = nullptr;
  const std::vector<int32_t> *succs_ = nullptr;
};

class tables_view {
 public:
  // The loaded timed graph alone (clocks 0 .. N_OF_CLOCKS - 1, base 0).
  static tables_view single();
  // The loaded automata, automaton a's clocks at encode_clock_index(k, a).
  static tables_view product();
  static tables_view of(bool product) { return product ? tables_view::product() : single(); }
  // The number of locations of each automaton, without building a view.
  static std::vector<int> location_counts(bool product);

  bool is_product() const { return product_; }
  int nb_automata() const { return static_cast<int>(aut_.size()); }
  // Global clocks, the reference clock included.
  int dim() const { return dim_; }
  const automaton &aut(int a) const { return aut_[a]; }

  // The moves leaving the location vector key, as transition vectors w (per
  // automaton its transition, -1 when idle; one entry for the one graph):
  // first_move fills w with the first and returns a cursor (-1: none),
  // next_move replaces w (unchanged since) by the next one. The order is
  // that of the tables (the one graph: transition order; products: the
  // synchronisation iterator's).
  int first_move(const uint16_t *key, int32_t *w) const;
  int next_move(const uint16_t *key, int32_t *w, int cursor) const;

 private:
  bool product_ = false;
  int dim_ = 1;
  std::vector<automaton> aut_;
  mutable std::vector<int32_t> v_;  // scratch location vector
};

}  // namespace lu
