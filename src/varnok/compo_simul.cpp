#include "varnok/compo_simul.h"

#include <algorithm>
#include <cstdlib>

#include "common/tctl/tctl_syntax.h"
#include "common/util/my_files.h"
#include "common/util/stattime.h"
#include "common/zone/zone.h"
#include "common/zone/zone_hash.h"
#include "common/zone/zone_read_write.h"
#include "varnok/compo_ptg.h"
#include "varnok/initial_vectors.h"
#include "varnok/run_text.h"
#include "varnok/compo_runs.h"
#include "varnok/compo_succ.h"
#include "varnok/compo_sync.h"
#include "varnok/pool.h"
#include "varnok/progress.h"
#include "varnok/simul.h"
#include "varnok/varnok_options.h"
#include "varnok/verdict.h"

std::vector<TA_sim_state> &TA_succ_sim_graph = *new std::vector<TA_sim_state>;
int nb_symb_states = 0;
std::vector<TA_symb_state> &TA_symb_states_set = *new std::vector<TA_symb_state>;
std::vector<state_zone_entry> &state_zone_Stack = *new std::vector<state_zone_entry>;
int stack_depth = -1;

// ===========================================================================
// Initial states

zone *init_zone_of_location_vector(const int32_t *v) {
  if (is_option(OPT_INV)) return mk_invariants_zone_from_location_vector(v, N_OF_TA);
  zone *z = mk_zero_zone(0);
  if (!forw_proj_invariants_prealloc_zone(z, v, N_OF_TA)) {
    free_zone(z);
    return nullptr;
  }
  return z;
}

void init_zones_of_location_vector(const int32_t *v, std::vector<zone *> &out) {
  if (invariant_piece_count(v, N_OF_TA) == 1) {
    zone *z = init_zone_of_location_vector(v);
    if (z != nullptr) out.push_back(z);
    return;
  }
  if (is_option(OPT_INV)) {
    mk_invariant_pieces(v, N_OF_TA, out);
    return;
  }
  std::vector<zone *> invariant;
  mk_invariant_pieces(v, N_OF_TA, invariant);
  zone *zero = mk_zero_zone(0);
  elapse_in_invariant(zero, invariant.data(), static_cast<int>(invariant.size()), out);
  free_zone(zero);
  for (zone *i : invariant) free_zone(i);
}

// ===========================================================================
// The full simulation graph

TA_symb_state *TA_new_symb_state(int32_t code, zone *z) {
  if (is_option(OPT_ABS_XTRA) && TA_approx_zone != nullptr) {
    zone *m = maximize_zone(z, TA_approx_zone);
    free_zone(z);
    z = m;
  }
  cf_zone(z);
  z = insert_zone(z);
  if (is_option(OPT_VERBOSE)) {
    printf("%s: %d states, %d transitions\r", tool, nb_symb_states, nb_sim_trans);
    fflush(stdout);
  }
  return new TA_symb_state{code, z};
}

int TA_new_sim_state(TA_symb_state *s) {
  TA_succ_sim_graph.push_back({s, {}});
  return nb_symb_states++;
}

void TA_add_sim_trans(int source, int32_t trans, int target, int32_t piece) {
  TA_succ_sim_graph[source].trans.push_back({source, target, trans, piece});
  nb_sim_trans++;
}

void TA_print_abort() {
  FILE *f = open_result("abort.sim", "w");
  if (f == nullptr) {
    fprintf(stderr, "%s: cannot open file %s\n", tool, result_path("abort.sim").c_str());
    return;
  }
  fprint_simulation_graph(f);
  close_output(f);
  fprintf(stderr, "%s: file %s dumped\n", tool, result_path("abort.sim").c_str());
}

[[noreturn]] static void abort_too_many_states() {
  fprintf(stderr, "%s abort: too many symbolic states ", tool);
  fprintf(stderr, "(current MAX_SYMB_STATES = %d;)\n", MAX_SYMB_STATES);
  fprintf(stderr, "hint: use the '-abs' option for abstractions,\n");
  fprintf(stderr, "\tor use the '-FORW n' option to limit the search.\n");
  if (is_option(OPT_HISTORY)) TA_print_abort();
  time_R(9);
  TA_print_computation_times();
  verdict::stopped_at_limit();
  exit(-1);
}

