// Fuzz target of the .tg parser. Every input must be accepted or refused
// without a crash, a leak or undefined behaviour; an accepted model must
// have compiled files that read back into tables equal to the parsed ones,
// and a fixed good model must still compile as before after every input.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_to_smc_main.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "support/good_model.h"
#include "common/zone/zone.h"
#include "common/zone/zone_hash.h"

const char *tool = "varnok";

static FILE *open_compiled(const char *suffix) { return my_fopen(suffix, "rb"); }

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  char tmpl[] = "/tmp/tg_fuzz_XXXXXX";
  if (mkdtemp(tmpl) == nullptr || chdir(tmpl) != 0) abort();
  strcpy(my_filename, "fz");
  tg_exit_on_error = 0;
  fuzz::check_good_model();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::good_model_after_input recheck;
  FILE *in = fmemopen(const_cast<uint8_t *>(data), size, "r");
  if (in == nullptr) in = fopen("/dev/null", "r");  // empty input
  FILE *err = tmpfile();
  my_unlink(".vnk");
  N_OF_EXTRA_CLOCKS = 0;
  int parsed = tg_to_smc(in, nullptr, err);
  fclose(in);
  fclose(err);
  if (parsed == 0) {
    FILE *vnk = open_compiled(".vnk"), *prop = open_compiled(".prop");
    FILE *lab = open_compiled(".lab"), *reg = open_compiled(".reg");
    if (vnk == nullptr || prop == nullptr || lab == nullptr || reg == nullptr) abort();
    clear_tg_tables();
    // What the writer wrote, the reader must accept.
    if (try_read_compiled(vnk, prop, lab, reg) != 1) abort();
    for (FILE *f : {vnk, prop, lab, reg}) fclose(f);
  }
  clear_tg_tables();
  free_zone_table();
  return 0;
}
