// The forward search under "-abs lu" cross-checked on random models: single
// closed graphs against integer-time exploration (clock copies included),
// graphs with strict bounds and networks of automata against the exact
// searches with extrapolation, graphs with diagonal guards (some with clocks
// past the largest constant) against the exact search without abstraction
// and the backward evaluator; and the witness file replayed on the model.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "compo_test_helpers.h"
#include "eval_test_util.h"
#include "random_graph_util.h"
#include "simul_test_util.h"
#include "common/tctl/tctl_main.h"
#include "varnok/compo_simul.h"
#include "varnok/lu_model.h"
#include "varnok/lu_drive.h"
#include "varnok/lu_search.h"
#include "varnok/run_context.h"
#include "varnok/simul.h"

namespace {

int pick(std::mt19937 &rng, int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

// ---------------------------------------------------------------------------
// Small timed graphs over clocks x0, x1, ...: atoms "x op c", assignments
// per clock (its own index: kept, -1: reset, another index: copied).

struct Atom {
  int clock;
  std::string op;
  int c;
  bool holds(int v, int cap) const {
    if (v >= cap) return op == ">=" || op == ">";  // above every constant
    return op == "<=" ? v <= c : op == "<" ? v < c : op == ">=" ? v >= c : v > c;
  }
};

struct Move {
  int source, target;
  std::vector<Atom> guard;
  std::vector<int> from;
  std::string label;
};

struct Model {
  int nloc = 4, nclk = 2, cap = random_graphs::kCap;
  std::string prefix = "x";
  std::vector<std::vector<Atom>> inv;
  std::vector<std::string> props;
  std::vector<Move> moves;

  std::string clock(int k) const { return prefix + std::to_string(k); }

  static std::string conj(const std::vector<Atom> &as, const Model &m) {
    std::string s = "true";
    for (const Atom &a : as) s += " and " + m.clock(a.clock) + " " + a.op + " " + std::to_string(a.c);
    return s;
  }

  std::string text() const {
    std::set<std::string> sync;
    for (const Move &e : moves)
      if (e.label == "s" || e.label == "t") sync.insert(e.label);
    std::string s = "#states " + std::to_string(nloc) + "\n#trans " + std::to_string(moves.size()) + "\n#clocks " +
                    std::to_string(nclk) + "\n";
    for (int k = 0; k < nclk; k++) s += clock(k) + " ";
    s += "\n";
    if (!sync.empty()) {
      s += "#sync";
      for (const std::string &l : sync) s += " " + l;
      s += "\n";
    }
    for (int l = 0; l < nloc; l++) {
      s += "state: " + std::to_string(l) + "\nprop: " + props[l] + "\ninvar: " + conj(inv[l], *this) + "\ntrans:\n";
      for (const Move &e : moves) {
        if (e.source != l) continue;
        s += conj(e.guard, *this) + " => " + e.label + " ; reset{";
        for (int k = 0; k < nclk; k++)
          if (e.from[k] < 0) s += " " + clock(k);
        s += " }";
        for (int k = 0; k < nclk; k++)
          if (e.from[k] >= 0 && e.from[k] != k) s += " " + clock(k) + " := " + clock(e.from[k]);
        s += " ; goto " + std::to_string(e.target) + "\n";
      }
    }
    return s;
  }

  // The assignment as the path file prints it (clock names in capitals).
  std::string printed_assignment(const Move &e) const {
    auto name = [this](int k) {
      std::string n = clock(k);
      for (char &ch : n) ch = static_cast<char>(toupper(ch));
      return n;
    };
    bool resets = false, copies = false;
    for (int k = 0; k < nclk; k++) {
      resets |= e.from[k] < 0;
      copies |= e.from[k] >= 0 && e.from[k] != k;
    }
    if (!resets && !copies) return "RESET{} ;";
    std::string s = "RESET{ ";
    for (int k = 0; k < nclk; k++)
      if (e.from[k] < 0) s += name(k) + " ";
    if (!copies) return s + "} ;";
    s += "}, ";
    for (int k = 0; k < nclk; k++)
      if (e.from[k] >= 0 && e.from[k] != k) s += name(k) + ":=" + name(e.from[k]) + " ";
    return s + ";";
  }

  bool satisfied(const std::vector<Atom> &as, const std::vector<int> &v) const {
    for (const Atom &a : as)
      if (!a.holds(v[a.clock], cap)) return false;
    return true;
  }
  std::vector<int> image(const Move &e, const std::vector<int> &v) const {
    std::vector<int> w(nclk);
    for (int k = 0; k < nclk; k++) w[k] = e.from[k] < 0 ? 0 : v[e.from[k]];
    return w;
  }

  using state = std::pair<int, std::vector<int>>;  // location, capped clocks

  // Every integer state reachable from `from` by integer delays (and moves
  // when with_moves). Exact for closed graphs: a
  // valuation with integer values is reachable in dense time exactly when
  // it is so by integer delays, and values above the largest constant
  // behave alike.
  std::set<state> reach(const std::set<state> &from, bool with_moves = true) const {
    std::set<state> seen;
    std::deque<state> work(from.begin(), from.end());
    while (!work.empty()) {
      state s = work.front();
      work.pop_front();
      if (!seen.insert(s).second) continue;
      std::vector<int> later = s.second;
      for (int &x : later) x = std::min(x + 1, cap);
      if (satisfied(inv[s.first], later)) work.push_back({s.first, later});
      if (!with_moves) continue;
      for (const Move &e : moves) {
        if (e.source != s.first || !satisfied(e.guard, s.second)) continue;
        std::vector<int> w = image(e, s.second);
        if (satisfied(inv[e.target], w)) work.push_back({e.target, w});
      }
    }
    return seen;
  }
  // The states of `from` after one move accepted by `use`, then delays.
  std::set<state> step(const std::set<state> &from, const std::function<bool(const Move &)> &use) const {
    std::set<state> next;
    for (const state &s : from)
      for (const Move &e : moves) {
        if (e.source != s.first || !use(e) || !satisfied(e.guard, s.second)) continue;
        std::vector<int> w = image(e, s.second);
        if (satisfied(inv[e.target], w)) next.insert({e.target, w});
      }
    return reach(next, false);
  }
  std::set<state> initial() const { return {{0, std::vector<int>(nclk, 0)}}; }
};

// The graphs of the shared generator, in this form.
Model from_graph(const random_graphs::Graph &g) {
  Model m;
  for (int l = 0; l < random_graphs::kLocs; l++) {
    m.inv.push_back(g.inv[l] < 0 ? std::vector<Atom>{} : std::vector<Atom>{{l % 2, "<=", g.inv[l]}});
    m.props.push_back(std::string(g.p[l] ? "P " : "") + (g.q[l] ? "Q" : ""));
  }
  for (const random_graphs::Edge &e : g.edges) {
    Move mv{e.source, e.target, {}, {}, ""};
    for (int c = 0; c < 2; c++) {
      mv.guard.push_back({c, ">=", e.lo[c]});
      if (e.hi[c] >= 0) mv.guard.push_back({c, "<=", e.hi[c]});
      mv.from.push_back(e.reset[c] ? -1 : c);
    }
    m.moves.push_back(mv);
  }
  return m;
}

// Random closed graphs of nloc locations over nclk clocks, with clock
// copies on some moves and guards on single clocks only.
Model with_copies(std::mt19937 &rng, int nloc = 4, int nclk = 3) {
  Model m;
  m.nloc = nloc;
  m.nclk = nclk;
  for (int l = 0; l < m.nloc; l++) {
    m.inv.emplace_back();
    if (pick(rng, 3) != 0) m.inv.back().push_back({pick(rng, nclk), "<=", 1 + pick(rng, random_graphs::kMax)});
    m.props.push_back(pick(rng, 3) == 0 ? "P" : "");
  }
  const int n = 3 + pick(rng, 5);
  for (int t = 0; t < n; t++) {
    Move e{pick(rng, m.nloc), pick(rng, m.nloc), {}, {}, ""};
    for (int c = 0; c < m.nclk; c++) {
      const int lo = pick(rng, 2) ? pick(rng, random_graphs::kMax + 1) : 0;
      if (lo > 0) e.guard.push_back({c, ">=", lo});
      if (pick(rng, 3) == 0) e.guard.push_back({c, "<=", lo + pick(rng, random_graphs::kMax + 1 - lo)});
      const int k = pick(rng, 4);
      e.from.push_back(k == 0 ? -1 : k == 1 ? pick(rng, m.nclk) : c);
    }
    m.moves.push_back(e);
  }
  return m;
}

// Some bounds of m made strict (x <= c to x < c, x >= c to x > c), never
// so that a guard or an invariant becomes empty.
void make_strict(Model &m, std::mt19937 &rng) {
  auto strict = [&](std::vector<Atom> &as) {
    const std::vector<Atom> before = as;
    for (Atom &a : as)
      if (pick(rng, 2) == 0) a.op = a.op == "<=" ? "<" : a.op == ">=" ? ">" : a.op;
    for (const Atom &a : as)
      for (const Atom &b : as) {
        if (a.clock != b.clock || a.op[0] != '>' || b.op[0] != '<') continue;
        if (a.c > b.c || (a.c == b.c && (a.op == ">" || b.op == "<"))) as = before;
      }
    for (const Atom &a : as)
      if (a.op == "<" && a.c == 0) as = before;
  };
  for (auto &inv : m.inv) strict(inv);
  for (Move &e : m.moves) strict(e.guard);
}

// The formula in text, parsed as from a formula file.
tctl_node *parse(const std::string &text) {
  FILE *in = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
  FILE *echo = fopen("/dev/null", "w");
  EXPECT_EQ(tctl_parse_formula(in, echo), 0) << text;
  fclose(in);
  fclose(echo);
  return tctl_formula();
}

template <typename F>
auto quietly(F f) {
  return simul_test::redirected(nullptr, f);
}

// Standard error of f, with its result.
template <typename F>
auto with_stderr(std::string &err, F f) {
  testing::internal::CaptureStderr();
  auto r = f();
  err = testing::internal::GetCapturedStderr();
  return r;
}

class LuSingle : public eval_test::Scratch {
 protected:
  void TearDown() override {
    free_zone(app_zone);
    app_zone = nullptr;
    OPT_SET = 0;
    MAX_SYMB_STATES = 1000;
    MAX_SYMB_STATES_GIVEN = 0;
    eval_test::Scratch::TearDown();
  }

  // Loads the graph (from its compiled files when an exact search follows:
  // that search starts the zone table afresh). A fresh compile runs as in
  // a new process: a compiler that still sees the flag of an earlier read
  // of compiled files drops the successor offsets.
  void load(const std::string &tg, bool compiled) {
    if (compiled) {
      simul_test::load_compiled(tg, "init");
      return;
    }
    READ_STRUCT = 0;
    quietly([&] { return eval_test::load(tg, "init"); });
    ASSERT_EQ(succs.size(), static_cast<size_t>(N_OF_STATES) + 1);
  }
  // The states of a formula on the loaded graph, evaluated backwards as the
  // tool does for -R. The caller frees them.
  states_region *goal_of(const std::string &formula) {
    tctl_node *f = parse(formula);
    return quietly([f] { return varnok_eval_back(f); });
  }

  // -abs lu from the initial states: 1 reached, 0 not, -1 stopped; its
  // standard error in err when asked.
  int lu(states_region *goal, bool dfs, std::string *err = nullptr) {
    OPT_SET = OPT_ABS_LU | (dfs ? OPT_DFS : 0);
    fill_run_context();
    states_region *init = varnok_mk_init_state(0);
    auto run = [&] { return quietly([&] { return lu_reach_one_tg(init, goal); }); };
    const int r = err != nullptr ? with_stderr(*err, run) : run();
    free_states_region(init);
    return r;
  }

  // The existing breadth-first search (mode: its abstraction options).
  int exact(states_region *goal, uint32_t mode) {
    OPT_SET = mode;
    MAX_SYMB_STATES = 100000;
    NB_FOUND_PATHS = 0;
    states_region *init = varnok_mk_init_state(0);
    int r = quietly([&] {
      free_zone_table();
      free_zone(app_zone);
      app_zone = nullptr;
      init_forward_analysis(0, goal);
      return reach_prop_sim_graph(init, goal);
    });
    free_states_region(init);
    EXPECT_NE(r, -1);
    return r;
  }
};

// Replays the path file on the integer states of m (closed graphs): it
// starts at the initial location; each transition block leads to the next
// location block and is a move of m with the printed assignment, enabled
// from the states of the path so far; the last states meet goal. Returns
// the number of moves.
int check_path(const Model &m, const std::function<bool(const Model::state &)> &goal) {
  std::ifstream in("_path.reach");
  EXPECT_TRUE(in.good()) << "no _path.reach";
  std::vector<int> locs;
  std::vector<std::string> trans;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("location: ", 0) == 0) locs.push_back(std::stoi(line.substr(10)));
    if (line.rfind("transition: ", 0) == 0) trans.push_back(line);
  }
  EXPECT_FALSE(locs.empty());
  if (locs.empty()) return -1;
  EXPECT_EQ(trans.size() + 1, locs.size());
  EXPECT_EQ(locs[0], 0) << "the path starts at an initial location";
  std::set<Model::state> now = m.reach(m.initial(), false);
  for (size_t i = 0; i < trans.size() && i + 1 < locs.size(); i++) {
    const std::string &t = trans[i];
    const size_t go = t.rfind("goto ");
    EXPECT_NE(go, std::string::npos) << t;
    if (go == std::string::npos) return -1;
    EXPECT_EQ(std::stoi(t.substr(go + 5)), locs[i + 1]) << "transition " << i << ": " << t;
    const size_t at = t.find("RESET{");
    const std::string assignment = t.substr(at, go - 1 - at);
    int candidates = 0;
    now = m.step(now, [&](const Move &e) {
      const bool ok = e.source == locs[i] && e.target == locs[i + 1] && m.printed_assignment(e) == assignment;
      candidates += ok;
      return ok;
    });
    EXPECT_GT(candidates, 0) << "no move " << locs[i] << " -> " << locs[i + 1] << " with " << assignment;
    EXPECT_FALSE(now.empty()) << "step " << i << " not enabled: " << t;
  }
  bool met = false;
  for (const Model::state &s : now) met |= goal(s);
  EXPECT_TRUE(met) << "the path ends outside the goal";
  return static_cast<int>(trans.size());
}

