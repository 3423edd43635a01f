// Evidence of the forward searches (path, trace and depth-first trace files)
// and the extrapolation zone.

#include <algorithm>
#include <cstdlib>

#include "common/region/region.h"
#include "common/tg/tg_clocks.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_read_write.h"
#include "varnok/run_text.h"
#include "varnok/simul.h"
#include "varnok/varnok_options.h"

namespace {

// Under -run: where the runs of the search going on start (and, for a
// conditional search, what they keep to).
run::origin search_origin;

constexpr sim_trans NO_TRANS = {-1, -1, -1, -1};

FILE *open_or_exit(const char *given, const char *mode) {
  const std::string name = result_path(given);
  FILE *f = open_output(name.c_str(), mode);
  if (f == nullptr) {
    printf("%s: cannot open file %s\n", tool, name.c_str());
    exit(1);
  }
  return f;
}

void print_labels(int trans, FILE *stream) {
  for (int32_t lab : trans_labels[trans]) fprintf(stream, "%s ", label_tab[lab]->name.c_str());
}

// Raises a[i] to the finite upper bound of clock i in z and to its finite
// lower bound taken positive with the same strictness.
void raise_maxima(std::vector<int16_t> &a, zone *z) {
  if (is_empty_zone(z)) return;
  for (int i = 1; i < N_OF_CLOCKS; i++) {
    int16_t up = z->bounds[i][0], low = z->bounds[0][i];
    if (up != INF_BOUND) a[i] = std::max(a[i], up);
    if (low != INF_BOUND) a[i] = std::max(a[i], mk_bound(-bound_constant(low), bound_is_le(low)));
  }
}

// The universal zone bounded above by a[i] on every clock i, canonical.
zone *maxima_zone(const std::vector<int16_t> &a) {
  zone *z = mk_universal_zone();
  for (int i = 1; i < N_OF_CLOCKS; i++) assign_disactual_bounds_edges_zone(z, i, 0, a[i]);
  cf_zone(z);
  return z;
}

zone *tg_approx_zone() {
  std::vector<int16_t> a(N_OF_CLOCKS, ZERO_LE);
  for (int l = 0; l < N_OF_STATES; l++)
    for (int p = piece_first(l); p < piece_first(l + 1); p++) raise_maxima(a, piece_guard(p));
  return maxima_zone(a);
}

// Every zone of p counts, so that the goal's constants are all kept.
zone *form_approx_zone(states_region *p) {
  if (p == nullptr || !is_not_empty_states_region(p)) return nullptr;
  std::vector<int16_t> a(N_OF_CLOCKS, ZERO_LE);
  for (int l = 0; l < p->count; l++) {
    region *r = p->regs[l];
    if (is_empty_region(r)) continue;
    for (int k = 0; k < r->count; k++) {
      cf_zone(r->zones[k]);
      raise_maxima(a, r->zones[k]);
    }
  }
  return maxima_zone(a);
}

// With x := y somewhere, y must be followed as far as x: the maximum of y is
// raised to that of x, until no assignment raises any maximum.
zone *approx_with_affect(zone *h) {
  if (get_affect(AFFECT_ASSIGN) == nullptr) return h;
  std::vector<int16_t> a(N_OF_CLOCKS, ZERO_LE);
  for (int i = 1; i < N_OF_CLOCKS; i++) a[i] = h->bounds[i][0];
  for (bool changed = true; changed;) {
    changed = false;
    for (clock_affect *r = get_affect(AFFECT_ASSIGN); r != nullptr; r = r->next)
      for (int i = 1; i < AFFECT_SIZE && i < static_cast<int>(r->affect.size()); i++) {
        int j = r->affect[i];
        if (j == i || j == 0 || j >= N_OF_CLOCKS || a[j] >= a[i]) continue;
        a[j] = a[i];
        changed = true;
      }
  }
  free_zone(h);
  return maxima_zone(a);
}

// The valuations with which piece p from zone src enters the location and
// reaches z by letting time pass: the time predecessors of z within the
// successor of p, closed; null when there is none. Where time passes in a
// non-convex invariant, the first zone of the successor that gives some.
zone *entry_zone(zone *src, int p, zone *z) {
  std::vector<zone *> next;
  succ_action(src, p, next);
  zone *before = proj_zone(z);
  zone *e = nullptr;
  for (zone *s : next) {
    if (e == nullptr) {
      e = intersection_zone(before, s);
      cf_zone(e);
      if (is_empty_zone(e)) {
        free_zone(e);
        e = nullptr;
      }
    }
    free_zone(s);
  }
  free_zone(before);
  return e;
}

}  // namespace

