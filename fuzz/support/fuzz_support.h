// Shared pieces of the engine fuzz targets: a guard that turns the
// library's exit() calls into a normal return, a scratch directory per
// target, and the splitting of one input into several texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// Runs fn(arg). When the library ends the process on a refusal (exit()),
// control comes back here instead and the result is false; the exit status
// is then in last_exit_status(). Guards do not nest. Code run under the
// guard must not rely on destructors of its own frames: an exit jumps over
// them (keep such objects outside, or free them in reset code).
//
// Streams opened under the guard and still open after an exit are closed
// by the guard, after the refusal cleanup: the cleanup may close the ones
// its globals hold (with fclose), the guard closes only what is left.
//
// Blocks of the C allocator (malloc, calloc, realloc, strdup) and of
// operator new taken under
// the guard are tracked: after an exit, the refusal cleanup (see below)
// releases what the globals hold, and the blocks still tracked, which the
// frames jumped over may have held, are not reported as leaks. Everything
// else stays under the leak checker: a block lost by a run that returns
// normally, or by the cleanup, is reported.
bool run_guarded(void (*fn)(void *), void *arg);
// The release code run after an exit (the target's reset of its globals).
void set_refusal_cleanup(void (*cleanup)());
int last_exit_status();

template <typename F>
bool guarded(F &&f) {
  return run_guarded([](void *p) { (*static_cast<F *>(p))(); }, &f);
}

// While it lives, the working directory is /tmp/<name>_XXXXXX (made at the
// first use in the process); every file an input writes lives there under a
// fixed name. The directory libFuzzer was started in (corpus, crash files)
// is the working directory again afterwards.
class scratch_dir {
 public:
  explicit scratch_dir(const char *name);
  ~scratch_dir();
  scratch_dir(const scratch_dir &) = delete;
  scratch_dir &operator=(const scratch_dir &) = delete;

 private:
  int home_;
};

// Writes text into path (aborts when the file cannot be written).
void write_file(const char *path, const std::string &text);

// One text of an input and the letters that followed "----" on the
// separator line before it (empty for the first part).
struct part {
  std::string text;
  std::string flags;
};
// Cuts the input at lines beginning with "----" (at most max_parts parts,
// the last one keeps any further separators as text).
std::vector<part> split_parts(const uint8_t *data, size_t size, size_t max_parts);

// 1 when every decimal number in text that does not continue a name is at
// most limit: keeps constants (and so fix-point and search lengths) small.
bool small_numbers(const std::string &text, long limit);

}  // namespace fuzz
