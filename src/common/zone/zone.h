// Zones: convex sets of clock valuations stored as difference-bound matrices.
//
// Entry (i, j) of the bound matrix bounds x_i - x_j; clock 0 is the reference
// clock (always 0), so row 0 holds the lower bounds and column 0 the upper
// bounds. A bound is a 16-bit encoding 2*d + s of the constant d and the
// strictness s (1 for <=, 0 for <); the integer order is the order of
// tightness and INF_BOUND means "no constraint". Edge bits mark the
// constraints that belong to the zone's reduced description; printing, the
// inclusion test and the hash keys look only at edges.
//
// A null zone pointer and a zone record with the ZONE_EMPTY flag both denote
// the empty set; every operation accepts both. Every zone returned by an
// operation is new and owned by the caller, who releases it with free_zone.
// Zones are made only through this module (mk_universal_zone, assign_zone,
// the readers and the operations): each one lives in a single heap block.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------------------
// Bounds

// "No constraint": (16383, <).
constexpr int16_t INF_BOUND = 32766;
// (0, <=): the diagonal and the trivial lower bound x >= 0.
constexpr int16_t ZERO_LE = 1;
// (0, <).
constexpr int16_t ZERO_LT = 0;

// Range of the constant of a finite bound, and the most clocks (declared plus
// extra, the reference clock not counted) that a model may introduce.
constexpr long MIN_BOUND_CONSTANT = -16384;
constexpr long MAX_BOUND_CONSTANT = 16382;
constexpr int MAX_ZONE_CLOCKS = 254;

// Encoding of (d, <=) when le is non-zero, of (d, <) otherwise. d must lie in
// MIN_BOUND_CONSTANT..MAX_BOUND_CONSTANT.
inline int16_t mk_bound(int d, int le) { return static_cast<int16_t>(2 * d + (le ? 1 : 0)); }
// The constant d of a bound (arithmetic shift).
inline int bound_constant(int16_t b) { return b >> 1; }
// 1 for a non-strict bound (<=), 0 for a strict one (<).
inline int bound_is_le(int16_t b) { return b & 1; }
// neg((d, s)) = (-d, opposite strictness), the bound of the complement side.
inline int16_t neg_bound(int16_t b) { return static_cast<int16_t>(1 - b); }

// a (+) b: constants add, non-strict only when both are. The sum saturates to
// INF_BOUND above and to the constant -16384 below (a looser bound, still implied).
// Neither operand may be INF_BOUND.
inline int16_t add_bounds(int16_t a, int16_t b) {
  int s = (a & ~1) + (b & ~1);
  if (s >= INF_BOUND) return INF_BOUND;
  if (s < -32768) s = -32768;
  return static_cast<int16_t>(s | (a & b & 1));
}

// Limits of the 16-bit representation. Each returns 1 when the value is
// acceptable; otherwise prints "<tool>: ERROR: ..." with the limit on standard
// error and returns 0 (the caller, a parser, then exits with status -1).
int check_bound_constant(long c);
// n = number of declared clocks plus extra clocks.
int check_clocks_number(long n);

// ---------------------------------------------------------------------------
// The zone record

constexpr unsigned char ZONE_EMPTY = 1;      // no valuation; matrix released
constexpr unsigned char ZONE_UNIVERSAL = 2;  // a copy of the universal zone
constexpr unsigned char ZONE_CANONICAL = 4;  // closed, edge bits reduced

typedef struct zone {
  // N_OF_CLOCKS row pointers into one contiguous N_OF_CLOCKS * N_OF_CLOCKS
  // block (bounds[i] == bounds[0] + i * N_OF_CLOCKS). Null once empty.
  int16_t **bounds;
  // EDGES_SIZE words; entry (i, j) is bit i * N_OF_CLOCKS + j (word b / 32,
  // position b % 32 from the least significant bit). Null once empty.
  uint32_t *edges;
  // ZONE_EMPTY | ZONE_UNIVERSAL | ZONE_CANONICAL.
  unsigned char flags;
} zone;

// Number of clocks, reference clock included (declared + extra + 1).
extern uint16_t N_OF_CLOCKS;
// N_OF_CLOCKS squared.
extern uint16_t BOUNDS_SIZE;
// Number of 32-bit words of the edge bits: (BOUNDS_SIZE + 31) / 32.
extern uint16_t EDGES_SIZE;
// Extra clocks that the current formula introduces (the last indices).
// Defined here; raised by the formula parser.
extern uint16_t N_OF_EXTRA_CLOCKS;
// Length of assignment vectors (declared clocks + 1). Defined here because the
// assignment operations below read it; set by the timed-graph tables.
extern uint16_t AFFECT_SIZE;
// Clock names by index ("_0_", the declared names, "_ex1".."_exk"); each
// name is a copy owned by the table.
extern char **clocks_names;

// 1 when z denotes the empty set (null or flagged empty).
inline int is_empty_zone(const zone *z) { return z == nullptr || (z->flags & ZONE_EMPTY) != 0; }
// Edge bit (i, j) of a non-empty zone.
inline int get_edge_zone(const zone *z, int i, int j) {
  unsigned b = static_cast<unsigned>(i * N_OF_CLOCKS + j);
  return (z->edges[b >> 5] >> (b & 31)) & 1u;
}
// Sets (flag non-zero) or clears edge bit (i, j) of a non-empty zone.
inline void put_edge_zone(zone *z, int i, int j, int flag) {
  unsigned b = static_cast<unsigned>(i * N_OF_CLOCKS + j);
  if (flag) z->edges[b >> 5] |= 1u << (b & 31);
  else z->edges[b >> 5] &= ~(1u << (b & 31));
}

