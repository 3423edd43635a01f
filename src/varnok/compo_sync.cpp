#include "varnok/compo_sync.h"

#include <cstdio>

#include "varnok/compo_tables.h"
#include "varnok/varnok_options.h"

std::vector<sync_label> &SyncLabTab = *new std::vector<sync_label>;
int sync_lab_num = 0;
std::vector<std::vector<int>> &LocalToSyncLabTab = *new std::vector<std::vector<int>>;
std::vector<std::vector<std::vector<int32_t>>> &TA_label_set = *new std::vector<std::vector<std::vector<int32_t>>>;
std::vector<int> TA_nb_label_sets;
std::vector<std::vector<int>> &TA_trans_lab_set = *new std::vector<std::vector<int>>;
std::vector<std::vector<int32_t>> &label_set_vectors = *new std::vector<std::vector<int32_t>>;
int nb_label_set_vectors = 0;
std::vector<std::vector<std::vector<std::vector<int32_t>>>> &TA_loc_labset_trans =
    *new std::vector<std::vector<std::vector<std::vector<int32_t>>>>;
int multi_lab_flag = 0;

int (*valid_trans_vector)(const int32_t *w, int n) = nullptr;
int (*valid_lab_set_vector)(const int32_t *V, int n) = nullptr;
int (*trans_sync_get_1st)(const int32_t *v, int32_t *w, int n) = nullptr;
int (*trans_sync_get_nxt)(const int32_t *v, int32_t *w, int n, int cursor) = nullptr;

// Per automaton: the synchronisation labels it knows, per transition and per
// label set its synchronisation labels (masks over SyncLabTab).
static std::vector<uint64_t> known_mask;
static std::vector<std::vector<uint64_t>> trans_mask;
static std::vector<std::vector<uint64_t>> labset_mask;

static uint64_t bit(int g) { return uint64_t{1} << g; }

// ===========================================================================
// Legality on synchronisation-label masks: part[a] says whether automaton a
// moves, S[a] are its synchronisation labels.

static bool covers(const char *part, const uint64_t *S, int n) {
  for (int a = 0; a < n; a++) {
    if (!part[a] || S[a] == 0) continue;
    for (int b = 0; b < n; b++) {
      if (b == a) continue;
      uint64_t needed = S[a] & known_mask[b];
      if (needed != 0 && (!part[b] || (needed & ~S[b]) != 0)) return false;
    }
  }
  return true;
}

static bool shares(const char *part, const uint64_t *S, int n) {
  for (int a = 0; a < n; a++) {
    if (!part[a] || S[a] == 0) continue;
    uint64_t others = 0;
    for (int b = 0; b < n; b++)
      if (b != a && part[b]) others |= S[b];
    if ((S[a] & ~others) != 0) return false;
  }
  return true;
}

static bool connects(const char *part, const uint64_t *S, int n) {
  uint64_t participants = 0, reached = 0, expanded = 0;
  for (int a = 0; a < n; a++)
    if (part[a]) participants |= bit(a);
  if (participants == 0) return true;
  reached = participants & (~participants + 1);  // lowest participant
  for (;;) {
    uint64_t todo = reached & ~expanded;
    if (todo == 0) break;
    int a = __builtin_ctzll(todo);
    for (int b = 0; b < n; b++)
      if ((participants & bit(b)) && !(reached & bit(b)) && (S[a] & S[b]) != 0) reached |= bit(b);
    expanded |= bit(a);
  }
  return reached == participants;
}

static bool legal_multi(const char *part, const uint64_t *S, int n, bool diag) {
  if (!covers(part, S, n) || !shares(part, S, n)) return false;
  return diag || connects(part, S, n);
}

// Participants and masks of a transition vector / a label-set vector
// (n <= MAX_NB_TA, as init_compo_tables ensures).
static void trans_vector_masks(const int32_t *w, int n, char *part, uint64_t *S) {
  for (int a = 0; a < n; a++) {
    part[a] = w[a] >= 0;
    S[a] = w[a] >= 0 ? trans_mask[a][w[a]] : 0;
  }
}

static void lab_set_vector_masks(const int32_t *V, int n, char *part, uint64_t *S) {
  for (int a = 0; a < n; a++) {
    part[a] = V[a] >= 0;
    S[a] = V[a] >= 0 ? labset_mask[a][V[a]] : 0;
  }
}

