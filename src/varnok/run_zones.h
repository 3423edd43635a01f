// The exact zones along a discrete witness of a search: the start
// locations and the moves, followed from the search's initial states with
// one invariant and guard piece chosen per step (depth-first until the end
// meets the target). Every zone along the way holds only valuations reached
// by the path, so that a run can be picked backwards through them
// (concrete_run).
#pragma once

#include <cstdint>
#include <vector>

#include "varnok/tables_view.h"

struct states_region;
struct zone;

namespace run {

// A discrete witness over the loaded graph (one automaton) or the loaded
// automata (product).
struct witness {
  bool product = false;
  std::vector<int32_t> start;                 // location per automaton
  std::vector<std::vector<int32_t>> moves;    // per step, transition per automaton (-1 idle)
  // The closed flat zones (N_OF_CLOCKS squared) the last valuation must lie
  // in one of; none: anywhere.
  std::vector<std::vector<int16_t>> target;
};

// Where the runs of a search start and what they keep to, as the search
// knows them (the witness alone does not say).
struct origin {
  // One graph: the initial states (a run starts in one of their zones).
  // Products: every clock starts at 0, or anywhere when `anywhere` (-Inv).
  states_region *init = nullptr;
  bool anywhere = false;
  // A search that must stay in a condition (one graph): per location the
  // closed flat zone time passes in besides the invariant (empty vector:
  // none there), and the goal. The run then ends in one of the witness's
  // `target` (the goal zones at its last location), every earlier moment
  // lying in the condition, or in the goal once time has entered it. The
  // goal stays the search's and must live as long as the origin is used.
  bool conditional = false;
  std::vector<std::vector<int16_t>> cond;
  states_region *goal = nullptr;
};

// The origin of a search of the single graph from init.
origin initial_origin(states_region *init);
// The origin of a search of the loaded automata (clocks anywhere at the
// start when anywhere, else 0).
origin product_origin(bool anywhere);
// The origin of a search from init that stays in a condition until goal:
// cond holds per location its convex condition zone (null: none), read.
origin condition_origin(states_region *init, const std::vector<zone *> &cond, states_region *goal);
// The closed flat form of z (N_OF_CLOCKS squared), or an empty vector when
// z is null or empty.
std::vector<int16_t> flat_of(zone *z);

// One state of the witness with the pieces chosen: the set it is entered
// with and the zone it can leave from (time passed within the invariant).
// How the run ends in the last state: at a point of its zone, at the point
// the move enters it with (conditional: the goal met at once, outside the
// condition maybe), or a little after a point of its zone from which time
// enters the goal (conditional).
enum end_kind { END_IN_ZONE, END_AT_ENTRY, END_ENTERING };

struct exact_state {
  std::vector<int16_t> entry, zone;
  std::vector<int16_t> guard;  // the guard of the move into it (none for the start)
  std::vector<uint16_t> assign;
  // Conditional witnesses: the entry before the cut to the condition, the
  // invariant pieces time passes in, and for END_ENTERING the goal zone
  // that time enters. entry and zone are empty when the condition does not
  // hold at the entry (only the last state may then end at its entry).
  std::vector<int16_t> raw_entry, inv, goal;
  end_kind end = END_IN_ZONE;
};

// The exact states along w from o, one per location of w, with pieces for
// which the end meets the target (the last zone cut to the target zone);
// their zones are N_OF_CLOCKS squared. False when the path cannot be followed.
// The pieces are those of view, the loaded tables as w reads them (the
// product's when w.product, else the one graph's); without a view, one is
// built for the call.
bool exact_states(const lu::tables_view &view, const witness &w, const origin &o, std::vector<exact_state> &out);
bool exact_states(const witness &w, const origin &o, std::vector<exact_state> &out);

}  // namespace run
