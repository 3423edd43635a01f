// The forward semantics of a model with data, with the interface of the LU
// search's models: initial states, successors numbered in a fixed order,
// the extrapolation, the goal test and the key and zone sizes.
//
// A discrete key is the location of each process, then the value of each
// integer variable less its minimum (16 bits each). A move is one edge of
// a process whose event takes part in no synchronisation vector of that
// process, or one edge of each participant of a vector (a weak participant
// takes part when one of its edges on that event has an integer guard that
// holds, and stays put otherwise), in a fixed order: single edges process
// by process in file order, then the vectors in file order, the
// combinations of the first participant's edges fastest. Integer guards
// are read in the source state, the statements run in the order of the
// vector's participants, then the target invariants must hold. Time does
// not pass in a state with an urgent or a committed location, and from a
// state with a committed location only moves that take a process out of a
// committed location are allowed.
//
// An assignment outside a variable's range, an index outside an array, a
// division by zero or a clock constant out of range ends the run with a
// message that names the edge (or the location) and the value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "varnok/lu_model.h"
#include "varnok/tck_model.h"

struct states_region;
struct tctl_node;

namespace tck {

// The largest magnitude of a constant compared with a clock or assigned to
// one (a bound must fit the zones' 16-bit encoding).
constexpr int64_t MAX_CLOCK_CONST = 8000;
// The most moves one synchronisation vector may give from one state.
constexpr size_t MAX_COMBINATIONS = size_t{1} << 16;

// The pieces of one move of a witness, for the concrete run: the guard
// (closed flat zone), the assignment vector (entry x: the clock whose value
// x takes, 0 for a clock set to a constant), the zone entered (before time
// passes), the zone reached and the target key.
struct step_parts {
  std::vector<int16_t> guard, entry, zone;
  std::vector<uint16_t> assign, key;
};

// A clock constraint with its constant evaluated: x - y # c (y 0: x # c).
struct clock_bound {
  int x = 0, y = 0;
  op cmp = op::le;
  int64_t c = 0;
};

// A move of a discrete state, clocks aside: the edges (per process, -1
// idle), the target key, the guard's clock constraints and the clocks set
// (to 0; a clock set to another value is refused by discrete_moves).
struct discrete_move {
  std::vector<int32_t> w;
  std::vector<uint16_t> target;
  std::vector<clock_bound> guard;
  std::vector<int> reset;
  int event = -1;  // the event of the move's first edge
};

class data_model {
 public:
  // The model s (kept by reference), its goal expression (-1: none) and the
  // clock constraints of the goal (a zone to meet where the goal holds);
  // their constants count in the clock bounds of every state.
  data_model(const system &s, int goal, std::vector<clock_atom> goal_clocks = {});

  int key_size() const { return nprocs_ + s_.nb_vars; }
  int dim() const { return s_.nb_clocks + 1; }
  // False when a diagonal clock constraint makes the extrapolation unsound:
  // the zones are then kept exact.
  bool extrapolates() const { return extrapolates_; }
  const system &model() const { return s_; }
  // The value of integer variable v in key.
  int32_t value(const uint16_t *key, int v) const { return key[nprocs_ + v] + s_.ints[s_.var_decl[v]].lo; }

  // The initial state (the two arguments are unused: a model with data has
  // one initial state), as f(key, closed zone).
  void for_each_initial(states_region *, const tctl_node *,
                        const std::function<void(const uint16_t *, const int16_t *)> &f);
  // Every successor of (key, z), z closed, numbered from 0 in the fixed
  // order above: f(k, target key, closed zone, info) returns false to stop;
  // info.w holds per process its edge, -1 when it does not move. The data
  // handed to f are scratch data, valid during the call.
  template <typename F>
  void for_each_successor(const uint16_t *key, const int16_t *z, F &&f);
  void extrapolate(const uint16_t *key, int16_t *z);
  void drop_goal() { goal_ = -1; }
  // The pieces of the move via (as a successor of the closed z at key
  // reports it) into out; false when key has no such move from z.
  bool parts_of(const uint16_t *key, const int16_t *z, const lu::step_info &via, step_parts &out);
  // The zone the initial state is entered with: every clock 0, within the
  // initial invariants.
  void initial_entry(std::vector<int16_t> &entry);

