#include "varnok/compo_tables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "common/region/region.h"
#include "common/tctl/tctl_main.h"
#include "common/tg/tg_clocks.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_to_smc_main.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "varnok/varnok_options.h"

// The tables holding owning pointers are never destroyed, so that what they
// point to stays reachable until the process ends.
int32_t N_OF_TA = 0;
std::vector<uint16_t> TA_N_OF_CLOCKS;
std::vector<int32_t> TA_AFFECT_SIZE;
std::vector<std::vector<std::string>> &TA_clocks_names = *new std::vector<std::vector<std::string>>;
std::vector<int32_t> TA_N_OF_LABELS;
std::vector<int32_t> TA_N_OF_PROPS;
std::vector<int32_t> TA_N_OF_STATES;
std::vector<int32_t> TA_N_OF_TRANS;
std::vector<int32_t> TA_N_OF_REGIONS;
std::vector<std::vector<int32_t>> &TA_inv = *new std::vector<std::vector<int32_t>>;
std::vector<std::vector<region *>> &TA_list_reg = *new std::vector<std::vector<region *>>;
std::vector<std::vector<trans_rec *>> &TA_trans_table = *new std::vector<std::vector<trans_rec *>>;
std::vector<std::vector<trans_rec *>> &TA_trans_table_preds = *new std::vector<std::vector<trans_rec *>>;
std::vector<std::vector<int32_t>> &TA_preds = *new std::vector<std::vector<int32_t>>;
std::vector<std::vector<int32_t>> &TA_succs = *new std::vector<std::vector<int32_t>>;
std::vector<std::vector<int32_t>> &TA_nb_preds = *new std::vector<std::vector<int32_t>>;
std::vector<std::vector<int32_t>> &TA_corresp_succ_pred = *new std::vector<std::vector<int32_t>>;
std::vector<std::array<label_rec *, LAB_HASH_SIZE>> &TA_lab_table =
    *new std::vector<std::array<label_rec *, LAB_HASH_SIZE>>;
std::vector<std::vector<label_rec *>> &TA_label_tab = *new std::vector<std::vector<label_rec *>>;
std::vector<int32_t> TA_nb_labels;
std::vector<std::vector<std::vector<int32_t>>> &TA_trans_labels =
    *new std::vector<std::vector<std::vector<int32_t>>>;
std::vector<std::array<prop_rec *, PROP_HASH_SIZE>> &TA_prop_hash_table =
    *new std::vector<std::array<prop_rec *, PROP_HASH_SIZE>>;
std::vector<std::vector<prop_rec *>> &TA_prop_tab = *new std::vector<std::vector<prop_rec *>>;
std::vector<int32_t> TA_nb_props;
std::vector<std::vector<std::vector<int32_t>>> &TA_states_props =
    *new std::vector<std::vector<std::vector<int32_t>>>;
std::vector<std::vector<std::string>> &TA_decl_names = *new std::vector<std::vector<std::string>>;
std::vector<std::string> &TA_names = *new std::vector<std::string>;
std::vector<std::vector<uint32_t>> &TA_LocClockAct = *new std::vector<std::vector<uint32_t>>;
int32_t TA_MAX_TRANS = 0;
zone *TA_UNIVERSAL = nullptr;

control_node **ControlHashTab = nullptr;
symb_node **SymbHashTab = nullptr;
zone_list_node **ZoneListHashTab = nullptr;
std::vector<control_node *> &state_set = *new std::vector<control_node *>;
int32_t product_location_nb = 0;
int32_t product_edge_nb = 0;

constexpr int32_t MAX_CODE = 2147483647;

// ===========================================================================
// Loading

