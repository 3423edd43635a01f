#include "common/tg/tg_constants.h"

#include <cstdio>
#include <cstdlib>

#include "common/util/my_files.h"

int MAX_STATES = TG_MAX_COUNT;
int MAX_TRANS = TG_MAX_COUNT;
int MAX_CLOCKS = 5000;

int32_t N_OF_STATES = 0;
int32_t N_OF_TRANS = 0;
int32_t N_OF_REGIONS = 0;
int32_t N_OF_LABELS = 0;
int32_t N_OF_PROPS = 0;
int32_t nb_labels = 0;
int32_t nb_props = 0;

int READ_STRUCT = 0;
int tg_compiling = 0;

void tg_abort_compile(int status) {
  if (tg_compiling) {
    // An empty or partial .vnk newer than the .tg file would be taken as up
    // to date by the next run.
    my_unlink(".vnk");
    my_unlink(".err");
  }
  exit(status);
}

void tg_cannot_read() {
  printf("%s: cannot read file %s.tg\n", tool, my_filename);
  tg_abort_compile(1);
}

void tg_limit_exceeded(const char *what, int limit) {
  fprintf(stderr, "%s: ERROR: too many %s (at most %d)\n", tool, what, limit);
  tg_abort_compile(-1);
}
