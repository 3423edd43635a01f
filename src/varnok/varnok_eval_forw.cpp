#include "varnok/varnok_eval_forw.h"

#include <cstdio>
#include <cstdlib>

#include "common/tctl/tctl_syntax.h"
#include "common/tg/tg_global.h"
#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "common/util/stattime.h"
#include "varnok/lu_drive.h"
#include "varnok/run_context.h"
#include "varnok/simul.h"
#include "varnok/varnok_eval.h"
#include "varnok/varnok_eval_back.h"
#include "varnok/varnok_options.h"
#include "varnok/verdict.h"

namespace {

constexpr int TIMER_FORWARD = 5;

[[noreturn]] void simplify_true() { fatal(stderr, 1, "ERROR: please simplify \"TRUE\" atoms in formulas\n"); }

[[noreturn]] void cannot_apply() { fatal(stdout, 1, "%s: Can not apply forward analysis\n", tool); }

[[noreturn]] void cannot_apply_kind() { fatal(stderr, 1, "ERROR: can not apply forward analysis\n"); }

void check_operand(const tctl_node *f) {
  if (f == nullptr) simplify_true();
}

states_region *sat(tctl_node *f) { return varnok_eval_back(f); }

// B(kind, c) on the formula clock z.
states_region *bound(int kind, int c) { return varnok_mk_bound(varnok_formula_clock(), kind, c); }

// B(lower) ∩ B(upper).
states_region *interval(int k1, int c1, int k2, int c2) { return varnok_intersection(bound(k1, c1), bound(k2, c2)); }

// init ∩ Z0: the formula clock starts at 0.
states_region *start_z(states_region *init) { return varnok_intersection(init, bound(TCTL_BOUND_LE, 0)); }

// The extra clocks dropped from a table: all of them, or all but z.
int all_extra() { return tctl_extra_clocks(); }
int all_but_z() { return tctl_extra_clocks() - 1; }

void drop(states_region *p, int n) { del_extra_clocks_states_region(p, n); }

// The search under timer 5, then the counts.
template <typename Search>
int timed_search(Search search) {
  time_C(TIMER_FORWARD);
  int r = search();
  time_R(TIMER_FORWARD);
  print_sim_counts();
  return r;
}

// Sets up the forward analysis keeping k extra clocks; under "-abs xtra" the
// extrapolation also keeps the constants of the condition.
void start_search(const run_context &run, int k, states_region *goal, states_region *cond) {
  init_forward_analysis(k, goal);
  if (cond != nullptr && run.has(OPT_ABS_XTRA)) add_approx_constants(cond);
}

// The verdict of a search for bad states: init when none was found, else its
// complement.
states_region *stated_verdict(int found, states_region *init, const char *what, int holds_when_found) {
  int holds = holds_when_found ? found : !found;
  printf("%s: %s *** %s ***\n", tool, what, holds ? "TRUE" : "FALSE");
  return holds ? init : varnok_neg(init);
}

// Where the condition of a conditional search is not convex at some
// location, time passing in it is not one zone and the search cannot follow
// it; the verdict is then the backward evaluator's, which is exact: the
// path formula g holds from some initial state (exists, holds_when_found
// 1) or from every one (for all). Prints the verdict line as the search
// would, after a line saying why. Takes init and cond over.
states_region *backward_verdict(states_region *init, tctl_node *g, const char *what, int holds_when_found) {
  states_region *sat_g = sat(g);
  int found;
  if (holds_when_found) {
    states_region *both = varnok_intersection(assign_states_region(init), sat_g);
    found = is_not_empty_states_region(both);
    free_states_region(both);
  } else {
    found = !is_included_states_region(init, sat_g);
    free_states_region(sat_g);
  }
  return stated_verdict(found, init, what, holds_when_found);
}

states_region *decided_backwards(states_region *init, states_region *cond, tctl_node *g, const char *what,
                                 int holds_when_found) {
  const int l = first_non_convex_location(cond);
  free_states_region(cond);
  fprintf(stderr, "%s: location %d: the condition is not convex; the formula is decided backwards\n", tool, l);
  return backward_verdict(init, g, what, holds_when_found);
}

// Under -abs lu only plain reachability (ED) and invariance (AB) are
// searched forwards, where the LU zone graph is exact; a formula of another
// shape (a time bound, a condition to stay in) is decided by the backward
// evaluator, which is exact, and the run says so.
states_region *lu_decided_backwards(states_region *init, tctl_node *g, const char *what, int holds_when_found) {
  fprintf(stderr, "%s: -abs lu searches reachability (ED) and invariance (AB) forwards; this formula is decided backwards\n",
          tool);
  return backward_verdict(init, g, what, holds_when_found);
}

// The LU search of goal from init (both on the model's clocks): 1 found, 0
// not. A search stopped by -FORW leaves the answer to the backward
// evaluator of g: -1.
int lu_found(const run_context &run, states_region *init, states_region *goal) {
  printf("%s: begin forward analysis\n", tool);
  delete_extra_clocks(0);
  time_C(TIMER_FORWARD);
  const int r = lu_search_one_tg(init, goal);
  time_R(TIMER_FORWARD);
  if (r < 0)
    fprintf(stderr, "%s: -abs lu search stopped at -FORW %d states; the formula is decided backwards\n", tool,
            run.max_symb_states);
  return r;
}

}  // namespace

