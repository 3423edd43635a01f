// Fuzz target of the clock reduction: a timed graph, optionally after a
// first line "----<letters>" with clockpare's option letters (S, A, E, d).
// The model is compiled and loaded as "clockpare m" does, activity,
// equality and renaming are computed, the listings and the reduced graph
// written. The renaming file must read back into the same renamings, and
// the reduced graph must compile as a timed graph again. Models over a few
// locations, transitions and clocks are refused before anything runs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "clockpare/activ.h"
#include "clockpare/clockpare_error.h"
#include "clockpare/clockpare_options.h"
#include "clockpare/equal.h"
#include "clockpare/optim.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_to_smc_main.h"
#include "common/tg/varnok_init.h"
#include "common/tg/varnok_mk_vnk.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_hash.h"
#include "support/fuzz_support.h"
#include "support/good_model.h"

namespace {

constexpr int MAX_LOCATIONS = 8;
constexpr int MAX_TRANSITIONS = 16;
constexpr int MAX_DECL_CLOCKS = 5;

void release() {
  free_clock_set_table(activity_table);
  free_clock_set_table(new_activity);
  free_clock_rel_table(equality_table);
  free_clock_rel_table(new_equality);
  free_clock_renaming_table(clock_ren_table);
  activity_table = new_activity = nullptr;
  equality_table = new_equality = nullptr;
  clock_ren_table = nullptr;
  nb_act_iter = nb_equ_iter = 0;
  clear_tg_tables();
  free_zone_table();
  OPT_SET = OPT_ACTIVITY | OPT_EQUALITY;
  READ_STRUCT = 0;
  N_OF_EXTRA_CLOCKS = 0;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz::set_refusal_cleanup(release);
  fuzz::check_good_model();
  return 0;
}

void set_options(const std::string &flags) {
  for (char c : flags) {
    if (c == 'S') OPT_SET |= OPT_SIM;
    if (c == 'A') OPT_SET &= ~OPT_ACTIVITY;
    if (c == 'E') OPT_SET &= ~OPT_EQUALITY;
    if (c == 'd') OPT_SET |= OPT_ACT_INIT;
  }
  OPT_SET |= OPT_PRINT_ACT | OPT_PRINT_EQU | OPT_PRINT_REN | OPT_GEN_TG;
}

void check(bool ok, const char *what) {
  if (ok) return;
  fprintf(stderr, "clockpare_fuzz: %s\n", what);
  abort();
}

// The renamings written to m.opt, read back, equal the computed ones.
void check_renaming_file() {
  FILE *in = my_fopen2(".opt", "rb");
  clock_renaming_table back = fread_optim(in);
  fclose(in);
  check(back != nullptr, "the renaming file does not read back");
  for (int s = 0; s < N_OF_STATES; s++) {
    check(back[s]->n == clock_ren_table[s]->n, "a renaming reads back with another count");
    for (int x = 0; x < N_OF_CLOCKS; x++)
      check(back[s]->vector[x] == clock_ren_table[s]->vector[x], "a renaming reads back with other clocks");
  }
  free_clock_renaming_table(back);
}

// The whole reduction of m.tg as "clockpare m" runs it; false when refused.
bool reduce(bool *small) {
  return fuzz::guarded([&] {
    char m[] = "m";
    my_basename(m, ".tg");
    my_unlink(".vnk");
    if (!mk_vnk()) exit(1);
    *small = N_OF_STATES <= MAX_LOCATIONS && N_OF_TRANS <= MAX_TRANSITIONS && nb_decl_clocks <= MAX_DECL_CLOCKS;
    if (!*small) return;
    FILE *vnk = my_fopen2(".vnk", "rb");
    init_tg();
    fclose(vnk);
    optim_tg();
    FILE *f = my_fopen2_output(".act", "w");
    fprint_activity_stats(f);
    fprint_activity_sets(f);
    close_output(f);
    f = my_fopen2_output(".equ", "w");
    fprint_equality_rels(f);
    close_output(f);
    f = my_fopen2_output(".ren", "w");
    fprint_renaming_stats(f);
    fprint_renaming(f, clock_ren_table);
    close_output(f);
    print_optim_results();
    FILE *opt = create_output_file(".opt");
    fprint_optim(opt, clock_ren_table);
    close_output(opt);
    check_renaming_file();
    print_opt_tg(create_output_file(".opt.tg"));
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::good_model_after_input recheck;
  if (size > 4096) return 0;
  std::vector<fuzz::part> parts = fuzz::split_parts(data, size, 2);
  std::string model = parts[0].text, flags;
  if (parts.size() == 2 && parts[0].text.empty()) {
    model = parts[1].text;
    flags = parts[1].flags;
  } else if (parts.size() == 2) {
    return 0;
  }
  fuzz::scratch_dir scratch("clockpare_fuzz");
  release();
  set_options(flags);
  fuzz::write_file("m.tg", model);
  bool small = false;
  if (reduce(&small) && small) {
    release();
    // The reduced graph is a timed graph again.
    FILE *in = fopen("m.opt.tg", "r");
    check(in != nullptr, "no reduced graph written");
    FILE *err = tmpfile();
    tg_exit_on_error = 0;
    strcpy(my_filename, "r");
    int parsed = tg_to_smc(in, nullptr, err);
    tg_exit_on_error = 1;
    fclose(in);
    if (parsed != 0) {
      rewind(err);
      char line[256];
      while (fgets(line, sizeof line, err) != nullptr) fputs(line, stderr);
    }
    fclose(err);
    check(parsed == 0, "the reduced graph does not parse");
  }
  release();
  return 0;
}
