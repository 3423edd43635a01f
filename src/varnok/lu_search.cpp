// Forward reachability under the LU abstraction.

#include "varnok/lu_search.h"
#include "varnok/progress.h"
#include "varnok/verdict.h"

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "common/region/region.h"
#include "common/tctl/tctl_syntax.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "varnok/compo_sync.h"
#include "varnok/compo_tables.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "common/zone/zone_read_write.h"
#include "varnok/compo_ptg.h"
#include "varnok/concrete_run.h"
#include "varnok/dot_writer.h"
#include "varnok/lu_model.h"
#include "varnok/name_warnings.h"
#include "varnok/simul.h"
#include "varnok/state_store.h"
#include "varnok/varnok_options.h"

namespace lu {

namespace {

// Where a goal was met: successor number `move` of stored state `parent`
// (parent -1: initial state number `move`).
struct witness {
  int32_t parent = -1, move = -1;
};

struct counts {
  long long explored = 0, transitions = 0;
};

// A transition of the simulation graph: successor number `move` of state
// `source`, stored as (or included in) state `target`.
struct graph_edge {
  int32_t source, target, move;
};

class search {
 public:
  search(model &m, bool dfs, int limit)
      : m_(m), store_(m.dim(), m.nb_automata()), dfs_(dfs), limit_(limit),
        zone_(static_cast<size_t>(m.dim()) * m.dim()), from_(zone_.size()), key_(m.nb_automata()) {}

  // 1 reached, 0 not, -1 stopped at the limit.
  int run(states_region *init_table, const tctl_node *init_formula) {
    int32_t k = 0;
    bool found = false;
    m_.for_each_initial(init_table, init_formula, [&](const uint16_t *key, const int16_t *z) {
      const int32_t n = k++;
      if (found) return;
      memcpy(zone_.data(), z, zone_.size() * sizeof(int16_t));
      if (m_.is_goal(key, zone_.data())) {
        found = true;
        goal_ = {-1, n};
        return;
      }
      m_.extrapolate(key, zone_.data());
      stored(store_.insert(key, zone_.data(), -1, n));
    });
    if (found) return 1;
    int32_t next = 0;
    for (;;) {
      const int32_t id = dfs_ ? pop() : next < store_.size() ? next++ : -1;
      if (id < 0) return 0;
      if (store_.covered(id)) continue;
      const int r = explore(id);
      progress::step(store_.size() - store_.nb_covered(), dfs_ ? static_cast<long long>(stack_.size()) : store_.size() - next,
                     stats_.explored);
      if (r != 0) return r;
    }
  }

  const state_store &store() const { return store_; }
  const counts &stats() const { return stats_; }
  const witness &goal() const { return goal_; }
  // Keeps every transition, for the simulation graph.
  void keep_edges() {
    graph_ = true;
    store_.track_covers();
  }
  const std::vector<graph_edge> &edges() const { return edges_; }

 private:
  void stored(int32_t id) {
    if (id >= 0 && dfs_) stack_.push_back(id);
  }
  int32_t pop() {
    if (stack_.empty()) return -1;
    const int32_t id = stack_.back();
    stack_.pop_back();
    return id;
  }
  bool over_limit() const { return limit_ > 0 && store_.size() > limit_; }

  // Explores stored state id: 1 when a successor meets the goal, -1 when
  // the store passed the limit, else 0.
  int explore(int32_t id) {
    stats_.explored++;
    // The zone's slot may be reused when a successor covers it: work on copies.
    std::vector<int16_t> &from = from_;
    memcpy(from.data(), store_.zone_of(id), from.size() * sizeof(int16_t));
    memcpy(key_.data(), store_.key_of(id), key_.size() * sizeof(uint16_t));
    int result = 0;
    m_.for_each_successor(key_.data(), from.data(), [&](int32_t k, const uint16_t *key, int16_t *z, const step_info &) {
      stats_.transitions++;
      if (m_.is_goal(key, z)) {
        goal_ = {id, k};
        result = 1;
        return false;
      }
      m_.extrapolate(key, z);
      const int32_t to = store_.insert(key, z, id, k);
      stored(to);
      if (graph_) edges_.push_back({id, to >= 0 ? to : store_.last_includer(), k});
      if (over_limit()) result = -1;
      return result == 0;
    });
    return result;
  }

