// Fuzz target of the compiled-model readers. The input holds the four files:
// byte 0 chooses the formula's extra clocks (0 to 2), bytes 1-6 the lengths
// of the .vnk, .prop and .lab parts (16-bit little-endian, cut to what is
// left), the rest is the .reg part. Every input must be read or refused as a
// bad format without a crash, a leak or undefined behaviour.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/tg/tg_global.h"
#include "common/tg/varnok_init.h"
#include "common/zone/zone.h"

const char *tool = "varnok";

static FILE *open_part(const uint8_t *data, size_t size) {
  if (size == 0) return fopen("/dev/null", "rb");
  return fmemopen(const_cast<uint8_t *>(data), size, "rb");
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 7) return 0;
  N_OF_EXTRA_CLOCKS = static_cast<uint16_t>(data[0] % 3);
  size_t len[4];
  size_t at = 7;
  for (int i = 0; i < 3; i++) {
    size_t want = static_cast<size_t>(data[1 + 2 * i] | (data[2 + 2 * i] << 8));
    len[i] = want < size - at ? want : size - at;
    at += len[i];
  }
  len[3] = size - at;
  FILE *files[4];
  at = 7;
  for (int i = 0; i < 4; i++) {
    files[i] = open_part(data + at, len[i]);
    if (files[i] == nullptr) abort();
    at += len[i];
  }
  try_read_compiled(files[0], files[1], files[2], files[3]);
  for (FILE *f : files) fclose(f);
  clear_tg_tables();
  N_OF_EXTRA_CLOCKS = 0;
  return 0;
}
