#include "varnok/simul.h"

#include <cstdlib>
#include <cstring>

#include "common/region/region.h"
#include "common/region/region_zone.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "common/util/stattime.h"
#include "common/zone/zone.h"
#include "common/zone/zone_hash.h"
#include "common/zone/zone_read_write.h"
#include "varnok/progress.h"
#include "varnok/run_zones.h"
#include "varnok/varnok_options.h"
#include "varnok/verdict.h"
#include "varnok/varnok_usage.h"

const sim_trans initial_sim_trans = {-1, -1, 0, 0};
std::vector<sim_state> succ_sim_graph;
int nb_sim_states = 0, nb_sim_trans = 0;
int N_OF_SIM_STATES = 0, N_OF_SIM_TRANS = 0;
std::vector<int> symb_states_set;
zone *app_zone = nullptr;
std::vector<stack_entry> succ_sim_graph_stack;
int stack_top = -1;
int max_depth_reached = 0;
int NB_FOUND_PATHS = 0;

namespace {

constexpr int TIMER_FORWARD = 5;
constexpr int TIMER_TOTAL = 10;
// Path predecessor marks of pred_index.
constexpr int PRED_NONE = -1;
constexpr int PRED_INITIAL = -2;

// Guard pieces: per location the range of its pieces, per piece its
// transition and guard zone (owned by list_reg).
std::vector<int> piece_start;
std::vector<int> piece_transition;
std::vector<zone *> piece_zone;
// Per location the zones of its invariant (none: false).
std::vector<std::vector<zone *>> invar_zone;
// Every simulation transition; each state owns a block of it.
std::vector<sim_trans> trans_pool;
// Per state, the pool index of its path predecessor, or a PRED_ mark.
std::vector<int> pred_index;

// The invariant of location l as the zones time passes in: its only zone,
// the hull of its zones when their union is convex (shared through the hash
// table), else every zone of it; none when it is false.
std::vector<zone *> invariant_pieces(int l) {
  region *r = list_reg[inv[l]];
  cf_region(r);
  if (is_empty_region(r)) return {};
  if (r->count == 1) return {r->zones[0]};
  region *h = compact_hull_region(r);
  if (h == r) return std::vector<zone *>(r->zones, r->zones + r->count);
  zone *z = assign_zone(h->zones[0]);
  free_region(h);
  cf_zone(z);
  return {insert_zone(z)};
}

void build_pieces() {
  piece_start.assign(static_cast<size_t>(N_OF_STATES) + 1, 0);
  piece_transition.clear();
  piece_zone.clear();
  for (int l = 0; l < N_OF_STATES; l++) {
    piece_start[l] = static_cast<int>(piece_transition.size());
    for (int t = succs[l]; t < succs[l + 1]; t++) {
      region *g = list_reg[trans_table[t]->guard];
      cf_region(g);
      int n = is_empty_region(g) ? 0 : g->count;
      if (n == 0) {
        piece_transition.push_back(t);
        piece_zone.push_back(nullptr);
      }
      for (int k = 0; k < n; k++) {
        piece_transition.push_back(t);
        piece_zone.push_back(g->zones[k]);
      }
    }
  }
  piece_start[N_OF_STATES] = static_cast<int>(piece_transition.size());
  invar_zone.assign(N_OF_STATES, {});
  for (int l = 0; l < N_OF_STATES; l++) invar_zone[l] = invariant_pieces(l);
}

const uint16_t *piece_affect(int p) { return get_reset_clocks2(trans_table[piece_transition[p]]); }
int piece_target(int p) { return trans_table[piece_transition[p]]->target; }

// z ∩ w, closed; null when empty. Neither argument is changed.
zone *meet(zone *z, zone *w) {
  zone *r = intersection_zone(z, w);
  cf_zone(r);
  if (is_empty_zone(r)) {
    free_zone(r);
    return nullptr;
  }
  return r;
}

// Time successors of a (taken over, closed) within the invariant i. A zone
// not wholly inside the invariant is cut to it first: time cannot start
// from valuations the invariant forbids.
zone *elapse_within(zone *a, zone *i) {
  if (i == nullptr) {
    free_zone(a);
    return nullptr;
  }
  if (!is_included_zone(a, i)) {
    zone *c = meet(a, i);
    free_zone(a);
    if (c == nullptr) return nullptr;
    a = c;
  }
  zone *up = forward_proj_zone(a);
  free_zone(a);
  zone *r = meet(up, i);
  free_zone(up);
  return r;
}

// (z ∩ guard of p) after its assignment, closed; null when empty.
zone *fire(zone *z, int p) {
  zone *g = piece_zone[p];
  if (g == nullptr) return nullptr;
  zone *a = meet(z, g);
  if (a == nullptr) return nullptr;
  zone *b = forward_affect_zone(a, piece_affect(p));
  free_zone(a);
  cf_zone(b);
  if (is_empty_zone(b)) {
    free_zone(b);
    return nullptr;
  }
  return b;
}

[[noreturn]] void abort_too_many_states() {
  fprintf(stderr, "%s abort: too many symbolic states ", tool);
  fprintf(stderr, "(current MAX_SYMB_STATES = %d;)\n", MAX_SYMB_STATES);
  fprintf(stderr, "hint: use the '-abs' option for abstractions,\n");
  fprintf(stderr, "\tor use the '-FORW n' option to limit the search.\n");
  N_OF_SIM_STATES = nb_sim_states;
  N_OF_SIM_TRANS = nb_sim_trans;
  print_symb_states_set();
  if (is_option(OPT_HISTORY)) print_abort();
  time_R(TIMER_FORWARD);
  time_R(TIMER_TOTAL);
  print_computation_times();
  verdict::stopped_at_limit();
  exit(-1);
}

void print_progress() {
  if (!is_option(OPT_VERBOSE)) return;
  printf("%s: %d states, %d transitions\r", tool, nb_sim_states, nb_sim_trans);
  fflush(stdout);
}

// Appends a new simulation state (l, z) at the head of l's list.
int new_sim_state(int l, zone *z) {
  if (nb_sim_states >= MAX_SYMB_STATES) abort_too_many_states();
  int cap = piece_start[l + 1] - piece_start[l];
  sim_state s;
  s.st.loc = l;
  s.st.z = z;
  s.nb_trans = 0;
  s.cap = cap;
  s.first_trans = static_cast<int>(trans_pool.size());
  s.next_in_loc = symb_states_set[l];
  trans_pool.resize(trans_pool.size() + static_cast<size_t>(cap));
  succ_sim_graph.push_back(s);
  pred_index.push_back(PRED_NONE);
  symb_states_set[l] = nb_sim_states;
  nb_sim_states++;
  print_progress();
  return nb_sim_states - 1;
}

void set_counts() {
  N_OF_SIM_STATES = nb_sim_states;
  N_OF_SIM_TRANS = nb_sim_trans;
}

// Initial states are read from a table in canonical form.
int check_tables(states_region *a, states_region *b) {
  cf_states_region(a);
  cf_states_region(b);
  return is_not_empty_states_region(a) && is_not_empty_states_region(b);
}

region *region_at(states_region *p, int l) { return p == nullptr || l >= p->count ? nullptr : p->regs[l]; }

// The first zone of (goal at the location of state i) ∩ its zone, in the
// order of intersection_region; null when they do not meet.
zone *goal_meeting(int i, states_region *goal) {
  const sim_state &s = succ_sim_graph[i];
  region *g = region_at(goal, s.st.loc);
  if (is_empty_region(g)) return nullptr;
  int meets = 0;
  for (int k = 0; k < g->count && !meets; k++) {
    zone *m = meet(g->zones[k], s.st.z);
    meets = m != nullptr;
    free_zone(m);
  }
  if (!meets) return nullptr;
  region *zr = zone_to_region2(s.st.z);
  region *r = intersection_region(g, zr);
  free_region(zr);
  cf_region(r);
  zone *first = is_empty_region(r) ? nullptr : assign_zone(r->zones[0]);
  free_region(r);
  return first;
}

// The goal test of state i: on success the path and trace files (not in
// depth-first search) and the counts.
int test_halt_reach(int i, states_region *goal) {
  zone *m = goal_meeting(i, goal);
  if (m == nullptr) return 0;
  if (!is_option(OPT_DFS)) print_reach_evidence(i, m);
  else if (is_option(OPT_RUN)) print_stack_run(m, NB_FOUND_PATHS + 1);
  free_zone(m);
  set_counts();
  return 1;
}

// Shares each zone of pieces in order (mk_symb_zone) and calls f on the
// non-empty ones until f returns true; the list is emptied (the zones not
// reached are freed). Returns 1 when f returned true.
template <typename F>
int take_pieces(std::vector<zone *> &pieces, F f) {
  int hit = 0;
  for (zone *&piece : pieces) {
    zone *z = piece;
    piece = nullptr;
    if (hit) {
      free_zone(z);
      continue;
    }
    z = mk_symb_zone(z);
    if (z != nullptr && f(z)) hit = 1;
  }
  pieces.clear();
  return hit;
}

// The breadth-first exploration shared by the whole graph, reachability and
// invariance: `found(i)` is asked of every initial state and of the target
// of every added transition; the first true answer ends the search with 1.
template <typename Found>
int explore(int nb_init, Found found) {
  for (int i = 0; i < nb_init; i++)
    if (found(i)) return 1;
  std::vector<zone *> next;
  for (int i = 0; i < nb_sim_states; i++) {
    progress::step(nb_sim_states, nb_sim_states - i, i);
    int l = succ_sim_graph[i].st.loc;
    zone *zi = succ_sim_graph[i].st.z;
    for (int p = piece_start[l]; p < piece_start[l + 1]; p++) {
      succ_action_temp(zi, p, next);
      int hit = take_pieces(next, [&](zone *z) {
        int b = insert_symb_state(piece_target(p), z);
        add_sim_trans(i, p, b);
        return found(b);
      });
      if (hit) return 1;
    }
  }
  set_counts();
  return 0;
}

}  // namespace