int is_valid_trans_vector_multi_label(const int32_t *w, int n) {
  char part[MAX_NB_TA];
  uint64_t S[MAX_NB_TA];
  trans_vector_masks(w, n, part, S);
  return legal_multi(part, S, n, false);
}

int is_valid_trans_vector_multi_label_diag(const int32_t *w, int n) {
  char part[MAX_NB_TA];
  uint64_t S[MAX_NB_TA];
  trans_vector_masks(w, n, part, S);
  return legal_multi(part, S, n, true);
}

int is_valid_lab_set_vector_multi_label(const int32_t *V, int n) {
  char part[MAX_NB_TA];
  uint64_t S[MAX_NB_TA];
  lab_set_vector_masks(V, n, part, S);
  return legal_multi(part, S, n, false);
}

int is_valid_lab_set_vector_multi_label_diag(const int32_t *V, int n) {
  char part[MAX_NB_TA];
  uint64_t S[MAX_NB_TA];
  lab_set_vector_masks(V, n, part, S);
  return legal_multi(part, S, n, true);
}

// Synchronisation label of a moving transition in the single-label tests:
// that of its first label; a transition without label has none (-1).
static int single_sync_label(int a, int t) {
  const auto &labels = TA_trans_labels[a][t];
  return labels.empty() ? -1 : LocalToSyncLabTab[a][labels[0]];
}

int is_valid_trans_vector_single_label(const int32_t *w, int n) {
  int first = -1, movers = 0;
  for (int a = 0; a < n; a++)
    if (w[a] >= 0) {
      if (first < 0) first = a;
      movers++;
    }
  if (first < 0) {
    fprintf(stderr, "warning (\"is_valid_trans_vector_single_label\"): NIL_TRANS vector!\n");
    return 0;
  }
  int g = single_sync_label(first, w[first]);
  if (g < 0) return movers == 1;
  for (int b = 0; b < n; b++) {
    if (w[b] >= 0 ? single_sync_label(b, w[b]) != g : SyncLabTab[g].known[b] != 0) return 0;
  }
  return 1;
}

int is_valid_trans_vector_single_label_diag(const int32_t *w, int n) {
  for (int a = 0; a < n; a++) {
    if (w[a] < 0) continue;
    int g = single_sync_label(a, w[a]);
    if (g < 0) continue;
    for (int b = 0; b < n; b++) {
      if (w[b] >= 0 ? single_sync_label(b, w[b]) != g : SyncLabTab[g].known[b] != 0) return 0;
    }
  }
  return 1;
}

// ===========================================================================
// Building the tables

static void build_sync_label_table() {
  SyncLabTab.clear();
  sync_lab_num = 0;
  LocalToSyncLabTab.assign(N_OF_TA, {});
  for (int a = 0; a < N_OF_TA; a++) {
    LocalToSyncLabTab[a].assign(TA_N_OF_LABELS[a], -1);
    for (int l = 0; l < TA_N_OF_LABELS[a]; l++) {
      const label_rec *rec = TA_label_tab[a][l];
      if (rec->kind != 'S') continue;
      int g = 0;
      while (g < sync_lab_num && SyncLabTab[g].name != rec->name) g++;
      if (g == sync_lab_num) {
        if (sync_lab_num == MAX_NB_LABELS) {
          fprintf(stderr, "Warning: cannot insert label %s to SyncLabTab\n", rec->name.c_str());
          fprintf(stderr, " MAX_NB_LABELS exceeded (%d)\n", MAX_NB_LABELS);
          continue;
        }
        SyncLabTab.push_back({rec->name, std::vector<char>(N_OF_TA, 0)});
        sync_lab_num++;
      }
      LocalToSyncLabTab[a][l] = g;
    }
  }
  known_mask.assign(N_OF_TA, 0);
  for (int g = 0; g < sync_lab_num; g++)
    for (int b = 0; b < N_OF_TA; b++)
      for (const label_rec *rec : TA_label_tab[b])
        if (rec->name == SyncLabTab[g].name) {
          SyncLabTab[g].known[b] = 1;
          known_mask[b] |= bit(g);
        }
}

static uint64_t labels_mask(int a, const std::vector<int32_t> &labels) {
  uint64_t m = 0;
  for (int32_t l : labels)
    if (LocalToSyncLabTab[a][l] >= 0) m |= bit(LocalToSyncLabTab[a][l]);
  return m;
}

