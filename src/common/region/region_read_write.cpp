// Text and binary forms of regions.
#include "common/region/region_read_write.h"

#include <cstdint>
#include <cstdlib>

#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_read_write.h"

namespace {

// Bytes of one binary zone record written with c clocks.
int64_t zone_record_bytes(int c) {
  const int64_t cc = static_cast<int64_t>(c) * c;
  return cc * 2 + ((cc + 31) / 32) * 4;
}

// Bytes between the position of stream and its end, or -1 when the stream
// cannot tell (not seekable). The position is left unchanged.
int64_t bytes_left(FILE *stream) {
  const long pos = ftell(stream);
  if (pos < 0 || fseek(stream, 0, SEEK_END) != 0) return -1;
  const long end = ftell(stream);
  if (fseek(stream, pos, SEEK_SET) != 0) return -1;
  return end < pos ? -1 : static_cast<int64_t>(end) - pos;
}

void write_i32(FILE *stream, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  const unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                              static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
  fwrite(b, 1, 4, stream);
}

// Reads a little-endian 32-bit integer; 0 on a short read.
int read_i32(FILE *stream, int32_t *v) {
  unsigned char b[4];
  if (fread(b, 1, 4, stream) != 4) return 0;
  const uint32_t u = b[0] | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) | (uint32_t{b[3]} << 24);
  *v = static_cast<int32_t>(u);
  return 1;
}

// Prints the zones of r with print_zone, separated by sep.
void print_zones(region *r, FILE *stream, void (*print_zone)(zone *, FILE *), const char *sep) {
  if (is_empty_region(r)) return;
  for (int32_t i = 0; i < r->count; i++) {
    if (i > 0) fputs(sep, stream);
    print_zone(r->zones[i], stream);
  }
}

}  // namespace

void print_hide_region2(region *r, FILE *stream) { print_zones(r, stream, print_hide_zone2, " or\n"); }

void print_hide_region3(region *r, FILE *stream) { print_zones(r, stream, print_hide_zone3, "or\n"); }

void fprint_bin_region(FILE *stream, region *r) {
  // An empty zone writes no record, so it is not counted either.
  int32_t n = 0;
  if (!is_empty_region(r))
    for (int32_t i = 0; i < r->count; i++)
      if (!is_empty_zone(r->zones[i])) n++;
  write_i32(stream, n);
  for (int32_t i = 0; n > 0 && i < r->count; i++) fprint_bin_zone(stream, r->zones[i]);
}

region *mk_read_bin_region(FILE *stream, int k) {
  int32_t count;
  if (k < 0 || k >= N_OF_CLOCKS) return nullptr;
  if (!read_i32(stream, &count) || count < 0) return nullptr;
  if (count == 0) return mk_empty_region();
  const int64_t left = bytes_left(stream);
  if (left >= 0 && left / zone_record_bytes(N_OF_CLOCKS - k) < count) return nullptr;
  // The array grows with the zones actually read, so that a count that the
  // stream cannot back allocates nothing large even when its size is unknown.
  region *r = mk_empty_region();
  int32_t cap = 0;
  int32_t n = 0;
  while (n < count) {
    zone *z = mk_read_bin_zone(stream, k);
    if (feof(stream) || ferror(stream) || !is_well_formed_zone(z)) {
      free_zone(z);
      r->count = n;
      free_region(r);
      return nullptr;
    }
    if (n == cap) {
      cap = cap == 0 ? 64 : (cap > count / 2 ? count : 2 * cap);
      if (cap > count) cap = count;
      r->count = n;
      resize_region(r, cap);
    }
    r->zones[n++] = z;
  }
  r->count = n;
  r->flags = 0;
  return r;
}