int piece_first(int l) { return piece_start[l]; }
int piece_trans(int p) { return piece_transition[p]; }
zone *piece_guard(int p) { return piece_zone[p]; }

// ---------------------------------------------------------------------------
// Set-up

int simul_hash_size() {
  if (MAX_SYMB_STATES <= 4000) return 709;
  if (MAX_SYMB_STATES <= 10000) return 2309;
  return 5009;
}

void set_extra_clocks(int k) {
  if (N_OF_CLOCKS == nb_decl_clocks + 1 + k && N_OF_EXTRA_CLOCKS == k) return;
  free_list_reg();
  N_OF_EXTRA_CLOCKS = static_cast<uint16_t>(k);
  init_zone_module(nb_decl_clocks, k, decl_names.data());
  N_OF_EXTRA_CLOCKS = static_cast<uint16_t>(k);
  FILE *reg = my_fopen2(".reg", "rb");
  read_regions(reg);
  fclose(reg);
}

void delete_extra_clocks(int k) {
  if (k < tctl_extra_clocks()) set_extra_clocks(k);
}

void init_symb_states_set() {
  build_pieces();
  symb_states_set.assign(N_OF_STATES, -1);
  succ_sim_graph.clear();
  succ_sim_graph.reserve(static_cast<size_t>(MAX_SYMB_STATES < 1024 ? MAX_SYMB_STATES : 1024));
  trans_pool.clear();
  pred_index.clear();
  nb_sim_states = 0;
  nb_sim_trans = 0;
}

