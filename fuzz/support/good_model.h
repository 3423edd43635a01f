// A fixed, valid timed graph compiled after every fuzz input: scanner or
// parser state left behind by a refused input shows up as a good model
// refused, or compiled into other files.
#pragma once

namespace fuzz {

// Compiles the fixed model (as good_model in a folder of its own) and
// aborts unless it parses without error into the same compiled files as
// the first time (the first call records them: make it before any input,
// from LLVMFuzzerInitialize). Expects no loaded graph; leaves none, and
// keeps my_filename and tg_exit_on_error.
void check_good_model();

// Declared first in a target's LLVMFuzzerTestOneInput, checks the good
// model after the input whatever way the target returns.
struct good_model_after_input {
  good_model_after_input() = default;
  good_model_after_input(const good_model_after_input &) = delete;
  good_model_after_input &operator=(const good_model_after_input &) = delete;
  ~good_model_after_input() { check_good_model(); }
};

}  // namespace fuzz