// Takes s over: it is stored, or released when an equal (covering) state is.
int TA_insert_symb_state(TA_symb_state *s) {
  symb_node *node;
  symb_hash_insert(&node, s->code);
  if (is_option(OPT_ABS_INCL)) {
    for (symb_item *i = node->items; i != nullptr; i = i->next)
      if (is_included_zone(s->z, i->state->z)) {
        delete s;
        return i->number;
      }
  } else if (is_option(OPT_ABS_HULL)) {
    if (node->items != nullptr) {
      zone *newest = node->items->state->z;
      if (is_included_zone(s->z, newest)) {
        delete s;
        return node->items->number;
      }
      zone *hull = Union_zone(s->z, newest);
      cf_zone(hull);
      int32_t code = s->code;
      delete s;
      s = TA_new_symb_state(code, hull);
    }
  } else {
    for (symb_item *i = node->items; i != nullptr; i = i->next)
      if (i->state->z == s->z) {
        delete s;
        return i->number;
      }
  }
  if (nb_symb_states >= MAX_SYMB_STATES) abort_too_many_states();
  int number = TA_new_sim_state(s);
  node->items = new symb_item{s, number, node->items};
  return number;
}

void TA_init_succ_sim_graph(const tctl_node *init) {
  if (init == nullptr) {
    printf("ERROR: initial-state formula is `true'\n");
    exit(-1);
  }
  std::vector<zone *> zones;
  for_each_initial_location_vector(init, [&zones](const int32_t *v) {
    init_zones_of_location_vector(v, zones);
    for (zone *z : zones) TA_insert_symb_state(TA_new_symb_state(TA_encode_state_vector(v, N_OF_TA), z));
    zones.clear();
  });
}

// The successors of state i under transition vector w when its guards or
// the target's invariant are disjunctions: one per guard piece and
// invariant piece, each inserted with its transition.
static void add_piece_successors(int i, const int32_t *w, const trans_rec *const *e, const int32_t *v, int32_t *u,
                                 bool act) {
  const int n = N_OF_TA;
  std::vector<zone *> next;
  int32_t trans = TA_encode_trans_vector(w, n);
  for (int piece = 0, count = guard_piece_count(e, n); piece < count; piece++) {
    TA_succ_action_temp_pieces(TA_succ_sim_graph[i].st, e, piece, v, u, n, act, next);
    int32_t code = TA_encode_state_vector(u, n);
    for (zone *z : next) TA_add_sim_trans(i, trans, TA_insert_symb_state(TA_new_symb_state(code, z)), piece);
    next.clear();
  }
}

// The states made from the initial-state formula come first in the graph.
static int nb_initial_sim_states = 0;

int TA_nb_initial_sim_states() { return nb_initial_sim_states; }

int gen_simulation_graph(const tctl_node *init) {
  const int n = N_OF_TA;
  if (is_option(OPT_ABS_XTRA)) TA_init_approx_zone(n);
  init_zone_pool();
  init_affect_pool();
  init_SymbHashTab();
  TA_succ_sim_graph.clear();
  nb_symb_states = 0;
  nb_sim_trans = 0;
  TA_init_succ_sim_graph(init);
  nb_initial_sim_states = nb_symb_states;
  bool act = is_option(OPT_ACTIVITY) != 0;
  if (act) init_TA_LocClockAct();
  std::vector<int32_t> v(n), u(n), w(n);
  std::vector<const trans_rec *> e(n);
  for (int i = 0; i < nb_symb_states; i++) {
    progress::step(nb_symb_states, nb_symb_states - i, i);
    const TA_symb_state *s = TA_succ_sim_graph[i].st;
    TA_decode_state_vector(s->code, v.data(), n);
    for (int c = trans_sync_get_1st(v.data(), w.data(), n); c >= 0; c = trans_sync_get_nxt(v.data(), w.data(), n, c)) {
      trans_to_action_vector(w.data(), e.data(), n);
      src_vector_to_dest_vector_by_act(v.data(), u.data(), e.data(), n);
      if (!TA_move_is_convex(e.data(), u.data(), n)) {
        add_piece_successors(i, w.data(), e.data(), v.data(), u.data(), act);
        continue;
      }
      TA_symb_state *next = act ? TA_succ_action_temp_act(s, e.data(), v.data(), u.data(), n)
                                : TA_succ_action_temp(s, e.data(), v.data(), u.data(), n);
      if (next == nullptr) continue;
      int target = TA_insert_symb_state(TA_new_symb_state(next->code, next->z));
      delete next;
      TA_add_sim_trans(i, TA_encode_trans_vector(w.data(), n), target);
      s = TA_succ_sim_graph[i].st;  // the table may have grown
    }
  }
  return nb_symb_states;
}

