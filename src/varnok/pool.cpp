#include "varnok/pool.h"

#include <cstring>

#include "common/zone/zone_hash.h"
#include "varnok/compo_tables.h"

pool_zone_slot zone_pool[ZONE_POOL_SIZE];
pool_affect_slot affect_pool[AFFECT_POOL_SIZE];

// Zones of earlier pools, kept reachable (a zone handed out may still be
// referred to by its user).
static std::vector<zone *> &old_pool_zones = *new std::vector<zone *>;

static size_t edge_words() { return (static_cast<size_t>(N_OF_CLOCKS) * N_OF_CLOCKS + 31) / 32; }
static size_t matrix_bytes() { return static_cast<size_t>(N_OF_CLOCKS) * N_OF_CLOCKS * sizeof(int16_t); }

void init_zone_pool() {
  for (auto &slot : zone_pool) {
    if (slot.z != nullptr) old_pool_zones.push_back(slot.z);
    slot.z = mk_universal_zone();
    slot.in_use = 0;
  }
}

void init_affect_pool() {
  for (auto &slot : affect_pool) {
    slot.affect.assign(AFFECT_SIZE > 0 ? AFFECT_SIZE : 1, 0);
    slot.in_use = 0;
  }
}

int get_zone_from_pool(zone **out) {
  for (int s = 0; s < ZONE_POOL_SIZE; s++) {
    if (zone_pool[s].in_use || zone_pool[s].z == nullptr) continue;
    zone *z = zone_pool[s].z;
    memset(z->edges, 0, edge_words() * sizeof(uint32_t));
    z->flags = 0;
    zone_pool[s].in_use = 1;
    *out = z;
    return s;
  }
  return -1;
}

int get_affect_from_pool(uint16_t **out) {
  for (int s = 0; s < AFFECT_POOL_SIZE; s++) {
    if (affect_pool[s].in_use || affect_pool[s].affect.empty()) continue;
    affect_pool[s].in_use = 1;
    *out = affect_pool[s].affect.data();
    return s;
  }
  return -1;
}

void release_zone_to_pool(int slot) {
  if (slot >= 0 && slot < ZONE_POOL_SIZE) zone_pool[slot].in_use = 0;
}

void release_affect_to_pool(int slot) {
  if (slot >= 0 && slot < AFFECT_POOL_SIZE) affect_pool[slot].in_use = 0;
}

int zone_pool_in_use() {
  int n = 0;
  for (const auto &slot : zone_pool) n += slot.in_use != 0;
  return n;
}

// ---------------------------------------------------------------------------

static void mark_empty(zone *z) { z->flags = ZONE_EMPTY | ZONE_CANONICAL; }

static void copy_matrix(zone *z, const zone *a) {
  memcpy(z->bounds[0], a->bounds[0], matrix_bytes());
  memcpy(z->edges, a->edges, edge_words() * sizeof(uint32_t));
}

void copy_univ_prealloc_zone(zone *z) {
  if (z->flags & ZONE_UNIVERSAL) return;
  if (TA_UNIVERSAL != nullptr) {
    copy_matrix(z, TA_UNIVERSAL);
    return;
  }
  zone *u = mk_universal_zone();
  copy_matrix(z, u);
  free_zone(u);
}

int assign_prealloc_zone(zone *z, const zone *a) {
  if (is_empty_zone(a)) {
    mark_empty(z);
    return 0;
  }
  copy_matrix(z, a);
  z->flags = a->flags;
  return 1;
}

int cf_prealloc_zone(zone *z) {
  if (is_empty_zone(z)) return 0;
  if (z->flags & ZONE_CANONICAL) return 1;
  // The closure of the zone module drops the matrix of a zone found empty;
  // a pool zone keeps it.
  int16_t **bounds = z->bounds;
  uint32_t *edges = z->edges;
  cf_zone(z);
  if (is_empty_zone(z)) {
    z->bounds = bounds;
    z->edges = edges;
    mark_empty(z);
    return 0;
  }
  return 1;
}

int intersection_prealloc_zone(zone *z, const zone *a, const zone *b) {
  if (is_empty_zone(a) || is_empty_zone(b)) {
    mark_empty(z);
    return 0;
  }
  if (a->flags & ZONE_UNIVERSAL) return assign_prealloc_zone(z, b);
  if (b->flags & ZONE_UNIVERSAL) return assign_prealloc_zone(z, a);
  const int nn = N_OF_CLOCKS * N_OF_CLOCKS;
  const int16_t *ma = a->bounds[0], *mb = b->bounds[0];
  int16_t *mz = z->bounds[0];
  for (int p = 0; p < nn; p++) mz[p] = ma[p] < mb[p] ? ma[p] : mb[p];
  const size_t words = edge_words();
  for (size_t w = 0; w < words; w++) z->edges[w] = a->edges[w] | b->edges[w];
  z->flags = 0;
  return 1;
}

