// Runs with several timed graphs: loading them, their product graph, the
// simulation graph of their product and reachability in it.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/tg/tg_constants.h"
#include "common/tg/varnok_init.h"
#include "common/tg/varnok_mk_vnk.h"
#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "common/util/same_file.h"
#include "common/zone/zone.h"
#include "common/tctl/tctl_main.h"
#include "common/util/stattime.h"
#include "common/util/suffix.h"
#include "common/zone/zone_hash.h"
#include "varnok/compo_ptg.h"
#include "varnok/compo_runs.h"
#include "varnok/compo_simul.h"
#include "varnok/dot_writer.h"
#include "varnok/lu_drive.h"
#include "varnok/name_warnings.h"
#include "varnok/reachable_part.h"
#include "varnok/simul.h"
#include "varnok/tables_view.h"
#include "varnok/compo_sync.h"
#include "varnok/compo_tables.h"
#include "varnok/run_context.h"
#include "varnok/varnok_eval.h"
#include "varnok/varnok_formula.h"
#include "varnok/varnok_multiple.h"
#include "varnok/varnok_options.h"
#include "varnok/varnok_single.h"
#include "varnok/verdict.h"

int init_list(int nb) {
  if (nb > MAX_NB_TA) fatal(stderr, -1, "%s: ERROR: too many automata (at most %d)\n", tool, MAX_NB_TA);
  init_compo_tables(nb);
  TA_decl_init_Varnok_globals();
  for (int a = 0; a < nb; a++) {
    char name[PARAM_LEN + 1];
    snprintf(name, sizeof name, "%s", param_names[a]);
    my_basename(name, ".tg");
    reset_Varnok_globals();
    if (!mk_vnk()) return 0;
    READ_STRUCT = 1;
    init_TA(a, 0);
  }
  TA_init_Varnok_globals();
  TA_UNIVERSAL = mk_universal_zone();
  build_global_label_tables();
  warn_unmatched_sync_labels(is_option(OPT_VERDICT) != 0);
  return 1;
}

// name without its ".tg", if it has one.
static std::string without_tg(const char *name) {
  std::string s = name;
  if (s.size() >= 3 && s.compare(s.size() - 3, 3, ".tg") == 0) s.resize(s.size() - 3);
  return s;
}

void refuse_product_over_models(int nb) {
  static const char *const kinds[] = {".tg", ".vnk", ".lab", ".prop", ".reg"};
  const std::string product = result_path(without_tg(out_f_name).c_str());
  for (int a = 0; a < nb; a++) {
    const std::string model = without_tg(param_names[a]);
    for (const char *p : kinds)
      for (const char *m : kinds) {
        const std::string pf = product + p, mf = model + m;
        if (!same_file(pf.c_str(), mf.c_str())) continue;
        fatal(stderr, -1, "%s: the product cannot be written as %s: it is the file %s of model %s\n", tool, pf.c_str(),
              mf.c_str(), model.c_str());
      }
  }
}

int compo_list() {
  fprintf(stderr, "Generating parallel product graph...\n");
  gen_parallel_product_graph();
  char name[PARAM_LEN + 1];
  snprintf(name, sizeof name, "%s", out_f_name);
  delete_suffix(name, ".tg");
  const std::string plain = name;
  // The product and its compiled files are results of this run: they take
  // the output prefix.
  char path[2 * PARAM_LEN + 2];
  snprintf(path, sizeof path, "%s", result_path(name).c_str());
  name_scope product(path, ".tg");
  if (is_option(OPT_VERBOSE)) fprintf(stderr, "\n");
  fprintf(stderr, "Dumping output... ");
  build_vnk_tables();
  // The text first, then the compiled files, the .vnk last: an interrupted
  // run never leaves compiled files that a later run would take for those
  // of the text beside them.
  FILE *tg = open_current_output_or_exit(".tg", "w");
  fprint_parallel_product_graph(tg);
  int text = finish_output(tg);
  my_unlink(".vnk");
  commit_output(text);
  print_vnk_file();
  fprintf(stderr, "files %s.[tg,vnk,lab,prop,reg] created.\n", my_filename);
  if (is_option(OPT_DOT)) dot_write_tg(plain + ".dot");
  return 1;
}

// ---------------------------------------------------------------------------
// A formula on several graphs: evaluated backwards on their product, built in
// memory as the written product would be.

namespace {

// Location vector of product location s.
std::vector<int32_t> product_vector(int s) {
  std::vector<int32_t> v(static_cast<size_t>(N_OF_TA));
  TA_decode_state_vector(state_set[static_cast<size_t>(s)]->code, v.data(), N_OF_TA);
  return v;
}

bool every_automaton_at(int s, int n) {
  for (int32_t l : product_vector(s))
    if (l != n) return false;
  return true;
}

// "\t/* vector state: < 1, 0 > */" after a location's opening line in .eval.
void note_vector(FILE *f, int s) {
  fputs("\t/* vector state: < ", f);
  fprint_location_vector_no_cr(f, product_vector(s).data(), N_OF_TA);
  fputs(" > */", f);
}

}  // namespace

