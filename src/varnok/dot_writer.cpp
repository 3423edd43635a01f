// Pictures (-dot): DOT texts of timed graphs, simulation graphs and runs.

#include "varnok/dot_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "common/region/region_read_write.h"
#include "common/tg/tg_clocks.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_read_write.h"
#include "varnok/compo_ptg.h"
#include "varnok/compo_simul.h"
#include "varnok/compo_tables.h"
#include "varnok/simul.h"

namespace {

using dot::text_of;

std::string props_of(int l) {
  std::string s;
  if (static_cast<size_t>(l) >= states_props.size()) return s;
  for (int32_t p : states_props[l]) s += (s.empty() ? "" : " ") + prop_tab[p]->name;
  return s;
}

std::string labels_of(int t) {
  std::string s;
  if (static_cast<size_t>(t) < trans_labels.size())
    for (int32_t l : trans_labels[t]) s += label_tab[l]->name + " ";
  return s;
}

// s without the blanks and semicolons it ends with.
std::string trimmed(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == ';')) s.pop_back();
  return s;
}

// A move's text without the trailing separators and without an
// assignment that assigns nothing.
std::string without_empty_assignment(std::string s) {
  s = trimmed(s);
  static const std::string none = "RESET{}";
  if (s.size() >= none.size() && s.compare(s.size() - none.size(), none.size(), none) == 0)
    s = trimmed(s.substr(0, s.size() - none.size()));
  return s;
}

// "guard => LABELS ; assignment" of transition t, guard zone g (null: the
// whole guard region); a transition that assigns nothing shows no
// assignment.
std::string move_text(int t, zone *g) {
  const trans_rec *tr = trans_table[t];
  std::string s = text_of([&](FILE *f) {
    if (g != nullptr) print_hide_zone2(g, f);
    else print_hide_region2(list_reg[tr->guard], f);
    fprintf(f, " => %s", labels_of(t).c_str());
  });
  s = trimmed(s);
  if (tr->affect->mode != AFFECT_NONE) s += " ; " + trimmed(text_of([&](FILE *f) { fprint_clock_affect(f, tr->affect); }));
  return s;
}

// The initial locations of a graph with n locations whose location l
// carries INIT when carries_init(l): those, or location 0 when none does.
template <typename Carries>
std::vector<bool> initial_locations(int n, Carries carries_init) {
  std::vector<bool> init(static_cast<size_t>(n), false);
  bool any = false;
  for (int l = 0; l < n; l++) any = (init[l] = carries_init(l)) || any;
  if (!any && n > 0) init[0] = true;
  return init;
}

// Location l's node (bold when initial, with an entry arrow from a point).
void location_node(FILE *f, const std::string &id, const std::string &label, bool initial) {
  if (initial) fprintf(f, "  %s_entry [shape=point, label=\"\"];\n  %s_entry -> %s;\n", id.c_str(), id.c_str(), id.c_str());
  fprintf(f, "  %s [label=%s%s];\n", id.c_str(), dot::quoted(label).c_str(), initial ? ", style=bold" : "");
}

}  // namespace

void dot_write_tg(const std::string &path) {
  load_props_labels();
  dot::write_file(path, [](FILE *f) {
    const std::vector<bool> init = initial_locations(N_OF_STATES, [](int l) {
      if (static_cast<size_t>(l) >= states_props.size()) return false;
      for (int32_t p : states_props[l])
        if (prop_tab[p]->name == "INIT") return true;
      return false;
    });
    for (int l = 0; l < N_OF_STATES; l++) {
      const std::string inv_text = text_of([l](FILE *s) { print_hide_region2(list_reg[inv[l]], s); });
      const std::string label = std::to_string(l) + "\n" + props_of(l) + "\ninvar: " + inv_text;
      location_node(f, "l" + std::to_string(l), label, init[l]);
    }
    for (int t = 0; t < N_OF_TRANS; t++)
      fprintf(f, "  l%d -> l%d [label=%s];\n", trans_table[t]->source, trans_table[t]->target,
              dot::quoted(move_text(t, nullptr)).c_str());
  });
}

namespace dot {

namespace {

std::string zone_text(zone *z) {
  if (z == nullptr || is_empty_zone(z)) return "FALSE";
  return text_of([z](FILE *o) { print_hide_zone2(z, o); });
}

}  // namespace

std::string single_state_label(long n, int loc, zone *z) {
  return std::to_string(n) + ": location " + std::to_string(loc) + "\n" + props_of(loc) + "\n" + zone_text(z);
}

std::string product_state_label(long n, const int32_t *v, int nb, zone *z) {
  const std::string vector = text_of([&](FILE *o) { fprint_location_vector_no_cr(o, v, nb); });
  std::string props = text_of([&](FILE *o) { fprint_location_vector_props(o, v, nb); });
  if (props.rfind("prop: ", 0) == 0) props.erase(0, 6);
  return std::to_string(n) + ": locations " + vector + "\n" + props + "\n" + zone_text(z);
}

}  // namespace dot