// The extrapolation zone for goal, replacing an earlier one.
static void set_app_zone(states_region *goal) {
  free_zone(app_zone);
  app_zone = init_approx_zone(goal);
}

void init_forward_analysis(int k, states_region *goal) {
  printf("%s: begin forward analysis\n", tool);
  delete_extra_clocks(k);
  init_zone_hashing(simul_hash_size());
  init_symb_states_set();
  if (is_option(OPT_ABS_XTRA)) set_app_zone(goal);
}

// ---------------------------------------------------------------------------
// Successors

// A run that lets time pass from v to v + d inside I = I_1 ∪ ... ∪ I_n ends
// in some I_k; since I_k is closed under going back in time, the whole run
// v .. v + d lies in I_k, so v is in z ∩ I_k and v + d in (z ∩ I_k) after
// time elapse, ∩ I_k. Conversely I_k is convex, so every point of that piece
// is reached from z without leaving I_k. The union of the pieces is thus
// exactly the set reached, and a piece inside another adds nothing.
void elapse_in_invariant(zone *z, zone *const *pieces, int count, std::vector<zone *> &out) {
  cf_zone(z);
  if (is_empty_zone(z)) return;
  size_t first = out.size();
  for (int k = 0; k < count; k++) {
    zone *r = elapse_within(assign_zone(z), pieces[k]);
    if (r != nullptr) out.push_back(r);
  }
  drop_included_zones(out, first);
}

