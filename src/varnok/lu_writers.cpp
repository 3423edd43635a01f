// The files of the -abs lu search.

#include "varnok/lu_writers.h"

#include <cstdio>
#include <string>
#include <vector>

#include "common/region/region.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "common/zone/zone_read_write.h"
#include "varnok/compo_ptg.h"
#include "varnok/compo_sync.h"
#include "varnok/compo_tables.h"
#include "varnok/dot_writer.h"
#include "varnok/flat_zone.h"
#include "varnok/simul.h"

namespace lu {

namespace {

void print_flat_zone(const std::vector<int16_t> &m, FILE *f) {
  zone *z = flat::to_zone(m.data());
  print_hide_zone2(z, f);
  free_zone(z);
}

// "guard => labels ; assignment " of a move of the single graph.
void print_single_move_text(const step_info &via, FILE *f) {
  const trans_rec *tr = trans_table[via.w[0]];
  const region *g = list_reg[tr->guard];
  const int z = zone_of_piece(g, via.guard[0], N_OF_CLOCKS);
  print_hide_zone2(z >= 0 ? g->zones[z] : nullptr, f);
  fputs(" => ", f);
  for (int32_t lab : trans_labels[via.w[0]]) fprintf(f, "%s ", label_tab[lab]->name.c_str());
  fputs("; ", f);
  fprint_clock_affect(f, tr->affect);
}

// The transition block of the path file for the single graph.
void print_single_move(const step_info &via, FILE *f) {
  fputs("transition: ", f);
  print_single_move_text(via, f);
  fprintf(f, "goto %d\n\n", trans_table[via.w[0]]->target);
}

}  // namespace

void write_single_path(const std::vector<path_step> &path) {
  load_props_labels();
  const std::string name = result_path("_path.reach");
  FILE *f = open_output(name.c_str(), "w");
  if (f == nullptr) {
    printf("%s: cannot open file %s\n", tool, name.c_str());
    return;
  }
  for (size_t i = 0; i < path.size(); i++) {
    if (i > 0) print_single_move(path[i].via, f);
    zone *z = flat::to_zone(path[i].zone.data());
    path_print_symb_st(path[i].key[0], z, f);
    free_zone(z);
  }
  close_output(f);
  printf("%s: file %s dumped\n", tool, name.c_str());
}

void write_product_trace(const std::vector<path_step> &path) {
  const int n = N_OF_TA;
  FILE *f = my_fopen2_result(".trace", "w");
  fputs("-- Trace #1 -- \n", f);
  std::vector<int32_t> v(n);
  for (size_t i = 0; i < path.size(); i++) {
    if (i > 0) {
      fputs("  --- ", f);
      fprint_trans_vector_labels(f, path[i].via.w.data(), n);
      fputs(" --->\n", f);
    }
    for (int a = 0; a < n; a++) v[a] = path[i].key[a];
    fputs("< ", f);
    fprint_location_vector2(f, v.data(), n);
    fputs(", ", f);
    print_flat_zone(path[i].zone, f);
    fputs(" >\n", f);
  }
  fputs("\n\n", f);
  close_output(f);
  fprintf(stderr, "%s: Trace #1 dumped in file %s\n", tool, my_result_path(".trace").c_str());
}

namespace {

// "invar: " and the stored zone z on a line, then "trans:" (a state block
// of the .sim file).
void print_invar_and_trans(const int16_t *z, FILE *f) {
  fputs("invar: ", f);
  zone *c = flat::to_zone(z);
  print_hide_zone3(c, f);
  free_zone(c);
  fputs("trans:\n", f);
}

}  // namespace

void write_single_graph(const state_store &st, const graph_view &g, FILE *f) {
  load_props_labels();
  fprintf(f, "#states %zu\n", g.states.size());
  fprintf(f, "#trans  %zu\n", g.nb_trans);
  fprintf(f, "#clocks  %d\n", N_OF_CLOCKS - 1);
  for (int c = 1; c < N_OF_CLOCKS; c++) fprintf(f, "%s ", clocks_names[c]);
  fputs("\n", f);
  for (size_t i = 0; i < g.states.size(); i++) {
    const int32_t id = g.states[i];
    const int loc = st.key_of(id)[0];
    fprintf(f, "\nstate: %zu\t/* tg state: %d */\n", i, loc);
    fprint_props(f, loc);
    print_invar_and_trans(st.zone_of(id), f);
    for (const auto &[target, via] : g.trans[i]) {
      print_single_move_text(via, f);
      fprintf(f, "goto %d\n", target);
    }
  }
}

namespace {

// The conjunction of the guard pieces of a product move.
zone *product_guard(const model &m, const step_info &via) {
  std::vector<int16_t> g(static_cast<size_t>(m.dim()) * m.dim());
  flat::set_universal(g.data(), m.dim());
  for (int a = 0; a < m.nb_automata(); a++)
    if (via.w[a] >= 0 && !flat::constrain_all(g.data(), m.dim(), m.aut(a).guard[via.w[a]][via.guard[a]])) return nullptr;
  return flat::to_zone(g.data());
}

// "guard => labels ; assignment " of a product move.
void print_product_move_text(const model &m, const step_info &via, FILE *f) {
  const int n = N_OF_TA;
  zone *guard = product_guard(m, via);
  if (guard != nullptr) print_hide_zone2(guard, f);
  else fputs("FALSE", f);
  free_zone(guard);
  fputs(" => ", f);
  fprint_trans_vector_labels(f, via.w.data(), n);
  fputs("; ", f);
  std::vector<const trans_rec *> e(n);
  trans_to_action_vector(via.w.data(), e.data(), n);
  TA_action_fprint_affect(f, e.data(), n);
}

}  // namespace

void write_product_graph(const model &m, const state_store &st, const graph_view &g, FILE *f) {
  const int n = N_OF_TA;
  fputs("/* Simulation graph generated for the parallel composition of:\n", f);
  for (int a = 0; a < n; a++) fprintf(f, "\tautomaton %d: %s.tg\n", a, TA_names[a].c_str());
  fputs("*/\n", f);
  fprintf(f, "#states %zu\n#trans  %zu\n#clocks  %d\n", g.states.size(), g.nb_trans, N_OF_CLOCKS - 1);
  fprint_product_clocks(f);
  std::vector<int32_t> v(n);
  for (size_t i = 0; i < g.states.size(); i++) {
    const int32_t id = g.states[i];
    for (int a = 0; a < n; a++) v[a] = st.key_of(id)[a];
    fprintf(f, "\nstate: %zu", i);
    fprint_location_vector(f, v.data(), n);
    fprint_location_vector_props(f, v.data(), n);
    print_invar_and_trans(st.zone_of(id), f);
    for (const auto &[target, via] : g.trans[i]) {
      print_product_move_text(m, via, f);
      fprintf(f, "goto %d\n", target);
    }
  }
}

namespace {

// The graph as a DOT picture in path: label(i, zone) gives state i's label,
// move(via, stream) prints a move.
template <typename Label, typename Move>
void draw_graph(const state_store &st, const graph_view &g, const std::string &path, bool extrapolated, Label label,
                Move move) {
  dot::sim_picture pic(path);
  // The zones drawn are those the search stored, not the exact ones.
  const char *merged = ", a zone included in another merged into it";
  pic.title(std::string(extrapolated ? "abs lu: zones extrapolated with the lower/upper clock bounds"
                                     : "abs lu: exact zones (diagonal constraints: no extrapolation)") +
            merged);
  for (size_t i = 0; i < g.states.size(); i++) {
    zone *z = flat::to_zone(st.zone_of(g.states[i]));
    pic.state(static_cast<long>(i), g.initial[i], label(i, z));
    free_zone(z);
  }
  for (size_t i = 0; i < g.states.size(); i++)
    for (const auto &t : g.trans[i])
      pic.transition(static_cast<long>(i), t.first, dot::text_of([&](FILE *o) { move(t.second, o); }));
  pic.finish();
}

}  // namespace

void draw_single_graph(const model &m, const state_store &st, const graph_view &g, const std::string &path) {
  load_props_labels();
  draw_graph(
      st, g, path, m.extrapolates(),
      [&](size_t i, zone *z) { return dot::single_state_label(static_cast<long>(i), st.key_of(g.states[i])[0], z); },
      print_single_move_text);
}

void draw_product_graph(const model &m, const state_store &st, const graph_view &g, const std::string &path) {
  std::vector<int32_t> v(static_cast<size_t>(N_OF_TA));
  draw_graph(
      st, g, path, m.extrapolates(),
      [&](size_t i, zone *z) {
        const uint16_t *key = st.key_of(g.states[i]);
        v.assign(key, key + N_OF_TA);
        return dot::product_state_label(static_cast<long>(i), v.data(), N_OF_TA, z);
      },
      [&m](const step_info &via, FILE *o) { print_product_move_text(m, via, o); });
}

}  // namespace lu