void fprint_sim_trans_move(FILE *f, const TA_sim_trans &t) {
  const int n = N_OF_TA;
  std::vector<int32_t> w(n);
  std::vector<const trans_rec *> e(n);
  TA_decode_trans_vector(t.trans, w.data(), n);
  trans_to_action_vector(w.data(), e.data(), n);
  zone *guard = mk_guard_piece_zone(e.data(), n, t.piece);
  if (guard != nullptr) print_hide_zone2(guard, f);
  else fputs("FALSE", f);
  free_zone(guard);
  fputs(" => ", f);
  fprint_trans_vector_labels(f, w.data(), n);
  fputs("; ", f);
  TA_action_fprint_affect(f, e.data(), n);
}

static void fprint_sim_trans(FILE *f, const TA_sim_trans &t) {
  fprint_sim_trans_move(f, t);
  fprintf(f, "goto %d\n", t.target);
}

void fprint_simulation_graph(FILE *f) {
  const int n = N_OF_TA;
  fputs("/* Simulation graph generated ", f);
  fputs("for the parallel composition of:\n", f);
  for (int a = 0; a < n; a++) fprintf(f, "\tautomaton %d: %s.tg\n", a, TA_names[a].c_str());
  fputs("*/\n", f);
  fprintf(f, "#states %d\n", nb_symb_states);
  fprintf(f, "#trans  %d\n", nb_sim_trans);
  fprintf(f, "#clocks  %d\n", N_OF_CLOCKS - 1);
  fprint_product_clocks(f);
  std::vector<int32_t> v(n);
  for (int i = 0; i < nb_symb_states; i++) {
    const TA_sim_state &s = TA_succ_sim_graph[i];
    TA_decode_state_vector(s.st->code, v.data(), n);
    fprintf(f, "\nstate: %d", i);
    fprint_location_vector(f, v.data(), n);
    fprint_location_vector_props(f, v.data(), n);
    fputs("invar: ", f);
    if (is_empty_zone(s.st->z)) fputs("FALSE\n", f);
    else print_hide_zone3(s.st->z, f);
    fputs("trans:\n", f);
    for (const TA_sim_trans &t : s.trans) fprint_sim_trans(f, t);
  }
}

// ===========================================================================
// The searches

int stock_symb_st(TA_symb_state *slot, TA_symb_state *s) {
  zone_list_node *list;
  zone_list_hash_insert(&list, s->code);
  if (is_option(OPT_ABS_XTRA) && TA_approx_zone != nullptr) {
    maximize_prealloc_zone(s->z, TA_approx_zone);
    cf_prealloc_zone(s->z);  // equal sets get equal matrices before interning
  }
  zone *stored = nullptr;
  if (is_option(OPT_ABS_HULL) && list->zones != nullptr) {
    zone *newest = list->zones->z;
    if (is_included_zone(s->z, newest)) {
      *slot = {s->code, newest};
      return 0;
    }
    zone *hull;
    int hslot = get_zone_from_pool(&hull);
    if (hslot < 0) {
      fprintf(stderr, "Warning: zone_pool is full!\n");
      exit(-1);
    }
    Union_prealloc_zone3(hull, s->z, newest);
    cf_prealloc_zone(hull);
    if (insert_prealloc_zone(&stored, hull, hslot)) release_zone_to_pool(hslot);
  } else if (is_option(OPT_ABS_INCL)) {
    for (zone_list_item *i = list->zones; i != nullptr; i = i->next)
      if (is_included_zone(s->z, i->z)) {
        *slot = {s->code, i->z};
        return 0;
      }
    insert_prealloc_zone(&stored, s->z, -1);
  } else {
    insert_prealloc_zone(&stored, s->z, -1);
    for (zone_list_item *i = list->zones; i != nullptr; i = i->next)
      if (i->z == stored) {
        *slot = {s->code, stored};
        return 0;
      }
  }
  nb_symb_states++;
  list->zones = new zone_list_item{stored, list->zones};
  *slot = {s->code, stored};
  if (is_option(OPT_VERBOSE)) {
    printf("%s: %d states \r", tool, nb_symb_states);
    fflush(stdout);
  }
  return 1;
}

