// The text of concrete runs and the -run entry points.

#include "varnok/run_text.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "common/region/region.h"
#include "common/tg/tg_global.h"
#include "common/tg/varnok_init.h"
#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "varnok/dot_format.h"
#include "varnok/run_dot.h"
#include "varnok/run_replay.h"
#include "varnok/run_svg.h"
#include "varnok/varnok_options.h"
#include "varnok/states_reg.h"

namespace run {

namespace {

const char *clock_name(int g) { return clocks_names[g]; }

// The clocks that the run shows: the model's, without formula clocks.
int shown_clocks() { return N_OF_CLOCKS - N_OF_EXTRA_CLOCKS; }

void print_valuation(FILE *f, const valuation &v) {
  for (int x = 1; x < shown_clocks(); x++) fprintf(f, " %s=%s", clock_name(x), v[x].text().c_str());
}

void print_locations(FILE *f, const lu::tables_view &view, const std::vector<int32_t> &key) {
  if (!view.is_product()) {
    const lu::automaton &g = view.aut(0);
    fprintf(f, "location %d (", key[0]);
    const char *sep = "";
    for (int32_t p : g.props(key[0])) {
      fprintf(f, "%s%s", sep, g.prop_name(p).c_str());
      sep = " ";
    }
    fputs(")", f);
    return;
  }
  fputs("locations (", f);
  for (size_t a = 0; a < key.size(); a++) fprintf(f, a == 0 ? " %d" : ", %d", key[a]);
  fputs(" ) (", f);
  // A proposition that several automata carry shows once.
  std::vector<std::string> shown;
  for (size_t a = 0; a < key.size(); a++) {
    const lu::automaton &aut = view.aut(static_cast<int>(a));
    for (int32_t p : aut.props(key[a])) {
      const std::string &name = aut.prop_name(p);
      if (std::find(shown.begin(), shown.end(), name) != shown.end()) continue;
      fprintf(f, "%s%s", shown.empty() ? "" : " ", name.c_str());
      shown.push_back(name);
    }
  }
  fputs(")", f);
}

// The name automaton a goes by in a run: its model's file name (without
// folder), or with "#a" after it when another automaton has the same.
std::string automaton_name(const lu::tables_view &view, int a) {
  auto base = [&](int b) {
    const std::string &n = view.aut(b).name();
    const size_t slash = n.rfind('/');
    return slash == std::string::npos ? n : n.substr(slash + 1);
  };
  const std::string mine = base(a);
  for (int b = 0; b < view.nb_automata(); b++)
    if (b != a && base(b) == mine) return mine + "#" + std::to_string(a);
  return mine.empty() ? std::to_string(a) : mine;
}

void print_move(FILE *f, const lu::tables_view &view, const std::vector<int32_t> &from, const std::vector<int32_t> &mv,
                const std::vector<int32_t> &to) {
  fputs("transition ", f);
  if (!view.is_product()) {
    fprintf(f, "%d -> ", from[0]);
    print_locations(f, view, to);
  } else {
    fputs("(", f);
    for (size_t a = 0; a < from.size(); a++) fprintf(f, a == 0 ? " %d" : ", %d", from[a]);
    fputs(" ) -> ", f);
    print_locations(f, view, to);
    fputs(" moving", f);
    for (size_t a = 0; a < mv.size(); a++)
      if (mv[a] >= 0) fprintf(f, " %s", automaton_name(view, static_cast<int>(a)).c_str());
  }
  // A synchronised label shows once, however many automata take it.
  fputs(" labels", f);
  std::vector<std::string> shown;
  for (size_t a = 0; a < mv.size(); a++) {
    if (mv[a] < 0) continue;
    const lu::automaton &aut = view.aut(static_cast<int>(a));
    for (int32_t l : aut.labels(mv[a])) {
      const std::string &name = aut.label_name(l);
      if (std::find(shown.begin(), shown.end(), name) != shown.end()) continue;
      fprintf(f, " %s", name.c_str());
      shown.push_back(name);
    }
  }
  if (shown.empty()) fputs(" -", f);
  bool any = false;
  fputs(" ;", f);
  for (size_t a = 0; a < mv.size(); a++) {
    if (mv[a] < 0) continue;
    const lu::automaton &t = view.aut(static_cast<int>(a));
    const trans_rec *tr = t.transition(mv[a]);
    for (int k = 1; k < t.dim; k++) {
      const int s = lu::source_clock(tr, k);
      if (s == k || t.global(k) >= shown_clocks()) continue;
      fprintf(f, " %s:=%s", clock_name(t.global(k)), s == 0 ? "0" : clock_name(t.global(s)));
      any = true;
    }
  }
  if (!any) fputs(" -", f);
}

}  // namespace

void print_run_locations(FILE *f, const lu::tables_view &view, const std::vector<int32_t> &key) {
  print_locations(f, view, key);
}
void print_run_valuation(FILE *f, const valuation &v) { print_valuation(f, v); }
void print_run_move(FILE *f, const lu::tables_view &view, const std::vector<int32_t> &from, const std::vector<int32_t> &mv,
                    const std::vector<int32_t> &to) {
  print_move(f, view, from, mv, to);
}

void write_run(FILE *f, const lu::tables_view &view, const concrete_run &r, int number) {
  fprintf(f, "run #%d: %zu transitions\n", number, r.steps.size());
  std::vector<int32_t> key = r.start;
  fputs("initial: ", f);
  print_locations(f, view, key);
  fputs(" ", f);
  print_valuation(f, r.initial);
  fputs("\n", f);
  for (const step &s : r.steps) {
    fprintf(f, "delay %s ->", s.delay.text().c_str());
    print_valuation(f, s.before);
    fputs("\n", f);
    std::vector<int32_t> to = key;
    for (size_t a = 0; a < to.size(); a++)
      if (s.move[a] >= 0) to[a] = view.aut(static_cast<int>(a)).target(s.move[a]);
    print_move(f, view, key, s.move, to);
    fputs(" ->", f);
    print_valuation(f, s.after);
    fputs("\n", f);
    key = to;
  }
  fprintf(f, "delay %s ->", r.last_delay.text().c_str());
  print_valuation(f, r.end);
  fputs("\n", f);
}

}  // namespace run

