// State-region tables: one region of clock valuations per location of the
// loaded timed graph, their location-wise set operations, the discrete and
// timed predecessor operators, and the until fix-points of backward model
// checking.
//
// A null table pointer and a table whose regions are all empty both denote
// the empty set of states; every operation accepts both, and most return null
// for an empty result. Unless an operation says that it takes its arguments
// over, its arguments stay the caller's (their zones may be closed in place)
// and its result is new and owned by the caller, who releases it with
// free_states_region.
#pragma once

#include <cstdint>
#include <cstdio>

struct region;

typedef struct states_region {
  // N_OF_STATES region pointers indexed by location; owned by the table. An
  // entry may be null (the empty region).
  region **regs;
  // Number of entries of regs (N_OF_STATES when the table was made), so that
  // a table can be released whatever graph is loaded by then.
  int32_t count;
} states_region;

// When non-zero the until fix-points compact their tables with
// compact_states_region2. 0 at start; the universal fix-points set it to 1 for
// their duration and back to 0.
extern int32_t COMPACT;
// Most zones per location that compact_states_region2 keeps without a double
// complement. 1 at start.
extern int16_t COMPACT_LEN;
// The work (zone comparisons, as complement_region_within counts them)
// that compact_states_region2 spends at most on the double complement of one
// location's region, unless a double_complement_budget scope says otherwise.
// Far above what the double complements of regions cut by a few
// differences need, it is reached when the exact frontiers have fragmented a
// region into hundreds of zones, whose complements grow exponentially.
extern const int64_t DOUBLE_COMPLEMENT_BUDGET;
// Nesting depth of the formula being evaluated: the indentation of the
// verbose trace.
extern int32_t n_of_eval;
// Stream of the fix-point history (option -history); null when not open.
extern FILE *history_file;

// While an object of this class lives (on = true), the existential
// fix-points carry their new zones whole from one round to the next: a zone
// goes on unless it is included in the states already found, where by
// default only its part outside them (a set difference, which splits it)
// goes on. The fix-points reach the same sets either way, in other zones;
// whole zones are far fewer and cheaper on a large product. The count of
// rounds may differ.
class whole_zone_frontiers {
 public:
  explicit whole_zone_frontiers(bool on);
  ~whole_zone_frontiers();
  whole_zone_frontiers(const whole_zone_frontiers &) = delete;
  whole_zone_frontiers &operator=(const whole_zone_frontiers &) = delete;

 private:
  bool was;
};

// While an object of this class lives, compact_states_region2 spends at most
// `work` on one double complement (0: it gives up on any double complement
// that compares zones); the scope restores the budget it found.
class double_complement_budget {
 public:
  explicit double_complement_budget(int64_t work);
  ~double_complement_budget();
  double_complement_budget(const double_complement_budget &) = delete;
  double_complement_budget &operator=(const double_complement_budget &) = delete;

 private:
  int64_t was;
};

// ---------------------------------------------------------------------------
// Making and managing

// A new table of N_OF_STATES empty regions.
states_region *mk_empty_states_region();
// A new table holding a copy of every location's invariant region.
states_region *mk_inv_st_reg();
// A copy of p; null when p is empty.
states_region *assign_states_region(states_region *p);
// Releases the regions and the holder of p; nothing for null.
void free_states_region(states_region *p);
// 1 when some location's region of p is non-empty, else 0.
int is_not_empty_states_region(const states_region *p);
// 1 when p is not empty and covers every invariant, else 0.
int is_universal_states_region(states_region *p);
// 1 when p ⊆ q location by location (1 when p is empty, 0 when only q is).
int is_included_states_region(states_region *p, states_region *q);
// In place: cf_region / compact_region of every location.
void cf_states_region(states_region *p);
void compact_states_region(states_region *p);
// In place: every location's region replaced by compact_hull_region /
// compact_hull_diff_region of it.
void compact_hull_states_region(states_region *p);
void compact_hull_diff_states_region(states_region *p);
// In place: every region compacted by inclusion, and a region of more than
// COMPACT_LEN zones replaced by its double complement. A double complement
// whose work would exceed DOUBLE_COMPLEMENT_BUDGET is given up: that region
// stays as compacted by inclusion (the same set), and a universal fix-point
// with exact frontiers then runs again with whole-zone frontiers.
void compact_states_region2(states_region *p);
// In place: the bound (d, s) (s 1 for <=, 0 for <) added on entry (i, j) of
// every zone, as modif_global_region does (a tighter entry is kept); the
// zones may no longer be closed.
void modif_global_states_region(states_region *p, int i, int j, int d, int s);
// In place: k unconstrained clocks added at the end of every zone / the last
// k clocks projected away. Same protocol as add_extra_clocks_region: the
// caller sets N_OF_CLOCKS afterwards. Nothing for k <= 0.
void add_extra_clocks_states_region(states_region *p, int k);
void del_extra_clocks_states_region(states_region *p, int k);

