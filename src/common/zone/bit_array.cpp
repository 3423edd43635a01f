#include "common/zone/bit_array.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "common/util/my_files.h"

uint16_t BITS_PER_ARRAY = 0;
uint16_t BIT_ARRAY_LEN = 0;

void open_alloc_bit_array(int n) {
  BITS_PER_ARRAY = static_cast<uint16_t>(n);
  BIT_ARRAY_LEN = static_cast<uint16_t>((n >> 5) + ((n & 31) != 0 ? 1 : 0));
}

uint32_t *mk_bit_array() {
  // One word at least, so that even a zero-length array is a distinct block.
  uint32_t *a = static_cast<uint32_t *>(calloc(BIT_ARRAY_LEN > 0 ? BIT_ARRAY_LEN : 1, sizeof(uint32_t)));
  if (a == nullptr) {
    fprintf(stdout, "%s: not enough memory\n", tool);
    exit(1);
  }
  return a;
}

void free_bit_array(uint32_t *a) { free(a); }

void clear_bit_array(uint32_t *a) {
  if (BIT_ARRAY_LEN > 0) memset(a, 0, BIT_ARRAY_LEN * sizeof(uint32_t));
}

void put_bit_array(uint32_t *a, int b, int flag) {
  if (flag) a[b >> 5] |= 1u << (b & 31);
  else a[b >> 5] &= ~(1u << (b & 31));
}

int get_bit_array(const uint32_t *a, int b) { return static_cast<int>((a[b >> 5] >> (b & 31)) & 1u); }

void and_bit_array(uint32_t *dst, const uint32_t *a, const uint32_t *b) {
  for (int w = 0; w < BIT_ARRAY_LEN; w++) dst[w] = a[w] & b[w];
}

void or_bit_array(uint32_t *dst, const uint32_t *a, const uint32_t *b) {
  for (int w = 0; w < BIT_ARRAY_LEN; w++) dst[w] = a[w] | b[w];
}

void comp_bit_array(uint32_t *dst, const uint32_t *src) {
  for (int w = 0; w < BIT_ARRAY_LEN; w++) dst[w] = ~src[w];
}

void copy_bit_array(uint32_t *dst, const uint32_t *src) {
  if (BIT_ARRAY_LEN > 0) memmove(dst, src, BIT_ARRAY_LEN * sizeof(uint32_t));
}

int is_zero_bit_array(const uint32_t *a) {
  for (int w = 0; w < BIT_ARRAY_LEN; w++)
    if (a[w] != 0) return 0;
  return 1;
}

int eq_bit_array(const uint32_t *a, const uint32_t *b) {
  for (int w = 0; w < BIT_ARRAY_LEN; w++)
    if (a[w] != b[w]) return 0;
  return 1;
}

int incl_bit_array(const uint32_t *a, const uint32_t *b) {
  for (int w = 0; w < BIT_ARRAY_LEN; w++)
    if ((a[w] & ~b[w]) != 0) return 0;
  return 1;
}

int magic_bit_array(const uint32_t *a) {
  uint32_t x = 0;
  for (int w = 0; w < BIT_ARRAY_LEN; w++) x |= a[w];
  int32_t v = static_cast<int32_t>(x);
  if (v == INT32_MIN) return 0;  // cannot be negated
  return v < 0 ? -v : v;
}

void print_bit_array(FILE *stream, const uint32_t *a) {
  fputc('[', stream);
  for (int w = 0; w < BIT_ARRAY_LEN; w++)
    for (int p = 0; p < 32; p++) fputc(((a[w] >> p) & 1u) ? '1' : '0', stream);
  fputc(']', stream);
}

void show_bit_array(FILE *stream, const uint32_t *a) {
  for (int w = 0; w < BIT_ARRAY_LEN; w++)
    for (int p = 0; p < 32; p++)
      if ((a[w] >> p) & 1u) fprintf(stream, "%d ", w * 32 + p);
}

void show_bin_bit_array(FILE *stream, const uint32_t *a) {
  for (int w = 0; w < BIT_ARRAY_LEN; w++)
    for (int p = 0; p < 32; p++)
      if ((a[w] >> p) & 1u) {
        uint32_t v = static_cast<uint32_t>(w * 32 + p);
        unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
        fwrite(b, 1, 4, stream);
      }
}
