#include "clockpare/clock_set.h"

#include <cstdlib>
#include <cstring>

#include "common/tg/tg_constants.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"

static size_t set_bytes() { return N_OF_CLOCKS; }

static clock_set alloc_clock_set() {
  // At least one byte, so that a graph without clocks still gets a set.
  auto *s = static_cast<clock_set>(malloc(set_bytes() > 0 ? set_bytes() : 1));
  if (s == nullptr) out_of_memory();
  return s;
}

clock_set new_empty_clock_set() {
  clock_set s = alloc_clock_set();
  memset(s, 0, set_bytes());
  return s;
}

clock_set new_full_clock_set() {
  clock_set s = alloc_clock_set();
  memset(s, 1, set_bytes());
  return s;
}

clock_set new_full_clock_set2() {
  clock_set s = new_full_clock_set();
  if (set_bytes() > 0) s[0] = 0;
  return s;
}

void free_clock_set(clock_set s) { free(s); }

clock_set copy_clock_set(const unsigned char *s) {
  clock_set c = alloc_clock_set();
  memcpy(c, s, set_bytes());
  return c;
}

clock_set union_clock_set(const unsigned char *a, const unsigned char *b) {
  clock_set s = alloc_clock_set();
  for (size_t i = 0; i < set_bytes(); i++) s[i] = (a[i] | b[i]) ? 1 : 0;
  return s;
}

clock_set inter_clock_set(const unsigned char *a, const unsigned char *b) {
  clock_set s = alloc_clock_set();
  for (size_t i = 0; i < set_bytes(); i++) s[i] = (a[i] && b[i]) ? 1 : 0;
  return s;
}

clock_set diff_clock_set(const unsigned char *a, const unsigned char *b) {
  clock_set s = alloc_clock_set();
  for (size_t i = 0; i < set_bytes(); i++) s[i] = (a[i] && !b[i]) ? 1 : 0;
  return s;
}

int is_included_clock_set(const unsigned char *a, const unsigned char *b) {
  for (size_t i = 0; i < set_bytes(); i++)
    if (a[i] && !b[i]) return 0;
  return 1;
}

int is_empty_clock_set(const unsigned char *s) {
  for (size_t i = 0; i < set_bytes(); i++)
    if (s[i]) return 0;
  return 1;
}

int is_full_clock_set(const unsigned char *s) {
  for (size_t i = 0; i < set_bytes(); i++)
    if (!s[i]) return 0;
  return 1;
}

int is_full_clock_set2(const unsigned char *s) {
  for (size_t i = 1; i < set_bytes(); i++)
    if (!s[i]) return 0;
  return 1;
}

clock_set add_clock_clock_set(int x, clock_set s) {
  s[x] = 1;
  return s;
}

clock_set del_clock_clock_set(int x, clock_set s) {
  s[x] = 0;
  return s;
}

int is_clock_in_clock_set(int x, const unsigned char *s) { return s[x] ? 1 : 0; }

int get_clock_set_size(const unsigned char *s) {
  int n = 0;
  for (size_t i = 1; i < set_bytes(); i++)
    if (s[i]) n++;
  return n;
}

void fprint_clock_set(FILE *stream, const unsigned char *s) {
  fputs("{ ", stream);
  for (size_t i = 1; i < set_bytes(); i++)
    if (s[i]) fprintf(stream, "%s ", clocks_names[i]);
  fputs("} ", stream);
}

clock_set_table new_clock_set_table() {
  auto *t = static_cast<clock_set_table>(malloc((N_OF_STATES > 0 ? N_OF_STATES : 1) * sizeof(clock_set)));
  if (t == nullptr) out_of_memory();
  for (int s = 0; s < N_OF_STATES; s++) t[s] = new_empty_clock_set();
  return t;
}

void free_clock_set_table(clock_set_table t) {
  if (t == nullptr) return;
  for (int s = 0; s < N_OF_STATES; s++) free_clock_set(t[s]);
  free(t);
}

int is_empty_clock_set_table(const clock_set_table t) {
  for (int s = 0; s < N_OF_STATES; s++)
    if (t[s] != nullptr && !is_empty_clock_set(t[s])) return 0;
  return 1;
}

void fprint_clock_set_table(FILE *stream, const clock_set_table t) {
  clock_set none = nullptr;
  for (int s = 0; s < N_OF_STATES; s++) {
    fprintf(stream, "act(%d) = ", s);
    if (t[s] != nullptr) {
      fprint_clock_set(stream, t[s]);
    } else {
      if (none == nullptr) none = new_empty_clock_set();
      fprint_clock_set(stream, none);
    }
    fputs("\n", stream);
  }
  fputs("\n", stream);
  free_clock_set(none);
}
