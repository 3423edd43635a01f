#include "common/zone/zone.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/util/my_files.h"
#include "common/zone/zone_storage.h"

uint16_t N_OF_CLOCKS = 0;
uint16_t BOUNDS_SIZE = 0;
uint16_t EDGES_SIZE = 0;
uint16_t N_OF_EXTRA_CLOCKS = 0;
uint16_t AFFECT_SIZE = 0;
char **clocks_names = nullptr;

// The universal zone of the current clocks: x >= 0 for every clock, nothing
// else, no edge.
static zone *UNIVERSAL = nullptr;
// Number of names held by clocks_names (to release them on re-set-up).
static int n_clocks_names = 0;

// ---------------------------------------------------------------------------
// Limits

int check_bound_constant(long c) {
  if (c >= MIN_BOUND_CONSTANT && c <= MAX_BOUND_CONSTANT) return 1;
  fprintf(stderr, "%s: ERROR: constant %ld out of range (%ld to %ld)\n", tool, c, MIN_BOUND_CONSTANT,
          MAX_BOUND_CONSTANT);
  return 0;
}

int check_clocks_number(long n) {
  if (n >= 0 && n <= MAX_ZONE_CLOCKS) return 1;
  fprintf(stderr, "%s: ERROR: too many clocks (%ld), at most %d with the formula's extra clocks\n", tool, n,
          MAX_ZONE_CLOCKS);
  return 0;
}

// ---------------------------------------------------------------------------
// Storage: the record, the row pointers, the edge words and the bounds share
// one heap block. A zone widened by add_extra_clocks_zone moves its matrix to
// a block of its own (the record cannot move: callers hold it).

static constexpr size_t RECORD_BYTES = (sizeof(zone) + 7) & ~static_cast<size_t>(7);

size_t zone_data_bytes(int n) {
  return static_cast<size_t>(n) * sizeof(int16_t *) + zone_edge_words(n) * sizeof(uint32_t) +
         static_cast<size_t>(n) * n * sizeof(int16_t);
}

void zone_lay_out(zone *z, void *data, int n) {
  int16_t **rows = static_cast<int16_t **>(data);
  uint32_t *edges = reinterpret_cast<uint32_t *>(rows + n);
  int16_t *m = reinterpret_cast<int16_t *>(edges + zone_edge_words(n));
  for (int i = 0; i < n; i++) rows[i] = m + static_cast<size_t>(i) * n;
  z->bounds = rows;
  z->edges = edges;
}

static void *inline_data(zone *z) { return reinterpret_cast<char *>(z) + RECORD_BYTES; }

// Releases z's matrix when it lives in a block of its own.
static void release_own_data(zone *z) {
  if (z->bounds != nullptr && static_cast<void *>(z->bounds) != inline_data(z)) free(z->bounds);
}

void zone_replace_data(zone *z, void *data, int n) {
  release_own_data(z);
  zone_lay_out(z, data, n);
}

zone *zone_alloc(int n) {
  zone *z = static_cast<zone *>(malloc(RECORD_BYTES + zone_data_bytes(n)));
  if (z == nullptr) out_of_memory();
  zone_lay_out(z, inline_data(z), n);
  z->flags = 0;
  return z;
}

// Copies matrix, edge bits and flags of a into z (same width n).
static void copy_contents(zone *z, const zone *a, int n) {
  memcpy(z->edges, a->edges, zone_edge_words(n) * sizeof(uint32_t));
  memcpy(z->bounds[0], a->bounds[0], static_cast<size_t>(n) * n * sizeof(int16_t));
  z->flags = a->flags;
}

void zone_set_all_edges(zone *z, int n) {
  size_t bits = static_cast<size_t>(n) * n;
  size_t words = zone_edge_words(n);
  for (size_t w = 0; w < words; w++) z->edges[w] = ~0u;
  if (bits % 32 != 0) z->edges[words - 1] = (1u << (bits % 32)) - 1;
}

// ---------------------------------------------------------------------------
// Set-up

void init_zone_module(int n, int k, char **names) {
  assert(n >= 0 && k >= 0 && n + k <= MAX_ZONE_CLOCKS);
  N_OF_CLOCKS = static_cast<uint16_t>(n + k + 1);
  BOUNDS_SIZE = static_cast<uint16_t>(N_OF_CLOCKS * N_OF_CLOCKS);
  EDGES_SIZE = static_cast<uint16_t>((BOUNDS_SIZE + 31) / 32);
  init_clocks_names(n, k, names);
  init_universal();
}

static char *copy_name(const char *name) {
  char *s = strdup(name != nullptr ? name : "");
  if (s == nullptr) out_of_memory();
  return s;
}

void init_clocks_names(int n, int k, char **names) {
  for (int i = 0; i < n_clocks_names; i++) free(clocks_names[i]);
  free(clocks_names);
  n_clocks_names = n + k + 1;
  clocks_names = static_cast<char **>(calloc(n_clocks_names, sizeof(char *)));
  if (clocks_names == nullptr) out_of_memory();
  clocks_names[0] = copy_name("_0_");
  for (int i = 1; i <= n; i++) clocks_names[i] = copy_name(names != nullptr ? names[i - 1] : "");
  for (int e = 1; e <= k; e++) {
    char buf[32];
    snprintf(buf, sizeof buf, "_ex%d", e);
    clocks_names[n + e] = copy_name(buf);
  }
}

