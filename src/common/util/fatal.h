// The one way new code ends a run on an error.
//
// A message that ends the run is printed on the stream it belongs to (the
// specified messages keep their stream: most go to standard output, those
// of the searches on several graphs to standard error), then the process
// ends with the given status through exit, so that the temporaries of
// unfinished output files are removed.
#pragma once

#include <cstdio>

// Program name that begins every message ("varnok", "clockpare"); each
// program defines it.
extern const char *tool;

// Prints the printf-style message on `stream` exactly as formatted (no
// prefix, no newline added), flushes both standard streams and ends the
// process with `status`.
[[noreturn]] void fatal(FILE *stream, int status, const char *format, ...)
    __attribute__((format(printf, 3, 4)));

// Ends the process with `status` (both standard streams flushed, as fatal)
// when the message that says why is already out.
[[noreturn]] void fatal_exit(int status);

// Prints "<tool>: cannot open file PATH\n" on `stream` and ends the process
// with `status` (the message of every file that cannot be opened).
[[noreturn]] void fatal_cannot_open(FILE *stream, int status, const char *path);