void drop_included_zones(std::vector<zone *> &zones, size_t first) {
  size_t kept = first;
  for (size_t k = first; k < zones.size(); k++) {
    bool covered = false;
    for (size_t j = first; j < zones.size() && !covered; j++) {
      if (j == k || zones[j] == nullptr) continue;
      // Of two equal zones the later one goes.
      covered = is_included_zone(zones[k], zones[j]) && (j < k || !is_included_zone(zones[j], zones[k]));
    }
    if (covered) {
      free_zone(zones[k]);
      zones[k] = nullptr;
    }
  }
  for (size_t k = first; k < zones.size(); k++)
    if (zones[k] != nullptr) zones[kept++] = zones[k];
  zones.resize(kept);
}

void succ_temp(int l, zone *z, std::vector<zone *> &out) {
  const std::vector<zone *> &i = invar_zone[l];
  elapse_in_invariant(z, i.data(), static_cast<int>(i.size()), out);
}

void succ_action(zone *z, int p, std::vector<zone *> &out) {
  zone *b = fire(z, p);
  if (b == nullptr) return;
  size_t first = out.size();
  for (zone *i : invar_zone[piece_target(p)]) {
    zone *r = meet(b, i);
    if (r != nullptr) out.push_back(r);
  }
  free_zone(b);
  drop_included_zones(out, first);
}

void succ_action_temp(zone *z, int p, std::vector<zone *> &out) {
  zone *b = fire(z, p);
  if (b == nullptr) return;
  const std::vector<zone *> &i = invar_zone[piece_target(p)];
  elapse_in_invariant(b, i.data(), static_cast<int>(i.size()), out);
  free_zone(b);
}

zone *succ_temp_cond(zone *z, zone *c) {
  if (is_empty_zone(z) || is_empty_zone(c)) return nullptr;
  zone *r = forward_proj_cond_zone(z, c);
  cf_zone(r);
  if (is_empty_zone(r)) {
    free_zone(r);
    return nullptr;
  }
  return r;
}

zone *pre_action_zone(zone *z, int p) {
  zone *g = piece_zone[p];
  if (g == nullptr) return nullptr;
  zone *b = backward_affect_zone(z, piece_affect(p));
  if (b == nullptr) return nullptr;
  zone *r = meet(b, g);
  free_zone(b);
  return r;
}

// ---------------------------------------------------------------------------
// The simulation graph

zone *mk_symb_zone(zone *z) {
  cf_zone(z);
  if (is_empty_zone(z)) {
    free_zone(z);
    return nullptr;
  }
  if (is_option(OPT_ABS_XTRA) && app_zone != nullptr) {
    zone *m = maximize_zone(z, app_zone);
    free_zone(z);
    z = m;
    cf_zone(z);
  }
  return insert_zone(z);
}

int insert_symb_state(int l, zone *z) {
  if (is_option(OPT_ABS_HULL)) {
    int head = symb_states_set[l];
    if (head >= 0) {
      zone *h = succ_sim_graph[head].st.z;
      if (z == h || is_included_zone(z, h)) return head;
      zone *u = Union_zone(z, h);
      cf_zone(u);
      z = insert_zone(u);
    }
  } else {
    int incl = is_option(OPT_ABS_INCL) != 0;
    for (int n = symb_states_set[l]; n >= 0; n = succ_sim_graph[n].next_in_loc) {
      zone *w = succ_sim_graph[n].st.z;
      if (w == z || (incl && is_included_zone(z, w))) return n;
    }
  }
  return new_sim_state(l, z);
}

