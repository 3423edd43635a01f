// Cross-check of the product on random networks of two timed graphs whose
// guards and invariants are disjunctions (touching pieces such as x < 2 or
// x >= 2, gaps such as x <= 1 or x >= 3, invariants such as x <= 1 or
// y <= 2), synchronising on GO: the on-the-fly reachability of "P and Q",
// a forward search on the written product and the backward evaluation of
// "init impl ED (P and Q)" on the written product all agree with the
// backward evaluation on a product written independently, as text whose
// guards and invariants are conjunctions of the components' texts.
#include <random>

#include "compo_test_helpers.h"
#include "eval_test_util.h"
#include "random_graph_util.h"
#include "simul_test_util.h"
#include "varnok/compo_simul.h"
#include "varnok/lu_drive.h"
#include "varnok/run_context.h"
#include "varnok/simul.h"
#include "varnok/varnok_runs.h"

using namespace compo_test;

namespace {

tctl_node *parse(const std::string &name, const std::string &text) {
  write_file(name + ".tctl", text + "\n");
  char file[64], base[MAX_NAME_LEN + 1];
  snprintf(file, sizeof file, "%s", name.c_str());
  construct_formula(file, base);
  return tctl_formula();
}

// Verdict of the on-the-fly search (breadth-first or depth-first) for the
// location formula goal on the loaded automata.
bool on_the_fly(bool dfs, const std::string &goal) {
  OPT_SET = OPT_ABS_XTRA | (dfs ? OPT_DFS : 0);
  MAX_SYMB_STATES = 100000;
  MAX_STACK_SIZE = 100000;
  NB_FOUND_PATHS = 0;
  tctl_node *init = parse("i", "init"), *reach = parse("r", goal);
  testing::internal::CaptureStderr();
  // One search per process in a real run: the zones of the last one go.
  free_zone_table();
  free_zone(TA_approx_zone);
  TA_approx_zone = nullptr;
  int r = simul_test::redirected(nullptr, [&] {
    return dfs ? reach_prop_simulation_graph_dfs(init, reach, 0) : reach_prop_simulation_graph_bfs(init, reach);
  });
  testing::internal::GetCapturedStderr();
  free_zone_table();
  EXPECT_NE(r, -1);
  return r == 1;
}

// Verdict of the -abs lu search on the written product tg (one timed graph
// whose invariants may be disjunctions) for the goal "a and b".
bool lu_single(const std::string &tg, const std::string &a, const std::string &b) {
  simul_test::load_compiled(tg, "init");
  OPT_SET = OPT_ABS_LU | OPT_FORWARD | OPT_REACH;
  MAX_SYMB_STATES_GIVEN = 0;
  fill_run_context();
  states_region *init = varnok_mk_init_state(0);
  states_region *goal = varnok_intersection(varnok_states_prop(a.c_str()), varnok_states_prop(b.c_str()));
  int found = simul_test::redirected(nullptr, [&] { return lu_reach_one_tg(init, goal); });
  free_states_region(init);
  free_states_region(goal);
  return found == 1;
}

// Verdict of the -abs lu search for the location formula goal on the loaded
// automata (it takes the pieces of guards and invariants itself).
bool lu_search(bool dfs, const std::string &goal) {
  OPT_SET = OPT_ABS_LU | OPT_FORWARD | OPT_REACH | (dfs ? OPT_DFS : 0);
  MAX_SYMB_STATES_GIVEN = 0;
  fill_run_context();
  tctl_node *init = parse("i", "init"), *reach = parse("r", goal);
  testing::internal::CaptureStderr();
  int r = simul_test::redirected(nullptr, [&] { return lu_reach_product(init, reach); });
  testing::internal::GetCapturedStderr();
  EXPECT_GE(r, 0);
  return r == 1;
}

// The written product of the loaded automata as text.
std::string written_product() {
  OPT_SET = 0;
  snprintf(out_f_name, sizeof out_f_name, "%s", "prod");
  testing::internal::CaptureStderr();
  simul_test::redirected(nullptr, [] { return compo_list(); });
  testing::internal::GetCapturedStderr();
  return read_file("prod.tg");
}

// Forward search for the propositions a and b from the initial state of the
// single graph tg.
bool forward_single(const std::string &tg, const std::string &a, const std::string &b) {
  simul_test::load_compiled(tg, "init");
  OPT_SET = OPT_ABS_XTRA;
  MAX_SYMB_STATES = 100000;
  states_region *init = varnok_mk_init_state(0);
  states_region *goal = varnok_intersection(varnok_states_prop(a.c_str()), varnok_states_prop(b.c_str()));
  int found = simul_test::redirected(nullptr, [&] {
    free_zone(app_zone);
    app_zone = nullptr;
    init_forward_analysis(0, goal);
    return reach_prop_sim_graph(init, goal);
  });
  free_states_region(init);
  free_states_region(goal);
  free_zone(app_zone);
  app_zone = nullptr;
  return found == 1;
}

bool backward_single(const std::string &tg, const std::string &goal) {
  std::string f = "init impl ED (" + goal + ")";
  states_region *r = simul_test::redirected(nullptr, [&] { return eval_test::eval(tg, f); });
  bool holds = eval_test::holds(r, 0, {0, 0, 0, 0});
  free_states_region(r);
  return holds;
}

using random_graphs::DisjGraph;

// The product of a and b (both with GO on some transition, so that a GO
// move is always joint) as the text of one timed graph: location
// la + a.locs * lb, invariant "(Ia) and (Ib)", each plain move alone and
// each pair of GO moves together with the conjunction of their guards.
std::string reference_product(const DisjGraph &a, const DisjGraph &b) {
  std::string body;
  int trans = 0;
  auto move = [&](const std::string &guard, const std::string &resets, int target) {
    body += guard + " => ; reset{" + resets + " } ; goto " + std::to_string(target) + "\n";
    trans++;
  };
  for (int lb = 0; lb < b.locs; lb++)
    for (int la = 0; la < a.locs; la++) {
      body += "state: " + std::to_string(la + a.locs * lb) + "\nprop: " + a.prop_at(la) + " " + b.prop_at(lb) +
              "\ninvar: (" + a.inv[la] + ") and (" + b.inv[lb] + ")\ntrans:\n";
      for (const DisjGraph::Move &m : a.moves)
        if (m.source == la && m.label.empty()) move(m.guard, m.resets, m.target + a.locs * lb);
      for (const DisjGraph::Move &m : b.moves)
        if (m.source == lb && m.label.empty()) move(m.guard, m.resets, la + a.locs * m.target);
      for (const DisjGraph::Move &m : a.moves)
        for (const DisjGraph::Move &k : b.moves)
          if (m.source == la && k.source == lb && !m.label.empty() && !k.label.empty())
            move("(" + m.guard + ") and (" + k.guard + ")", m.resets + k.resets, m.target + a.locs * k.target);
    }
  return "#states " + std::to_string(a.locs * b.locs) + "\n#trans " + std::to_string(trans) + "\n#clocks 4\n" + a.x +
         " " + a.y + " " + b.x + " " + b.y + "\n" + body;
}

}  // namespace

