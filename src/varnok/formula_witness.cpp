// Runs for formulas evaluated backwards.

#include "varnok/formula_witness.h"

#include <cstdio>

#include "common/tctl/tctl_syntax.h"
#include "common/tg/tg_global.h"
#include "common/util/my_files.h"
#include "varnok/lu_drive.h"
#include "varnok/run_context.h"
#include "varnok/states_reg.h"
#include "varnok/varnok_eval.h"
#include "varnok/varnok_eval_back.h"
#include "varnok/verdict_holds.h"

namespace {

// The shapes that a finite run can show.
enum class shape { none, invariance, reachability };

// The shape of f, with its initial condition a and the operand p of its
// temporal operator.
shape shape_of(tctl_node *f, tctl_node *&a, tctl_node *&p) {
  if (f == nullptr || (f->kind != TCTL_IMPL && f->kind != TCTL_AND)) return shape::none;
  const bool impl = f->kind == TCTL_IMPL;
  a = impl ? tctl_get_impl_1(f) : tctl_get_and_1(f);
  tctl_node *g = impl ? tctl_get_impl_2(f) : tctl_get_and_2(f);
  if (a == nullptr || g == nullptr) return shape::none;
  if (impl && g->kind == TCTL_AB) {
    p = tctl_get_AB_1(g);
    return p == nullptr ? shape::none : shape::invariance;
  }
  if (g->kind == TCTL_ED) {
    p = tctl_get_ED_1(g);
    return p == nullptr ? shape::none : shape::reachability;
  }
  return shape::none;
}

void no_run(const char *why) { printf("%s: -run: no finite run is given: %s\n", tool, why); }

}  // namespace

void formula_witness(const run_context &, tctl_node *f, bool holds) {
  tctl_node *a = nullptr, *p = nullptr;
  const shape s = shape_of(f, a, p);
  if (s == shape::none) {
    no_run("only 'a impl AB p' that fails and 'a impl ED p' (or 'a and ED p') that holds have one");
    return;
  }
  if (s == shape::invariance && holds) {
    no_run("the invariance holds, which no finite run shows");
    return;
  }
  if (s == shape::reachability && !holds) {
    no_run("the goal is not reached, which no finite run shows");
    return;
  }
  // The search runs on the model's clocks alone (their regions read again
  // from the compiled model when the formula has clocks of its own, which a
  // product built in memory has not).
  if (tctl_extra_clocks() > 0) {
    no_run("the formula has clocks of its own");
    return;
  }
  // The run starts at an initial state of a (the states that the answer is
  // about), and ends outside p, or in p.
  states_region *a_states = varnok_eval_back(a);
  states_region *initial = verdict::initial_states();
  states_region *init = intersection_states_region(a_states, initial);
  free_states_region(a_states);
  free_states_region(initial);
  if (init == nullptr) {
    no_run("no initial state satisfies the condition, which no finite run shows");
    return;
  }
  states_region *goal = varnok_eval_back(p);
  if (s == shape::invariance) goal = varnok_neg(goal);
  const int r = lu_search_one_tg(init, goal);
  free_states_region(init);
  free_states_region(goal);
  if (r == 0) no_run("the forward search found no path to the states it shows");
  else if (r < 0) no_run("the forward search stopped at its -FORW limit");
}
