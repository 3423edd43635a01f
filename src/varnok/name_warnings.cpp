#include "varnok/name_warnings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "common/tctl/tctl_main.h"
#include "common/tctl/tctl_syntax.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/zone/zone.h"
#include "varnok/compo_tables.h"
#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "varnok/name_hints.h"

void name_warning(const std::string &text, bool as_error, const std::string &place_line) {
  if (as_error) fatal(stderr, 2, "%s: error: %s\n%s", tool, text.c_str(), place_line.c_str());
  // A warning keeps its one line unless the place line has a guess to offer.
  const bool guess = place_line.find("(did you mean") != std::string::npos;
  fprintf(stderr, "%s: warning: %s\n%s", tool, text.c_str(), guess ? place_line.c_str() : "");
}

namespace {

// The names of the propositions of f, each once, in order of appearance.
void collect_props(const tctl_node *f, std::vector<std::string> &names) {
  if (f == nullptr || f->kind < 0 || f->kind > TCTL_LAST_KIND) return;
  if (f->kind == TCTL_PROP) {
    const std::string name = f->op[0].name;
    for (const std::string &n : names)
      if (n == name) return;
    names.push_back(name);
    return;
  }
  const char *layout = tctl_layout(f->kind);
  for (int i = 0; layout[i] != '\0'; i++)
    if (layout[i] == 'f') collect_props(f->op[i].f, names);
}

void warn_props(const tctl_node *f, const char *role, bool as_errors, bool (*carried)(const char *)) {
  std::vector<std::string> names;
  collect_props(f, names);
  for (const std::string &n : names)
    if (!carried(n.c_str()))
      name_warning("no location carries the proposition " + n + " (" + role + "); it is false everywhere", as_errors,
                   tctl_unknown_name_line(n.c_str(), "unknown proposition", carried_proposition_names(carried)));
}

bool carried_in_graph(const char *name) {
  const int p = find_prop(name);
  if (p < 0) return false;
  for (const std::vector<int32_t> &props : states_props)
    for (int32_t q : props)
      if (q == p) return true;
  return false;
}

bool carried_in_network(const char *name) {
  if (std::string(name) == "INIT") return true;
  for (int a = 0; a < N_OF_TA; a++) {
    const int p = TA_find_prop_by_name(a, name);
    if (p < 0) continue;
    for (const std::vector<int32_t> &props : TA_states_props[a])
      for (int32_t q : props)
        if (q == p) return true;
  }
  return false;
}

}  // namespace

void warn_unknown_props(const tctl_node *f, const char *role, bool as_errors) {
  warn_props(f, role, as_errors, carried_in_graph);
}

void warn_unknown_props_network(const tctl_node *f, const char *role, bool as_errors) {
  warn_props(f, role, as_errors, carried_in_network);
}

void warn_unmatched_sync_labels(bool as_errors) {
  for (int a = 0; a < N_OF_TA; a++) {
    const std::string graph = TA_names[a] + ".tg";
    std::vector<char> carried(TA_label_tab[a].size(), 0);
    for (const std::vector<int32_t> &labels : TA_trans_labels[a])
      for (int32_t l : labels)
        if (l >= 0 && static_cast<size_t>(l) < carried.size()) carried[l] = 1;
    for (size_t l = 0; l < TA_label_tab[a].size(); l++) {
      const label_rec *rec = TA_label_tab[a][l];
      if (rec->kind != 'S') continue;
      bool declared = false;
      for (int b = 0; b < N_OF_TA && !declared; b++) {
        if (b == a) continue;
        for (const label_rec *other : TA_label_tab[b])
          if (other->kind == 'S' && other->name == rec->name) declared = true;
      }
      if (!declared)
        name_warning("no other graph declares the synchronisation label " + rec->name + " of " + graph +
                     "; no move synchronises on it",
                     as_errors);
      if (!carried[l])
        name_warning("no transition of " + graph + " carries its synchronisation label " + rec->name, as_errors);
    }
  }
}

namespace {

// The first clock of f that is neither a clock of the model nor a clock of
// an enclosing reset (a formula clock), or empty.
std::string unknown_clock(const tctl_node *f, std::vector<std::string> &bound) {
  if (f == nullptr || f->kind < 0 || f->kind > TCTL_LAST_KIND) return "";
  auto known = [&](const char *name) {
    for (const std::string &b : bound)
      if (b == name) return true;
    for (int i = 1; i < N_OF_CLOCKS; i++)
      if (strcmp(clocks_names[i], name) == 0) return true;
    return false;
  };
  if (f->kind == TCTL_CLOCK) return known(f->op[0].name) ? "" : f->op[0].name;
  if (f->kind == TCTL_MINUS) {
    if (!known(f->op[0].name)) return f->op[0].name;
    return known(f->op[1].name) ? "" : f->op[1].name;
  }
  if (f->kind == TCTL_RESET) {
    bound.emplace_back(f->op[0].name);
    std::string r = unknown_clock(f->op[1].f, bound);
    bound.pop_back();
    return r;
  }
  const char *layout = tctl_layout(f->kind);
  for (int i = 0; layout[i] != '\0'; i++)
    if (layout[i] == 'f') {
      std::string r = unknown_clock(f->op[i].f, bound);
      if (!r.empty()) return r;
    }
  return "";
}

// What first makes f more than a boolean formula on locations, or empty.
std::string first_non_location_part(const tctl_node *f) {
  if (f == nullptr) return "";
  switch (f->kind) {
    case TCTL_STATE:
    case TCTL_INIT:
    case TCTL_PROP: return "";
    case TCTL_AND:
    case TCTL_OR:
    case TCTL_IMPL: {
      std::string r = first_non_location_part(f->op[0].f);
      return r.empty() ? first_non_location_part(f->op[1].f) : r;
    }
    case TCTL_NOT: return first_non_location_part(f->op[0].f);
    case TCTL_CLOCK_CONSTRAINT: return "a clock constraint";
    case TCTL_ENABLE: return "enable(...)";
    case TCTL_NONZENO: return "a non-zeno test";
    case TCTL_RESET: return "a formula clock (reset)";
    default: return "a temporal operator";
  }
}

}  // namespace

std::string unknown_clock_line(const tctl_node *f) {
  std::vector<std::string> bound;
  const std::string clock = unknown_clock(f, bound);
  if (clock.empty()) return "";
  std::vector<std::string> known;
  for (int i = 1; i < N_OF_CLOCKS; i++) known.emplace_back(clocks_names[i]);
  return tctl_unknown_name_line(clock.c_str(), "unknown clock", known);
}

std::string why_not_location_formula(const tctl_node *f, const char *role) {
  std::vector<std::string> bound;
  const std::string clock = unknown_clock(f, bound);
  if (!clock.empty()) return "clock " + clock + " is not a clock of the model";
  const std::string part = first_non_location_part(f);
  if (part.empty()) return "";
  return std::string("the ") + role +
         " of a search on several graphs speaks of locations only (propositions, state(n), init); it has " + part;
}
