// varnok: model checker for timed graphs.
#include <cstdio>
#include <cstdlib>

#include "common/util/fatal.h"
#include "common/util/help_request.h"
#include "common/util/my_files.h"
#include "varnok/run_context.h"
#include "varnok/varnok_formula.h"
#include "varnok/varnok_help.h"
#include "varnok/varnok_multiple.h"
#include "varnok/varnok_options.h"
#include "varnok/varnok_single.h"
#include "varnok/stale_results.h"
#include "varnok/tck_drive.h"
#include "varnok/tck_export.h"
#include "varnok/varnok_usage.h"
#include "varnok/verdict.h"

const char *tool = "varnok";
static const char Version[] = "2.4";
static const char Release[] = ".3";
static const char Arch[] = "i686";
static const char Date[] = VARNOK_BUILD_DATE;

// Several timed graphs: a formula on their product (formula_file: the last
// parameter names a formula file), product graph, simulation graph or
// reachability.
static int run_several(const run_context &run, bool formula_file) {
  if (run.has(OPT_FORMULA)) {
    on_line_to_file_formula(param_texts[nb_param - 1], form_name);
    return evaluate_formula_list(nb_param - 1, formula_source::given(form_name, param_texts[nb_param - 1]));
  }
  if (formula_file) return evaluate_formula_list(nb_param - 1, formula_named(run, param_names[nb_param - 1]));
  if (!is_option(OPT_FORWARD)) refuse_product_over_models(nb_param);
  if (!init_list(nb_param)) return 0;
  if (is_option(OPT_REACH)) return init_reach_list(init_f_name, reach_f_name);
  if (is_option(OPT_FORWARD)) return gen_sim_list(init_f_name);
  return compo_list();
}

// The exit status of a run that returned `result`: a run that gave up (0:
// a model that cannot be opened, read or compiled, a refused goal) ends with
// status 1, the status of a missing model, never with 0, which a script
// would read as success; the earlier results of its question are removed.
// A run that completed removes the earlier witness files it did not replace.
static int exit_status(int result) {
  if (result == 0) {
    stale_results_remove();
    return 1;
  }
  stale_results_end();
  return result;
}

// The status of a run that returned `result`, with its verdict (-verdict).
static int end_run(int result) {
  const int status = exit_status(result);
  return verdict::finish(result != 0, status);
}

int main(int argc, char **argv) {
  catch_out_of_memory();
  setbuf(stdout, nullptr);
  const HelpRequest asked = help_request(argc - 1, argv + 1);
  if (asked == HelpRequest::help) {
    print_long_help();
    return 0;
  }
  if (asked == HelpRequest::version) {
    printf("%s: release %s%s (%s) date %s\n", tool, Version, Release, Arch, Date);
    return 0;
  }
  verdict::start(argc, argv);
  if (!is_option(OPT_QUIET)) printf("%s: release %s%s (%s) date %s\n", tool, Version, Release, Arch, Date);
  default_file_names();
  read_args(argc - 1, argv + 1);
  fill_run_context();
  if (nb_param == 0) {
    usage();
    return verdict::finish(false, 0);
  }
  // With -f the last parameter is a formula text, which may be of any length.
  bool formula_text = is_option(OPT_FORMULA) && nb_param >= 2;
  for (int i = 0; i < nb_param; i++)
    if (!(formula_text && i == nb_param - 1)) check_file_param(i);
  set_zero_comput_times();
  for (int i = 0; i < nb_param; i++)
    if (!(formula_text && i == nb_param - 1) && is_tck_name(param_texts[i])) {
      if (nb_param == 2 && i == 0 && !is_tck_name(param_texts[1]))
        return end_run(tck_formula(this_run(), param_texts[0], param_names[1], formula_text ? param_texts[1] : nullptr));
      if (nb_param > 1) fatal(stderr, 1, "%s: a .tck model is searched alone (-abs lu -R GOAL) or with one formula\n", tool);
      return end_run(tck_run(this_run(), param_texts[0]));
    }
  if (this_run().has(OPT_TCK)) return end_run(tck_export_models(nb_param));
  if (nb_param == 1) {
    name_scope model_name(param_names[0], ".tg");
    return end_run(one_tg());
  }
  const run_context &run = this_run();
  // One look decides whether the last parameter is a formula file: a second
  // look that saw another answer would evaluate the formula on the other
  // models alone.
  const bool formula_file = !run.has(OPT_FORMULA) && is_formula_filename(run, param_names[nb_param - 1]);
  if (nb_param == 2) {
    if (run.has(OPT_FORMULA)) {
      on_line_to_file_formula(param_texts[1], form_name);
      return end_run(evaluate_formula_tg(param_names[0], formula_source::given(form_name, param_texts[1])));
    }
    if (formula_file) return end_run(evaluate_formula_tg(param_names[0], formula_named(run, param_names[1])));
  }
  return end_run(run_several(run, formula_file));
}