static void build_trans_masks() {
  trans_mask.assign(N_OF_TA, {});
  multi_lab_flag = 0;
  for (int a = 0; a < N_OF_TA; a++) {
    trans_mask[a].assign(TA_N_OF_TRANS[a], 0);
    for (int t = 0; t < TA_N_OF_TRANS[a]; t++) {
      trans_mask[a][t] = labels_mask(a, TA_trans_labels[a][t]);
      int sync = 0;
      for (int32_t l : TA_trans_labels[a][t])
        if (LocalToSyncLabTab[a][l] >= 0) sync++;
      if (sync >= 2) multi_lab_flag = 1;
    }
  }
}

// Same label set: same length and every index of x occurs in y.
static bool same_label_set(const std::vector<int32_t> &x, const std::vector<int32_t> &y) {
  if (x.size() != y.size()) return false;
  for (int32_t l : x) {
    bool found = false;
    for (int32_t m : y)
      if (m == l) found = true;
    if (!found) return false;
  }
  return true;
}

static void collect_label_sets() {
  TA_label_set.assign(N_OF_TA, {});
  TA_nb_label_sets.assign(N_OF_TA, 0);
  TA_trans_lab_set.assign(N_OF_TA, {});
  labset_mask.assign(N_OF_TA, {});
  for (int a = 0; a < N_OF_TA; a++) {
    auto &sets = TA_label_set[a];
    for (int t = 0; t < TA_N_OF_TRANS[a]; t++) {
      const auto &labels = TA_trans_labels[a][t];
      size_t s = 0;
      while (s < sets.size() && !same_label_set(labels, sets[s])) s++;
      if (s == sets.size()) {
        sets.push_back(labels);
        labset_mask[a].push_back(labels_mask(a, labels));
      }
      TA_trans_lab_set[a].push_back(static_cast<int>(s));
    }
    TA_nb_label_sets[a] = static_cast<int>(sets.size());
  }
}

// Generation of the legal label-set vectors in the order of an odometer in
// which automaton 0 changes fastest (digits -1, 0, 1, ...), that is in
// lexicographic order from automaton N_OF_TA-1 down. The search assigns the
// automata from the last one down and skips the branches that no
// completion can make legal (a covers rule broken between two automata
// already assigned; without diagonals, an asynchronous participant beside
// another one), so the vectors found are exactly the legal ones, in order.
struct labset_search {
  std::vector<int32_t> V;
  std::vector<char> part;
  std::vector<uint64_t> S;
  bool diag;
  bool full = false;
};

static bool pair_breaks_covers(const labset_search &s, int a, int b) {
  uint64_t needed = s.S[a] & known_mask[b];
  return s.part[a] && needed != 0 && (!s.part[b] || (needed & ~s.S[b]) != 0);
}

// 1 when automaton b, not yet assigned, can still take a choice (idle or
// one of its label sets) that keeps the covers rule with every automaton
// a..N_OF_TA-1 already assigned.
static bool can_complete(const labset_search &s, int a, int b) {
  uint64_t need = 0;  // the labels that assigned participants take and b knows
  for (int c = a; c < N_OF_TA; c++)
    if (s.part[c]) need |= s.S[c] & known_mask[b];
  if (need == 0) return true;  // b may stay idle
  for (uint64_t m : labset_mask[b]) {
    if ((need & ~m) != 0) continue;
    bool fits = true;
    for (int c = a; c < N_OF_TA && fits; c++) {
      const uint64_t shown = m & known_mask[c];
      fits = shown == 0 || (s.part[c] && (shown & ~s.S[c]) == 0);
    }
    if (fits) return true;
  }
  return false;
}

static bool prunable(const labset_search &s, int a) {
  for (int b = a + 1; b < N_OF_TA; b++) {
    if (pair_breaks_covers(s, a, b) || pair_breaks_covers(s, b, a)) return true;
    if (!s.diag && s.part[a] && s.part[b] && (s.S[a] == 0 || s.S[b] == 0)) return true;
  }
  // Look ahead: a branch where some automaton still to be assigned cannot
  // meet the covers rule has no legal vector (pruning it keeps the order of
  // the vectors found).
  if (s.part[a] && s.S[a] != 0)
    for (int b = 0; b < a; b++)
      if (!can_complete(s, a, b)) return true;
  return false;
}

