#include "clockpare/clock_rel.h"

#include <cstdlib>
#include <cstring>

#include "common/tg/tg_constants.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"

// One block: N row pointers, then the N * N entries the rows point into.
static size_t width() { return N_OF_CLOCKS; }
static unsigned char *entries(const clock_rel r) { return r[0]; }

static clock_rel alloc_clock_rel() {
  const size_t n = width();
  if (n == 0) out_of_memory();  // no zone module set up: nothing sensible to size
  void *block = malloc(n * sizeof(clock_set) + n * n);
  if (block == nullptr) out_of_memory();
  auto *r = static_cast<clock_rel>(block);
  auto *data = static_cast<unsigned char *>(block) + n * sizeof(clock_set);
  for (size_t i = 0; i < n; i++) r[i] = data + i * n;
  return r;
}

clock_rel new_empty_clock_rel() {
  clock_rel r = alloc_clock_rel();
  memset(entries(r), 0, width() * width());
  return r;
}

clock_rel new_sym_clock_rel() {
  clock_rel r = new_empty_clock_rel();
  for (size_t i = 0; i < width(); i++) r[i][i] = 1;
  return r;
}

clock_rel new_full_clock_rel() {
  clock_rel r = alloc_clock_rel();
  memset(entries(r), 1, width() * width());
  for (size_t i = 1; i < width(); i++) r[i][0] = 0;
  return r;
}

void free_clock_rel(clock_rel r) { free(r); }

clock_rel copy_clock_rel(const clock_rel r) {
  clock_rel c = alloc_clock_rel();
  memcpy(entries(c), entries(r), width() * width());
  return c;
}

clock_rel union_clock_rel(const clock_rel a, const clock_rel b) {
  clock_rel r = alloc_clock_rel();
  const unsigned char *pa = entries(a), *pb = entries(b);
  unsigned char *pr = entries(r);
  for (size_t k = 0; k < width() * width(); k++) pr[k] = (pa[k] | pb[k]) ? 1 : 0;
  return r;
}

clock_rel inter_clock_rel(const clock_rel a, const clock_rel b) {
  clock_rel r = alloc_clock_rel();
  const unsigned char *pa = entries(a), *pb = entries(b);
  unsigned char *pr = entries(r);
  for (size_t k = 0; k < width() * width(); k++) pr[k] = (pa[k] && pb[k]) ? 1 : 0;
  return r;
}

clock_rel diff_clock_rel(const clock_rel a, const clock_rel b) {
  clock_rel r = alloc_clock_rel();
  const unsigned char *pa = entries(a), *pb = entries(b);
  unsigned char *pr = entries(r);
  for (size_t k = 0; k < width() * width(); k++) pr[k] = (pa[k] && !pb[k]) ? 1 : 0;
  return r;
}

int is_included_clock_rel(const clock_rel a, const clock_rel b) {
  const unsigned char *pa = entries(a), *pb = entries(b);
  for (size_t k = 0; k < width() * width(); k++)
    if (pa[k] && !pb[k]) return 0;
  return 1;
}

int is_empty_clock_rel(const clock_rel r) {
  const unsigned char *p = entries(r);
  for (size_t k = 0; k < width() * width(); k++)
    if (p[k]) return 0;
  return 1;
}

int is_full_clock_rel(const clock_rel r) {
  for (size_t i = 1; i < width(); i++)
    if (!is_full_clock_set(r[i])) return 0;
  return 1;
}

int is_full_clock_rel2(const clock_rel r) {
  if (!is_full_clock_set(r[0])) return 0;
  for (size_t i = 1; i < width(); i++)
    if (r[i][0] || !is_full_clock_set2(r[i])) return 0;
  return 1;
}

int is_refl_clock_rel(const clock_rel r) {
  for (size_t i = 0; i < width(); i++)
    if (!r[i][i]) return 0;
  return 1;
}

int is_sym_clock_rel(const clock_rel r) {
  for (size_t i = 0; i < width(); i++)
    for (size_t j = i + 1; j < width(); j++)
      if ((r[i][j] != 0) != (r[j][i] != 0)) return 0;
  return 1;
}

int is_trans_clock_rel(const clock_rel) { return 1; }

clock_rel add_elem_clock_rel(int i, int j, clock_rel r) {
  r[i][j] = 1;
  return r;
}

clock_rel del_elem_clock_rel(int i, int j, clock_rel r) {
  r[i][j] = 0;
  return r;
}

int is_elem_in_clock_rel(int i, int j, const clock_rel r) { return r[i][j] ? 1 : 0; }

clock_rel add_elem_clock_rel_sym(int i, int j, clock_rel r) {
  r[i][j] = 1;
  r[j][i] = 1;
  return r;
}

clock_rel del_elem_clock_rel_sym(int i, int j, clock_rel r) {
  r[i][j] = 0;
  r[j][i] = 0;
  return r;
}

void fprint_clock_rel(FILE *stream, const clock_rel r) {
  for (size_t i = 1; i < width(); i++) {
    fprintf(stream, "rel(%s)\t: ", clocks_names[i]);
    fprint_clock_set(stream, r[i]);
    fputs("\n", stream);
  }
  fputs("\n", stream);
}

clock_rel_table new_clock_rel_table() {
  auto *t = static_cast<clock_rel_table>(calloc(N_OF_STATES > 0 ? N_OF_STATES : 1, sizeof(clock_rel)));
  if (t == nullptr) out_of_memory();
  return t;
}

void free_clock_rel_table(clock_rel_table t) {
  if (t == nullptr) return;
  for (int s = 0; s < N_OF_STATES; s++) free_clock_rel(t[s]);
  free(t);
}

int is_empty_clock_rel_table(const clock_rel_table t) {
  for (int s = 0; s < N_OF_STATES; s++)
    if (t[s] != nullptr && !is_empty_clock_rel(t[s])) return 0;
  return 1;
}

int is_full_clock_rel_table(const clock_rel_table t) {
  for (int s = 0; s < N_OF_STATES; s++)
    if (t[s] == nullptr || !is_full_clock_rel2(t[s])) return 0;
  return 1;
}

void fprint_clock_rel_table(FILE *stream, const clock_rel_table t) {
  for (int s = 0; s < N_OF_STATES; s++) {
    fprintf(stream, "state %d:\n\n", s);
    if (t[s] != nullptr) fprint_clock_rel(stream, t[s]);
  }
}
