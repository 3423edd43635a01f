// The entry points of the -abs lu search.

#include "varnok/lu_drive.h"

#include <cstdio>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "common/util/my_files.h"
#include "common/util/stattime.h"
#include "varnok/lu_model.h"
#include "varnok/lu_search.h"
#include "varnok/lu_writers.h"
#include "varnok/name_warnings.h"
#include "varnok/parallel_search.h"
#include "varnok/progress.h"
#include "varnok/run_text.h"
#include "varnok/run_context.h"
#include "varnok/varnok_options.h"
#include "varnok/verdict.h"

namespace {

// The totals of a finished search's store.
struct totals {
  long long stored, covered;
  size_t bytes;
};

totals totals_of(const lu::result &s) {
  return {s.store.size() - s.store.nb_covered(), s.store.nb_covered(), s.store.bytes()};
}

totals totals_of(const lu::parallel_result &s) { return {s.stored, s.covered, s.bytes}; }

void print_counts(FILE *f, const lu::result &s, const totals &t) {
  progress::done();
  verdict::stat("states_stored", t.stored);
  verdict::stat("states_explored", s.stats.explored);
  verdict::stat("states_covered", t.covered);
  verdict::stat("transitions", s.stats.transitions);
  fprintf(f, "%s: abs lu: %lld states stored, %lld explored, %lld covered, %lld transitions, %zu bytes in store, peak memory %ld kB\n",
          tool, t.stored, s.stats.explored, t.covered, s.stats.transitions, t.bytes, peak_memory_kb());
}

// Runs the search of m with p on the run's threads and hands the result
// and its totals to f: without -j (or with -j 1, or depth-first) the
// sequential search runs, as it always has.
template <typename F>
int searched(const run_context &c, lu::model &m, states_region *init_table, const tctl_node *init_formula,
             const lu::search_params &p, F f) {
  if (c.jobs > 1 && !p.dfs) {
    const lu::parallel_result s = lu::search_parallel(m, init_table, init_formula, p, c.jobs);
    return f(s.found, totals_of(s));
  }
  const lu::result s = lu::search_model(m, init_table, init_formula, p);
  return f(s, totals_of(s));
}

// The initial states of a product: every clock 0, or (-Inv) the whole
// invariant of the initial locations.
lu::initial_mode initial_mode_of(const run_context &c) {
  return c.has(OPT_INV) ? lu::initial_mode::whole_invariant : lu::initial_mode::from_zero;
}

void warn_if_exact(const lu::model &m) {
  if (m.extrapolates()) return;
  fprintf(stderr, "%s: warning: diagonal constraints make the LU extrapolation unsound; ", tool);
  fprintf(stderr, "-abs lu explores without extrapolation\n");
}

// Under -run: the concrete run of a witness path, ending in the goal zones
// of the single graph (anywhere for products); drawn under -dot.
void write_run(const run_context &c, const std::vector<lu::path_step> &path, const lu::model &m, states_region *init) {
  run::witness w;
  w.product = m.is_product();
  w.start.assign(path.front().key.begin(), path.front().key.end());
  for (size_t i = 1; i < path.size(); i++) w.moves.push_back(path[i].via.w);
  if (!w.product) w.target = m.goal_zones(path.back().key[0]);
  const run::origin o = w.product ? run::product_origin(c.has(OPT_INV)) : run::initial_origin(init);
  run_write_witness(std::move(w), o, 1, run_pictures_of(c.options));
}

lu::search_params params_of(const run_context &c, bool dfs) {
  lu::search_params p;
  p.dfs = dfs;
  p.limit = c.max_symb_states_given ? c.max_symb_states : 0;
  return p;
}

// Runs f, ending the process with "not enough memory" when the store
// cannot grow.
template <typename F>
int guarded(F f) {
  try {
    return f();
  } catch (const std::bad_alloc &) {
    out_of_memory();
  }
}

// The verdict line of a reachability search that returned r.
void print_reachability(int r, int limit) {
  if (r == 1) printf("%s: Reachability: TRUE.\n", tool);
  else if (r == 0) printf("%s: Reachability: FALSE.\n", tool);
  else printf("%s: Reachability: INCOMPLETE (search limited at -FORW %d states).\n", tool, limit);
}

// The search of goal from init on the one graph (depth-first when dfs),
// its witness written to _path.reach (and _run.reach under -run); report
// prints the lines of a reachability run around it. Returns 1 found, 0 not,
// -1 stopped at -FORW.
int search_one_tg(const run_context &c, states_region *init, states_region *goal, bool dfs, bool report) {
  return guarded([&] {
    lu::check_key_width(false);
    lu::model m = lu::model::single(goal);
    warn_if_exact(m);
    if (report) printf("%s: Evaluating reachability property... \n", tool);
    return searched(c, m, init, nullptr, params_of(c, dfs), [&](const lu::result &s, const totals &t) {
      const int r = s.verdict;
      if (r == 1) {
        lu::write_single_path(s.path);
        if (c.has(OPT_RUN)) write_run(c, s.path, m, init);
      }
      if (report) print_reachability(r, c.max_symb_states);
      print_counts(stdout, s, t);
      return r;
    });
  });
}

}  // namespace

int lu_reach_one_tg(states_region *init, states_region *goal) {
  const run_context &c = this_run();
  return search_one_tg(c, init, goal, c.has(OPT_DFS), true);
}

