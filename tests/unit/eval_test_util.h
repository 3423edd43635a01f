// Helpers of the evaluator tests: a timed graph and a formula are written
// into a scratch directory, compiled and parsed the way the model checker
// does it, and results are inspected as text or by membership of concrete
// clock valuations.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/region/region.h"
#include "common/tctl/tctl_main.h"
#include "common/tctl/tctl_tg_link.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/varnok_init.h"
#include "common/tg/varnok_mk_vnk.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_hash.h"
#include "varnok/states_reg.h"
#include "varnok/varnok_eval.h"
#include "varnok/varnok_eval_back.h"
#include "varnok/varnok_main.h"
#include "varnok/varnok_options.h"

namespace eval_test {

// Moves the process into a fresh scratch directory (once per process).
inline void enter_scratch_dir() {
  static std::string dir;
  if (dir.empty()) {
    char templ[] = "/tmp/varnok_eval_XXXXXX";
    char *d = mkdtemp(templ);
    if (d == nullptr) abort();
    dir = d;
  }
  if (chdir(dir.c_str()) != 0) abort();
}

inline void write_file(const char *path, const std::string &text) {
  FILE *f = fopen(path, "w");
  if (f == nullptr) abort();
  fputs(text.c_str(), f);
  fclose(f);
}

// Parses `formula`, then compiles and loads the timed graph `tg` as the
// formula run does (the formula first, so that the regions get its extra
// clocks). The options word is cleared. Returns the parsed formula.
// Releases the loaded graph and formula.
inline void unload() {
  clear_tg_tables();
  free_zone_table();
  tctl_free(TCTL_FORMULA);
  TCTL_FORMULA = nullptr;
}

// Tests that load graphs release them at the end.
class Scratch : public ::testing::Test {
 protected:
  void TearDown() override { unload(); }
};

inline tctl_node *load(const std::string &tg, const std::string &formula) {
  enter_scratch_dir();
  unload();
  OPT_SET = 0;
  READ_STRUCT = 0;  // an earlier test that read a product leaves it set: the tables would be dropped
  N_OF_EXTRA_CLOCKS = 0;
  RESIZE_REGIONS = 0;
  COMPACT = 0;
  COMPACT_LEN = 1;
  n_of_eval = 0;
  write_file("m.tg", tg);
  write_file("f.tctl", formula + "\n");
  char fname[] = "f";
  char base[MAX_NAME_LEN + 1];
  construct_formula(fname, base);
  char model[] = "m";
  my_basename(model, ".tg");
  my_unlink(".vnk");
  if (!mk_vnk()) abort();
  init_tg();
  return tctl_formula();
}

// Sat(formula) on the graph tg.
inline states_region *eval(const std::string &tg, const std::string &formula) {
  return varnok_eval_back(load(tg, formula));
}

// Text written by a printer into a stream.
template <typename Print>
std::string capture(Print print) {
  char *buf = nullptr;
  size_t len = 0;
  FILE *f = open_memstream(&buf, &len);
  print(f);
  fclose(f);
  std::string s(buf, len);
  free(buf);
  return s;
}

inline std::string text2(states_region *p) {
  return capture([p](FILE *f) { print_hide_states_region2(p, f); });
}
inline std::string text3(states_region *p) {
  return capture([p](FILE *f) { print_hide_states_region3(p, f); });
}

// 1 when valuation v (clocks 1.., missing ones 0) satisfies zone z.
inline bool zone_holds(zone *z, const std::vector<double> &v) {
  cf_zone(z);
  if (is_empty_zone(z)) return false;
  auto val = [&v](int i) { return i == 0 || i > static_cast<int>(v.size()) ? 0.0 : v[i - 1]; };
  for (int i = 0; i < N_OF_CLOCKS; i++)
    for (int j = 0; j < N_OF_CLOCKS; j++) {
      int16_t b = z->bounds[i][j];
      if (i == j || b == INF_BOUND) continue;
      double diff = val(i) - val(j), d = bound_constant(b);
      if (diff > d || (diff == d && !bound_is_le(b))) return false;
    }
  return true;
}

// 1 when p holds at location s with clock values v (declared clocks first,
// then extra clocks; missing values are 0).
inline bool holds(states_region *p, int s, std::initializer_list<double> v) {
  if (p == nullptr || is_empty_region(p->regs[s])) return false;
  region *r = p->regs[s];
  std::vector<double> vals(v);
  for (int i = 0; i < r->count; i++)
    if (zone_holds(r->zones[i], vals)) return true;
  return false;
}

// 1 when p and q hold the same states (location by location inclusion).
inline bool same_states(states_region *p, states_region *q) {
  return is_included_states_region(p, q) && is_included_states_region(q, p);
}

}  // namespace eval_test
