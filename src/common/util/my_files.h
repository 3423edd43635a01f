// The current model name and the files named after it.
#pragma once

#include <cstdio>

// Longest base name or path, terminator excluded.
constexpr int MAX_NAME_LEN = 255;

// Current model name (a base name without suffix); every file of a run is
// my_filename + suffix. At most MAX_NAME_LEN characters.
extern char my_filename[MAX_NAME_LEN + 1];

// Program name that begins every message ("varnok", "clockpare").
extern const char *tool;

// Removes `suffix` from `name` in place, then copies the result into
// my_filename. A result longer than 255 characters prints "name too long"
// and exits with status 1.
void my_basename(char *name, const char *suffix);

// Opens my_filename + suffix with the stdio `mode`; returns the stream
// (owned by the caller) or null. A path over 255 characters gives null.
FILE *my_fopen(const char *suffix, const char *mode);

// As my_fopen, but a failure prints "cannot open file" and exits with -1.
FILE *my_fopen2(const char *suffix, const char *mode);

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