// ---------------------------------------------------------------------------
// Set-up

// Sets N_OF_CLOCKS = n + k + 1, BOUNDS_SIZE and EDGES_SIZE, names the clocks
// (init_clocks_names) and builds the universal zone. names[0..n-1] are the
// declared names (copied). May be called again for another model.
void init_zone_module(int n, int k, char **names);
// New clocks_names for n declared clocks (names[0..n-1], copied) and k extra
// clocks; the previous table is released.
void init_clocks_names(int n, int k, char **names);
// Stores a copy of name as the name of clock i (i < N_OF_CLOCKS).
void put_clocks_names(int i, const char *name);
// Builds the module's universal zone for the current N_OF_CLOCKS.
void init_universal();

// ---------------------------------------------------------------------------
// Making, copying, freeing

// A new copy of the universal zone (flags universal | canonical).
zone *mk_universal_zone();
// A new closed zone where clocks 1..N_OF_CLOCKS-k-1 equal 0 and the last k
// clocks are only >= 0; its edges are the upper bounds of the zeroed clocks.
zone *mk_zero_zone(int k);
// A new zone with the matrix, edge bits and flags of z; null when z is empty.
zone *assign_zone(zone *z);
// Releases z (null or empty zones included: an empty record is freed too).
void free_zone(zone *z);
// Turns a non-empty z into an empty record in place (flags 5); its matrix is
// no longer reachable. The record itself is still freed with free_zone.
void convert_empty_zone(zone *z);

// Entry (i, j) = bound; edge bit (i, j) set when flag is non-zero, cleared
// when 0. Flags untouched. Nothing for an empty zone.
void assign_bounds_edges_zone(zone *z, int i, int j, int16_t bound, int flag);
// Entry (i, j) = bound, edge bit (i, j) set, flags cleared (0). Nothing for
// an empty zone.
void assign_disactual_bounds_edges_zone(zone *z, int i, int j, int16_t bound);

// ---------------------------------------------------------------------------
// Canonical form and comparisons

// Closes z in place and reduces its edge bits; does nothing when z is null,
// empty or already canonical. z may turn empty (flags 5).
void cf_zone(zone *z);
// 1 when a and b denote the same set (both are closed first), else 0.
int equ_zone(zone *a, zone *b);
// 1 when every off-diagonal bound of a and b is equal (or both are empty),
// without closing either; else 0.
int equal_dont_cf_zones(const zone *a, const zone *b);
// 1 when a is included in b, decided on b's edges against a's closed matrix
// (closed copies are used for arguments that are not closed). b's edges must
// describe b, as those of every zone made by this module do. Neither is
// changed.
int is_included_zone(const zone *a, const zone *b);

// ---------------------------------------------------------------------------
// Transformations. Unless stated otherwise: the arguments keep their set of
// valuations (they may be closed in place); a null or empty argument gives a
// null result; the result is new, owned by the caller, and its canonical flag
// is cleared when its matrix may not be closed. An argument need not be
// closed, nor found empty yet: each operation gives for it what it gives for
// its closure.

// Time successors of z (z is closed first).
zone *forward_proj_zone(zone *z);
// z with every upper bound tighter than w's replaced by w's (time passes up
// to the bounds of w), both read closed. An empty w gives null.
zone *forward_proj_cond_zone(zone *z, zone *w);
// Time predecessors of z (read closed; z itself is left as it is).
zone *proj_zone(zone *z);
// a ∩ b, not closed (may turn empty in cf_zone). A universal operand gives a
// copy of the other.
zone *intersection_zone(zone *a, zone *b);
// Convex hull of a and b (both are closed first); an empty operand gives a
// copy of the other.
zone *Union_zone(zone *a, zone *b);
// How z ends where w begins, over the upper bounds of z and lower bounds of
// w, both read closed: -1 when either is empty or meetings of both kinds
// occur, 1 only strict meetings (z has x < d, w has x >= d), 2 only closed
// meetings, 0 none.
int test_border(zone *z, zone *w);
// The common border of adjacent zones z and w (both read closed), z ∩ w when
// they are not adjacent, null when they meet in both ways. Not closed.
zone *border_zone(zone *z, zone *w);
// { v : v[x := 0] in z }, closed; the empty zone record (not null) when
// x = 0 is impossible in z. x in 1..N_OF_CLOCKS-1.
zone *reset_zone(zone *z, int x);
// Pre-image of z through the assignment vector a (AFFECT_SIZE entries:
// clock i takes the old value of clock a[i]); closed, possibly an empty
// record; null when z is empty or two constraints meet on one clock.
zone *backward_affect_zone(zone *z, const uint16_t *a);
// Image of z through the assignment vector a; not closed.
zone *forward_affect_zone(zone *z, const uint16_t *a);
// Extrapolation of z (read closed) against the maximal-bounds zone m; not
// closed.
zone *maximize_zone(zone *z, zone *m);
// In place: z gets k more clocks at the end, unconstrained. Reads
// N_OF_CLOCKS as the current width; the caller sets the new number after.
// Nothing for an empty zone (z is closed first).
void add_extra_clocks_zone(zone *z, int k);
// In place: the last k clocks of z are projected away (z is closed first).
// Reads N_OF_CLOCKS as the current width; the caller sets the new number
// after. Nothing for an empty zone.
void del_extra_clocks_zone(zone *z, int k);
