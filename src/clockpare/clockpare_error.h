// Failures of the clock-reduction tool's own output files.
#pragma once

#include <cstdio>

// Creates my_filename + suffix for writing; when it cannot be created prints
// "<tool>: cannot create file <name>\n" on standard output and exits with 1.
// The stream belongs to the caller.
FILE *create_output_file(const char *suffix);
// Closes a stream made by create_output_file or my_fopen2; when a write or
// the close failed prints "<tool>: cannot write file <name>\n", removes the
// half-written file and exits with 1.
void close_output_file(FILE *stream, const char *suffix);
