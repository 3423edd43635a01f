// Concrete runs (-run) of the searches' witnesses, re-verified by a checker
// of its own: it reads _run.reach and replays it against the random graph's
// description (not the loaded tables), with fractions of its own.
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <numeric>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "eval_test_util.h"
#include "random_graph_util.h"
#include "simul_test_util.h"
#include "varnok/concrete_run.h"
#include "varnok/run_replay.h"
#include "varnok/lu_drive.h"
#include "varnok/run_context.h"
#include "varnok/simul.h"
#include "varnok/varnok_eval.h"

namespace {

using namespace random_graphs;

// a / b, b > 0, lowest terms.
struct frac {
  long long a = 0, b = 1;
  static frac parse(const std::string &s) {
    frac f;
    const size_t slash = s.find('/');
    f.a = std::stoll(s.substr(0, slash));
    if (slash != std::string::npos) f.b = std::stoll(s.substr(slash + 1));
    const long long g = std::gcd(f.a, f.b);
    if (g > 1) f.a /= g, f.b /= g;
    return f;
  }
  frac operator+(frac o) const {
    frac r{a * o.b + o.a * b, b * o.b};
    const long long g = std::gcd(r.a, r.b);
    if (g > 1) r.a /= g, r.b /= g;
    return r;
  }
  bool operator==(frac o) const { return a == o.a && b == o.b; }
  bool le(long long c) const { return a <= c * b; }
  bool ge(long long c) const { return a >= c * b; }
};

// The values after "->" (or after the location on the initial line).
std::vector<frac> values(const std::string &line) {
  std::vector<frac> v;
  size_t at = line.rfind("->");
  if (line.rfind("initial:", 0) == 0) at = line.find(')');
  std::istringstream in(line.substr(at + 2));
  std::string item;
  while (in >> item) v.push_back(frac::parse(item.substr(item.find('=') + 1)));
  return v;
}

// Replays the run of _run.reach on g from location 0 with both clocks 0
// and says what is wrong, or "" when the run ends at goal.
std::string check_run(const Graph &g, int goal) {
  std::ifstream in("_run.reach");
  std::string line;
  if (!std::getline(in, line) || line.rfind("run #1:", 0) != 0) return "no header";
  if (!std::getline(in, line) || line.rfind("initial: location 0 ", 0) != 0) return "bad initial line " + line;
  int loc = 0;
  std::vector<frac> v = values(line);
  if (v.size() != 2 || !(v[0] == frac{}) || !(v[1] == frac{})) return "initial clocks not 0";
  bool expect_delay = true;
  while (std::getline(in, line)) {
    if (expect_delay) {
      if (line.rfind("delay ", 0) != 0) return "expected a delay: " + line;
      const frac d = frac::parse(line.substr(6, line.find(' ', 6) - 6));
      if (d.a < 0) return "negative delay";
      const std::vector<frac> w = values(line);
      if (!(w[0] == v[0] + d) || !(w[1] == v[1] + d)) return "delay does not add up: " + line;
      // Invariants bound one clock from above: the end of the delay decides.
      if (g.inv[loc] >= 0 && !w[loc % 2].le(g.inv[loc])) return "invariant broken: " + line;
      v = w;
    } else {
      int s = -1, t = -1;
      if (sscanf(line.c_str(), "transition %d -> location %d", &s, &t) != 2 || s != loc) return "bad move: " + line;
      const std::vector<frac> w = values(line);
      bool found = false;
      for (const Edge &e : g.edges) {
        if (e.source != s || e.target != t) continue;
        bool ok = true;
        for (int c = 0; c < 2; c++) {
          ok = ok && v[c].ge(e.lo[c]) && (e.hi[c] < 0 || v[c].le(e.hi[c]));
          ok = ok && (e.reset[c] ? w[c] == frac{} : w[c] == v[c]);
        }
        found = found || ok;
      }
      if (!found) return "no edge allows " + line;
      loc = t;
      if (g.inv[loc] >= 0 && !w[loc % 2].le(g.inv[loc])) return "target invariant broken: " + line;
      v = w;
    }
    expect_delay = !expect_delay;
  }
  if (expect_delay) return "run does not end with a delay";
  return loc == goal ? "" : "run ends at " + std::to_string(loc);
}

class ConcreteRun : public eval_test::Scratch {
 protected:
  void TearDown() override {
    free_zone(app_zone);
    app_zone = nullptr;
    eval_test::Scratch::TearDown();
  }
};

// Every search that reaches a location writes a run the checker accepts:
// breadth- and depth-first under extrapolation (these graphs let clocks
// grow without bound), with inclusion, and -abs lu.
TEST_F(ConcreteRun, EveryWitnessOfRandomGraphsReplays) {
  std::mt19937 rng(16);
  const uint32_t modes[] = {OPT_ABS_XTRA, OPT_ABS_XTRA | OPT_ABS_INCL, OPT_DFS | OPT_ABS_XTRA,
                            OPT_ABS_LU, OPT_ABS_LU | OPT_DFS};
  int runs = 0;
  for (int round = 0; round < 25; round++) {
    Graph g = random_graph(rng, 5);
    SCOPED_TRACE(g.text());
    simul_test::load_compiled(g.text(), "init");
    MAX_SYMB_STATES = 1000;
    for (uint32_t mode : modes)
      for (int l = 0; l < kLocs; l++) {
        OPT_SET = mode | OPT_RUN;
        NB_FOUND_PATHS = 0;
        fill_run_context();
        remove("_run.reach");
        states_region *init = varnok_mk_init_state(0);
        states_region *goal = varnok_select_state(l);
        int r = simul_test::redirected(nullptr, [&] {
          free_zone_table();
          free_zone(app_zone);
          app_zone = nullptr;
          if (mode & OPT_ABS_LU) return lu_reach_one_tg(init, goal);
          init_forward_analysis(0, goal);
          return (mode & OPT_DFS) ? reach_prop_sim_graph_dfs(init, goal) : reach_prop_sim_graph(init, goal);
        });
        free_states_region(init);
        free_states_region(goal);
        if (r != 1) continue;
        EXPECT_EQ(check_run(g, l), "") << "location " << l << " mode " << mode;
        runs++;
      }
  }
  EXPECT_GT(runs, 100);
}

// A run starts where its origin says and ends in the witness's target; the
// replay accepts it and catches every change that breaks the model.
TEST_F(ConcreteRun, RunsKeepToTheirOriginAndTheReplayCatchesChanges) {
  simul_test::load_compiled(R"(#states 2
#trans 1
#clocks 1
x
state: 0
prop: 
invar: x <= 2
trans:
x >= 1 => ; reset{ x } ; goto 1
state: 1
prop: 
invar: true
trans:
)",
                            "init");
  states_region *init = varnok_mk_init_state(0);
  const run::origin o = run::initial_origin(init);
  run::witness w;
  w.start = {0};
  w.moves = {{0}};
  // x >= 5 at the end: bound (0 - x <= -5) encodes as 2 * -5 + 1.
  w.target = {{1, -9, INF_BOUND, 1}};
  run::concrete_run r;
  std::string why;
  ASSERT_TRUE(run::make_run(w, o, r, why)) << why;
  ASSERT_EQ(r.steps.size(), 1u);
  EXPECT_EQ(r.initial[1].text(), "0");
  EXPECT_EQ(r.steps[0].delay.text(), "1");
  EXPECT_EQ(r.steps[0].before[1].text(), "1");
  EXPECT_EQ(r.steps[0].after[1].text(), "0");
  EXPECT_EQ(r.last_delay.text(), "5");
  EXPECT_EQ(run::replay(w, o, r), "");