void init_compo_tables(int n) {
  if (n < 1 || n > MAX_NB_TA) {
    fprintf(stderr, "%s: ERROR: too many automata (at most %d)\n", tool, MAX_NB_TA);
    exit(-1);
  }
  N_OF_TA = n;
  size_t rows = static_cast<size_t>(n);
  TA_N_OF_CLOCKS.assign(rows, 0);
  TA_AFFECT_SIZE.assign(rows, 0);
  TA_clocks_names.assign(rows, {});
  TA_N_OF_LABELS.assign(rows, 0);
  TA_N_OF_PROPS.assign(rows, 0);
  TA_N_OF_STATES.assign(rows, 0);
  TA_N_OF_TRANS.assign(rows, 0);
  TA_N_OF_REGIONS.assign(rows, 0);
  TA_inv.assign(rows, {});
  TA_list_reg.assign(rows, {});
  TA_trans_table.assign(rows, {});
  TA_trans_table_preds.assign(rows, {});
  TA_preds.assign(rows, {});
  TA_succs.assign(rows, {});
  TA_nb_preds.assign(rows, {});
  TA_corresp_succ_pred.assign(rows, {});
  std::array<label_rec *, LAB_HASH_SIZE> no_labels{};
  TA_lab_table.assign(rows, no_labels);
  TA_label_tab.assign(rows, {});
  TA_nb_labels.assign(rows, 0);
  TA_trans_labels.assign(rows, {});
  std::array<prop_rec *, PROP_HASH_SIZE> no_props{};
  TA_prop_hash_table.assign(rows, no_props);
  TA_prop_tab.assign(rows, {});
  TA_nb_props.assign(rows, 0);
  TA_states_props.assign(rows, {});
  TA_decl_names.assign(rows, {});
  TA_names.assign(rows, {});
  TA_LocClockAct.assign(rows, {});
}

void TA_decl_init_Varnok_globals() {
  for (auto &r : TA_N_OF_REGIONS) r = 0;
  TA_MAX_TRANS = 0;
}

void reset_Varnok_globals() {
  clear_tg_tables();
  N_OF_CLOCKS = 0;
  AFFECT_SIZE = 0;
  N_OF_EXTRA_CLOCKS = 0;
  N_OF_STATES = N_OF_TRANS = N_OF_REGIONS = 0;
  N_OF_LABELS = N_OF_PROPS = 0;
  nb_labels = nb_props = 0;
  current_trans = current_state = tg_next_state = 0;
  clocksno = 0;
  empty_cond = 0;
  // The limits are those of any model read on its own, so that the next
  // model is parsed as it would be alone.
  MAX_STATES = TG_MAX_COUNT;
  MAX_TRANS = TG_MAX_COUNT;
  tg_yylineno = 1;
  tctl_yylineno = 1;
}

void copy_Varnok_globals_to_TA(int a) {
  TA_N_OF_CLOCKS[a] = N_OF_CLOCKS;
  TA_AFFECT_SIZE[a] = AFFECT_SIZE;
  TA_clocks_names[a].assign(clocks_names, clocks_names + N_OF_CLOCKS);
  TA_N_OF_LABELS[a] = N_OF_LABELS;
  TA_N_OF_PROPS[a] = N_OF_PROPS;
  TA_N_OF_STATES[a] = N_OF_STATES;
  TA_N_OF_TRANS[a] = N_OF_TRANS;
  TA_N_OF_REGIONS[a] = N_OF_REGIONS;
  TA_inv[a] = std::move(inv);
  TA_list_reg[a] = std::move(list_reg);
  TA_trans_table[a] = std::move(trans_table);
  TA_trans_table_preds[a] = std::move(trans_table_preds);
  TA_preds[a] = std::move(preds);
  TA_succs[a] = std::move(succs);
  TA_nb_preds[a] = std::move(nb_preds);
  TA_corresp_succ_pred[a] = std::move(corresp_succ_pred);
  for (int b = 0; b < LAB_HASH_SIZE; b++) TA_lab_table[a][b] = lab_table[b];
  TA_label_tab[a] = std::move(label_tab);
  TA_nb_labels[a] = nb_labels;
  TA_trans_labels[a] = std::move(trans_labels);
  for (int b = 0; b < PROP_HASH_SIZE; b++) TA_prop_hash_table[a][b] = prop_hash_table[b];
  TA_prop_tab[a] = std::move(prop_tab);
  TA_nb_props[a] = nb_props;
  TA_states_props[a] = std::move(states_props);
  TA_decl_names[a].assign(decl_names.begin(), decl_names.end());
  // Row a owns the records now: the single-graph tables forget them.
  for (auto &head : lab_table) head = nullptr;
  for (auto &head : prop_hash_table) head = nullptr;
  open_affect_set(AFFECT_SIZE - 1);  // forgets the records without freeing them
  inv.clear();
  list_reg.clear();
  trans_table.clear();
  trans_table_preds.clear();
  preds.clear();
  succs.clear();
  nb_preds.clear();
  corresp_succ_pred.clear();
  label_tab.clear();
  trans_labels.clear();
  prop_tab.clear();
  states_props.clear();
  N_OF_REGIONS = 0;
}

