// Names of the objects of a model with data, for messages.

#include "varnok/tck_model.h"

namespace tck {

std::string system::var_name(int v) const {
  const int_decl &d = ints[var_decl[v]];
  if (d.size == 1) return d.name;
  return d.name + "[" + std::to_string(v - d.base) + "]";
}

std::string system::clock_name(int c) const {
  for (const clock_decl &d : clocks)
    if (c >= d.base && c < d.base + d.size)
      return d.size == 1 ? d.name : d.name + "[" + std::to_string(c - d.base) + "]";
  return "?";
}

std::string system::edge_name(int e) const {
  const edge &ed = edges[e];
  const process &p = processes[ed.process];
  return p.name + ":" + p.locations[ed.source].name + "->" + p.locations[ed.target].name + ":" + events[ed.event];
}

}  // namespace tck
