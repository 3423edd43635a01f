#include "clockpare/clockpare_error.h"

#include <cstdlib>

#include "common/util/my_files.h"

FILE *create_output_file(const char *suffix) {
  FILE *f = my_fopen_output(suffix, "wb");
  if (f == nullptr) {
    printf("%s: cannot create file %s%s\n", tool, my_filename, suffix);
    exit(1);
  }
  return f;
}