std::string dump_path() {
  std::ifstream in("_path.reach");
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Every location as the goal, breadth- and depth-first, against integer
// time; the witness of a reached goal is replayed.
TEST_F(LuSingle, LocationGoalsMatchIntegerTime) {
  std::mt19937 rng(1207);
  int reached = 0, missed = 0, longest = 0;
  for (int round = 0; round < 120; round++) {
    Model m = round % 3 == 2 ? with_copies(rng) : from_graph(random_graphs::random_graph(rng, 5));
    SCOPED_TRACE(m.text());
    std::set<int> locs;
    for (const auto &s : m.reach(m.initial())) locs.insert(s.first);
    load(m.text(), false);
    for (int l = 0; l < m.nloc; l++) {
      states_region *goal = varnok_select_state(l);
      for (int dfs = 0; dfs < 2; dfs++) {
        const int r = lu(goal, dfs);
        ASSERT_EQ(r, locs.count(l) ? 1 : 0) << "location " << l << " dfs " << dfs;
        if (r == 1) {
          const int n = check_path(m, [l](const Model::state &s) { return s.first == l; });
          longest = std::max(longest, n);
          if (HasFailure()) FAIL() << dump_path();
        }
        (r == 1 ? reached : missed)++;
      }
      free_states_region(goal);
    }
  }
  EXPECT_GT(reached, 200);
  EXPECT_GT(missed, 100);
  EXPECT_GE(longest, 3);
}

// Goals with clock constraints, evaluated backwards as the tool does, where
// integer time applies (closed graphs, closed goals).
TEST_F(LuSingle, ConstrainedGoalsMatchIntegerTime) {
  std::mt19937 rng(99);
  struct goal_formula {
    const char *text;
    std::function<bool(const Model &, const Model::state &)> holds;
  };
  auto has = [](const Model &m, int l, const char *p) { return m.props[l].find(p) != std::string::npos; };
  const std::vector<goal_formula> goals = {
      {"P and x0 >= 2", [&](const Model &m, const Model::state &s) { return has(m, s.first, "P") && s.second[0] >= 2; }},
      {"Q and x1 >= 3 and x0 <= 1",
       [&](const Model &m, const Model::state &s) { return has(m, s.first, "Q") && s.second[1] >= 3 && s.second[0] <= 1; }},
      {"x0 >= 3 and x1 >= 3 and not P",
       [&](const Model &m, const Model::state &s) { return !has(m, s.first, "P") && s.second[0] >= 3 && s.second[1] >= 3; }},
  };
  int reached = 0, missed = 0;
  for (int round = 0; round < 100; round++) {
    Model m = from_graph(random_graphs::random_graph(rng, 5));
    SCOPED_TRACE(m.text());
    std::set<Model::state> all = m.reach(m.initial());
    load(m.text(), false);
    for (const goal_formula &g : goals) {
      auto in_goal = [&](const Model::state &s) { return g.holds(m, s); };
      bool expected = false;
      for (const auto &s : all) expected |= in_goal(s);
      states_region *goal = goal_of(g.text);
      for (int dfs = 0; dfs < 2; dfs++) {
        const int r = lu(goal, dfs);
        ASSERT_EQ(r, expected ? 1 : 0) << g.text << " dfs " << dfs;
        if (r == 1) {
          check_path(m, in_goal);
          if (HasFailure()) FAIL() << dump_path();
        }
        (r == 1 ? reached : missed)++;
      }
      free_states_region(goal);
    }
  }
  EXPECT_GT(reached, 100);
  EXPECT_GT(missed, 100);
}

// The symbolic successors themselves, without extrapolation: the exact
// zones reached by at most three moves hold exactly the integer states
// (clocks within the constants) reached so in integer time.
TEST_F(LuSingle, ExactSuccessorsHoldTheIntegerStates) {
  std::mt19937 rng(8080);
  using key_zone = std::pair<std::vector<uint16_t>, std::vector<int16_t>>;
  for (int round = 0; round < 100; round++) {
    Model m = round % 2 ? with_copies(rng) : from_graph(random_graphs::random_graph(rng, 5));
    SCOPED_TRACE(m.text());
    load(m.text(), false);
    lu::model mod = lu::model::single(nullptr);
    ASSERT_EQ(mod.dim(), m.nclk + 1);
    states_region *init = varnok_mk_init_state(0);
    std::vector<key_zone> layer;
    mod.for_each_initial(init, nullptr, [&](const uint16_t *k, const int16_t *z) {
      layer.push_back({{k, k + 1}, {z, z + mod.dim() * mod.dim()}});
    });
    free_states_region(init);
    std::set<Model::state> want = m.reach(m.initial(), false), last = want;
    std::vector<key_zone> all = layer;
    for (int depth = 1; depth <= 3; depth++) {
      std::vector<key_zone> next;
      for (const key_zone &s : layer)
        mod.for_each_successor(s.first.data(), s.second.data(),
                               [&](int32_t, const uint16_t *k, int16_t *z, const lu::step_info &) {
                                 next.push_back({{k, k + 1}, {z, z + mod.dim() * mod.dim()}});
                                 return true;
                               });
      last = m.step(last, [](const Move &) { return true; });
      want.insert(last.begin(), last.end());
      all.insert(all.end(), next.begin(), next.end());
      layer.swap(next);
    }
    // Integer points with every clock at most the largest constant.
    std::set<Model::state> got;
    for (const key_zone &s : all) {
      std::vector<int> v(m.nclk + 1, 0);
      for (;;) {
        bool in = true;
        for (int i = 0; i <= m.nclk && in; i++)
          for (int j = 0; j <= m.nclk && in; j++) {
            const int16_t b = s.second[i * (m.nclk + 1) + j];
            if (i != j && b != INF_BOUND) in = bound_is_le(b) ? v[i] - v[j] <= bound_constant(b) : v[i] - v[j] < bound_constant(b);
          }
        if (in) got.insert({s.first[0], std::vector<int>(v.begin() + 1, v.end())});
        int i = 1;
        while (i <= m.nclk && v[i] == random_graphs::kMax) v[i++] = 0;
        if (i > m.nclk) break;
        v[i]++;
      }
    }
    std::set<Model::state> within;
    for (const Model::state &s : want)
      if (*std::max_element(s.second.begin(), s.second.end()) <= random_graphs::kMax) within.insert(s);
    ASSERT_EQ(got, within);
  }
}

// Strict bounds: the existing search with extrapolation decides.
TEST_F(LuSingle, StrictBoundsMatchExtrapolatedSearch) {
  std::mt19937 rng(555);
  const char *formulas[] = {"", "P and x0 > 2", "x1 > 1 and x1 < 2 and x0 < 1"};
  int reached = 0, missed = 0;
  for (int round = 0; round < 100; round++) {
    Model m = round % 2 ? with_copies(rng) : from_graph(random_graphs::random_graph(rng, 5));
    make_strict(m, rng);
    SCOPED_TRACE(m.text());
    load(m.text(), true);
    for (const char *f : formulas)
      for (int l = 0; l < (*f ? 1 : m.nloc); l++) {
        states_region *goal = *f ? goal_of(f) : varnok_select_state(l);
        const int lbfs = lu(goal, false), ldfs = lu(goal, true);
        const int want = exact(goal, OPT_ABS_XTRA);
        EXPECT_EQ(lbfs, want) << "location " << l << " " << f;
        EXPECT_EQ(ldfs, want) << "location " << l << " " << f << " (dfs)";
        (want == 1 ? reached : missed)++;
        free_states_region(goal);
      }
  }
  EXPECT_GT(reached, 150);
  EXPECT_GT(missed, 100);
}

// The bound on x0 at location 1 comes only from the test of x1 at location
// 2, through the copy x1 := x0: forgetting x0 at 1 would make x1 >= 3
// reachable at 2 (x0 - x1 <= 1 and x1 <= 1 at location 1 give x0 <= 2).
TEST_F(LuSingle, BoundsFollowClockCopies) {
  const std::string tg = R"(#states 4
#trans 3
#clocks 2
x0 x1
state: 0
prop: 
invar: true
trans:
x0 <= 1 => ; reset{ x1 } ; goto 1
state: 1
prop: 
invar: x1 <= 1
trans:
true => ; reset{ x0 } x1 := x0 ; goto 2
state: 2
prop: 
invar: true
trans:
x1 >= C and x0 <= 0 => ; reset{ } ; goto 3
state: 3
prop: GOAL
invar: true
trans:
)";
  for (int c : {2, 3})
    for (int dfs = 0; dfs < 2; dfs++) {
      std::string text = tg;
      text.replace(text.find("C and"), 1, std::to_string(c));
      load(text, false);
      states_region *goal = varnok_select_state(3);
      EXPECT_EQ(lu(goal, dfs), c == 2 ? 1 : 0) << "x1 >= " << c << " dfs " << dfs;
      free_states_region(goal);
    }
}

