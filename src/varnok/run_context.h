// The run's options, limits and names as one read-only value.
//
// main fills it once, after the arguments are read, from the option word,
// the limits and the parameter buffers (which stay the source of truth for
// the specified modules). New code takes the context, or the fields it
// needs, as an argument and never reads the option word itself.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct run_context {
  uint32_t options = 0;  // the bits of OPT_SET (varnok_options.h)

  // Limits: -FORW n (given: the -abs lu search is then held to it), -STACK n,
  // -CONTROL n (given: a formula on several graphs is then held to it).
  int max_symb_states = 1000;
  bool max_symb_states_given = false;
  int max_stack_size = 1000;
  int max_control_states = 2048;
  bool max_control_states_given = false;
  int compact_type = 1;
  int max_found_paths = 1;
  bool all_paths = false;
  // The threads of the -abs lu search (-j N; 0 given there: one per core).
  int jobs = 1;

  // The file parameters (cut to their buffer length) and the arguments as
  // given, uncut, in order.
  std::vector<std::string> params;
  std::vector<std::string> param_texts;
  // The names of the initial-states, goal, product and formula files.
  std::string init_name, reach_name, out_name, form_name;
  // The output prefix of -prefix (empty: none).
  std::string prefix;
  // The formula texts that the argument reader wrote (-INIT, -REACH, and
  // "init" for a goal without an initial condition): the file each was
  // written to (its name before the prefix) and the text with its newline,
  // in the order written. A formula named by one of these files is read
  // from its text (see formula_named).
  std::vector<std::pair<std::string, std::string>> formula_texts;

  // True when any of the bits of mask is set.
  bool has(uint32_t mask) const { return (options & mask) != 0; }
};

// Fills the context from the globals of the argument reader; called once by
// main after read_args, before any run starts.
void fill_run_context();

// The context as the globals of the argument reader are at this moment:
// for the few entries of new modules that the specified modules (and their
// tests, which set the globals themselves) call with the globals alone.
run_context run_context_now();

// The context of this run (filled by fill_run_context; before that, the
// defaults). Only drivers, at the entry of a run, read it from here; every
// layer under them gets it, or its fields, as arguments.
const run_context &this_run();