// TA_MAX_TRANS folded with out-degree d, saturating.
static void fold_max_trans(int d) {
  if (TA_MAX_TRANS <= 0) {
    TA_MAX_TRANS = d + 1;
    return;
  }
  int64_t p = static_cast<int64_t>(TA_MAX_TRANS) * (d + 1);
  TA_MAX_TRANS = p > MAX_CODE ? MAX_CODE : static_cast<int32_t>(p);
}

int init_TA(int a, int) {
  // Tables just built by a parse are not those read below.
  clear_tg_tables();
  printf("%s: reading file %s.vnk...\n", tool, my_filename);
  FILE *vnk = my_fopen2(".vnk", "rb");
  FILE *reg = my_fopen2(".reg", "rb");
  if (READ_STRUCT) {
    read_header(vnk);
    FILE *prop = my_fopen2(".prop", "rb");
    read_props(prop);
    fclose(prop);
    FILE *lab = my_fopen2(".lab", "rb");
    read_labels(lab);
    fclose(lab);
    read_regions(reg);
  }
  fclose(vnk);
  fclose(reg);
  copy_Varnok_globals_to_TA(a);
  TA_names[a] = my_filename;
  // Out-degree in moves: a guard of several zones is one move per zone.
  int d = 0;
  for (int l = 0; l < TA_N_OF_STATES[a]; l++) {
    int deg = 0;
    for (int t = TA_succs[a][l]; t < TA_succs[a][l + 1]; t++) {
      const region *g = TA_list_reg[a][TA_trans_table[a][t]->guard];
      deg += is_empty_region(g) ? 1 : g->count;
    }
    if (deg > d) d = deg;
  }
  fold_max_trans(d);
  return d;
}

// Ends the run when location or transition vectors cannot be coded in 31 bits.
// The search that identifies states by their vectors themselves.
static void hint_lu() {
  fprintf(stderr, "%s: hint: -abs lu (with -forw, -r or -R) explores networks whose vectors do not fit a code\n", tool);
}

static void check_vector_coding() {
  N_OF_STATES = 0;
  if (is_option(OPT_ABS_LU) && is_option(OPT_FORWARD)) return;  // the LU search keys states by vectors
  double product = 1.0;
  for (int a = 0; a < N_OF_TA; a++) product *= TA_N_OF_STATES[a];
  if (product >= 2147483647.0) {
    fprintf(stderr, "Sorry, MAX N_OF_STATES=%d\n", 2147483646);
    hint_lu();
    exit(-1);
  }
  int32_t p = 1;
  for (int a = 0; a < N_OF_TA; a++) {
    if (TA_N_OF_STATES[a] == 0) continue;  // no location vector at all; codes stay 0
    if (MAX_CODE / TA_N_OF_STATES[a] < p) {
      fprintf(stderr, "ERROR: Cannot encode location vectors: ");
      fprintf(stderr, "control-state space too large!\n");
      hint_lu();
      exit(-1);
    }
    p *= TA_N_OF_STATES[a];
  }
  // The product of -reachable keeps its transition vectors whole, not coded.
  if (is_option(OPT_REACHABLE)) return;
  int64_t t = 1;
  for (int a = 0; a < N_OF_TA; a++) {
    t *= TA_N_OF_TRANS[a] + 1;
    if (t > MAX_CODE) {
      fprintf(stderr, "ERROR: Cannot encode transition vectors: ");
      fprintf(stderr, "too many transitions!\n");
      hint_lu();
      exit(-1);
    }
  }
}

