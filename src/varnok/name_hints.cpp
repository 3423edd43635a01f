#include "varnok/name_hints.h"

#include <set>

#include "common/tctl/tctl_tg_link.h"
#include "common/tg/tg_props.h"
#include "common/zone/zone.h"
#include "varnok/compo_tables.h"

std::vector<std::string> carried_proposition_names(bool (*carried)(const char *)) {
  std::vector<std::string> names;
  std::set<std::string> seen;
  auto add = [&](const std::string &n) {
    if (seen.insert(n).second && carried(n.c_str())) names.push_back(n);
  };
  for (const prop_rec *p : prop_tab)
    if (p != nullptr) add(p->name);
  for (const std::vector<prop_rec *> &tab : TA_prop_tab)
    for (const prop_rec *p : tab)
      if (p != nullptr) add(p->name);
  add("INIT");
  return names;
}

std::vector<std::string> model_clock_names() {
  std::vector<std::string> names;
  for (int i = 1; i < N_OF_CLOCKS - tctl_extra_clocks(); i++) names.emplace_back(clocks_names[i]);
  return names;
}
