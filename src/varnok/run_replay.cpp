// The replay of concrete runs.

#include "varnok/run_replay.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "common/region/region.h"
#include "common/tg/tg_global.h"
#include "common/zone/zone.h"
#include "varnok/states_reg.h"

namespace run {

namespace {

// The zone of r that holds v (all of its bounds), or -1.
int zone_holding(const region *r, const lu::automaton &t, const valuation &v) {
  if (r == nullptr || is_empty_region(r)) return -1;
  for (int p = 0; p < r->count; p++) {
    const zone *z = r->zones[p];
    if (z == nullptr || is_empty_zone(z)) continue;
    if (satisfies(t.dim, [&](int i, int j) { return z->bounds[i][j]; }, [&](int k) { return t.global(k); }, v)) return p;
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
std::vector<span> spans_in(const region *r, const lu::automaton &t, const valuation &v) {
  std::vector<span> out;
  if (r == nullptr || is_empty_region(r)) return out;
  for (int p = 0; p < r->count; p++) {
    const zone *z = r->zones[p];
    if (z == nullptr || is_empty_zone(z)) continue;
    out.push_back(span_of(t.dim, [&](int i, int j) { return z->bounds[i][j]; }, [&](int k) { return t.global(k); }, v));
  }
  return out;
}

span span_in_flat(const std::vector<int16_t> &m, const valuation &v) {
  const int dim = N_OF_CLOCKS;
  return span_of(dim, [&](int i, int j) { return m[i * dim + j]; }, [](int k) { return k; }, v);
}

std::string at(size_t i) { return "step " + std::to_string(i + 1) + ": "; }

}  // namespace

std::string replay(const lu::tables_view &view, const witness &w, const origin &o, const concrete_run &r) {
  states_region *init_table = o.init;
  try {
    const int n = static_cast<int>(w.start.size());
    std::vector<int32_t> key = r.start;
    if (key != w.start) return "start locations differ";
    valuation v = r.initial;
    if (static_cast<int>(v.size()) != N_OF_CLOCKS || !(v[0] == rational(0))) return "bad initial valuation";
    for (int x = 1; x < N_OF_CLOCKS; x++) {
      if (v[x] < rational(0)) return "negative initial clock";
      if (w.product && !o.anywhere && !(v[x] == rational(0))) return "initial clock not 0";
    }
    if (!w.product) {
      const int l = key[0];
      if (init_table == nullptr || l >= init_table->count ||
          zone_holding(init_table->regs[l], view.aut(0), v) < 0)
        return "initial valuation not initial";
    }
    // Time passes: every moment within the invariants; under a condition,
    // every moment within it, but for the last delay, whose moments before
    // its end may lie in the goal instead.
    auto let_time_pass = [&](rational d, const std::string &where, bool last) -> std::string {
      if (d < rational(0)) return where + "negative delay";
      for (int a = 0; a < n; a++) {
        const lu::automaton &t = view.aut(a);
        if (!covered(spans_in(t.invariant_region(key[a]), t, v), d, false))
          return where + "invariant broken while time passes";
      }
      if (o.conditional) {
        std::vector<span> in;
        if (static_cast<size_t>(key[0]) < o.cond.size() && !o.cond[key[0]].empty()) in.push_back(span_in_flat(o.cond[key[0]], v));
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
        const lu::automaton &t = view.aut(a);
        if (s.move[a] >= t.nb_transitions) return at(i) + "no such transition";
        const trans_rec *tr = t.transition(s.move[a]);
        if (t.source(s.move[a]) != key[a]) return at(i) + "transition does not leave the location";
        if (zone_holding(t.guard_region(s.move[a]), t, v) < 0) return at(i) + "guard false";
        for (int k = 1; k < t.dim; k++) {
          const int from = lu::source_clock(tr, k);
          next[t.global(k)] = from == 0 ? rational(0) : v[t.global(from)];
        }
        key[a] = t.target(s.move[a]);
      }
      v = next;
      if (v != s.after) return at(i) + "valuation after the move differs";
      for (int a = 0; a < n; a++) {
        const lu::automaton &t = view.aut(a);
        if (zone_holding(t.invariant_region(key[a]), t, v) < 0) return at(i) + "target invariant false";
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

std::string replay(const witness &w, const origin &o, const concrete_run &r) {
  return replay(lu::tables_view::of(w.product), w, o, r);
}

}  // namespace run
