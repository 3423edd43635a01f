#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/tctl/tctl_main.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/varnok_init.h"
#include "common/tg/varnok_mk_vnk.h"
#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "common/util/stattime.h"
#include "common/util/suffix.h"
#include "common/zone/zone_hash.h"
#include "varnok/dot_writer.h"
#include "varnok/formula_witness.h"
#include "varnok/lu_drive.h"
#include "varnok/name_warnings.h"
#include "varnok/reachable_part.h"
#include "varnok/stale_results.h"
#include "varnok/simul.h"
#include "varnok/states_reg.h"
#include "varnok/varnok_eval.h"
#include "varnok/varnok_eval_back.h"
#include "varnok/varnok_eval_forw.h"
#include "varnok/run_context.h"
#include "varnok/varnok_formula.h"
#include "varnok/varnok_options.h"
#include "varnok/varnok_single.h"
#include "varnok/varnok_usage.h"
#include "varnok/verdict.h"
#include "varnok/verdict_holds.h"

// The model name as one shell word: unchanged when it holds only harmless
// characters, else single-quoted.
static std::string shell_word(const char *name) {
  bool plain = *name != '\0';
  for (const char *p = name; *p != '\0'; p++)
    if (strchr("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_./-+", *p) == nullptr) plain = false;
  if (plain) return name;
  std::string quoted = "'";
  for (const char *p = name; *p != '\0'; p++) {
    if (*p == '\'') quoted += "'\\''";
    else quoted += *p;
  }
  return quoted + "'";
}

// ---------------------------------------------------------------------------
// Forward analysis of a timed graph alone.

static void lu_gen_sim_graph(states_region *initial);

namespace {

constexpr int TIMER_FORWARD = 5;

// The states of the formula of `source`, its extra clocks projected away.
// The zone module is first given the formula's extra clocks, so that its
// formula clocks exist while it is evaluated.
states_region *eval_state_formula(const formula_source &source, const char *role) {
  construct_formula(source);
  warn_unknown_props(tctl_formula(), role, is_option(OPT_VERDICT) != 0);
  set_extra_clocks(tctl_extra_clocks());
  states_region *p = varnok_eval_back(tctl_formula());
  del_extra_clocks_states_region(p, tctl_extra_clocks());
  return p;
}

// The initial condition of a forward run: the file or text of the
// initial-state options, or "init" written to init_f_name.
formula_source initial_condition(const run_context &run) {
  if (is_option(OPT_INIT)) return formula_named(run, init_f_name);
  on_line_to_file_formula("init", init_f_name);
  return formula_source::given(init_f_name, "init");
}

void forward_one_tg() {
  const run_context &run = this_run();
  // The analysis runs under the model's name taken once more from the first
  // parameter (".tg" stripped again).
  name_scope model_name(param_names[0], ".tg");
  if (is_option(OPT_REACH)) arm_goal_results(reach_f_name, false);
  states_region *initial = eval_state_formula(initial_condition(run), "initial condition");
  states_region *goal = nullptr;
  if (is_option(OPT_REACH) && is_option(OPT_ABS_LU)) {
    goal = eval_state_formula(formula_named(run, reach_f_name), "goal");
    delete_extra_clocks(0);
    printf("%s: begin forward analysis\n", tool);
    time_C(TIMER_FORWARD);
    const int r = lu_reach_one_tg(initial, goal);
    if (r >= -1 && r <= 1) verdict::reachable(r);
  } else if (is_option(OPT_ABS_LU)) {
    delete_extra_clocks(0);
    time_C(TIMER_FORWARD);
    lu_gen_sim_graph(initial);
  } else if (is_option(OPT_REACH)) {
    goal = eval_state_formula(formula_named(run, reach_f_name), "goal");
    init_forward_analysis(0, goal);
    time_C(TIMER_FORWARD);
    varnok_reach_sim_graph(initial, goal);
  } else {
    // The simulation graph has the model's clocks only.
    delete_extra_clocks(0);
    time_C(TIMER_FORWARD);
    varnok_gen_sim_graph(initial);
  }
  time_R(TIMER_FORWARD);
  free_states_region(initial);
  free_states_region(goal);
}

}  // namespace

