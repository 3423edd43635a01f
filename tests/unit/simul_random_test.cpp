// Cross-check of the forward engine against integer-time exploration on
// random small closed graphs (constraints <= and >=, integer constants, no
// diagonals). For such graphs a valuation with integer clock values is
// reachable in dense time exactly when it is by integer delays, and clock
// values above the largest constant behave alike. Under extrapolation, an
// integer valuation whose clocks are within their maximal constants lies in
// an extrapolated zone only when it lies in the exact one, so the graph of
// "-abs xtra" must contain exactly the reachable integer valuations there.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>
#include <utime.h>

#include <array>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "eval_test_util.h"
#include "varnok/simul.h"

namespace {

constexpr int kLocs = 4;
constexpr int kMax = 3;         // largest constant
constexpr int kCap = kMax + 1;  // stands for every value above kMax

struct Edge {
  int source, target;
  int lo[2], hi[2];  // guard lo <= x_i <= hi (hi < 0: none)
  bool reset[2];
};

struct Graph {
  int inv[kLocs];  // x_{l % 2} <= inv[l], or no invariant when < 0
  std::vector<Edge> edges;

  bool inv_holds(int l, const int v[2]) const { return inv[l] < 0 || v[l % 2] <= inv[l]; }

  std::string text() const {
    std::string s = "#states " + std::to_string(kLocs) + "\n#trans " + std::to_string(edges.size()) +
                    "\n#clocks 2\nx0 x1\n";
    for (int l = 0; l < kLocs; l++) {
      s += "state: " + std::to_string(l) + "\ninvar: ";
      s += inv[l] < 0 ? std::string("true") : "x" + std::to_string(l % 2) + " <= " + std::to_string(inv[l]);
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

Graph random_graph(std::mt19937 &rng) {
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  Graph g;
  for (int l = 0; l < kLocs; l++) g.inv[l] = pick(3) == 0 ? -1 : 1 + pick(kMax);
  int n = 3 + pick(5);
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

// The integer states (location, capped clocks) reachable from location 0
// with both clocks 0.
std::set<std::array<int, 3>> integer_reach(const Graph &g) {
  std::set<std::array<int, 3>> seen;
  std::deque<std::array<int, 3>> work{{0, 0, 0}};
  while (!work.empty()) {
    std::array<int, 3> s = work.front();
    work.pop_front();
    if (!seen.insert(s).second) continue;
    int v[2] = {s[1], s[2]};
    for (const Edge &e : g.edges) {
      if (e.source != s[0]) continue;
      bool ok = true;
      for (int k = 0; k < 2; k++) ok = ok && v[k] >= e.lo[k] && (e.hi[k] < 0 || v[k] <= e.hi[k]);
      int w[2] = {e.reset[0] ? 0 : v[0], e.reset[1] ? 0 : v[1]};
      if (ok && g.inv_holds(e.target, w)) work.push_back({e.target, w[0], w[1]});
    }
    int w[2] = {v[0] < kCap ? v[0] + 1 : kCap, v[1] < kCap ? v[1] + 1 : kCap};
    if (g.inv_holds(s[0], w)) work.push_back({s[0], w[0], w[1]});
  }
  return seen;
}

// Runs f with standard output sent to /dev/null (the searches report their
// files there).
template <typename F>
auto quietly(F f) {
  fflush(stdout);
  int saved = dup(1);
  int null = open("/dev/null", O_WRONLY);
  dup2(null, 1);
  close(null);
  auto r = f();
  fflush(stdout);
  dup2(saved, 1);
  close(saved);
  return r;
}

class SimulRandom : public eval_test::Scratch {
 protected:
  // Compiles the graph, then loads it from its compiled files as a second
  // run would.
  void load_graph(const Graph &g) {
    quietly([&] {
      eval_test::load(g.text(), "init");
      clear_tg_tables();
      free_zone_table();
      struct utimbuf old = {978307200, 978307200};  // 2001-01-01
      utime("m.tg", &old);
      char model[] = "m";
      my_basename(model, ".tg");
      if (!mk_vnk()) abort();
      init_tg();
      return 0;
    });
  }
  void TearDown() override {
    free_zone(app_zone);
    app_zone = nullptr;
    eval_test::Scratch::TearDown();
  }
};

bool zone_has(zone *z, int a, int b) { return eval_test::zone_holds(z, {double(a), double(b)}); }

// Largest constant of clock i in the extrapolation zone.
int max_constant(int i) { return bound_constant(app_zone->bounds[i][0]); }

TEST_F(SimulRandom, ExtrapolatedGraphHoldsExactlyTheIntegerReachableStates) {
  std::mt19937 rng(20261207);
  for (int round = 0; round < 100; round++) {
    Graph g = random_graph(rng);
    SCOPED_TRACE(g.text());
    load_graph(g);
    OPT_SET = OPT_ABS_XTRA;
    MAX_SYMB_STATES = 1000;
    states_region *init = varnok_mk_init_state(0);
    quietly([&] {
      gen_sim_graph(init);
      return 0;
    });
    free_states_region(init);
    std::set<std::array<int, 3>> reach = integer_reach(g);
    std::set<int> locs;
    for (auto &s : reach) locs.insert(s[0]);
    for (int l = 0; l < kLocs; l++) EXPECT_EQ(symb_states_set[l] >= 0, locs.count(l) == 1) << "location " << l;
    // No valuation missing.
    for (auto &s : reach) {
      if (s[1] > kMax || s[2] > kMax) continue;
      bool found = false;
      for (int n = symb_states_set[s[0]]; n >= 0 && !found; n = succ_sim_graph[n].next_in_loc)
        found = zone_has(succ_sim_graph[n].st.z, s[1], s[2]);
      EXPECT_TRUE(found) << "location " << s[0] << " x0=" << s[1] << " x1=" << s[2];
    }
    // No valuation added within the maximal constants.
    for (int n = 0; n < nb_sim_states; n++) {
      const sim_state &st = succ_sim_graph[n];
      for (int a = 0; a <= std::min(kMax, max_constant(1)); a++)
        for (int b = 0; b <= std::min(kMax, max_constant(2)); b++)
          if (zone_has(st.st.z, a, b)) {
            EXPECT_EQ(reach.count({st.st.loc, a, b}), 1u) << "state " << n;
          }
    }
    // States at one location never share a zone; zones are the shared ones.
    for (int n = 0; n < nb_sim_states; n++) {
      for (int m = succ_sim_graph[n].next_in_loc; m >= 0; m = succ_sim_graph[m].next_in_loc)
        EXPECT_NE(succ_sim_graph[n].st.z, succ_sim_graph[m].st.z);
      EXPECT_EQ(insert_zone(assign_zone(succ_sim_graph[n].st.z)), succ_sim_graph[n].st.z);
    }
  }
}

// The reachability of every location by the breadth-first and depth-first
// searches, under every abstraction combined with extrapolation (which
// makes the graphs finite), agrees with integer time; the convex hull may
// only add locations.
TEST_F(SimulRandom, SearchVerdictsMatchIntegerTime) {
  std::mt19937 rng(7);
  const uint32_t modes[] = {OPT_ABS_XTRA, OPT_ABS_XTRA | OPT_ABS_INCL, OPT_ABS_XTRA | OPT_ABS_HULL};
  for (int round = 0; round < 40; round++) {
    Graph g = random_graph(rng);
    SCOPED_TRACE(g.text());
    load_graph(g);
    std::set<int> locs;
    for (auto &s : integer_reach(g)) locs.insert(s[0]);
    MAX_SYMB_STATES = 1000;
    for (uint32_t mode : modes)
      for (int dfs = 0; dfs < 2; dfs++)
        for (int l = 0; l < kLocs; l++) {
          OPT_SET = mode | (dfs ? OPT_DFS : 0);
          NB_FOUND_PATHS = 0;
          states_region *init = varnok_mk_init_state(0);
          states_region *goal = varnok_select_state(l);
          int r = quietly([&] {
            // One search per process in a real run: the zones of the last
            // search go with its table.
            free_zone_table();
            free_zone(app_zone);
            app_zone = nullptr;
            init_forward_analysis(0, goal);
            return dfs ? reach_prop_sim_graph_dfs(init, goal) : reach_prop_sim_graph(init, goal);
          });
          free_states_region(init);
          free_states_region(goal);
          if (mode & OPT_ABS_HULL) {
            if (locs.count(l)) {
              EXPECT_EQ(r, 1) << "location " << l;
            }
          } else {
            EXPECT_EQ(r, locs.count(l) ? 1 : 0) << "location " << l << " mode " << mode << " dfs " << dfs;
          }
        }
  }
}

}  // namespace
