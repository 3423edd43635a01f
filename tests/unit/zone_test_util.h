// Helpers shared by the zone tests.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/zone/zone.h"
#include "common/zone/zone_read_write.h"

namespace zone_test {

// Sets up the zone module for n declared clocks named x, y, z, w, v, ...
// (then c0, c1, ...) and k extra clocks.
inline void setup(int n, int k = 0) {
  static const char *base[] = {"x", "y", "z", "w", "v", "u", "t", "s"};
  char **names = static_cast<char **>(calloc(n > 0 ? n : 1, sizeof(char *)));
  char buf[16];
  for (int i = 0; i < n; i++) {
    if (i < 8) {
      names[i] = const_cast<char *>(base[i]);
    } else {
      snprintf(buf, sizeof buf, "c%d", i);
      names[i] = strdup(buf);
    }
  }
  init_zone_module(n, k, names);
  for (int i = 8; i < n; i++) free(names[i]);
  free(names);
}

// A fresh zone with no constraint besides x >= 0, ready for constraints.
inline zone *blank() {
  zone *z = mk_universal_zone();
  z->flags = 0;
  return z;
}

// Adds x_i - x_j (<= when le, else <) d as an edge.
inline void add(zone *z, int i, int j, int d, int le) { assign_bounds_edges_zone(z, i, j, mk_bound(d, le), 1); }

// The one-line text form of z.
inline std::string text(zone *z) {
  char *buf = nullptr;
  size_t len = 0;
  FILE *f = open_memstream(&buf, &len);
  print_hide_zone2(z, f);
  fclose(f);
  std::string s(buf, len);
  free(buf);
  return s;
}

}  // namespace zone_test