// Three locations in a cycle, each left once x reaches 1, and location 3,
// which nothing reaches.
const char *const kThreeCycleAndLoneState = R"(#states 4
#trans 3
#clocks 1
x
state: 0
prop: 
invar: x <= 1
trans:
x >= 1 => ; reset{ x } ; goto 1
state: 1
prop: 
invar: x <= 1
trans:
x >= 1 => ; reset{ x } ; goto 2
state: 2
prop: 
invar: x <= 1
trans:
x >= 1 => ; reset{ x } ; goto 0
state: 3
prop: 
invar: true
trans:
)";

// -FORW n stops the search once more than n states are stored.
TEST_F(LuSingle, StateLimit) {
  load(kThreeCycleAndLoneState, false);
  states_region *goal = varnok_select_state(3);
  for (int dfs = 0; dfs < 2; dfs++) {
    MAX_SYMB_STATES_GIVEN = 1;
    MAX_SYMB_STATES = 2;
    EXPECT_EQ(lu(goal, dfs), -1);
    MAX_SYMB_STATES = 3;
    EXPECT_EQ(lu(goal, dfs), 0);
    MAX_SYMB_STATES_GIVEN = 0;
    MAX_SYMB_STATES = 1;
    EXPECT_EQ(lu(goal, dfs), 0) << "-FORW not given: no limit";
  }
  free_states_region(goal);
}

