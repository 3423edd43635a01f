// Cross-check of clock resets in the backward evaluator against integer-time
// exploration on random small graphs. Resets are put over every kind of
// atom: strict, non-strict, equalities, differences, the constant first,
// atoms that no valuation meets. A reset x.(A) asks for A with x at 0, so
// over a difference with x it leaves a constraint on one clock. The graphs
// have closed constraints only; a set of states given by the locations and
// one constraint on one clock, strict or not, is reached in dense time from
// a state with integer clock values if and only if it is reached with
// integer delays (rounding the times of a run down or up, as the one
// constraint needs, keeps the run and the target). Values above the largest
// constant are all alike, so clock values are capped.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "eval_test_util.h"
#include "random_graph_util.h"

namespace {

using namespace random_graphs;

class EvalResetRandom : public eval_test::Scratch {};

// Clock values x0, x1, capped at kCap.
using Clocks = std::array<int, 2>;
const char *const kNames[2] = {"x0", "x1"};

int code2(int l, const Clocks &v) { return code(l, v.data()); }

// An atom: the clock `c` minus the clock `o` (none when o < 0) compared
// with k, written in one of the forms of the formula language: term rel k,
// k rel term, c rel o + k, c rel o (k = 0).
struct Atom {
  int c, o, rel, k, form;  // rel: 0 <, 1 <=, 2 =, 3 >=, 4 >

  bool holds(const Clocks &v) const {
    const int t = v[c] - (o < 0 ? 0 : v[o]);
    // "k rel term" compares the other way round.
    const int l = form == 1 ? k : t, r = form == 1 ? t : k;
    switch (rel) {
      case 0: return l < r;
      case 1: return l <= r;
      case 2: return l == r;
      case 3: return l >= r;
      default: return l > r;
    }
  }

  std::string text() const {
    static const char *const rels[] = {"<", "<=", "=", ">=", ">"};
    const std::string x = kNames[c], r = rels[rel], ks = std::to_string(k);
    if (o < 0) return form == 1 ? ks + " " + r + " " + x : x + " " + r + " " + ks;
    const std::string y = kNames[o];
    switch (form) {
      case 1: return ks + " " + r + " " + x + " - " + y;
      case 2: return x + " " + r + " " + y + " + " + ks;
      case 3: return x + " " + r + " " + y;
      default: return x + " - " + y + " " + r + " " + ks;
    }
  }
};

// A random atom on clock c, compared alone or, when `diff`, as a difference
// with the other clock (either way round). Constants 0..kMax, so that
// x < 0, x > 3 and the like come up.
Atom random_atom(std::mt19937 &rng, int c, bool diff) {
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  Atom a{c, -1, pick(5), pick(kMax + 1), pick(2)};
  if (!diff) return a;
  a.o = 1 - c;
  if (pick(2)) std::swap(a.c, a.o);
  a.form = pick(4);
  if (a.form == 3) a.k = 0;
  return a;
}

// The states from which integer delays and transitions reach a state where
// `target` holds (all of them meeting the invariants).
std::vector<bool> can_reach(const Graph &g, const std::function<bool(int, const Clocks &)> &target) {
  std::vector<std::vector<int>> pred(kStates);
  std::vector<bool> seen(kStates, false);
  std::vector<int> work;
  for (int s = 0; s < kStates; s++) {
    const int l = s / ((kCap + 1) * (kCap + 1));
    const Clocks v{s / (kCap + 1) % (kCap + 1), s % (kCap + 1)};
    if (!g.inv_holds(l, v.data())) continue;
    if (target(l, v)) {
      seen[s] = true;
      work.push_back(s);
    }
    for (const Edge &e : g.edges) {
      if (e.source != l) continue;
      bool ok = true;
      for (int k = 0; k < 2; k++) ok = ok && v[k] >= e.lo[k] && (e.hi[k] < 0 || v[k] <= e.hi[k]);
      const Clocks w{e.reset[0] ? 0 : v[0], e.reset[1] ? 0 : v[1]};
      if (ok && g.inv_holds(e.target, w.data())) pred[code2(e.target, w)].push_back(s);
    }
    Clocks w = v;
    for (int &x : w) x = x < kCap ? x + 1 : kCap;
    if (g.inv_holds(l, w.data())) pred[code2(l, w)].push_back(s);
  }
  while (!work.empty()) {
    const int s = work.back();
    work.pop_back();
    for (int p : pred[s])
      if (!seen[p]) {
        seen[p] = true;
        work.push_back(p);
      }
  }
  return seen;
}

// Compares Sat(formula) with `expected` at every integer state that the
// invariants allow.
void compare(const Graph &g, const std::string &formula, const std::function<bool(int, const Clocks &)> &expected,
             int seed) {
  states_region *r = eval_test::eval(g.text(), formula);
  for (int l = 0; l < kLocs; l++)
    for (int a = 0; a <= kCap; a++)
      for (int b = 0; b <= kCap; b++) {
        const Clocks v{a, b};
        if (!g.inv_holds(l, v.data())) continue;
        EXPECT_EQ(eval_test::holds(r, l, {double(a), double(b)}), expected(l, v))
            << formula << " at location " << l << " x0=" << a << " x1=" << b << " (seed " << seed << ")\n"
            << g.text();
      }
  free_states_region(r);
}

Clocks reset(Clocks v, int x) {
  v[x] = 0;
  return v;
}

TEST_F(EvalResetRandom, ResetsOverAtomsMatchIntegerTime) {
  for (int seed = 1; seed <= 30 && !HasFailure(); seed++) {
    std::mt19937 rng(static_cast<unsigned>(seed) * 7919u);
    const Graph g = random_graph(rng, 4);
    for (int round = 0; round < 3; round++) {
      // The atom under the reset: on the reset clock x, alone or against
      // another clock; with x at 0 it constrains one clock at most.
      const int x = static_cast<int>(rng() % 2);
      const Atom a = random_atom(rng, x, rng() % 2 == 0);
      const std::string rx = std::string(kNames[x]) + ".(" + a.text() + ")";
      auto at_reset = [a, x](int, const Clocks &v) { return a.holds(reset(v, x)); };
      compare(g, rx, at_reset, seed);
      compare(g, "not " + rx, [&](int l, const Clocks &v) { return !at_reset(l, v); }, seed);
      const std::vector<bool> to = can_reach(g, [&](int l, const Clocks &v) { return g.p[l] && at_reset(l, v); });
      compare(g, "ED (P and " + rx + ")", [&](int l, const Clocks &v) { return bool(to[code2(l, v)]); }, seed);
      const std::vector<bool> never = can_reach(g, [&](int l, const Clocks &v) { return !at_reset(l, v); });
      compare(g, "AB " + rx, [&](int l, const Clocks &v) { return !never[code2(l, v)]; }, seed);
      // A reset over a reachability whose target holds an atom on one
      // clock.
      const Atom b = random_atom(rng, static_cast<int>(rng() % 2), false);
      const std::vector<bool> reach = can_reach(g, [&](int l, const Clocks &v) { return g.p[l] && b.holds(v); });
      compare(g, std::string(kNames[x]) + ".(ED (P and " + b.text() + "))",
              [&](int l, const Clocks &v) { return bool(reach[code2(l, reset(v, x))]); }, seed);
    }
  }
}

}  // namespace
