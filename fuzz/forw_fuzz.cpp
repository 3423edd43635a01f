// Fuzz target of the forward engine: a timed graph, a separator line "----"
// and a goal (a state formula). From the initial states, reachability of
// the goal is searched breadth-first without abstraction, with -ai, -ac,
// -ax and -abs lu, and depth-first with -ax and -abs lu; the simulation
// graph is built plainly and under -abs lu; letter f after "----" adds the
// forward evaluator on "ED (goal)" and "AB not (goal)". Searches stop at a
// few dozen symbolic states.
//
// Oracle: the exact searches (none, -ai, -ax, -abs lu) that finish must
// agree on a model and goal without diagonal constraints, and -ac (an
// over-approximation) may not miss a reachable goal.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/tctl/tctl_main.h"
#include "common/tg/tg_global.h"
#include "common/tg/varnok_init.h"
#include "common/tg/varnok_mk_vnk.h"
#include "common/util/my_files.h"
#include "support/engine_reset.h"
#include "support/fuzz_support.h"
#include "support/good_model.h"
#include "varnok/lu_model.h"
#include "varnok/lu_drive.h"
#include "varnok/run_context.h"
#include "varnok/simul.h"
#include "varnok/states_reg.h"
#include "varnok/varnok_eval_back.h"
#include "varnok/varnok_main.h"
#include "varnok/varnok_options.h"
#include "varnok/varnok_runs.h"

const char *tool = "varnok";

namespace {

constexpr int STATE_LIMIT = 40;
constexpr int NOT_DONE = -1;

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz::set_refusal_cleanup(fuzz::reset_engines);
  fuzz::check_good_model();
  return 0;
}

void restore_model_name() {
  char m[] = "m";
  my_basename(m, ".tg");
}

// The states of the formula file name.tctl for the loaded graph, its extra
// clocks projected away (as the model checker's forward runs do).
states_region *state_formula(const char *name) {
  char buf[PARAM_LEN + 1];
  snprintf(buf, sizeof buf, "%s", name);
  construct_formula(buf, buf);
  restore_model_name();
  set_extra_clocks(tctl_extra_clocks());
  states_region *p = varnok_eval_back(tctl_formula());
  del_extra_clocks_states_region(p, tctl_extra_clocks());
  return p;
}

void load_model(uint32_t options) {
  fuzz::reset_engines();
  OPT_SET = options | OPT_FORWARD | OPT_INIT;
  FORWARD_ANALYSIS = 1;
  MAX_SYMB_STATES = STATE_LIMIT;
  MAX_STACK_SIZE = STATE_LIMIT;
  restore_model_name();
  if (!mk_vnk()) exit(1);
  init_tg();
}

struct verdict {
  int found = NOT_DONE;
  bool diagonal_free = false;
};

// Reachability of r.tctl from i.tctl with the given options: 1, 0, or
// NOT_DONE when the search was cut or refused.
verdict reach_with(uint32_t options) {
  verdict v;
  fuzz::guarded([&] {
    load_model(options | OPT_REACH);
    states_region *init = state_formula("i");
    states_region *goal = state_formula("r");
    restore_model_name();
    int found;
    if (is_option(OPT_ABS_LU)) {
      MAX_SYMB_STATES_GIVEN = 1;
      fill_run_context();
      delete_extra_clocks(0);
      v.diagonal_free = lu::model::single(goal).extrapolates();
      found = lu_reach_one_tg(init, goal);
    } else {
      init_forward_analysis(0, goal);
      found = is_option(OPT_DFS) ? reach_prop_sim_graph_dfs(init, goal) : reach_prop_sim_graph(init, goal);
    }
    if (found == 0 || found == 1) v.found = found;
    free_states_region(init);
    free_states_region(goal);
  });
  fuzz::reset_engines();
  return v;
}

// The simulation graph from i.tctl, plain or under -abs lu.
void sim_graph(uint32_t options) {
  fuzz::guarded([&] {
    load_model(options);
    states_region *init = state_formula("i");
    restore_model_name();
    delete_extra_clocks(0);
    if (is_option(OPT_ABS_LU)) {
      MAX_SYMB_STATES_GIVEN = 1;
      fill_run_context();
      FILE *out = my_fopen2(".sim", "w");
      lu_sim_graph_one_tg(init, out);
      fclose(out);
    } else {
      varnok_gen_sim_graph(init);
    }
    free_states_region(init);
  });
  fuzz::reset_engines();
}

// The forward evaluator on the formula file e.tctl.
void eval_forward() {
  fuzz::guarded([&] {
    fuzz::reset_engines();
    OPT_SET = OPT_FORWARD;
    FORWARD_ANALYSIS = 1;
    MAX_SYMB_STATES = STATE_LIMIT;
    char m[] = "m", e[] = "e";
    evaluate_formula_tg(m, e);
  });
  fuzz::reset_engines();
}

void check(bool ok, const char *what) {
  if (ok) return;
  fprintf(stderr, "forw_fuzz: %s\n", what);
  abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::good_model_after_input recheck;
  if (size > 4096) return 0;
  std::vector<fuzz::part> parts = fuzz::split_parts(data, size, 2);
  if (parts.size() != 2) return 0;
  std::string goal = parts[1].text;
  while (!goal.empty() && (goal.back() == '\n' || goal.back() == '\r')) goal.pop_back();
  if (goal.empty() || goal.find('\n') != std::string::npos) return 0;
  if (!fuzz::small_numbers(parts[0].text, fuzz::MAX_CONSTANT) || !fuzz::small_numbers(goal, fuzz::MAX_CONSTANT))
    return 0;
  fuzz::scratch_dir scratch("forw_fuzz");
  fuzz::reset_engines();
  fuzz::write_file("m.tg", parts[0].text);
  fuzz::write_file("i.tctl", "init\n");
  fuzz::write_file("r.tctl", goal + "\n");
  if (fuzz::compile_small("m")) {
    fuzz::age_model("m");
    verdict exact = reach_with(0), incl = reach_with(OPT_ABS_INCL), xtra = reach_with(OPT_ABS_XTRA);
    verdict lu_bfs = reach_with(OPT_ABS_LU), lu_dfs = reach_with(OPT_ABS_LU | OPT_DFS);
    verdict hull = reach_with(OPT_ABS_HULL);
    reach_with(OPT_ABS_XTRA | OPT_DFS);
    sim_graph(0);
    sim_graph(OPT_ABS_LU);
    if (lu_bfs.diagonal_free) {
      int known = NOT_DONE;
      for (const verdict &v : {exact, incl, xtra, lu_bfs, lu_dfs}) {
        if (v.found == NOT_DONE) continue;
        if (known == NOT_DONE) known = v.found;
        check(v.found == known, "exact searches disagree on reachability");
      }
      check(!(hull.found == 0 && known == 1), "-ac misses a reachable goal");
    }
    if (parts[1].flags.find('f') != std::string::npos) {
      fuzz::write_file("e.tctl", "ED (" + goal + ")\n");
      eval_forward();
      fuzz::write_file("e.tctl", "AB not (" + goal + ")\n");
      eval_forward();
    }
  }
  fuzz::reset_engines();
  return 0;
}
