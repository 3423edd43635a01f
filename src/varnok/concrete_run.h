// Concrete timed runs for the witnesses of the forward searches (-run): one
// valuation per moment, exact rational delays, written to _run.reach after a
// replay against the timed-graph tables.
//
// A witness is discrete: the start locations and the moves. Its exact zones
// are computed forward (guard and invariant pieces chosen depth-first until
// the end meets the target), then a run is picked backwards: a point of the
// last zone, and for each step the entry point of the location (a delay back
// within the entry set) and a predecessor of it through the assignment and
// the guard inside the previous zone. Every zone along the way holds only
// valuations reached by the path, so each choice succeeds; values prefer
// small denominators (integers first, then halves, ...).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "varnok/big_int.h"

struct states_region;
struct zone;

namespace run {

// An exact rational p/q, q > 0, in lowest terms, of any size (a division by
// zero throws std::domain_error).
struct rational {
  big_int p = 0, q = 1;

  rational() = default;
  rational(int64_t n) : p(n) {}  // NOLINT: integers convert
  static rational of(big_int p, big_int q);
  // The bound constant of the encoded bound b (2 * c + s).
  static rational of_bound(int16_t b) { return rational((b - (b & 1)) / 2); }
  std::string text() const;  // "3", "-1/2"
};
rational operator+(const rational &a, const rational &b);
rational operator-(const rational &a, const rational &b);
rational operator*(const rational &a, const rational &b);
rational operator/(const rational &a, const rational &b);
int compare(const rational &a, const rational &b);  // -1, 0, 1
inline bool operator<(const rational &a, const rational &b) { return compare(a, b) < 0; }
inline bool operator<=(const rational &a, const rational &b) { return compare(a, b) <= 0; }
inline bool operator==(const rational &a, const rational &b) { return a.p == b.p && a.q == b.q; }
// The greatest integer <= a, and the smallest integer >= a.
big_int floor_of(const rational &a);
big_int ceil_of(const rational &a);

using valuation = std::vector<rational>;  // per global clock, entry 0 is 0

// A discrete witness over the loaded graph (one automaton) or the loaded
// automata (product).
struct witness {
  bool product = false;
  std::vector<int32_t> start;                 // location per automaton
  std::vector<std::vector<int32_t>> moves;    // per step, transition per automaton (-1 idle)
  // The closed flat zones (N_OF_CLOCKS squared) the last valuation must lie
  // in one of; none: anywhere.
  std::vector<std::vector<int16_t>> target;
  // A search that must stay in a condition (one graph): per location the
  // closed flat zone time passes in besides the invariant (empty vector:
  // none there). The run then ends in one of `target` (the goal zones at
  // its last location), every earlier moment lying in the condition, or in
  // the goal once time has entered it.
  bool conditional = false;
  std::vector<std::vector<int16_t>> cond;
};

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

// The concrete run of w from the initial states init_table (single graph;
// products start with every clock 0, or anywhere with -Inv); false when
// there is none (a witness of an over-approximation); `why` then says why.
bool make_run(const witness &w, states_region *init_table, concrete_run &out, std::string &why);
// Replays r against the timed-graph tables with exact arithmetic; empty
// when every guard, assignment and invariant holds, else what failed.
std::string replay(const witness &w, const concrete_run &r, states_region *init_table);
// The pieces of that text: locations with their propositions, a valuation,
// a move from `from` to `to`; and the target of transition t of automaton a.
void print_run_locations(FILE *f, const witness &w, const std::vector<int32_t> &key);
void print_run_valuation(FILE *f, const valuation &v);
void print_run_move(FILE *f, const witness &w, const std::vector<int32_t> &from, const std::vector<int32_t> &mv,
                    const std::vector<int32_t> &to);
int32_t move_target(const witness &w, int a, int32_t t);
// The _run.reach text of r (the header line gives its number).
void write_run(FILE *f, const witness &w, const concrete_run &r, int number);

}  // namespace run

// Entry points for the searches (each called under -run only).

// The initial states of the single-graph search that is starting (its
// witnesses start there).
void run_note_initial(states_region *init);
// The search that is starting must stay in a condition: cond holds per
// location its convex condition zone (null: none), goal the states to reach.
// Both stay the caller's and must live until the search ends. Call after
// run_note_initial, which forgets them.
void run_note_condition(const std::vector<zone *> &cond, states_region *goal);
// A witness of the single graph: locations along the path and the
// transitions between them (one fewer), the last valuation in z (null:
// anywhere). Writes _run.reach (or appends run `number` > 1).
void run_write_one_tg(const std::vector<int> &locations, const std::vector<int> &transitions, zone *z, int number);
// A witness of the product: location vectors and transition vectors.
void run_write_product(const std::vector<std::vector<int32_t>> &locations,
                       const std::vector<std::vector<int32_t>> &moves, int number);
// A witness of the -abs lu search (single graph: init_table and the last
// exact zone as target).
void run_write_witness(run::witness w, states_region *init_table, int number);