// Refuses formulas that are not simple boolean formulas; sets up the zone
// table, the extrapolation zone, the pools, the visited set and the masks.
static bool prepare_search(const tctl_node *init, const tctl_node *reach) {
  if (!is_simple_boolean_formula(init) || !is_simple_boolean_formula(reach)) {
    fprintf(stderr, "forw_init_reach: please use simple boolean formulae ");
    fprintf(stderr, "as init and reach condition.\n");
    return false;
  }
  init_zone_hashing(simul_hash_size());
  if (is_option(OPT_ABS_XTRA)) TA_init_approx_zone(N_OF_TA);
  init_zone_pool();
  init_affect_pool();
  init_ZoneListHashTab();
  if (is_option(OPT_ACTIVITY)) init_TA_LocClockAct();
  nb_symb_states = 0;
  return true;
}

// Pooled successor of s under transition vector w (activity variant under -Act).
static int successor(TA_symb_state *out, const TA_symb_state *s, const int32_t *w, const int32_t *v, int32_t *u) {
  const int n = N_OF_TA;
  const trans_rec *e[MAX_NB_TA];
  trans_to_action_vector(w, e, n);
  return is_option(OPT_ACTIVITY) ? TA_succ_action_temp_prealloc_act(out, s, e, v, u, n)
                                 : TA_succ_action_temp_prealloc(out, s, e, v, u, n);
}

// Calls f(state) for every successor of s under transition vector w, until
// f returns true (then 1 is returned): the pooled successor of a convex
// move, else one allocated zone per guard piece and invariant piece, freed
// after f. u receives the target location vector.
template <typename F>
static int for_each_successor(const TA_symb_state *s, const int32_t *w, const int32_t *v, int32_t *u, F f) {
  const int n = N_OF_TA;
  const trans_rec *e[MAX_NB_TA];
  trans_to_action_vector(w, e, n);
  src_vector_to_dest_vector_by_act(v, u, e, n);
  if (TA_move_is_convex(e, u, n)) {
    TA_symb_state out;
    int slot = successor(&out, s, w, v, u);
    if (slot < 0) return 0;
    int stop = f(out);
    release_zone_to_pool(slot);
    return stop;
  }
  std::vector<zone *> next;
  int stop = 0, act = is_option(OPT_ACTIVITY) != 0;
  for (int piece = 0, count = guard_piece_count(e, n); piece < count && !stop; piece++) {
    TA_succ_action_temp_pieces(s, e, piece, v, u, n, act, next);
    for (zone *z : next) {
      TA_symb_state out{TA_encode_state_vector(u, n), z};
      if (!stop) stop = f(out);
      free_zone(z);
    }
    next.clear();
  }
  return stop;
}

static bool satisfies(int32_t code, const tctl_node *f) {
  int32_t v[MAX_NB_TA];
  TA_decode_state_vector(code, v, N_OF_TA);
  return location_vector_satisfies_formula(v, N_OF_TA, f) != 0;
}

// The breadth-first search's way back to the initial states (kept when
// asked for): per stored state the state it was found from (-1: an
// initial one) and the code of the transition vector taken.
struct bfs_link {
  int32_t parent;
  int32_t trans;
};
static std::vector<bfs_link> &bfs_links = *new std::vector<bfs_link>;
static bool bfs_keeps_links = false;
static int bfs_goal = -1;