void put_clocks_names(int i, const char *name) {
  assert(i >= 0 && i < n_clocks_names);
  free(clocks_names[i]);
  clocks_names[i] = copy_name(name);
}

void init_universal() {
  free(UNIVERSAL);
  int n = N_OF_CLOCKS;
  UNIVERSAL = zone_alloc(n);
  int16_t *m = UNIVERSAL->bounds[0];
  for (int i = 0; i < n * n; i++) m[i] = INF_BOUND;
  for (int j = 0; j < n; j++) m[j] = ZERO_LE;
  for (int i = 0; i < n; i++) m[i * n + i] = ZERO_LE;
  memset(UNIVERSAL->edges, 0, zone_edge_words(n) * sizeof(uint32_t));
  UNIVERSAL->flags = ZONE_UNIVERSAL | ZONE_CANONICAL;
}

// ---------------------------------------------------------------------------
// Making, copying, freeing

zone *mk_universal_zone() {
  assert(UNIVERSAL != nullptr);
  zone *z = zone_alloc(N_OF_CLOCKS);
  copy_contents(z, UNIVERSAL, N_OF_CLOCKS);
  return z;
}

zone *mk_zero_zone(int k) {
  zone *z = mk_universal_zone();
  z->flags = 0;
  for (int i = 1; i < N_OF_CLOCKS - k; i++) assign_bounds_edges_zone(z, i, 0, ZERO_LE, 1);
  cf_zone(z);
  return z;
}

zone *assign_zone(zone *z) {
  if (is_empty_zone(z)) return nullptr;
  zone *r = zone_alloc(N_OF_CLOCKS);
  copy_contents(r, z, N_OF_CLOCKS);
  return r;
}

void free_zone(zone *z) {
  if (z == nullptr) return;
  release_own_data(z);
  free(z);
}

void convert_empty_zone(zone *z) {
  if (z == nullptr) return;
  release_own_data(z);
  z->bounds = nullptr;
  z->edges = nullptr;
  z->flags = ZONE_EMPTY | ZONE_CANONICAL;
}

void assign_bounds_edges_zone(zone *z, int i, int j, int16_t bound, int flag) {
  if (is_empty_zone(z)) return;
  assert(i >= 0 && j >= 0 && i < N_OF_CLOCKS && j < N_OF_CLOCKS && bound <= INF_BOUND);
  z->bounds[i][j] = bound;
  put_edge_zone(z, i, j, flag);
}

void assign_disactual_bounds_edges_zone(zone *z, int i, int j, int16_t bound) {
  if (is_empty_zone(z)) return;
  assign_bounds_edges_zone(z, i, j, bound, 1);
  z->flags = 0;
}

// ---------------------------------------------------------------------------
// Comparisons

int equ_zone(zone *a, zone *b) {
  cf_zone(a);
  cf_zone(b);
  if (is_empty_zone(a) || is_empty_zone(b)) return is_empty_zone(a) && is_empty_zone(b);
  int n = N_OF_CLOCKS;
  int16_t **ma = a->bounds, **mb = b->bounds;
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++)
      if (ma[i][j] != mb[i][j] || ma[j][i] != mb[j][i]) return 0;
  return 1;
}

int equal_dont_cf_zones(const zone *a, const zone *b) {
  if (is_empty_zone(a) || is_empty_zone(b)) return is_empty_zone(a) && is_empty_zone(b);
  int n = N_OF_CLOCKS;
  const int16_t *ma = a->bounds[0], *mb = b->bounds[0];
  if (memcmp(ma, mb, static_cast<size_t>(n) * n * sizeof(int16_t)) == 0) return 1;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++)
      if (i != j && ma[i * n + j] != mb[i * n + j]) return 0;
  return 1;
}

// is_included_zone for a closed a and a closed b whose edges describe it.
static int included_closed(const zone *a, const zone *b) {
  if (is_empty_zone(a)) return 1;
  if (is_empty_zone(b)) return 0;
  const unsigned bits = static_cast<unsigned>(N_OF_CLOCKS) * N_OF_CLOCKS;
  const int16_t *ma = a->bounds[0], *mb = b->bounds[0];
  for (unsigned w = 0; w * 32 < bits; w++) {
    uint32_t word = b->edges[w];
    while (word != 0) {
      unsigned p = w * 32 + static_cast<unsigned>(__builtin_ctz(word));
      word &= word - 1;
      if (p >= bits) break;  // stray bits past the matrix mean nothing
      if (mb[p] < ma[p]) return 0;
    }
  }
  return 1;
}

int is_included_zone(const zone *a, const zone *b) {
  zone *oa, *ob;
  const zone *ca = closed_view_zone(a, &oa), *cb = closed_view_zone(b, &ob);
  const int incl = included_closed(ca, cb);
  free_zone(oa);
  free_zone(ob);
  return incl;
}