int forward_proj_prealloc_zone(zone *z, zone *a) {
  if (!cf_prealloc_zone(a)) {
    mark_empty(z);
    return 0;
  }
  assign_prealloc_zone(z, a);
  if (z->flags & ZONE_UNIVERSAL) return 1;
  for (int i = 1; i < N_OF_CLOCKS; i++) {
    z->bounds[i][0] = INF_BOUND;
    if (get_edge_zone(z, i, 0)) {
      // What the upper bound of clock i implied is kept as its differences.
      for (int j = 1; j < N_OF_CLOCKS; j++)
        if (j != i) put_edge_zone(z, i, j, 1);
      put_edge_zone(z, i, 0, 0);
    }
  }
  z->flags &= static_cast<unsigned char>(~ZONE_CANONICAL);
  return 1;
}

int forward_affect_prealloc_zone(zone *z, zone *a, const uint16_t *out) {
  if (!cf_prealloc_zone(a)) {
    mark_empty(z);
    return 0;
  }
  const int n = N_OF_CLOCKS, as = AFFECT_SIZE < n ? AFFECT_SIZE : n;
  int16_t **mz = z->bounds, **ma = a->bounds;
  memcpy(z->bounds[0], a->bounds[0], matrix_bytes());
  for (int i = 0; i < as; i++)
    for (int j = 0; j < as; j++) mz[i][j] = ma[out[i]][out[j]];
  for (int i = as; i < n; i++)
    for (int j = 0; j < as; j++) {
      mz[i][j] = ma[i][out[j]];
      mz[j][i] = ma[out[j]][i];
    }
  const size_t bits = static_cast<size_t>(n) * n, words = edge_words();
  for (size_t w = 0; w < words; w++) z->edges[w] = ~0u;
  if (bits % 32 != 0) z->edges[words - 1] = (1u << (bits % 32)) - 1;
  // A reset makes even the universal zone smaller.
  z->flags = 0;
  return 1;
}

void maximize_prealloc_zone(zone *z, const zone *m) {
  if (is_empty_zone(z) || is_empty_zone(m)) return;
  const int n = N_OF_CLOCKS;
  int16_t **mz = z->bounds, **mm = m->bounds;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      if (i == j) continue;
      if (mz[i][j] > mm[i][j]) {
        mz[i][j] = INF_BOUND;
        put_edge_zone(z, i, j, 0);
      } else if (mm[j][i] != INF_BOUND && mz[i][j] < neg_bound(mm[j][i])) {
        mz[i][j] = neg_bound(mm[j][i]);
        put_edge_zone(z, i, j, 1);
      }
    }
  z->flags &= static_cast<unsigned char>(~(ZONE_CANONICAL | ZONE_UNIVERSAL));
}

int Union_prealloc_zone3(zone *z, const zone *a, const zone *b) {
  if (is_empty_zone(a)) return assign_prealloc_zone(z, b);
  if (is_empty_zone(b)) return assign_prealloc_zone(z, a);
  assign_prealloc_zone(z, a);
  const int n = N_OF_CLOCKS;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      if (i == j) continue;
      int16_t bound = b->bounds[i][j] > a->bounds[i][j] ? b->bounds[i][j] : a->bounds[i][j];
      z->bounds[i][j] = bound;
      put_edge_zone(z, i, j, 1);
    }
  z->flags = static_cast<unsigned char>(a->flags & b->flags & ZONE_UNIVERSAL);
  return 1;
}

int insert_prealloc_zone(zone **out, const zone *z, int slot) {
  if (is_empty_zone(z)) {
    *out = nullptr;
    release_zone_to_pool(slot);
    return 0;
  }
  if (zone_table == nullptr) init_zone_hashing(HASH_SIZE);
  nb_calls++;
  int h = zone_hash(const_cast<zone *>(z));
  for (zone_node *p = zone_table[h]; p != nullptr; p = p->next)
    if (equal_dont_cf_zones(z, p->z)) {
      *out = p->z;
      release_zone_to_pool(slot);
      return 0;
    }
  zone *copy = assign_zone(const_cast<zone *>(z));
  push_zone_hash(h, copy);
  *out = copy;
  return 1;
}
