#include "common/util/fatal.h"

#include <cstdarg>
#include <cstdlib>


void fatal(FILE *stream, int status, const char *format, ...) {
  va_list args;
  va_start(args, format);
  vfprintf(stream, format, args);
  va_end(args);
  fatal_exit(status);
}

void fatal_exit(int status) {
  fflush(stdout);
  fflush(stderr);
  exit(status);
}

void fatal_cannot_open(FILE *stream, int status, const char *path) {
  fatal(stream, status, "%s: cannot open file %s\n", tool, path);
}
