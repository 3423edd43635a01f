#include "varnok/varnok_formula.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <string>

#include "common/tctl/tctl_main.h"
#include "common/tctl/tctl_tg_link.h"
#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "common/util/source_lines.h"
#include "common/util/suffix.h"
#include "varnok/run_context.h"

formula_source formula_source::file(const std::string &base) {
  formula_source f;
  f.base = base;
  return f;
}

formula_source formula_source::given(const char *path, const char *text) {
  formula_source f;
  f.base = path;
  if (f.base.size() >= 5 && f.base.compare(f.base.size() - 5, 5, ".tctl") == 0) f.base.resize(f.base.size() - 5);
  f.text = std::string(text) + "\n";
  f.from_text = true;
  return f;
}

std::string formula_source::shown() const {
  const std::string name = base + ".tctl";
  return from_text ? result_path(name.c_str()) : name;
}

namespace {

// The text of `run` written to base.tctl (the last one written there), or null.
const std::string *text_of(const run_context &run, const std::string &base) {
  const std::string path = base + ".tctl";
  for (auto it = run.formula_texts.rbegin(); it != run.formula_texts.rend(); ++it)
    if (it->first == path) return &it->second;
  return nullptr;
}

// `name` stripped of ".tctl" in place; a result over 255 characters ends the run.
std::string formula_base(char *name) {
  delete_suffix(name, ".tctl");
  if (strlen(name) > static_cast<size_t>(MAX_NAME_LEN)) fatal(stdout, 1, "%s: name too long\n", tool);
  return name;
}

// Opens the formula of `source` for reading, or null.
FILE *open_formula(const formula_source &source) {
  if (source.from_text) return fmemopen(const_cast<char *>(source.text.data()), source.text.size(), "r");
  const std::string path = source.base + ".tctl";
  return path.size() > static_cast<size_t>(MAX_NAME_LEN) ? nullptr : fopen(path.c_str(), "r");
}

}  // namespace

formula_source formula_named(const run_context &run, char *name) {
  const std::string base = formula_base(name);
  if (const std::string *t = text_of(run, base)) {
    formula_source f = formula_source::given((base + ".tctl").c_str(), "");
    f.text = *t;
    return f;
  }
  return formula_source::file(base);
}

bool is_formula_filename(const run_context &run, char *name) {
  const formula_source source = formula_named(run, name);
  if (source.from_text) return true;
  FILE *f = open_formula(source);
  if (f == nullptr) return false;
  fclose(f);
  return true;
}

int construct_formula(const formula_source &source) {
  FILE *in = open_formula(source);
  if (in == nullptr) fatal(stdout, 1, "%s: cannot open file %s.tctl\n", tool, source.base.c_str());
  // The parser writes its report here and may end the process itself, so
  // the file is written in place.
  const std::string err_name = result_path((source.base + ".err").c_str());
  FILE *err = fopen(err_name.c_str(), "w");
  if (err == nullptr) fatal_cannot_open(stdout, 1, err_name.c_str());
  set_error_source(source.shown().c_str(), tctl_yylineno);
  tctl_mk_formula(in, err);
  set_error_source(nullptr);
  fclose(in);
  if (ftell(err) != 0) {
    fclose(err);
    fatal(stdout, 1, "%s: syntax error: file %s dumped\n", tool, err_name.c_str());
  }
  fclose(err);
  unlink(err_name.c_str());
  int extra = tctl_extra_clocks();
  if (extra != 0) RESIZE_REGIONS = 1;
  return extra;
}

int construct_formula(char *name, char *base) {
  my_basename(name, ".tctl");
  strcpy(base, my_filename);
  return construct_formula(formula_source::file(my_filename));
}