// ---------------------------------------------------------------------------
// Blocks

void path_print_symb_st(int location, zone *z, FILE *stream) {
  fprintf(stream, "location: %d\n", location);
  fprint_propositions(stream, location);
  fputs("constraint: ", stream);
  print_hide_zone2(z, stream);
  fputs("\n", stream);
}

void path_print_tg_trans(int piece, FILE *stream) {
  if (trans_table.empty()) {
    printf("%s: Error Message: trans_table NULL\n", tool);
    exit(-1);
  }
  int t = piece_trans(piece);
  const trans_rec *tr = t < static_cast<int>(trans_table.size()) ? trans_table[t] : nullptr;
  if (tr == nullptr) {
    printf("%s: Error Message: trans_table[act_nb] NULL\n", tool);
    exit(-1);
  }
  fputs("transition: ", stream);
  print_hide_zone2(piece_guard(piece), stream);
  fputs(" => ", stream);
  print_labels(t, stream);
  fputs("; ", stream);
  fprint_clock_affect(stream, tr->affect);
  fprintf(stream, "goto %d\n\n", tr->target);
}

// ---------------------------------------------------------------------------
// Paths and traces

std::vector<path_step> find_reach_path(int i) {
  std::vector<path_step> path;
  path.push_back(path_step{i, NO_TRANS});
  for (int guard = 0; guard <= nb_sim_states; guard++) {
    const sim_trans *r = pred_sim_path(i);
    if (r == nullptr || r->source < 0) break;
    path.push_back(path_step{r->source, *r});
    i = r->source;
  }
  return path;
}

void print_reach_path(const std::vector<path_step> &path) {
  load_props_labels();
  FILE *f = open_or_exit("_path.reach", "w");
  for (size_t k = path.size() - 1; k > 0; k--) {
    const sim_state &s = succ_sim_graph[path[k].state];
    path_print_symb_st(s.st.loc, s.st.z, f);
    path_print_tg_trans(path[k].via.piece, f);
  }
  const sim_state &last = succ_sim_graph[path[0].state];
  path_print_symb_st(last.st.loc, last.st.z, f);
  close_output(f);
  printf("%s: file %s dumped\n", tool, result_path("_path.reach").c_str());
}

void free_reach_trace(std::vector<trace_step> &trace) {
  for (trace_step &s : trace) {
    free_zone(s.entry);
    free_zone(s.exit);
  }
  trace.clear();
}

int find_reach_trace(int i, zone *z0, std::vector<trace_step> &trace) {
  trace.clear();
  zone *z = assign_zone(z0);
  cf_zone(z);
  sim_trans after = NO_TRANS;
  std::vector<trace_step> rev;
  for (int guard = 0; z != nullptr && !is_empty_zone(z) && guard <= nb_sim_states; guard++) {
    const sim_trans *r = pred_sim_path(i);
    if (r == nullptr) break;
    if (r->source < 0) {
      rev.push_back(trace_step{i, mk_zero_zone(0), z, after});
      std::reverse(rev.begin(), rev.end());
      trace = std::move(rev);
      return 1;
    }
    sim_trans via = *r;
    zone *e = entry_zone(succ_sim_graph[via.source].st.z, via.piece, z);
    if (e == nullptr) break;
    rev.push_back(trace_step{i, e, z, after});
    zone *pre = pre_action_zone(e, via.piece);
    z = pre == nullptr ? nullptr : intersection_zone(pre, succ_sim_graph[via.source].st.z);
    free_zone(pre);
    cf_zone(z);
    after = via;
    i = via.source;
  }
  free_zone(z);
  free_reach_trace(rev);
  return 0;
}

void print_reach_trace(const std::vector<trace_step> &trace, int valid) {
  if (!valid) {
    FILE *f = open_or_exit("_trace.reach", "w");
    fputs("Invalid simulation trace\n", f);
    close_output(f);
    printf("%s: invalid simulation trace\n", tool);
    return;
  }
  load_props_labels();
  FILE *f = open_or_exit("_trace.reach", "w");
  for (const trace_step &s : trace) {
    int l = succ_sim_graph[s.state].st.loc;
    path_print_symb_st(l, s.entry, f);
    path_print_symb_st(l, s.exit, f);
    if (s.after.trans >= 0) path_print_tg_trans(s.after.piece, f);
  }
  close_output(f);
  printf("%s: file %s dumped\n", tool, result_path("_trace.reach").c_str());
}

