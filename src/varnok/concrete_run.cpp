// Concrete timed runs of the search witnesses, and their replay.

#include "varnok/concrete_run.h"
#include "varnok/dot_writer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "common/region/region.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "varnok/compo_tables.h"
#include "varnok/flat_zone.h"
#include "varnok/lu_model.h"
#include "varnok/states_reg.h"
#include "varnok/varnok_options.h"

namespace run {

// ---------------------------------------------------------------------------
// Rationals

rational rational::of(big_int p, big_int q) {
  if (q.is_zero()) throw std::domain_error("division by zero");
  if (q.negative()) {
    p = -p;
    q = -q;
  }
  const big_int g = gcd(p, q);
  rational r;
  if (g == big_int(1)) {
    r.p = std::move(p);
    r.q = std::move(q);
  } else {
    r.p = p / g;
    r.q = q / g;
  }
  return r;
}

std::string rational::text() const { return q == big_int(1) ? p.text() : p.text() + "/" + q.text(); }

rational operator+(const rational &a, const rational &b) {
  if (a.q == b.q) return rational::of(a.p + b.p, a.q);
  const big_int g = gcd(a.q, b.q);
  return rational::of(a.p * (b.q / g) + b.p * (a.q / g), (a.q / g) * b.q);
}
rational operator-(const rational &a, const rational &b) {
  rational m;
  m.p = -b.p;
  m.q = b.q;
  return a + m;
}
rational operator*(const rational &a, const rational &b) { return rational::of(a.p * b.p, a.q * b.q); }
rational operator/(const rational &a, const rational &b) { return rational::of(a.p * b.q, a.q * b.p); }
int compare(const rational &a, const rational &b) { return compare(a.p * b.q, b.p * a.q); }
big_int floor_of(const rational &a) {
  big_int f, r;
  big_int::divide(a.p, a.q, f, r);
  if (!r.is_zero() && a.p.negative()) f = f - big_int(1);
  return f;
}
big_int ceil_of(const rational &a) {
  big_int f, r;
  big_int::divide(a.p, a.q, f, r);
  if (!r.is_zero() && !a.p.negative()) f = f + big_int(1);
  return f;
}

namespace {

// ---------------------------------------------------------------------------
// Intervals and points

// An interval of values: lower and upper ends, each possibly strict, the
// upper one possibly absent.
struct interval {
  rational lo = 0, hi = 0;
  bool lo_strict = false, hi_strict = false, has_hi = false;

  void raise(rational v, bool strict) {
    const int c = compare(v, lo);
    if (c > 0 || (c == 0 && strict)) {
      lo = v;
      lo_strict = strict;
    }
  }
  void lower(rational v, bool strict) {
    const int c = has_hi ? compare(v, hi) : -1;
    if (!has_hi || c < 0 || (c == 0 && strict)) {
      hi = v;
      hi_strict = strict;
      has_hi = true;
    }
  }
  bool holds(rational v) const {
    const int a = compare(v, lo);
    if (a < 0 || (a == 0 && lo_strict)) return false;
    if (!has_hi) return true;
    const int b = compare(v, hi);
    return b < 0 || (b == 0 && !hi_strict);
  }
  // The interval of the values v + by, v in this interval.
  interval shifted(const rational &by) const {
    interval r = *this;
    r.lo = lo + by;
    if (has_hi) r.hi = hi + by;
    return r;
  }
  bool empty() const {
    if (!has_hi) return false;
    const int c = compare(lo, hi);
    return c > 0 || (c == 0 && (lo_strict || hi_strict));
  }
  // The simplest value the interval holds: the smallest integer when there
  // is one, else the value of smallest denominator (a half, a third ...);
  // false when the interval is empty. The smallest denominator keeps room
  // for the steps around: the values of many steps within one time unit
  // grow like 1/n, not 1/2^n.
  bool pick(rational &out) const {
    if (empty()) return false;
    out = simplest(lo, lo_strict, has_hi, hi, hi_strict);
    return true;
  }

