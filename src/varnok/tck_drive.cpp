// Runs on a model with data.

#include "varnok/tck_drive.h"

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "common/util/stattime.h"
#include "varnok/concrete_run.h"
#include "varnok/dot_format.h"
#include "varnok/lu_drive.h"
#include "varnok/lu_search.h"
#include "varnok/progress.h"
#include "varnok/run_context.h"
#include "varnok/stale_results.h"
#include "varnok/tck_dot.h"
#include "varnok/tck_reader.h"
#include "varnok/tck_semantics.h"
#include "varnok/tck_unfold.h"
#include "varnok/varnok_formula.h"
#include "varnok/varnok_single.h"
#include "varnok/varnok_options.h"
#include "varnok/verdict.h"

namespace {

constexpr size_t MAX_FILE = 64u << 20;

std::string read_all(const std::string &path) {
  FILE *f = fopen(path.c_str(), "rb");
  if (f == nullptr) fatal_cannot_open(stderr, 1, path.c_str());
  std::string text;
  char buf[65536];
  for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;) {
    text.append(buf, n);
    if (text.size() > MAX_FILE) {
      fclose(f);
      fatal(stderr, 1, "%s: %s: file larger than %zu bytes\n", tool, path.c_str(), MAX_FILE);
    }
  }
  fclose(f);
  return text;
}