void dot_write_sim_graph(const std::string &path) {
  load_props_labels();
  dot::sim_picture pic(path);
  const int count = std::min(N_OF_SIM_STATES, static_cast<int>(succ_sim_graph.size()));
  for (int n = 0; n < count; n++) {
    const sim_state &s = succ_sim_graph[n];
    pic.state(n, pred_sim_path(n) == &initial_sim_trans, dot::single_state_label(n, s.st.loc, s.st.z));
  }
  for (int n = 0; n < count; n++)
    for (int k = 0; k < succ_sim_graph[n].nb_trans; k++) {
      const sim_trans &t = sim_trans_of(n, k);
      pic.transition(n, t.target, move_text(t.trans, piece_guard(t.piece)));
    }
  pic.finish();
}

void dot_write_product_sim_graph(const std::string &path) {
  const int nb = N_OF_TA;
  dot::sim_picture pic(path);
  std::vector<int32_t> v(static_cast<size_t>(nb));
  for (int n = 0; n < nb_symb_states; n++) {
    const TA_symb_state *s = TA_succ_sim_graph[n].st;
    TA_decode_state_vector(s->code, v.data(), nb);
    pic.state(n, n < TA_nb_initial_sim_states(), dot::product_state_label(n, v.data(), nb, s->z));
  }
  for (int n = 0; n < nb_symb_states; n++)
    for (const TA_sim_trans &t : TA_succ_sim_graph[n].trans)
      pic.transition(n, t.target, without_empty_assignment(text_of([&t](FILE *o) { fprint_sim_trans_move(o, t); })));
  pic.finish();
}

namespace {

// "1<X and X<=3 and Y-X<1" of the constraints c over the global clocks (each
// bound x_i - x_j < or <= b); "true" for none.
std::string piece_text(const lu::piece &c) {
  if (c.empty()) return "TRUE";
  std::string s;
  for (const flat::constraint &k : c) {
    const int value = (k.b - (k.b & 1)) / 2;
    const char *op = (k.b & 1) != 0 ? "<=" : "<";
    std::string one;
    if (k.i == 0) one = std::to_string(-value) + op + clocks_names[k.j];
    else if (k.j == 0) one = std::string(clocks_names[k.i]) + op + std::to_string(value);
    else one = std::string(clocks_names[k.i]) + "-" + clocks_names[k.j] + op + std::to_string(value);
    s += (s.empty() ? "" : " and ") + one;
  }
  return s;
}

// The pieces of a guard or invariant joined by "or"; "false" for none.
std::string pieces_text(const std::vector<lu::piece> &pieces) {
  if (pieces.empty()) return "FALSE";
  std::string s;
  for (const lu::piece &p : pieces) s += (s.empty() ? "" : " or ") + piece_text(p);
  return s;
}

}  // namespace

void dot_write_automaton(const std::string &path, const lu::tables_view &view, int a) {
  const lu::automaton &g = view.aut(a);
  dot::write_file(path, [&](FILE *f) {
    const std::vector<bool> init = initial_locations(g.nb_locations, [&](int l) {
      for (int32_t p : g.props(l))
        if (g.prop_name(p) == "INIT") return true;
      return false;
    });
    for (int l = 0; l < g.nb_locations; l++) {
      std::string props;
      for (int32_t p : g.props(l)) props += (props.empty() ? "" : " ") + g.prop_name(p);
      const std::string label = std::to_string(l) + "\n" + props + "\ninvar: " + pieces_text(g.inv[l]);
      location_node(f, "l" + std::to_string(l), label, init[l]);
    }
    for (int t = 0; t < g.nb_transitions; t++) {
      std::string label = pieces_text(g.guard[t]) + " =>";
      for (int32_t l : g.labels(t)) label += " " + g.label_name(l);
      std::string assign;
      for (int k = 1; k < g.dim; k++) {
        const int src = g.assign[t][k];
        if (src == k) continue;
        assign += std::string(assign.empty() ? "" : " ") + clocks_names[g.global(k)] + ":=" +
                  (src == 0 ? "0" : clocks_names[g.global(src)]);
      }
      if (!assign.empty()) label += " ; " + assign;
      fprintf(f, "  l%d -> l%d [label=%s];\n", g.source(t), g.target(t), dot::quoted(label).c_str());
    }
  });
}
