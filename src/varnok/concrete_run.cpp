// Concrete timed runs of the search witnesses.

#include "varnok/concrete_run.h"

#include <stdexcept>
#include <vector>

#include "common/tg/tg_global.h"
#include "common/zone/zone.h"
#include "varnok/flat_zone.h"

namespace run {

namespace {

// The value of a clock in the interval `in`, the clocks with fixed[j] set
// having their values v[j]: the smallest value with the fractional part of
// a clock already chosen off the integers (the time between two moments
// where they read the same fraction is then whole: the delays of the run
// become integers where they can), else as interval::pick_readable.
bool pick_value(const interval &in, const valuation &v, const std::vector<bool> &fixed, const rational &ago,
                rational &out) {
  for (size_t j = 1; j < v.size(); j++) {
    if (!fixed[j] || v[j].q == big_int(1)) continue;
    rational k;
    if (in.shifted(rational(0) - v[j]).pick(k) && k.q == big_int(1)) {
      out = v[j] + k;
      return true;
    }
  }
  return in.pick_readable(ago, out);
}

// A point of the closed zone m (dim clocks) that agrees with the values
// already fixed (fixed[x] true); the other clocks are chosen in index
// order, each in the interval its bounds with the clocks chosen before
// leave. A closed zone's bounds between chosen clocks are exact, so every
// choice leaves the rest satisfiable. False when no value fits (not expected
// for a non-empty zone and consistent fixed values).
// A clock's value is an integer or a half where the zone allows, else it is
// chosen through the time before the end of its last reset, `ago` + its
// value, where `ago` is the time from this point to the end of the run (see
// interval::pick_readable).
bool point_in(const int16_t *m, int dim, valuation &v, std::vector<bool> fixed, const rational &ago) {
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
    if (!pick_value(in, v, fixed, ago, v[x])) return false;
    fixed[x] = true;
  }
  return true;
}

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

bool pick_run(const std::vector<exact_state> &states, int dim, const std::vector<std::vector<int32_t>> &moves,
              concrete_run &out, std::string &why, const valuation &end, const std::vector<bool> &end_fixed) {
  try {
    const size_t n = moves.size();
    out = concrete_run{};
    out.steps.resize(n);
    // v: the valuation when state i is left (or at the end).
    valuation v(dim);
    std::vector<bool> fixed(dim, false);
    for (int x = 1; x < dim && !end_fixed.empty(); x++)
      if (end_fixed[x]) {
        v[x] = end[x];
        fixed[x] = true;
      }
    if (!point_in(states[n].zone.data(), dim, v, fixed, rational(0)) || !in_flat(states[n].zone.data(), dim, v)) {
      why = end_fixed.empty() ? "no point in the last zone" : "the end asked for is not in the last zone";
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
    // A delay is the smallest integer its interval holds, else the smallest
    // half, else it is chosen through the time it leaves before the end
    // (`before_end`, the simplest value its interval allows), not on its
    // own: the simplest delays can shrink the room of the earlier steps
    // doubly exponentially (1/3, 1/7, 1/43 ...), the times before the end
    // stay simple (1/3, 2/5, 3/7 ...) over hundreds of steps within one unit.
    rational before_end = 0;
    for (size_t i = n + 1; i-- > 0;) {
      rational d;
      if (i == n && states[n].end == END_AT_ENTRY) d = 0;
      else if (!delays_back(states[i].entry.data(), dim, v).pick_readable(before_end, d)) {
        why = "no delay back into the entry set";
        return false;
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
      if (!flat::cut(before.data(), s.guard.data(), dim)) {
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
      out.steps[i - 1].move = moves[i - 1];
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

namespace {

// make_run, the end valuation taking the values of `end` at the clocks
// with end_fixed set (none when end_fixed is empty).
bool make_run_ending(const lu::tables_view &view, const witness &w, const origin &o, const valuation &end,
                     const std::vector<bool> &end_fixed, concrete_run &out, std::string &why) {
  std::vector<exact_state> states;
  try {
    if (!exact_states(view, w, o, states)) {
      why = "the path cannot be followed in the model";
      return false;
    }
  } catch (const std::domain_error &) {
    why = "internal error: division by zero";
    return false;
  }
  if (!pick_run(states, N_OF_CLOCKS, w.moves, out, why, end, end_fixed)) return false;
  out.start = w.start;
  return true;
}

}  // namespace

bool make_run(const lu::tables_view &view, const witness &w, const origin &o, concrete_run &out, std::string &why) {
  return make_run_ending(view, w, o, valuation{}, {}, out, why);
}

bool make_run_to(const lu::tables_view &view, const witness &w, const origin &o, const valuation &end,
                 const std::vector<bool> &fixed, concrete_run &out, std::string &why) {
  return make_run_ending(view, w, o, end, fixed, out, why);
}

bool make_run(const witness &w, const origin &o, concrete_run &out, std::string &why) {
  return make_run(lu::tables_view::of(w.product), w, o, out, why);
}

}  // namespace run