// Appends the record to the block of its source state and returns its pool
// index. A full block (a state explored again with -FULLDFS under an
// abstraction may reach new targets by the same piece) moves to the end of
// the pool; the old slots keep their records, so path predecessors that
// point there stay valid.
static int append_sim_trans(const sim_trans &rec) {
  sim_state &s = succ_sim_graph[rec.source];
  if (s.nb_trans == s.cap) {
    int first = static_cast<int>(trans_pool.size());
    trans_pool.resize(trans_pool.size() + 2 * static_cast<size_t>(s.cap) + 1);
    for (int k = 0; k < s.nb_trans; k++) trans_pool[first + k] = trans_pool[s.first_trans + k];
    s.first_trans = first;
    s.cap = 2 * s.cap + 1;
  }
  int k = s.first_trans + s.nb_trans;
  trans_pool[k] = rec;
  s.nb_trans++;
  nb_sim_trans++;
  return k;
}

void add_sim_trans(int source, int p, int target) {
  int k = append_sim_trans(sim_trans{source, target, piece_transition[p], p});
  if (pred_index[target] == PRED_NONE) pred_index[target] = k;
  print_progress();
}

// The transition (source, p, target) unless source already has one with the
// same piece and target; the path predecessors are left alone.
static void add_sim_trans_once(int source, int p, int target) {
  const sim_state &s = succ_sim_graph[source];
  for (int k = s.first_trans; k < s.first_trans + s.nb_trans; k++)
    if (trans_pool[k].piece == p && trans_pool[k].target == target) return;
  append_sim_trans(sim_trans{source, target, piece_transition[p], p});
}

int init_succ_sim_graph(states_region *init) {
  cf_states_region(init);
  if (is_option(OPT_RUN)) note_run_origin(run::initial_origin(init));
  if (!is_not_empty_states_region(init)) {
    printf("ERROR: initial states set is empty\n");
    exit(-1);
  }
  int before = nb_sim_states;
  std::vector<zone *> pieces;
  for (int l = 0; l < N_OF_STATES; l++) {
    region *r = region_at(init, l);
    if (is_empty_region(r)) continue;
    // Every zone of the location counts: the initial set is their union.
    for (int k = 0; k < r->count; k++) {
      succ_temp(l, r->zones[k], pieces);
      take_pieces(pieces, [l](zone *z) {
        int i = insert_symb_state(l, z);
        if (pred_index[i] == PRED_NONE) pred_index[i] = PRED_INITIAL;
        return false;
      });
    }
  }
  return nb_sim_states - before;
}

const sim_trans &sim_trans_of(int i, int k) { return trans_pool[succ_sim_graph[i].first_trans + k]; }

const sim_trans *pred_sim_path(int i) {
  int k = pred_index[i];
  if (k == PRED_INITIAL) return &initial_sim_trans;
  if (k == PRED_NONE) return nullptr;
  return &trans_pool[k];
}

// ---------------------------------------------------------------------------
// Searches

void gen_sim_graph(states_region *init) {
  time_C(TIMER_FORWARD);
  init_zone_hashing(simul_hash_size());
  init_symb_states_set();
  if (is_option(OPT_ABS_XTRA)) set_app_zone(nullptr);
  int nb_init = init_succ_sim_graph(init);
  explore(nb_init, [](int) { return 0; });
  time_R(TIMER_FORWARD);
}

int reach_prop_sim_graph(states_region *init, states_region *goal) {
  if (!check_tables(init, goal)) return 0;
  int nb_init = init_succ_sim_graph(init);
  return explore(nb_init, [goal](int i) { return test_halt_reach(i, goal); });
}

int invar_prop_sim_graph(states_region *init, states_region *inv) {
  cf_states_region(inv);
  if (!is_not_empty_states_region(inv)) return 0;
  cf_states_region(init);
  if (!is_not_empty_states_region(init) || is_universal_states_region(inv)) return 1;
  int nb_init = init_succ_sim_graph(init);
  auto violates = [inv](int i) {
    const sim_state &s = succ_sim_graph[i];
    region *zr = zone_to_region2(s.st.z);
    region *d = diff_region(zr, region_at(inv, s.st.loc));
    free_region(zr);
    cf_region(d);
    int bad = !is_empty_region(d);
    if (bad) {
      print_reach_evidence(i, d->zones[0]);
      set_counts();
    }
    free_region(d);
    return bad;
  };
  return !explore(nb_init, violates);
}

