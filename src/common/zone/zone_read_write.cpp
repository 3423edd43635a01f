#include "common/zone/zone_read_write.h"

#include <bit>
#include <cstdlib>
#include <cstring>

#include "common/util/my_files.h"
#include "common/zone/zone_storage.h"

// ---------------------------------------------------------------------------
// Constraint text form

static const char *relation(int16_t b) { return bound_is_le(b) ? "<=" : "<"; }
static const char *clock_name(int i) { return clocks_names[i]; }

void fprint_bound(FILE *stream, int16_t **m, int i, int j) {
  int16_t b = m[i][j];
  int d = bound_constant(b);
  if (i == 0) fprintf(stream, "%d%s%s", -d, relation(b), clock_name(j));
  else if (j == 0 && d == 0) fprintf(stream, "%s=0", clock_name(i));
  else if (j == 0) fprintf(stream, "%s%s%d", clock_name(i), relation(b), d);
  else if (d < 0) fprintf(stream, "%s+%d%s%s", clock_name(i), -d, relation(b), clock_name(j));
  else if (d == 0) fprintf(stream, "%s%s%s", clock_name(i), relation(b), clock_name(j));
  else fprintf(stream, "%s%s%s+%d", clock_name(i), relation(b), clock_name(j), d);
}

void fprint_bound2(FILE *stream, int16_t **m, int i, int k) {
  int d1 = bound_constant(m[i][k]), d2 = bound_constant(m[k][i]);
  if (d1 + d2 != 0) {
    fprint_bound(stream, m, i, k);
    fputs(" and ", stream);
    fprint_bound(stream, m, k, i);
  } else if (i == 0) {
    fprintf(stream, "%s=%d", clock_name(k), d2);
  } else if (d1 < 0) {
    fprintf(stream, "%s+%d=%s", clock_name(i), d2, clock_name(k));
  } else if (d1 == 0) {
    fprintf(stream, "%s=%s", clock_name(i), clock_name(k));
  } else {
    fprintf(stream, "%s=%s+%d", clock_name(i), clock_name(k), d1);
  }
}

void print_hide_zone2(zone *z, FILE *stream) {
  cf_zone(z);
  if (is_empty_zone(z)) {
    fputs("FALSE", stream);
    return;
  }
  const int n = N_OF_CLOCKS;
  int items = 0;
  for (int i = 0; i < n; i++)
    for (int k = i + 1; k < n; k++) {
      int ik = get_edge_zone(z, i, k), ki = get_edge_zone(z, k, i);
      if (!ik && !ki) continue;
      if (items++ > 0) fputs(" and ", stream);
      if (ik && ki) fprint_bound2(stream, z->bounds, i, k);
      else if (ik) fprint_bound(stream, z->bounds, i, k);
      else fprint_bound(stream, z->bounds, k, i);
    }
  if (items == 0) fputs("TRUE", stream);
}

void print_hide_zone3(zone *z, FILE *stream) {
  print_hide_zone2(z, stream);
  fputc('\n', stream);
}

// ---------------------------------------------------------------------------
// Binary record (little-endian)

[[maybe_unused]] static void put_u16(FILE *stream, uint16_t v) {
  unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
  fwrite(b, 1, 2, stream);
}

[[maybe_unused]] static void put_u32(FILE *stream, uint32_t v) {
  unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                        static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  fwrite(b, 1, 4, stream);
}

void fprint_bin_zone(FILE *stream, zone *z) {
  if (is_empty_zone(z)) return;
  const int n = N_OF_CLOCKS;
  if constexpr (std::endian::native == std::endian::little) {
    fwrite(z->bounds[0], sizeof(int16_t), static_cast<size_t>(n) * n, stream);
    fwrite(z->edges, sizeof(uint32_t), EDGES_SIZE, stream);
  } else {
    for (int p = 0; p < n * n; p++) put_u16(stream, static_cast<uint16_t>(z->bounds[0][p]));
    for (int w = 0; w < EDGES_SIZE; w++) put_u32(stream, z->edges[w]);
  }
}

