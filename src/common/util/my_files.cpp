#include "common/util/my_files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "common/util/suffix.h"

char my_filename[MAX_NAME_LEN + 1];

void my_basename(char *name, const char *suffix) {
  delete_suffix(name, suffix);
  size_t n = strlen(name);
  if (n > static_cast<size_t>(MAX_NAME_LEN)) {
    memcpy(my_filename, name, MAX_NAME_LEN);
    my_filename[MAX_NAME_LEN] = '\0';
    printf("%s: name too long\n", tool);
    exit(1);
  }
  memcpy(my_filename, name, n + 1);
}

// Builds my_filename + suffix into `path`; returns false when it does not fit.
static bool build_path(const char *suffix, char (&path)[MAX_NAME_LEN + 1]) {
  size_t b = strlen(my_filename), s = strlen(suffix);
  if (b + s > static_cast<size_t>(MAX_NAME_LEN)) return false;
  append_suffix(my_filename, suffix, path);
  return true;
}

FILE *my_fopen(const char *suffix, const char *mode) {
  char path[MAX_NAME_LEN + 1];
  if (!build_path(suffix, path)) return nullptr;
  return fopen(path, mode);
}

FILE *my_fopen2(const char *suffix, const char *mode) {
  FILE *f = my_fopen(suffix, mode);
  if (f == nullptr) {
    printf("%s: cannot open file %s%s\n", tool, my_filename, suffix);
    exit(-1);
  }
  return f;
}

void my_unlink(const char *suffix) {
  char path[MAX_NAME_LEN + 1];
  if (build_path(suffix, path)) unlink(path);
}

int my_stat(FILE *a, FILE *b) {
  struct stat sa, sb;
  if (fstat(fileno(a), &sa) != 0 || fstat(fileno(b), &sb) != 0) {
    printf("%s: file accesss error [%d]\n", tool, errno);
    exit(1);
  }
  return sa.st_mtime < sb.st_mtime ? 1 : 0;
}

void out_of_memory() {
  printf("\n%s: not enough memory\n", tool);
  exit(1);
}

void catch_out_of_memory() { std::set_new_handler(out_of_memory); }