// Pushes (state, first piece of its location) unless the stack is full.
static void dfs_push(int state) {
  if (stack_top + 1 >= MAX_STACK_SIZE) {
    max_depth_reached = MAX_STACK_SIZE;
    return;
  }
  stack_top++;
  if (static_cast<int>(succ_sim_graph_stack.size()) <= stack_top) succ_sim_graph_stack.resize(stack_top + 1);
  succ_sim_graph_stack[stack_top] = stack_entry{state, piece_start[succ_sim_graph[state].st.loc], 0};
  if (stack_top > max_depth_reached) max_depth_reached = stack_top;
}

static int on_stack(int state) {
  for (int k = 0; k <= stack_top; k++)
    if (succ_sim_graph_stack[k].state == state) return 1;
  return 0;
}

int reach_prop_sim_graph_dfs(states_region *init, states_region *goal) {
  printf("%s: Reachability analysis using DFS ...\n", tool);
  if (!check_tables(init, goal)) return 0;
  int nb_init = init_succ_sim_graph(init);
  stack_top = -1;
  max_depth_reached = 0;
  NB_FOUND_PATHS = 0;
  std::vector<zone *> pieces;
  for (int i = 0; i < nb_init; i++) {
    dfs_push(i);
    while (stack_top >= 0) {
      progress::step(nb_sim_states, stack_top + 1, nb_sim_states);
      stack_entry &top = succ_sim_graph_stack[stack_top];
      int j = top.state;
      int l = succ_sim_graph[j].st.loc;
      if (top.next == piece_start[l] && top.sub == 0 && test_halt_reach(j, goal)) {
        NB_FOUND_PATHS++;
        print_succ_sim_graph_stack();
        if (!ALL_PATHS && NB_FOUND_PATHS >= MAX_FOUND_PATHS) return 1;
        stack_top--;
        continue;
      }
      // The guard piece a and the successor k of it to take: the pending
      // one of the piece being explored, else the first of the next piece.
      int a = top.next - 1;
      size_t k = static_cast<size_t>(top.sub);
      if (k == 0) {
        if (top.next >= piece_start[l + 1]) {
          stack_top--;
          continue;
        }
        a = top.next++;
      }
      succ_action_temp(succ_sim_graph[j].st.z, a, pieces);
      zone *z = k < pieces.size() ? pieces[k] : nullptr;
      top.sub = k + 1 < pieces.size() ? static_cast<int>(k + 1) : 0;
      for (zone *other : pieces)
        if (other != z) free_zone(other);
      pieces.clear();
      z = mk_symb_zone(z);
      if (z == nullptr) continue;
      int known = nb_sim_states;
      int b = insert_symb_state(piece_target(a), z);
      add_sim_trans_once(j, a, b);
      // Only a state made by this insertion is new: the newest state reached
      // again (by a loop) is already being explored.
      if (is_option(OPT_FULLDFS) ? !on_stack(b) : nb_sim_states > known) dfs_push(b);
    }
  }
  set_counts();
  if (max_depth_reached == MAX_STACK_SIZE) return -1;
  return NB_FOUND_PATHS > 0 ? 1 : 0;
}

int first_non_convex_location(states_region *cond) {
  for (int l = 0; cond != nullptr && l < cond->count; l++) {
    region *r = region_at(cond, l);
    if (is_empty_region(r) || r->count == 1) continue;
    region *h = compact_hull_region(r);
    if (h == r) return l;
    free_region(h);
  }
  return -1;
}

// The convex condition zone of location l: its only zone, or the hull of its
// zones when their union is convex; null when empty. Time passes inside one
// convex zone of the condition only, so a non-convex condition ends the
// process (status 1).
static zone *convex_condition(states_region *cond, int l) {
  region *r = region_at(cond, l);
  if (is_empty_region(r)) return nullptr;
  if (r->count == 1) return r->zones[0];
  region *h = compact_hull_region(r);
  if (h == r) {
    fprintf(stderr, "%s: location %d: forward analysis needs a convex condition\n", tool, l);
    exit(1);
  }
  zone *z = assign_zone(h->zones[0]);
  free_region(h);
  cf_zone(z);
  return insert_zone(z);
}

