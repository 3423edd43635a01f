#include "common/zone/zone_hash.h"

#include <cstdlib>

#include "common/util/my_files.h"
#include "common/util/stattime.h"

zone_node **zone_table = nullptr;
int32_t *nb_entries = nullptr;
int HASH_SIZE = 709;
int HASH_FCT = 1;
int (*zone_hash)(zone *z) = zone_hash1;
int nb_calls = 0, nb_elem = 0, nb_collis = 0;
int max_pos = 0, max_entries = 0;
float repartition = 0.0f;

// Timer of the hashing time.
static constexpr int HASH_TIMER = 8;

// Releases the chains and counters of the current table; its zones too when
// free_zones is set.
static void release_table(int free_zones) {
  if (zone_table == nullptr) return;
  for (int k = 0; k < HASH_SIZE; k++) {
    zone_node *p = zone_table[k];
    while (p != nullptr) {
      zone_node *next = p->next;
      if (free_zones) free_zone(p->z);
      free(p);
      p = next;
    }
  }
  free(zone_table);
  free(nb_entries);
  zone_table = nullptr;
  nb_entries = nullptr;
}

void free_zone_table() { release_table(1); }

void init_zone_hashing(int size) {
  // The zones of an earlier table stay with whoever still refers to them.
  release_table(0);
  if (size < 1) size = 1;
  HASH_SIZE = size;
  zone_table = static_cast<zone_node **>(calloc(static_cast<size_t>(size), sizeof(zone_node *)));
  nb_entries = static_cast<int32_t *>(calloc(static_cast<size_t>(size), sizeof(int32_t)));
  if (zone_table == nullptr || nb_entries == nullptr) out_of_memory();
  switch (HASH_FCT) {
    case 2: zone_hash = zone_hash2; break;
    case 3: zone_hash = zone_hash3; break;
    case 4: zone_hash = zone_hash4; break;
    default: zone_hash = zone_hash1; break;
  }
}

// ---------------------------------------------------------------------------
// Hash functions: the bound matrix in row order, each bound widened to 32 bits.

int zone_hash1(zone *z) {
  time_C(HASH_TIMER);
  const int n = N_OF_CLOCKS;
  const int16_t *m = z->bounds[0];
  uint32_t h = 0;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) {
      if (i == j) continue;
      h = (h << 4) + static_cast<uint32_t>(static_cast<int32_t>(m[i * n + j]));
      uint32_t g = h & 0xf0000000u;
      if (g != 0) {
        h ^= g >> 24;
        h ^= g;
      }
    }
  int r = static_cast<int>(h % static_cast<uint32_t>(HASH_SIZE));
  time_R(HASH_TIMER);
  return r;
}

// h = h * mult + bound over the off-diagonal bounds, wrapping at 32 bits.
static uint32_t poly_hash(const zone *z, uint32_t mult) {
  const int n = N_OF_CLOCKS;
  const int16_t *m = z->bounds[0];
  uint32_t h = 0;
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++)
      if (i != j) h = h * mult + static_cast<uint32_t>(static_cast<int32_t>(m[i * n + j]));
  return h;
}

int zone_hash2(zone *z) {
  time_C(HASH_TIMER);
  int r = static_cast<int>(poly_hash(z, 16) % static_cast<uint32_t>(HASH_SIZE));
  time_R(HASH_TIMER);
  return r;
}

int zone_hash3(zone *z) {
  time_C(HASH_TIMER);
  int r = static_cast<int>(poly_hash(z, 65599) % static_cast<uint32_t>(HASH_SIZE));
  time_R(HASH_TIMER);
  return r;
}

int zone_hash4(zone *z) {
  time_C(HASH_TIMER);
  int32_t h = 0;
  for (int i = 1; i < N_OF_CLOCKS; i++) h += z->bounds[i][0];
  // Upper bounds are positive, but a negative sum must still give a chain.
  int r = h % HASH_SIZE;
  if (r < 0) r += HASH_SIZE;
  time_R(HASH_TIMER);
  return r;
}

// ---------------------------------------------------------------------------
// Insertion and statistics

void push_zone_hash(int h, zone *z) {
  zone_node *node = static_cast<zone_node *>(malloc(sizeof(zone_node)));
  if (node == nullptr) out_of_memory();
  node->z = z;
  node->next = zone_table[h];
  if (zone_table[h] != nullptr) nb_collis++;
  zone_table[h] = node;
  nb_elem++;
  nb_entries[h]++;
}

zone *insert_zone(zone *z) {
  if (is_empty_zone(z)) return z;  // the empty set is never shared
  if (zone_table == nullptr) init_zone_hashing(HASH_SIZE);
  nb_calls++;
  int h = zone_hash(z);
  for (zone_node *p = zone_table[h]; p != nullptr; p = p->next) {
    if (equ_zone(z, p->z)) {
      if (p->z != z) free_zone(z);
      return p->z;
    }
  }
  push_zone_hash(h, z);
  return z;
}

void hash_repartition() {
  max_pos = 0;
  max_entries = 0;
  uint32_t s = 0;
  for (int k = 0; k < HASH_SIZE; k++) {
    int32_t c = nb_entries[k];
    if (c > max_entries) {
      max_entries = c;
      max_pos = k;
    }
    s += static_cast<uint32_t>(c) * static_cast<uint32_t>(c + 1);
  }
  // Both products are 32-bit, wrapping as such on huge tables.
  int32_t num = static_cast<int32_t>(static_cast<uint32_t>(s) * static_cast<uint32_t>(HASH_SIZE));
  int32_t den = static_cast<int32_t>(static_cast<uint32_t>(2 * HASH_SIZE + nb_elem - 1) * static_cast<uint32_t>(nb_elem));
  repartition = den != 0 ? static_cast<float>(num) / static_cast<float>(den) : 0.0f;
}

void dump_hash_table2(FILE *stream) {
  for (int k = 0; k < HASH_SIZE; k++)
    if (nb_entries[k] != 0) fprintf(stream, "hash value: %d\t zones: %d\n", k, nb_entries[k]);
}

void print_hash_stats() {
  char stat_name[32];
  snprintf(stat_name, sizeof stat_name, "hash_stat.%d", HASH_FCT);
  const std::string path = result_path(stat_name);
  const char *name = path.c_str();
  FILE *f = open_output(name, "w");
  if (f == nullptr) {
    fprintf(stderr, "Cannot open file %s\n", name);
    return;
  }
  hash_repartition();
  fprintf(f, "hashing function:\t %d\n", HASH_FCT);
  fprintf(f, "hash table size:\t %d\n\n", HASH_SIZE);
  fprintf(f, "nb of calls:\t %d\n", nb_calls);
  fprintf(f, "nb of zones:\t %d\n", nb_elem);
  fprintf(f, "nb of collisions:\t %d\n", nb_collis);
  fprintf(f, "repartition:\t %3.3f\n\n", static_cast<double>(repartition));
  fprintf(f, "hashing time:\t %7.3fs\n\n", time_usr(HASH_TIMER));
  fprintf(f, "maximum: hash value %d, zones %d\n", max_pos, max_entries);
  dump_hash_table2(f);
  close_output(f);
  fprintf(stdout, "%s: file %s dumped\n", tool, name);
}
