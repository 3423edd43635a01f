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
  bool witness;
};

// Never destroyed: read by the exit handler, which must not allocate (it
// also runs when memory is exhausted).
std::vector<earlier_file> &noted() {
  static auto *v = new std::vector<earlier_file>;
  return *v;
}

bool armed = false;          // a failure removes every noted file
bool witness_armed = false;  // the end removes the noted witness files

bool same_file(const earlier_file &f, const struct stat &st) {
  return st.st_dev == f.dev && st.st_ino == f.ino && st.st_mtim.tv_sec == f.mtime.tv_sec &&
         st.st_mtim.tv_nsec == f.mtime.tv_nsec;
}

// Removes the noted files that are still the earlier run's: all of them, or
// only the witness files.
void remove_earlier(bool witness_only) {
  for (const earlier_file &f : noted()) {
    if (witness_only && !f.witness) continue;
    struct stat st;
    if (lstat(f.path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !same_file(f, st)) continue;
    if (unlink(f.path.c_str()) != 0) continue;
    fputs(tool, stderr);
    fputs(": removed the earlier result ", stderr);
    fputs(f.path.c_str(), stderr);
    fputs("\n", stderr);
  }
}

// The exit handler: a run that ends before its answer exists removes every
// noted file.
void remove_noted() {
  if (!armed) return;
  armed = witness_armed = false;
  remove_earlier(false);
}

void note(const std::vector<std::string> &paths, bool witness) {
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
    noted().push_back({p, st.st_dev, st.st_ino, st.st_mtim, witness});
  }
  armed = true;
  witness_armed = witness_armed || witness;
}

}  // namespace

void stale_results_arm(const std::vector<std::string> &paths) { note(paths, false); }

void stale_results_arm_witness(const std::vector<std::string> &paths) { note(paths, true); }

void stale_results_keep() { armed = false; }

void stale_results_end() {
  const bool witness = witness_armed;
  armed = witness_armed = false;
  if (witness) remove_earlier(true);
}

void stale_results_remove() {
  armed = armed || witness_armed;
  remove_noted();
}
