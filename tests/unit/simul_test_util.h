// Helpers of the forward-engine tests.
#pragma once

#include <fcntl.h>
#include <unistd.h>
#include <utime.h>

#include <cstdio>
#include <string>

#include "eval_test_util.h"

namespace simul_test {

// Runs f with standard output sent to `sink` (/dev/null when null) and
// returns its result.
template <typename F>
auto redirected(FILE *sink, F f) {
  fflush(stdout);
  int saved = dup(1);
  int target = sink != nullptr ? dup(fileno(sink)) : open("/dev/null", O_WRONLY);
  dup2(target, 1);
  close(target);
  auto r = f();
  fflush(stdout);
  dup2(saved, 1);
  close(saved);
  return r;
}

// Parses `formula` and compiles the graph `tg` (eval_test::load), then loads
// the graph again from its compiled files, as a second run would: the
// regions are then the tables' own, not zones of the hash table, which the
// forward engine starts afresh. Returns the parsed formula.
inline tctl_node *load_compiled(const std::string &tg, const std::string &formula) {
  return redirected(nullptr, [&] {
    tctl_node *f = eval_test::load(tg, formula);
    clear_tg_tables();
    free_zone_table();
    struct utimbuf old = {978307200, 978307200};  // 2001-01-01
    utime("m.tg", &old);
    char model[] = "m";
    my_basename(model, ".tg");
    if (!mk_vnk()) abort();
    init_tg();
    return f;
  });
}

// The last line that `f` writes on standard output.
template <typename F>
std::string last_line(F f) {
  FILE *out = tmpfile();
  redirected(out, [&] {
    f();
    return 0;
  });
  std::string last;
  rewind(out);
  char line[256];
  while (fgets(line, sizeof line, out) != nullptr) last = line;
  fclose(out);
  return last;
}

}  // namespace simul_test
