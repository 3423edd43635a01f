#include "varnok/run_context.h"

#include <algorithm>
#include <thread>

#include "common/util/my_files.h"
#include "varnok/varnok_options.h"

static run_context the_context;

run_context run_context_now() {
  run_context c;
  c.options = OPT_SET;
  c.max_symb_states = MAX_SYMB_STATES;
  c.max_symb_states_given = MAX_SYMB_STATES_GIVEN != 0;
  c.max_stack_size = MAX_STACK_SIZE;
  c.max_control_states = MAX_CONTROL_STATES;
  c.max_control_states_given = MAX_CONTROL_STATES_GIVEN != 0;
  c.compact_type = COMPACT_TYPE;
  c.max_found_paths = MAX_FOUND_PATHS;
  c.all_paths = ALL_PATHS != 0;
  c.jobs = SEARCH_JOBS;
  if (c.jobs == 0) c.jobs = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  for (int i = 0; i < nb_param; i++) {
    c.params.emplace_back(param_names[i]);
    c.param_texts.emplace_back(param_texts[i] != nullptr ? param_texts[i] : param_names[i]);
  }
  c.init_name = init_f_name;
  c.reach_name = reach_f_name;
  c.out_name = out_f_name;
  c.form_name = form_name;
  c.prefix = result_prefix();
  for (const auto &t : formula_texts_written()) c.formula_texts.emplace_back(t.first, t.second + "\n");
  return c;
}

void fill_run_context() { the_context = run_context_now(); }

const run_context &this_run() { return the_context; }