// Names of the product's clocks 1 and up. A clock whose name an earlier
// automaton already uses is renamed NAME_a (a its automaton, more '_' while
// that is taken too): the product text must tell the clocks apart to read
// back as the same timed graph.
static std::vector<std::string> product_clock_names() {
  std::set<std::string> taken;
  for (int a = 0; a < N_OF_TA; a++)
    for (int k = 1; k < TA_N_OF_CLOCKS[a]; k++) taken.insert(TA_clocks_names[a][k]);
  std::set<std::string> used;
  std::vector<std::string> names;
  for (int a = 0; a < N_OF_TA; a++)
    for (int k = 1; k < TA_N_OF_CLOCKS[a]; k++) {
      std::string name = TA_clocks_names[a][k];
      if (used.count(name) != 0) {
        name += "_" + std::to_string(a);
        while (taken.count(name) != 0) name += "_";
        taken.insert(name);
        fprintf(stderr, "Warning: clock %s of %s.tg is called %s in the product.\n", TA_clocks_names[a][k].c_str(),
                TA_names[a].c_str(), name.c_str());
      }
      used.insert(name);
      names.push_back(name);
    }
  return names;
}

void TA_init_Varnok_globals() {
  check_vector_coding();
  long clocks = 0;
  for (int a = 0; a < N_OF_TA; a++) clocks += TA_N_OF_CLOCKS[a] - 1;
  if (!check_clocks_number(clocks)) exit(-1);
  std::vector<std::string> product_names = product_clock_names();
  std::vector<const char *> names;
  for (const std::string &name : product_names) names.push_back(name.c_str());
  // Sets N_OF_CLOCKS, BOUNDS_SIZE, EDGES_SIZE, the names and the universal zone.
  init_zone_module(static_cast<int>(clocks), 0, const_cast<char **>(names.data()));
  int affect = 1;
  for (int a = 0; a < N_OF_TA; a++) affect += TA_AFFECT_SIZE[a] - 1;
  AFFECT_SIZE = static_cast<uint16_t>(affect);
}

// One little-endian 16-bit value of an .opt file; a short file is refused.
static unsigned read_opt_u16(FILE *f) {
  int lo = fgetc(f), hi = fgetc(f);
  if (lo == EOF || hi == EOF) {
    printf("%s: bad format file %s.opt\n", tool, my_filename);
    exit(1);
  }
  return static_cast<unsigned>(lo | (hi << 8));
}

void init_TA_LocClockAct() {
  std::string model = my_filename;  // the run's model name is kept
  for (int a = 0; a < N_OF_TA; a++) {
    TA_LocClockAct[a].clear();
    if (TA_N_OF_CLOCKS[a] <= 1) continue;
    if (TA_N_OF_CLOCKS[a] > 32) {
      fprintf(stderr, "Error: maximum 32 clocks allowed with ");
      fprintf(stderr, "activity-optimization option.\n");
      exit(-1);
    }
    snprintf(my_filename, sizeof my_filename, "%s", TA_names[a].c_str());
    FILE *opt = my_fopen2(".opt", "rb");
    TA_LocClockAct[a].assign(TA_N_OF_STATES[a], 0);
    for (int l = 0; l < TA_N_OF_STATES[a]; l++) {
      uint32_t mask = 0;
      read_opt_u16(opt);
      for (int k = 0; k < TA_N_OF_CLOCKS[a]; k++)
        if (read_opt_u16(opt) != 0) mask |= 1u << k;
      TA_LocClockAct[a][l] = mask;
    }
    fclose(opt);
  }
  snprintf(my_filename, sizeof my_filename, "%s", model.c_str());
}

