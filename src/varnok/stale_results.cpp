#include "varnok/stale_results.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "common/util/my_files.h"

namespace {

// An earlier result: its path and the identity of the file found there.
struct earlier_file {
  std::string path;
  dev_t dev;
  ino_t ino;
  struct timespec mtime;
};

// Never destroyed: read by the exit handler, which must not allocate (it
// also runs when memory is exhausted).
std::vector<earlier_file> &noted() {
  static auto *v = new std::vector<earlier_file>;
  return *v;
}

bool armed = false;

bool same_file(const earlier_file &f, const struct stat &st) {
  return st.st_dev == f.dev && st.st_ino == f.ino && st.st_mtim.tv_sec == f.mtime.tv_sec &&
         st.st_mtim.tv_nsec == f.mtime.tv_nsec;
}

void remove_noted() {
  if (!armed) return;
  armed = false;
  for (const earlier_file &f : noted()) {
    struct stat st;
    if (lstat(f.path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !same_file(f, st)) continue;
    if (unlink(f.path.c_str()) != 0) continue;
    fputs(tool, stderr);
    fputs(": removed the earlier result ", stderr);
    fputs(f.path.c_str(), stderr);
    fputs("\n", stderr);
  }
}

}  // namespace

void stale_results_arm(const std::vector<std::string> &paths) {
  static bool registered = false;
  if (!registered) {
    registered = true;
    noted().reserve(16);
    atexit(remove_noted);
  }
  for (const std::string &p : paths) {
    bool known = false;
    for (const earlier_file &f : noted()) known = known || f.path == p;
    struct stat st;
    if (known || lstat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    noted().push_back({p, st.st_dev, st.st_ino, st.st_mtim});
  }
  armed = true;
}

void stale_results_keep() { armed = false; }

void stale_results_remove() { remove_noted(); }
