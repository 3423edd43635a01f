#include "common/util/suffix.h"

#include <cstring>

void delete_suffix(char *name, const char *suffix) {
  size_t n = strlen(name), s = strlen(suffix);
  if (n >= s && strcmp(name + n - s, suffix) == 0) name[n - s] = '\0';
}

int append_suffix(const char *base, const char *suffix, char *out) {
  size_t b = strlen(base), s = strlen(suffix);
  if (out != base) memmove(out, base, b);
  memmove(out + b, suffix, s + 1);
  return static_cast<int>(b + s);
}

void replace_suffix(char *out, const char *name, const char *old_suffix, const char *new_suffix) {
  if (out != name) memmove(out, name, strlen(name) + 1);
  delete_suffix(out, old_suffix);
  append_suffix(out, new_suffix, out);
}
