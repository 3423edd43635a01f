#include "common/util/stattime.h"

#include <cstdlib>
#include <sys/resource.h>
#include <sys/times.h>
#include <unistd.h>

// Parallel timer tables, all zero at start: a timer never reset counts as running.
static const char *name_tab[N_TIMERS];
static long time_tab[N_TIMERS][2];  // [0] user ticks, [1] system ticks
static int call_tab[N_TIMERS];
static int state_tab[N_TIMERS];     // 1 stopped, 0 running
static struct tms temps;

// Ticks are reported in 1/100 s whatever the system's clock rate.
static long to_centi(clock_t t) {
  static const long rate = sysconf(_SC_CLK_TCK) > 0 ? sysconf(_SC_CLK_TCK) : 100;
  return static_cast<long>(t) * 100 / rate;
}

void test_timer(int i) {
  if (i > 16) {
    fprintf(stderr, "ERROR: illegal timer %d\n", i);
    exit(-1);
  }
}

void time_0(int i, const char *name) {
  test_timer(i);
  if (name != nullptr) name_tab[i] = name;
  time_tab[i][0] = time_tab[i][1] = 0;
  call_tab[i] = 0;
  state_tab[i] = 1;
}

void time_C(int i) {
  test_timer(i);
  if (state_tab[i] != 1) return;
  times(&temps);
  time_tab[i][0] -= to_centi(temps.tms_utime);
  time_tab[i][1] -= to_centi(temps.tms_stime);
  state_tab[i] = 0;
  call_tab[i]++;
}

void time_R(int i) {
  test_timer(i);
  if (state_tab[i] != 0) return;
  times(&temps);
  time_tab[i][0] += to_centi(temps.tms_utime);
  time_tab[i][1] += to_centi(temps.tms_stime);
  state_tab[i] = 1;
}

double time_usr(int i) {
  test_timer(i);
  return static_cast<double>(time_tab[i][0]) / 100.0;
}

double time_sys(int i) {
  test_timer(i);
  return static_cast<double>(time_tab[i][1]) / 100.0;
}

int time_num(int i) {
  test_timer(i);
  return call_tab[i];
}

static const char RULE[] = "-----------------------------------------------------------------------\n";

// The data line of a named timer.
static void print_timer_line(int i, FILE *stream) {
  if (name_tab[i] != nullptr)
    fprintf(stream, "%20s: \tsystem %7.3fs , user %7.3fs , call number %d\n", name_tab[i], time_sys(i),
            time_usr(i), call_tab[i]);
}

void time_S(int i, FILE *stream) {
  test_timer(i);
  fprintf(stream, "\n%s", RULE);
  print_timer_line(i, stream);
  fputs(RULE, stream);
}

void time_P(FILE *stream) {
  fprintf(stream, "\n%s", RULE);
  fputs("*                            Statistics                               *\n", stream);
  fputs(RULE, stream);
  for (int i = 0; i < N_TIMERS; i++)
    print_timer_line(i, stream);
}

long peak_memory_kb() {
  rusage u{};
  if (getrusage(RUSAGE_SELF, &u) != 0) return 0;
  return u.ru_maxrss;
}
