#include "varnok/progress.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "common/util/my_files.h"
#include "common/util/stattime.h"
#include "varnok/run_context.h"
#include "varnok/varnok_options.h"

namespace progress {
namespace {

struct clock_state {
  int enabled = -1;  // -1 not decided yet
  bool terminal = false;
  bool shown = false;  // a line was printed (and, on a terminal, left open)
  double period = 2.0;  // seconds between two lines
  unsigned mask = 4095;  // the clock is read once every mask + 1 steps
  double start = 0, last = 0;
  long long last_explored = 0;
  unsigned ticks = 0;
};

clock_state &st() {
  static clock_state s;
  return s;
}

double now_s() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Decided at the first step, once the run's options are known. The tests
// set VARNOK_PROGRESS_INTERVAL_MS to have lines at once (0: at every step
// and iteration), so that their shape can be checked in little time.
bool enabled() {
  clock_state &s = st();
  if (s.enabled < 0) {
    const run_context &run = this_run();
    s.terminal = isatty(STDERR_FILENO) != 0;
    s.enabled = run.has(OPT_PROGRESS) || (s.terminal && !run.has(OPT_QUIET));
    if (const char *ms = getenv("VARNOK_PROGRESS_INTERVAL_MS"); ms != nullptr && *ms != '\0') {
      s.period = atoi(ms) / 1000.0;
      s.mask = 0;
    }
    s.start = s.last = now_s();
  }
  return s.enabled != 0;
}

// 1234567 as "1.2M", 180000 as "180k".
void human(char *buf, size_t n, double v) {
  if (v >= 1e6) snprintf(buf, n, "%.1fM", v / 1e6);
  else if (v >= 1e4) snprintf(buf, n, "%.0fk", v / 1e3);
  else snprintf(buf, n, "%.0f", v);
}

long peak_mb() { return peak_memory_kb() / 1024; }

// True when a line is due (two seconds since the start and since the
// last); elapsed is then the time since the last.
bool due(double *elapsed = nullptr) {
  clock_state &s = st();
  const double t = now_s();
  if (t - s.last < s.period) return false;
  if (elapsed != nullptr) *elapsed = t - s.last;
  s.last = t;
  return true;
}

void put(const char *text) {
  clock_state &s = st();
  fprintf(stderr, s.terminal ? "\r%s: %s\033[K" : "%s: %s\n", tool, text);
  fflush(stderr);
  s.shown = true;
}

}  // namespace

void step(long long stored, long long waiting, long long explored) {
  clock_state &s = st();
  double elapsed = 0;
  if (s.enabled < 0) enabled();
  if (s.enabled == 0 || (++s.ticks & s.mask) != 0 || !due(&elapsed)) return;
  char a[16], b[16], c[16], r[16], line[160];
  human(a, sizeof a, static_cast<double>(stored));
  human(b, sizeof b, static_cast<double>(waiting));
  human(c, sizeof c, static_cast<double>(explored));
  human(r, sizeof r, static_cast<double>(explored - s.last_explored) / (elapsed > 1e-3 ? elapsed : 1e-3));
  s.last_explored = explored;
  snprintf(line, sizeof line, "%s stored, %s waiting, %s explored, %s/s, %ld MB", a, b, c, r, peak_mb());
  put(line);
}

void iteration(int n) {
  if (!enabled() || !due()) return;
  char line[96];
  snprintf(line, sizeof line, "fix-point iteration %d, %.0f s, %ld MB", n, now_s() - st().start, peak_mb());
  put(line);
}

void done() {
  clock_state &s = st();
  if (s.shown && s.terminal) fputs("\n", stderr);
  s.shown = false;
}

}  // namespace progress