// The search itself returns what it found and prints nothing: the path of
// a reached goal from an initial state along the moves taken, the limit,
// and the graph of the live states with every transition kept.
TEST_F(LuSingle, SearchReturnsPathLimitAndGraph) {
  load(kThreeCycleAndLoneState, false);
  states_region *init = varnok_mk_init_state(0);
  states_region *two = varnok_select_state(2), *three = varnok_select_state(3);
  for (bool dfs : {false, true}) {
    lu::search_params p;
    p.dfs = dfs;
    lu::model m = lu::model::single(two);
    testing::internal::CaptureStdout();
    const lu::result r = lu::search_model(m, init, nullptr, p);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    ASSERT_EQ(r.verdict, 1);
    ASSERT_EQ(r.path.size(), 3u);
    for (size_t i = 0; i < r.path.size(); i++) EXPECT_EQ(r.path[i].key[0], i);
    EXPECT_TRUE(r.path[0].via.w.empty());
    EXPECT_EQ(r.path[1].via.w, std::vector<int32_t>{0});
    EXPECT_EQ(r.path[2].via.w, std::vector<int32_t>{1});
    EXPECT_TRUE(r.graph.states.empty()) << "no graph unless asked for";

    p.limit = 1;
    lu::model cut = lu::model::single(three);
    EXPECT_EQ(lu::search_model(cut, init, nullptr, p).verdict, -1);

    p.limit = 0;
    p.keep_graph = true;
    lu::model whole = lu::model::single(nullptr);
    whole.drop_goal();
    const lu::result g = lu::search_model(whole, init, nullptr, p);
    EXPECT_EQ(g.verdict, 0);
    EXPECT_TRUE(g.path.empty());
    ASSERT_EQ(g.graph.states.size(), 3u);
    EXPECT_EQ(g.graph.nb_trans, 3u);
    EXPECT_EQ(g.graph.initial, (std::vector<bool>{true, false, false}));
    for (int32_t i = 0; i < 3; i++) {
      ASSERT_EQ(g.graph.trans[i].size(), 1u);
      EXPECT_EQ(g.graph.trans[i][0].first, (i + 1) % 3) << "the move back is included in state 0";
      EXPECT_EQ(g.graph.trans[i][0].second.w, std::vector<int32_t>{i});
    }
    EXPECT_EQ(g.stats.explored, 3);
    EXPECT_EQ(g.stats.transitions, 3);
  }
  free_states_region(init);
  free_states_region(two);
  free_states_region(three);
}

