#include "common/util/my_files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <set>
#include <string>
#include <vector>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <ctime>
#include <unistd.h>

#include "common/util/fatal.h"
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

FILE *open_current_or_null(const char *suffix, const char *mode) {
  char path[MAX_NAME_LEN + 1];
  if (!build_path(suffix, path)) return nullptr;
  return fopen(path, mode);
}

FILE *open_current_or_exit(const char *suffix, const char *mode) {
  FILE *f = open_current_or_null(suffix, mode);
  if (f == nullptr) fatal(stdout, -1, "%s: cannot open file %s%s\n", tool, my_filename, suffix);
  return f;
}

name_scope::name_scope(const std::string &base) : previous_(my_filename) {
  if (base.size() > static_cast<size_t>(MAX_NAME_LEN)) {
    memcpy(my_filename, base.data(), MAX_NAME_LEN);
    my_filename[MAX_NAME_LEN] = '\0';
    fatal(stdout, 1, "%s: name too long\n", tool);
  }
  memcpy(my_filename, base.c_str(), base.size() + 1);
}

name_scope::name_scope(char *name, const char *suffix) : previous_(my_filename) { my_basename(name, suffix); }

name_scope::~name_scope() { memcpy(my_filename, previous_.c_str(), previous_.size() + 1); }

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
  // An exit handler that runs out of memory in its turn ends at once.
  static bool reported = false;
  if (reported) _exit(1);
  reported = true;
  printf("\n%s: not enough memory\n", tool);
  exit(1);
}

void catch_out_of_memory() { std::set_new_handler(out_of_memory); }

// ---------------------------------------------------------------------------
// Output files

namespace {

struct pending_output {
  FILE *stream = nullptr;
  std::string path;    // the name shown in messages
  std::string target;  // the file renamed over (path, or the file a link names)
  std::string temp;    // where it is written; empty when written directly
  int lock = -1;       // a descriptor of the temporary holding its lock until done
  bool finished = false;
  bool done = false;
};

// Every output file of the run; the index of a record is its handle.
std::vector<pending_output> &outputs() {
  static auto *v = new std::vector<pending_output>;  // never destroyed: used at exit
  return *v;
}

std::vector<std::string> &exit_files() {
  static auto *v = new std::vector<std::string>;  // never destroyed: used at exit
  return *v;
}

void remove_unfinished() {
  for (pending_output &o : outputs())
    if (!o.done && !o.temp.empty()) {
      unlink(o.temp.c_str());
      if (o.lock >= 0) close(o.lock);
      o.lock = -1;
    }
  for (const std::string &p : exit_files()) unlink(p.c_str());
}

void register_cleanup() {
  static bool registered = false;
  if (!registered) {
    registered = true;
    // Both lists exist before the handler can run: it must not allocate,
    // as it also runs when memory is exhausted.
    outputs();
    exit_files();
    atexit(remove_unfinished);
  }
}

// Copies the contents of `from`, if it exists, to `to`.
bool copy_contents(const std::string &from, FILE *to) {
  FILE *in = fopen(from.c_str(), "rb");
  if (in == nullptr) return errno == ENOENT;
  char buf[65536];
  size_t n;
  bool ok = true;
  while ((n = fread(buf, 1, sizeof buf, in)) > 0)
    if (fwrite(buf, 1, n, to) != n) ok = false;
  if (ferror(in)) ok = false;
  fclose(in);
  return ok;
}

// Lets the temporary of o go: its lock is released (after the rename or the
// removal, so that no other run ever takes it for a dead run's).
void release(pending_output &o) {
  if (o.lock >= 0) close(o.lock);
  o.lock = -1;
}

[[noreturn]] void write_failed(pending_output &o) {
  printf("%s: cannot write file %s\n", tool, o.path.c_str());
  if (!o.temp.empty()) unlink(o.temp.c_str());
  release(o);
  o.done = true;
  exit(1);
}

// The permission bits of the regular file `path`, or -1 when there is none.
int mode_of(const std::string &path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<int>(st.st_mode & 07777);
}

// The pid of a temporary ".<name>.<pid>.<n>.tmp" of `name`, or 0.
long temporary_pid(const std::string &entry, const std::string &name) {
  const std::string head = "." + name + ".", tail = ".tmp";
  if (entry.size() <= head.size() + tail.size() || entry.compare(0, head.size(), head) != 0 ||
      entry.compare(entry.size() - tail.size(), tail.size(), tail) != 0)
    return 0;
  const std::string middle = entry.substr(head.size(), entry.size() - head.size() - tail.size());
  size_t dot = middle.find('.');
  if (dot == 0 || dot == std::string::npos || dot + 1 == middle.size()) return 0;
  if (middle.find_first_not_of("0123456789.") != std::string::npos || middle.find('.', dot + 1) != std::string::npos)
    return 0;
  return strtol(middle.substr(0, dot).c_str(), nullptr, 10);
}

// Removes `path` when it is a regular file that has not changed for ten
// minutes and that no process holds the lock of. Every run holds an
// exclusive lock on each of its temporaries from their creation to their
// rename or removal, wherever it runs (another pid namespace, another
// machine on a shared folder); the age covers the moment between the
// creation and the lock, and a filesystem without locks keeps the file.
void remove_if_unlocked(const std::string &path, time_t now) {
  int fd = open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat st, now_st;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime > 600 && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      lstat(path.c_str(), &now_st) == 0 && now_st.st_ino == st.st_ino && now_st.st_dev == st.st_dev)
    unlink(path.c_str());
  close(fd);
}