int reach_prop_simulation_graph_bfs(const tctl_node *init, const tctl_node *reach, bool keep_links) {
  bfs_keeps_links = keep_links;
  bfs_links.clear();
  bfs_goal = -1;
  if (!prepare_search(init, reach)) return -1;
  const int n = N_OF_TA;
  TA_symb_states_set.assign(static_cast<size_t>(MAX_SYMB_STATES) + 1, {0, nullptr});
  bool full = false;
  std::vector<zone *> zones;
  for_each_initial_location_vector(init, [&](const int32_t *v) {
    init_zones_of_location_vector(v, zones);
    for (zone *z : zones) {
      if (!full && nb_symb_states >= MAX_SYMB_STATES) full = true;
      TA_symb_state s{TA_encode_state_vector(v, n), z};
      if (!full && stock_symb_st(&TA_symb_states_set[nb_symb_states], &s) && keep_links) bfs_links.push_back({-1, -1});
      free_zone(z);
    }
    zones.clear();
  });
  if (full) return -1;
  max_depth_reached = 1;
  for (int j = 0; j < nb_symb_states; j++)
    if (satisfies(TA_symb_states_set[j].code, reach)) {
      bfs_goal = j;
      return 1;
    }
  std::vector<int32_t> v(n), u(n), w(n);
  int level_end = nb_symb_states - 1;
  for (int j = 0; j < nb_symb_states; j++) {
    progress::step(nb_symb_states, nb_symb_states - j, j);
    if (j > level_end) {
      max_depth_reached++;
      level_end = nb_symb_states - 1;
    }
    TA_symb_state cur = TA_symb_states_set[j];
    TA_decode_state_vector(cur.code, v.data(), n);
    for (int c = trans_sync_get_1st(v.data(), w.data(), n); c >= 0; c = trans_sync_get_nxt(v.data(), w.data(), n, c)) {
      int result = 0;
      for_each_successor(&cur, w.data(), v.data(), u.data(), [&](TA_symb_state &out) {
        if (nb_symb_states >= MAX_SYMB_STATES) {
          result = -1;
        } else if (stock_symb_st(&TA_symb_states_set[nb_symb_states], &out)) {
          if (keep_links) bfs_links.push_back({j, TA_encode_trans_vector(w.data(), n)});
          if (location_vector_satisfies_formula(u.data(), n, reach)) result = 1;
        }
        return result != 0;
      });
      if (result == 1) {
        max_depth_reached++;
        bfs_goal = nb_symb_states - 1;
      }
      if (result != 0) return result;
    }
  }
  return 0;
}

// ---------------------------------------------------------------------------
// Depth-first search

// Where the depth-first search stands among the moves of the top state:
// the transition vector in w (iterator cursor; live false when none is
// left; cursor -1 recovers it from w), its guard piece, and how many
// successors of that piece were already looked at.
struct dfs_move {
  int cursor;
  bool live;
  int piece;
  int sub;
};

// Pushes (code, z) with the first legal transition vector of its location
// into w; returns the position before its first move.
static dfs_move push_state(int32_t code, zone *z, int32_t *v, int32_t *w) {
  const int n = N_OF_TA;
  stack_depth++;
  if (stack_depth > max_depth_reached) max_depth_reached = stack_depth;
  TA_decode_state_vector(code, v, n);
  int c = trans_sync_get_1st(v, w, n);
  state_zone_Stack[stack_depth] = {code, z, c >= 0 ? TA_encode_trans_vector(w, n) : -1};
  return {c, c >= 0, 0, 0};
}

// Pops the top; with a state left, restores its location vector and the
// move it recorded into w, and returns the position after that move
// (live false: none). live false and cursor -2 when the stack is empty.
static dfs_move pop_state(int32_t *v, int32_t *w) {
  const int n = N_OF_TA;
  if (stack_depth < 0) {
    fprintf(stderr, "%s error: Stack is empty. Aborting...\n", tool);
    exit(-1);
  }
  stack_depth--;
  if (stack_depth < 0) return {-2, false, 0, 0};
  const state_zone_entry &top = state_zone_Stack[stack_depth];
  TA_decode_state_vector(top.code, v, n);
  if (top.trans < 0) return {-1, false, 0, 0};
  TA_decode_trans_vector(top.trans, w, n);
  return {-1, true, top.piece, top.sub};
}