TEST_F(Product, DisjunctiveNetworksAgreeOnTheFlyWrittenAndBackward) {
  std::mt19937 rng(2012);
  int reached = 0, checked = 0;
  for (int round = 0; round < 12; round++) {
    DisjGraph ga = random_graphs::random_disj_graph(rng, 3, "x", "y", "A", "GO");
    DisjGraph gb = random_graphs::random_disj_graph(rng, 3, "u", "w", "B", "GO");
    ga.name_locations();
    gb.name_locations();
    std::string a = ga.text(), b = gb.text(), reference = reference_product(ga, gb);
    SCOPED_TRACE(a + "----\n" + b);
    for (int la = 0; la < ga.locs; la++)
      for (int lb = 0; lb < gb.locs; lb++) {
        std::string pa = ga.prop_at(la), pb = gb.prop_at(lb), goal = pa + " and " + pb;
        SCOPED_TRACE(goal);
        load({{"a", a}, {"b", b}});
        bool bfs = on_the_fly(false, goal), dfs = on_the_fly(true, goal);
        bool lu_bfs = lu_search(false, goal), lu_dfs = lu_search(true, goal);
        std::string product = written_product();
        free_compo_tables();
        bool expected = backward_single(reference, goal);
        EXPECT_EQ(bfs, expected);
        EXPECT_EQ(dfs, expected);
        EXPECT_EQ(lu_bfs, expected);
        EXPECT_EQ(lu_dfs, expected);
        EXPECT_EQ(forward_single(product, pa, pb), expected) << product;
        EXPECT_EQ(lu_single(product, pa, pb), expected) << product;
        EXPECT_EQ(backward_single(product, goal), expected) << product;
        reached += expected;
        checked++;
        eval_test::unload();
      }
  }
  // Both verdicts occur often.
  EXPECT_GT(reached, checked / 6);
  EXPECT_LT(reached, checked - checked / 6);
}
