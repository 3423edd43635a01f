#include "common/tg/tg_labels.h"

#include <cstring>

#include "common/tg/tg_constants.h"

label_rec *lab_table[LAB_HASH_SIZE] = {};
std::vector<label_rec *> label_tab;
std::vector<std::vector<int32_t>> trans_labels;

uint32_t tg_name_hash(const char *name) {
  uint32_t h = 0;
  for (const char *p = name; *p != '\0'; p++) {
    h = (h << 4) + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(*p)));
    uint32_t g = h & 0xf0000000u;
    if (g != 0) {
      h ^= g >> 24;
      h ^= g;
    }
  }
  return h;
}

void init_label_tables(int n) {
  for (auto &head : lab_table) {
    while (head != nullptr) {
      label_rec *next = head->next;
      delete head;
      head = next;
    }
  }
  label_tab.clear();
  nb_labels = 0;
  trans_labels.assign(static_cast<size_t>(n), {});
}

static label_rec *lookup(const char *name, uint32_t bucket) {
  for (label_rec *l = lab_table[bucket]; l != nullptr; l = l->next)
    if (l->name == name) return l;
  return nullptr;
}

static label_rec *find_or_create(const char *name, char kind) {
  uint32_t bucket = tg_name_hash(name) % LAB_HASH_SIZE;
  label_rec *l = lookup(name, bucket);
  if (l != nullptr) return l;
  if (nb_labels == MAX_INDEX_COUNT) tg_limit_exceeded("labels", MAX_INDEX_COUNT);
  l = new label_rec{name, nb_labels++, kind, {}, lab_table[bucket]};
  lab_table[bucket] = l;
  return l;
}

label_rec *insert_sync_label(const char *name) { return find_or_create(name, 'S'); }

label_rec *insert_label(const char *name) { return find_or_create(name, 'N'); }

void add_trans_label(label_rec *l, int t) { l->trans.push_back(t); }

int insert_label_trans(const char *name, int t) {
  label_rec *l = insert_label(name);
  add_trans_label(l, t);
  return l->index;
}

int find_label(const char *name) {
  label_rec *l = lookup(name, tg_name_hash(name) % LAB_HASH_SIZE);
  return l != nullptr ? l->index : -1;
}

void init_label_tab() {
  label_tab.assign(nb_labels, nullptr);
  for (label_rec *head : lab_table)
    for (label_rec *l = head; l != nullptr; l = l->next) label_tab[l->index] = l;
}

void fill_actions() {
  for (auto &labels : trans_labels) labels.clear();
  for (label_rec *l : label_tab)
    for (int32_t t : l->trans)
      if (static_cast<size_t>(t) < trans_labels.size()) trans_labels[t].push_back(l->index);
}
