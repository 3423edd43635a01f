#include <cstdio>
#include <cstring>

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
