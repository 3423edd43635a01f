#include "fuzz_support.h"

#include <fcntl.h>
#include <sanitizer/lsan_interface.h>
#include <unistd.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>

// The fuzz targets are linked with --wrap=exit: every exit() of the library
// (and of libFuzzer) comes here first.
extern "C" [[noreturn]] void __real_exit(int status);

extern "C" FILE *__real_fopen(const char *path, const char *mode);
extern "C" FILE *__real_fopen64(const char *path, const char *mode);
extern "C" int __real_fclose(FILE *f);

extern "C" void *__real_malloc(size_t n);
extern "C" void *__real_calloc(size_t n, size_t size);
extern "C" void *__real_realloc(void *p, size_t n);
extern "C" void __real_free(void *p);
extern "C" char *__real_strdup(const char *s);

namespace {
jmp_buf *active_guard = nullptr;
void (*refusal_cleanup)() = nullptr;

// The blocks of the C allocator that the library took under a guard and has
// not given back: an exit jumps over the frames that would free them. An
// open-addressing set of fixed size (it must not allocate itself); when it
// is full, tracking stops for the rest of the run and nothing is freed.
class block_set {
 public:
  void clear() {
    if (used_ != 0) memset(slots_, 0, sizeof slots_);
    count_ = used_ = 0;
    full_ = false;
  }
  void add(void *p) {
    if (p == nullptr || full_) return;
    if (used_ * 2 >= SIZE) {  // live and removed slots: probes stay short and end
      full_ = true;
      return;
    }
    size_t i = start(p);
    while (slots_[i] != nullptr && slots_[i] != TOMB) i = (i + 1) & (SIZE - 1);
    if (slots_[i] == nullptr) used_++;
    slots_[i] = p;
    count_++;
  }
  void remove(void *p) {
    if (p == nullptr || count_ == 0) return;
    for (size_t i = start(p); slots_[i] != nullptr; i = (i + 1) & (SIZE - 1))
      if (slots_[i] == p) {
        slots_[i] = TOMB;
        count_--;
        return;
      }
  }
  // Hands every block still held to the leak checker as "not a leak" and
  // empties the set. They are not freed: a block may belong to a table the
  // library keeps from one run to the next (scratch buffers, the clock
  // names), and only the leak checker could tell which ones are unreachable.
  // A block freed where the wrappers do not see it (inside the C++ runtime)
  // may still be listed: the leak checker ignores an unknown address.
  void ignore_all() {
    if (!full_)
      for (void *&s : slots_)
        if (s != nullptr && s != TOMB) __lsan_ignore_object(s);
    clear();
  }
  size_t count() const { return count_; }

 private:
  static constexpr size_t SIZE = size_t{1} << 17;
  static inline void *const TOMB = reinterpret_cast<void *>(1);
  static size_t start(void *p) { return (reinterpret_cast<uintptr_t>(p) >> 4) * 0x9E3779B97F4A7C15ull >> 47; }
  void *slots_[SIZE] = {};
  size_t count_ = 0, used_ = 0;
  bool full_ = false;
};
block_set blocks;
// Blocks are added to the set while a guarded function runs, and removed
// when freed whenever the set holds any.
bool adding = false;
int exit_status = 0;
// Streams opened under a guard and not closed yet: an exit jumps over the
// fclose calls of the frames it leaves, so these are closed after it, once
// the refusal cleanup has closed those that globals hold.
std::vector<FILE *> *open_streams = nullptr;

FILE *track(FILE *f) {
  if (f != nullptr && active_guard != nullptr) open_streams->push_back(f);
  return f;
}

void close_open_streams() {
  std::vector<FILE *> left;
  left.swap(*open_streams);
  for (FILE *f : left) __real_fclose(f);
}
}  // namespace

extern "C" void *__wrap_malloc(size_t n) {
  void *p = __real_malloc(n);
  if (adding) blocks.add(p);
  return p;
}
extern "C" void *__wrap_calloc(size_t n, size_t size) {
  void *p = __real_calloc(n, size);
  if (adding) blocks.add(p);
  return p;
}
extern "C" void *__wrap_realloc(void *old, size_t n) {
  void *p = __real_realloc(old, n);
  if (p != nullptr || n == 0) {
    blocks.remove(old);
    if (adding) blocks.add(p);
  }
  return p;
}
extern "C" void __wrap_free(void *p) {
  blocks.remove(p);
  __real_free(p);
}
extern "C" char *__wrap_strdup(const char *s) {
  char *p = __real_strdup(s);
  if (adding) blocks.add(p);
  return p;
}