// Removes the temporaries of `name` in `folder` left by a run that was killed
// before it could remove them: unlocked, unchanged for ten minutes, and not
// of a live process of this machine's pid namespace (a run of an older
// version holds no lock).
void remove_stale_temporaries(const std::string &folder, const std::string &name) {
  static auto *done = new std::set<std::string>;  // once per file name and process
  if (!done->insert(folder + name).second) return;
  DIR *d = opendir(folder.empty() ? "." : folder.c_str());
  if (d == nullptr) return;
  const time_t now = time(nullptr);
  while (struct dirent *e = readdir(d)) {
    long pid = temporary_pid(e->d_name, name);
    if (pid <= 0 || pid == static_cast<long>(getpid())) continue;
    if (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    remove_if_unlocked(folder + e->d_name, now);
  }
  closedir(d);
}

int find_output(FILE *f) {
  std::vector<pending_output> &v = outputs();
  for (size_t k = v.size(); k-- > 0;)
    if (v[k].stream == f && !v[k].finished) return static_cast<int>(k);
  return -1;
}

}  // namespace

FILE *open_output_or_null(const char *path, const char *mode) {
  register_cleanup();
  const bool append = mode[0] == 'a';
  pending_output o;
  o.path = o.target = path;
  struct stat st, lst;
  bool direct = false;
  if (stat(path, &st) == 0) {
    if (!S_ISREG(st.st_mode)) {
      direct = true;  // a device or a pipe is written as it is
    } else if (lstat(path, &lst) == 0 && S_ISLNK(lst.st_mode)) {
      // A link to a file: the file it names is replaced, the link kept.
      if (char *real = realpath(path, nullptr)) {
        o.target = real;
        free(real);
      }
    }
  }
  if (direct) {
    o.stream = fopen(path, append ? "a" : "w");
    if (o.stream == nullptr) return nullptr;
  } else {
    size_t slash = o.target.rfind('/');
    std::string folder = slash == std::string::npos ? "" : o.target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? o.target : o.target.substr(slash + 1);
    remove_stale_temporaries(folder, name);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100 && o.stream == nullptr; attempt++) {
      o.temp = folder + "." + name + "." + std::to_string(getpid()) + "." + std::to_string(counter++) + ".tmp";
      const int fd = open(o.temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0) {
        if (errno != EEXIST) break;
        continue;
      }
      flock(fd, LOCK_EX | LOCK_NB);  // without locks the cleanup cannot lock it either
      o.lock = fcntl(fd, F_DUPFD_CLOEXEC, 0);
      // No wider access than the file it replaces while it is written.
      const int mode = mode_of(o.target);
      if (mode >= 0) fchmod(fd, static_cast<mode_t>(mode));
      o.stream = o.lock < 0 ? nullptr : fdopen(fd, "w");
      if (o.stream == nullptr) {
        close(fd);
        unlink(o.temp.c_str());
        release(o);
        return nullptr;
      }
    }
    if (o.stream == nullptr) return nullptr;
    if (append && !copy_contents(o.target, o.stream)) {
      fclose(o.stream);
      unlink(o.temp.c_str());
      release(o);
      return nullptr;
    }
  }
  outputs().push_back(o);
  return o.stream;
}

