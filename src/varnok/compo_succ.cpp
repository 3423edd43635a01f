#include "varnok/compo_succ.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/region/region.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_read_write.h"
#include "varnok/compo_sync.h"
#include "varnok/pool.h"
#include "varnok/simul.h"

zone *TA_approx_zone = nullptr;

// ===========================================================================
// Local zones laid out over the product's clocks

// Global index of local clock k of automaton a, given the global index of
// its clock 1 minus one.
static inline int global_clock(int base, int k) { return k == 0 ? 0 : base + k; }

static inline int local_edge(const zone *lz, int na, int j, int k) {
  unsigned b = static_cast<unsigned>(j * na + k);
  return (lz->edges[b >> 5] >> (b & 31)) & 1u;
}

// Writes every bound and edge bit of lz (automaton a's clocks) into the
// matching entries of the product zone z.
static void lay_local_zone(zone *z, const zone *lz, int a) {
  int na = TA_N_OF_CLOCKS[a], base = encode_clock_index(1, a) - 1;
  for (int j = 0; j < na; j++) {
    int gj = global_clock(base, j);
    for (int k = 0; k < na; k++) {
      int gk = global_clock(base, k);
      z->bounds[gj][gk] = lz->bounds[j][k];
      put_edge_zone(z, gj, gk, local_edge(lz, na, j, k));
    }
  }
}

// Intersects the product zone z, entry by entry, with lz laid out the same way.
static void meet_local_zone(zone *z, const zone *lz, int a) {
  int na = TA_N_OF_CLOCKS[a], base = encode_clock_index(1, a) - 1;
  for (int j = 0; j < na; j++) {
    int gj = global_clock(base, j);
    for (int k = 0; k < na; k++) {
      int gk = global_clock(base, k);
      if (lz->bounds[j][k] < z->bounds[gj][gk]) z->bounds[gj][gk] = lz->bounds[j][k];
      if (local_edge(lz, na, j, k)) put_edge_zone(z, gj, gk, 1);
    }
  }
}

// Number of zones of region r that are taken one by one (an empty region
// counts one, the empty zone).
static int zone_count(const region *r) { return is_empty_region(r) ? 1 : r->count; }

// Zone k of the invariant of location l of automaton a, null when it is
// empty (warned).
static const zone *local_invariant(int a, int l, int k) {
  const region *r = TA_list_reg[a][TA_inv[a][l]];
  if (is_empty_region(r) || is_empty_zone(r->zones[k])) {
    fprintf(stderr, "Warning: invariant of location %d of %s.tg is empty.\n", l, TA_names[a].c_str());
    return nullptr;
  }
  return r->zones[k];
}

// Zone k of the guard of transition record t of automaton a, as above.
static const zone *local_guard(int a, const trans_rec *t, int k) {
  const region *r = TA_list_reg[a][t->guard];
  if (is_empty_region(r) || is_empty_zone(r->zones[k])) {
    fprintf(stderr, "Warning: guard of transition %d->%d of %s.tg is empty.\n", t->source, t->target,
            TA_names[a].c_str());
    return nullptr;
  }
  return r->zones[k];
}

static void clear_edges(zone *z) {
  size_t words = (static_cast<size_t>(N_OF_CLOCKS) * N_OF_CLOCKS + 31) / 32;
  for (size_t w = 0; w < words; w++) z->edges[w] = 0;
}

// A piece number picks one zone per automaton: its digits, automaton 0
// least significant, run over the zones of each automaton's region.
static int next_digit(int *piece, int count) {
  int k = *piece % count;
  *piece /= count;
  return k;
}

int guard_piece_count(const trans_rec *const *e, int n) {
  int64_t count = 1;
  for (int a = 0; a < n; a++)
    if (e[a] != nullptr) count *= zone_count(TA_list_reg[a][e[a]->guard]);
  return count > INT32_MAX ? INT32_MAX : static_cast<int>(count);
}