  // The initial key.
  std::vector<uint16_t> initial_key() const;
  // The clock constraints of the invariants at key into out; false when an
  // integer condition of one does not hold (no state there).
  bool invariant_at(const uint16_t *key, std::vector<clock_bound> &out);
  // True when time cannot pass at key (an urgent or committed location).
  bool hurried(const uint16_t *key) const;
  // The moves of key whose integer guards hold and whose target invariants'
  // integer conditions hold, in the order of for_each_successor. A clock
  // set to a value other than 0 ends the run with a message (why_not).
  void discrete_moves(const uint16_t *key, std::vector<discrete_move> &out);
  // True when the integer conditions of the goal hold at key and the closed
  // z meets the goal's clock constraints.
  bool is_goal(const uint16_t *key, const int16_t *z);
  // Cuts the closed z down to the goal's clock constraints at key (z stays
  // closed); false when nothing is left.
  bool goal_zone(const uint16_t *key, int16_t *z);

 private:
  struct part {
    int process, edge;
  };
  // A move: its parts, parts_[begin, end).
  struct move {
    uint32_t begin, end;
  };
  // A clock whose bounds a location raises: its largest lower / upper
  // constant there, -1 for none.
  struct clock_limit {
    int x;
    int32_t lo, hi;
  };
  // The moves of key into moves_ and parts_ (scratch, reused from state to
  // state so that nothing is allocated once they have their size).
  void moves_of(const uint16_t *key);
  bool leaves_committed(const uint16_t *key, const part *b, const part *e) const;
  // The successor of (key, z) by m into s_key_ / s_zone_; false when empty.
  // With rec, its pieces are recorded there as well.
  bool apply(const uint16_t *key, const int16_t *z, const move &m, step_parts *rec);
  void compute_bounds();
  void set_w(const move &m, std::vector<int32_t> &w) const;

  const system &s_;
  int goal_;
  int nprocs_;
  bool extrapolates_ = true;
  // Every clock constraint of every invariant is an upper bound (or a
  // difference): then cutting the zone once, after time passes, is the same
  // as cutting it before and after.
  bool past_closed_ = true;
  std::vector<std::vector<char>> synced_;  // per process, per event: in a vector
  // per process, per location: the clocks whose bounds it raises
  std::vector<std::vector<std::vector<clock_limit>>> limits_;
  guard goal_clocks_;
  std::vector<int32_t> goal_lo_, goal_hi_;  // per clock, the goal's largest lower / upper constant
  std::vector<int32_t> s_lo_, s_hi_;
  std::vector<int16_t> s_goal_;
  std::vector<move> moves_;
  std::vector<part> parts_;
  std::vector<int> s_lists_;         // the candidate edges of each participant of a vector
  std::vector<uint32_t> s_list_at_;  // per participant, where its candidates begin
  std::vector<uint32_t> s_pick_;     // per participant, the candidate taken
  std::vector<int32_t> s_vals_, s_new_, s_w_;
  std::vector<uint16_t> s_key_;
  std::vector<int16_t> s_zone_;
  lu::step_info info_;
};

template <typename F>
void data_model::for_each_successor(const uint16_t *key, const int16_t *z, F &&f) {
  moves_of(key);
  int32_t k = 0;
  for (const move &m : moves_) {
    if (!apply(key, z, m, nullptr)) continue;
    set_w(m, info_.w);
    if (!f(k++, static_cast<const uint16_t *>(s_key_.data()), s_zone_.data(), static_cast<const lu::step_info &>(info_)))
      return;
  }
}

}  // namespace tck
