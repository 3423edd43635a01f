#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/tctl/tctl_main.h"
#include "common/tg/varnok_init.h"
#include "common/tg/varnok_mk_vnk.h"
#include "common/util/my_files.h"
#include "common/util/stattime.h"
#include "varnok/states_reg.h"
#include "varnok/varnok_eval.h"
#include "varnok/varnok_main.h"
#include "varnok/varnok_options.h"
#include "varnok/varnok_runs.h"
#include "varnok/varnok_usage.h"

// The model name as one shell word: unchanged when it holds only harmless
// characters, else single-quoted.
static std::string shell_word(const char *name) {
  bool plain = *name != '\0';
  for (const char *p = name; *p != '\0'; p++)
    if (strchr("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_./-+", *p) == nullptr) plain = false;
  if (plain) return name;
  std::string quoted = "'";
  for (const char *p = name; *p != '\0'; p++) {
    if (*p == '\'') quoted += "'\\''";
    else quoted += *p;
  }
  return quoted + "'";
}

int one_tg() {
  if (!mk_vnk()) return 0;
  FILE *vnk = my_fopen2(".vnk", "r");
  init_tg();
  if (is_option(OPT_COMPACT)) compact_tg();
  if (is_option(OPT_TA)) {
    std::string command = "reducto -l " + shell_word(my_filename);
    fflush(stdout);
    int ignored = system(command.c_str());
    (void)ignored;
  }
  if (is_option(OPT_FORWARD)) not_available("forward analysis");
  fclose(vnk);
  return 1;
}


// ---------------------------------------------------------------------------
// A timed graph and a formula: backward evaluation into the .eval file.

namespace {

constexpr int TIMER_COMPACT = 6;
constexpr int TIMER_TOTAL = 10;

// Loads the model `model` (".tg" stripped in place), compiling it first when
// its compiled files are stale.
void load_model(char *model) {
  my_basename(model, ".tg");
  mk_vnk();
  FILE *vnk = my_fopen2(".vnk", "r");
  init_tg();
  fclose(vnk);
}

// The final compaction of a result, as chosen by -COMPACT.
void compact_result(states_region *result) {
  printf("%s: compacting\n", tool);
  COMPACT_LEN = 1;
  time_C(TIMER_COMPACT);
  if (COMPACT_TYPE == 2)
    compact_hull_diff_states_region(result);
  else
    compact_hull_states_region(result);
  time_R(TIMER_COMPACT);
}

}  // namespace

int evaluate_formula_tg(char *model, char *formula) {
  char base[MAX_NAME_LEN + 1];
  construct_formula(formula, base);
  if (is_option(OPT_INIT | OPT_REACH)) printf("%s: options -init (-INIT) and -reach (-REACH) are ignored\n", tool);
  load_model(model);
  strcpy(my_filename, base);
  if (is_option(OPT_HISTORY)) {
    history_file = my_fopen2(".log", "w");
    setbuf(history_file, nullptr);
  }
  printf("%s: begin evaluation of %s.tctl\n", tool, base);
  time_C(TIMER_TOTAL);
  my_basename(model, ".tg");
  states_region *result = varnok_eval(tctl_formula());
  printf("%s: end evaluation of %s.tctl\n", tool, base);
  compact_result(result);
  time_R(TIMER_TOTAL);
  if (is_option(OPT_HISTORY)) {
    printf("%s: file %s.log created\n", tool, base);
    fclose(history_file);
    history_file = nullptr;
  }
  if (!is_option(OPT_FORWARD)) print_result(result, base);
  print_computation_times();
  free_states_region(result);
  return 1;
}

void print_result(states_region *result, const char *base) {
  strcpy(my_filename, base);
  FILE *out = my_fopen(".eval", "w");
  if (out == nullptr) {
    printf("%s: cannot open file %s.eval\n", tool, base);
    exit(1);
  }
  print_hide_states_region3(result, out);
  fclose(out);
  printf("%s: file %s.eval created\n", tool, base);
}
