#include "engine_reset.h"

#include <utime.h>

#include <cstdio>
#include <string>

#include "common/region/region.h"
#include "common/tctl/tctl_main.h"
#include "common/tctl/tctl_tg_link.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/varnok_mk_vnk.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_hash.h"
#include "fuzz_support.h"
#include "varnok/compo_succ.h"
#include "varnok/compo_tables.h"
#include "varnok/simul.h"
#include "varnok/states_reg.h"
#include "varnok/varnok_options.h"

namespace fuzz {

void reset_engines() {
  free_compo_tables();
  free_zone(TA_approx_zone);
  TA_approx_zone = nullptr;
  free_zone(app_zone);
  app_zone = nullptr;
  clear_tg_tables();
  free_zone_table();
  tctl_free(TCTL_FORMULA);
  TCTL_FORMULA = nullptr;
  if (history_file != nullptr) fclose(history_file);
  history_file = nullptr;
  OPT_SET = 0;
  FORWARD_ANALYSIS = 0;
  MAX_SYMB_STATES = 1000;
  MAX_SYMB_STATES_GIVEN = 0;
  MAX_STACK_SIZE = 1000;
  MAX_CONTROL_STATES = 2048;
  COMPACT_TYPE = 1;
  VAL = 1;
  MAX_FOUND_PATHS = 1;
  ALL_PATHS = 0;
  N_OF_EXTRA_CLOCKS = 0;
  RESIZE_REGIONS = 0;
  READ_STRUCT = 0;
  COMPACT = 0;
  COMPACT_LEN = 1;
  n_of_eval = 0;
  default_file_names();
}

bool compile_small(const char *name) {
  std::string base = name;
  bool small = false;
  guarded([&] {
    my_basename(base.data(), ".tg");
    my_unlink(".vnk");
    if (!mk_vnk()) return;
    small = N_OF_STATES <= MAX_LOCATIONS && N_OF_TRANS <= MAX_TRANSITIONS && nb_decl_clocks <= MAX_DECL_CLOCKS;
  });
  clear_tg_tables();
  free_zone_table();
  return small;
}

void age_model(const char *name) {
  std::string path = std::string(name) + ".tg";
  struct utimbuf old = {978307200, 978307200};  // 2001-01-01
  utime(path.c_str(), &old);
}

}  // namespace fuzz
