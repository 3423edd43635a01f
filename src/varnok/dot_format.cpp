// DOT texts: quoting, captured text, files and pictures.

#include "varnok/dot_format.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "common/util/fatal.h"
#include "common/util/my_files.h"

namespace dot {

std::string quoted(const std::string &s) {
  std::string q = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') q += '\\';
    if (c == '\n') q += "\\n";
    else if (c != '\r') q += c;
  }
  return q + "\"";
}

std::string text_of(const std::function<void(FILE *)> &print) {
  char *buf = nullptr;
  size_t len = 0;
  FILE *f = open_memstream(&buf, &len);
  if (f == nullptr) out_of_memory();
  print(f);
  fclose(f);
  std::string s(buf, len);
  free(buf);
  while (!s.empty() && s.back() == '\n') s.pop_back();
  return s;
}

}  // namespace dot

namespace {

// Starts the DOT file `given` (under its result name) with its graph
// header, or ends the run.
FILE *open_dot(const std::string &given) {
  const std::string path = result_path(given.c_str());
  FILE *f = open_output(path.c_str(), "w");
  if (f == nullptr) fatal(stdout, 1, "%s: cannot write file %s\n", tool, path.c_str());
  fputs("digraph varnok {\n  node [shape=box, fontname=\"monospace\"];\n  edge [fontname=\"monospace\"];\n", f);
  return f;
}

// Ends a file of open_dot, puts it in place and reports it.
void close_dot(FILE *f, const std::string &given) {
  fputs("}\n", f);
  close_output(f);
  printf("%s: file %s dumped\n", tool, result_path(given.c_str()).c_str());
}

}  // namespace

namespace dot {

void write_file(const std::string &path, const std::function<void(FILE *)> &body) {
  FILE *f = open_dot(path);
  body(f);
  close_dot(f, path);
}

sim_picture::sim_picture(const std::string &path) : path_(path), f_(open_dot(path)) {}

void sim_picture::title(const std::string &text) {
  fprintf(f_, "  label=%s;\n  labelloc=t;\n", quoted(text).c_str());
}

void sim_picture::state(long n, bool initial, const std::string &label) {
  fprintf(f_, "  s%ld [label=%s%s];\n", n, quoted(label).c_str(), initial ? ", style=bold" : "");
}

void sim_picture::transition(long source, long target, const std::string &label) {
  fprintf(f_, "  s%ld -> s%ld [label=%s];\n", source, target, quoted(label).c_str());
}

void sim_picture::finish() { close_dot(f_, path_); }

}  // namespace dot

void dot_write_run(const std::string &path, const std::vector<std::string> &moments, const std::vector<std::string> &steps) {
  dot::write_file(path, [&](FILE *f) {
    auto node = [&](size_t i) {
      fprintf(f, "  m%zu [label=%s, color=red, penwidth=2];\n", i, dot::quoted(moments[i]).c_str());
    };
    node(0);
    for (size_t i = 0; i < steps.size(); i++) {
      node(i + 1);
      fprintf(f, "  m%zu -> m%zu [label=%s, color=red, penwidth=2];\n", i, i + 1, dot::quoted(steps[i]).c_str());
    }
  });
}