// Graphs whose clocks are bounded by the invariants (so that the exact
// graph is finite), with guards comparing the two clocks: no extrapolation,
// a warning, and the verdict of the exact search.
std::string diagonal_graph(std::mt19937 &rng) {
  const char *rel[] = {"<", "<=", ">=", ">"};
  const int n = 3 + pick(rng, 5);
  std::string s = "#states 4\n#trans " + std::to_string(n) + "\n#clocks 2\nx0 x1\n";
  std::vector<std::string> out(4);
  for (int t = 0; t < n; t++) {
    std::string g = pick(rng, 4) == 0 ? "true" : "x0 - x1 " + std::string(rel[pick(rng, 4)]) + " " + std::to_string(pick(rng, 5) - 2);
    if (pick(rng, 2)) g += " and x" + std::to_string(pick(rng, 2)) + " " + rel[pick(rng, 4)] + " " + std::to_string(pick(rng, 4));
    std::string r;
    for (int c = 0; c < 2; c++)
      if (pick(rng, 3) == 0) r += " x" + std::to_string(c);
    out[pick(rng, 4)] += g + " => ; reset{" + r + " } ; goto " + std::to_string(pick(rng, 4)) + "\n";
  }
  for (int l = 0; l < 4; l++)
    s += "state: " + std::to_string(l) + "\nprop: " + (l == 3 ? "P" : "") + "\ninvar: x0 <= " +
         std::to_string(1 + pick(rng, 4)) + " and x1 <= " + std::to_string(1 + pick(rng, 4)) + "\ntrans:\n" + out[l];
  return s;
}

