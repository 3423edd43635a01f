// Synchronisation labels of the transitions.
//
// Labels are found by name through a 313-bucket hash table while a graph is
// built or read; after building, label_tab indexes them by label index and
// trans_labels gives every transition its label indices in index order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int LAB_HASH_SIZE = 313;

typedef struct label_rec {
  std::string name;            // upper case
  int32_t index;               // order of creation, from 0
  char kind;                   // 'S' declared under "#sync", else 'N'
  std::vector<int32_t> trans;  // transitions carrying it, oldest first
  struct label_rec *next;      // hash chain
} label_rec;

extern label_rec *lab_table[LAB_HASH_SIZE];
// Label records by index (N_OF_LABELS entries after init_label_tab).
extern std::vector<label_rec *> label_tab;
// Per transition, its label indices (in label-index order after fill_actions).
extern std::vector<std::vector<int32_t>> trans_labels;

// The name hash shared by labels and propositions: h = h * 16 + c over the
// signed bytes, folding the top four bits back in (32-bit unsigned).
uint32_t tg_name_hash(const char *name);

// Empties the label hash table (freeing its records) and label_tab, sets
// nb_labels to 0 and prepares trans_labels for n transitions.
void init_label_tables(int n);
// Finds the label or creates it with kind 'S'.
label_rec *insert_sync_label(const char *name);
// Finds the label or creates it with kind 'N'.
label_rec *insert_label(const char *name);
// Finds or creates (kind 'N') the label and records transition t on it;
// returns the label index.
int insert_label_trans(const char *name, int t);
// Records transition t on label l.
void add_trans_label(label_rec *l, int t);
// Index of the label called name, or -1.
int find_label(const char *name);
// Builds label_tab from the hash table (N_OF_LABELS entries).
void init_label_tab();
// Fills every transition's label array from the labels' transition lists,
// labels in index order.
void fill_actions();