namespace {

// ED under -abs lu: init and goal (with the formula's extra clocks) are
// searched on the model's clocks; returns the goal table.
states_region *lu_reach_verdict(const run_context &run, states_region *init, states_region *goal, tctl_node *g) {
  states_region *kept = assign_states_region(init);
  drop(goal, all_extra());
  drop(init, all_extra());
  const int r = lu_found(run, init, goal);
  free_states_region(init);
  if (r < 0) {
    free_states_region(goal);
    return backward_verdict(kept, g, "Reachability", 1);
  }
  free_states_region(kept);
  printf("%s: Reachability *** %s ***\n", tool, r == 1 ? "TRUE" : "FALSE");
  return goal;
}

// AB under -abs lu: the states outside the operand's table q are searched;
// returns q.
states_region *lu_invar_verdict(const run_context &run, states_region *init, states_region *q, tctl_node *g) {
  states_region *kept = assign_states_region(init);
  states_region *bad = varnok_neg(assign_states_region(q));
  drop(bad, all_extra());
  drop(init, all_extra());
  const int r = lu_found(run, init, bad);
  free_states_region(init);
  free_states_region(bad);
  if (r < 0) {
    free_states_region(q);
    return backward_verdict(kept, g, "Invariance", 0);
  }
  free_states_region(kept);
  printf("%s: Invariance *** %s ***\n", tool, r == 0 ? "TRUE" : "FALSE");
  drop(q, all_extra());
  return q;
}

}  // namespace

void print_sim_counts() {
  verdict::stat("states_stored", N_OF_SIM_STATES);
  verdict::stat("transitions", N_OF_SIM_TRANS);
  printf("%s: %d simulation states generated\n", tool, N_OF_SIM_STATES);
  printf("%s: %d simulation transitions generated\n", tool, N_OF_SIM_TRANS);
}

states_region *varnok_eval_forw(tctl_node *f) { return varnok_eval_forw(f, run_context_now()); }

states_region *varnok_eval_forw(tctl_node *f, const run_context &run) {
  if (f == nullptr) simplify_true();
  if (f->kind == TCTL_AND || f->kind == TCTL_IMPL) {
    int conj = f->kind == TCTL_AND;
    states_region *init = sat(conj ? tctl_get_and_1(f) : tctl_get_impl_1(f));
    tctl_node *g = conj ? tctl_get_and_2(f) : tctl_get_impl_2(f);
    int kind = g == nullptr ? -1 : g->kind;
    if (conj && (kind == TCTL_EU || kind == TCTL_EUB || kind == TCTL_EUI)) return varnok_exist_until_forw(init, g, run);
    if (conj && (kind == TCTL_ED || kind == TCTL_EDB || kind == TCTL_EDI))
      return varnok_true_exist_until_forw(init, g, run);
    if (!conj && kind == TCTL_AUB) return varnok_for_all_until_forw(init, g, run);
    if (!conj && (kind == TCTL_ADB || kind == TCTL_ADI)) return varnok_true_for_all_until_forw(init, g, run);
    if (!conj && kind == TCTL_AB) return varnok_invar_forw(init, g, run);
    free_states_region(init);
    cannot_apply();
  }
  switch (f->kind) {
    case TCTL_EU:
    case TCTL_EUB: return varnok_exist_until_forw(varnok_mk_init_state(tctl_extra_clocks()), f, run);
    case TCTL_ED:
    case TCTL_EDB: return varnok_true_exist_until_forw(varnok_mk_init_state(tctl_extra_clocks()), f, run);
    case TCTL_AB: return varnok_invar_forw(varnok_mk_init_state(tctl_extra_clocks()), f, run);
    default: cannot_apply();
  }
}

