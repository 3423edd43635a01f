// Label synchronisation: which combinations of local transitions form a
// legal move of the product, and the iterator over the legal transition
// vectors of a location vector.
//
// A synchronisation label (kind 'S') must be taken jointly by every
// automaton that has a label of that name; other labels move one automaton
// alone. The default label-set mode decides legality once per combination
// of label sets when the tables are built; the enumeration mode (-sync enum)
// tests every combination of local transitions at each location vector.
// -sync diag relaxes the rules (independent moves may happen together).
// Synchronisation-label sets are kept as 64-bit masks over SyncLabTab.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/tg/tg_global.h"

// Most synchronisation labels and stored legal label-set vectors.
constexpr int MAX_NB_LABELS = 64;  // label sets are 64-bit masks
constexpr int MAX_LABEL_SET_VECTORS = 1024;

struct sync_label {
  std::string name;
  std::vector<char> known;  // per automaton: has a label of that name
};

extern std::vector<sync_label> &SyncLabTab;
extern int sync_lab_num;
// Per automaton, per local label index: index in SyncLabTab or -1.
extern std::vector<std::vector<int>> &LocalToSyncLabTab;
// Per automaton: its distinct label sets (label indices as stored), and per
// transition the number of its label set.
extern std::vector<std::vector<std::vector<int32_t>>> &TA_label_set;
extern std::vector<int> TA_nb_label_sets;
extern std::vector<std::vector<int>> &TA_trans_lab_set;
// Legal label-set vectors in generation order (entry -1: idle).
extern std::vector<std::vector<int32_t>> &label_set_vectors;
extern int nb_label_set_vectors;
// Per automaton, location and label set: the transitions leaving the
// location with that label set, increasing.
extern std::vector<std::vector<std::vector<std::vector<int32_t>>>> &TA_loc_labset_trans;
// Enumeration mode: some transition carries two or more synchronisation labels.
extern int multi_lab_flag;

// Mode selectors, set by build_global_label_tables.
extern int (*valid_trans_vector)(const int32_t *w, int n);
extern int (*valid_lab_set_vector)(const int32_t *V, int n);
extern int (*trans_sync_get_1st)(const int32_t *v, int32_t *w, int n);
extern int (*trans_sync_get_nxt)(const int32_t *v, int32_t *w, int n, int cursor);

// Prints "Building synchronization tables..." on standard error and builds
// every table above for the loaded automata, in the mode of the options.
void build_global_label_tables();

// Synchronisation labels of transition t of automaton a (mask over SyncLabTab).
uint64_t TA_trans_sync_mask(int a, int t);

// Legality tests on transition vectors (enumeration mode) and on label-set
// vectors (label-set mode). Return 1 when legal.
int is_valid_trans_vector_single_label(const int32_t *w, int n);
int is_valid_trans_vector_single_label_diag(const int32_t *w, int n);
int is_valid_trans_vector_multi_label(const int32_t *w, int n);
int is_valid_trans_vector_multi_label_diag(const int32_t *w, int n);
int is_valid_lab_set_vector_multi_label(const int32_t *V, int n);
int is_valid_lab_set_vector_multi_label_diag(const int32_t *V, int n);

// Iterators of the two modes: the first legal transition vector at location
// vector v into w, returning a cursor >= 0, or -1 when there is none; the
// next one after w (unchanged since the last call), or -1. A cursor of -1
// given to the label-set iterator is recovered from w.
int TA_1st_trans_vector(const int32_t *v, int32_t *w, int n);
int TA_nxt_trans_vector(const int32_t *v, int32_t *w, int n, int cursor);
int get_1st_trans_vector_multi_label(const int32_t *v, int32_t *w, int n);
int get_nxt_trans_vector_multi_label(const int32_t *v, int32_t *w, int n, int cursor);
// First stored label-set vector matching the label sets of w's transitions, or -1.
int get_lab_set_of_trans_vector(const int32_t *w, int n);

// Every location vector: all zeros first, automaton n-1 fastest. 1 while a
// vector is produced, 0 at the end (none when an automaton has no location).
int get_1st_state_vector(int32_t *v, int n);
int get_nxt_state_vector(int32_t *v, int n);
// The cartesian product of one list of locations per automaton (an empty
// list stands for location 0 alone), automaton 0 fastest in list order.
int get_1st_state_vec_by_list_states(int32_t *v, const std::vector<std::vector<int32_t>> &lists, int n);
int get_nxt_state_vec_by_list_states(int32_t *v, const std::vector<std::vector<int32_t>> &lists, int n);

// e[a] = record of transition w[a] of automaton a, null when w[a] is -1.
void trans_to_action_vector(const int32_t *w, const trans_rec **e, int n);
// u[a] = target of e[a], or v[a] for an idle automaton.
void src_vector_to_dest_vector_by_act(const int32_t *v, int32_t *u, const trans_rec *const *e, int n);
