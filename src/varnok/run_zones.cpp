// The exact zones along a witness.

#include "varnok/run_zones.h"

#include <algorithm>
#include <vector>

#include "common/region/region.h"
#include "common/tg/tg_global.h"
#include "common/zone/zone.h"
#include "varnok/flat_zone.h"
#include "varnok/states_reg.h"
#include "varnok/tables_view.h"

namespace run {

namespace {

// The closed m with its upper bounds made non-strict (the points that time
// reaches from inside m without passing beyond it), or with its lower bounds
// made non-strict and its upper bounds strict (the points from which a
// little time passing enters m). False when that is empty.
bool upper_closure(std::vector<int16_t> &m, int dim) {
  for (int x = 1; x < dim; x++)
    if (m[x * dim] != INF_BOUND) m[x * dim] = static_cast<int16_t>(m[x * dim] | 1);
  return flat::close(m.data(), dim);
}
bool entering(std::vector<int16_t> &m, int dim) {
  for (int x = 1; x < dim; x++) {
    if (m[x * dim] != INF_BOUND) m[x * dim] = static_cast<int16_t>(m[x * dim] & ~1);
    if (m[x] != INF_BOUND) m[x] = static_cast<int16_t>(m[x] | 1);
  }
  return flat::close(m.data(), dim);
}

// The builder reads the invariant and guard pieces of the loaded tables
// from the view (per automaton: the pieces of each location's invariant and
// of each transition's guard, in the order of the search's successors).
class builder {
 public:
  builder(const lu::tables_view &view, const witness &w, const origin &o)
      : view_(view), w_(w), o_(o), init_(o.init), dim_(N_OF_CLOCKS), nn_(size_t(dim_) * dim_), keys_(keys_along(view, w)) {}

  // The exact states along w, with pieces for which the end meets the target.
  bool forward(std::vector<exact_state> &out) {
    out.clear();
    for (const auto &e : initial_entries()) {
      exact_state s;
      if (enter(w_.start.data(), e, s, w_.moves.empty(), [&](exact_state &first) {
            out.clear();
            out.push_back(first);
            return extend(out);
          }))
        return true;
      out.clear();
    }
    return false;
  }

 private:
  std::vector<std::vector<int16_t>> initial_entries() {
    std::vector<std::vector<int16_t>> es;
    std::vector<int16_t> m(nn_);
    if (w_.product) {
      if (o_.anywhere) flat::set_universal(m.data(), dim_);
      else flat::set_zero(m.data(), dim_);
      es.push_back(m);
      return es;
    }
    const int l = w_.start[0];
    if (init_ == nullptr || l >= init_->count || is_empty_region(init_->regs[l])) return es;
    region *r = init_->regs[l];
    for (int p = 0; p < r->count; p++) {
      if (is_empty_zone(r->zones[p])) continue;
      zone *z = assign_zone(r->zones[p]);
      cf_zone(z);
      if (!is_empty_zone(z)) {
        flat::from_zone(m.data(), z);
        es.push_back(m);
      }
      free_zone(z);
    }
    return es;
  }

  // For every combination of invariant pieces at key: the state entered with
  // `from` (cut to the pieces), time passed within them; f(state) returns
  // true to stop. True when f did.
  // Conditional witnesses: time passes within the condition as well, and
  // a state entered outside it can only be the last one (`last`).
  template <typename F>
  bool enter(const int32_t *key, const std::vector<int16_t> &from, exact_state &s, bool last, F f) {
    const int n = view_.nb_automata();
    std::vector<const std::vector<lu::piece> *> lists;
    for (int a = 0; a < n; a++) lists.push_back(&view_.aut(a).inv[key[a]]);
    return combinations(lists, [&](const std::vector<int> &at) {
      s.entry = from;
      for (int a = 0; a < n; a++)
        if (!flat::constrain_all(s.entry.data(), dim_, (*lists[a])[at[a]])) return false;
      s.end = END_IN_ZONE;
      if (o_.conditional) {
        s.raw_entry = s.entry;
        s.inv.assign(nn_, 0);
        flat::set_universal(s.inv.data(), dim_);
        for (int a = 0; a < n; a++)
          if (!flat::constrain_all(s.inv.data(), dim_, (*lists[a])[at[a]])) return false;
        const std::vector<int16_t> &c = cond_at(key[0]);
        if (c.empty() || !flat::cut(s.entry.data(), c.data(), dim_)) {
          if (!last) return false;
          s.entry.clear();
          s.zone.clear();
          return f(s);
        }
      }
      s.zone = s.entry;
      flat::up(s.zone.data(), dim_);
      for (int a = 0; a < n; a++)
        if (!flat::constrain_all(s.zone.data(), dim_, (*lists[a])[at[a]])) return false;
      if (o_.conditional && !flat::cut(s.zone.data(), cond_at(key[0]).data(), dim_)) return false;
      return f(s);
    });
  }