// ---------------------------------------------------------------------------
// Location-wise set operations

// p ∩ q; null when either is empty.
states_region *intersection_states_region(states_region *p, states_region *q);
// p ∪ q with union_region; takes both over. Returns q itself when p is empty,
// p when q is empty.
states_region *union_states_region(states_region *p, states_region *q);
// p ∪ q with append_region; takes both over, empty cases as union.
states_region *add_states_region(states_region *p, states_region *q);
// p minus q; null when p is empty, a copy of p when q is empty.
states_region *diff_states_region(states_region *p, states_region *q);
// Time predecessors of p; null when p is empty.
states_region *proj_states_region(states_region *p);
// Pre-image of clock x := 0 (x in 1..N_OF_CLOCKS-1); null when p is empty.
states_region *reset_states_region(states_region *p, int x);
// path_region location by location: the states that reach q by letting time
// pass within p ∪ q. A copy of q when p is empty; null when q is empty.
states_region *path_states_region(states_region *p, states_region *q);

// ---------------------------------------------------------------------------
// Predecessors and fix-points. Arguments are read, not changed (apart from
// the closing of their zones); results are new.

// Discrete predecessors of p through one transition (guards applied,
// invariants not); null for an empty p.
states_region *pre_states_region(states_region *p);
// proj(p) ∪ proj(pre(p)); null for an empty p.
states_region *true_next_states_region(states_region *p);
// proj(pre(p)); null for an empty p.
states_region *true_next_states_region2(states_region *p);
// path(p, q) ∪ path(p, p ∩ pre(q)).
states_region *next_states_region(states_region *p, states_region *q);
// path(p, p ∩ pre(q)).
states_region *next_states_region2(states_region *p, states_region *q);
// The frontier of a fix-point round: the states of r (taken over) outside s,
// r minus s; under whole_zone_frontiers the zones of r not included in s,
// whole. Null when empty.
states_region *frontier_states_region(states_region *r, states_region *s);
// E(true U p), least fix-point over true_next.
states_region *true_exist_until_states_region(states_region *p);
// E(p U q), least fix-point over next; always contains q.
states_region *exist_until_states_region(states_region *p, states_region *q);
// A(true U p) inside the invariants, in time steps of a units measured on the
// first extra clock (which must exist). With exact frontiers, the exact
// differences can fragment the regions until their double complements
// explode: when one gives up (compact_states_region2), the pass stops and the
// fix-point is computed again with whole-zone frontiers, the same set in
// other zones (the verbose trace then says "again with whole-zone
// frontiers").
states_region *true_for_all_until_states_region(states_region *p, int a);
// A(p U q) inside the invariants, in time steps of a units; the second pass
// as for A(true U p).
states_region *for_all_until_states_region(states_region *p, states_region *q, int a);

// ---------------------------------------------------------------------------
// Text

// "false\n" for an empty table; otherwise, per non-empty location i,
// "state(i) and (\n", its zones joined by " or\n", ")\n", the locations
// separated by "or\n".
// With `note`, note(stream, i) writes a comment between "state(i) and (" and
// its line break.
void print_hide_states_region2(states_region *p, FILE *stream, void (*note)(FILE *, int) = nullptr);
// As print_hide_states_region2, but "true\n" when p covers every invariant.
void print_hide_states_region3(states_region *p, FILE *stream, void (*note)(FILE *, int) = nullptr);
