// Random small closed timed graphs for the cross-checks against integer-time
// exploration: two clocks, constraints <= and >= with integer constants up
// to kMax, upper-bound invariants, no diagonals. Besides, graphs whose
// guards and invariants are disjunctions, for the cross-checks between the
// forward and backward engines.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace random_graphs {

constexpr int kLocs = 4;
constexpr int kMax = 3;        // largest constant
constexpr int kCap = kMax + 1;  // stands for every value above kMax

struct Edge {
  int source, target;
  int lo[2], hi[2];  // guard lo <= x_i <= hi (hi < 0: none)
  bool reset[2];
};

struct Graph {
  int inv[kLocs];  // x_{l % 2} <= inv[l], or no invariant when < 0
  bool p[kLocs], q[kLocs];
  std::vector<Edge> edges;

  bool inv_holds(int l, const int v[2]) const { return inv[l] < 0 || v[l % 2] <= inv[l]; }

  std::string text() const {
    std::string s = "#states " + std::to_string(kLocs) + "\n#trans " + std::to_string(edges.size()) +
                    "\n#clocks 2\nx0 x1\n";
    for (int l = 0; l < kLocs; l++) {
      s += "state: " + std::to_string(l) + "\nprop:";
      if (p[l]) s += " P";
      if (q[l]) s += " Q";
      s += "\ninvar: " + (inv[l] < 0 ? std::string("true") : "x" + std::to_string(l % 2) + " <= " + std::to_string(inv[l]));
      s += "\ntrans:\n";
      for (const Edge &e : edges) {
        if (e.source != l) continue;
        std::string g = "true";
        for (int c = 0; c < 2; c++) {
          g += " and x" + std::to_string(c) + " >= " + std::to_string(e.lo[c]);
          if (e.hi[c] >= 0) g += " and x" + std::to_string(c) + " <= " + std::to_string(e.hi[c]);
        }
        s += g + " => ; reset{";
        for (int c = 0; c < 2; c++)
          if (e.reset[c]) s += " x" + std::to_string(c);
        s += " } ; goto " + std::to_string(e.target) + "\n";
      }
    }
    return s;
  }
};

// A random graph of kLocs locations with 3 to 3 + spread - 1 transitions.
inline Graph random_graph(std::mt19937 &rng, int spread) {
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  Graph g;
  for (int l = 0; l < kLocs; l++) {
    g.inv[l] = pick(3) == 0 ? -1 : 1 + pick(kMax);
    g.p[l] = pick(3) == 0;
    g.q[l] = pick(2) == 0;
  }
  int n = 3 + pick(spread);
  for (int t = 0; t < n; t++) {
    Edge e;
    e.source = pick(kLocs);
    e.target = pick(kLocs);
    for (int c = 0; c < 2; c++) {
      e.lo[c] = pick(2) ? 0 : pick(kMax + 1);
      e.hi[c] = pick(2) ? -1 : e.lo[c] + pick(kMax + 1 - e.lo[c]);
      e.reset[c] = pick(2) == 0;
    }
    g.edges.push_back(e);
  }
  return g;
}

// A random invariant on clocks x and y, closed under going back in time:
// true, an upper bound, or a disjunction of upper bounds on both clocks.
inline std::string random_disj_invariant(std::mt19937 &rng, const std::string &x, const std::string &y) {
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  switch (pick(4)) {
    case 0: return "true";
    case 1: return x + " <= " + std::to_string(1 + pick(kMax));
    default: return x + " <= " + std::to_string(pick(kMax)) + " or " + y + " <= " + std::to_string(1 + pick(kMax));
  }
}

// A random guard on clocks x and y: a bound, pieces that touch (x < c or
// x >= c), pieces with a gap (x <= a or x >= b), or a disjunction over both
// clocks.
inline std::string random_disj_guard(std::mt19937 &rng, const std::string &x, const std::string &y) {
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const std::string &c = pick(2) ? x : y;
  int a = pick(kMax);
  switch (pick(5)) {
    case 0: return c + (pick(2) ? " >= " : " <= ") + std::to_string(pick(kMax + 1));
    case 1: return c + " < " + std::to_string(1 + a) + " or " + c + " >= " + std::to_string(1 + a);
    case 2: return c + " <= " + std::to_string(a) + " or " + c + " >= " + std::to_string(a + 2);
    case 3: return x + " < " + std::to_string(1 + a) + " or " + y + " > " + std::to_string(pick(kMax + 1));
    default: return "(" + x + " <= 1 or " + x + " >= 3) and " + y + " >= " + std::to_string(pick(kMax));
  }
}

// A random graph of `locs` locations on clocks x and y with disjunctive
// guards and invariants. Location l carries proposition `prop` when bit l of
// a random mask is set; each transition carries label `sync` (when not
// empty) with probability one half. The "#sync" line declares it.
inline std::string disjunctive_graph(std::mt19937 &rng, int locs, const std::string &x, const std::string &y,
                                     const std::string &prop, const std::string &sync) {
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  int n = 2 + pick(4);
  std::vector<std::string> out(locs);
  for (int t = 0; t < n; t++) {
    std::string r;
    if (pick(2)) r += " " + x;
    if (pick(3) == 0) r += " " + y;
    std::string label = !sync.empty() && pick(2) ? sync + " " : "";
    out[pick(locs)] += random_disj_guard(rng, x, y) + " => " + label + "; reset{" + r + " } ; goto " +
                       std::to_string(pick(locs)) + "\n";
  }
  std::string s = "#states " + std::to_string(locs) + "\n#trans " + std::to_string(n) + "\n#clocks 2\n" + x + " " +
                  y + "\n";
  if (!sync.empty()) s += "#sync " + sync + "\n";
  for (int l = 0; l < locs; l++) {
    s += "state: " + std::to_string(l) + "\n";
    if (pick(2)) s += "prop: " + prop + "\n";
    s += "invar: " + random_disj_invariant(rng, x, y) + "\ntrans:\n" + out[l];
  }
  return s;
}

// Integer states: location and capped clock values.
inline int code(int l, const int v[2]) { return (l * (kCap + 1) + v[0]) * (kCap + 1) + v[1]; }
constexpr int kStates = kLocs * (kCap + 1) * (kCap + 1);

}  // namespace random_graphs