FILE *open_output_or_exit(const char *path, const char *mode, int status) {
  FILE *f = open_output_or_null(path, mode);
  if (f == nullptr) fatal_cannot_open(stdout, status, path);
  return f;
}

FILE *open_current_output_or_null(const char *suffix, const char *mode) {
  char path[MAX_NAME_LEN + 1];
  if (!build_path(suffix, path)) return nullptr;
  return open_output_or_null(path, mode);
}

FILE *open_current_output_or_exit(const char *suffix, const char *mode) {
  FILE *f = open_current_output_or_null(suffix, mode);
  if (f == nullptr) fatal(stdout, -1, "%s: cannot open file %s%s\n", tool, my_filename, suffix);
  return f;
}

int finish_output(FILE *f) {
  int k = find_output(f);
  if (k < 0) {
    if (f != nullptr) fclose(f);
    return -1;
  }
  pending_output &o = outputs()[k];
  o.finished = true;
  bool failed = ferror(f) != 0;
  if (fflush(f) != 0) failed = true;
  if (fclose(f) != 0) failed = true;
  o.stream = nullptr;
  if (failed) write_failed(o);
  return k;
}

void commit_output(int handle) {
  if (handle < 0) return;
  pending_output &o = outputs()[handle];
  if (o.done) return;
  if (!o.temp.empty()) {
    // The new file keeps the permissions of the one it replaces.
    const int mode = mode_of(o.target);
    if (mode >= 0 && o.lock >= 0) fchmod(o.lock, static_cast<mode_t>(mode));
    if (rename(o.temp.c_str(), o.target.c_str()) != 0) write_failed(o);
  }
  release(o);
  o.done = true;
}

void close_output(FILE *f) {
  if (f == nullptr) return;
  commit_output(finish_output(f));
}

void remove_at_exit(const char *path) {
  register_cleanup();
  exit_files().push_back(path);
}

void forget_at_exit(const char *path) {
  std::vector<std::string> &v = exit_files();
  for (size_t k = v.size(); k-- > 0;)
    if (v[k] == path) {
      v.erase(v.begin() + static_cast<long>(k));
      return;
    }
}

void discard_output(FILE *f) {
  if (f == nullptr) return;
  int k = find_output(f);
  fclose(f);
  if (k < 0) return;
  pending_output &o = outputs()[k];
  o.finished = o.done = true;
  o.stream = nullptr;
  if (!o.temp.empty()) unlink(o.temp.c_str());
  release(o);
}

// ---------------------------------------------------------------------------
// Result names

namespace {
std::string &output_prefix() {
  static auto *p = new std::string;  // never destroyed: names are built at exit too
  return *p;
}
}  // namespace

void set_output_prefix(const char *prefix) { output_prefix() = prefix; }

const std::string &result_prefix() { return output_prefix(); }

std::string result_path(const char *path) {
  std::string p = path;
  size_t slash = p.rfind('/');
  size_t at = slash == std::string::npos ? 0 : slash + 1;
  return p.insert(at, output_prefix());
}

std::string my_result_path(const char *suffix) { return result_path((std::string(my_filename) + suffix).c_str()); }

FILE *open_result_or_null(const char *path, const char *mode) {
  return open_output_or_null(result_path(path).c_str(), mode);
}

FILE *open_current_result_or_exit(const char *suffix, const char *mode) {
  std::string path = my_result_path(suffix);
  FILE *f = path.size() > static_cast<size_t>(MAX_NAME_LEN) ? nullptr : open_output_or_null(path.c_str(), mode);
  if (f == nullptr) fatal_cannot_open(stdout, -1, path.c_str());
  return f;
}
