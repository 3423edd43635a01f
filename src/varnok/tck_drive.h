// The entry point of runs on a model with data (a .tck file): reads the
// model and the goal of -R (or -r), runs the LU search, prints the verdict
// and count lines as the search of a product does, and writes the trace of
// a reached goal (the locations and the integer values at each step).
#pragma once

#include <string>

struct run_context;

// The run on the model in file path (its base name names the trace file).
// Ends the process with a FILE:LINE: message when the model is refused.
// Returns what a run on several graphs returns to main: 1.
int tck_run(const run_context &c, const std::string &path);

// A formula on the model in file path: its discrete states are written as
// one timed graph, <model>_data.tg (tck_unfold), on which the formula (the
// text of -f, or the formula file named by formula) is evaluated backwards
// as on any timed graph. Returns what that evaluation returns.
int tck_formula(const run_context &c, const std::string &path, char *formula, const char *formula_text);

// True when the model parameter names a model with data.
bool is_tck_name(const std::string &name);