int lu_search_one_tg(states_region *init, states_region *goal) {
  return search_one_tg(this_run(), init, goal, false, false);
}

void print_product_verdict(int verdict, size_t path_size, int limit) {
  if (verdict == 1) {
    fprintf(stderr, "%s: Reachability successful. Sample-trace length: %zu\n", tool, path_size - 1);
  } else if (verdict == 0) {
    fprintf(stderr, "Reachability failed.\n");
    fprintf(stderr, "Full state space explored.\n");
  } else {
    fprintf(stderr, "Reachability failed. Warning: part of state space explored.\n");
    fprintf(stderr, "Search limited at -FORW %d states.\n", limit);
  }
}

int lu_reach_product(const tctl_node *init, const tctl_node *reach) {
  const run_context &c = this_run();
  // A refused formula is named in the user's terms, the initial condition
  // first, then the goal.
  bool refused = false;
  for (const auto &[f, role] : {std::pair{init, "initial condition"}, std::pair{reach, "goal"}}) {
    const std::string why = why_not_location_formula(f, role);
    if (!why.empty()) fprintf(stderr, "%s: %s\n%s", tool, why.c_str(), unknown_clock_line(f).c_str());
    refused = refused || !why.empty();
  }
  if (refused) return -2;
  return guarded([&] {
    lu::check_key_width(true);
    lu::model m = lu::model::product(reach, initial_mode_of(c));
    warn_if_exact(m);
    return searched(c, m, nullptr, init, params_of(c, c.has(OPT_DFS)), [&](const lu::result &s, const totals &t) {
      const int r = s.verdict;
      if (r == 1) {
        lu::write_product_trace(s.path);
        if (c.has(OPT_RUN)) write_run(c, s.path, m, nullptr);
      }
      print_product_verdict(r, s.path.size(), c.max_symb_states);
      print_counts(stderr, s, t);
      return r;
    });
  });
}

namespace {

// Under -FORW n the search stopped before the graph was whole: the run is
// aborted as the exact forward engine aborts at its limit, and with -h the
// graph so far is written (by write) as abort.sim, a name that says it is
// cut. The states kept but not explored show no transitions there.
template <typename Write>
void report_cut(const run_context &c, const lu::model &m, const lu::result &s, Write write) {
  fprintf(stderr, "%s abort: too many symbolic states (current MAX_SYMB_STATES = %d;)\n", tool, c.max_symb_states);
  fprintf(stderr, "hint: under -abs lu only '-FORW n' limits the search: raise n, or leave it out.\n");
  if (!c.has(OPT_HISTORY)) return;
  const std::string name = result_path("abort.sim");
  FILE *f = open_output(name.c_str(), "w");
  if (f == nullptr) {
    fprintf(stderr, "%s: cannot open file %s\n", tool, name.c_str());
    return;
  }
  write(m, s, f);
  close_output(f);
  printf("%s: file %s dumped\n", tool, name.c_str());
}

// The simulation graph of m from its initial states, written by write into
// out; the counts line goes to counts; then close_sim runs and draw draws
// the picture (when one is asked for). A search cut by -FORW writes nothing
// into out and draws nothing (see report_cut).
template <typename Write, typename Draw>
int sim_graph(const run_context &c, lu::model m, states_region *init_table, const tctl_node *init_formula, FILE *out,
              Write write, Draw draw, FILE *counts, const std::function<void()> &close_sim, const std::string &picture) {
  m.drop_goal();
  warn_if_exact(m);
  lu::search_params p = params_of(c, false);
  p.keep_graph = true;
  return searched(c, m, init_table, init_formula, p, [&](const lu::result &s, const totals &t) {
    const int r = s.verdict;
    if (r < 0) {
      report_cut(c, m, s, write);
      print_counts(counts, s, t);
      return r;
    }
    write(m, s, out);
    print_counts(counts, s, t);
    if (close_sim) close_sim();
    if (!picture.empty()) draw(m, s, picture);
    return r;
  });
}

}  // namespace

int lu_sim_graph_one_tg(states_region *init, FILE *out, const std::function<void()> &close_sim,
                        const std::string &picture) {
  const run_context &c = this_run();
  return guarded([&] {
    lu::check_key_width(false);
    return sim_graph(
        c, lu::model::single(nullptr), init, nullptr, out,
        [](const lu::model &, const lu::result &s, FILE *f) { lu::write_single_graph(s.store, s.graph, f); },
        [](const lu::model &m, const lu::result &s, const std::string &path) {
          lu::draw_single_graph(m, s.store, s.graph, path);
        },
        stdout, close_sim, picture);
  });
}

int lu_sim_graph_product(const tctl_node *init, FILE *out, const std::function<void()> &close_sim,
                         const std::string &picture) {
  const run_context &c = this_run();
  return guarded([&] {
    lu::check_key_width(true);
    return sim_graph(
        c, lu::model::product(nullptr, initial_mode_of(c)), nullptr, init, out,
        [](const lu::model &m, const lu::result &s, FILE *f) { lu::write_product_graph(m, s.store, s.graph, f); },
        [](const lu::model &m, const lu::result &s, const std::string &path) {
          lu::draw_product_graph(m, s.store, s.graph, path);
        },
        stderr, close_sim, picture);
  });
}
