// Fuzz target of the composition: a goal (a boolean formula on locations
// and propositions), then 2 to 4 timed graphs, each after a separator line
// "----". The synchronisation tables and the written product are built, the
// product's simulation graph and reachability of the goal are computed on
// the fly (breadth- and depth-first, with -abs lu too), and the goal is
// searched in the written product as a single graph. Letters after the
// first "----": d "-sync diag", e "-sync enum", x "-ax", i "-ai", c "-ac".
// Models over a few locations, transitions and clocks, products over a
// hundred locations and searches over a few dozen states are cut.
//
// Oracle: for a goal made of propositions (other than INIT) and boolean
// connectives, the finished exact searches on the fly and the search of
// the written product under -ax must agree.
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
#include "common/zone/zone_hash.h"
#include "support/engine_reset.h"
#include "support/fuzz_support.h"
#include "support/good_model.h"
#include "varnok/compo_simul.h"
#include "varnok/compo_tables.h"
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
constexpr int CONTROL_LIMIT = 100;
constexpr int NOT_DONE = -1;
const char *const NAMES[] = {"a", "b", "c", "d"};

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz::set_refusal_cleanup(fuzz::reset_engines);
  fuzz::check_good_model();
  return 0;
}

uint32_t sync_options = 0, abstraction = 0;
int nb_models = 0;

// Loads the models as "varnok a b ..." does, with the given options.
void load_models(uint32_t options) {
  fuzz::reset_engines();
  OPT_SET = options | sync_options;
  FORWARD_ANALYSIS = is_option(OPT_FORWARD) ? 1 : 0;
  MAX_SYMB_STATES = STATE_LIMIT;
  MAX_STACK_SIZE = STATE_LIMIT;
  MAX_CONTROL_STATES = CONTROL_LIMIT;
  strcpy(out_f_name, "prod");
  for (int a = 0; a < nb_models; a++) {
    strcpy(param_names[a], NAMES[a]);
    param_texts[a] = NAMES[a];
  }
  nb_param = nb_models;
  if (!init_list(nb_models)) exit(1);
}

tctl_node *read_formula(const char *name) {
  char buf[PARAM_LEN + 1], base[PARAM_LEN + 1];
  snprintf(buf, sizeof buf, "%s", name);
  construct_formula(buf, base);
  return tctl_formula();
}

// The written product (prod.tg and its compiled files); false when refused.
bool write_product() {
  bool ok = fuzz::guarded([] {
    load_models(0);
    compo_list();
  });
  fuzz::reset_engines();
  return ok;
}

// Reachability of r.tctl from i.tctl on the fly: 1, 0 or NOT_DONE.
int reach_on_the_fly(uint32_t options) {
  int found = NOT_DONE;
  fuzz::guarded([&] {
    load_models(options | OPT_REACH | OPT_FORWARD | OPT_INIT);
    tctl_node *init = read_formula("i");
    tctl_node *reach = read_formula("r");
    int r;
    if (is_option(OPT_ABS_LU)) {
      MAX_SYMB_STATES_GIVEN = 1;
      fill_run_context();
      r = lu_reach_product(init, reach);
    } else if (is_option(OPT_DFS)) {
      r = reach_prop_simulation_graph_dfs(init, reach, 0);
    } else {
      r = reach_prop_simulation_graph_bfs(init, reach);
    }
    if (r == 0 || r == 1) found = r;
  });
  fuzz::reset_engines();
  return found;
}

// The simulation graph of the product on the fly, plain and under -abs lu.
void sim_graph_on_the_fly(uint32_t options) {
  fuzz::guarded([&] {
    load_models(options | OPT_FORWARD | OPT_INIT);
    if (is_option(OPT_ABS_LU)) MAX_SYMB_STATES_GIVEN = 1;
    fill_run_context();
    char init[] = "i";
    gen_sim_list(init);
  });
  fuzz::reset_engines();
}