int invariant_piece_count(const int32_t *v, int n) {
  int64_t count = 1;
  for (int a = 0; a < n; a++) count *= zone_count(TA_list_reg[a][TA_inv[a][v[a]]]);
  return count > INT32_MAX ? INT32_MAX : static_cast<int>(count);
}

// z (holding the universal matrix) becomes invariant piece `piece` of v,
// not yet closed; false when one zone is empty.
static bool fill_invariants(zone *z, const int32_t *v, int n, int piece) {
  clear_edges(z);
  for (int a = 0; a < n; a++) {
    int k = next_digit(&piece, zone_count(TA_list_reg[a][TA_inv[a][v[a]]]));
    const zone *lz = local_invariant(a, v[a], k);
    if (lz == nullptr) return false;
    lay_local_zone(z, lz, a);
  }
  z->flags = 0;
  return true;
}

static bool fill_guards(zone *z, const trans_rec *const *e, int n, int piece) {
  clear_edges(z);
  for (int a = 0; a < n; a++) {
    if (e[a] == nullptr) continue;
    int k = next_digit(&piece, zone_count(TA_list_reg[a][e[a]->guard]));
    const zone *lz = local_guard(a, e[a], k);
    if (lz == nullptr) return false;
    lay_local_zone(z, lz, a);
  }
  z->flags = 0;
  return true;
}

// A new closed zone from fill (false: none), null when it is empty.
template <typename Fill>
static zone *new_filled_zone(Fill fill) {
  zone *z = mk_universal_zone();
  if (!fill(z)) {
    free_zone(z);
    return nullptr;
  }
  cf_zone(z);
  if (is_empty_zone(z)) {
    free_zone(z);
    return nullptr;
  }
  return z;
}

zone *mk_invariant_piece_zone(const int32_t *v, int n, int piece) {
  return new_filled_zone([&](zone *z) { return fill_invariants(z, v, n, piece); });
}

zone *mk_guard_piece_zone(const trans_rec *const *e, int n, int piece) {
  return new_filled_zone([&](zone *z) { return fill_guards(z, e, n, piece); });
}

zone *mk_invariants_zone_from_location_vector(const int32_t *v, int n) { return mk_invariant_piece_zone(v, n, 0); }

zone *mk_guards_zone_from_transition_vector(const trans_rec *const *e, int n) { return mk_guard_piece_zone(e, n, 0); }

void mk_invariant_pieces(const int32_t *v, int n, std::vector<zone *> &out) {
  size_t first = out.size();
  int count = invariant_piece_count(v, n);
  for (int k = 0; k < count; k++) {
    zone *z = mk_invariant_piece_zone(v, n, k);
    if (z != nullptr) out.push_back(z);
  }
  drop_included_zones(out, first);
}

int mk_invs_prealloc_zone_from_loc_vector(zone *z, const int32_t *v, int n) {
  copy_univ_prealloc_zone(z);
  if (!fill_invariants(z, v, n, 0)) {
    z->flags = ZONE_EMPTY | ZONE_CANONICAL;
    return 0;
  }
  return cf_prealloc_zone(z);
}

int mk_guard_piece_prealloc_zone(zone *z, const trans_rec *const *e, int n, int piece) {
  copy_univ_prealloc_zone(z);
  if (!fill_guards(z, e, n, piece)) {
    z->flags = ZONE_EMPTY | ZONE_CANONICAL;
    return 0;
  }
  return cf_prealloc_zone(z);
}

int mk_guards_prealloc_zone_from_trans_vector(zone *z, const trans_rec *const *e, int n) {
  return mk_guard_piece_prealloc_zone(z, e, n, 0);
}

int forw_proj_invariants_prealloc_zone(zone *z, const int32_t *v, int n) {
  if (is_empty_zone(z)) return 0;
  for (int i = 1; i < N_OF_CLOCKS; i++) z->bounds[i][0] = INF_BOUND;
  size_t bits = static_cast<size_t>(N_OF_CLOCKS) * N_OF_CLOCKS;
  for (size_t b = 0; b < bits; b++) z->edges[b >> 5] |= 1u << (b & 31);
  for (int a = 0; a < n; a++) {
    const zone *lz = local_invariant(a, v[a], 0);
    if (lz == nullptr) {
      z->flags = ZONE_EMPTY | ZONE_CANONICAL;
      return 0;
    }
    meet_local_zone(z, lz, a);
  }
  z->flags = 0;
  return cf_prealloc_zone(z);
}

