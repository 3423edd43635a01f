// The timing diagram of a concrete run.

#include "varnok/run_svg.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/tg/tg_global.h"
#include "common/tg/varnok_init.h"

namespace run {

namespace {

// The geometry (see run_svg.h).
constexpr int LEFT = 170, COLUMN = 110, TOP = 50, LANE = 56, RIGHT = 80, AXIS = 70;

// s with the characters XML gives a meaning escaped.
std::string xml(const std::string &s) {
  std::string r;
  for (char c : s) {
    switch (c) {
      case '&': r += "&amp;"; break;
      case '<': r += "&lt;"; break;
      case '>': r += "&gt;"; break;
      case '"': r += "&quot;"; break;
      default: r += c;
    }
  }
  return r;
}

std::string valuation_text(const valuation &v) {
  std::string s;
  const int shown = N_OF_CLOCKS - N_OF_EXTRA_CLOCKS;
  for (int x = 1; x < shown && x < static_cast<int>(v.size()); x++)
    s += std::string(s.empty() ? "" : " ") + clocks_names[x] + "=" + v[x].text();
  return s.empty() ? "(no clocks)" : s;
}

// "3 NEAR DOWN": location l of automaton g and its propositions.
std::string location_text(const lu::automaton &g, int l) {
  std::string s = std::to_string(l);
  for (int32_t p : g.props(l)) s += " " + g.prop_name(p);
  return s;
}

// The labels of transition t of g, "-" when none.
std::string labels_text(const lu::automaton &g, int t) {
  std::string s;
  for (int32_t l : g.labels(t)) s += std::string(s.empty() ? "" : " ") + g.label_name(l);
  return s.empty() ? "-" : s;
}

std::string lane_name(const lu::tables_view &view, int a) {
  if (!view.is_product()) return "location";
  const std::string &n = view.aut(a).name();
  const size_t slash = n.rfind('/');
  return slash == std::string::npos ? n : n.substr(slash + 1);
}

int x_of(size_t moment) { return LEFT + static_cast<int>(moment) * COLUMN; }
int lane_top(int a) { return TOP + a * LANE; }

}  // namespace

void write_svg(FILE *f, const lu::tables_view &view, const concrete_run &r) {
  const int lanes = view.nb_automata();
  const size_t n = r.steps.size();
  // Moment 0 is the start, moment i + 1 the transition of step i, moment
  // n + 1 the end; instants[m] is the time of moment m.
  std::vector<rational> instants{rational(0)};
  std::vector<const valuation *> values{&r.initial};
  for (const step &s : r.steps) {
    instants.push_back(instants.back() + s.delay);
    values.push_back(&s.after);
  }
  instants.push_back(instants.back() + r.last_delay);
  values.push_back(&r.end);
  const int width = x_of(n + 1) + RIGHT, axis_y = lane_top(lanes) + 14, height = axis_y + AXIS;

  fprintf(f, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  fprintf(f,
          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\" "
          "font-family=\"monospace\" font-size=\"11\" data-left=\"%d\" data-column=\"%d\" data-top=\"%d\" "
          "data-lane=\"%d\">\n",
          width, height, width, height, LEFT, COLUMN, TOP, LANE);
  fprintf(f, "<title>a run of %zu transitions over %s time units</title>\n", n, instants.back().text().c_str());
  fprintf(f, "<rect x=\"0\" y=\"0\" width=\"%d\" height=\"%d\" fill=\"#ffffff\"/>\n", width, height);
  fprintf(f, "<text x=\"10\" y=\"24\" font-size=\"13\">run: %zu transitions, %s time units</text>\n", n,
          xml(instants.back().text()).c_str());

  // The lanes: per automaton its stays, one box per moment to the next.
  std::vector<int32_t> key = r.start;
  std::vector<std::vector<int32_t>> keys{key};
  for (const step &s : r.steps) {
    for (size_t a = 0; a < key.size(); a++)
      if (s.move[a] >= 0) key[a] = view.aut(static_cast<int>(a)).target(s.move[a]);
    keys.push_back(key);
  }
  for (int a = 0; a < lanes; a++) {
    const lu::automaton &g = view.aut(a);
    const int y = lane_top(a);
    fprintf(f, "<g class=\"lane\" data-automaton=\"%d\">\n", a);
    fprintf(f, "<text x=\"10\" y=\"%d\" font-size=\"12\">%s</text>\n", y + LANE / 2 + 4, xml(lane_name(view, a)).c_str());
    size_t from = 0;
    for (size_t m = 1; m <= n + 1; m++) {
      // A stay ends where the automaton moves, or at the end.
      if (m <= n && r.steps[m - 1].move[a] < 0) continue;
      const int l = keys[from][a];
      const std::string label = location_text(g, l);
      fprintf(f, "<rect class=\"stay\" x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\" stroke=\"#7f8fa6\">",
              x_of(from), y + 8, x_of(m) - x_of(from), LANE - 16, l % 2 == 0 ? "#dfe8f5" : "#f5ead6");
      fprintf(f, "<title>%s from %s to %s</title></rect>\n", xml(label).c_str(), instants[from].text().c_str(),
              instants[m].text().c_str());
      const size_t room = static_cast<size_t>((x_of(m) - x_of(from) - 12) / 7);
      std::string shown = label.size() > room && room > 1 ? label.substr(0, room - 1) + "~" : label;
      if (room > 1)
        fprintf(f, "<text x=\"%d\" y=\"%d\">%s</text>\n", x_of(from) + 9, y + LANE / 2 + 4, xml(shown).c_str());
      from = m;
    }
    fprintf(f, "</g>\n");
  }

  // The moments: a dashed rule across the lanes, and on the lanes of the
  // automata that move, a mark with the move's labels; the clock values on
  // hover.
  for (size_t m = 0; m <= n + 1; m++) {
    const int x = x_of(m);
    fprintf(f, "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"#b0b0b0\" stroke-dasharray=\"3,3\"/>\n", x, TOP, x,
            axis_y);
  }
  for (size_t i = 0; i < n; i++) {
    const step &s = r.steps[i];
    const int x = x_of(i + 1);
    for (int a = 0; a < lanes; a++) {
      if (s.move[a] < 0) continue;
      const lu::automaton &g = view.aut(a);
      const int y = lane_top(a) + LANE / 2;
      fprintf(f, "<g class=\"mark\" data-step=\"%zu\" data-automaton=\"%d\">", i, a);
      fprintf(f, "<title>step %zu at %s: %s to location %s\nbefore: %s\nafter: %s</title>", i + 1,
              instants[i + 1].text().c_str(), xml(labels_text(g, s.move[a])).c_str(),
              xml(location_text(g, keys[i + 1][a])).c_str(), xml(valuation_text(s.before)).c_str(),
              xml(valuation_text(s.after)).c_str());
      fprintf(f, "<circle cx=\"%d\" cy=\"%d\" r=\"6\" fill=\"#d00000\"/>", x, y);
      fprintf(f, "<text x=\"%d\" y=\"%d\" font-size=\"10\" text-anchor=\"middle\" fill=\"#900000\">%s</text></g>\n", x,
              y - 10, xml(labels_text(g, s.move[a])).c_str());
    }
  }

  // The time axis: the exact instant of every moment, the valuation there
  // on hover.
  fprintf(f, "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"#000000\"/>\n", x_of(0), axis_y, x_of(n + 1),
          axis_y);
  fprintf(f, "<text x=\"10\" y=\"%d\">time</text>\n", axis_y + 18);
  for (size_t m = 0; m <= n + 1; m++) {
    const int x = x_of(m);
    fprintf(f, "<g class=\"instant\" data-moment=\"%zu\"><title>t=%s: %s</title>", m, instants[m].text().c_str(),
            xml(valuation_text(*values[m])).c_str());
    fprintf(f, "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"#000000\"/>", x, axis_y - 5, x, axis_y + 5);
    fprintf(f, "<text x=\"%d\" y=\"%d\" text-anchor=\"middle\">%s</text></g>\n", x, axis_y + 18 + static_cast<int>(m % 2) * 14,
            xml(instants[m].text()).c_str());
  }
  fprintf(f, "</svg>\n");
}

}  // namespace run
