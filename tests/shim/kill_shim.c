/* Test shim, preloaded into a program under test (LD_PRELOAD): kills the
 * process with SIGKILL just before the chosen call, so that a test can see
 * what a run cut short at that point leaves behind, or makes one chosen
 * open fail, so that a test can see what a transient failure does.
 *
 *   VARNOK_TEST_KILL_AT=rename:m.lab   before the rename whose target is m.lab
 *   VARNOK_TEST_KILL_AT=unlink:m.vnk   before the unlink of m.vnk
 *   VARNOK_TEST_KILL_NTH=2             at the second such call (default 1)
 *
 *   VARNOK_TEST_FAIL_AT=fopen:f.tctl   that fopen of f.tctl fails with EACCES
 *   VARNOK_TEST_FAIL_NTH=2             the second such call only (default 1)
 *
 * Names are compared with the last component of the path. Without the
 * variables the calls go through unchanged. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

/* 1 when call on path is the one chosen by the variables at and nth;
 * *count counts the matching calls so far. */
static int is_chosen(const char *at_var, const char *nth_var, int *count, const char *call, const char *path) {
  const char *at = getenv(at_var);
  if (at == NULL || path == NULL) return 0;
  size_t n = strlen(call);
  if (strncmp(at, call, n) != 0 || at[n] != ':') return 0;
  const char *base = strrchr(path, '/');
  base = base != NULL ? base + 1 : path;
  if (strcmp(base, at + n + 1) != 0) return 0;
  const char *nth = getenv(nth_var);
  return ++*count == (nth != NULL ? atoi(nth) : 1);
}

static int kill_calls, fail_calls;

static void kill_if_chosen(const char *call, const char *path) {
  if (is_chosen("VARNOK_TEST_KILL_AT", "VARNOK_TEST_KILL_NTH", &kill_calls, call, path)) raise(SIGKILL);
}

static int fail_if_chosen(const char *call, const char *path) {
  if (!is_chosen("VARNOK_TEST_FAIL_AT", "VARNOK_TEST_FAIL_NTH", &fail_calls, call, path)) return 0;
  errno = EACCES;
  return 1;
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

FILE *fopen(const char *path, const char *mode) {
  static FILE *(*next)(const char *, const char *);
  if (next == NULL) *(void **)&next = dlsym(RTLD_NEXT, "fopen");
  if (fail_if_chosen("fopen", path)) return NULL;
  return next(path, mode);
}

FILE *fopen64(const char *path, const char *mode) {
  static FILE *(*next)(const char *, const char *);
  if (next == NULL) *(void **)&next = dlsym(RTLD_NEXT, "fopen64");
  if (fail_if_chosen("fopen", path)) return NULL;
  return next(path, mode);
}
