#include "varnok/compo_ptg.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "common/region/region.h"
#include "common/region/region_zone.h"
#include "common/tg/tg_clocks.h"
#include "common/tg/tg_constants.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_read_write.h"
#include "varnok/compo_succ.h"
#include "varnok/compo_sync.h"
#include "varnok/pool.h"
#include "varnok/varnok_options.h"

// ===========================================================================
// Exploration

std::vector<int32_t> product_init_locations(int a) {
  std::vector<int32_t> list;
  int p = TA_find_prop_by_name(a, "INIT");
  if (p < 0) return list;
  for (int l = TA_N_OF_STATES[a] - 1; l >= 0; l--)
    for (int32_t q : TA_states_props[a][l])
      if (q == p) list.push_back(l);
  return list;
}

control_node *reach_product_location(int32_t code) {
  control_node *node;
  if (control_hash_insert(&node, code)) insert_in_state_set(node);
  return node;
}

int add_par_prod_arc(control_node *node, int32_t target, int32_t trans, int32_t piece) {
  if (node->nb_arcs >= TA_MAX_TRANS) {
    fprintf(stderr, "warning: TA_MAX_TRANS (%d) exceeded !\n", TA_MAX_TRANS);
    exit(-1);
  }
  // The product graph holds at most as many transitions as a timed graph:
  // stop as soon as that is exceeded rather than explore further.
  if (product_edge_nb >= MAX_TRANS) tg_limit_exceeded("transitions", MAX_TRANS);
  node->arcs.push_back({target, trans, piece});
  product_edge_nb++;
  return node->nb_arcs++;
}

void add_par_prod_moves(control_node *node, int32_t target, int32_t trans, const trans_rec *const *e, int n) {
  int pieces = guard_piece_count(e, n);
  if (pieces == 1) {
    add_par_prod_arc(node, target, trans);
    return;
  }
  for (int k = 0; k < pieces; k++) {
    zone *g = mk_guard_piece_zone(e, n, k);
    if (g != nullptr) add_par_prod_arc(node, target, trans, k);
    free_zone(g);
  }
}

int gen_parallel_product_graph() {
  const int n = N_OF_TA;
  init_ControlHashTab();
  TA_init_state_set();
  if (is_option(OPT_ACTIVITY)) init_TA_LocClockAct();
  std::vector<std::vector<int32_t>> lists(n);
  for (int a = 0; a < n; a++) lists[a] = product_init_locations(a);
  std::vector<int32_t> v(n), u(n), w(n);
  std::vector<const trans_rec *> e(n);
  for (int more = get_1st_state_vec_by_list_states(v.data(), lists, n); more;
       more = get_nxt_state_vec_by_list_states(v.data(), lists, n))
    reach_product_location(TA_encode_state_vector(v.data(), n));
  for (int i = 0; i < product_location_nb; i++) {
    control_node *node = state_set[i];
    TA_decode_state_vector(node->code, v.data(), n);
    for (int c = trans_sync_get_1st(v.data(), w.data(), n); c >= 0; c = trans_sync_get_nxt(v.data(), w.data(), n, c)) {
      trans_to_action_vector(w.data(), e.data(), n);
      src_vector_to_dest_vector_by_act(v.data(), u.data(), e.data(), n);
      int32_t target = TA_encode_state_vector(u.data(), n);
      reach_product_location(target);
      add_par_prod_moves(node, target, TA_encode_trans_vector(w.data(), n), e.data(), n);
    }
  }
  return product_location_nb;
}

// ===========================================================================
// Tags and labels

char compute_ctrl_tag(const trans_rec *const *e, int n) {
  for (int a = 0; a < n; a++)
    if (e[a] != nullptr && e[a]->control == 'U') return 'U';
  return 'C';
}

char compute_ddl_tag(const trans_rec *const *, int) { return 'L'; }

// Calls f(name) for each label of the transitions of w in order, a
// synchronisation label only the first time. The labels already written are
// one bit each of a 64-bit word (there are at most MAX_NB_LABELS of them).
template <typename F>
static void visit_labels(const int32_t *w, int n, F f) {
  uint64_t sync_label_bit_array = 0;
  for (int a = 0; a < n; a++) {
    if (w[a] < 0) continue;
    for (int32_t l : TA_trans_labels[a][w[a]]) {
      int g = LocalToSyncLabTab[a][l];
      if (g >= 0) {
        if (sync_label_bit_array & (uint64_t{1} << g)) continue;
        sync_label_bit_array |= uint64_t{1} << g;
      }
      f(TA_label_tab[a][l]->name);
    }
  }
}

