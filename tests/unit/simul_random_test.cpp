// Cross-check of the forward engine against integer-time exploration on
// random small closed graphs (constraints <= and >=, integer constants, no
// diagonals). For such graphs a valuation with integer clock values is
// reachable in dense time exactly when it is by integer delays, and clock
// values above the largest constant behave alike. Under extrapolation, an
// integer valuation whose clocks are within their maximal constants lies in
// an extrapolated zone only when it lies in the exact one, so the graph of
// "-abs xtra" must contain exactly the reachable integer valuations there.
#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "eval_test_util.h"
#include "random_graph_util.h"
#include "simul_test_util.h"
#include "varnok/simul.h"
#include "varnok/varnok_eval_forw.h"

namespace {

using namespace random_graphs;

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

template <typename F>
auto quietly(F f) {
  return simul_test::redirected(nullptr, f);
}

class SimulRandom : public eval_test::Scratch {
 protected:
  // Compiles the graph, then loads it from its compiled files as a second
  // run would.
  void load_graph(const Graph &g) { simul_test::load_compiled(g.text(), "init"); }
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
    Graph g = random_graph(rng, 5);
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
    Graph g = random_graph(rng, 5);
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

// The forward evaluator and the backward evaluator agree on the initial
// state (location 0, every clock 0) for every shape the forward evaluator
// decides.
class ForwardBackward : public eval_test::Scratch {
 protected:
  void TearDown() override {
    free_zone(app_zone);
    app_zone = nullptr;
    eval_test::Scratch::TearDown();
  }
};

bool backward_holds_initially(const Graph &g, const std::string &formula) {
  OPT_SET = 0;
  states_region *r = quietly([&] { return eval_test::eval(g.text(), formula); });
  bool holds = eval_test::holds(r, 0, {0, 0, 0, 0});
  free_states_region(r);
  return holds;
}

bool forward_holds(const Graph &g, const std::string &formula) {
  tctl_node *f = simul_test::load_compiled(g.text(), formula);
  OPT_SET = OPT_FORWARD | OPT_ABS_XTRA;
  MAX_SYMB_STATES = 100000;
  std::string last = simul_test::last_line([f] { free_states_region(varnok_eval_forw(f)); });
  return last.find("*** TRUE ***") != std::string::npos;
}

TEST_F(ForwardBackward, VerdictsAgreeOnRandomGraphs) {
  std::mt19937 rng(424242);
  const char *formulas[] = {
      "init and ED P",          "init and (Q EU P)",           "init and Q EU{<=2} P",
      "init and ED{<3} P",      "init and ED[1,2] P",          "init impl AB not P",
      "init impl AD{<=3} P",    "init impl AD{<2} P",          "init impl Q AU{<=3} P",
      "init and Q EU]1,3] P",   "init impl AD{=2} P",          "init impl AD[1,3] P",
      "init impl Q AU{<2} P",   "init impl Q AU{=2} P",        "init and Q EU{<2} P",
      "ED{=2} P",               "AB (P impl x0 <= 2)",
  };
  // Conditions on clocks: time passes inside the condition and the
  // invariant together (checked on every third graph).
  const char *clock_conditions[] = {
      "init and (x0 <= 2 EU P)", "init and ((x0 <= 3 and x1 >= 1) EU P)", "init and (x1 < 2 EU{<=4} P)",
      "init and (x0 > 1 EU P)",  "init impl (x0 <= 2) AU{<=3} P",       "init impl (x1 >= 1) AU{<4} P",
      "init and ((Q or x0 <= 1) EU P)",
  };
  for (int round = 0; round < 300; round++) {
    Graph g = random_graph(rng, 5);
    SCOPED_TRACE(g.text());
    std::vector<const char *> chosen(std::begin(formulas), std::end(formulas));
    if (round % 3 == 0) chosen.insert(chosen.end(), std::begin(clock_conditions), std::end(clock_conditions));
    for (const char *f : chosen) {
      // The exact graph may be infinite: forward searches run with
      // extrapolation, which keeps these verdicts.
      bool back = backward_holds_initially(g, f);
      bool forw = forward_holds(g, f);
      EXPECT_EQ(forw, back) << f;
    }
  }
}

// Graphs whose clocks are bounded everywhere by the invariants (so that the
// exact simulation graph is finite) and whose guards compare the two clocks:
// the forward searches, without abstraction and with inclusion, reach a
// location exactly when the backward evaluation says that it can be reached
// from the initial state.
std::string diagonal_graph(std::mt19937 &rng) {
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const char *rel[] = {"<", "<=", ">=", ">"};
  int n = 3 + pick(5);
  std::string s = "#states 4\n#trans " + std::to_string(n) + "\n#clocks 2\nx0 x1\n";
  std::vector<std::string> out(kLocs);
  for (int t = 0; t < n; t++) {
    std::string g = "x0 - x1 " + std::string(rel[pick(4)]) + " " + std::to_string(pick(5) - 2);
    if (pick(2)) g += " and x" + std::to_string(pick(2)) + " " + rel[pick(4)] + " " + std::to_string(pick(kMax + 1));
    std::string r;
    for (int c = 0; c < 2; c++)
      if (pick(3) == 0) r += " x" + std::to_string(c);
    out[pick(kLocs)] += g + " => ; reset{" + r + " } ; goto " + std::to_string(pick(kLocs)) + "\n";
  }
  for (int l = 0; l < kLocs; l++)
    s += "state: " + std::to_string(l) + "\ninvar: x0 <= " + std::to_string(1 + pick(kMax + 1)) + " and x1 <= " +
         std::to_string(1 + pick(kMax + 1)) + "\ntrans:\n" + out[l];
  return s;
}

TEST_F(ForwardBackward, DiagonalGuardsExactSearch) {
  std::mt19937 rng(99);
  for (int round = 0; round < 60; round++) {
    std::string tg = diagonal_graph(rng);
    SCOPED_TRACE(tg);
    for (int l = 0; l < kLocs; l++) {
      std::string formula = "init impl ED state(" + std::to_string(l) + ")";
      OPT_SET = 0;
      states_region *r = quietly([&] { return eval_test::eval(tg, formula); });
      bool back = eval_test::holds(r, 0, {0, 0});
      free_states_region(r);
      for (uint32_t mode : {0u, OPT_ABS_INCL, OPT_DFS, OPT_DFS | OPT_ABS_INCL}) {
        simul_test::load_compiled(tg, "init");
        OPT_SET = mode;
        MAX_SYMB_STATES = 100000;
        states_region *init = varnok_mk_init_state(0);
        states_region *goal = varnok_select_state(l);
        int found = quietly([&] {
          free_zone_table();
          init_forward_analysis(0, goal);
          return (mode & OPT_DFS) ? reach_prop_sim_graph_dfs(init, goal) : reach_prop_sim_graph(init, goal);
        });
        free_states_region(init);
        free_states_region(goal);
        EXPECT_EQ(found == 1, back) << "location " << l << " mode " << mode;
      }
    }
  }
}

// Graphs whose guards and invariants are disjunctions (touching pieces such
// as x < 2 or x >= 2, gaps such as x <= 1 or x >= 3, invariants such as
// x <= 1 or y <= 2): every forward search, with and without inclusion,
// reaches a location exactly when the backward evaluator says that it can
// be reached from the initial state; the forward evaluator's reachability
// and invariance verdicts agree with the backward ones.
TEST_F(ForwardBackward, DisjunctiveGuardsAndInvariants) {
  std::mt19937 rng(1212);
  // Conditions that are unions (decided backwards where they are not
  // convex) as well as plain ones.
  const char *formulas[] = {"init and ED P",
                            "init impl AB not P",
                            "init and ED{<3} P",
                            "init impl AB (P impl x0 <= 2)",
                            "init and ((x0 <= 1 or x0 >= 2) EU P)",
                            "init and ((x0 < 1 or x1 > 2) EU{<=3} P)",
                            "init impl AD{<=3} P",
                            "init impl (x0 <= 1 or x1 >= 2) AU{<=4} P",
                            "init impl AD[1,3] P"};
  for (int round = 0; round < 40; round++) {
    std::string tg = disjunctive_graph(rng, kLocs, "x0", "x1", "P", "");
    SCOPED_TRACE(tg);
    for (int l = 0; l < kLocs; l++) {
      std::string formula = "init impl ED state(" + std::to_string(l) + ")";
      OPT_SET = 0;
      states_region *r = quietly([&] { return eval_test::eval(tg, formula); });
      bool back = eval_test::holds(r, 0, {0, 0});
      free_states_region(r);
      for (uint32_t mode : {0u, OPT_DFS | OPT_ABS_INCL}) {
        simul_test::load_compiled(tg, "init");
        OPT_SET = mode | OPT_ABS_XTRA;  // the exact graph may be infinite
        MAX_SYMB_STATES = 100000;
        NB_FOUND_PATHS = 0;
        states_region *init = varnok_mk_init_state(0);
        states_region *goal = varnok_select_state(l);
        int found = quietly([&] {
          free_zone_table();
          free_zone(app_zone);
          app_zone = nullptr;
          init_forward_analysis(0, goal);
          return (mode & OPT_DFS) ? reach_prop_sim_graph_dfs(init, goal) : reach_prop_sim_graph(init, goal);
        });
        free_states_region(init);
        free_states_region(goal);
        EXPECT_EQ(found == 1, back) << "location " << l << " mode " << mode;
      }
    }
    for (const char *f : formulas) {
      OPT_SET = 0;
      states_region *r = quietly([&] { return eval_test::eval(tg, f); });
      bool back = eval_test::holds(r, 0, {0, 0, 0, 0});
      free_states_region(r);
      tctl_node *parsed = simul_test::load_compiled(tg, f);
      OPT_SET = OPT_FORWARD | OPT_ABS_XTRA;
      MAX_SYMB_STATES = 100000;
      std::string last = simul_test::last_line([parsed] { free_states_region(varnok_eval_forw(parsed)); });
      EXPECT_EQ(last.find("*** TRUE ***") != std::string::npos, back) << f;
    }
  }
}

}  // namespace
