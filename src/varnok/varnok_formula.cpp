#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <map>
#include <string>

#include "common/tctl/tctl_main.h"
#include "common/tctl/tctl_tg_link.h"
#include "common/util/my_files.h"
#include "common/util/source_lines.h"
#include "varnok/varnok_main.h"

namespace {

std::map<std::string, std::string> &kept_texts() {
  static auto *m = new std::map<std::string, std::string>;
  return *m;
}

// The kept text of my_filename.tctl, or null.
const std::string *kept_text() {
  auto it = kept_texts().find(std::string(my_filename) + ".tctl");
  return it == kept_texts().end() ? nullptr : &it->second;
}

// Opens my_filename.tctl, from its kept text when there is one.
FILE *open_formula() {
  if (const std::string *t = kept_text()) return fmemopen(const_cast<char *>(t->data()), t->size(), "r");
  return my_fopen(".tctl", "r");
}

}  // namespace

void keep_formula_text(const char *path, const char *text) { kept_texts()[path] = std::string(text) + "\n"; }

std::string formula_file_shown(const char *base) {
  std::string name = std::string(base) + ".tctl";
  return kept_texts().count(name) != 0 ? result_path(name.c_str()) : name;
}

int is_formula_filename(char *name, char *base) {
  my_basename(name, ".tctl");
  strcpy(base, my_filename);
  if (kept_text() != nullptr) return 1;
  FILE *f = my_fopen(".tctl", "r");
  if (f == nullptr) return 0;
  fclose(f);
  return 1;
}

int construct_formula(char *name, char *base) {
  my_basename(name, ".tctl");
  strcpy(base, my_filename);
  FILE *in = open_formula();
  if (in == nullptr) {
    printf("%s: cannot open file %s.tctl\n", tool, base);
    exit(1);
  }
  // The parser writes its report here and may end the process itself, so
  // the file is written in place.
  const std::string err_name = my_result_path(".err");
  FILE *err = fopen(err_name.c_str(), "w");
  if (err == nullptr) {
    printf("%s: cannot open file %s\n", tool, err_name.c_str());
    exit(1);
  }
  set_error_source(formula_file_shown(base).c_str(), tctl_yylineno);
  tctl_mk_formula(in, err);
  set_error_source(nullptr);
  fclose(in);
  if (ftell(err) != 0) {
    fclose(err);
    printf("%s: syntax error: file %s dumped\n", tool, err_name.c_str());
    exit(1);
  }
  fclose(err);
  unlink(err_name.c_str());
  int extra = tctl_extra_clocks();
  if (extra != 0) RESIZE_REGIONS = 1;
  return extra;
}