static void store_label_set_vector(labset_search &s) {
  bool any = false;
  for (int a = 0; a < N_OF_TA; a++) any = any || s.part[a];
  if (!any || !valid_lab_set_vector(s.V.data(), N_OF_TA)) return;
  if (nb_label_set_vectors == MAX_LABEL_SET_VECTORS) {
    // The table keeps the first vectors in order; the others are dropped.
    fprintf(stderr, " exceeded!\n");
    s.full = true;
    return;
  }
  label_set_vectors.push_back(s.V);
  nb_label_set_vectors++;
}

static void search_label_set_vectors(labset_search &s, int a) {
  if (s.full) return;
  if (a < 0) {
    store_label_set_vector(s);
    return;
  }
  for (int d = -1; d < TA_nb_label_sets[a] && !s.full; d++) {
    s.V[a] = d;
    s.part[a] = d >= 0;
    s.S[a] = d >= 0 ? labset_mask[a][d] : 0;
    if (!prunable(s, a)) search_label_set_vectors(s, a - 1);
  }
  s.V[a] = -1;
  s.part[a] = 0;
  s.S[a] = 0;
}

static void generate_label_set_vectors() {
  label_set_vectors.clear();
  nb_label_set_vectors = 0;
  labset_search s;
  s.V.assign(N_OF_TA, -1);
  s.part.assign(N_OF_TA, 0);
  s.S.assign(N_OF_TA, 0);
  s.diag = is_option(OPT_SYNC_DIAG) != 0;
  search_label_set_vectors(s, N_OF_TA - 1);
}

static void fill_loc_labset_trans() {
  TA_loc_labset_trans.assign(N_OF_TA, {});
  for (int a = 0; a < N_OF_TA; a++) {
    auto &locs = TA_loc_labset_trans[a];
    locs.assign(TA_N_OF_STATES[a], std::vector<std::vector<int32_t>>(TA_nb_label_sets[a]));
    for (int l = 0; l < TA_N_OF_STATES[a]; l++)
      for (int t = TA_succs[a][l]; t < TA_succs[a][l + 1]; t++)
        locs[l][TA_trans_lab_set[a][t]].push_back(t);
  }
}

void build_global_label_tables() {
  fprintf(stderr, "Building synchronization tables...\n");
  bool diag = is_option(OPT_SYNC_DIAG) != 0;
  build_sync_label_table();
  build_trans_masks();
  if (is_option(OPT_SYNC_ENUM)) {
    if (multi_lab_flag)
      valid_trans_vector = diag ? is_valid_trans_vector_multi_label_diag : is_valid_trans_vector_multi_label;
    else
      valid_trans_vector = diag ? is_valid_trans_vector_single_label_diag : is_valid_trans_vector_single_label;
    trans_sync_get_1st = TA_1st_trans_vector;
    trans_sync_get_nxt = TA_nxt_trans_vector;
    return;
  }
  valid_lab_set_vector = diag ? is_valid_lab_set_vector_multi_label_diag : is_valid_lab_set_vector_multi_label;
  trans_sync_get_1st = get_1st_trans_vector_multi_label;
  trans_sync_get_nxt = get_nxt_trans_vector_multi_label;
  collect_label_sets();
  generate_label_set_vectors();
  fill_loc_labset_trans();
}

uint64_t TA_trans_sync_mask(int a, int t) { return trans_mask[a][t]; }

// ===========================================================================
// Enumeration mode: an odometer over the local candidates, automaton n-1
// fastest, each digit running -1 then the transitions leaving v[a].

static bool advance_trans_odometer(const int32_t *v, int32_t *w, int n) {
  for (int a = n - 1; a >= 0; a--) {
    int lo = TA_succs[a][v[a]], hi = TA_succs[a][v[a] + 1];
    if (w[a] < 0 ? lo < hi : w[a] + 1 < hi) {
      w[a] = w[a] < 0 ? lo : w[a] + 1;
      return true;
    }
    w[a] = -1;
  }
  return false;
}

int TA_nxt_trans_vector(const int32_t *v, int32_t *w, int n, int) {
  while (advance_trans_odometer(v, w, n))
    if (valid_trans_vector(w, n)) return 1;
  return -1;
}

int TA_1st_trans_vector(const int32_t *v, int32_t *w, int n) {
  for (int a = 0; a < n; a++) w[a] = -1;
  return TA_nxt_trans_vector(v, w, n, 0);
}

// ===========================================================================
// Label-set mode