states_region *varnok_true_exist_until_forw(states_region *init, tctl_node *g, const run_context &run) {
  states_region *goal;
  if (run.has(OPT_ABS_LU) && (g->kind != TCTL_ED || tctl_extra_clocks() != 0))
    return lu_decided_backwards(init, g, "Reachability", 1);
  switch (g->kind) {
    case TCTL_ED:
      check_operand(tctl_get_ED_1(g));
      goal = sat(tctl_get_ED_1(g));
      if (run.has(OPT_ABS_LU)) return lu_reach_verdict(run, init, goal, g);
      drop(goal, all_extra());
      drop(init, all_extra());
      init_forward_analysis(0, goal);
      break;
    case TCTL_EDB:
      check_operand(tctl_get_EDB_1(g));
      goal = varnok_intersection(sat(tctl_get_EDB_1(g)), bound(tctl_get_EDB_bound(g), tctl_get_EDB_constant(g)));
      init = start_z(init);
      drop(goal, all_but_z());
      drop(init, all_but_z());
      init_forward_analysis(1, goal);
      break;
    case TCTL_EDI:
      check_operand(tctl_get_EDI_1(g));
      goal = varnok_intersection(sat(tctl_get_EDI_1(g)),
                                 interval(tctl_get_EDI_bound1(g), tctl_get_EDI_constant1(g), tctl_get_EDI_bound2(g),
                                          tctl_get_EDI_constant2(g)));
      init = start_z(init);
      drop(goal, all_but_z());
      drop(init, all_but_z());
      init_forward_analysis(1, goal);
      break;
    default: cannot_apply_kind();
  }
  int found = timed_search([&] { return reach_prop_sim_graph(init, goal); });
  printf("%s: Reachability *** %s ***\n", tool, found ? "TRUE" : "FALSE");
  free_states_region(init);
  return goal;
}

states_region *varnok_exist_until_forw(states_region *init, tctl_node *g, const run_context &run) {
  tctl_node *f1, *f2;
  switch (g->kind) {
    case TCTL_EU: f1 = tctl_get_EU_1(g); f2 = tctl_get_EU_2(g); break;
    case TCTL_EUB: f1 = tctl_get_EUB_1(g); f2 = tctl_get_EUB_2(g); break;
    case TCTL_EUI: f1 = tctl_get_EUI_1(g); f2 = tctl_get_EUI_2(g); break;
    default: cannot_apply_kind();
  }
  check_operand(f2);
  if (run.has(OPT_ABS_LU)) return lu_decided_backwards(init, g, "Conditional Reachability", 1);
  states_region *cond = sat(f1);
  if (first_non_convex_location(cond) >= 0) return decided_backwards(init, cond, g, "Conditional Reachability", 1);
  states_region *goal = sat(f2);
  int n = all_extra();
  if (g->kind == TCTL_EUB) {
    goal = varnok_intersection(goal, bound(tctl_get_EUB_bound(g), tctl_get_EUB_constant(g)));
    init = start_z(init);
    n = all_but_z();
  } else if (g->kind == TCTL_EUI) {
    goal = varnok_intersection(goal, interval(tctl_get_EUI_bound1(g), tctl_get_EUI_constant1(g),
                                              tctl_get_EUI_bound2(g), tctl_get_EUI_constant2(g)));
    init = start_z(init);
    n = all_but_z();
  }
  drop(init, n);
  drop(cond, n);
  drop(goal, n);
  start_search(run, g->kind == TCTL_EU ? 0 : 1, goal, cond);
  int found = timed_search([&] { return reach_cond_prop_sim_graph(init, cond, goal); });
  free_states_region(cond);
  free_states_region(goal);
  return stated_verdict(found, init, "Conditional Reachability", 1);
}