// z with every finite upper bound of its closed form turned non-strict:
// with z closed under time within a condition, the points where a run
// leaves it at its upper border.
static zone *upper_border(zone *z) {
  zone *r = assign_zone(z);
  for (int i = 1; i < N_OF_CLOCKS; i++)
    if (r->bounds[i][0] != INF_BOUND) r->bounds[i][0] = static_cast<int16_t>(r->bounds[i][0] | 1);
  for (int i = 0; i < N_OF_CLOCKS; i++)
    for (int j = 0; j < N_OF_CLOCKS; j++) put_edge_zone(r, i, j, i != j);
  r->flags = 0;
  return r;
}

// The valuations from which the closed zone g is entered by letting a
// little time pass: g's diagonals, its lower bounds made non-strict and its
// upper bounds strict.
static zone *time_entry(zone *g) {
  zone *r = assign_zone(g);
  for (int i = 1; i < N_OF_CLOCKS; i++) {
    if (r->bounds[0][i] != INF_BOUND) r->bounds[0][i] = static_cast<int16_t>(r->bounds[0][i] | 1);
    if (r->bounds[i][0] != INF_BOUND) r->bounds[i][0] = static_cast<int16_t>(r->bounds[i][0] & ~1);
  }
  for (int i = 0; i < N_OF_CLOCKS; i++)
    for (int j = 0; j < N_OF_CLOCKS; j++) put_edge_zone(r, i, j, i != j);
  r->flags = 0;
  return r;
}

// 1 when a and b (either not closed) have a common valuation.
static int have_common(zone *a, zone *b) {
  zone *m = intersection_zone(a, b);
  cf_zone(m);
  int r = !is_empty_zone(m);
  free_zone(m);
  return r;
}

// 1 when a run from the zone z (time already passed within the condition,
// so that z holds every point of its runs until they leave it) reaches a
// zone of goal at l with every earlier point in z or the goal: a point of
// the goal on z's upper border (z itself included), or a point of z from
// which time enters the goal at once. Where z and the goal only touch on a
// border that time cannot cross (an invariant stops it), nothing is found.
static int meets_goal_border(states_region *goal, int l, zone *z) {
  region *g = region_at(goal, l);
  if (is_empty_region(g)) return 0;
  zone *up = upper_border(z);
  int found = 0;
  for (int k = 0; k < g->count && !found; k++) {
    zone *entry = time_entry(g->zones[k]);
    found = have_common(up, g->zones[k]) || have_common(z, entry);
    free_zone(entry);
  }
  free_zone(up);
  return found;
}

// 1 when some zone of goal at l meets z.
static int meets_goal(states_region *goal, int l, zone *z) {
  region *g = region_at(goal, l);
  if (is_empty_region(g)) return 0;
  for (int k = 0; k < g->count; k++) {
    zone *m = meet(z, g->zones[k]);
    free_zone(m);
    if (m != nullptr) return 1;
  }
  return 0;
}

// The states of z that are in the condition c, let time pass within c.
static zone *within_condition(zone *z, zone *c) {
  zone *in = meet(z, c);
  if (in == nullptr) return nullptr;
  zone *r = succ_temp_cond(in, c);
  free_zone(in);
  return r;
}

// The discrete successor s (taken over) of state i by piece p, in the
// conditional search: when it meets the goal, it is stored with the path and
// trace files and 1 is returned; else time passes within the condition c at
// the target (none: no successor).
static int cond_successor(int i, int p, zone *s, states_region *goal, zone *c) {
  int t = piece_target(p);
  if (meets_goal(goal, t, s)) {
    zone *sz = mk_symb_zone(s);
    int b = insert_symb_state(t, sz);
    add_sim_trans(i, p, b);
    print_reach_evidence(b, sz);
    set_counts();
    return 1;
  }
  zone *s2 = c == nullptr ? nullptr : mk_symb_zone(within_condition(s, c));
  free_zone(s);
  if (s2 != nullptr) add_sim_trans(i, p, insert_symb_state(t, s2));
  return 0;
}