int fprint_trans_vector_labels(FILE *f, const int32_t *w, int n) {
  int written = 0;
  visit_labels(w, n, [&](const std::string &name) {
    fprintf(f, "%s ", name.c_str());
    written++;
  });
  return written;
}

// ===========================================================================
// Compiled tables

static void enter_location_props(int i, const int32_t *v, int n) {
  bool initial = is_initial_location_vector(v, n);
  for (int a = 0; a < n; a++)
    for (int32_t p : TA_states_props[a][v[a]]) {
      const std::string &name = TA_prop_tab[a][p]->name;
      if (!initial && name == "INIT") continue;
      bool earlier = false;
      for (int b = 0; b < a && !earlier; b++)
        for (int32_t q : TA_states_props[b][v[b]])
          if (TA_prop_tab[b][q]->name == name) earlier = true;
      if (!earlier) insert_prop_state(name.c_str(), i);
    }
}

// Mode of a product assignment vector: 0 identity, 1 resets only, 2 copies.
static int affect_mode(const std::vector<uint16_t> &affect) {
  int mode = 0;
  for (size_t g = 1; g < affect.size(); g++) {
    if (affect[g] == g) continue;
    if (affect[g] != 0) return 2;
    mode = 1;
  }
  return mode;
}

// Adds the transition of one arc as number t; false when its guard is empty.
// arc.trans is a transition-vector code, or with `vectors` an index into it.
static bool enter_arc(int t, int i, const control_arc &arc, const int32_t *v, int n,
                      const std::vector<std::vector<int32_t>> *vectors) {
  std::vector<int32_t> w(n), u(n);
  std::vector<const trans_rec *> e(n);
  if (vectors != nullptr) w = (*vectors)[static_cast<size_t>(arc.trans)];
  else TA_decode_trans_vector(arc.trans, w.data(), n);
  trans_to_action_vector(w.data(), e.data(), n);
  zone *guard = mk_guard_piece_zone(e.data(), n, arc.piece);
  if (guard == nullptr) return false;
  int guard_index = find_and_add_region(zone_to_region(guard));
  int nlabels = 0;
  visit_labels(w.data(), n, [&](const std::string &name) {
    insert_label_trans(name.c_str(), t);
    nlabels++;
  });
  src_vector_to_dest_vector_by_act(v, u.data(), e.data(), n);
  clock_affect *affect = new_clock_affect();
  if (is_option(OPT_ACTIVITY))
    mk_prealloc_affect_from_trans_vec_act(affect->affect.data(), e.data(), u.data(), n);
  else
    mk_prealloc_affect_from_trans_vec(affect->affect.data(), e.data(), n);
  affect->mode = affect_mode(affect->affect);
  add_trans(t, get_state_set_index(arc.target), i, guard_index, nlabels, affect, compute_ddl_tag(e.data(), n),
            compute_ctrl_tag(e.data(), n));
  return true;
}

// The invariant of location vector v as a new region (the union of its
// pieces), null when it is empty.
static region *invariant_region(const int32_t *v, int n) {
  if (invariant_piece_count(v, n) == 1) {
    zone *z = mk_invariants_zone_from_location_vector(v, n);
    return z == nullptr ? nullptr : zone_to_region(z);
  }
  std::vector<zone *> pieces;
  mk_invariant_pieces(v, n, pieces);
  region *r = nullptr;
  for (zone *z : pieces) r = r == nullptr ? zone_to_region(z) : union_zone_region(z, r);
  return r;
}

