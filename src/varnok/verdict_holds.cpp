// Whether a formula holds, from its backward result.
#include "varnok/verdict_holds.h"

#include "common/region/region.h"
#include "common/tctl/tctl_main.h"
#include "common/tg/tg_global.h"
#include "varnok/run_context.h"
#include "varnok/states_reg.h"
#include "varnok/varnok_eval.h"
#include "varnok/varnok_eval_back.h"
#include "varnok/varnok_options.h"
#include "varnok/verdict.h"

namespace verdict {

states_region *initial_states() {
  states_region *init = varnok_mk_init_state(tctl_extra_clocks());
  states_region *inv = mk_inv_st_reg();
  states_region *initial;
  if (this_run().has(OPT_INV)) {
    // Every valuation of the invariant at the initial locations.
    initial = mk_empty_states_region();
    for (int s = 0; s < init->count; s++) {
      if (is_empty_region(init->regs[s])) continue;
      free_region(initial->regs[s]);
      initial->regs[s] = assign_region(inv->regs[s]);
    }
  } else {
    // The valuation 0, where the invariant allows it.
    initial = intersection_states_region(init, inv);
  }
  free_states_region(init);
  free_states_region(inv);
  return initial;
}

int initial_states_inside(states_region *result) {
  states_region *initial = initial_states();
  const int inside = is_included_states_region(initial, result);
  free_states_region(initial);
  return inside;
}

void decide_formula_backwards(tctl_node *f) {
  states_region *result = varnok_eval_back(f);
  const int answer = initial_states_inside(result);
  free_states_region(result);
  holds_decided_backwards(answer);
}

}  // namespace verdict