TEST_F(LuSingle, DiagonalGuardsFallBackToExactExploration) {
  std::mt19937 rng(2718);
  int reached = 0, missed = 0, diagonal = 0;
  for (int round = 0; round < 100; round++) {
    const std::string tg = diagonal_graph(rng);
    SCOPED_TRACE(tg);
    const bool has_diagonal = tg.find(" - ") != std::string::npos;
    load(tg, true);
    for (int l = 1; l < 4; l++) {
      states_region *goal = varnok_select_state(l);
      // Diagonal guards may all be empty or implied by the invariants.
      const bool extrapolates = lu::model::single(goal).extrapolates();
      if (!has_diagonal) {
        EXPECT_TRUE(extrapolates);
      }
      diagonal += !extrapolates;
      std::string err;
      const int lbfs = lu(goal, false, &err);
      EXPECT_EQ(err.find("diagonal constraints") != std::string::npos, !extrapolates) << err;
      const int ldfs = lu(goal, true, &err);
      const int want = exact(goal, 0);
      EXPECT_EQ(lbfs, want) << "location " << l;
      EXPECT_EQ(ldfs, want) << "location " << l << " (dfs)";
      (want == 1 ? reached : missed)++;
      free_states_region(goal);
    }
  }
  EXPECT_GT(reached, 50);
  EXPECT_GT(missed, 50);
  EXPECT_GT(diagonal, 200);
}