 private:
  // The simplest value of the non-empty interval (lo, hi) with those ends,
  // through the continued fraction of its ends.
  static rational simplest(const rational &lo, bool lo_strict, bool has_hi, const rational &hi, bool hi_strict) {
    big_int c = ceil_of(lo);
    if (lo_strict && c == lo.p && lo.q == big_int(1)) c = c + big_int(1);
    if (!has_hi) return rational::of(c, 1);
    const int h = compare(rational::of(c, 1), hi);
    if (h < 0 || (h == 0 && !hi_strict)) return rational::of(c, 1);
    // No integer inside: the value is f + 1 / y with f the integer below.
    const rational f = rational::of(floor_of(lo), 1);
    const bool lo_on_f = lo == f;
    const rational y = simplest(rational(1) / (hi - f), hi_strict, !lo_on_f, lo_on_f ? rational(0) : rational(1) / (lo - f),
                                lo_strict);
    return f + rational(1) / y;
  }
};

constexpr bool is_strict(int16_t b) { return (b & 1) == 0; }

// A point of the closed zone m (dim clocks) that agrees with the values
// already fixed (fixed[x] true); the other clocks are chosen in index
// order, each in the interval its bounds with the clocks chosen before
// leave. A closed zone's bounds between chosen clocks are exact, so every
// choice leaves the rest satisfiable. False when no value fits (not expected
// for a non-empty zone and consistent fixed values).
// A clock's value is chosen through the time before the end of its last
// reset, `ago` + its value, where `ago` is the time from this point to the
// end of the run (see make_run).
bool point_in(const int16_t *m, int dim, valuation &v, std::vector<bool> fixed, const rational &ago = rational(0)) {
  fixed[0] = true;
  v[0] = 0;
  for (int x = 1; x < dim; x++) {
    if (fixed[x]) continue;
    interval in;
    for (int j = 0; j < dim; j++) {
      if (!fixed[j]) continue;
      const int16_t up = m[x * dim + j], down = m[j * dim + x];  // x - j <= up, j - x <= down
      if (up != INF_BOUND) in.lower(v[j] + rational::of_bound(up), is_strict(up));
      if (down != INF_BOUND) in.raise(v[j] - rational::of_bound(down), is_strict(down));
    }
    rational t;
    if (!in.shifted(ago).pick(t)) return false;
    v[x] = t - ago;
    fixed[x] = true;
  }
  return true;
}

// 1 when v satisfies every bound of the dim x dim matrix m, whose clock k is
// global clock map(k).
template <typename Bound, typename Map>
bool satisfies(int dim, Bound bound, Map map, const valuation &v) {
  for (int i = 0; i < dim; i++)
    for (int j = 0; j < dim; j++) {
      const int16_t b = bound(i, j);
      if (i == j || b == INF_BOUND) continue;
      const int c = compare(v[map(i)] - v[map(j)], rational::of_bound(b));
      if (c > 0 || (c == 0 && is_strict(b))) return false;
    }
  return true;
}

bool in_flat(const int16_t *m, int dim, const valuation &v) {
  return satisfies(dim, [&](int i, int j) { return m[i * dim + j]; }, [](int k) { return k; }, v);
}

// ---------------------------------------------------------------------------
// The tables of one automaton, seen the same way for one graph and products

struct tables {
  int na, base;
  const std::vector<region *> *regs;
  const std::vector<int32_t> *inv;
  const std::vector<trans_rec *> *trans;
  int global(int k) const { return k == 0 ? 0 : base + k; }
};

tables tables_of(bool product, int a) {
  if (!product) return {N_OF_CLOCKS, 0, &list_reg, &inv, &trans_table};
  return {TA_N_OF_CLOCKS[a], encode_clock_index(1, a) - 1, &TA_list_reg[a], &TA_inv[a], &TA_trans_table[a]};
}

// The local clock whose old value local clock k takes under t (0: reset).
int source_clock(const trans_rec *t, int k) {
  const clock_affect *a = t->affect;
  if (a == nullptr || a->mode == 0 || k >= static_cast<int>(a->affect.size())) return k;
  const int s = a->affect[k];
  if (a->mode == 1) return s != 0 ? k : 0;
  return s;
}

// ---------------------------------------------------------------------------
// Exact zones along the witness

// One state of the witness with the pieces chosen: the set it is entered
// with and the zone it can leave from (time passed within the invariant).
// How the run ends in the last state: at a point of its zone, at the point
// the move enters it with (conditional: the goal met at once, outside the
// condition maybe), or a little after a point of its zone from which time
// enters the goal (conditional).
enum end_kind { END_IN_ZONE, END_AT_ENTRY, END_ENTERING };

struct exact_state {
  std::vector<int16_t> entry, zone;
  std::vector<int16_t> guard;  // the guard of the move into it (none for the start)
  std::vector<uint16_t> assign;
  // Conditional witnesses: the entry before the cut to the condition, the
  // invariant pieces time passes in, and for END_ENTERING the goal zone
  // that time enters. entry and zone are empty when the condition does not
  // hold at the entry (only the last state may then end at its entry).
  std::vector<int16_t> raw_entry, inv, goal;
  end_kind end = END_IN_ZONE;
};

// m ∩ b for closed flat zones; false (m unusable) when empty.
bool cut(std::vector<int16_t> &m, const std::vector<int16_t> &b, int dim) {
  for (int x = 0; x < dim; x++)
    for (int y = 0; y < dim; y++)
      if (x != y && b[x * dim + y] != INF_BOUND && !flat::constrain(m.data(), dim, x, y, b[x * dim + y])) return false;
  return true;
}

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

class builder {
 public:
  builder(const witness &w, states_region *init)
      : w_(w), init_(init), dim_(N_OF_CLOCKS), nn_(size_t(dim_) * dim_), keys_(keys_along(w)) {
    model_ = w.product ? lu::model::product(nullptr, lu::initial_mode::from_zero) : lu::model::single(nullptr);
  }

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

