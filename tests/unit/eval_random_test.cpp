// Cross-check of the backward evaluator against integer-time exploration on
// random small graphs. With closed constraints only (<=, >=, upper-bound
// invariants), what a state with integer clock values can reach in dense
// time, within a closed time bound or not, and whether it can avoid a set
// while time diverges, are decided by integer delays alone; clock values
// above the largest constant are all alike.
#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "eval_test_util.h"
#include "random_graph_util.h"

namespace {

class EvalRandom : public eval_test::Scratch {};

using namespace random_graphs;

// Least time (delays cost 1, transitions 0) from every integer state to a
// state of a P location, passing through Q locations only when `through_q`;
// -1 when unreachable.
std::vector<int> time_to_p(const Graph &g, bool through_q) {
  // Successors are few: search forwards from every state (0-1 BFS).
  std::vector<int> best(kStates, -1);
  for (int l = 0; l < kLocs; l++)
    for (int a = 0; a <= kCap; a++)
      for (int b = 0; b <= kCap; b++) {
        int v0[2] = {a, b};
        if (!g.inv_holds(l, v0)) continue;
        std::vector<int> dist(kStates, -1);
        std::deque<std::pair<int, std::array<int, 3>>> work{{0, {l, a, b}}};
        while (!work.empty()) {
          auto [d, s] = work.front();
          work.pop_front();
          int v[2] = {s[1], s[2]};
          int c = code(s[0], v);
          if (dist[c] >= 0) continue;
          dist[c] = d;
          if (g.p[s[0]]) {
            best[code(l, v0)] = d;
            break;
          }
          if (through_q && !g.q[s[0]]) continue;
          for (const Edge &e : g.edges) {
            if (e.source != s[0]) continue;
            bool ok = true;
            for (int k = 0; k < 2; k++) ok = ok && v[k] >= e.lo[k] && (e.hi[k] < 0 || v[k] <= e.hi[k]);
            int w[2] = {e.reset[0] ? 0 : v[0], e.reset[1] ? 0 : v[1]};
            if (ok && g.inv_holds(e.target, w)) work.push_front({d, {e.target, w[0], w[1]}});
          }
          int w[2] = {v[0] < kCap ? v[0] + 1 : kCap, v[1] < kCap ? v[1] + 1 : kCap};
          if (g.inv_holds(s[0], w)) work.push_back({d + 1, {s[0], w[0], w[1]}});
        }
      }
  return best;
}

// For A(true U P): -1 at every integer state from which some run avoids P
// forever while time diverges (a cycle with a delay among states outside P),
// 1 elsewhere. `through_q` restricts the avoiding runs to Q locations for
// A(Q U P), where leaving Q before P also falsifies the formula.
std::vector<int> always_reaches_p(const Graph &g, bool through_q) {
  std::vector<std::vector<int>> succ(kStates);
  std::vector<std::vector<int>> delay(kStates);
  std::vector<bool> valid(kStates, false), bad(kStates, false);
  for (int l = 0; l < kLocs; l++)
    for (int a = 0; a <= kCap; a++)
      for (int b = 0; b <= kCap; b++) {
        int v[2] = {a, b};
        if (!g.inv_holds(l, v)) continue;
        int c = code(l, v);
        valid[c] = true;
        if (g.p[l]) continue;
        // Outside Q (and P), A(Q U P) already fails.
        if (through_q && !g.q[l]) bad[c] = true;
        for (const Edge &e : g.edges) {
          if (e.source != l) continue;
          bool ok = true;
          for (int k = 0; k < 2; k++) ok = ok && v[k] >= e.lo[k] && (e.hi[k] < 0 || v[k] <= e.hi[k]);
          int w[2] = {e.reset[0] ? 0 : v[0], e.reset[1] ? 0 : v[1]};
          if (ok && g.inv_holds(e.target, w)) succ[c].push_back(code(e.target, w));
        }
        int w[2] = {a < kCap ? a + 1 : kCap, b < kCap ? b + 1 : kCap};
        if (g.inv_holds(l, w)) delay[c].push_back(code(l, w));
      }
  // States outside P that lie on a cycle with a delay step: a delay edge
  // u -> w where u is reachable back from w, both outside P.
  auto reach = [&](int from, std::vector<bool> &seen) {
    std::vector<int> stack{from};
    while (!stack.empty()) {
      int u = stack.back();
      stack.pop_back();
      if (seen[u]) continue;
      seen[u] = true;
      for (int w : succ[u]) stack.push_back(w);
      for (int w : delay[u]) stack.push_back(w);
    }
  };
  for (int u = 0; u < kStates; u++) {
    if (!valid[u] || g.p[u / ((kCap + 1) * (kCap + 1))]) continue;
    for (int w : delay[u]) {
      std::vector<bool> seen(kStates, false);
      reach(w, seen);
      if (seen[u]) bad[u] = true;
    }
  }
  // Every state outside P that reaches a bad state fails too.
  std::vector<int> result(kStates, 1);
  for (int u = 0; u < kStates; u++) {
    if (!valid[u]) continue;
    std::vector<bool> seen(kStates, false);
    reach(u, seen);
    for (int w = 0; w < kStates; w++)
      if (seen[w] && bad[w]) result[u] = -1;
  }
  return result;
}

// For AD{<=c} P: 1 at every integer state from which no run outside P lasts
// c + 1 time units, else -1.
std::vector<int> reaches_p_within(const Graph &g, int c) {
  std::vector<int> result(kStates, 1);
  for (int l = 0; l < kLocs; l++)
    for (int a = 0; a <= kCap; a++)
      for (int b = 0; b <= kCap; b++) {
        int v0[2] = {a, b};
        if (!g.inv_holds(l, v0)) continue;
        // Longest time spent outside P, explored up to c + 1.
        std::vector<bool> seen(static_cast<size_t>(kStates) * (c + 2), false);
        std::vector<std::array<int, 4>> stack{{l, a, b, 0}};
        while (!stack.empty() && result[code(l, v0)] == 1) {
          auto [loc, x0, x1, t] = stack.back();
          stack.pop_back();
          int v[2] = {x0, x1};
          size_t key = static_cast<size_t>(code(loc, v)) * (c + 2) + t;
          if (g.p[loc] || seen[key]) continue;
          seen[key] = true;
          if (t == c + 1) {
            result[code(l, v0)] = -1;
            break;
          }
          for (const Edge &e : g.edges) {
            if (e.source != loc) continue;
            bool ok = true;
            for (int k = 0; k < 2; k++) ok = ok && v[k] >= e.lo[k] && (e.hi[k] < 0 || v[k] <= e.hi[k]);
            int w[2] = {e.reset[0] ? 0 : v[0], e.reset[1] ? 0 : v[1]};
            if (ok && g.inv_holds(e.target, w)) stack.push_back({e.target, w[0], w[1], t});
          }
          int w[2] = {v[0] < kCap ? v[0] + 1 : kCap, v[1] < kCap ? v[1] + 1 : kCap};
          if (g.inv_holds(loc, w)) stack.push_back({loc, w[0], w[1], t + 1});
        }
      }
  return result;
}

// Compares Sat(formula) with `expected` at every integer state allowed by the
// invariants.
void compare(const Graph &g, const char *formula, const std::vector<int> &best, int bound, int seed) {
  states_region *r = eval_test::eval(g.text(), formula);
  for (int l = 0; l < kLocs; l++)
    for (int a = 0; a <= kCap; a++)
      for (int b = 0; b <= kCap; b++) {
        int v[2] = {a, b};
        if (!g.inv_holds(l, v)) continue;
        int d = best[code(l, v)];
        bool expected = d >= 0 && (bound < 0 || d <= bound);
        EXPECT_EQ(eval_test::holds(r, l, {double(a), double(b)}), expected)
            << formula << " at location " << l << " x0=" << a << " x1=" << b << " (seed " << seed << ")\n"
            << g.text();
      }
  free_states_region(r);
}

TEST_F(EvalRandom, ReachabilityMatchesIntegerTime) {
  for (int seed = 1; seed <= 30; seed++) {
    std::mt19937 rng(seed);
    Graph g = random_graph(rng, 4);
    std::vector<int> any = time_to_p(g, false);
    compare(g, "ED P", any, -1, seed);
    compare(g, "ED{<=2} P", any, 2, seed);
    compare(g, "not AB not P", any, -1, seed);
    compare(g, "Q EU P", time_to_p(g, true), -1, seed);
    compare(g, "AD P", always_reaches_p(g, false), -1, seed);
    compare(g, "Q AU P", always_reaches_p(g, true), -1, seed);
    compare(g, "AD{<=2} P", reaches_p_within(g, 2), -1, seed);
    if (HasFailure()) break;
  }
}

// The fix-points with whole-zone frontiers reach the sets of the exact ones,
// for every operator, nested and bounded ones included; so do the universal
// ones that give up their double complements and take a second pass.
TEST_F(EvalRandom, WholeZoneFrontiersReachTheSameSets) {
  const char *const formulas[] = {"ED P", "Q EU P", "AD P", "Q AU P", "AD{<=2} P", "EB (Q or P)",
                                  "AB (Q impl ED{<3} P)", "Q EU{>=2} P", "Q AU{>1} P", "not AB not P",
                                  "AB (Q impl AD P)", "EB{>=3} not P", "ED (P and AD{=2} Q)"};
  for (int seed = 1; seed <= 20; seed++) {
    std::mt19937 rng(seed);
    Graph g = random_graph(rng, 4);
    for (const char *f : formulas) {
      states_region *exact = eval_test::eval(g.text(), f);
      states_region *whole;
      {
        whole_zone_frontiers on(true);
        whole = eval_test::eval(g.text(), f);
      }
      EXPECT_TRUE(eval_test::same_states(exact, whole)) << f << " (seed " << seed << ")\n" << g.text();
      // Every double complement given up: the universal fix-points run
      // again with whole-zone frontiers, and keep their regions uncompacted.
      states_region *again;
      {
        double_complement_budget none(0);
        again = eval_test::eval(g.text(), f);
      }
      EXPECT_TRUE(eval_test::same_states(exact, again)) << f << " (seed " << seed << ", no budget)\n" << g.text();
      free_states_region(exact);
      free_states_region(whole);
      free_states_region(again);
    }
    if (HasFailure()) break;
  }
}

}  // namespace