static void next_vector(dfs_move &m, const int32_t *v, int32_t *w) {
  m.cursor = trans_sync_get_nxt(v, w, N_OF_TA, m.cursor);
  m.live = m.cursor >= 0;
  m.piece = 0;
  m.sub = 0;
}

// Looks at the successor of src at position m: true when it is taken
// (stored as new, or always when exhaustive) into kept, m then counting it;
// otherwise m moves on to the next successor, piece or vector. A convex
// move has one successor, computed in the pool.
static bool dfs_candidate(const TA_symb_state &src, dfs_move &m, int exhaustive, const int32_t *v, int32_t *w,
                          int32_t *u, TA_symb_state *kept) {
  const int n = N_OF_TA;
  const trans_rec *e[MAX_NB_TA];
  trans_to_action_vector(w, e, n);
  src_vector_to_dest_vector_by_act(v, u, e, n);
  bool take = false;
  if (TA_move_is_convex(e, u, n)) {
    TA_symb_state out;
    int slot = m.sub == 0 ? successor(&out, &src, w, v, u) : -1;
    if (slot >= 0) {
      take = stock_symb_st(kept, &out) || exhaustive;
      release_zone_to_pool(slot);
    }
    if (take) m.sub = 1;
    else next_vector(m, v, w);
    return take;
  }
  std::vector<zone *> next;
  TA_succ_action_temp_pieces(&src, e, m.piece, v, u, n, is_option(OPT_ACTIVITY) != 0, next);
  size_t size = next.size();
  if (static_cast<size_t>(m.sub) < size) {
    TA_symb_state out{TA_encode_state_vector(u, n), next[m.sub]};
    take = stock_symb_st(kept, &out) || exhaustive;
    m.sub++;
  } else {
    m.sub = 0;
    if (++m.piece >= guard_piece_count(e, n)) next_vector(m, v, w);
  }
  for (zone *z : next) free_zone(z);
  return take;
}

// The search from the state on top of the stack down to an empty stack.
// Returns 1 when enough targets were found, else 0.
static int dfs_from_top(const tctl_node *reach, int exhaustive, dfs_move m, int32_t *v, int32_t *w, int32_t *u) {
  const int n = N_OF_TA;
  for (;;) {
    progress::step(nb_symb_states, stack_depth + 1, nb_symb_states);
    const state_zone_entry top = state_zone_Stack[stack_depth];
    if (location_vector_satisfies_formula(v, n, reach)) {
      NB_FOUND_PATHS++;
      gen_all_counter_examples();
      if (!ALL_PATHS && NB_FOUND_PATHS >= MAX_FOUND_PATHS) return 1;
    }
    bool pushed = false, full = false;
    TA_symb_state src{top.code, top.z};
    while (m.live && !pushed && !full) {
      TA_symb_state kept;
      if (!dfs_candidate(src, m, exhaustive, v, w, u, &kept)) continue;
      if (stack_depth > MAX_STACK_SIZE - 2) {
        full = true;  // kept in the visited set, not pushed
      } else {
        state_zone_entry &below = state_zone_Stack[stack_depth];
        below.trans = TA_encode_trans_vector(w, n);
        below.piece = m.piece;
        below.sub = m.sub;
        m = push_state(kept.code, kept.z, v, w);
        pushed = true;
      }
    }
    if (pushed) continue;
    m = pop_state(v, w);
    if (m.cursor == -2) return 0;
  }
}