int TA_find_prop_by_name(int a, const char *name) {
  for (prop_rec *p = TA_prop_hash_table[a][my_hash_prop(name)]; p != nullptr; p = p->next)
    if (p->name == name) return p->index;
  return -1;
}

// Releases the records of row a.
static void free_row(int a) {
  for (region *r : TA_list_reg[a]) free_region(r);
  std::set<clock_affect *> affects;
  for (trans_rec *t : TA_trans_table[a]) {
    affects.insert(t->affect);
    delete t;
  }
  for (clock_affect *c : affects) free_clock_affect(c);
  for (label_rec *l : TA_label_tab[a]) delete l;
  for (prop_rec *p : TA_prop_tab[a]) delete p;
}

static void free_zone_list_node(zone_list_node *n) {
  for (zone_list_item *i = n->zones; i != nullptr;) {
    zone_list_item *next = i->next;
    delete i;
    i = next;
  }
  delete n;
}

template <typename Node, typename F>
static void free_table(Node **&table, F free_node) {
  if (table == nullptr) return;
  for (int b = 0; b < TA_HASH_SIZE; b++)
    for (Node *n = table[b]; n != nullptr;) {
      Node *next = n->next;
      free_node(n);
      n = next;
    }
  free(table);
  table = nullptr;
}

void free_compo_tables() {
  for (int a = 0; a < N_OF_TA; a++) free_row(a);
  init_compo_tables(1);
  N_OF_TA = 0;
  free_table(ControlHashTab, [](control_node *n) { delete n; });
  free_table(SymbHashTab, [](symb_node *n) {
    for (symb_item *i = n->items; i != nullptr;) {
      symb_item *next = i->next;
      delete i->state;
      delete i;
      i = next;
    }
    delete n;
  });
  free_table(ZoneListHashTab, free_zone_list_node);
  state_set.clear();
  product_location_nb = product_edge_nb = 0;
  free_zone(TA_UNIVERSAL);
  TA_UNIVERSAL = nullptr;
  TA_MAX_TRANS = 0;
}

// ===========================================================================
// Vectors and clocks

int32_t TA_encode_state_vector(const int32_t *v, int n) {
  int64_t code = 0, weight = 1;
  for (int a = 0; a < n; a++) {
    code += v[a] * weight;
    weight *= TA_N_OF_STATES[a];
  }
  return static_cast<int32_t>(code);
}

void TA_decode_state_vector(int32_t code, int32_t *v, int n) {
  for (int a = 0; a < n; a++) {
    int base = TA_N_OF_STATES[a];
    if (base == 0) {
      v[a] = 0;
      continue;
    }
    v[a] = code % base;
    code /= base;
  }
}

int32_t TA_encode_trans_vector(const int32_t *w, int n) {
  uint64_t code = 0, weight = 1;
  for (int a = 0; a < n; a++) {
    uint64_t digit = w[a] < 0 ? TA_N_OF_TRANS[a] : static_cast<uint64_t>(w[a]);
    code += digit * weight;
    weight *= static_cast<uint64_t>(TA_N_OF_TRANS[a]) + 1;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(code));
}

int TA_decode_trans_vector(int32_t code, int32_t *w, int n) {
  uint32_t c = static_cast<uint32_t>(code);
  int moving = 0;
  for (int a = 0; a < n; a++) {
    uint32_t base = static_cast<uint32_t>(TA_N_OF_TRANS[a]) + 1;
    uint32_t digit = c % base;
    c /= base;
    if (digit == base - 1) {
      w[a] = -1;
    } else {
      w[a] = static_cast<int32_t>(digit);
      moving++;
    }
  }
  return moving;
}

