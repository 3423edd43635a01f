#include "common/tg/tg_props.h"

#include "common/tg/tg_constants.h"
#include "common/tg/tg_labels.h"

prop_rec *prop_hash_table[PROP_HASH_SIZE] = {};
std::vector<prop_rec *> prop_tab;
std::vector<std::vector<int32_t>> states_props;

int my_hash_prop(const char *name) { return static_cast<int>(tg_name_hash(name) % PROP_HASH_SIZE); }

void init_prop_tables(int n) {
  for (auto &head : prop_hash_table) {
    while (head != nullptr) {
      prop_rec *next = head->next;
      delete head;
      head = next;
    }
  }
  prop_tab.clear();
  nb_props = 0;
  states_props.assign(static_cast<size_t>(n), {});
}

static prop_rec *lookup(const char *name, int bucket) {
  for (prop_rec *p = prop_hash_table[bucket]; p != nullptr; p = p->next)
    if (p->name == name) return p;
  return nullptr;
}

prop_rec *insert_prop(const char *name) {
  int bucket = my_hash_prop(name);
  prop_rec *p = lookup(name, bucket);
  if (p != nullptr) return p;
  if (nb_props == MAX_INDEX_COUNT) tg_limit_exceeded("propositions", MAX_INDEX_COUNT);
  p = new prop_rec{name, nb_props++, {}, prop_hash_table[bucket]};
  prop_hash_table[bucket] = p;
  return p;
}

void add_state_prop(prop_rec *p, int s) { p->states.push_back(s); }

int insert_prop_state(const char *name, int s) {
  prop_rec *p = insert_prop(name);
  add_state_prop(p, s);
  return p->index;
}

int find_prop(const char *name) {
  prop_rec *p = lookup(name, my_hash_prop(name));
  return p != nullptr ? p->index : -1;
}

void init_prop_tab() {
  prop_tab.assign(nb_props, nullptr);
  for (prop_rec *head : prop_hash_table)
    for (prop_rec *p = head; p != nullptr; p = p->next) prop_tab[p->index] = p;
}

void fill_props() {
  for (auto &props : states_props) props.clear();
  for (prop_rec *p : prop_tab)
    for (int32_t s : p->states)
      if (static_cast<size_t>(s) < states_props.size()) states_props[s].push_back(p->index);
}

static void print_prop_line(FILE *stream, int s, const char *head) {
  if (s < 0 || static_cast<size_t>(s) >= states_props.size() || states_props[s].empty()) return;
  fputs(head, stream);
  for (int32_t p : states_props[s]) fprintf(stream, " %s", prop_tab[p]->name.c_str());
  fputs("\n", stream);
}

void fprint_props(FILE *stream, int s) { print_prop_line(stream, s, "prop:"); }

void fprint_propositions(FILE *stream, int s) { print_prop_line(stream, s, "propositions:"); }