static bool lab_set_vector_enabled(const std::vector<int32_t> &V, const int32_t *v, int n) {
  for (int a = 0; a < n; a++)
    if (V[a] >= 0 && TA_loc_labset_trans[a][v[a]][V[a]].empty()) return false;
  return true;
}

// The first enabled label-set vector from index c on, with its first
// transition vector in w; -1 when there is none.
static int first_enabled_from(int c, const int32_t *v, int32_t *w, int n) {
  for (; c < nb_label_set_vectors; c++) {
    const auto &V = label_set_vectors[c];
    if (!lab_set_vector_enabled(V, v, n)) continue;
    for (int a = 0; a < n; a++) w[a] = V[a] < 0 ? -1 : TA_loc_labset_trans[a][v[a]][V[a]][0];
    return c;
  }
  return -1;
}

int get_1st_trans_vector_multi_label(const int32_t *v, int32_t *w, int n) { return first_enabled_from(0, v, w, n); }

int get_nxt_trans_vector_multi_label(const int32_t *v, int32_t *w, int n, int cursor) {
  if (cursor < 0) cursor = get_lab_set_of_trans_vector(w, n);
  if (cursor < 0 || cursor >= nb_label_set_vectors) return -1;
  const auto &V = label_set_vectors[cursor];
  for (int a = 0; a < n; a++) {
    if (V[a] < 0) continue;
    const auto &list = TA_loc_labset_trans[a][v[a]][V[a]];
    size_t pos = 0;
    while (pos < list.size() && list[pos] != w[a]) pos++;
    if (pos + 1 < list.size()) {
      w[a] = list[pos + 1];
      return cursor;
    }
    w[a] = list[0];  // wraps, carry to the next participant
  }
  return first_enabled_from(cursor + 1, v, w, n);
}

int get_lab_set_of_trans_vector(const int32_t *w, int n) {
  for (int c = 0; c < nb_label_set_vectors; c++) {
    const auto &V = label_set_vectors[c];
    bool same = true;
    for (int a = 0; a < n && same; a++) same = V[a] == (w[a] < 0 ? -1 : TA_trans_lab_set[a][w[a]]);
    if (same) return c;
  }
  return -1;
}

// ===========================================================================
// Location vectors

static bool some_automaton_without_location(int n) {
  for (int a = 0; a < n; a++)
    if (TA_N_OF_STATES[a] == 0) return true;
  return false;
}

int get_1st_state_vector(int32_t *v, int n) {
  if (n <= 0 || some_automaton_without_location(n)) return 0;
  for (int a = 0; a < n; a++) v[a] = 0;
  return 1;
}

int get_nxt_state_vector(int32_t *v, int n) {
  for (int a = n - 1; a >= 0; a--) {
    if (++v[a] < TA_N_OF_STATES[a]) return 1;
    v[a] = 0;
  }
  return 0;
}

static const std::vector<int32_t> location_zero_only{0};

static const std::vector<int32_t> &list_of(const std::vector<std::vector<int32_t>> &lists, int a) {
  return static_cast<size_t>(a) < lists.size() && !lists[a].empty() ? lists[a] : location_zero_only;
}

int get_1st_state_vec_by_list_states(int32_t *v, const std::vector<std::vector<int32_t>> &lists, int n) {
  if (n <= 0 || some_automaton_without_location(n)) return 0;
  for (int a = 0; a < n; a++) v[a] = list_of(lists, a)[0];
  return 1;
}

int get_nxt_state_vec_by_list_states(int32_t *v, const std::vector<std::vector<int32_t>> &lists, int n) {
  for (int a = 0; a < n; a++) {
    const auto &list = list_of(lists, a);
    size_t pos = 0;
    while (pos < list.size() && list[pos] != v[a]) pos++;
    if (pos + 1 < list.size()) {
      v[a] = list[pos + 1];
      return 1;
    }
    v[a] = list[0];
  }
  return 0;
}

// ===========================================================================
// Action vectors

void trans_to_action_vector(const int32_t *w, const trans_rec **e, int n) {
  for (int a = 0; a < n; a++) e[a] = w[a] < 0 ? nullptr : TA_trans_table[a][w[a]];
}

void src_vector_to_dest_vector_by_act(const int32_t *v, int32_t *u, const trans_rec *const *e, int n) {
  for (int a = 0; a < n; a++) u[a] = e[a] != nullptr ? e[a]->target : v[a];
}
