#include "common/util/same_file.h"

#include <climits>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

// The absolute name of path with every link and "." or ".." resolved; a
// path that does not exist keeps its last component after its resolved
// folder (or stays as it is when the folder does not resolve either).
std::string resolved(const std::string &path) {
  char buf[PATH_MAX];
  if (realpath(path.c_str(), buf) != nullptr) return buf;
  const size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  if (realpath(dir.c_str(), buf) == nullptr) return path;
  std::string r = buf;
  if (r.back() != '/') r += '/';
  return r + last;
}

}  // namespace

bool same_file(const char *a, const char *b) {
  struct stat sa, sb;
  if (stat(a, &sa) == 0 && stat(b, &sb) == 0) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  return resolved(a) == resolved(b);
}
