/* Test shim, preloaded into a program under test (LD_PRELOAD): kills the
 * process with SIGKILL just before the chosen call, so that a test can see
 * what a run cut short at that point leaves behind.
 *
 *   VARNOK_TEST_KILL_AT=rename:m.lab   before the rename whose target is m.lab
 *   VARNOK_TEST_KILL_AT=unlink:m.vnk   before the unlink of m.vnk
 *   VARNOK_TEST_KILL_NTH=2             at the second such call (default 1)
 *
 * Names are compared with the last component of the path. Without
 * VARNOK_TEST_KILL_AT the calls go through unchanged. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int matching_calls;

static void kill_if_chosen(const char *call, const char *path) {
  const char *at = getenv("VARNOK_TEST_KILL_AT");
  if (at == NULL || path == NULL) return;
  size_t n = strlen(call);
  if (strncmp(at, call, n) != 0 || at[n] != ':') return;
  const char *base = strrchr(path, '/');
  base = base != NULL ? base + 1 : path;
  if (strcmp(base, at + n + 1) != 0) return;
  const char *nth = getenv("VARNOK_TEST_KILL_NTH");
  if (++matching_calls < (nth != NULL ? atoi(nth) : 1)) return;
  raise(SIGKILL);
}

int rename(const char *from, const char *to) {
  static int (*next)(const char *, const char *);
  if (next == NULL) *(void **)&next = dlsym(RTLD_NEXT, "rename");
  kill_if_chosen("rename", to);
  return next(from, to);
}

int unlink(const char *path) {
  static int (*next)(const char *);
  if (next == NULL) *(void **)&next = dlsym(RTLD_NEXT, "unlink");
  kill_if_chosen("unlink", path);
  return next(path);
}
