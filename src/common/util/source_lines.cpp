#include "common/util/source_lines.h"

#include <cstdio>
#include <algorithm>
#include <string>
#include <vector>

static std::string source_name;
static int source_first_line = 1;

void set_error_source(const char *name, int first_line) {
  source_name = name != nullptr ? name : "";
  source_first_line = first_line;
}

void print_source_error(int line, const char *message, const char *token, const char *hint) {
  if (source_name.empty()) return;
  const int shown = line - source_first_line + 1;
  const std::string after = hint != nullptr && hint[0] != '\0' ? std::string(" (") + hint + ")" : "";
  // No token: the parser stood at the end of the text.
  if (token == nullptr || token[0] == '\0')
    fprintf(stderr, "%s:%d: %s at end of file%s\n", source_name.c_str(), shown, message, after.c_str());
  else
    fprintf(stderr, "%s:%d: %s '%s'%s\n", source_name.c_str(), shown, message, token, after.c_str());
}

std::string source_place(int line) {
  if (source_name.empty()) return "";
  return source_name + ":" + std::to_string(line - source_first_line + 1);
}

namespace {

// Optimal string alignment distance of a and b.
size_t edit_distance(const std::string &a, const std::string &b) {
  const size_t n = a.size(), m = b.size();
  std::vector<size_t> d((n + 1) * (m + 1));
  auto at = [&](size_t i, size_t j) -> size_t & { return d[i * (m + 1) + j]; };
  for (size_t i = 0; i <= n; i++) at(i, 0) = i;
  for (size_t j = 0; j <= m; j++) at(0, j) = j;
  for (size_t i = 1; i <= n; i++)
    for (size_t j = 1; j <= m; j++) {
      const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
    }
  return at(n, m);
}

}  // namespace

std::string closest_name(const std::string &word, const std::vector<std::string> &known) {
  // Names of any length are compared, but a long one is far from a short
  // word anyway: the length difference bounds the distance from below.
  const size_t limit = std::min(word.size() - (word.empty() ? 0 : 1), 1 + word.size() / 6);
  std::string best;
  size_t best_d = limit + 1;
  for (const std::string &k : known) {
    if (k == word) return "";
    const size_t gap = k.size() > word.size() ? k.size() - word.size() : word.size() - k.size();
    if (gap >= best_d || k.empty()) continue;
    const size_t dist = edit_distance(word, k);
    if (dist < best_d) {
      best_d = dist;
      best = k;
    }
  }
  return best;
}

std::string did_you_mean(const std::string &word, const std::vector<std::string> &known) {
  const std::string name = closest_name(word, known);
  return name.empty() ? "" : "did you mean '" + name + "'?";
}
