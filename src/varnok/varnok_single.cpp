#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/tg/varnok_init.h"
#include "common/tg/varnok_mk_vnk.h"
#include "common/util/my_files.h"
#include "varnok/varnok_options.h"
#include "varnok/varnok_runs.h"

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

int evaluate_formula_tg(char *, char *) { not_available("evaluating a formula"); }