  run::concrete_run bad = r;
  bad.steps[0].delay = 3;
  bad.steps[0].before[1] = 3;
  EXPECT_EQ(run::replay(w, o, bad), "step 1: invariant broken while time passes");
  bad = r;
  bad.steps[0].delay = run::rational::of(1, 2);
  bad.steps[0].before[1] = run::rational::of(1, 2);
  EXPECT_EQ(run::replay(w, o, bad), "step 1: guard false");
  bad = r;
  bad.last_delay = 4;
  bad.end[1] = 4;
  EXPECT_EQ(run::replay(w, o, bad), "end valuation outside the goal");
  bad = r;
  bad.initial[1] = 1;
  EXPECT_EQ(run::replay(w, o, bad), "initial valuation not initial");
  EXPECT_EQ(run::replay(w, run::origin{}, r), "initial valuation not initial");
  // No initial states: no run at all.
  EXPECT_FALSE(run::make_run(w, run::origin{}, bad, why));
  EXPECT_EQ(why, "the path cannot be followed in the model");

  // A run made to end at a given point (for a run that another continues):
  // a rational one in the target, or none outside it.
  const lu::tables_view view = lu::tables_view::single();
  run::valuation end(2);
  end[1] = run::rational::of(11, 2);
  ASSERT_TRUE(run::make_run_to(view, w, o, end, {false, true}, bad, why)) << why;
  EXPECT_EQ(bad.end[1].text(), "11/2");
  EXPECT_EQ(bad.last_delay.text(), "11/2");
  EXPECT_EQ(run::replay(view, w, o, bad), "");
  end[1] = 4;
  EXPECT_FALSE(run::make_run_to(view, w, o, end, {false, true}, bad, why));
  EXPECT_EQ(why, "the end asked for is not in the last zone");
  free_states_region(init);
}

}  // namespace