// The goal text: the one of -R, or the contents of the file of -r.
std::string goal_text(const run_context &c) {
  std::string text;
  bool given = false;
  for (const auto &[name, t] : c.formula_texts)
    if (name == c.reach_name) text = t, given = true;
  if (!given) text = read_all(c.reach_name);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

void print_counts(const lu::result &s) {
  const lu::state_store &st = s.store;
  progress::done();
  verdict::stat("states_stored", st.size() - st.nb_covered());
  verdict::stat("states_explored", s.stats.explored);
  verdict::stat("states_covered", st.nb_covered());
  verdict::stat("transitions", s.stats.transitions);
  fprintf(stderr, "%s: abs lu: %d states stored, %lld explored, %d covered, %lld transitions, %zu bytes in store, peak memory %ld kB\n",
          tool, st.size() - st.nb_covered(), s.stats.explored, st.nb_covered(), s.stats.transitions, st.bytes(),
          peak_memory_kb());
}

// "< P1.l1, P2.l2, ..., v = 1, a[0] = 2 >": the discrete part of a state.
void print_state(FILE *f, const tck::data_model &m, const uint16_t *key, bool newline = true) {
  const tck::system &s = m.model();
  fputs("< ", f);
  for (size_t p = 0; p < s.processes.size(); p++)
    fprintf(f, "%s%s.%s", p ? ", " : "", s.processes[p].name.c_str(), s.processes[p].locations[key[p]].name.c_str());
  for (int v = 0; v < s.nb_vars; v++) fprintf(f, ", %s = %d", s.var_name(v).c_str(), m.value(key, v));
  fputs(newline ? " >\n" : " >", f);
}

// The trace of a reached goal: each state, and between two states the
// edges taken.
void write_trace(const tck::data_model &m, const std::vector<lu::path_step> &path) {
  const tck::system &s = m.model();
  FILE *f = my_fopen2_result(".trace", "w");
  if (f == nullptr) fatal_cannot_open(stderr, 1, my_result_path(".trace").c_str());
  fputs("-- Trace #1 -- \n", f);
  for (size_t i = 0; i < path.size(); i++) {
    if (i > 0) {
      fputs("  --- ", f);
      bool first = true;
      for (int32_t e : path[i].via.w)
        if (e >= 0) {
          fprintf(f, "%s%s", first ? "" : " + ", s.edge_name(e).c_str());
          first = false;
        }
      fputs(" --->\n", f);
    }
    print_state(f, m, path[i].key.data());
  }
  fputs("\n\n", f);
  close_output(f);
  fprintf(stderr, "%s: Trace #1 dumped in file %s\n", tool, my_result_path(".trace").c_str());
}

// The clock values of v: "x=0 y=3/2".
std::string values(const tck::system &s, const run::valuation &v) {
  std::string out;
  for (int x = 1; x <= s.nb_clocks; x++) out += (x > 1 ? " " : "") + s.clock_name(x) + "=" + v[x].text();
  return out;
}

// The concrete run of a witness path: the exact pieces of each move, then
// a run picked backwards through them (exact rational delays).
bool concrete_run_of(tck::data_model &m, const std::vector<lu::path_step> &path, run::concrete_run &out,
                     std::vector<std::vector<uint16_t>> &assigns, std::string &why) {
  std::vector<run::exact_state> states(path.size());
  m.initial_entry(states[0].entry);
  states[0].zone = path[0].zone;
  std::vector<std::vector<int32_t>> moves;
  for (size_t i = 1; i < path.size(); i++) {
    tck::step_parts parts;
    if (!m.parts_of(path[i - 1].key.data(), path[i - 1].zone.data(), path[i].via, parts)) {
      why = "the path cannot be followed in the model";
      return false;
    }
    states[i].entry = std::move(parts.entry);
    states[i].zone = std::move(parts.zone);
    states[i].guard = std::move(parts.guard);
    states[i].assign = parts.assign;
    assigns.push_back(std::move(parts.assign));
    moves.push_back(path[i].via.w);
  }
  // The run ends where the goal's clock constraints hold.
  if (!m.goal_zone(path.back().key.data(), states.back().zone.data())) {
    why = "the goal's clock constraints do not meet the last zone";
    return false;
  }
  return run::pick_run(states, m.dim(), moves, out, why);
}

// The discrete part of a state as print_state writes it.
std::string state_text(const tck::data_model &m, const uint16_t *key) {
  return dot::text_of([&](FILE *f) { print_state(f, m, key, false); });
}

// Under -run: the concrete run of the witness to <model>_run.reach, each
// step with its delay, the edges taken, the state reached (locations and
// integer values) and the clocks set; with picture, also drawn as a path
// of moments (<model>_run.dot).
void write_run(tck::data_model &m, const std::vector<lu::path_step> &path, bool picture) {
  const tck::system &s = m.model();
  run::concrete_run r;
  std::vector<std::vector<uint16_t>> assigns;
  std::string why;
  if (!concrete_run_of(m, path, r, assigns, why)) {
    fprintf(stderr, "%s: no concrete run for the witness: %s\n", tool, why.c_str());
    return;
  }
  const std::string name = my_result_path("_run.reach");
  FILE *f = my_fopen2_result("_run.reach", "w");
  if (f == nullptr) fatal_cannot_open(stderr, 1, name.c_str());
  fprintf(f, "run #1: %zu transitions\n", r.steps.size());
  fputs("initial: ", f);
  print_state(f, m, path[0].key.data(), false);
  fprintf(f, "  %s\n", values(s, r.initial).c_str());
  for (size_t i = 0; i < r.steps.size(); i++) {
    const run::step &st = r.steps[i];
    fprintf(f, "delay %s -> %s\n", st.delay.text().c_str(), values(s, st.before).c_str());
    fputs("transition", f);
    for (int32_t e : st.move)
      if (e >= 0) fprintf(f, " %s", s.edge_name(e).c_str());
    fputs(" -> ", f);
    print_state(f, m, path[i + 1].key.data(), false);
    fputs(" ;", f);
    bool any = false;
    for (int x = 1; x <= s.nb_clocks; x++)
      if (assigns[i][x] == 0) {
        fprintf(f, " %s:=%s", s.clock_name(x).c_str(), st.after[x].text().c_str());
        any = true;
      }
    fprintf(f, "%s -> %s\n", any ? "" : " -", values(s, st.after).c_str());
  }
  fprintf(f, "delay %s -> %s\n", r.last_delay.text().c_str(), values(s, r.end).c_str());
  close_output(f);
  fprintf(stderr, "%s: Run #1 dumped in file %s\n", tool, name.c_str());
  if (!picture) return;
  // A moment is a state with its clock values as the run enters it; a step
  // is the delay before a move and the move.
  std::vector<std::string> moments{state_text(m, path[0].key.data()) + "\n" + values(s, r.initial)}, steps;
  for (size_t i = 0; i < r.steps.size(); i++) {
    const run::step &st = r.steps[i];
    std::string label = "delay " + st.delay.text();
    for (int32_t e : st.move)
      if (e >= 0) label += "\n" + s.edge_name(e);
    std::string set;
    for (int x = 1; x <= s.nb_clocks; x++)
      if (assigns[i][x] == 0) set += " " + s.clock_name(x) + ":=" + st.after[x].text();
    if (!set.empty()) label += "\n;" + set;
    steps.push_back(label);
    moments.push_back(state_text(m, path[i + 1].key.data()) + "\n" + values(s, st.after));
  }
  dot_write_run(std::string(my_filename) + "_run.dot", moments, steps);
}

}  // namespace

