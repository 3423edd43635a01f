// Failures of the clock-reduction tool's own output files.
#pragma once

#include <cstdio>

// Creates my_filename + suffix for writing (open_output); when it cannot be created prints
// "<tool>: cannot create file <name>\n" on standard output and exits with 1.
// The stream belongs to the caller.
FILE *create_output_file(const char *suffix);
// Output files are written under a temporary name and put in place when
// complete (see open_output).
// Closes a stream made by create_output_file or my_fopen2_output and puts
// the file in place; when a write or the close failed prints "<tool>: cannot
// write file <name>\n", removes the temporary and exits with 1.
void close_output_file(FILE *stream, const char *suffix);
