#include "common/tg/tg_global.h"

#include <cstdlib>

#include "common/region/region.h"
#include "common/region/region_read_write.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/zone/zone.h"
#include "common/zone/zone_hash.h"

std::vector<region *> &list_reg = *new std::vector<region *>;
std::vector<int32_t> inv;
std::vector<trans_rec *> &trans_table = *new std::vector<trans_rec *>;
std::vector<int32_t> succs;
std::vector<trans_rec *> &trans_table_preds = *new std::vector<trans_rec *>;
std::vector<int32_t> preds;
std::vector<int32_t> nb_preds;
std::vector<int32_t> corresp_succ_pred;
uint16_t nb_decl_clocks = 0;
std::vector<char *> &decl_names = *new std::vector<char *>;

// Whether the zones of list_reg belong to the zone hash table (regions built
// by the parser) rather than to their regions (regions read from a file).
static bool list_reg_zones_hashed = false;

static int zone_table_size(int entries) {
  if (entries <= 4000) return 709;
  if (entries <= 10000) return 2309;
  return 5009;
}

void init_global_tables() {
  free_list_reg();
  list_reg.reserve(static_cast<size_t>(N_OF_TRANS) + N_OF_STATES + 1);
  add_region(mk_empty_region());
  init_zone_hashing(zone_table_size(N_OF_STATES + N_OF_TRANS));
  trans_table.assign(N_OF_TRANS, nullptr);
  trans_table_preds.clear();
  nb_preds.assign(N_OF_STATES, 0);
  succs.assign(static_cast<size_t>(N_OF_STATES) + 1, 0);
  preds.clear();
  corresp_succ_pred.clear();
  inv.assign(N_OF_STATES, 0);
  init_label_tables(N_OF_TRANS);
  init_prop_tables(N_OF_STATES);
}

int add_region(region *r) {
  if (list_reg.size() >= static_cast<size_t>(MAX_REGION_COUNT)) {
    free_region(r);
    tg_limit_exceeded("invariant and guard regions", MAX_REGION_COUNT);
  }
  list_reg.push_back(r);
  N_OF_REGIONS = static_cast<int32_t>(list_reg.size());
  return N_OF_REGIONS - 1;
}

int find_and_add_region(region *r) {
  if (is_empty_region(r)) {
    free_region(r);
    return 0;
  }
  for (int i = 0; i < r->count; i++) {
    cf_zone(r->zones[i]);
    r->zones[i] = insert_zone(r->zones[i]);
  }
  list_reg_zones_hashed = true;
  return add_region(r);
}

void add_trans(int t, int target, int source, int guard, int nlabels, clock_affect *a, char deadline,
               char control) {
  auto *rec = new trans_rec;
  rec->target = target;
  rec->source = source;
  rec->guard = guard;
  rec->affect = insert_affect(a);
  rec->deadline = deadline;
  rec->control = control;
  trans_table[t] = rec;
  trans_labels[t].clear();
  trans_labels[t].reserve(static_cast<size_t>(nlabels));
  nb_preds[target]++;
}

void succs_to_preds() {
  preds.assign(static_cast<size_t>(N_OF_STATES) + 1, 0);
  for (int s = 0; s < N_OF_STATES; s++) preds[s + 1] = preds[s] + nb_preds[s];
  trans_table_preds.assign(N_OF_TRANS, nullptr);
  corresp_succ_pred.assign(N_OF_TRANS, 0);
  for (int i = 0; i < N_OF_TRANS; i++) {
    int target = trans_table[i]->target;
    nb_preds[target]--;
    int pos = preds[target] + nb_preds[target];
    trans_table_preds[pos] = trans_table[i];
    corresp_succ_pred[i] = pos;
  }
}

// offsets[j] = first index of `table` whose key is at least j (the table is
// ordered by key); offsets[N_OF_STATES] = N_OF_TRANS.
static void build_offsets(std::vector<int32_t> &offsets, const std::vector<trans_rec *> &table, bool by_target) {
  offsets.assign(static_cast<size_t>(N_OF_STATES) + 1, 0);
  size_t i = 0;
  for (int j = 0; j < N_OF_STATES; j++) {
    while (i < table.size() && (by_target ? table[i]->target : table[i]->source) <= j) i++;
    offsets[j + 1] = static_cast<int32_t>(i);
  }
}

void init_preds() { build_offsets(preds, trans_table_preds, true); }

void preds_to_succs() {
  trans_table.assign(N_OF_TRANS, nullptr);
  for (int i = 0; i < N_OF_TRANS; i++) trans_table[i] = trans_table_preds[corresp_succ_pred[i]];
}

void init_succs() { build_offsets(succs, trans_table, false); }

void free_tables() {
  nb_preds.clear();
  nb_preds.shrink_to_fit();
  if (READ_STRUCT) {
    succs.clear();
    succs.shrink_to_fit();
  }
}

void free_list_reg() {
  bool hashed = list_reg_zones_hashed;
  for (region *r : list_reg) {
    if (r != nullptr && hashed)
      for (int i = 0; i < r->count; i++) r->zones[i] = nullptr;  // owned by the zone hash table
    free_region(r);
  }
  list_reg.clear();
  list_reg_zones_hashed = false;
  N_OF_REGIONS = 0;
  // Nothing else refers to the zones of the parsed regions, and regions are
  // only released to be read again (possibly with more clocks): the table
  // must not keep zones of another dimension.
  if (hashed) free_zone_table();
}

void clear_tg_tables() {
  free_list_reg();
  for (trans_rec *t : trans_table) delete t;
  trans_table.clear();
  trans_table_preds.clear();
  free_affect_set();
  init_label_tables(0);
  init_prop_tables(0);
  inv.clear();
  succs.clear();
  preds.clear();
  nb_preds.clear();
  corresp_succ_pred.clear();
  for (char *name : decl_names) free(name);
  decl_names.clear();
  nb_decl_clocks = 0;
  N_OF_STATES = N_OF_TRANS = N_OF_LABELS = N_OF_PROPS = 0;
}

zone *get_invar_zone(int s) {
  region *r = list_reg[inv[s]];
  return is_empty_region(r) ? nullptr : r->zones[0];
}

zone *get_cond_zone(const trans_rec *t) {
  region *r = list_reg[t->guard];
  return is_empty_region(r) ? nullptr : r->zones[0];
}

uint16_t *get_reset_clocks2(const trans_rec *t) { return t->affect->affect.data(); }

int tctl_extra_clocks() { return N_OF_EXTRA_CLOCKS; }

void fprint_succs(FILE *stream, int s) {
  for (int t = succs[s]; t < succs[s + 1]; t++) {
    const trans_rec *tr = trans_table[t];
    print_hide_region2(list_reg[tr->guard], stream);
    fputs(" => ", stream);
    if (static_cast<size_t>(t) < trans_labels.size())
      for (int32_t l : trans_labels[t]) fprintf(stream, "%s ", label_tab[l]->name.c_str());
    fputs("; ", stream);
    fprint_clock_affect(stream, tr->affect);
    fprintf(stream, " goto %d\n", tr->target);
  }
}