int evaluate_formula_list(int nb, char *formula) {
  return evaluate_formula_list(nb, formula_named(this_run(), formula));
}

int evaluate_formula_list(int nb, const formula_source &formula) {
  arm_formula_results(formula.base.c_str());
  construct_formula(formula);
  // Loading the models resets the formula's extra clocks.
  const int extra = tctl_extra_clocks();
  if (is_option(OPT_INIT | OPT_REACH)) printf("%s: options -init (-INIT) and -reach (-REACH) are ignored\n", tool);
  if (!init_list(nb)) return 0;
  warn_unknown_props_network(tctl_formula(), "formula", is_option(OPT_VERDICT) != 0);
  if (!MAX_CONTROL_STATES_GIVEN) MAX_CONTROL_STATES = INT_MAX;
  const bool reachable = this_run().has(OPT_REACHABLE);
  reach::part part;
  if (reachable) {
    refuse_reachable_conflicts(true);
    fprintf(stderr, "Generating the reachable part with LU bounds and inclusion...\n");
    part = reach::product_part(this_run().has(OPT_INV));
    fprintf(stderr, "Generating the product of the reachable part...\n");
    reach::build_restricted_product(part);
  } else {
    fprintf(stderr, "Generating parallel product graph...\n");
    gen_parallel_product_graph();
    build_vnk_tables();
  }
  props_labels_in_memory();
  printf("%s: product of %d automata: %d locations, %d transitions\n", tool, nb, N_OF_STATES, N_OF_TRANS);
  if (reachable) reach::print_part(part, reach::composed_locations());
  N_OF_EXTRA_CLOCKS = static_cast<uint16_t>(extra);
  fit_tables_to_formula();
  state_atom_holds = every_automaton_at;
  return evaluate_loaded_formula(formula, nullptr, note_vector, reachable ? &part : nullptr);
}

// Parses the formula file `name` (writing "init" into it first when no
// initial-state option was given and `init` is set); returns the formula,
// its base name in `base`.
static tctl_node *read_formula(const run_context &run, char *name, bool init, std::string &base) {
  formula_source source;
  if (init && !is_option(OPT_INIT)) {
    on_line_to_file_formula("init", name);
    source = formula_source::given(name, "init");
  } else {
    source = formula_named(run, name);
  }
  construct_formula(source);
  warn_unknown_props_network(tctl_formula(), init ? "initial condition" : "goal", is_option(OPT_VERDICT) != 0);
  base = source.base;
  return tctl_formula();
}

// The product's base name from -out (".tg" stripped).
static std::string product_name() {
  char name[PARAM_LEN + 1];
  snprintf(name, sizeof name, "%s", out_f_name);
  delete_suffix(name, ".tg");
  return name;
}

// Under -dot, after a search of the network (reachability, simulation
// graph): the picture of each of its timed graphs, MODEL.dot, as its
// clocks are named there.
static void draw_network_graphs(const run_context &run) {
  const lu::tables_view view = lu::tables_view::product();
  for (int a = 0; a < view.nb_automata(); a++) {
    dot_write_automaton(without_tg(run.params[static_cast<size_t>(a)].c_str()) + ".dot", view, a);
  }
}

// The simulation graph of the product under -abs lu.
static int lu_gen_sim_list(const run_context &run, char *init_name) {
  std::string init_base;
  tctl_node *init = read_formula(run, init_name, true, init_base);
  name_scope product(product_name());
  FILE *sim = open_current_result_or_exit(".sim", "w");
  fprintf(stderr, "Generating simulation graph with LU bounds and inclusion...\n");
  time_C(9);
  const std::string picture = is_option(OPT_DOT) ? std::string(my_filename) + ".sim.dot" : "";
  const int cut = lu_sim_graph_product(
      init, sim,
      [sim] {
        time_R(9);
        close_output(sim);
        fprintf(stderr, "file %s created.\n", my_result_path(".sim").c_str());
      },
      picture);
  // A cut graph is never written as the whole one.
  if (cut < 0) {
    discard_output(sim);
    fatal_exit(-1);
  }
  if (run.has(OPT_DOT)) draw_network_graphs(run);
  TA_print_computation_times();
  return 1;
}

int gen_sim_list(char *init_name) {
  const run_context &run = this_run();
  if (is_option(OPT_ABS_LU)) return lu_gen_sim_list(run, init_name);
  init_zone_hashing(simul_hash_size());
  std::string init_base;
  tctl_node *init = read_formula(run, init_name, true, init_base);
  {
    // The graph is built under the initial condition's name.
    name_scope search(init_base);
    fprintf(stderr, "Generating simulation graph...\n");
    time_C(9);
    if (gen_simulation_graph(init) == 0) return 0;
    time_R(9);
    verdict::stat("states_stored", nb_symb_states);
    verdict::stat("transitions", nb_sim_trans);
  }
  name_scope product(product_name());
  FILE *sim = open_current_result_or_exit(".sim", "w");
  if (is_option(OPT_VERBOSE)) fprintf(stderr, "\n");
  fprintf(stderr, "Dumping output... ");
  fprint_simulation_graph(sim);
  close_output(sim);
  fprintf(stderr, "file %s created.\n", my_result_path(".sim").c_str());
  if (is_option(OPT_DOT)) {
    dot_write_product_sim_graph(std::string(my_filename) + ".sim.dot");
    draw_network_graphs(run);
  }
  TA_print_computation_times();
  return 1;
}