  const std::vector<int16_t> &cond_at(int l) const {
    static const std::vector<int16_t> none;
    return l < static_cast<int>(o_.cond.size()) ? o_.cond[l] : none;
  }

  // Calls f on every combination of one entry per list (the first list
  // fastest) until it returns true; true when f did, false when a list is
  // empty.
  template <typename F>
  static bool combinations(const std::vector<const std::vector<lu::piece> *> &lists, F f) {
    std::vector<int> idx;
    return !lu::for_each_combination(lists, idx, [&](const std::vector<int> &at) { return !f(at); });
  }

  // Extends the first state in out by the moves (depth-first over the
  // pieces); true when the whole witness is followed and its end meets the
  // target (the last zone is then cut to the target zone). The choices left
  // are kept per move on an explicit stack, so that a witness of any length
  // is followed without deep recursion.
  bool extend(std::vector<exact_state> &out) {
    std::vector<std::vector<exact_state>> left;  // per move: choices not tried, next at the back
    for (;;) {
      // Here out.size() == left.size() + 1: out.back() is to be tried.
      const size_t i = out.size() - 1;
      if (i < w_.moves.size()) left.push_back(next_states(out.back(), i));
      else if (meet_target(out.back())) return true;
      else out.pop_back();
      while (!left.empty() && left.back().empty()) {
        left.pop_back();
        out.pop_back();
      }
      if (left.empty()) return false;
      out.push_back(std::move(left.back().back()));
      left.back().pop_back();
    }
  }

  // The states move i can lead to from `from` (one per guard and invariant
  // pieces that give some), the first one to try at the back.
  std::vector<exact_state> next_states(const exact_state &from, size_t i) {
    std::vector<exact_state> found;
    const int n = view_.nb_automata();
    const std::vector<int32_t> &mv = w_.moves[i];
    const std::vector<int32_t> &key = keys_[i];
    std::vector<uint16_t> assign(dim_);
    for (int x = 0; x < dim_; x++) assign[x] = static_cast<uint16_t>(x);
    std::vector<const std::vector<lu::piece> *> lists;
    for (int a = 0; a < n; a++) {
      if (mv[a] < 0) continue;
      const lu::automaton &aut = view_.aut(a);
      if (aut.source(mv[a]) != key[a]) return found;
      lists.push_back(&aut.guard[mv[a]]);
      aut.assign_into(mv[a], assign.data());
    }
    combinations(lists, [&](const std::vector<int> &at) {
      std::vector<int16_t> g(nn_), moved(nn_);
      flat::set_universal(g.data(), dim_);
      for (size_t p = 0; p < lists.size(); p++)
        if (!flat::constrain_all(g.data(), dim_, (*lists[p])[at[p]])) return false;
      std::vector<int16_t> in_guard = from.zone;
      if (!flat::cut(in_guard.data(), g.data(), dim_)) return false;
      flat::assign(moved.data(), in_guard.data(), dim_, assign.data());
      exact_state s;
      enter(keys_[i + 1].data(), moved, s, i + 1 == w_.moves.size(), [&](exact_state &next) {
        next.guard = g;
        next.assign = assign;
        found.push_back(next);
        return false;
      });
      return false;
    });
    std::reverse(found.begin(), found.end());
    return found;
  }

