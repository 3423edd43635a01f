// Pictures (-dot): DOT texts of timed graphs, simulation graphs and runs.

#include "varnok/dot_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "common/region/region_read_write.h"
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

// "guard => LABELS ; assignment" of transition t, guard zone g (null: the
// whole guard region).
std::string move_text(int t, zone *g) {
  const trans_rec *tr = trans_table[t];
  return text_of([&](FILE *f) {
    if (g != nullptr) print_hide_zone2(g, f);
    else print_hide_region2(list_reg[tr->guard], f);
    fprintf(f, " => %s; ", labels_of(t).c_str());
    fprint_clock_affect(f, tr->affect);
  });
}

}  // namespace

void dot_write_tg(const std::string &path) {
  load_props_labels();
  dot::write_file(path, [](FILE *f) {
    for (int l = 0; l < N_OF_STATES; l++) {
      const std::string inv_text = text_of([l](FILE *s) { print_hide_region2(list_reg[inv[l]], s); });
      const std::string label = std::to_string(l) + "\n" + props_of(l) + "\ninvar: " + inv_text;
      fprintf(f, "  l%d [label=%s];\n", l, dot::quoted(label).c_str());
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
      pic.transition(n, t.target, text_of([&t](FILE *o) { fprint_sim_trans_move(o, t); }));
  pic.finish();
}