  int dim() const { return dim_; }

 private:
  std::vector<std::vector<int16_t>> initial_entries() {
    std::vector<std::vector<int16_t>> es;
    std::vector<int16_t> m(nn_);
    if (w_.product) {
      if (is_option(OPT_INV)) flat::set_universal(m.data(), dim_);
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
    const int n = model_.nb_automata();
    std::vector<const std::vector<lu::piece> *> lists;
    for (int a = 0; a < n; a++) lists.push_back(&model_.aut(a).inv[key[a]]);
    return combinations(lists, [&](const std::vector<int> &at) {
      s.entry = from;
      for (int a = 0; a < n; a++)
        if (!flat::constrain_all(s.entry.data(), dim_, (*lists[a])[at[a]])) return false;
      s.end = END_IN_ZONE;
      if (w_.conditional) {
        s.raw_entry = s.entry;
        s.inv.assign(nn_, 0);
        flat::set_universal(s.inv.data(), dim_);
        for (int a = 0; a < n; a++)
          if (!flat::constrain_all(s.inv.data(), dim_, (*lists[a])[at[a]])) return false;
        const std::vector<int16_t> &c = cond_at(key[0]);
        if (c.empty() || !cut(s.entry, c, dim_)) {
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
      if (w_.conditional && !cut(s.zone, cond_at(key[0]), dim_)) return false;
      return f(s);
    });
  }

  const std::vector<int16_t> &cond_at(int l) const {
    static const std::vector<int16_t> none;
    return l < static_cast<int>(w_.cond.size()) ? w_.cond[l] : none;
  }

  // Calls f on every combination of one entry per list until it returns true.
  template <typename F>
  static bool combinations(const std::vector<const std::vector<lu::piece> *> &lists, F f) {
    for (const auto *l : lists)
      if (l->empty()) return false;
    std::vector<int> idx(lists.size(), 0);
    for (;;) {
      if (f(idx)) return true;
      size_t a = 0;
      while (a < lists.size() && ++idx[a] == static_cast<int>(lists[a]->size())) idx[a++] = 0;
      if (a == lists.size()) return false;
    }
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
    const int n = model_.nb_automata();
    const std::vector<int32_t> &mv = w_.moves[i];
    const std::vector<int32_t> &key = keys_[i];
    std::vector<uint16_t> assign(dim_);
    for (int x = 0; x < dim_; x++) assign[x] = static_cast<uint16_t>(x);
    std::vector<const std::vector<lu::piece> *> lists;
    for (int a = 0; a < n; a++) {
      if (mv[a] < 0) continue;
      const tables t = tables_of(w_.product, a);
      const trans_rec *tr = (*t.trans)[mv[a]];
      if (tr->source != key[a]) return found;
      lists.push_back(&model_.aut(a).guard[mv[a]]);
      for (int k = 1; k < t.na; k++) assign[t.global(k)] = static_cast<uint16_t>(t.global(source_clock(tr, k)));
    }
    combinations(lists, [&](const std::vector<int> &at) {
      std::vector<int16_t> g(nn_), moved(nn_);
      flat::set_universal(g.data(), dim_);
      for (size_t p = 0; p < lists.size(); p++)
        if (!flat::constrain_all(g.data(), dim_, (*lists[p])[at[p]])) return false;
      std::vector<int16_t> cut = from.zone;
      for (int x = 0; x < dim_; x++)
        for (int y = 0; y < dim_; y++)
          if (x != y && g[x * dim_ + y] != INF_BOUND && !flat::constrain(cut.data(), dim_, x, y, g[x * dim_ + y]))
            return false;
      flat::assign(moved.data(), cut.data(), dim_, assign.data());
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
      if (cut(m, t, dim_)) {
        s.zone = m;
        s.end = END_AT_ENTRY;
        return true;
      }
    }
    if (s.entry.empty()) return false;
    std::vector<int16_t> border = s.inv;
    if (!cut(border, cond_at(keys_.back()[0]), dim_) || !upper_closure(border, dim_)) return false;
    for (const auto &t : w_.target) {
      std::vector<int16_t> m = s.entry;
      flat::up(m.data(), dim_);
      if (cut(m, s.inv, dim_) && cut(m, border, dim_) && cut(m, t, dim_)) {
        s.zone = m;
        s.end = END_IN_ZONE;
        return true;
      }
    }
    for (const auto &t : w_.target) {
      std::vector<int16_t> g = s.inv;
      if (!cut(g, t, dim_)) continue;
      std::vector<int16_t> into = g, m = s.zone;
      if (entering(into, dim_) && cut(m, into, dim_)) {
        s.zone = m;
        s.goal = g;
        s.end = END_ENTERING;
        return true;
      }
    }
    return false;
  }

  bool meet_target(exact_state &s) {
    if (w_.conditional) return meet_goal(s);
    if (w_.target.empty()) return true;
    for (const auto &t : w_.target) {
      std::vector<int16_t> z = s.zone;
      bool ok = true;
      for (int x = 0; x < dim_ && ok; x++)
        for (int y = 0; y < dim_ && ok; y++)
          if (x != y && t[x * dim_ + y] != INF_BOUND) ok = flat::constrain(z.data(), dim_, x, y, t[x * dim_ + y]);
      if (ok) {
        s.zone = z;
        return true;
      }
    }
    return false;
  }

 private:
  // The locations before each move and after the last one.
  static std::vector<std::vector<int32_t>> keys_along(const witness &w) {
    std::vector<std::vector<int32_t>> keys{w.start};
    for (const std::vector<int32_t> &mv : w.moves) {
      keys.push_back(keys.back());
      for (size_t a = 0; a < mv.size() && a < keys.back().size(); a++)
        if (mv[a] >= 0) keys.back()[a] = (*tables_of(w.product, static_cast<int>(a)).trans)[mv[a]]->target;
    }
    return keys;
  }

  const witness &w_;
  states_region *init_;
  int dim_;
  size_t nn_;
  lu::model model_;
  std::vector<std::vector<int32_t>> keys_;
};

// The delays d >= 0 with v - d in the closed zone e (diagonal bounds do not
// change with time: v satisfies them when v is in e after time passing).
interval delays_back(const int16_t *e, int dim, const valuation &v) {
  interval d;
  for (int x = 1; x < dim; x++) {
    const int16_t up = e[x * dim], down = e[x];  // x <= up, -x <= down
    if (up != INF_BOUND) d.raise(v[x] - rational::of_bound(up), is_strict(up));
    if (down != INF_BOUND) d.lower(v[x] + rational::of_bound(down), is_strict(down));
  }
  return d;
}

// The delays d > 0 with v + d in the closed zone g (v is in g's entering
// set: its diagonal bounds hold).
interval delays_into(const int16_t *g, int dim, const valuation &v) {
  interval d;
  d.raise(0, true);
  for (int x = 1; x < dim; x++) {
    const int16_t up = g[x * dim], down = g[x];  // x <= up, -x <= down
    if (up != INF_BOUND) d.lower(rational::of_bound(up) - v[x], is_strict(up));
    if (down != INF_BOUND) d.raise(rational(0) - rational::of_bound(down) - v[x], is_strict(down));
  }
  return d;
}

valuation shifted(const valuation &v, rational d) {
  valuation r = v;
  for (size_t x = 1; x < r.size(); x++) r[x] = r[x] - d;
  return r;
}

}  // namespace

bool make_run(const witness &w, states_region *init_table, concrete_run &out, std::string &why) {
  try {
    builder b(w, init_table);
    std::vector<exact_state> states;
    if (!b.forward(states)) {
      why = "the path cannot be followed in the model";
      return false;
    }
    const int dim = b.dim();
    const size_t n = w.moves.size();
    out = concrete_run{};
    out.start = w.start;
    out.steps.resize(n);
    // v: the valuation when state i is left (or at the end).
    valuation v(dim);
    if (!point_in(states[n].zone.data(), dim, v, std::vector<bool>(dim, false))) {
      why = "no point in the last zone";
      return false;
    }
    out.end = v;
    rational extra = 0;  // the time after v that enters the goal
    if (states[n].end == END_ENTERING) {
      if (!delays_into(states[n].goal.data(), dim, v).pick(extra)) {
        why = "no delay into the goal";
        return false;
      }
      for (int x = 1; x < dim; x++) out.end[x] = v[x] + extra;
    }
    // The delays are chosen through the time they leave before the end
    // (`before_end`, the simplest value its interval allows), not on their
    // own: the simplest delays can shrink the room of the earlier steps
    // doubly exponentially (1/3, 1/7, 1/43 ...), the times before the end
    // stay simple (1/3, 2/5, 3/7 ...) over hundreds of steps within one unit.
    rational before_end = 0;
    for (size_t i = n + 1; i-- > 0;) {
      rational d;
      if (i == n && states[n].end == END_AT_ENTRY) d = 0;
      else if (!delays_back(states[i].entry.data(), dim, v).shifted(before_end).pick(d)) {
        why = "no delay back into the entry set";
        return false;
      } else {
        d = d - before_end;
      }
      before_end = before_end + d;
      if (i == n) out.last_delay = d + extra;
      else out.steps[i].delay = d;
      const valuation entered = shifted(v, d);
      if (i == 0) {
        out.initial = entered;
        break;
      }
      // A predecessor: every clock that some clock takes the value of is
      // fixed by it; the others are free inside the previous zone and guard.
      const exact_state &s = states[i];
      std::vector<int16_t> before = states[i - 1].zone;
      for (int x = 0; x < dim; x++)
        for (int y = 0; y < dim; y++)
          if (x != y && s.guard[x * dim + y] != INF_BOUND && !flat::constrain(before.data(), dim, x, y, s.guard[x * dim + y])) {
            why = "empty guard";
            return false;
          }
      valuation u(dim);
      std::vector<bool> fixed(dim, false);
      for (int x = 1; x < dim; x++)
        if (s.assign[x] != 0) {
          u[s.assign[x]] = entered[x];
          fixed[s.assign[x]] = true;
        }
      if (!point_in(before.data(), dim, u, fixed, before_end) || !in_flat(before.data(), dim, u)) {
        why = "no predecessor through the move";
        return false;
      }
      out.steps[i - 1].move = w.moves[i - 1];
      out.steps[i - 1].before = u;
      out.steps[i - 1].after = entered;
      v = u;
    }
    return true;
  } catch (const std::domain_error &) {
    why = "internal error: division by zero";
    return false;
  }
}

// ---------------------------------------------------------------------------
// Replay

namespace {

// The zone of r that holds v (all of its bounds), or -1.
int zone_holding(const region *r, const tables &t, const valuation &v) {
  if (r == nullptr || is_empty_region(r)) return -1;
  for (int p = 0; p < r->count; p++) {
    const zone *z = r->zones[p];
    if (z == nullptr || is_empty_zone(z)) continue;
    if (satisfies(t.na, [&](int i, int j) { return z->bounds[i][j]; }, [&](int k) { return t.global(k); }, v)) return p;
  }
  return -1;
}

// The times t at which v + t lies in a zone: an interval, each end possibly
// strict or absent; `none` when no t does (a diagonal bound fails).
struct span {
  bool none = false, has_lo = false, has_hi = false, lo_strict = false, hi_strict = false;
  rational lo = 0, hi = 0;
};

// The span of v in the zone whose bound (i, j) is bound(i, j), over dim
// clocks that map to the global clocks.
template <typename Bound, typename Map>
span span_of(int dim, Bound bound, Map map, const valuation &v) {
  span r;
  for (int i = 0; i < dim; i++)
    for (int j = 0; j < dim; j++) {
      const int16_t b = bound(i, j);
      if (i == j || b == INF_BOUND) continue;
      const rational c = rational::of_bound(b);
      const bool strict = is_strict(b);
      if (i != 0 && j != 0) {  // constant while time passes
        const int k = compare(v[map(i)] - v[map(j)], c);
        if (k > 0 || (k == 0 && strict)) r.none = true;
      } else if (j == 0) {  // v_i + t <= c
        const rational h = c - v[map(i)];
        const int k = r.has_hi ? compare(h, r.hi) : -1;
        if (!r.has_hi || k < 0 || (k == 0 && strict)) r.hi = h, r.hi_strict = strict, r.has_hi = true;
      } else {  // -(v_j + t) <= c
        const rational l = rational(0) - c - v[map(j)];
        const int k = r.has_lo ? compare(l, r.lo) : 1;
        if (!r.has_lo || k > 0 || (k == 0 && strict)) r.lo = l, r.lo_strict = strict, r.has_lo = true;
      }
    }
  return r;
}

// 1 when the spans together hold every t of [0, d] (of [0, d) when open).
bool covered(const std::vector<span> &spans, rational d, bool open) {
  // Every t below `at` is held; `at` itself too when at_held.
  rational at = 0;
  bool at_held = false;
  for (;;) {
    const int k = compare(at, d);
    if (k > 0 || (k == 0 && (at_held || open))) return true;
    bool moved = false, unbounded = false;
    rational best = at;
    bool best_held = at_held;
    for (const span &s : spans) {
      if (s.none) continue;
      if (s.has_hi && (compare(s.hi, at) < 0 || (compare(s.hi, at) == 0 && (s.hi_strict || at_held)))) continue;
      if (s.has_lo) {
        const int c = compare(s.lo, at);
        // at must be held by s, or only the times just after it.
        if (c > 0 || (c == 0 && s.lo_strict && !at_held)) continue;
      }
      if (!s.has_hi) {
        unbounded = true;
        break;
      }
      const int c = compare(s.hi, best);
      if (c > 0 || (c == 0 && !s.hi_strict && !best_held)) {
        best = s.hi;
        best_held = !s.hi_strict;
        moved = true;
      }
    }
    if (unbounded) return true;
    if (!moved) return false;
    at = best;
    at_held = best_held;
  }
}

// The spans of v in the zones of r (automaton tables t).
std::vector<span> spans_in(const region *r, const tables &t, const valuation &v) {
  std::vector<span> out;
  if (r == nullptr || is_empty_region(r)) return out;
  for (int p = 0; p < r->count; p++) {
    const zone *z = r->zones[p];
    if (z == nullptr || is_empty_zone(z)) continue;
    out.push_back(span_of(t.na, [&](int i, int j) { return z->bounds[i][j]; }, [&](int k) { return t.global(k); }, v));
  }
  return out;
}

span span_in_flat(const std::vector<int16_t> &m, const valuation &v) {
  const int dim = N_OF_CLOCKS;
  return span_of(dim, [&](int i, int j) { return m[i * dim + j]; }, [](int k) { return k; }, v);
}

std::string at(size_t i) { return "step " + std::to_string(i + 1) + ": "; }

}  // namespace

std::string replay(const witness &w, const concrete_run &r, states_region *init_table) {
  try {
    const int n = static_cast<int>(w.start.size());
    std::vector<int32_t> key = r.start;
    if (key != w.start) return "start locations differ";
    valuation v = r.initial;
    if (static_cast<int>(v.size()) != N_OF_CLOCKS || !(v[0] == rational(0))) return "bad initial valuation";
    for (int x = 1; x < N_OF_CLOCKS; x++) {
      if (v[x] < rational(0)) return "negative initial clock";
      if (w.product && !is_option(OPT_INV) && !(v[x] == rational(0))) return "initial clock not 0";
    }
    if (!w.product) {
      const int l = key[0];
      if (init_table == nullptr || l >= init_table->count ||
          zone_holding(init_table->regs[l], tables_of(false, 0), v) < 0)
        return "initial valuation not initial";
    }
    // Time passes: every moment within the invariants; under a condition,
    // every moment within it, but for the last delay, whose moments before
    // its end may lie in the goal instead.
    auto let_time_pass = [&](rational d, const std::string &where, bool last) -> std::string {
      if (d < rational(0)) return where + "negative delay";
      for (int a = 0; a < n; a++) {
        const tables t = tables_of(w.product, a);
        if (!covered(spans_in((*t.regs)[(*t.inv)[key[a]]], t, v), d, false))
          return where + "invariant broken while time passes";
      }
      if (w.conditional) {
        std::vector<span> in;
        if (static_cast<size_t>(key[0]) < w.cond.size() && !w.cond[key[0]].empty()) in.push_back(span_in_flat(w.cond[key[0]], v));
        if (last)
          for (const auto &g : w.target) in.push_back(span_in_flat(g, v));
        if (!covered(in, d, last)) return where + "condition broken while time passes";
      }
      for (int x = 1; x < N_OF_CLOCKS; x++) v[x] = v[x] + d;
      return "";
    };
    if (r.steps.size() != w.moves.size()) return "wrong number of steps";
    for (size_t i = 0; i < r.steps.size(); i++) {
      const step &s = r.steps[i];
      std::string e = let_time_pass(s.delay, at(i), false);
      if (!e.empty()) return e;
      if (v != s.before) return at(i) + "valuation before the move differs";
      if (s.move != w.moves[i]) return at(i) + "move differs";
      valuation next = v;
      for (int a = 0; a < n; a++) {
        if (s.move[a] < 0) continue;
        const tables t = tables_of(w.product, a);
        if (s.move[a] >= static_cast<int>(t.trans->size())) return at(i) + "no such transition";
        const trans_rec *tr = (*t.trans)[s.move[a]];
        if (tr->source != key[a]) return at(i) + "transition does not leave the location";
        if (zone_holding((*t.regs)[tr->guard], t, v) < 0) return at(i) + "guard false";
        for (int k = 1; k < t.na; k++) {
          const int from = source_clock(tr, k);
          next[t.global(k)] = from == 0 ? rational(0) : v[t.global(from)];
        }
        key[a] = tr->target;
      }
      v = next;
      if (v != s.after) return at(i) + "valuation after the move differs";
      for (int a = 0; a < n; a++) {
        const tables t = tables_of(w.product, a);
        if (zone_holding((*t.regs)[(*t.inv)[key[a]]], t, v) < 0) return at(i) + "target invariant false";
      }
    }
    std::string e = let_time_pass(r.last_delay, "end: ", true);
    if (!e.empty()) return e;
    if (v != r.end) return "end valuation differs";
    if (!w.target.empty()) {
      bool in = false;
      for (const auto &t : w.target) in = in || in_flat(t.data(), N_OF_CLOCKS, v);
      if (!in) return "end valuation outside the goal";
    }
    return "";
  } catch (const std::domain_error &) {
    return "division by zero";
  }
}

// ---------------------------------------------------------------------------
// Text

namespace {

const char *clock_name(int g) { return clocks_names[g]; }

// The clocks that the run shows: the model's, without formula clocks.
int shown_clocks() { return N_OF_CLOCKS - N_OF_EXTRA_CLOCKS; }

void print_valuation(FILE *f, const valuation &v) {
  for (int x = 1; x < shown_clocks(); x++) fprintf(f, " %s=%s", clock_name(x), v[x].text().c_str());
}

void print_locations(FILE *f, const witness &w, const std::vector<int32_t> &key) {
  if (!w.product) {
    fprintf(f, "location %d (", key[0]);
    const char *sep = "";
    for (int32_t p : states_props[key[0]]) {
      fprintf(f, "%s%s", sep, prop_tab[p]->name.c_str());
      sep = " ";
    }
    fputs(")", f);
    return;
  }
  fputs("locations (", f);
  for (size_t a = 0; a < key.size(); a++) fprintf(f, a == 0 ? " %d" : ", %d", key[a]);
  fputs(" ) (", f);
  const char *sep = "";
  for (size_t a = 0; a < key.size(); a++)
    for (int32_t p : TA_states_props[a][key[a]]) {
      fprintf(f, "%s%s", sep, TA_prop_tab[a][p]->name.c_str());
      sep = " ";
    }
  fputs(")", f);
}

void print_move(FILE *f, const witness &w, const std::vector<int32_t> &from, const std::vector<int32_t> &mv,
                const std::vector<int32_t> &to) {
  fputs("transition ", f);
  if (!w.product) {
    fprintf(f, "%d -> ", from[0]);
    print_locations(f, w, to);
  } else {
    fputs("(", f);
    for (size_t a = 0; a < from.size(); a++) fprintf(f, a == 0 ? " %d" : ", %d", from[a]);
    fputs(" ) -> ", f);
    print_locations(f, w, to);
    fputs(" moving", f);
    for (size_t a = 0; a < mv.size(); a++)
      if (mv[a] >= 0) fprintf(f, " %zu", a);
  }
  // A synchronised label shows once, however many automata take it.
  fputs(" labels", f);
  std::vector<std::string> shown;
  for (size_t a = 0; a < mv.size(); a++) {
    if (mv[a] < 0) continue;
    const std::vector<int32_t> &labs = w.product ? TA_trans_labels[a][mv[a]] : trans_labels[mv[a]];
    for (int32_t l : labs) {
      const std::string &name = (w.product ? TA_label_tab[a][l] : label_tab[l])->name;
      if (std::find(shown.begin(), shown.end(), name) != shown.end()) continue;
      fprintf(f, " %s", name.c_str());
      shown.push_back(name);
    }
  }
  if (shown.empty()) fputs(" -", f);
  bool any = false;
  fputs(" ;", f);
  for (size_t a = 0; a < mv.size(); a++) {
    if (mv[a] < 0) continue;
    const tables t = tables_of(w.product, static_cast<int>(a));
    const trans_rec *tr = (*t.trans)[mv[a]];
    for (int k = 1; k < t.na; k++) {
      const int s = source_clock(tr, k);
      if (s == k || t.global(k) >= shown_clocks()) continue;
      fprintf(f, " %s:=%s", clock_name(t.global(k)), s == 0 ? "0" : clock_name(t.global(s)));
      any = true;
    }
  }
  if (!any) fputs(" -", f);
}

}  // namespace

void print_run_locations(FILE *f, const witness &w, const std::vector<int32_t> &key) { print_locations(f, w, key); }
void print_run_valuation(FILE *f, const valuation &v) { print_valuation(f, v); }
void print_run_move(FILE *f, const witness &w, const std::vector<int32_t> &from, const std::vector<int32_t> &mv,
                    const std::vector<int32_t> &to) {
  print_move(f, w, from, mv, to);
}
int32_t move_target(const witness &w, int a, int32_t t) { return (*tables_of(w.product, a).trans)[t]->target; }

void write_run(FILE *f, const witness &w, const concrete_run &r, int number) {
  fprintf(f, "run #%d: %zu transitions\n", number, r.steps.size());
  std::vector<int32_t> key = r.start;
  fputs("initial: ", f);
  print_locations(f, w, key);
  fputs(" ", f);
  print_valuation(f, r.initial);
  fputs("\n", f);
  for (const step &s : r.steps) {
    fprintf(f, "delay %s ->", s.delay.text().c_str());
    print_valuation(f, s.before);
    fputs("\n", f);
    std::vector<int32_t> to = key;
    for (size_t a = 0; a < to.size(); a++)
      if (s.move[a] >= 0) to[a] = (*tables_of(w.product, static_cast<int>(a)).trans)[s.move[a]]->target;
    print_move(f, w, key, s.move, to);
    fputs(" ->", f);
    print_valuation(f, s.after);
    fputs("\n", f);
    key = to;
  }
  fprintf(f, "delay %s ->", r.last_delay.text().c_str());
  print_valuation(f, r.end);
  fputs("\n", f);
}

}  // namespace run

// ---------------------------------------------------------------------------
// Entry points

namespace {

states_region *noted_initial = nullptr;
// The conditional search running, if any: its condition zones and goal.
bool noted_conditional = false;
std::vector<std::vector<int16_t>> noted_cond;
states_region *noted_goal = nullptr;
// No run of the search going on has been written yet: the next one starts
// _run.reach afresh (and draws _run.dot), whatever its number, so that a
// first witness without a run never leaves an earlier command's run there.
bool run_file_fresh = true;

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

}  // namespace

void run_note_initial(states_region *init) {
  run_file_fresh = true;
  noted_initial = init;
  noted_conditional = false;
  noted_cond.clear();
  noted_goal = nullptr;
}

void run_note_condition(const std::vector<zone *> &cond, states_region *goal) {
  noted_conditional = true;
  noted_cond.clear();
  for (zone *c : cond) noted_cond.push_back(flat_of(c));
  noted_goal = goal;
}

void run_write_witness(run::witness w, states_region *init_table, int number) {
  FILE *say = w.product ? stderr : stdout;
  if (number <= 1) run_file_fresh = true;
  if (!w.product) load_props_labels();
  run::concrete_run r;
  std::string why;
  if (!run::make_run(w, init_table, r, why)) {
    fprintf(say, "%s: no concrete run for this witness (%s)\n", tool, why.c_str());
    return;
  }
  const std::string bad = run::replay(w, r, init_table);
  if (!bad.empty()) {
    fprintf(stderr, "%s: internal error: the concrete run fails its replay (%s)\n", tool, bad.c_str());
    exit(3);
  }
  const std::string name = result_path("_run.reach");
  const bool first = run_file_fresh;
  FILE *f = open_output(name.c_str(), first ? "w" : "a");
  if (f == nullptr) {
    fprintf(stderr, "%s: cannot open file %s\n", tool, name.c_str());
    exit(1);
  }
  if (!first) fputs("\n", f);
  run::write_run(f, w, r, number < 1 ? 1 : number);
  close_output(f);
  run_file_fresh = false;
  fprintf(say, "%s: file %s dumped\n", tool, name.c_str());
  if (is_option(OPT_DOT) && first) dot_write_run("_run.dot", w, r);
}

void run_write_one_tg(const std::vector<int> &locations, const std::vector<int> &transitions, zone *z, int number) {
  run::witness w;
  w.start = {locations.front()};
  for (int t : transitions) w.moves.push_back({t});
  if (noted_conditional) {
    // The run must reach the goal itself, not only the zone of the state
    // the search stopped at.
    w.conditional = true;
    w.cond = noted_cond;
    const int l = locations.back();
    region *g = noted_goal != nullptr && l < noted_goal->count ? noted_goal->regs[l] : nullptr;
    for (int k = 0; g != nullptr && !is_empty_region(g) && k < g->count; k++) {
      std::vector<int16_t> m = flat_of(g->zones[k]);
      if (!m.empty()) w.target.push_back(std::move(m));
    }
    if (w.target.empty()) {
      printf("%s: no concrete run for this witness (the goal is empty at its last location)\n", tool);
      return;
    }
  } else {
    std::vector<int16_t> m = flat_of(z);
    if (!m.empty()) w.target.push_back(std::move(m));
  }
  run_write_witness(std::move(w), noted_initial, number);
}

void run_write_product(const std::vector<std::vector<int32_t>> &locations,
                       const std::vector<std::vector<int32_t>> &moves, int number) {
  run::witness w;
  w.product = true;
  w.start = locations.front();
  w.moves = moves;
  run_write_witness(std::move(w), nullptr, number);
}