// Graphs whose runs take clocks past the largest constant (16382): x1 is
// never reset, x0 waits long delays between resets, x2 is reset now and
// then; guards compare the clocks with each other and with constants near
// the limits. Moves go forwards only (the graphs are finite without
// extrapolation), and diagonal guards keep the LU extrapolation off.
std::string limit_graph(std::mt19937 &rng) {
  const char *rel[] = {"<", "<=", ">=", ">"};
  const int big[] = {2, 1000, 5000, 8191, 8192, 12000, 16000, 16381, 16382};
  auto constant = [&] { return big[pick(rng, 9)] + pick(rng, 3) - 2; };
  const int nloc = 5, n = 5 + pick(rng, 4);
  std::vector<std::string> out(nloc);
  int count = 0;
  for (int t = 0; t < n; t++) {
    const int from = pick(rng, nloc - 1), to = from + 1 + pick(rng, nloc - 1 - from);
    std::vector<std::string> atoms;
    // A window on x0 (lower bound first): its upper bound plus a large
    // x1 - x0 passes the largest constant.
    const int low = 1 + pick(rng, 3000);
    if (pick(rng, 2)) atoms.push_back("x0 >= " + std::to_string(low) + " and x0 <= " + std::to_string(low + pick(rng, 2000)));
    else if (pick(rng, 2)) atoms.push_back("x0 >= " + std::to_string(constant()));
    const int kind = pick(rng, 4);
    const int c = std::min(constant(), 16382);
    if (kind == 0) atoms.push_back("x1 - x2 " + std::string(rel[pick(rng, 4)]) + " " + std::to_string(pick(rng, 2) ? c : -c));
    if (kind == 1) atoms.push_back("x1 - x0 " + std::string(rel[pick(rng, 4)]) + " " + std::to_string(c));
    if (kind == 2) atoms.push_back("x1 " + std::string(rel[pick(rng, 4)]) + " " + std::to_string(c));
    if (pick(rng, 4) == 0) atoms.push_back("x0 <= " + std::to_string(c));
    std::string g = atoms.empty() ? "true" : atoms[0];
    for (size_t a = 1; a < atoms.size(); a++) g += " and " + atoms[a];
    std::string r = pick(rng, 4) ? " x0" : "";
    if (pick(rng, 3) == 0) r += " x2";
    out[from] += g + " => ; reset{" + r + " } ; goto " + std::to_string(to) + "\n";
    count++;
  }
  // Never taken: a diagonal on its own keeps the extrapolation off.
  out[0] += "x0 - x1 > 1 => ; reset{ } ; goto 0\n";
  count++;
  // Long waits: x0 runs up to a large constant, then is reset.
  std::vector<std::string> inv(nloc, "true");
  for (int l = 0; l + 1 < nloc; l++) {
    if (pick(rng, 3) == 0) continue;
    const std::string k = std::to_string(big[5 + pick(rng, 4)] - pick(rng, 500));
    inv[l] = "x0 <= " + k;
    out[l] += "x0 >= " + k + " => ; reset{ x0 } ; goto " + std::to_string(l + 1) + "\n";
    count++;
  }
  std::string s = "#states " + std::to_string(nloc) + "\n#trans " + std::to_string(count) + "\n#clocks 3\nx0 x1 x2\n";
  for (int l = 0; l < nloc; l++)
    s += "state: " + std::to_string(l) + "\nprop: L" + std::to_string(l) + "\ninvar: " + inv[l] + "\ntrans:\n" + out[l];
  return s;
}

// -abs lu (both orders) against the exact breadth-first search and the
// backward evaluator, on location goals and goals testing the clocks near
// and past the limit.
TEST_F(LuSingle, DiagonalGraphsPastTheLargestConstantMatchExactSearches) {
  std::mt19937 rng(16382);
  int reached = 0, missed = 0;
  const char *tests[] = {"", " and x1 > 16382", " and x1 - x2 >= 8000", " and x1 - x0 < 16000"};
  for (int round = 0; round < 40; round++) {
    const std::string tg = limit_graph(rng);
    SCOPED_TRACE(tg);
    load(tg, true);
    for (int l = 1; l < 5; l++) {
      const std::string g = "L" + std::to_string(l) + tests[pick(rng, 4)];
      SCOPED_TRACE(g);
      states_region *goal = goal_of(g);
      ASSERT_FALSE(lu::model::single(goal).extrapolates());
      const int want = exact(goal, 0);
      std::string err;
      EXPECT_EQ(lu(goal, false, &err), want);
      EXPECT_EQ(lu(goal, true, &err), want) << "(dfs)";
      states_region *back = goal_of("init and ED (" + g + ")");
      EXPECT_EQ(is_not_empty_states_region(back) != 0, want == 1) << "backward";
      (want == 1 ? reached : missed)++;
      free_states_region(back);
      free_states_region(goal);
    }
  }
  EXPECT_GT(reached, 40);
  EXPECT_GT(missed, 30);
}