void varnok_reach_sim_graph(states_region *initial, states_region *goal) {
  printf("%s: Evaluating reachability property... \n", tool);
  if (is_option(OPT_DFS)) {
    int found = reach_prop_sim_graph_dfs(initial, goal);
    verdict::reachable(found);
    if (found == 1) {
      fprintf(stderr, "%s: Reachability: TRUE.\n", tool);
      fprintf(stderr, "%s: %d sample traces generated in _dfs.trace.\n", tool, NB_FOUND_PATHS);
    } else if (found == -1) {
      fprintf(stderr, "%s: Reachability: INCOMPLETE.\n", tool);
    } else {
      printf("%s: Reachability: FALSE.\n", tool);
    }
    fprintf(stderr, "%s: Max stack size attained: %d\n", tool, max_depth_reached);
    if (is_option(OPT_VERBOSE)) {
      FILE *out = open_current_result_or_exit(".sim_dfs", "w");
      printf("%s: generating simulation graph... \n", tool);
      fprint_sim_graph(out);
      close_output(out);
      printf("%s: file %s dumped\n", tool, my_result_path(".sim_dfs").c_str());
    }
  } else if (reach_prop_sim_graph(initial, goal)) {
    verdict::reachable(1);
    printf("%s: Reachability: TRUE.\n", tool);
  } else {
    verdict::reachable(0);
    printf("%s: Reachability: FALSE.\n", tool);
  }
  print_sim_counts();
}

void varnok_gen_sim_graph(states_region *initial) {
  FILE *out = open_current_result_or_exit(".sim", "w");
  printf("%s: generating simulation graph... \n", tool);
  gen_sim_graph(initial);
  printf("%s: simulation graph generated                   \n", tool);
  print_sim_counts();
  fprint_sim_graph(out);
  close_output(out);
  printf("%s: file %s dumped\n", tool, my_result_path(".sim").c_str());
  if (is_option(OPT_DOT)) dot_write_sim_graph(std::string(my_filename) + ".sim.dot");
  print_symb_states_set();
  if (is_option(OPT_HASH_STATS)) print_hash_stats();
}

// The simulation graph under -abs lu, written as the .sim file.
static void lu_gen_sim_graph(states_region *initial) {
  FILE *out = open_current_result_or_exit(".sim", "w");
  printf("%s: generating simulation graph... \n", tool);
  const std::string picture = is_option(OPT_DOT) ? std::string(my_filename) + ".sim.dot" : "";
  const int cut = lu_sim_graph_one_tg(
      initial, out,
      [out] {
        close_output(out);
        printf("%s: file %s dumped\n", tool, my_result_path(".sim").c_str());
      },
      picture);
  // A cut graph is never written as the whole one.
  if (cut < 0) {
    discard_output(out);
    fatal_exit(-1);
  }
}

int one_tg() {
  if (!mk_vnk()) return 0;
  FILE *vnk = my_fopen2(".vnk", "r");
  init_tg();
  if (is_option(OPT_COMPACT)) compact_tg();
  if (is_option(OPT_DOT)) dot_write_tg(std::string(my_filename) + ".dot");
  if (is_option(OPT_TA)) {
    std::string command = "reducto -l " + shell_word(my_filename);
    fflush(stdout);
    int ignored = system(command.c_str());
    (void)ignored;
  }
  if (is_option(OPT_FORWARD)) forward_one_tg();
  fclose(vnk);
  return 1;
}


// ---------------------------------------------------------------------------
// A timed graph and a formula: backward evaluation into the .eval file.

namespace {

constexpr int TIMER_COMPACT = 6;
constexpr int TIMER_TOTAL = 10;

// Loads the model of the current name, compiling it first when its compiled
// files are stale.
void load_model() {
  mk_vnk();
  FILE *vnk = my_fopen2(".vnk", "r");
  init_tg();
  fclose(vnk);
}

// The final compaction of a result, as chosen by -COMPACT.
void compact_result(states_region *result) {
  printf("%s: compacting\n", tool);
  COMPACT_LEN = 1;
  time_C(TIMER_COMPACT);
  if (COMPACT_TYPE == 2)
    compact_hull_diff_states_region(result);
  else
    compact_hull_states_region(result);
  time_R(TIMER_COMPACT);
}

}  // namespace

namespace {

// The base name of file `name` without `suffix`, with the output prefix.
std::string result_base(const char *name, const char *suffix) {
  char copy[MAX_NAME_LEN + 1];
  snprintf(copy, sizeof copy, "%s", name);
  delete_suffix(copy, suffix);
  return result_path(copy);
}

const char *const WITNESS_FILES[] = {"_path.reach", "_trace.reach", "_run.reach", "_run.dot", "_run.svg"};

}  // namespace

void arm_formula_results(const char *formula_base) {
  const std::string base = result_path(formula_base);
  stale_results_arm({base + ".eval", base + ".log"});
  std::vector<std::string> witness;
  if (is_option(OPT_FORWARD | OPT_RUN))
    for (const char *w : WITNESS_FILES) witness.push_back(result_path(w));
  stale_results_arm_witness(witness);
}