bool is_tck_name(const std::string &name) { return name.size() > 4 && name.compare(name.size() - 4, 4, ".tck") == 0; }

// The model of file path, read (a mistake ends the run).
static void read_tck(const std::string &path, tck::system &sys) {
  std::string err;
  if (!tck::read_model(read_all(path), path, sys, err)) fatal(stderr, 1, "%s\n", err.c_str());
}

int tck_formula(const run_context &c, const std::string &path, char *formula, const char *formula_text) {
  tck::system sys;
  read_tck(path, sys);
  tck::data_model m(sys, -1);
  const std::string tg = path.substr(0, path.size() - 4) + "_data.tg";
  std::string why;
  if (!tck::write_unfolded(m, tg, why)) fatal(stderr, 1, "%s: %s: %s\n", tool, path.c_str(), why.c_str());
  printf("%s: file %s created\n", tool, tg.c_str());
  std::vector<char> name(tg.begin(), tg.end());
  name.push_back('\0');
  if (formula_text != nullptr) {
    on_line_to_file_formula(formula_text, c.form_name.c_str());
    return evaluate_formula_tg(name.data(), formula_source::given(c.form_name.c_str(), formula_text));
  }
  return evaluate_formula_tg(name.data(), formula_named(c, formula));
}

int tck_run(const run_context &c, const std::string &path) {
  if (!c.has(OPT_ABS_LU) || !c.has(OPT_REACH))
    fatal(stderr, 1, "%s: a .tck model is searched with -abs lu -R GOAL (or -r FILE)\n", tool);
  tck::system sys;
  read_tck(path, sys);
  std::string base = path.substr(0, path.size() - 4);
  name_scope scope(base);
  // The witness files belong to the last run that completed: those of an
  // earlier run that this one does not replace are removed at its end.
  stale_results_arm_witness({my_result_path(".trace"), my_result_path("_run.reach"), my_result_path("_run.dot")});
  std::string err;
  int goal = -1;
  std::vector<tck::clock_atom> goal_clocks;
  if (!tck::parse_goal(sys, goal_text(c), goal, goal_clocks, err)) fatal(stderr, 1, "%s: goal: %s\n", tool, err.c_str());
  const bool dfs = c.has(OPT_DFS);
  fprintf(stderr, "Using %s search with LU bounds and inclusion, ", dfs ? "depth-first" : "breadth-first");
  if (c.max_symb_states_given) fprintf(stderr, "at most %d symbolic states\n", c.max_symb_states);
  else fprintf(stderr, "no limit on symbolic states\n");
  try {
    tck::data_model m(sys, goal, std::move(goal_clocks));
    if (!m.extrapolates()) {
      fprintf(stderr, "%s: warning: diagonal constraints make the LU extrapolation unsound; ", tool);
      fprintf(stderr, "-abs lu explores without extrapolation\n");
    }
    lu::search_params p;
    p.dfs = dfs;
    p.limit = c.max_symb_states_given ? c.max_symb_states : 0;
    const lu::result s = lu::search_model(m, p);
    const int r = s.verdict;
    if (r == 1) {
      write_trace(m, s.path);
      if (c.has(OPT_RUN)) write_run(m, s.path, c.has(OPT_DOT));
    }
    print_product_verdict(r, s.path.size(), c.max_symb_states);
    print_counts(s);
    if (c.has(OPT_DOT)) tck::dot_write_model(std::string(my_filename) + ".dot", sys);
    verdict::reachable(r);
  } catch (const std::bad_alloc &) {
    out_of_memory();
  }
  return 1;
}