// Reachability of r.tctl from i.tctl in prod.tg as one graph, under -ax.
int reach_written_product() {
  int found = NOT_DONE;
  fuzz::guarded([&] {
    fuzz::reset_engines();
    OPT_SET = OPT_ABS_XTRA | OPT_REACH | OPT_FORWARD | OPT_INIT;
    FORWARD_ANALYSIS = 1;
    MAX_SYMB_STATES = STATE_LIMIT;
    char prod[] = "prod";
    my_basename(prod, ".tg");
    // The text must compile; the search then runs on the compiled files, as
    // a second run does (the forward engine starts a zone hash table of its
    // own, which would orphan the zones that parsed tables share).
    my_unlink(".vnk");
    if (!mk_vnk()) exit(1);
    clear_tg_tables();
    free_zone_table();
    fuzz::age_model("prod");
    if (!mk_vnk()) exit(1);
    init_tg();
    states_region *sets[2];
    const char *files[2] = {"i", "r"};
    for (int k = 0; k < 2; k++) {
      char buf[PARAM_LEN + 1];
      snprintf(buf, sizeof buf, "%s", files[k]);
      construct_formula(buf, buf);
      char again[] = "prod";
      my_basename(again, ".tg");
      set_extra_clocks(tctl_extra_clocks());
      sets[k] = varnok_eval_back(tctl_formula());
      del_extra_clocks_states_region(sets[k], tctl_extra_clocks());
    }
    char again[] = "prod";
    my_basename(again, ".tg");
    init_forward_analysis(0, sets[1]);
    found = reach_prop_sim_graph(sets[0], sets[1]);
    free_states_region(sets[0]);
    free_states_region(sets[1]);
  });
  fuzz::reset_engines();
  return found;
}

// 1 when f is built from propositions other than INIT with and, or, not, impl.
bool location_goal(const tctl_node *f) {
  if (f == nullptr) return false;
  switch (f->kind) {
    case TCTL_PROP: return strcmp(tctl_get_prop(f), "INIT") != 0;
    case TCTL_NOT: return location_goal(tctl_get_not(f));
    case TCTL_AND:
    case TCTL_OR:
    case TCTL_IMPL: return location_goal(f->op[0].f) && location_goal(f->op[1].f);
    default: return false;
  }
}

bool goal_is_location_goal() {
  bool yes = false;
  fuzz::guarded([&] {
    tctl_node *f = read_formula("r");
    yes = location_goal(f);
  });
  fuzz::reset_engines();
  return yes;
}

void check(bool ok, const char *what) {
  if (ok) return;
  fprintf(stderr, "compo_fuzz: %s\n", what);
  abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::good_model_after_input recheck;
  if (size > 4096) return 0;
  std::vector<fuzz::part> parts = fuzz::split_parts(data, size, 5);
  if (parts.size() < 3) return 0;
  std::string goal = parts[0].text;
  while (!goal.empty() && (goal.back() == '\n' || goal.back() == '\r')) goal.pop_back();
  if (goal.empty() || goal.find('\n') != std::string::npos) return 0;
  for (const fuzz::part &p : parts)
    if (!fuzz::small_numbers(p.text, fuzz::MAX_CONSTANT)) return 0;
  const std::string &flags = parts[1].flags;
  sync_options = (flags.find('d') != std::string::npos ? OPT_SYNC_DIAG : 0) |
                 (flags.find('e') != std::string::npos ? OPT_SYNC_ENUM : 0);
  abstraction = flags.find('x') != std::string::npos   ? OPT_ABS_XTRA
                : flags.find('i') != std::string::npos ? OPT_ABS_INCL
                : flags.find('c') != std::string::npos ? OPT_ABS_HULL
                                                       : 0;
  nb_models = static_cast<int>(parts.size()) - 1;
  fuzz::scratch_dir scratch("compo_fuzz");
  fuzz::reset_engines();
  fuzz::write_file("i.tctl", "init\n");
  fuzz::write_file("r.tctl", goal + "\n");
  for (int a = 0; a < nb_models; a++) {
    std::string file = std::string(NAMES[a]) + ".tg";
    fuzz::write_file(file.c_str(), parts[a + 1].text);
    if (!fuzz::compile_small(NAMES[a])) return 0;
  }
  for (int a = 0; a < nb_models; a++) fuzz::age_model(NAMES[a]);
  bool product = write_product();
  int fly = reach_on_the_fly(abstraction);
  int fly_dfs = reach_on_the_fly(abstraction | OPT_DFS);
  int fly_lu = reach_on_the_fly(OPT_ABS_LU);
  sim_graph_on_the_fly(abstraction);
  sim_graph_on_the_fly(OPT_ABS_LU);
  if (product && goal_is_location_goal()) {
    int written = reach_written_product();
    int known = written;
    for (int v : {abstraction == OPT_ABS_HULL ? NOT_DONE : fly, fly_lu}) {
      if (v == NOT_DONE) continue;
      if (known == NOT_DONE) known = v;
      check(v == known, "the on-the-fly search and the written product disagree on reachability");
    }
    (void)fly_dfs;
  }
  fuzz::reset_engines();
  return 0;
}