int encode_clock_index(int k, int a) {
  if (k == 0) return 0;
  int g = k;
  for (int i = 0; i < a; i++) g += TA_N_OF_CLOCKS[i] - 1;
  return g;
}

void decode_clock_index(int g, int *a, int *k) {
  if (g == 0) {
    *a = 0;
    *k = 0;
    return;
  }
  int sum = 0;
  for (int i = 0; i < N_OF_TA; i++) {
    int own = TA_N_OF_CLOCKS[i] - 1;
    if (sum + own >= g) {
      *a = i;
      *k = g - sum;
      return;
    }
    sum += own;
  }
  *a = -1;  // beyond the product's clocks
  *k = -1;
}

// ===========================================================================
// Hash tables and product locations

template <typename Node>
static Node **new_table() {
  auto **t = static_cast<Node **>(calloc(TA_HASH_SIZE, sizeof(Node *)));
  if (t == nullptr) out_of_memory();
  return t;
}

void init_ControlHashTab() { ControlHashTab = new_table<control_node>(); }
void init_SymbHashTab() { SymbHashTab = new_table<symb_node>(); }
void init_ZoneListHashTab() {
  // Nothing else refers to the nodes of an earlier table (its zones stay
  // in the zone hash table).
  free_table(ZoneListHashTab, free_zone_list_node);
  ZoneListHashTab = new_table<zone_list_node>();
}

static int bucket_of(int32_t code) {
  return static_cast<int>(static_cast<uint32_t>(code) % TA_HASH_SIZE);
}

control_node *control_hash_find(int32_t code) {
  for (control_node *n = ControlHashTab[bucket_of(code)]; n != nullptr; n = n->next)
    if (n->code == code) return n;
  return nullptr;
}

int control_hash_insert(control_node **node, int32_t code) {
  *node = control_hash_find(code);
  if (*node != nullptr) return 0;
  int b = bucket_of(code);
  *node = new control_node{code, 0, {}, -1, ControlHashTab[b]};
  ControlHashTab[b] = *node;
  return 1;
}

int symb_hash_insert(symb_node **node, int32_t code) {
  int b = bucket_of(code);
  for (symb_node *n = SymbHashTab[b]; n != nullptr; n = n->next)
    if (n->code == code) {
      *node = n;
      return 0;
    }
  *node = new symb_node{code, nullptr, SymbHashTab[b]};
  SymbHashTab[b] = *node;
  return 1;
}

int zone_list_hash_insert(zone_list_node **node, int32_t code) {
  int b = bucket_of(code);
  for (zone_list_node *n = ZoneListHashTab[b]; n != nullptr; n = n->next)
    if (n->code == code) {
      *node = n;
      return 0;
    }
  *node = new zone_list_node{code, nullptr, ZoneListHashTab[b]};
  ZoneListHashTab[b] = *node;
  return 1;
}

void TA_init_state_set() {
  // Any positive limit is taken; the set grows as locations are found.
  state_set.clear();
  state_set.reserve(static_cast<size_t>(std::min(MAX_CONTROL_STATES, 4096)));
  product_location_nb = 0;
  product_edge_nb = 0;
}

void insert_in_state_set(control_node *node) {
  if (product_location_nb >= MAX_CONTROL_STATES) {
    fprintf(stderr, "MAX_CONTROL_STATES (%d) exceeded!\n", MAX_CONTROL_STATES);
    fprintf(stderr, "Please use the '-CONTROL n' option to set it to 'n'\n");
    exit(-1);
  }
  node->index = product_location_nb++;
  state_set.push_back(node);
}

int get_state_set_index(int32_t code) {
  // The node records its position, so the control table finds it directly.
  control_node *n = ControlHashTab != nullptr ? control_hash_find(code) : nullptr;
  return n != nullptr && n->index >= 0 ? n->index : 0;
}
