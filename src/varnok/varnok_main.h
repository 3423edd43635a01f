// Entry helpers of the model checker.
#pragma once

#include <string>

// Strips ".tctl" from `name` in place, copies the base name into `base` and
// into my_filename; returns 1 when base.tctl can be opened for reading.
int is_formula_filename(char *name, char *base);

// Parses the formula file name[.tctl] into the current formula
// (tctl_formula()). Strips ".tctl" from `name`, copies the base name into
// `base` (a buffer at least as long as `name`) and into my_filename. A
// missing file, an .err file that cannot be created or a syntax error ends
// the process; base.err is removed when the parse wrote nothing to it.
// Returns the number of extra clocks the formula needs and sets
// RESIZE_REGIONS when it is not zero.
// A formula given by its text is parsed from that text and not
// from the file it was written to, which another run may overwrite.
int construct_formula(char *name, char *base);

// Remembers `text` as the contents of formula file `path` for the rest of
// the run (construct_formula and is_formula_filename then use it).
void keep_formula_text(const char *path, const char *text);

// The file shown for formula base.tctl: where a kept text was written (the
// output prefix applied), or base.tctl itself.
std::string formula_file_shown(const char *base);
