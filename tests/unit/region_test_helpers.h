// Helpers shared by the region tests: building zones and regions from
// constraints, and capturing the text forms.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "common/region/region.h"
#include "common/region/region_read_write.h"
#include "common/region/region_zone.h"
#include "common/zone/zone.h"
#include "common/zone/zone_read_write.h"

namespace region_test {

// One constraint x_i - x_j ≺ d as a matrix entry.
struct Con {
  int i, j;
  int16_t b;
};
// Clock indices of the fixtures: x = 1, y = 2, z = 3.
constexpr int X = 1, Y = 2, Z = 3;
inline Con le(int x, int d) { return {x, 0, mk_bound(d, 1)}; }   // x <= d
inline Con lt(int x, int d) { return {x, 0, mk_bound(d, 0)}; }   // x < d
inline Con ge(int x, int d) { return {0, x, mk_bound(-d, 1)}; }  // x >= d
inline Con gt(int x, int d) { return {0, x, mk_bound(-d, 0)}; }  // x > d
inline Con dle(int x, int y, int d) { return {x, y, mk_bound(d, 1)}; }  // x - y <= d

// Sets up the zone module for n clocks named x, y, z.
inline void setup_clocks(int n) {
  static char nx[] = "x", ny[] = "y", nz[] = "z";
  static char *names[] = {nx, ny, nz};
  init_zone_module(n, 0, names);
  AFFECT_SIZE = static_cast<uint16_t>(n + 1);
}

// A new closed zone: the conjunction of the constraints, each added as an
// edge (the tighter one wins on a shared entry). May be empty.
inline zone *mk_zone(std::initializer_list<Con> cs) {
  zone *z = mk_universal_zone();
  for (const Con &c : cs)
    if (c.b < z->bounds[c.i][c.j]) assign_bounds_edges_zone(z, c.i, c.j, c.b, 1);
  z->flags = 0;
  cf_zone(z);
  return z;
}

// A new region (flags 0) owning the given zones in order.
inline region *mk_region(std::initializer_list<zone *> zs) {
  region *r = mk_empty_region();
  if (zs.size() == 0) return r;
  resize_region(r, static_cast<int>(zs.size()));
  int n = 0;
  for (zone *z : zs) r->zones[n++] = z;
  r->flags = 0;
  return r;
}

// Captures what print(x, stream) writes.
template <class T>
std::string capture(void (*print)(T *, FILE *), T *x) {
  char *buf = nullptr;
  size_t len = 0;
  FILE *f = open_memstream(&buf, &len);
  print(x, f);
  fclose(f);
  std::string s(buf, len);
  free(buf);
  return s;
}
inline std::string text(region *r) { return capture(print_hide_region2, r); }
inline std::string text(zone *z) { return capture(print_hide_zone2, z); }

}  // namespace region_test
