// The current model name and the files named after it.
#pragma once

#include <cstdio>
#include <string>

#include "common/util/fatal.h"  // tool, the program name that begins every message

// Longest base name or path, terminator excluded.
constexpr int MAX_NAME_LEN = 255;

// Current model name (a base name without suffix); every file of a run is
// my_filename + suffix. At most MAX_NAME_LEN characters.
extern char my_filename[MAX_NAME_LEN + 1];


// Removes `suffix` from `name` in place, then copies the result into
// my_filename. A result longer than 255 characters prints "name too long"
// and exits with status 1.
void my_basename(char *name, const char *suffix);

// Opens my_filename + suffix with the stdio `mode`; returns the stream
// (owned by the caller) or null. A path over 255 characters gives null.
FILE *open_current_or_null(const char *suffix, const char *mode);
// As open_current_or_null, but a failure prints "<tool>: cannot open file
// <my_filename><suffix>\n" on standard output and exits with -1.
FILE *open_current_or_exit(const char *suffix, const char *mode);
// The names the specified modules call them by.
inline FILE *my_fopen(const char *suffix, const char *mode) { return open_current_or_null(suffix, mode); }
inline FILE *my_fopen2(const char *suffix, const char *mode) { return open_current_or_exit(suffix, mode); }

// Removes my_filename + suffix; a failure is ignored.
void my_unlink(const char *suffix);

// Returns 1 when stream a was last modified in an earlier whole second than
// stream b, else 0. Unreadable status prints "file accesss error" and exits 1.
int my_stat(FILE *a, FILE *b);

// Prints "\n<tool>: not enough memory\n" on standard output and exits with 1.
[[noreturn]] void out_of_memory();
// Makes every allocation failure of the C++ library (new, containers) end
// the process as out_of_memory does, instead of throwing.
void catch_out_of_memory();

// Output files. A file is written under a temporary name in its own folder
// and renamed over its name only when every write and the close succeeded,
// so that a file of that name is always complete. A name that is a device
// or a pipe (or a link to one) is written directly. Temporaries of a
// process that ends before their close are removed at exit.

// Opens the output file `path` for writing: mode "w" (or "wb") starts it
// empty, "a" starts it with the file's current contents. Returns the stream,
// owned by the caller until close_output, or null when the file cannot be
// created (nothing is then left behind).
FILE *open_output_or_null(const char *path, const char *mode);
// As open_output_or_null, but a failure prints "<tool>: cannot open file
// <path>\n" on standard output and exits with `status`.
FILE *open_output_or_exit(const char *path, const char *mode, int status);
// open_output_or_null of my_filename + suffix.
FILE *open_current_output_or_null(const char *suffix, const char *mode);
// As open_current_output_or_null, but a failure prints "cannot open file"
// and exits with -1 (as open_current_or_exit).
FILE *open_current_output_or_exit(const char *suffix, const char *mode);
inline FILE *open_output(const char *path, const char *mode) { return open_output_or_null(path, mode); }
inline FILE *my_fopen_output(const char *suffix, const char *mode) {
  return open_current_output_or_null(suffix, mode);
}
inline FILE *my_fopen2_output(const char *suffix, const char *mode) {
  return open_current_output_or_exit(suffix, mode);
}
// Closes a stream of open_output and puts the file in place. When a write
// or the close failed: prints "<tool>: cannot write file <path>\n", removes
// the temporary and exits with status 1. A null stream is ignored.
void close_output(FILE *f);
// As close_output, but the file is left under its temporary name until
// commit_output(f) renames it (several files put in place in a chosen order).
// Returns the handle to pass to commit_output.
int finish_output(FILE *f);
// Renames a file finished by finish_output into place (failure: "cannot
// write file", exit 1).
void commit_output(int handle);

// Removes `path` when the process ends through exit before forget_at_exit
// is called for it (a file that is only meaningful once complete).
void remove_at_exit(const char *path);
void forget_at_exit(const char *path);
// Closes a stream of open_output and removes its temporary: the file keeps
// its old contents. A null stream is ignored.
void discard_output(FILE *f);

// Result files: every file a run writes besides the compiled files of the
// models it reads. With an output prefix P, each is written under P put in
// front of its file name, in the same folder ("dir/m.sim" -> "dir/Pm.sim"),
// so that runs given different prefixes never share a file.

// Sets the prefix (copied; empty: none).
void set_output_prefix(const char *prefix);
// The prefix set by set_output_prefix (empty: none).
const std::string &result_prefix();
// Returns `path` with the prefix put in front of its last component.
std::string result_path(const char *path);
// Returns result_path of my_filename + suffix.
std::string my_result_path(const char *suffix);
// open_output_or_null of result_path(path).
FILE *open_result_or_null(const char *path, const char *mode);
// open_output_or_null of my_result_path(suffix); a failure (a name over
// 255 characters among them) prints "cannot open file" with that name and
// exits with -1 (as open_current_output_or_exit).
FILE *open_current_result_or_exit(const char *suffix, const char *mode);
inline FILE *open_result(const char *path, const char *mode) { return open_result_or_null(path, mode); }
inline FILE *my_fopen2_result(const char *suffix, const char *mode) {
  return open_current_result_or_exit(suffix, mode);
}

// Sets my_filename for one phase of a run and puts back the name it
// replaced when the phase ends. New code changes the current name only
// through one of these.
class name_scope {
 public:
  // my_filename = base; a base over MAX_NAME_LEN characters prints "name
  // too long" and exits with status 1 (as my_basename).
  explicit name_scope(const std::string &base);
  // my_basename(name, suffix): `suffix` is first stripped from `name` in place.
  name_scope(char *name, const char *suffix);
  ~name_scope();
  name_scope(const name_scope &) = delete;
  name_scope &operator=(const name_scope &) = delete;

 private:
  std::string previous_;
};