void print_reach_evidence(int i, zone *z) {
  print_reach_path(find_reach_path(i));
  std::vector<trace_step> trace;
  int valid = find_reach_trace(i, z, trace);
  print_reach_trace(trace, valid);
  free_reach_trace(trace);
  if (is_option(OPT_RUN)) print_reach_run(find_reach_path(i), z);
}

void note_run_origin(run::origin o) {
  search_origin = std::move(o);
  run_file_restart();
}

void print_reach_run(const std::vector<path_step> &path, zone *z) {
  std::vector<int> locations, transitions;
  for (size_t k = path.size(); k-- > 0;) {
    locations.push_back(succ_sim_graph[path[k].state].st.loc);
    if (k > 0) transitions.push_back(path[k].via.trans);
  }
  run_write_one_tg(search_origin, locations, transitions, z, 1, run_pictures_of(is_option(OPT_DOT | OPT_SVG)));
}

void print_stack_run(zone *z, int number) {
  std::vector<int> locations, transitions;
  for (int k = 0; k <= stack_top; k++) {
    const stack_entry &e = succ_sim_graph_stack[k];
    locations.push_back(succ_sim_graph[e.state].st.loc);
    if (k < stack_top) transitions.push_back(piece_trans(e.next - 1));
  }
  run_write_one_tg(search_origin, locations, transitions, z, number, run_pictures_of(is_option(OPT_DOT | OPT_SVG)));
}

void print_succ_sim_graph_stack() {
  FILE *f;
  if (NB_FOUND_PATHS <= 1) {
    load_props_labels();
    f = open_result("_dfs.trace", "w");
    if (f == nullptr) {
      fprintf(stderr, "%s: Cannot open file %s for writing\n", tool, result_path("_dfs.trace").c_str());
      exit(1);
    }
  } else {
    f = open_result("_dfs.trace", "a");
    if (f == nullptr) {
      fprintf(stderr, "%s: Cannot open file %s for appending\n", tool, result_path("_dfs.trace").c_str());
      exit(1);
    }
  }
  fprintf(f, "-- Trace #%d -- \n", NB_FOUND_PATHS);
  for (int k = 0; k < stack_top; k++) {
    const stack_entry &e = succ_sim_graph_stack[k];
    const sim_state &s = succ_sim_graph[e.state];
    int p = e.next - 1;
    if (p < piece_first(s.st.loc) || p >= piece_first(s.st.loc + 1)) {
      fclose(f);
      fprintf(stderr, "%s: Wrong transition number.\n", tool);
      exit(1);
    }
    fprintf(f, "< %d, ", s.st.loc);
    print_hide_zone2(s.st.z, f);
    fputs(">\n", f);
    fputs("--- ", f);
    print_labels(piece_trans(p), f);
    fputs("--->\n", f);
  }
  if (stack_top >= 0) {
    const sim_state &s = succ_sim_graph[succ_sim_graph_stack[stack_top].state];
    fprintf(f, "< %d, ", s.st.loc);
    print_hide_zone2(s.st.z, f);
    fputs(">\n\n", f);
  }
  close_output(f);
  fprintf(stderr, "%s: Trace #%d dumped in file %s\n", tool, NB_FOUND_PATHS, result_path("_dfs.trace").c_str());
}

// ---------------------------------------------------------------------------
// Extrapolation zone

void add_approx_constants(states_region *p) {
  zone *f = form_approx_zone(p);
  if (f == nullptr || app_zone == nullptr) {
    free_zone(f);
    return;
  }
  zone *h = Union_zone(app_zone, f);
  free_zone(f);
  cf_zone(h);
  free_zone(app_zone);
  app_zone = h;
}

zone *init_approx_zone(states_region *p) {
  zone *t = tg_approx_zone();
  zone *f = form_approx_zone(p);
  zone *h = Union_zone(t, f);
  free_zone(t);
  free_zone(f);
  h = approx_with_affect(h);
  cf_zone(h);
  FILE *out = open_or_exit("approx_zone", "w");
  fputs("Approximation:\n", out);
  print_hide_zone3(h, out);
  close_output(out);
  return h;
}
