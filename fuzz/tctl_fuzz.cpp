// Fuzz target for the TCTL scanner and parser: any text either parses into a
// tree that prints and walks cleanly, or is refused with a message.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "common/tctl/tctl_main.h"
#include "common/tctl/tctl_syntax.h"
#include "common/tctl/tctl_tg_link.h"

const char *tool = "varnok";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // A single token longer than the scanner's 16384-byte buffer ends the
  // process on purpose; keep inputs below that.
  if (size == 0 || size > 8192) return 0;
  static FILE *sink = fopen("/dev/null", "w");
  FILE *in = fmemopen(const_cast<uint8_t *>(data), size, "r");
  if (in == nullptr) return 0;
  tctl_yylineno = 1;
  N_OF_EXTRA_CLOCKS = 0;
  if (tctl_parse_formula(in, sink) == 0) {
    tctl_print(sink, tctl_formula());
    is_simple_boolean_formula(tctl_formula());
    if (N_OF_EXTRA_CLOCKS > 2) __builtin_trap();
  }
  fclose(in);
  tctl_free(TCTL_FORMULA);
  TCTL_FORMULA = nullptr;
  return 0;
}