void build_vnk_tables(const std::vector<std::vector<int32_t>> *vectors) {
  const int n = N_OF_TA;
  if (product_location_nb > MAX_STATES) tg_limit_exceeded("locations", MAX_STATES);
  if (product_edge_nb > MAX_TRANS) tg_limit_exceeded("transitions", MAX_TRANS);
  clear_tg_tables();
  N_OF_STATES = product_location_nb;
  N_OF_TRANS = product_edge_nb;
  open_affect_set(AFFECT_SIZE - 1);
  // Regions, zone hash table sized by the product, transition, label and
  // proposition tables.
  init_global_tables();
  std::vector<int32_t> v(n);
  int t = 0;
  for (int i = 0; i < product_location_nb; i++) {
    const control_node *node = state_set[i];
    TA_decode_state_vector(node->code, v.data(), n);
    enter_location_props(i, v.data(), n);
    region *invariant = invariant_region(v.data(), n);
    inv[i] = invariant == nullptr ? 0 : find_and_add_region(invariant);
    succs[i] = t;
    for (const control_arc &arc : node->arcs)
      if (enter_arc(t, i, arc, v.data(), n, vectors)) t++;
  }
  N_OF_TRANS = t;
  trans_table.resize(N_OF_TRANS);
  trans_labels.resize(N_OF_TRANS);
  succs[N_OF_STATES] = t;
  succs_to_preds();
  N_OF_LABELS = nb_labels;
  init_label_tab();
  fill_actions();
  N_OF_PROPS = nb_props;
  init_prop_tab();
  fill_props();
}

// ===========================================================================
// Text form

// Name of local clock k of automaton a in the product.
static const char *product_clock_name(int a, int k) { return clocks_names[encode_clock_index(k, a)]; }

void fprint_product_clocks(FILE *f) {
  for (int a = 0; a < N_OF_TA; a++) {
    if (TA_N_OF_CLOCKS[a] <= 1) continue;
    fputc('\t', f);
    for (int k = 1; k < TA_N_OF_CLOCKS[a]; k++) fprintf(f, "%s ", product_clock_name(a, k));
    fprintf(f, "/* %s */\n", TA_names[a].c_str());
  }
  fputc('\n', f);
}

void fprint_location_vector_no_cr(FILE *f, const int32_t *v, int n) {
  for (int a = 0; a < n; a++) fprintf(f, a == 0 ? "%d" : ", %d", v[a]);
}

void fprint_location_vector(FILE *f, const int32_t *v, int n) {
  fputs("\t/* vector state: < ", f);
  fprint_location_vector_no_cr(f, v, n);
  fputs(" > */\n", f);
}

void fprint_location_vector2(FILE *f, const int32_t *v, int n) {
  fputs("( ", f);
  fprint_location_vector_no_cr(f, v, n);
  fputs(" )", f);
}

void fprint_location_vector_props(FILE *f, const int32_t *v, int n) {
  bool initial = is_initial_location_vector(v, n);
  std::vector<const std::string *> written;
  for (int a = 0; a < n; a++)
    for (int32_t p : TA_states_props[a][v[a]]) {
      const std::string &name = TA_prop_tab[a][p]->name;
      if (!initial && name == "INIT") continue;
      bool seen = false;
      for (const std::string *s : written) seen = seen || *s == name;
      if (seen) continue;
      fputs(written.empty() ? "prop:" : "", f);
      fprintf(f, " %s", name.c_str());
      written.push_back(&name);
    }
  if (!written.empty()) fputc('\n', f);
}

[[noreturn]] static void affect_mode_unknown() {
  fprintf(stderr, "ERROR (compo_ptg): affect_mode_unknown\n");
  exit(-1);
}

static void fprint_affect(FILE *f, const trans_rec *const *e, const int32_t *u, int n) {
  bool any = false;
  auto reset = [&](const char *name) {
    fputs(any ? "" : "RESET{ ", f);
    fprintf(f, "%s ", name);
    any = true;
  };
  if (u != nullptr)
    for (int a = 0; a < n; a++) {
      if (TA_LocClockAct[a].empty()) continue;
      uint32_t mask = TA_LocClockAct[a][u[a]];
      for (int k = 1; k < TA_N_OF_CLOCKS[a]; k++)
        if (!(mask & (1u << k))) reset(product_clock_name(a, k));
    }
  for (int a = 0; a < n; a++) {
    if (e[a] == nullptr) continue;
    int mode = e[a]->affect->mode;
    if (mode < 0 || mode > 2) affect_mode_unknown();
    if (mode == 0) continue;
    for (int k = 1; k < TA_AFFECT_SIZE[a]; k++)
      if (e[a]->affect->affect[k] == 0) reset(product_clock_name(a, k));
  }
  fputs(any ? "}" : "reset{}", f);
  bool copies = false;
  for (int a = 0; a < n; a++) {
    if (e[a] == nullptr || e[a]->affect->mode != 2) continue;
    const auto &local = e[a]->affect->affect;
    for (int j = 1; j < TA_AFFECT_SIZE[a]; j++) {
      if (local[j] == 0 || local[j] == j) continue;
      fprintf(f, " %s:=%s", product_clock_name(a, j), product_clock_name(a, local[j]));
      copies = true;
    }
  }
  fputs(copies ? " ; " : "; ", f);
}