// ===========================================================================
// Assignments

[[noreturn]] static void affect_mode_unknown() {
  fprintf(stderr, "ERROR (compo_succ): affect_mode_unknown\n");
  exit(-1);
}

// Entry of global clock g (local clock k of automaton a) under transition t.
static int affect_entry(const trans_rec *t, int a, int k, int g) {
  if (t == nullptr) return g;
  int local = t->affect->affect[k];
  switch (t->affect->mode) {
    case 0: return g;
    case 1: return local != 0 ? g : 0;
    case 2: return local == k ? g : (local == 0 ? 0 : encode_clock_index(local, a));
    default: affect_mode_unknown();
  }
}

static int build_affect(uint16_t *out, const trans_rec *const *e, const int32_t *v, int n) {
  int changed = 0, g = 1;
  for (int a = 0; a < n; a++) {
    const trans_rec *t = e[a];
    bool masked = v != nullptr && !TA_LocClockAct[a].empty();
    uint32_t mask = masked ? TA_LocClockAct[a][v[a]] : 0;
    for (int k = 1; k < TA_AFFECT_SIZE[a]; k++, g++) {
      int entry = affect_entry(t, a, k, g);
      bool copy = t != nullptr && t->affect->mode == 2 && entry != g && entry != 0;
      if (masked && !copy && !(mask & (1u << k))) entry = 0;
      out[g] = static_cast<uint16_t>(entry);
      if (entry != g) changed = 1;
    }
  }
  return changed;
}

int mk_prealloc_affect_from_trans_vec(uint16_t *out, const trans_rec *const *e, int n) {
  return build_affect(out, e, nullptr, n);
}

int mk_prealloc_affect_from_trans_vec_act(uint16_t *out, const trans_rec *const *e, const int32_t *v, int n) {
  return build_affect(out, e, v, n);
}

// ===========================================================================
// Successors

static int take_affect_slot(uint16_t **out) {
  int slot = get_affect_from_pool(out);
  if (slot < 0) {
    fprintf(stderr, "Warning: affect_pool is full!\n");
    exit(-1);
  }
  return slot;
}

static int take_zone_slot(zone **out) {
  int slot = get_zone_from_pool(out);
  if (slot < 0) {
    fprintf(stderr, "Warning: zone_pool is full!\n");
    exit(-1);
  }
  return slot;
}

static TA_symb_state *succ_alloc(const TA_symb_state *s, const trans_rec *const *e, const int32_t *v, int32_t *u,
                                 int n, bool act) {
  src_vector_to_dest_vector_by_act(v, u, e, n);
  int32_t code = TA_encode_state_vector(u, n);
  zone *g = mk_guards_zone_from_transition_vector(e, n);
  if (g == nullptr) return nullptr;
  zone *z = intersection_zone(s->z, g);
  free_zone(g);
  uint16_t *affect = nullptr;
  int aslot = take_affect_slot(&affect);
  int changed = act ? mk_prealloc_affect_from_trans_vec_act(affect, e, u, n) : mk_prealloc_affect_from_trans_vec(affect, e, n);
  if (changed && z != nullptr) {
    zone *moved = forward_affect_zone(z, affect);
    free_zone(z);
    z = moved;
  }
  release_affect_to_pool(aslot);
  zone *later = forward_proj_zone(z);
  free_zone(z);
  if (later == nullptr) return nullptr;
  zone *invariant = mk_invariants_zone_from_location_vector(u, n);
  zone *r = invariant != nullptr ? intersection_zone(later, invariant) : nullptr;
  free_zone(later);
  free_zone(invariant);
  cf_zone(r);
  if (is_empty_zone(r)) {
    free_zone(r);
    return nullptr;
  }
  return new TA_symb_state{code, r};
}