namespace {

// No run of the search going on has been written yet: the next one starts
// _run.reach afresh (and draws _run.dot), whatever its number, so that a
// first witness without a run never leaves an earlier command's run there.
bool run_file_fresh = true;

}  // namespace

void run_file_restart() { run_file_fresh = true; }

void run_write_witness(run::witness w, const run::origin &o, int number, unsigned pictures) {
  FILE *say = w.product ? stderr : stdout;
  if (number <= 1) run_file_fresh = true;
  if (!w.product) load_props_labels();
  // One view of the tables for the whole run: its pieces, its replay, its
  // text.
  const lu::tables_view view = lu::tables_view::of(w.product);
  run::concrete_run r;
  std::string why;
  if (!run::make_run(view, w, o, r, why)) {
    fprintf(say, "%s: no concrete run for this witness (%s)\n", tool, why.c_str());
    return;
  }
  const std::string bad = run::replay(view, w, o, r);
  if (!bad.empty()) {
    fatal(stderr, 3, "%s: internal error: the concrete run fails its replay (%s)\n", tool, bad.c_str());
  }
  const std::string name = result_path("_run.reach");
  const bool first = run_file_fresh;
  FILE *f = open_output(name.c_str(), first ? "w" : "a");
  if (f == nullptr) fatal_cannot_open(stderr, 1, name.c_str());
  if (!first) fputs("\n", f);
  run::write_run(f, view, r, number < 1 ? 1 : number);
  close_output(f);
  run_file_fresh = false;
  fprintf(say, "%s: file %s dumped\n", tool, name.c_str());
  if (!first) return;
  if ((pictures & RUN_PICTURE_DOT) != 0) dot_write_run_on_model("_run.dot", view, r);
  if ((pictures & RUN_PICTURE_SVG) != 0) {
    const std::string svg = result_path("_run.svg");
    FILE *g = open_output(svg.c_str(), "w");
    if (g == nullptr) fatal_cannot_open(stderr, 1, svg.c_str());
    run::write_svg(g, view, r);
    close_output(g);
    fprintf(say, "%s: file %s dumped\n", tool, svg.c_str());
  }
}

unsigned run_pictures_of(uint32_t options) {
  return ((options & OPT_DOT) != 0 ? RUN_PICTURE_DOT : 0) | ((options & OPT_SVG) != 0 ? RUN_PICTURE_SVG : 0);
}

void run_write_one_tg(const run::origin &o, const std::vector<int> &locations, const std::vector<int> &transitions, zone *z,
                      int number, unsigned pictures) {
  run::witness w;
  w.start = {locations.front()};
  for (int t : transitions) w.moves.push_back({t});
  if (o.conditional) {
    // The run must reach the goal itself, not only the zone of the state
    // the search stopped at.
    const int l = locations.back();
    region *g = o.goal != nullptr && l < o.goal->count ? o.goal->regs[l] : nullptr;
    for (int k = 0; g != nullptr && !is_empty_region(g) && k < g->count; k++) {
      std::vector<int16_t> m = run::flat_of(g->zones[k]);
      if (!m.empty()) w.target.push_back(std::move(m));
    }
    if (w.target.empty()) {
      printf("%s: no concrete run for this witness (the goal is empty at its last location)\n", tool);
      return;
    }
  } else {
    std::vector<int16_t> m = run::flat_of(z);
    if (!m.empty()) w.target.push_back(std::move(m));
  }
  run_write_witness(std::move(w), o, number, pictures);
}

void run_write_product(const run::origin &o, const std::vector<std::vector<int32_t>> &locations,
                       const std::vector<std::vector<int32_t>> &moves, int number, unsigned pictures) {
  run::witness w;
  w.product = true;
  w.start = locations.front();
  w.moves = moves;
  run_write_witness(std::move(w), o, number, pictures);
}
