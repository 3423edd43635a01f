// Random small closed timed graphs for the cross-checks against integer-time
// exploration: two clocks, constraints <= and >= with integer constants up
// to kMax, upper-bound invariants, no diagonals.
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

// Integer states: location and capped clock values.
inline int code(int l, const int v[2]) { return (l * (kCap + 1) + v[0]) * (kCap + 1) + v[1]; }
constexpr int kStates = kLocs * (kCap + 1) * (kCap + 1);

}  // namespace random_graphs