// operator new and delete (plain and sized), by their symbol names.
extern "C" void *__real__Znwm(size_t n);
extern "C" void *__real__Znam(size_t n);
extern "C" void __real__ZdlPv(void *p);
extern "C" void __real__ZdaPv(void *p);
extern "C" void __real__ZdlPvm(void *p, size_t n);
extern "C" void __real__ZdaPvm(void *p, size_t n);
extern "C" void *__wrap__Znwm(size_t n) {
  void *p = __real__Znwm(n);
  if (adding) blocks.add(p);
  return p;
}
extern "C" void *__wrap__Znam(size_t n) {
  void *p = __real__Znam(n);
  if (adding) blocks.add(p);
  return p;
}
extern "C" void __wrap__ZdlPv(void *p) {
  blocks.remove(p);
  __real__ZdlPv(p);
}
extern "C" void __wrap__ZdaPv(void *p) {
  blocks.remove(p);
  __real__ZdaPv(p);
}
extern "C" void __wrap__ZdlPvm(void *p, size_t n) {
  blocks.remove(p);
  __real__ZdlPvm(p, n);
}
extern "C" void __wrap__ZdaPvm(void *p, size_t n) {
  blocks.remove(p);
  __real__ZdaPvm(p, n);
}

extern "C" FILE *__wrap_fopen(const char *path, const char *mode) { return track(__real_fopen(path, mode)); }
extern "C" FILE *__wrap_fopen64(const char *path, const char *mode) { return track(__real_fopen64(path, mode)); }
extern "C" int __wrap_fclose(FILE *f) {
  if (open_streams != nullptr)
    for (size_t i = 0; i < open_streams->size(); i++)
      if ((*open_streams)[i] == f) {
        (*open_streams)[i] = open_streams->back();
        open_streams->pop_back();
        break;
      }
  return __real_fclose(f);
}

extern "C" [[noreturn]] void __wrap_exit(int status) {
  if (active_guard != nullptr) {
    jmp_buf *to = active_guard;
    active_guard = nullptr;
    exit_status = status;
    fflush(stdout);
    longjmp(*to, 1);
  }
  __real_exit(status);
}

namespace fuzz {

bool run_guarded(void (*fn)(void *), void *arg) {
  static std::vector<FILE *> streams;
  open_streams = &streams;
  jmp_buf env;
  if (active_guard != nullptr) abort();
  if (setjmp(env) != 0) {
    // What the globals still hold (streams among them) goes back through
    // their own release code first; what is left was held by the frames the
    // exit jumped over. A stream the cleanup closes leaves the list of open
    // ones, so each stream is closed once.
    adding = false;
    if (refusal_cleanup != nullptr) refusal_cleanup();
    close_open_streams();
    blocks.ignore_all();
    return false;
  }
  blocks.clear();
  adding = true;
  active_guard = &env;
  fn(arg);
  active_guard = nullptr;
  adding = false;
  blocks.clear();
  streams.clear();  // what is still open was meant to stay open
  return true;
}

void set_refusal_cleanup(void (*cleanup)()) { refusal_cleanup = cleanup; }

int last_exit_status() { return exit_status; }

scratch_dir::scratch_dir(const char *name) : home_(open(".", O_RDONLY | O_DIRECTORY)) {
  if (home_ < 0) abort();
  static std::string dir;
  if (dir.empty()) {
    std::string templ = std::string("/tmp/") + name + "_XXXXXX";
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data()) == nullptr) abort();
    dir = buf.data();
  }
  if (chdir(dir.c_str()) != 0) abort();
}

scratch_dir::~scratch_dir() {
  if (fchdir(home_) != 0) abort();
  close(home_);
}

void write_file(const char *path, const std::string &text) {
  FILE *f = fopen(path, "wb");
  if (f == nullptr) abort();
  if (fwrite(text.data(), 1, text.size(), f) != text.size()) abort();
  fclose(f);
}

std::vector<part> split_parts(const uint8_t *data, size_t size, size_t max_parts) {
  std::vector<part> parts(1);
  size_t at = 0;
  while (at < size) {
    const uint8_t *nl = static_cast<const uint8_t *>(memchr(data + at, '\n', size - at));
    size_t end = nl == nullptr ? size : static_cast<size_t>(nl - data) + 1;
    std::string line(reinterpret_cast<const char *>(data + at), end - at);
    if (parts.size() < max_parts && line.compare(0, 4, "----") == 0) {
      parts.emplace_back();
      size_t len = line.size() - 4 - (line.back() == '\n' ? 1 : 0);
      parts.back().flags = line.substr(4, len);
    } else {
      parts.back().text += line;
    }
    at = end;
  }
  return parts;
}

bool small_numbers(const std::string &text, long limit) {
  for (size_t i = 0; i < text.size(); i++) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < '0' || c > '9') continue;
    unsigned char before = i == 0 ? ' ' : static_cast<unsigned char>(text[i - 1]);
    bool in_name = before == '_' || (before >= 'a' && before <= 'z') || (before >= 'A' && before <= 'Z') ||
                   (before >= '0' && before <= '9');
    if (in_name) continue;
    long v = 0;
    size_t j = i;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') {
      v = v * 10 + (text[j] - '0');
      if (v > limit) return false;
      j++;
    }
    i = j - 1;
  }
  return true;
}

}  // namespace fuzz