TA_symb_state *TA_succ_action_temp(const TA_symb_state *s, const trans_rec *const *e, const int32_t *v, int32_t *u,
                                   int n) {
  return succ_alloc(s, e, v, u, n, false);
}

TA_symb_state *TA_succ_action_temp_act(const TA_symb_state *s, const trans_rec *const *e, const int32_t *v,
                                       int32_t *u, int n) {
  return succ_alloc(s, e, v, u, n, true);
}

int TA_move_is_convex(const trans_rec *const *e, const int32_t *u, int n) {
  return guard_piece_count(e, n) == 1 && invariant_piece_count(u, n) == 1;
}

// (zone of s ∩ guard piece) after the assignment, closed; null when empty.
static zone *fire_piece(const TA_symb_state *s, const trans_rec *const *e, int piece, const int32_t *u, int n,
                        bool act) {
  zone *g = mk_guard_piece_zone(e, n, piece);
  if (g == nullptr) return nullptr;
  zone *z = intersection_zone(s->z, g);
  free_zone(g);
  cf_zone(z);
  if (is_empty_zone(z)) {
    free_zone(z);
    return nullptr;
  }
  uint16_t *affect = nullptr;
  int aslot = take_affect_slot(&affect);
  int changed = act ? mk_prealloc_affect_from_trans_vec_act(affect, e, u, n) : mk_prealloc_affect_from_trans_vec(affect, e, n);
  if (changed) {
    zone *moved = forward_affect_zone(z, affect);
    free_zone(z);
    z = moved;
    cf_zone(z);
  }
  release_affect_to_pool(aslot);
  if (is_empty_zone(z)) {
    free_zone(z);
    return nullptr;
  }
  return z;
}

void TA_succ_action_temp_pieces(const TA_symb_state *s, const trans_rec *const *e, int piece, const int32_t *v,
                                int32_t *u, int n, int act, std::vector<zone *> &out) {
  src_vector_to_dest_vector_by_act(v, u, e, n);
  if (TA_move_is_convex(e, u, n)) {
    TA_symb_state *r = succ_alloc(s, e, v, u, n, act != 0);
    if (r != nullptr) out.push_back(r->z);
    delete r;
    return;
  }
  zone *z = fire_piece(s, e, piece, u, n, act != 0);
  if (z == nullptr) return;
  std::vector<zone *> invariant;
  mk_invariant_pieces(u, n, invariant);
  elapse_in_invariant(z, invariant.data(), static_cast<int>(invariant.size()), out);
  free_zone(z);
  for (zone *i : invariant) free_zone(i);
}

// Every intermediate slot is released as soon as it is consumed: at most
// three zone slots are in use at once, and only the result's on return.
static int succ_prealloc(TA_symb_state *out, const TA_symb_state *s, const trans_rec *const *e, const int32_t *v,
                         int32_t *u, int n, bool act) {
  src_vector_to_dest_vector_by_act(v, u, e, n);
  out->code = TA_encode_state_vector(u, n);
  out->z = nullptr;
  zone *guard, *meet;
  int gslot = take_zone_slot(&guard);
  if (!mk_guards_prealloc_zone_from_trans_vector(guard, e, n)) {
    release_zone_to_pool(gslot);
    return -1;
  }
  int mslot = take_zone_slot(&meet);
  intersection_prealloc_zone(meet, s->z, guard);
  release_zone_to_pool(gslot);
  uint16_t *affect = nullptr;
  int aslot = take_affect_slot(&affect);
  int changed = act ? mk_prealloc_affect_from_trans_vec_act(affect, e, u, n) : mk_prealloc_affect_from_trans_vec(affect, e, n);
  if (changed) {
    zone *moved;
    int slot = take_zone_slot(&moved);
    forward_affect_prealloc_zone(moved, meet, affect);
    release_zone_to_pool(mslot);
    mslot = slot;
    meet = moved;
  }
  release_affect_to_pool(aslot);
  zone *later;
  int lslot = take_zone_slot(&later);
  int alive = forward_proj_prealloc_zone(later, meet);
  release_zone_to_pool(mslot);
  if (!alive) {
    release_zone_to_pool(lslot);
    return -1;
  }
  zone *invariant, *result;
  int islot = take_zone_slot(&invariant);
  if (!mk_invs_prealloc_zone_from_loc_vector(invariant, u, n)) {
    release_zone_to_pool(islot);
    release_zone_to_pool(lslot);
    return -1;
  }
  int rslot = take_zone_slot(&result);
  intersection_prealloc_zone(result, later, invariant);
  release_zone_to_pool(lslot);
  release_zone_to_pool(islot);
  if (!cf_prealloc_zone(result)) {
    release_zone_to_pool(rslot);
    return -1;
  }
  out->z = result;
  return rslot;
}