void arm_goal_results(const char *goal, bool network) {
  std::vector<std::string> files = {result_path("_run.reach"), result_path("_run.dot"), result_path("_run.svg")};
  if (network) {
    files.push_back(result_base(goal, ".tctl") + ".trace");
  } else {
    files.push_back(result_path("_path.reach"));
    files.push_back(result_path("_trace.reach"));
    files.push_back(result_path("_dfs.trace"));
  }
  stale_results_arm_witness(files);
}

int evaluate_formula_tg(char *model, char *formula) {
  return evaluate_formula_tg(model, formula_named(this_run(), formula));
}

int evaluate_formula_tg(char *model, const formula_source &formula) {
  arm_formula_results(formula.base.c_str());
  construct_formula(formula);
  if (is_option(OPT_INIT | OPT_REACH)) printf("%s: options -init (-INIT) and -reach (-REACH) are ignored\n", tool);
  name_scope model_name(model, ".tg");
  load_model();
  warn_unknown_props(tctl_formula(), "formula", is_option(OPT_VERDICT) != 0);
  if (!this_run().has(OPT_REACHABLE)) return evaluate_loaded_formula(formula, model, nullptr);
  refuse_reachable_conflicts(false);
  const reach::part part = reach::single_graph_part(this_run().has(OPT_INV));
  reach::print_part(part, std::to_string(N_OF_STATES));
  return evaluate_loaded_formula(formula, model, nullptr, &part);
}

void refuse_reachable_conflicts(bool product) {
  const run_context &run = this_run();
  // -FORW n also asks for the forward analysis: it is named first.
  if (run.max_symb_states_given)
    fatal(stdout, 1, "%s: -reachable explores the whole reachable part: it does not go with -FORW\n", tool);
  if (run.has(OPT_FORWARD))
    fatal(stdout, 1, "%s: -reachable decides a formula backwards: it does not go with -forw\n", tool);
  // Activity resets clocks that the forward search keeps.
  if (product && run.has(OPT_ACTIVITY))
    fatal(stdout, 1, "%s: -reachable does not go with -Act\n", tool);
}

int evaluate_loaded_formula(const formula_source &formula, char *model, void (*note)(FILE *, int),
                            const reach::part *inside) {
  const char *base = formula.base.c_str();
  if (is_option(OPT_HISTORY)) {
    name_scope results(formula.base);
    history_file = open_current_result_or_exit(".log", "w");
    setbuf(history_file, nullptr);
  }
  printf("%s: begin evaluation of %s\n", tool, formula.shown().c_str());
  time_C(TIMER_TOTAL);
  if (model != nullptr) delete_suffix(model, ".tg");
  name_scope evaluated(model != nullptr ? std::string(model) : formula.base);
  if (is_option(OPT_VERDICT) && is_option(OPT_FORWARD)) verdict::decide_formula_backwards(tctl_formula());
  states_region *result;
  {
    // On the reachable part only the set matters, not how it splits.
    whole_zone_frontiers whole(inside != nullptr);
    result = varnok_eval(tctl_formula());
  }
  if (inside != nullptr) reach::keep_inside(result, *inside);
  verdict::stat("locations", N_OF_STATES);
  if (is_option(OPT_VERDICT) && !is_option(OPT_FORWARD)) verdict::holds(verdict::initial_states_inside(result));
  printf("%s: end evaluation of %s\n", tool, formula.shown().c_str());
  compact_result(result);
  time_R(TIMER_TOTAL);
  // The answer exists: from here on a failed write keeps the earlier files
  // whole (the writers replace a file only once its new contents are).
  stale_results_keep();
  if (is_option(OPT_HISTORY)) {
    close_output(history_file);
    printf("%s: file %s created\n", tool, result_path((std::string(base) + ".log").c_str()).c_str());
    history_file = nullptr;
  }
  if (!is_option(OPT_FORWARD)) print_result(result, base, note);
  const run_context &run = this_run();
  if (run.has(OPT_RUN) && !run.has(OPT_FORWARD))
    formula_witness(run, tctl_formula(), verdict::initial_states_inside(result) != 0);
  print_computation_times();
  free_states_region(result);
  return 1;
}

void print_result(states_region *result, const char *base) { print_result(result, base, nullptr); }

void print_result(states_region *result, const char *base, void (*note)(FILE *, int)) {
  name_scope results(base);
  const std::string name = my_result_path(".eval");
  FILE *out = open_output_or_exit(name.c_str(), "w", 1);
  print_hide_states_region3(result, out, note);
  close_output(out);
  printf("%s: file %s created\n", tool, name.c_str());
}
