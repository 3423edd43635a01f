// The formulas of a run: where each one is read from (a formula file, or a
// text given on the command line), parsing it into the current formula, and
// the file named for it in messages.
#pragma once

#include <string>

struct run_context;

// Where a formula comes from. A text given on the command line is also
// written to a file (on_line_to_file_formula), but it is parsed from the
// text itself: another run may overwrite that file meanwhile.
struct formula_source {
  std::string base;  // the base name: the formula's reports are base.err, base.eval, base.log
  std::string text;  // the text and its newline, when from_text
  bool from_text = false;

  // The file base.tctl, already stripped of ".tctl".
  static formula_source file(const std::string &base);
  // The text `text` as written to the file `path` (a name ending in
  // ".tctl", as given to on_line_to_file_formula, before the output prefix).
  static formula_source given(const char *path, const char *text);

  // The file named in messages: base.tctl, or for a text the file it was
  // written to (the output prefix applied).
  std::string shown() const;
};

// The formula `name` of this run: ".tctl" is stripped from `name` in place;
// it is the text given on the command line when base.tctl is the file such a
// text of `run` was written to, else the file. A base name over 255
// characters prints "name too long" and ends the process with status 1.
formula_source formula_named(const run_context &run, char *name);

// Strips ".tctl" from `name` in place and returns whether that formula can
// be read: a text of `run` (see formula_named), or a file base.tctl that can
// be opened for reading. The current model name is left alone.
bool is_formula_filename(const run_context &run, char *name);

// Parses the formula of `source` into the current formula (tctl_formula()).
// A file that cannot be opened, a base.err that cannot be created (both:
// "cannot open file", status 1) or a syntax error ("syntax error: file
// base.err dumped", status 1) ends the process; base.err (with the output
// prefix) is removed when the parse wrote nothing to it. Returns the number
// of extra clocks the formula needs and sets RESIZE_REGIONS when it is not
// zero. The current model name is left alone.
int construct_formula(const formula_source &source);

// construct_formula of the file name[.tctl]: strips ".tctl" from `name` in
// place, copies the base name into `base` (a buffer at least as long as
// `name`) and into my_filename.
int construct_formula(char *name, char *base);