int reach_prop_simulation_graph_dfs(const tctl_node *init, const tctl_node *reach, int exhaustive) {
  if (!prepare_search(init, reach)) return -1;
  const int n = N_OF_TA;
  state_zone_Stack.assign(static_cast<size_t>(MAX_STACK_SIZE > 0 ? MAX_STACK_SIZE : 1), {0, nullptr, -1});
  stack_depth = -1;
  max_depth_reached = 0;
  NB_FOUND_PATHS = 0;
  std::vector<std::vector<int32_t>> initial;
  for_each_initial_location_vector(init, [&](const int32_t *v) { initial.emplace_back(v, v + n); });
  std::vector<int32_t> v(n), u(n), w(n);
  std::vector<zone *> zones;
  for (const auto &v0 : initial) {
    init_zones_of_location_vector(v0.data(), zones);
    for (size_t k = 0; k < zones.size(); k++) {
      TA_symb_state s{TA_encode_state_vector(v0.data(), n), zones[k]}, kept;
      int is_new = stock_symb_st(&kept, &s);
      if (!is_new && !exhaustive) continue;
      dfs_move m = push_state(kept.code, kept.z, v.data(), w.data());
      if (dfs_from_top(reach, exhaustive, m, v.data(), w.data(), u.data())) {
        for (zone *z : zones) free_zone(z);
        return 1;
      }
    }
    for (zone *z : zones) free_zone(z);
    zones.clear();
  }
  if (NB_FOUND_PATHS != 0) return 1;
  return max_depth_reached >= MAX_STACK_SIZE - 1 ? -1 : 0;
}

void dump_stack_path(FILE *f) {
  const int n = N_OF_TA;
  std::vector<int32_t> v(n), w(n);
  for (int i = 0; i <= stack_depth; i++) {
    const state_zone_entry &entry = state_zone_Stack[i];
    TA_decode_state_vector(entry.code, v.data(), n);
    fputs("< ", f);
    fprint_location_vector2(f, v.data(), n);
    fputs(", ", f);
    print_hide_zone2(entry.z, f);
    fputs(" >\n", f);
    if (i == stack_depth) break;
    fputs("  --- ", f);
    TA_decode_trans_vector(entry.trans, w.data(), n);
    fprint_trans_vector_labels(f, w.data(), n);
    fputs(" --->\n", f);
  }
}

void gen_all_counter_examples() {
  FILE *f = my_fopen2_result(".trace", NB_FOUND_PATHS == 1 ? "w" : "a");
  fprintf(f, "-- Trace #%d -- \n", NB_FOUND_PATHS);
  dump_stack_path(f);
  fputs("\n\n", f);
  close_output(f);
  fprintf(stderr, "%s: Trace #%d dumped in file %s\n", tool, NB_FOUND_PATHS, my_result_path(".trace").c_str());
  if (is_option(OPT_RUN)) print_stack_run_product();
}

void print_stack_run_product() {
  const int n = N_OF_TA;
  std::vector<std::vector<int32_t>> locations, moves;
  std::vector<int32_t> v(n), w(n);
  for (int i = 0; i <= stack_depth; i++) {
    TA_decode_state_vector(state_zone_Stack[i].code, v.data(), n);
    locations.push_back(v);
    if (i == stack_depth) break;
    TA_decode_trans_vector(state_zone_Stack[i].trans, w.data(), n);
    moves.push_back(w);
  }
  run_write_product(run::product_origin(is_option(OPT_INV) != 0), locations, moves, NB_FOUND_PATHS,
                    run_pictures_of(is_option(OPT_DOT | OPT_SVG)));
}

bool print_bfs_run_product() {
  if (!bfs_keeps_links || bfs_goal < 0 || static_cast<size_t>(bfs_goal) >= bfs_links.size()) return false;
  const int n = N_OF_TA;
  std::vector<std::vector<int32_t>> locations, moves;
  std::vector<int32_t> v(n), w(n);
  for (int s = bfs_goal; s >= 0; s = bfs_links[s].parent) {
    TA_decode_state_vector(TA_symb_states_set[s].code, v.data(), n);
    locations.push_back(v);
    if (bfs_links[s].parent < 0) break;
    TA_decode_trans_vector(bfs_links[s].trans, w.data(), n);
    moves.push_back(w);
  }
  std::reverse(locations.begin(), locations.end());
  std::reverse(moves.begin(), moves.end());
  run_write_product(run::product_origin(is_option(OPT_INV) != 0), locations, moves, 1,
                    run_pictures_of(is_option(OPT_DOT | OPT_SVG)));
  return true;
}
