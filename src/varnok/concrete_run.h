// Concrete timed runs for the witnesses of the forward searches (-run): one
// valuation per moment, exact rational delays (run_replay checks them
// against the timed-graph tables, run_text writes them to _run.reach).
//
// A witness is discrete: the start locations and the moves; the search it
// comes from gives its origin (initial states, condition, goal). Its exact
// zones are computed forward (run_zones), then a run is picked backwards: a point of the
// last zone, and for each step the entry point of the location (a delay back
// within the entry set) and a predecessor of it through the assignment and
// the guard inside the previous zone. Every zone along the way holds only
// valuations reached by the path, so each choice succeeds; values prefer
// small denominators (integers first, then halves, ...).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "varnok/rational.h"
#include "varnok/run_zones.h"

namespace run {

// One step of a concrete run: let `delay` pass, then take `move`.
struct step {
  rational delay;
  std::vector<int32_t> move;
  valuation before, after;  // just before and just after the move
};

struct concrete_run {
  std::vector<int32_t> start;
  valuation initial;
  std::vector<step> steps;
  rational last_delay;  // time passing after the last move
  valuation end;
};

// The concrete run of w from o (single graph: o's initial states; products
// start with every clock 0, or anywhere under o.anywhere); false when there
// is none (a witness of an over-approximation); `why` then says why. The
// guard and invariant pieces are view's (see exact_states); without a view,
// one is built for the call.
bool make_run(const lu::tables_view &view, const witness &w, const origin &o, concrete_run &out, std::string &why);
bool make_run(const witness &w, const origin &o, concrete_run &out, std::string &why);
// The same, the run ending where every clock x with fixed[x] set has the
// value end[x] (both N_OF_CLOCKS long), the others chosen as usual: for
// a run that another one continues. False when the last exact zone of w
// holds no such valuation.
bool make_run_to(const lu::tables_view &view, const witness &w, const origin &o, const valuation &end,
                 const std::vector<bool> &fixed, concrete_run &out, std::string &why);
// The run picked backwards through the exact states of a path (one more
// than moves, zones dim squared, each state's end END_IN_ZONE or
// END_AT_ENTRY), as make_run picks it; out.start is left empty. The end
// valuation takes the values of `end` at the clocks with end_fixed set
// (none when end_fixed is empty).
bool pick_run(const std::vector<exact_state> &states, int dim, const std::vector<std::vector<int32_t>> &moves,
              concrete_run &out, std::string &why, const valuation &end = valuation{},
              const std::vector<bool> &end_fixed = {});

}  // namespace run