  model &m_;
  state_store store_;
  bool dfs_;
  int limit_;
  std::vector<int16_t> zone_, from_;
  std::vector<uint16_t> key_;
  std::vector<int32_t> stack_;
  counts stats_;
  witness goal_;
  bool graph_ = false;
  std::vector<graph_edge> edges_;
};

// One step of a witness path: the discrete state, the exact zone reached
// along the path, and how it was reached (no move for the initial step).
struct path_step {
  std::vector<uint16_t> key;
  std::vector<int16_t> zone;
  step_info via;
};

// The successor of the exact zone z at key by the move `via`, into out;
// false when that move gives nothing from z.
bool exact_step(model &m, const uint16_t *key, const int16_t *z, const step_info &via, std::vector<int16_t> &out) {
  bool found = false;
  m.for_each_successor(key, z, [&](int32_t, const uint16_t *, int16_t *t, const step_info &info) {
    if (!(info == via)) return true;
    out.assign(t, t + out.size());
    found = true;
    return false;
  });
  return found;
}

// The path to the witness: the moves are found again from the initial
// state along the stored predecessors (same successors, same
// extrapolation); the zones are those of the moves from the exact zones,
// which are never empty, since extrapolated zones only hold valuations that
// follow the same moves.
std::vector<path_step> witness_path(model &m, const search &s, const witness &w, states_region *init_table,
                                    const tctl_node *init_formula) {
  std::vector<int32_t> moves;  // successor numbers, initial state number first
  moves.push_back(w.move);
  for (int32_t id = w.parent; id >= 0; id = s.store().parent(id)) moves.push_back(s.store().move(id));
  const size_t nn = static_cast<size_t>(m.dim()) * m.dim();
  std::vector<path_step> path;
  int32_t k = 0;
  const int32_t first = moves.back();
  m.for_each_initial(init_table, init_formula, [&](const uint16_t *key, const int16_t *z) {
    if (k++ == first) path.push_back({{key, key + m.nb_automata()}, {z, z + nn}, {}});
  });
  std::vector<int16_t> abstract = path.back().zone;  // the zone the search went on from
  for (size_t i = moves.size() - 1; i-- > 0;) {
    const std::vector<uint16_t> key = path.back().key;
    m.extrapolate(key.data(), abstract.data());
    path_step next;
    m.for_each_successor(key.data(), abstract.data(), [&](int32_t n, const uint16_t *to, int16_t *z, const step_info &info) {
      if (n != moves[i]) return true;
      next = {{to, to + m.nb_automata()}, {z, z + nn}, info};
      return false;
    });
    abstract = next.zone;
    std::vector<int16_t> exact(nn);
    if (exact_step(m, key.data(), path.back().zone.data(), next.via, exact)) next.zone = exact;
    path.push_back(std::move(next));
  }
  return path;
}

void print_flat_zone(const std::vector<int16_t> &m, FILE *f) {
  zone *z = flat::to_zone(m.data());
  print_hide_zone2(z, f);
  free_zone(z);
}

// "guard => labels ; assignment " of a move of the single graph.
void print_single_move_text(const step_info &via, FILE *f) {
  const trans_rec *tr = trans_table[via.w[0]];
  const region *g = list_reg[tr->guard];
  const int z = zone_of_piece(g, via.guard[0], N_OF_CLOCKS);
  print_hide_zone2(z >= 0 ? g->zones[z] : nullptr, f);
  fputs(" => ", f);
  for (int32_t lab : trans_labels[via.w[0]]) fprintf(f, "%s ", label_tab[lab]->name.c_str());
  fputs("; ", f);
  fprint_clock_affect(f, tr->affect);
}

// The transition block of the path file for the single graph.
void print_single_move(const step_info &via, FILE *f) {
  fputs("transition: ", f);
  print_single_move_text(via, f);
  fprintf(f, "goto %d\n\n", trans_table[via.w[0]]->target);
}

void write_single_path(const std::vector<path_step> &path) {
  load_props_labels();
  const std::string name = result_path("_path.reach");
  FILE *f = open_output(name.c_str(), "w");
  if (f == nullptr) {
    printf("%s: cannot open file %s\n", tool, name.c_str());
    return;
  }
  for (size_t i = 0; i < path.size(); i++) {
    if (i > 0) print_single_move(path[i].via, f);
    zone *z = flat::to_zone(path[i].zone.data());
    path_print_symb_st(path[i].key[0], z, f);
    free_zone(z);
  }
  close_output(f);
  printf("%s: file %s dumped\n", tool, name.c_str());
}

void write_product_trace(const std::vector<path_step> &path) {
  const int n = N_OF_TA;
  FILE *f = my_fopen2_result(".trace", "w");
  fputs("-- Trace #1 -- \n", f);
  std::vector<int32_t> v(n);
  for (size_t i = 0; i < path.size(); i++) {
    if (i > 0) {
      fputs("  --- ", f);
      fprint_trans_vector_labels(f, path[i].via.w.data(), n);
      fputs(" --->\n", f);
    }
    for (int a = 0; a < n; a++) v[a] = path[i].key[a];
    fputs("< ", f);
    fprint_location_vector2(f, v.data(), n);
    fputs(", ", f);
    print_flat_zone(path[i].zone, f);
    fputs(" >\n", f);
  }
  fputs("\n\n", f);
  close_output(f);
  fprintf(stderr, "%s: Trace #1 dumped in file %s\n", tool, my_result_path(".trace").c_str());
}

long peak_kb() {
  struct rusage u;
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

void print_counts(FILE *f, const search &s) {
  const state_store &st = s.store();
  progress::done();
  verdict::stat("states_stored", st.size() - st.nb_covered());
  verdict::stat("states_explored", s.stats().explored);
  verdict::stat("states_covered", st.nb_covered());
  verdict::stat("transitions", s.stats().transitions);
  fprintf(f, "%s: abs lu: %d states stored, %lld explored, %d covered, %lld transitions, %zu bytes in store, peak memory %ld kB\n",
          tool, st.size() - st.nb_covered(), s.stats().explored, st.nb_covered(), s.stats().transitions, st.bytes(),
          peak_kb());
}

void warn_if_exact(const model &m) {
  if (m.extrapolates()) return;
  fprintf(stderr, "%s: warning: diagonal constraints make the LU extrapolation unsound; ", tool);
  fprintf(stderr, "-abs lu explores without extrapolation\n");
}

// The live states of a finished search as a simulation graph: states in id
// order, numbered from 0, with their transitions (targets that were covered
// stand for the states that cover them).
struct graph_view {
  std::vector<int32_t> states;
  std::vector<bool> initial;  // per state: it is (or covers) an initial state
  std::vector<std::vector<std::pair<int32_t, step_info>>> trans;  // per state: target number, move
  size_t nb_trans = 0;
};

graph_view make_graph(model &m, const search &s) {
  const state_store &st = s.store();
  graph_view g;
  std::vector<int32_t> number(st.size(), -1);
  for (int32_t id = 0; id < st.size(); id++)
    if (!st.covered(id)) {
      number[id] = static_cast<int32_t>(g.states.size());
      g.states.push_back(id);
    }
  g.trans.resize(g.states.size());
  g.initial.assign(g.states.size(), false);
  for (int32_t id = 0; id < st.size(); id++)
    if (st.parent(id) < 0) g.initial[number[st.live(id)]] = true;
  const std::vector<graph_edge> &edges = s.edges();
  for (size_t e = 0; e < edges.size();) {
    const int32_t src = edges[e].source;
    size_t end = e;
    while (end < edges.size() && edges[end].source == src) end++;
    if (!st.covered(src)) {
      // The moves of src, found again from its stored zone.
      std::vector<uint16_t> key(st.key_of(src), st.key_of(src) + m.nb_automata());
      std::vector<int16_t> z(st.zone_of(src), st.zone_of(src) + static_cast<size_t>(m.dim()) * m.dim());
      std::vector<step_info> moves;
      m.for_each_successor(key.data(), z.data(), [&](int32_t, const uint16_t *, int16_t *, const step_info &info) {
        moves.push_back(info);
        return true;
      });
      for (size_t i = e; i < end; i++) g.trans[number[src]].push_back({number[st.live(edges[i].target)], moves[edges[i].move]});
      g.nb_trans += end - e;
    }
    e = end;
  }
  return g;
}

// "invar: " and the stored zone z on a line, then "trans:" (a state block
// of the .sim file).
void print_invar_and_trans(const int16_t *z, FILE *f) {
  fputs("invar: ", f);
  zone *c = flat::to_zone(z);
  print_hide_zone3(c, f);
  free_zone(c);
  fputs("trans:\n", f);
}

void write_single_graph(const search &s, const graph_view &g, FILE *f) {
  load_props_labels();
  fprintf(f, "#states %zu\n", g.states.size());
  fprintf(f, "#trans  %zu\n", g.nb_trans);
  fprintf(f, "#clocks  %d\n", N_OF_CLOCKS - 1);
  for (int c = 1; c < N_OF_CLOCKS; c++) fprintf(f, "%s ", clocks_names[c]);
  fputs("\n", f);
  for (size_t i = 0; i < g.states.size(); i++) {
    const int32_t id = g.states[i];
    const int loc = s.store().key_of(id)[0];
    fprintf(f, "\nstate: %zu\t/* tg state: %d */\n", i, loc);
    fprint_props(f, loc);
    print_invar_and_trans(s.store().zone_of(id), f);
    for (const auto &[target, via] : g.trans[i]) {
      print_single_move_text(via, f);
      fprintf(f, "goto %d\n", target);
    }
  }
}

// The conjunction of the guard pieces of a product move.
zone *product_guard(const model &m, const step_info &via) {
  std::vector<int16_t> g(static_cast<size_t>(m.dim()) * m.dim());
  flat::set_universal(g.data(), m.dim());
  for (int a = 0; a < m.nb_automata(); a++)
    if (via.w[a] >= 0 && !flat::constrain_all(g.data(), m.dim(), m.aut(a).guard[via.w[a]][via.guard[a]])) return nullptr;
  return flat::to_zone(g.data());
}

// "guard => labels ; assignment " of a product move.
void print_product_move_text(const model &m, const step_info &via, FILE *f) {
  const int n = N_OF_TA;
  zone *guard = product_guard(m, via);
  if (guard != nullptr) print_hide_zone2(guard, f);
  else fputs("FALSE", f);
  free_zone(guard);
  fputs(" => ", f);
  fprint_trans_vector_labels(f, via.w.data(), n);
  fputs("; ", f);
  std::vector<const trans_rec *> e(n);
  trans_to_action_vector(via.w.data(), e.data(), n);
  TA_action_fprint_affect(f, e.data(), n);
}

void write_product_graph(const model &m, const search &s, const graph_view &g, FILE *f) {
  const int n = N_OF_TA;
  fputs("/* Simulation graph generated for the parallel composition of:\n", f);
  for (int a = 0; a < n; a++) fprintf(f, "\tautomaton %d: %s.tg\n", a, TA_names[a].c_str());
  fputs("*/\n", f);
  fprintf(f, "#states %zu\n#trans  %zu\n#clocks  %d\n", g.states.size(), g.nb_trans, N_OF_CLOCKS - 1);
  fprint_product_clocks(f);
  std::vector<int32_t> v(n);
  for (size_t i = 0; i < g.states.size(); i++) {
    const int32_t id = g.states[i];
    for (int a = 0; a < n; a++) v[a] = s.store().key_of(id)[a];
    fprintf(f, "\nstate: %zu", i);
    fprint_location_vector(f, v.data(), n);
    fprint_location_vector_props(f, v.data(), n);
    print_invar_and_trans(s.store().zone_of(id), f);
    for (const auto &[target, via] : g.trans[i]) {
      print_product_move_text(m, via, f);
      fprintf(f, "goto %d\n", target);
    }
  }
}

// The graph as a DOT picture in path: label(i, zone) gives state i's label,
// move(via, stream) prints a move.
template <typename Label, typename Move>
void draw_graph(const search &s, const graph_view &g, const std::string &path, Label label, Move move) {
  dot::sim_picture pic(path);
  for (size_t i = 0; i < g.states.size(); i++) {
    zone *z = flat::to_zone(s.store().zone_of(g.states[i]));
    pic.state(static_cast<long>(i), g.initial[i], label(i, z));
    free_zone(z);
  }
  for (size_t i = 0; i < g.states.size(); i++)
    for (const auto &t : g.trans[i])
      pic.transition(static_cast<long>(i), t.first, dot::text_of([&](FILE *o) { move(t.second, o); }));
  pic.finish();
}

void draw_single_graph(const search &s, const graph_view &g, const std::string &path) {
  load_props_labels();
  draw_graph(
      s, g, path,
      [&](size_t i, zone *z) { return dot::single_state_label(static_cast<long>(i), s.store().key_of(g.states[i])[0], z); },
      print_single_move_text);
}

void draw_product_graph(const model &m, const search &s, const graph_view &g, const std::string &path) {
  std::vector<int32_t> v(static_cast<size_t>(N_OF_TA));
  draw_graph(
      s, g, path,
      [&](size_t i, zone *z) {
        const uint16_t *key = s.store().key_of(g.states[i]);
        v.assign(key, key + N_OF_TA);
        return dot::product_state_label(static_cast<long>(i), v.data(), N_OF_TA, z);
      },
      [&m](const step_info &via, FILE *o) { print_product_move_text(m, via, o); });
}

// Under -run: the concrete run of a witness path, ending in the goal zones
// of the single graph (anywhere for products).
void write_run(const std::vector<path_step> &path, const model &m, states_region *init) {
  run::witness w;
  w.product = m.is_product();
  w.start.assign(path.front().key.begin(), path.front().key.end());
  for (size_t i = 1; i < path.size(); i++) w.moves.push_back(path[i].via.w);
  if (!w.product) w.target = m.goal_zones(path.back().key[0]);
  run_write_witness(std::move(w), init, 1);
}

int search_limit() { return MAX_SYMB_STATES_GIVEN ? MAX_SYMB_STATES : 0; }

// Runs f, ending the process with "not enough memory" when the store
// cannot grow.
template <typename F>
int guarded(F f) {
  try {
    return f();
  } catch (const std::bad_alloc &) {
    out_of_memory();
  }
}

}  // namespace

}  // namespace lu

namespace {

// The verdict line of a reachability search that returned r.
void print_reachability(int r) {
  if (r == 1) printf("%s: Reachability: TRUE.\n", tool);
  else if (r == 0) printf("%s: Reachability: FALSE.\n", tool);
  else printf("%s: Reachability: INCOMPLETE (search limited at -FORW %d states).\n", tool, MAX_SYMB_STATES);
}

// The search of goal from init on the one graph (depth-first when dfs),
// its witness written to _path.reach (and _run.reach under -run); report
// prints the lines of a reachability run around it. Returns 1 found, 0 not,
// -1 stopped at -FORW.
int search_one_tg(states_region *init, states_region *goal, bool dfs, bool report) {
  return lu::guarded([&] {
    lu::check_key_width(false);
    lu::model m = lu::model::single(goal);
    lu::warn_if_exact(m);
    if (report) printf("%s: Evaluating reachability property... \n", tool);
    lu::search s(m, dfs, lu::search_limit());
    const int r = s.run(init, nullptr);
    if (r == 1) {
      const std::vector<lu::path_step> path = lu::witness_path(m, s, s.goal(), init, nullptr);
      lu::write_single_path(path);
      if (is_option(OPT_RUN)) lu::write_run(path, m, init);
    }
    if (report) print_reachability(r);
    lu::print_counts(stdout, s);
    return r;
  });
}

}  // namespace

int lu_reach_one_tg(states_region *init, states_region *goal) {
  return search_one_tg(init, goal, is_option(OPT_DFS) != 0, true);
}

int lu_search_one_tg(states_region *init, states_region *goal) { return search_one_tg(init, goal, false, false); }

int lu_reach_product(const tctl_node *init, const tctl_node *reach) {
  // A refused formula is named in the user's terms, the initial condition
  // first, then the goal.
  bool refused = false;
  for (const auto &[f, role] : {std::pair{init, "initial condition"}, std::pair{reach, "goal"}}) {
    const std::string why = why_not_location_formula(f, role);
    if (!why.empty()) fprintf(stderr, "%s: %s\n", tool, why.c_str());
    refused = refused || !why.empty();
  }
  if (refused) return -2;
  return lu::guarded([&] {
    lu::check_key_width(true);
    lu::model m = lu::model::product(reach, is_option(OPT_INV) ? lu::initial_mode::whole_invariant : lu::initial_mode::from_zero);
    lu::warn_if_exact(m);
    lu::search s(m, is_option(OPT_DFS) != 0, lu::search_limit());
    const int r = s.run(nullptr, init);
    if (r == 1) {
      std::vector<lu::path_step> path = lu::witness_path(m, s, s.goal(), nullptr, init);
      lu::write_product_trace(path);
      if (is_option(OPT_RUN)) lu::write_run(path, m, nullptr);
      fprintf(stderr, "%s: Reachability successful. Sample-trace length: %zu\n", tool, path.size() - 1);
    } else if (r == 0) {
      fprintf(stderr, "Reachability failed.\n");
      fprintf(stderr, "Full state space explored.\n");
    } else {
      fprintf(stderr, "Reachability failed. Warning: part of state space explored.\n");
      fprintf(stderr, "Search limited at -FORW %d states.\n", MAX_SYMB_STATES);
    }
    lu::print_counts(stderr, s);
    return r;
  });
}

namespace {

// Under -FORW n the search stopped before the graph was whole: the run is
// aborted as the exact forward engine aborts at its limit, and with -h the
// graph so far is written (by write) as abort.sim, a name that says it is
// cut. The states kept but not explored show no transitions there.
template <typename Write>
void report_cut(lu::model &m, const lu::search &s, const lu::graph_view &g, Write write) {
  fprintf(stderr, "%s abort: too many symbolic states (current MAX_SYMB_STATES = %d;)\n", tool, MAX_SYMB_STATES);
  fprintf(stderr, "hint: under -abs lu only '-FORW n' limits the search: raise n, or leave it out.\n");
  if (!is_option(OPT_HISTORY)) return;
  const std::string name = result_path("abort.sim");
  FILE *f = open_output(name.c_str(), "w");
  if (f == nullptr) {
    fprintf(stderr, "%s: cannot open file %s\n", tool, name.c_str());
    return;
  }
  write(m, s, g, f);
  close_output(f);
  printf("%s: file %s dumped\n", tool, name.c_str());
}

// The simulation graph of m from its initial states, written by write into
// out; the counts line goes to counts; then close_sim runs and draw draws
// the picture (when one is asked for). A search cut by -FORW writes nothing
// into out and draws nothing (see report_cut).
template <typename Write, typename Draw>
int sim_graph(lu::model m, states_region *init_table, const tctl_node *init_formula, FILE *out, Write write, Draw draw,
              FILE *counts, const std::function<void()> &close_sim, const std::string &picture) {
  m.drop_goal();
  lu::warn_if_exact(m);
  lu::search s(m, false, lu::search_limit());
  s.keep_edges();
  const int r = s.run(init_table, init_formula);
  const lu::graph_view g = lu::make_graph(m, s);
  if (r < 0) {
    report_cut(m, s, g, write);
    lu::print_counts(counts, s);
    return r;
  }
  write(m, s, g, out);
  lu::print_counts(counts, s);
  if (close_sim) close_sim();
  if (!picture.empty()) draw(m, s, g, picture);
  return r;
}

}  // namespace

int lu_sim_graph_one_tg(states_region *init, FILE *out, const std::function<void()> &close_sim,
                        const std::string &picture) {
  return lu::guarded([&] {
    lu::check_key_width(false);
    return sim_graph(
        lu::model::single(nullptr), init, nullptr, out,
        [](lu::model &, const lu::search &s, const lu::graph_view &g, FILE *f) { lu::write_single_graph(s, g, f); },
        [](lu::model &, const lu::search &s, const lu::graph_view &g, const std::string &path) {
          lu::draw_single_graph(s, g, path);
        },
        stdout, close_sim, picture);
  });
}

int lu_sim_graph_product(const tctl_node *init, FILE *out, const std::function<void()> &close_sim,
                         const std::string &picture) {
  return lu::guarded([&] {
    lu::check_key_width(true);
    return sim_graph(
        lu::model::product(nullptr, is_option(OPT_INV) ? lu::initial_mode::whole_invariant : lu::initial_mode::from_zero), nullptr, init, out,
        [](lu::model &m, const lu::search &s, const lu::graph_view &g, FILE *f) { lu::write_product_graph(m, s, g, f); },
        [](lu::model &m, const lu::search &s, const lu::graph_view &g, const std::string &path) {
          lu::draw_product_graph(m, s, g, path);
        },
        stderr, close_sim, picture);
  });
}
