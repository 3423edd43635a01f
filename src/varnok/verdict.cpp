#include "varnok/verdict.h"

#include <sys/resource.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>

#include "common/region/region.h"
#include "common/tctl/tctl_main.h"
#include "common/tg/tg_global.h"
#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "common/util/stattime.h"
#include "varnok/progress.h"
#include "varnok/run_context.h"
#include "varnok/stale_results.h"
#include "varnok/varnok_options.h"

namespace verdict {
namespace {

enum class kind { none, reachable, holds };

struct run_state {
  kind question = kind::none;
  int answer = 0;
  bool finished = false;
  bool from_backward = false;  // under -forw, HOLDS already decided backwards
  // -verdict, -q and -stats, read by start before the arguments are (an
  // exit from the argument reader must already give status 2 under
  // -verdict, and the banner is already quiet under -q).
  bool verdict = false, quiet = false, stats = false;
  std::map<std::string, long long> figures;
  FILE *out = nullptr;         // the real standard output under -q
  std::string captured;        // what -q kept from standard output
  std::string line;            // the standard error line being filtered
  timespec wall_start{};
};

run_state &state() {
  static auto *s = new run_state;
  return *s;
}

// ---------------------------------------------------------------------------
// -q: standard output is kept aside (shown on standard error only when the
// run ends in an error, so that no error message is lost); standard error
// loses the search's progress and verdict lines, which the verdict line
// replaces. Every other line (warnings, errors) passes.

const char *const progress_lines[] = {
    "Generating ", "Dumping output", "Evaluating reachability", "Using ", "file ", "files ", "Reachability ",
    "Full state space", "BFS limited", "Search limited", "Hint: ", "\tor use", "varnok: Reachability",
    "varnok: Max stack", "varnok: Please re-run", "varnok: Initial states satisfy", "varnok: abs lu:",
    "varnok: Invariance", "Max depth", "Warning: unknown result", "Building synchronization tables", "varnok: Trace #",
};

bool is_progress_line(const std::string &l) {
  for (const char *p : progress_lines)
    if (l.compare(0, strlen(p), p) == 0) return true;
  // "<n> sample traces generated", "<n> symbolic states generated. DFS limited ..."
  return l.find(" sample traces generated") != std::string::npos ||
         l.find(" symbolic states generated") != std::string::npos ||
         l.find("simulation states generated") != std::string::npos;
}

ssize_t capture_out(void *, const char *buf, size_t n) {
  state().captured.append(buf, n);
  return static_cast<ssize_t>(n);
}

ssize_t filter_err(void *cookie, const char *buf, size_t n) {
  FILE *real = static_cast<FILE *>(cookie);
  std::string &l = state().line;
  for (size_t i = 0; i < n; i++) {
    l += buf[i];
    if (buf[i] != '\n') continue;
    if (!is_progress_line(l)) fwrite(l.data(), 1, l.size(), real);
    l.clear();
  }
  return static_cast<ssize_t>(n);
}

void go_quiet() {
  fflush(stdout);
  fflush(stderr);
  FILE *real_out = fdopen(dup(STDOUT_FILENO), "w");
  FILE *real_err = fdopen(dup(STDERR_FILENO), "w");
  if (real_out == nullptr || real_err == nullptr) return;
  setbuf(real_out, nullptr);
  setbuf(real_err, nullptr);
  cookie_io_functions_t out_fns{nullptr, capture_out, nullptr, nullptr};
  cookie_io_functions_t err_fns{nullptr, filter_err, nullptr, nullptr};
  FILE *out = fopencookie(nullptr, "w", out_fns);
  FILE *err = fopencookie(real_err, "w", err_fns);
  if (out == nullptr || err == nullptr) return;
  setbuf(out, nullptr);
  setbuf(err, nullptr);
  state().out = real_out;
  stdout = out;
  stderr = err;
}

// Under -q, a run that ends in an error shows what it printed on standard
// output (its error message may be there), on standard error.
void replay_captured() {
  run_state &s = state();
  if (s.out == nullptr) return;
  fflush(stdout);
  fflush(stderr);
  // Its lines, less those that only report progress.
  static const char *const informative[] = {" created", " updated", " dumped", ": begin ", ": end ", ": reading file",
                                            ": release ", "-----", " already exists", "time  ", ": compacting",
                                            "Evaluating", "simulation states", "simulation transitions", "updating file", "creating file"};
  if (!s.line.empty()) fputs("\n", stderr);
  size_t from = 0;
  while (from < s.captured.size()) {
    size_t to = s.captured.find('\n', from);
    if (to == std::string::npos) to = s.captured.size();
    const std::string l = s.captured.substr(from, to - from);
    from = to + 1;
    bool shown = !l.empty();
    for (const char *w : informative)
      if (l.find(w) != std::string::npos) shown = false;
    if (shown) fprintf(stderr, "%s\n", l.c_str());
  }
  s.captured.clear();
}

FILE *answer_stream() { return state().out != nullptr ? state().out : stdout; }

// Whatever ends the process before finish: under -verdict that is an error.
void at_exit() {
  run_state &s = state();
  if (s.finished) return;
  replay_captured();
  if (!s.verdict) return;
  fflush(nullptr);
  _exit(2);
}

// Values of options that take one: skipped when looking for -verdict and -q.
bool takes_value(const char *arg) { return is_option_w_val(arg) || is_option_w_param(arg); }

double seconds(const timeval &t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

void print_figures() {
  run_state &s = state();
  FILE *f = answer_stream();
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const double wall = static_cast<double>(now.tv_sec - s.wall_start.tv_sec) +
                      static_cast<double>(now.tv_nsec - s.wall_start.tv_nsec) / 1e9;
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  fprintf(f, "time_s %.3f\n", wall);
  fprintf(f, "cpu_s %.3f\n", seconds(u.ru_utime) + seconds(u.ru_stime));
  fprintf(f, "peak_memory_kb %ld\n", peak_memory_kb());
  static const char *const order[] = {"states_stored", "states_explored", "states_covered", "transitions",
                                      "locations",     "iterations",      "result_zones"};
  for (const char *k : order) {
    auto it = s.figures.find(k);
    if (it != s.figures.end()) fprintf(f, "%s %lld\n", k, it->second);
  }
}

}  // namespace

void start(int argc, char **argv) {
  run_state &s = state();
  clock_gettime(CLOCK_MONOTONIC, &s.wall_start);
  for (int k = 1; k < argc; k++) {
    if (strcmp(argv[k], "-verdict") == 0) s.verdict = true;
    else if (strcmp(argv[k], "-q") == 0) s.quiet = true;
    else if (strcmp(argv[k], "-stats") == 0) s.stats = true;
    else if (takes_value(argv[k])) k++;
  }
  // main prints the banner before it reads the arguments (and so before
  // the run context exists): the option word tells it about -q already.
  if (s.quiet) OPT_SET |= OPT_QUIET;
  atexit(at_exit);
  if (s.quiet) go_quiet();
}

void reachable(int answer) {
  state().question = kind::reachable;
  state().answer = answer;
}

void holds(int answer) {
  if (state().from_backward) return;
  state().question = kind::holds;
  state().answer = answer;
}

void holds_decided_backwards(int answer) {
  holds(answer);
  state().from_backward = true;
}

void stopped_at_limit() {
  run_state &s = state();
  if (!s.verdict) return;
  if (this_run().has(OPT_REACH)) reachable(-1);
  else if (s.question == kind::none) s.answer = -1;
  stale_results_remove();
  fatal_exit(finish(true, 1));
}

void stat(const char *key, long long value) { state().figures[key] = value; }

void add_stat(const char *key, long long value) { state().figures[key] += value; }

int finish(bool completed, int status) {
  run_state &s = state();
  s.finished = true;
  progress::done();
  fflush(stdout);
  fflush(stderr);
  if (!completed) {
    // The run failed (it returned, rather than exiting).
    replay_captured();
    return s.verdict ? 2 : status;
  }
  if (!s.verdict && !s.stats) return status;
  FILE *f = answer_stream();
  if (s.verdict) {
    if (s.question == kind::none) {
      fprintf(stderr, "%s: error: this run answers no question (-verdict needs a goal or a formula)\n", tool);
      replay_captured();
      return 2;
    }
    if (s.answer < 0) fputs("UNKNOWN\n", f);
    else fprintf(f, "%s %s\n", s.question == kind::reachable ? "REACHABLE" : "HOLDS", s.answer ? "true" : "false");
  }
  if (s.stats) print_figures();
  if (!s.verdict) return status;
  return s.answer < 0 ? 3 : (s.answer ? 0 : 1);
}

}  // namespace verdict