states_region *varnok_true_for_all_until_forw(states_region *init, tctl_node *g, const run_context &run) {
  states_region *p, *bad;
  if (g->kind == TCTL_ADB) {
    check_operand(tctl_get_ADB_1(g));
    int kind = tctl_get_ADB_bound(g), c = tctl_get_ADB_constant(g);
    if (kind != TCTL_BOUND_LT && kind != TCTL_BOUND_LE && kind != TCTL_BOUND_EQ) cannot_apply_kind();
    p = sat(tctl_get_ADB_1(g));
    bad = bound(kind == TCTL_BOUND_LT ? TCTL_BOUND_GE : TCTL_BOUND_GT, c);
    if (kind == TCTL_BOUND_EQ) p = varnok_intersection(p, bound(TCTL_BOUND_GE, c));
  } else if (g->kind == TCTL_ADI) {
    check_operand(tctl_get_ADI_1(g));
    bad = varnok_neg(bound(tctl_get_ADI_bound2(g), tctl_get_ADI_constant2(g)));
    p = varnok_intersection(sat(tctl_get_ADI_1(g)), bound(tctl_get_ADI_bound1(g), tctl_get_ADI_constant1(g)));
  } else {
    cannot_apply_kind();
  }
  if (run.has(OPT_ABS_LU)) {
    free_states_region(p);
    free_states_region(bad);
    return lu_decided_backwards(init, g, "Inevitability", 0);
  }
  states_region *cond = varnok_neg(p);
  if (first_non_convex_location(cond) >= 0) {
    free_states_region(bad);
    return decided_backwards(init, cond, g, "Inevitability", 0);
  }
  init = start_z(init);
  drop(init, all_but_z());
  drop(cond, all_but_z());
  drop(bad, all_but_z());
  start_search(run, 1, bad, cond);
  int found = timed_search([&] { return reach_cond_prop_sim_graph(init, cond, bad); });
  free_states_region(cond);
  free_states_region(bad);
  return stated_verdict(found, init, "Inevitability", 0);
}

states_region *varnok_for_all_until_forw(states_region *init, tctl_node *g, const run_context &run) {
  tctl_node *f1, *f2;
  int lower_kind = -1, lower_c = 0, upper_kind, upper_c;
  if (g->kind == TCTL_AUB) {
    f1 = tctl_get_AUB_1(g);
    f2 = tctl_get_AUB_2(g);
    upper_kind = tctl_get_AUB_bound(g);
    upper_c = tctl_get_AUB_constant(g);
    if (upper_kind == TCTL_BOUND_EQ) {
      lower_kind = TCTL_BOUND_GE;
      lower_c = upper_c;
      upper_kind = TCTL_BOUND_LE;
    } else if (upper_kind != TCTL_BOUND_LT && upper_kind != TCTL_BOUND_LE) {
      cannot_apply();
    }
  } else if (g->kind == TCTL_AUI) {
    f1 = tctl_get_AUI_1(g);
    f2 = tctl_get_AUI_2(g);
    lower_kind = tctl_get_AUI_bound1(g);
    lower_c = tctl_get_AUI_constant1(g);
    upper_kind = tctl_get_AUI_bound2(g);
    upper_c = tctl_get_AUI_constant2(g);
  } else {
    cannot_apply();
  }
  check_operand(f2);
  if (run.has(OPT_ABS_LU)) return lu_decided_backwards(init, g, "Conditional Inevitability", 0);
  states_region *p1 = sat(f1);
  states_region *p2 = sat(f2);
  if (lower_kind >= 0) p2 = varnok_intersection(p2, bound(lower_kind, lower_c));
  states_region *s = varnok_intersection(assign_states_region(p2), bound(upper_kind, upper_c));
  p1 = varnok_intersection(p1, bound(upper_kind, upper_c));
  states_region *bad = varnok_intersection(varnok_neg(p1), varnok_neg(s));
  states_region *cond = varnok_neg(p2);
  if (first_non_convex_location(cond) >= 0) {
    free_states_region(bad);
    return decided_backwards(init, cond, g, "Conditional Inevitability", 0);
  }
  init = start_z(init);
  drop(init, all_but_z());
  drop(cond, all_but_z());
  drop(bad, all_but_z());
  start_search(run, 1, bad, cond);
  int found = timed_search([&] { return reach_cond_prop_sim_graph(init, cond, bad); });
  free_states_region(cond);
  free_states_region(bad);
  return stated_verdict(found, init, "Conditional Inevitability", 0);
}

states_region *varnok_invar_forw(states_region *init, tctl_node *g, const run_context &run) {
  if (g->kind != TCTL_AB) cannot_apply_kind();
  check_operand(tctl_get_AB_1(g));
  if (run.has(OPT_ABS_LU) && tctl_extra_clocks() != 0) return lu_decided_backwards(init, g, "Invariance", 0);
  states_region *q = sat(tctl_get_AB_1(g));
  if (run.has(OPT_ABS_LU)) return lu_invar_verdict(run, init, q, g);
  drop(q, all_extra());
  // The initial table loses its extra clocks as well: the search runs on
  // the model's clocks only.
  drop(init, all_extra());
  time_C(TIMER_FORWARD);
  init_forward_analysis(0, q);
  int holds = invar_prop_sim_graph(init, q);
  time_R(TIMER_FORWARD);
  print_sim_counts();
  printf("%s: Invariance *** %s ***\n", tool, holds ? "TRUE" : "FALSE");
  free_states_region(init);
  return q;
}
