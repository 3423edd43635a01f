#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/tctl/tctl_main.h"
#include "common/tctl/tctl_tg_link.h"
#include "common/util/my_files.h"
#include "varnok/varnok_main.h"

int is_formula_filename(char *name, char *base) {
  my_basename(name, ".tctl");
  strcpy(base, my_filename);
  FILE *f = my_fopen(".tctl", "r");
  if (f == nullptr) return 0;
  fclose(f);
  return 1;
}

int construct_formula(char *name, char *base) {
  my_basename(name, ".tctl");
  strcpy(base, my_filename);
  FILE *in = my_fopen(".tctl", "r");
  if (in == nullptr) {
    printf("%s: cannot open file %s.tctl\n", tool, base);
    exit(1);
  }
  FILE *err = my_fopen(".err", "w");
  if (err == nullptr) {
    printf("%s: cannot open file %s.err\n", tool, base);
    exit(1);
  }
  tctl_mk_formula(in, err);
  fclose(in);
  if (ftell(err) != 0) {
    fclose(err);
    printf("%s: syntax error: file %s.err dumped\n", tool, base);
    exit(1);
  }
  fclose(err);
  my_unlink(".err");
  int extra = tctl_extra_clocks();
  if (extra != 0) RESIZE_REGIONS = 1;
  return extra;
}