// A diagonal in the goal alone also turns the extrapolation off.
TEST_F(LuSingle, DiagonalGoalFallsBack) {
  const std::string tg = R"(#states 2
#trans 1
#clocks 2
x0 x1
state: 0
prop: 
invar: x0 <= 3
trans:
x0 >= 1 and x0 <= 2 => ; reset{ x1 } ; goto 1
state: 1
prop: P
invar: x0 <= 3 and x1 <= 3
trans:
)";
  load(tg, true);
  states_region *plain = goal_of("P and x0 >= 2");
  EXPECT_TRUE(lu::model::single(plain).extrapolates());
  free_states_region(plain);
  for (const char *rel : {">= 1", ">= 2", "> 2"}) {
    const std::string f = std::string("P and x0 - x1 ") + rel;
    const int want = std::string(rel) == "> 2" ? 0 : 1;
    states_region *diag = goal_of(f);
    EXPECT_FALSE(lu::model::single(diag).extrapolates()) << f;
    for (int dfs = 0; dfs < 2; dfs++) {
      std::string err;
      EXPECT_EQ(lu(diag, dfs, &err), want) << f;
      EXPECT_NE(err.find("diagonal constraints"), std::string::npos) << err;
    }
    EXPECT_EQ(exact(diag, 0), want) << f;
    free_states_region(diag);
  }
}

// ---------------------------------------------------------------------------
// Networks: 2 or 3 automata of 3 locations, one or two clocks each, moves
// labelled s or t (synchronising: every automaton with the label moves) or
// with a local label; location l of automaton a carries A<a>L<l>.

Model random_component(std::mt19937 &rng, int a) {
  Model m = with_copies(rng, 3, 1 + pick(rng, 2));
  make_strict(m, rng);
  m.prefix = std::string(1, static_cast<char>('c' + a));
  for (int l = 0; l < m.nloc; l++)
    m.props[l] = (l == 0 ? "INIT " : "") + std::string("A") + std::to_string(a) + "L" + std::to_string(l);
  for (Move &e : m.moves) {
    const int lab = pick(rng, 3);
    e.label = lab == 0 ? "s" : lab == 1 ? "t" : "e" + std::to_string(a);
  }
  return m;
}

class LuProduct : public compo_test::Product {
 protected:
  void TearDown() override {
    MAX_SYMB_STATES = 1000;
    MAX_SYMB_STATES_GIVEN = 0;
    compo_test::Product::TearDown();
  }
  void unload() {
    free_compo_tables();
    free_zone(TA_approx_zone);
    TA_approx_zone = nullptr;
    clear_tg_tables();
    free_zone_table();
  }
};

TEST_F(LuProduct, VerdictsMatchExactBreadthFirstSearch) {
  std::mt19937 rng(31337);
  int reached = 0, missed = 0, traces = 0;
  for (int round = 0; round < 100; round++) {
    const int n = 2 + pick(rng, 2);
    std::vector<std::pair<std::string, std::string>> models;
    std::string all;
    for (int a = 0; a < n; a++) {
      models.push_back({"a" + std::to_string(a), random_component(rng, a).text()});
      all += models.back().second;
    }
    SCOPED_TRACE(all);
    if (round > 0) unload();
    load(models);
    if (HasFatalFailure()) return;
    tctl_node *init = parse("init");
    for (int g = 0; g < 3; g++) {
      std::string goal;
      for (int a = 0; a < n; a++) {
        if (a > 0 && pick(rng, 3) == 0) continue;
        if (!goal.empty()) goal += " and ";
        if (pick(rng, 4) == 0) goal += "not ";
        goal += "A" + std::to_string(a) + "L" + std::to_string(pick(rng, 3));
      }
      tctl_node *reach = parse(goal);
      int lu_r[2];
      for (int dfs = 0; dfs < 2; dfs++) {
        OPT_SET = OPT_ABS_LU | (dfs ? OPT_DFS : 0);
        fill_run_context();
        std::string err;
        lu_r[dfs] = with_stderr(err, [&] { return quietly([&] { return lu_reach_product(init, reach); }); });
        EXPECT_EQ(err.find("diagonal"), std::string::npos) << err;
        if (lu_r[dfs] == 1) {
          traces += compo_test::read_file(std::string(my_filename) + ".trace").find("-- Trace #1") != std::string::npos;
        }
      }
      OPT_SET = OPT_ABS_XTRA;
      MAX_SYMB_STATES = 20000;
      std::string err;
      // One search per process in a real run: the zones and the
      // extrapolation zone of the last one go first.
      free_zone(TA_approx_zone);
      TA_approx_zone = nullptr;
      free_zone_table();
      const int want = with_stderr(err, [&] { return quietly([&] { return reach_prop_simulation_graph_bfs(init, reach); }); });
      ASSERT_NE(want, -1) << "exact search too large";
      EXPECT_EQ(lu_r[0], want) << goal;
      EXPECT_EQ(lu_r[1], want) << goal << " (dfs)";
      (want == 1 ? reached : missed)++;
    }
  }
  EXPECT_GT(reached, 60);
  EXPECT_GT(missed, 40);
  EXPECT_EQ(traces, 2 * reached);
}

}  // namespace