// Reads up to count little-endian 16-bit values into dst; returns how many
// were complete.
static size_t read_u16s(FILE *stream, int16_t *dst, size_t count) {
  size_t done = 0;
  unsigned char buf[2 * 256];
  while (done < count) {
    size_t want = count - done < 256 ? count - done : 256;
    size_t got = fread(buf, 2, want, stream);
    for (size_t p = 0; p < got; p++)
      dst[done + p] = static_cast<int16_t>(static_cast<uint16_t>(buf[2 * p] | (buf[2 * p + 1] << 8)));
    done += got;
    if (got < want) break;
  }
  return done;
}

static size_t read_u32s(FILE *stream, uint32_t *dst, size_t count) {
  size_t done = 0;
  unsigned char buf[4 * 64];
  while (done < count) {
    size_t want = count - done < 64 ? count - done : 64;
    size_t got = fread(buf, 4, want, stream);
    for (size_t p = 0; p < got; p++)
      dst[done + p] = static_cast<uint32_t>(buf[4 * p]) | static_cast<uint32_t>(buf[4 * p + 1]) << 8 |
                      static_cast<uint32_t>(buf[4 * p + 2]) << 16 | static_cast<uint32_t>(buf[4 * p + 3]) << 24;
    done += got;
    if (got < want) break;
  }
  return done;
}

zone *mk_read_bin_zone(FILE *stream, int k) {
  const int n = N_OF_CLOCKS;
  zone *z = mk_universal_zone();
  const int c = k >= 0 && k < n ? n - k : 0;
  for (int i = 0; i < c; i++)
    if (read_u16s(stream, z->bounds[i], static_cast<size_t>(c)) < static_cast<size_t>(c)) break;
  // A clock missing from the file is unconstrained but still >= 0, so
  // x_i - x_e is bounded exactly as x_i is: copying column 0 keeps the zone
  // closed, as its canonical flag says. Edges are untouched.
  for (int i = 1; i < c; i++)
    for (int e = c; e < n; e++) z->bounds[i][e] = z->bounds[i][0];
  const size_t words = zone_edge_words(c);
  if (k == 0) {
    read_u32s(stream, z->edges, words);
    // Bits past the matrix mean nothing; keep them clear.
    const unsigned bits = static_cast<unsigned>(n) * n;
    if (bits % 32 != 0) z->edges[words - 1] &= (1u << (bits % 32)) - 1;
  } else if (c > 0) {
    uint32_t *src = static_cast<uint32_t *>(calloc(words, sizeof(uint32_t)));
    if (src == nullptr) out_of_memory();
    read_u32s(stream, src, words);
    conv_edge(z->edges, src, c);
    free(src);
  }
  z->flags &= static_cast<unsigned char>(~ZONE_UNIVERSAL);
  return z;
}

void conv_edge(uint32_t *dst, const uint32_t *src, int c) { zone_relay_edges(dst, N_OF_CLOCKS, src, c, c); }

int is_well_formed_zone(const zone *z) {
  if (is_empty_zone(z)) return 1;
  const int n = N_OF_CLOCKS;
  int16_t **m = z->bounds;
  for (int i = 0; i < n; i++) {
    if (m[i][i] != ZERO_LE || m[0][i] > ZERO_LE) return 0;
    for (int j = 0; j < n; j++)
      if (m[i][j] > INF_BOUND) return 0;
  }
  // Closed and not empty: no path through k is tighter than the direct bound.
  for (int k = 0; k < n; k++)
    for (int i = 0; i < n; i++) {
      if (m[i][k] == INF_BOUND) continue;
      for (int j = 0; j < n; j++)
        if (m[k][j] != INF_BOUND && add_bounds(m[i][k], m[k][j]) < m[i][j]) return 0;
    }
  return 1;
}
