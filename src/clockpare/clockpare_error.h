// Failures of the clock-reduction tool's own output files.
#pragma once

#include <cstdio>

// Creates my_filename + suffix for writing (open_output); when it cannot be created prints
// "<tool>: cannot create file <name>\n" on standard output and exits with 1.
// The stream belongs to the caller, who ends it with close_output.
FILE *create_output_file(const char *suffix);
