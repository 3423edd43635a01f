#include "common/util/source_lines.h"

#include <cstdio>
#include <string>

static std::string source_name;
static int source_first_line = 1;

void set_error_source(const char *name, int first_line) {
  source_name = name != nullptr ? name : "";
  source_first_line = first_line;
}

void print_source_error(int line, const char *message, const char *token) {
  if (source_name.empty()) return;
  const int shown = line - source_first_line + 1;
  // No token: the parser stood at the end of the text.
  if (token == nullptr || token[0] == '\0')
    fprintf(stderr, "%s:%d: %s at end of file\n", source_name.c_str(), shown, message);
  else
    fprintf(stderr, "%s:%d: %s '%s'\n", source_name.c_str(), shown, message, token);
}