void TA_action_fprint_affect(FILE *f, const trans_rec *const *e, int n) { fprint_affect(f, e, nullptr, n); }

void TA_action_fprint_affect_act(FILE *f, const trans_rec *const *e, const int32_t *u, int n) {
  fprint_affect(f, e, u, n);
}

static void fprint_arc(FILE *f, const control_arc &arc, const int32_t *v, int n) {
  std::vector<int32_t> w(n), u(n);
  std::vector<const trans_rec *> e(n);
  TA_decode_trans_vector(arc.trans, w.data(), n);
  trans_to_action_vector(w.data(), e.data(), n);
  fprintf(f, "%c: ", compute_ddl_tag(e.data(), n));
  zone *guard;
  int slot = get_zone_from_pool(&guard);
  if (slot < 0) {
    fprintf(stderr, "Warning: zone_pool is full!\n");
    exit(-1);
  }
  if (mk_guard_piece_prealloc_zone(guard, e.data(), n, arc.piece)) print_hide_zone2(guard, f);
  else fputs("false", f);
  release_zone_to_pool(slot);
  fprintf(f, " =%c> ", compute_ctrl_tag(e.data(), n));
  fprint_trans_vector_labels(f, w.data(), n);
  fputs("; ", f);
  src_vector_to_dest_vector_by_act(v, u.data(), e.data(), n);
  if (is_option(OPT_ACTIVITY)) TA_action_fprint_affect_act(f, e.data(), u.data(), n);
  else TA_action_fprint_affect(f, e.data(), n);
  fprintf(f, "goto %d\n", get_state_set_index(arc.target));
}

// The invariant of v with a line end, its pieces joined by "or\n"; "false"
// when it is empty.
static void fprint_invariant(FILE *f, const int32_t *v, int n) {
  if (invariant_piece_count(v, n) > 1) {
    std::vector<zone *> pieces;
    mk_invariant_pieces(v, n, pieces);
    for (size_t k = 0; k < pieces.size(); k++) {
      fputs(k == 0 ? "" : "or\n", f);
      print_hide_zone3(pieces[k], f);
      free_zone(pieces[k]);
    }
    if (pieces.empty()) fputs("false\n", f);
    return;
  }
  zone *invariant;
  int slot = get_zone_from_pool(&invariant);
  if (slot < 0) {
    fprintf(stderr, "Warning: zone_pool is full!\n");
    exit(-1);
  }
  if (mk_invs_prealloc_zone_from_loc_vector(invariant, v, n)) print_hide_zone3(invariant, f);
  else fputs("false\n", f);
  release_zone_to_pool(slot);
}

static void fprint_location(FILE *f, int i) {
  const int n = N_OF_TA;
  std::vector<int32_t> v(n);
  const control_node *node = state_set[i];
  TA_decode_state_vector(node->code, v.data(), n);
  fprintf(f, "\nstate: %d", i);
  fprint_location_vector(f, v.data(), n);
  fprint_location_vector_props(f, v.data(), n);
  fputs("invar: ", f);
  fprint_invariant(f, v.data(), n);
  fputs("trans:\n", f);
  for (const control_arc &arc : node->arcs) fprint_arc(f, arc, v.data(), n);
}

int fprint_parallel_product_graph(FILE *f) {
  fputs("/* Timed graph generated ", f);
  fputs("for the parallel composition of:\n", f);
  for (int a = 0; a < N_OF_TA; a++) fprintf(f, "\tautomaton %d: %s.tg\n", a, TA_names[a].c_str());
  fputs("*/\n", f);
  fprintf(f, "#states %d\n", product_location_nb);
  fprintf(f, "#trans  %d\n", product_edge_nb);
  fprintf(f, "#clocks  %d\n", N_OF_CLOCKS - 1);
  init_zone_pool();
  init_affect_pool();
  fprint_product_clocks(f);
  for (int i = 0; i < product_location_nb; i++) fprint_location(f, i);
  return product_location_nb;
}
