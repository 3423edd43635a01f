#include "support/good_model.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_to_smc_main.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "common/zone/zone_hash.h"

namespace fuzz {
namespace {

// Propositions, labels, a diagonal guard, an assignment and comments: the
// scanner's comment state and the parser's name tables all take part.
const char GOOD_MODEL[] =
    "/* a good model */\n"
    "#states 3\n#trans 4\n#clocks 2\nx y\n#sync go\n"
    "state: 0 prop: INIT invar: x <= 3 trans:\n"
    "x >= 1 => go ; reset{ y } ; goto 1\n"
    "state: 1 prop: P Q invar: y <= 2 trans: // to 2\n"
    "y = 2 and x - y > 0 => back ; reset{ x } ; goto 2\n"
    "true => ; reset{ } x:=y ; goto 0\n"
    "state: 2 prop: Q invar: true trans:\n"
    "x < 4 or y > 1 => go ; ; goto 0\n";

std::string read_all(const char *path) {
  std::string s;
  FILE *f = fopen(path, "rb");
  if (f == nullptr) return s;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
  fclose(f);
  return s;
}

void fail(const char *what) {
  fprintf(stderr, "good model: %s\n", what);
  abort();
}

}  // namespace

void check_good_model() {
  static bool recorded = false;
  static std::string reference[4];
  static const char *const SUFFIXES[4] = {".vnk", ".prop", ".lab", ".reg"};
  char saved_name[MAX_NAME_LEN + 1];
  memcpy(saved_name, my_filename, sizeof saved_name);
  const int saved_exit = tg_exit_on_error;
  static std::string base;
  if (base.empty()) {
    char dir[] = "/tmp/good_model_XXXXXX";
    if (mkdtemp(dir) == nullptr) fail("no folder");
    base = std::string(dir) + "/good_model";
  }
  strcpy(my_filename, base.c_str());
  tg_exit_on_error = 0;
  N_OF_EXTRA_CLOCKS = 0;
  READ_STRUCT = 0;
  FILE *in = fmemopen(const_cast<char *>(GOOD_MODEL), sizeof GOOD_MODEL - 1, "r");
  FILE *err = tmpfile();
  if (in == nullptr || err == nullptr) fail("no stream");
  my_unlink(".vnk");
  const int parsed = tg_to_smc(in, nullptr, err);
  const long echoed = ftell(err);
  fclose(in);
  fclose(err);
  if (parsed != 0 || echoed != 0) fail("refused after the previous input");
  for (int k = 0; k < 4; k++) {
    std::string now = read_all((base + SUFFIXES[k]).c_str());
    if (!recorded) {
      if (now.empty()) fail("no compiled file");
      reference[k] = now;
    } else if (now != reference[k]) {
      fail("compiled into other files after the previous input");
    }
  }
  recorded = true;
  clear_tg_tables();
  free_zone_table();
  memcpy(my_filename, saved_name, sizeof saved_name);
  tg_exit_on_error = saved_exit;
}

}  // namespace fuzz