int TA_succ_action_temp_prealloc(TA_symb_state *out, const TA_symb_state *s, const trans_rec *const *e,
                                 const int32_t *v, int32_t *u, int n) {
  return succ_prealloc(out, s, e, v, u, n, false);
}

int TA_succ_action_temp_prealloc_act(TA_symb_state *out, const TA_symb_state *s, const trans_rec *const *e,
                                     const int32_t *v, int32_t *u, int n) {
  return succ_prealloc(out, s, e, v, u, n, true);
}

// ===========================================================================
// Extrapolation zone

int system_has_clock_affects() {
  for (int a = 0; a < N_OF_TA; a++)
    for (const trans_rec *t : TA_trans_table[a])
      if (t->affect->mode == 2) return 1;
  return 0;
}

// Largest constant of local clock k (k = 0: every clock) in the zone z of
// an automaton with na clocks, as an upper bound, at least m.
static int16_t max_bound_of_zone(const zone *z, int na, int k, int16_t m) {
  if (is_empty_zone(z)) return m;
  for (int c = 1; c < na; c++) {
    if (k != 0 && c != k) continue;
    int16_t upper = z->bounds[c][0], lower = z->bounds[0][c];
    if (upper != INF_BOUND && upper > m) m = upper;
    if (lower != INF_BOUND) {
      int16_t flipped = mk_bound(-bound_constant(lower), bound_is_le(lower));
      if (flipped > m) m = flipped;
    }
  }
  return m;
}

// The same over every zone of every region of automaton a; never below
// (0, <=) when m is not.
static int16_t max_bound_of(int a, int k, int16_t m) {
  int na = TA_N_OF_CLOCKS[a];
  for (const region *r : TA_list_reg[a]) {
    if (is_empty_region(r)) continue;
    for (int q = 0; q < r->count; q++) m = max_bound_of_zone(r->zones[q], na, k, m);
  }
  return m;
}

int16_t find_max_system_bound() {
  int16_t m = ZERO_LE;
  for (int a = 0; a < N_OF_TA; a++) m = max_bound_of(a, 0, m);
  return m;
}

void TA_init_approx_zone(int n) {
  zone *z = mk_universal_zone();
  z->flags = 0;
  bool shared = system_has_clock_affects() != 0;
  int16_t all = shared ? find_max_system_bound() : ZERO_LE;
  for (int a = 0; a < n; a++)
    for (int k = 1; k < TA_N_OF_CLOCKS[a]; k++) {
      int16_t bound = shared ? all : max_bound_of(a, k, ZERO_LE);
      assign_bounds_edges_zone(z, encode_clock_index(k, a), 0, bound, 1);
    }
  cf_zone(z);
  TA_approx_zone = z;
  FILE *f = open_result("approx_zone", "w");
  if (f == nullptr) {
    fprintf(stderr, "%s: cannot open file %s\n", tool, result_path("approx_zone").c_str());
    return;
  }
  fprintf(f, "Approximation:\n");
  print_hide_zone3(z, f);
  close_output(f);
}
