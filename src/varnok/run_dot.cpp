// The picture of a concrete run on its model.

#include "varnok/run_dot.h"

#include <cstdio>
#include <string>
#include <vector>

#include "common/tg/tg_global.h"
#include "common/tg/varnok_init.h"
#include "varnok/dot_format.h"

namespace {

// The valuation v as "X=1 Y=1/2" (the model's clocks, not the formula's).
std::string valuation_text(const run::valuation &v) {
  std::string s;
  for (int x = 1; x < N_OF_CLOCKS - N_OF_EXTRA_CLOCKS && x < static_cast<int>(v.size()); x++)
    s += std::string(s.empty() ? "" : " ") + clocks_names[x] + "=" + v[x].text();
  return s;
}

// The location label of a run picture: number and propositions.
std::string location_label(const lu::automaton &g, int l) {
  std::string s = std::to_string(l) + "\n";
  const char *sep = "";
  for (int32_t p : g.props(l)) {
    s += sep + g.prop_name(p);
    sep = " ";
  }
  return s;
}

}  // namespace

void dot_write_run_on_model(const std::string &path, const lu::tables_view &view, const run::concrete_run &r) {
  const int lanes = view.nb_automata();
  // The automata the run moves (one graph: the graph), and per automaton
  // and transition the steps that take it.
  std::vector<bool> moves(static_cast<size_t>(lanes), !view.is_product());
  std::vector<std::vector<std::vector<size_t>>> taken(static_cast<size_t>(lanes));
  for (int a = 0; a < lanes; a++) taken[a].resize(static_cast<size_t>(view.aut(a).nb_transitions));
  for (size_t i = 0; i < r.steps.size(); i++)
    for (int a = 0; a < lanes; a++)
      if (r.steps[i].move[a] >= 0) {
        moves[a] = true;
        taken[a][r.steps[i].move[a]].push_back(i);
      }
  std::vector<run::rational> at{run::rational(0)};
  for (const run::step &s : r.steps) at.push_back(at.back() + s.delay);
  // The locations the run visits, per automaton, and where it ends.
  std::vector<std::vector<bool>> visited(static_cast<size_t>(lanes));
  for (int a = 0; a < lanes; a++) {
    visited[a].assign(static_cast<size_t>(view.aut(a).nb_locations), false);
    visited[a][r.start[a]] = true;
  }
  std::vector<int32_t> end = r.start;
  for (const run::step &s : r.steps)
    for (int a = 0; a < lanes; a++)
      if (s.move[a] >= 0) visited[a][end[a] = view.aut(a).target(s.move[a])] = true;

  dot::write_file(path, [&](FILE *f) {
    fprintf(f, "  label=%s;\n  labelloc=t;\n",
            dot::quoted("a run of " + std::to_string(r.steps.size()) + " transitions; start " +
                        valuation_text(r.initial) + ", end after " + (at.back() + r.last_delay).text() + ": " +
                        valuation_text(r.end))
                .c_str());
    for (int a = 0; a < lanes; a++) {
      if (!moves[a]) continue;
      const lu::automaton &g = view.aut(a);
      const std::string id = view.is_product() ? "a" + std::to_string(a) + "_l" : "l";
      if (view.is_product())
        fprintf(f, "  subgraph cluster_%d {\n  label=%s;\n", a, dot::quoted(g.name()).c_str());
      for (int l = 0; l < g.nb_locations; l++) {
        const bool start = l == r.start[a];
        std::string attrs = visited[a][l] ? ", color=red, penwidth=2" : ", color=grey, fontcolor=grey40";
        if (l == end[a]) attrs += ", peripheries=2";
        if (start) {
          fprintf(f, "  %s%d_entry [shape=point, label=\"\"];\n  %s%d_entry -> %s%d [color=red];\n", id.c_str(), l,
                  id.c_str(), l, id.c_str(), l);
          attrs += ", style=bold";
        }
        fprintf(f, "  %s%d [label=%s%s];\n", id.c_str(), l, dot::quoted(location_label(g, l)).c_str(), attrs.c_str());
      }
      for (int t = 0; t < g.nb_transitions; t++) {
        std::string labels;
        for (int32_t k : g.labels(t)) labels += (labels.empty() ? "" : " ") + g.label_name(k);
        if (taken[a][t].empty()) {
          fprintf(f, "  %s%d -> %s%d [label=%s, color=grey, fontcolor=grey40];\n", id.c_str(), g.source(t), id.c_str(),
                  g.target(t), dot::quoted(labels).c_str());
          continue;
        }
        // A run's step: its number and instant, the clock values after it
        // on hover.
        for (size_t i : taken[a][t])
          fprintf(f, "  %s%d -> %s%d [label=%s, tooltip=%s, color=red, fontcolor=red, penwidth=2];\n", id.c_str(),
                  g.source(t), id.c_str(), g.target(t),
                  dot::quoted(std::to_string(i + 1) + ": " + labels + " at " + at[i + 1].text()).c_str(),
                  dot::quoted(valuation_text(r.steps[i].after)).c_str());
      }
      if (view.is_product()) fputs("  }\n", f);
    }
  });
}