// Time only passes inside the condition, and a state outside it cannot go
// on: zones are cut to the condition before time passes.
int reach_cond_prop_sim_graph(states_region *init, states_region *cond, states_region *goal) {
  cf_states_region(init);
  cf_states_region(cond);
  cf_states_region(goal);
  // An empty condition still lets the initial states that are goal states
  // count: E(false U g) is g.
  if (!is_not_empty_states_region(init) || !is_not_empty_states_region(goal)) return 0;
  std::vector<zone *> c(N_OF_STATES);
  for (int l = 0; l < N_OF_STATES; l++) c[l] = convex_condition(cond, l);
  if (is_option(OPT_RUN)) {
    // The runs of the witnesses stay in the condition until the goal.
    note_run_origin(run::condition_origin(init, c, goal));
  }
  for (int j = 0; j < N_OF_STATES; j++) {
    region *r = region_at(init, j);
    if (is_empty_region(r)) continue;
    for (int k = 0; k < r->count; k++) {
      zone *z = r->zones[k];
      if (meets_goal(goal, j, z)) return 1;
      if (c[j] == nullptr) continue;
      zone *s = mk_symb_zone(within_condition(z, c[j]));
      if (s == nullptr) continue;
      int i = insert_symb_state(j, s);
      if (pred_index[i] == PRED_NONE) pred_index[i] = PRED_INITIAL;
    }
  }
  if (nb_sim_states == 0) return 0;
  std::vector<zone *> next;
  for (int i = 0; i < nb_sim_states; i++) {
    progress::step(nb_sim_states, nb_sim_states - i, i);
    int l = succ_sim_graph[i].st.loc;
    zone *zi = succ_sim_graph[i].st.z;
    // Under extrapolation a zone may reach past the condition.
    zone *in = c[l] == nullptr ? nullptr : meet(zi, c[l]);
    int found = in != nullptr && meets_goal_border(goal, l, in);
    free_zone(in);
    if (found) {
      print_reach_evidence(i, zi);
      set_counts();
      return 1;
    }
    for (int p = piece_start[l]; p < piece_start[l + 1]; p++) {
      succ_action(succ_sim_graph[i].st.z, p, next);
      int t = piece_target(p), hit = 0;
      for (zone *s : next) {
        if (hit) free_zone(s);
        else hit = cond_successor(i, p, s, goal, c[t]);
      }
      next.clear();
      if (hit) return 1;
    }
  }
  set_counts();
  return 0;
}

// ---------------------------------------------------------------------------
// Output

void fprint_sim_graph(FILE *stream) {
  load_props_labels();
  fprintf(stream, "#states %d\n", N_OF_SIM_STATES);
  fprintf(stream, "#trans  %d\n", N_OF_SIM_TRANS);
  fprintf(stream, "#clocks  %d\n", N_OF_CLOCKS - 1);
  for (int c = 1; c < N_OF_CLOCKS; c++) fprintf(stream, "%s ", clocks_names[c]);
  fputs("\n", stream);
  for (int n = 0; n < nb_sim_states && n < N_OF_SIM_STATES; n++) {
    const sim_state &s = succ_sim_graph[n];
    fprintf(stream, "\nstate: %d", n);
    fprintf(stream, "\t/* tg state: %d */\n", s.st.loc);
    fprint_props(stream, s.st.loc);
    fputs("invar: ", stream);
    print_hide_zone3(s.st.z, stream);
    fputs("trans:\n", stream);
    for (int k = s.first_trans; k < s.first_trans + s.nb_trans; k++) {
      const sim_trans &t = trans_pool[k];
      const trans_rec *tr = trans_table[t.trans];
      print_hide_zone2(piece_zone[t.piece], stream);
      fputs(" => ", stream);
      for (int32_t lab : trans_labels[t.trans]) fprintf(stream, "%s ", label_tab[lab]->name.c_str());
      fputs("; ", stream);
      fprint_clock_affect(stream, tr->affect);
      fprintf(stream, "goto %d\n", t.target);
    }
  }
}

void print_symb_states_set() {
  FILE *f = my_fopen2_result(".reach", "w");
  fputs("Reachable tg states:\n", f);
  fputs("====================\n", f);
  for (int l = 0; l < static_cast<int>(symb_states_set.size()); l++)
    if (symb_states_set[l] >= 0) fprintf(f, "tg state: %d\n", l);
  close_output(f);
}

void print_abort() {
  FILE *f = open_result("abort.sim", "w");
  if (f == nullptr) {
    fprintf(stderr, "%s: cannot open file %s\n", tool, result_path("abort.sim").c_str());
    return;
  }
  fprint_sim_graph(f);
  close_output(f);
  printf("%s: file %s dumped\n", tool, result_path("abort.sim").c_str());
}
