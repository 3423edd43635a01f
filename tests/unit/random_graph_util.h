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

// A graph with disjunctive guards and invariants, kept as constraint texts.
struct DisjGraph {
  struct Move {
    int source, target;
    std::string guard, resets, label;  // resets: " x y" (may be empty)
  };
  int locs = 0;
  std::string x, y, prop, sync;
  std::vector<std::string> inv;
  std::vector<bool> has_prop;
  std::vector<Move> moves;

  // Every location l carries its own proposition, prop followed by l.
  void name_locations() {
    for (int l = 0; l < locs; l++) has_prop[l] = true;
    numbered = true;
  }
  std::string prop_at(int l) const { return numbered ? prop + std::to_string(l) : prop; }
  bool numbered = false;

  std::string text() const {
    std::string s = "#states " + std::to_string(locs) + "\n#trans " + std::to_string(moves.size()) +
                    "\n#clocks 2\n" + x + " " + y + "\n";
    if (!sync.empty()) s += "#sync " + sync + "\n";
    for (int l = 0; l < locs; l++) {
      s += "state: " + std::to_string(l) + "\n";
      if (has_prop[l]) s += "prop: " + prop_at(l) + "\n";
      s += "invar: " + inv[l] + "\ntrans:\n";
      for (const Move &m : moves)
        if (m.source == l)
          s += m.guard + " => " + (m.label.empty() ? "" : m.label + " ") + "; reset{" + m.resets + " } ; goto " +
               std::to_string(m.target) + "\n";
    }
    return s;
  }
};

// A random graph of `locs` locations on clocks x and y with disjunctive
// guards and invariants. Location l carries proposition `prop` at random;
// each transition carries label `sync` (when not empty) with probability
// one half, the first one always; the "#sync" line declares it.
inline DisjGraph random_disj_graph(std::mt19937 &rng, int locs, const std::string &x, const std::string &y,
                                   const std::string &prop, const std::string &sync) {
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  DisjGraph g;
  g.locs = locs;
  g.x = x;
  g.y = y;
  g.prop = prop;
  g.sync = sync;
  for (int l = 0; l < locs; l++) {
    g.inv.push_back(random_disj_invariant(rng, x, y));
    g.has_prop.push_back(pick(2) == 1);
  }
  int n = 2 + pick(4);
  for (int t = 0; t < n; t++) {
    DisjGraph::Move m;
    m.source = pick(locs);
    m.target = pick(locs);
    m.guard = random_disj_guard(rng, x, y);
    if (pick(2)) m.resets += " " + x;
    if (pick(3) == 0) m.resets += " " + y;
    m.label = !sync.empty() && (t == 0 || pick(2)) ? sync : "";
    g.moves.push_back(m);
  }
  return g;
}

// Its text, for the single-graph cross-checks.
inline std::string disjunctive_graph(std::mt19937 &rng, int locs, const std::string &x, const std::string &y,
                                     const std::string &prop, const std::string &sync) {
  return random_disj_graph(rng, locs, x, y, prop, sync).text();
}

// Integer states: location and capped clock values.
inline int code(int l, const int v[2]) { return (l * (kCap + 1) + v[0]) * (kCap + 1) + v[1]; }
constexpr int kStates = kLocs * (kCap + 1) * (kCap + 1);

}  // namespace random_graphs