// The lines of a breadth-first search that reached its goal at depth
// max_depth_reached, then (under -run) the run it found.
static void report_bfs_success(const run_context &run) {
  fprintf(stderr, "%s: Reachability successful at depth %d.\n", tool, max_depth_reached);
  if (max_depth_reached >= 2)
    fprintf(stderr, "%s: Please re-run using DFS (options -FULLDFS -STACK %d) to get a (shortest) counter-trace.\n",
            tool, max_depth_reached);
  else
    fprintf(stderr, "%s: Initial states satisfy reachability formula.\n", tool);
  if (run.has(OPT_RUN)) print_bfs_run_product();
}

static void report_reach_failure_limit(bool dfs) {
  fprintf(stderr, "Reachability failed. Warning: part of state space explored.\n");
  if (dfs)
    fprintf(stderr, "%d symbolic states generated. DFS limited at depth %d.\n", nb_symb_states, max_depth_reached);
  else
    fprintf(stderr, "BFS limited at MAX_SYMB_STATES = %d.\n", MAX_SYMB_STATES);
  fprintf(stderr, "Hint: use the '-abs' option for abstractions,\n");
  fprintf(stderr, "\tor use the '-%s n' option to set the search limit.\n", dfs ? "STACK" : "FORW");
}

// Reachability in the product under -abs lu.
static int lu_reach_list(const run_context &run, char *init_name, char *reach_name, bool dfs) {
  fprintf(stderr, "Using %s search with LU bounds and inclusion, ", dfs ? "depth-first" : "breadth-first");
  if (MAX_SYMB_STATES_GIVEN) fprintf(stderr, "at most %d symbolic states\n", MAX_SYMB_STATES);
  else fprintf(stderr, "no limit on symbolic states\n");
  std::string init_base, reach_base;
  tctl_node *init = read_formula(run, init_name, true, init_base);
  tctl_node *reach = read_formula(run, reach_name, false, reach_base);
  // The search and its traces run under the goal's name.
  name_scope search(reach_base);
  time_C(9);
  int result = lu_reach_product(init, reach);
  time_R(9);
  if (result >= -1 && result <= 1) verdict::reachable(result);
  if (result >= -1 && run.has(OPT_DOT)) draw_network_graphs(run);
  return result == -2 ? 0 : 1;
}

int init_reach_list(char *init_name, char *reach_name) {
  const run_context &run = this_run();
  arm_goal_results(reach_name, true);
  fprintf(stderr, "Evaluating reachability: ");
  fprintf(stderr, "%s and ed %s \n", init_name, reach_name);
  bool dfs = is_option(OPT_DFS) != 0;
  if (is_option(OPT_ABS_LU)) return lu_reach_list(run, init_name, reach_name, dfs);
  if (dfs) {
    fprintf(stderr, "Using depth-first search with max stack depth: %d\n", MAX_STACK_SIZE);
  } else {
    fprintf(stderr, "Using breadth-first search with max symbolic-states ");
    fprintf(stderr, "set size: %d\n", MAX_SYMB_STATES);
  }
  std::string init_base, reach_base;
  tctl_node *init = read_formula(run, init_name, true, init_base);
  tctl_node *reach = read_formula(run, reach_name, false, reach_base);
  // The search and its traces run under the goal's name.
  name_scope search(reach_base);
  int result = dfs ? reach_prop_simulation_graph_dfs(init, reach, is_option(OPT_FULLDFS) != 0)
                   : reach_prop_simulation_graph_bfs(init, reach, run.has(OPT_RUN));
  if (result >= -1 && result <= 1) verdict::reachable(result);
  verdict::stat("states_stored", nb_symb_states);
  if (result == 1 && !dfs) report_bfs_success(run);
  if (result >= -1 && result <= 1 && run.has(OPT_DOT)) draw_network_graphs(run);
  switch (result) {
    case 1:
      if (dfs) {
        if (is_option(OPT_VERBOSE)) fprintf(stderr, "\n");
        fprintf(stderr, "%s: Reachability successful. Sample-trace length: %d\n", tool, stack_depth);
      }
      return 1;
    case 0:
      fprintf(stderr, "Reachability failed.\n");
      fprintf(stderr, "Full state space explored: %d states. ", nb_symb_states);
      fprintf(stderr, "Max depth reached: %d\n", max_depth_reached);
      return 1;
    case -1: report_reach_failure_limit(dfs); return 1;
    default: fprintf(stderr, "Warning: unknown result. Cannot conclude !\n"); return 0;
  }
}