  // The end of a conditional witness, tried in this order: the goal met
  // right at the entry; a point of the goal that time reaches from the
  // entry staying in the condition up to it; a point of the zone from which
  // time enters the goal at once. s.zone becomes the set the run picks its
  // last point (or, entering, the point before the goal) from.
  bool meet_goal(exact_state &s) {
    for (const auto &t : w_.target) {
      std::vector<int16_t> m = s.raw_entry;
      if (flat::cut(m.data(), t.data(), dim_)) {
        s.zone = m;
        s.end = END_AT_ENTRY;
        return true;
      }
    }
    if (s.entry.empty()) return false;
    std::vector<int16_t> border = s.inv;
    if (!flat::cut(border.data(), cond_at(keys_.back()[0]).data(), dim_) || !upper_closure(border, dim_)) return false;
    for (const auto &t : w_.target) {
      std::vector<int16_t> m = s.entry;
      flat::up(m.data(), dim_);
      if (flat::cut(m.data(), s.inv.data(), dim_) && flat::cut(m.data(), border.data(), dim_) && flat::cut(m.data(), t.data(), dim_)) {
        s.zone = m;
        s.end = END_IN_ZONE;
        return true;
      }
    }
    for (const auto &t : w_.target) {
      std::vector<int16_t> g = s.inv;
      if (!flat::cut(g.data(), t.data(), dim_)) continue;
      std::vector<int16_t> into = g, m = s.zone;
      if (entering(into, dim_) && flat::cut(m.data(), into.data(), dim_)) {
        s.zone = m;
        s.goal = g;
        s.end = END_ENTERING;
        return true;
      }
    }
    return false;
  }

  bool meet_target(exact_state &s) {
    if (o_.conditional) return meet_goal(s);
    if (w_.target.empty()) return true;
    for (const auto &t : w_.target) {
      std::vector<int16_t> z = s.zone;
      if (flat::cut(z.data(), t.data(), dim_)) {
        s.zone = z;
        return true;
      }
    }
    return false;
  }

 private:
  // The locations before each move and after the last one.
  static std::vector<std::vector<int32_t>> keys_along(const lu::tables_view &view, const witness &w) {
    std::vector<std::vector<int32_t>> keys{w.start};
    for (const std::vector<int32_t> &mv : w.moves) {
      keys.push_back(keys.back());
      for (size_t a = 0; a < mv.size() && a < keys.back().size(); a++)
        if (mv[a] >= 0) keys.back()[a] = view.aut(static_cast<int>(a)).target(mv[a]);
    }
    return keys;
  }

  const lu::tables_view &view_;
  const witness &w_;
  const origin &o_;
  states_region *init_;
  int dim_;
  size_t nn_;
  std::vector<std::vector<int32_t>> keys_;
};

}  // namespace

bool exact_states(const lu::tables_view &view, const witness &w, const origin &o, std::vector<exact_state> &out) {
  builder b(view, w, o);
  return b.forward(out);
}

bool exact_states(const witness &w, const origin &o, std::vector<exact_state> &out) {
  return exact_states(lu::tables_view::of(w.product), w, o, out);
}

// The closed flat form of z, or an empty vector when z is null or empty.
std::vector<int16_t> flat_of(zone *z) {
  std::vector<int16_t> m;
  if (z == nullptr || is_empty_zone(z)) return m;
  zone *c = assign_zone(z);
  cf_zone(c);
  if (!is_empty_zone(c)) {
    m.resize(static_cast<size_t>(N_OF_CLOCKS) * N_OF_CLOCKS);
    flat::from_zone(m.data(), c);
  }
  free_zone(c);
  return m;
}

origin initial_origin(states_region *init) {
  origin o;
  o.init = init;
  return o;
}

origin product_origin(bool anywhere) {
  origin o;
  o.anywhere = anywhere;
  return o;
}

origin condition_origin(states_region *init, const std::vector<zone *> &cond, states_region *goal) {
  origin o = initial_origin(init);
  o.conditional = true;
  for (zone *c : cond) o.cond.push_back(flat_of(c));
  o.goal = goal;
  return o;
}

}  // namespace run
