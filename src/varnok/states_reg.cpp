#include "varnok/states_reg.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "common/region/region.h"
#include "common/region/region_read_write.h"
#include "common/region/region_zone.h"
#include "common/tctl/tctl_tg_link.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/util/my_files.h"
#include "common/util/stattime.h"
#include "common/zone/zone.h"
#include "varnok/progress.h"
#include "varnok/verdict.h"
#include "varnok/varnok_options.h"

int32_t COMPACT = 0;
int16_t COMPACT_LEN = 1;
int32_t n_of_eval = 0;
FILE *history_file = nullptr;

namespace {
// Set while a whole_zone_frontiers scope is open.
bool whole_zone_frontiers_on = false;
// Set when compact_states_region2 kept a region as it was, its double
// complement costing more than DOUBLE_COMPLEMENT_BUDGET.
bool compaction_gave_up = false;
// In the exact mode, a universal fix-point whose compaction gave up stops
// its pass at once: it is run again with whole-zone frontiers.
bool pass_abandoned() { return COMPACT != 0 && compaction_gave_up && !whole_zone_frontiers_on; }
}  // namespace

const int64_t DOUBLE_COMPLEMENT_BUDGET = 10000000;

namespace {
// The budget of compact_states_region2, set by double_complement_budget.
int64_t double_complement_work = DOUBLE_COMPLEMENT_BUDGET;
}  // namespace

double_complement_budget::double_complement_budget(int64_t work) : was(double_complement_work) {
  double_complement_work = work;
}
double_complement_budget::~double_complement_budget() { double_complement_work = was; }

whole_zone_frontiers::whole_zone_frontiers(bool on) : was(whole_zone_frontiers_on) { whole_zone_frontiers_on = on; }
whole_zone_frontiers::~whole_zone_frontiers() { whole_zone_frontiers_on = was; }

namespace {

// Timers of the existential and the universal fix-points.
constexpr int TIMER_EU = 2;
constexpr int TIMER_AU = 3;

// The holder and its region array live in one block.
states_region *alloc_table() {
  size_t n = N_OF_STATES;
  void *block = malloc(sizeof(states_region) + n * sizeof(region *));
  if (block == nullptr) out_of_memory();
  auto *p = static_cast<states_region *>(block);
  p->regs = reinterpret_cast<region **>(p + 1);
  p->count = static_cast<int32_t>(n);
  for (size_t i = 0; i < n; i++) p->regs[i] = nullptr;
  return p;
}

// Releases the holder only (its regions were moved elsewhere).
void free_holder(states_region *p) { free(p); }

// Frees p and answers null when all its regions are empty.
states_region *null_if_empty(states_region *p) {
  if (p != nullptr && !is_not_empty_states_region(p)) {
    free_states_region(p);
    return nullptr;
  }
  return p;
}

int verbose() { return is_option(OPT_VERBOSE) != 0; }
int history() { return is_option(OPT_HISTORY) != 0 && history_file != nullptr; }

void print_blanks(int n) {
  for (int i = 0; i < n; i++) putchar(' ');
}

void print_history(int n, states_region *s) {
  if (!history()) return;
  fprintf(history_file, "%d --- \n", n);
  print_hide_states_region2(s, history_file);
}

// The formula clock of the universal fix-points: the first extra clock.
int formula_clock() { return N_OF_CLOCKS - tctl_extra_clocks(); }

// The invariants where the formula clock z exceeds a: (0, z) = (-a, <).
states_region *mk_beyond_step(int z, int a) {
  states_region *b = mk_inv_st_reg();
  modif_global_states_region(b, 0, z, -a, 0);
  return b;
}

// p ∩ q, the arguments freed.
states_region *meet_and_free(states_region *p, states_region *q) {
  states_region *r = intersection_states_region(p, q);
  free_states_region(p);
  free_states_region(q);
  return r;
}

}  // namespace

// ---------------------------------------------------------------------------
// Making and managing

states_region *mk_empty_states_region() {
  states_region *p = alloc_table();
  for (int i = 0; i < N_OF_STATES; i++) p->regs[i] = mk_empty_region();
  return p;
}

states_region *mk_inv_st_reg() {
  states_region *p = alloc_table();
  for (int i = 0; i < N_OF_STATES; i++) p->regs[i] = assign_region(list_reg[inv[i]]);
  return p;
}

states_region *assign_states_region(states_region *p) {
  if (!is_not_empty_states_region(p)) return nullptr;
  states_region *q = alloc_table();
  for (int i = 0; i < N_OF_STATES; i++) q->regs[i] = assign_region(p->regs[i]);
  return q;
}

void free_states_region(states_region *p) {
  if (p == nullptr) return;
  for (int i = 0; i < p->count; i++) free_region(p->regs[i]);
  free_holder(p);
}

int is_not_empty_states_region(const states_region *p) {
  if (p == nullptr) return 0;
  for (int i = 0; i < N_OF_STATES; i++)
    if (!is_empty_region(p->regs[i])) return 1;
  return 0;
}

int is_universal_states_region(states_region *p) {
  if (!is_not_empty_states_region(p)) return 0;
  states_region *i = mk_inv_st_reg();
  states_region *d = diff_states_region(i, p);
  int answer = !is_not_empty_states_region(d);
  free_states_region(d);
  free_states_region(i);
  return answer;
}

int is_included_states_region(states_region *p, states_region *q) {
  if (!is_not_empty_states_region(p)) return 1;
  if (!is_not_empty_states_region(q)) return 0;
  for (int i = 0; i < N_OF_STATES; i++)
    if (!is_included_region(p->regs[i], q->regs[i])) return 0;
  return 1;
}

void cf_states_region(states_region *p) {
  if (p == nullptr) return;
  for (int i = 0; i < N_OF_STATES; i++) cf_region(p->regs[i]);
}

void compact_states_region(states_region *p) {
  if (p == nullptr) return;
  for (int i = 0; i < N_OF_STATES; i++) compact_region(p->regs[i]);
}

void compact_hull_states_region(states_region *p) {
  if (p == nullptr) return;
  for (int i = 0; i < N_OF_STATES; i++) {
    region *r = p->regs[i];
    region *h = compact_hull_region(r);
    if (h != r) free_region(r);
    p->regs[i] = h;
  }
}

void compact_hull_diff_states_region(states_region *p) {
  if (p == nullptr) return;
  for (int i = 0; i < N_OF_STATES; i++) {
    region *r = p->regs[i];
    p->regs[i] = compact_hull_diff_region(r);
    free_region(r);
  }
}

void compact_states_region2(states_region *p) {
  if (!is_not_empty_states_region(p)) return;
  for (int i = 0; i < N_OF_STATES; i++) {
    region *r = p->regs[i];
    compact_region(r);
    // A pass abandoned drops its tables: no need to spend more on them.
    if (r == nullptr || r->count <= COMPACT_LEN || pass_abandoned()) continue;
    int64_t budget = double_complement_work;
    region *c = complement_region_within(r, &budget);
    region *back = c != nullptr ? complement_region_within(c, &budget) : nullptr;
    free_region(c);
    if (back == nullptr) {
      // The same set, as compacted by inclusion.
      compaction_gave_up = true;
      continue;
    }
    p->regs[i] = back;
    free_region(r);
  }
}

void modif_global_states_region(states_region *p, int i, int j, int d, int s) {
  if (!is_not_empty_states_region(p)) return;
  int16_t bound = mk_bound(d, s);
  for (int l = 0; l < N_OF_STATES; l++) modif_global_region(p->regs[l], i, j, bound);
}

void add_extra_clocks_states_region(states_region *p, int k) {
  if (k <= 0 || !is_not_empty_states_region(p)) return;
  for (int i = 0; i < N_OF_STATES; i++)
    if (p->regs[i] != nullptr) add_extra_clocks_region(p->regs[i], k);
}

void del_extra_clocks_states_region(states_region *p, int k) {
  if (k <= 0 || !is_not_empty_states_region(p)) return;
  for (int i = 0; i < N_OF_STATES; i++)
    if (p->regs[i] != nullptr) del_extra_clocks_region(p->regs[i], k);
}

// ---------------------------------------------------------------------------
// Location-wise set operations

states_region *intersection_states_region(states_region *p, states_region *q) {
  if (!is_not_empty_states_region(p) || !is_not_empty_states_region(q)) return nullptr;
  states_region *r = alloc_table();
  for (int i = 0; i < N_OF_STATES; i++)
    if (!is_empty_region(p->regs[i]) && !is_empty_region(q->regs[i]))
      r->regs[i] = intersection_region(p->regs[i], q->regs[i]);
  return null_if_empty(r);
}

// The common part of union and add: the empty cases, then `join` on every
// location with both tables taken over.
template <typename Join>
static states_region *merge_states_region(states_region *p, states_region *q, Join join) {
  if (!is_not_empty_states_region(p)) {
    free_states_region(p);
    return q;
  }
  if (!is_not_empty_states_region(q)) {
    free_states_region(q);
    return p;
  }
  for (int i = 0; i < N_OF_STATES; i++) {
    if (is_empty_region(p->regs[i]) && is_empty_region(q->regs[i])) {
      free_region(p->regs[i]);
      free_region(q->regs[i]);
      p->regs[i] = nullptr;
    } else {
      p->regs[i] = join(p->regs[i], q->regs[i]);
    }
    q->regs[i] = nullptr;
  }
  free_holder(q);
  return p;
}

states_region *union_states_region(states_region *p, states_region *q) {
  return merge_states_region(p, q, union_region);
}

states_region *add_states_region(states_region *p, states_region *q) {
  return merge_states_region(p, q, append_region);
}

states_region *diff_states_region(states_region *p, states_region *q) {
  if (!is_not_empty_states_region(p)) return nullptr;
  if (!is_not_empty_states_region(q)) return assign_states_region(p);
  states_region *r = alloc_table();
  for (int i = 0; i < N_OF_STATES; i++)
    if (!is_empty_region(p->regs[i])) r->regs[i] = diff_region(p->regs[i], q->regs[i]);
  return null_if_empty(r);
}

states_region *proj_states_region(states_region *p) {
  if (!is_not_empty_states_region(p)) return nullptr;
  states_region *r = alloc_table();
  for (int i = 0; i < N_OF_STATES; i++)
    if (!is_empty_region(p->regs[i])) r->regs[i] = proj_region(p->regs[i]);
  return null_if_empty(r);
}

states_region *reset_states_region(states_region *p, int x) {
  if (!is_not_empty_states_region(p)) return nullptr;
  states_region *r = alloc_table();
  for (int i = 0; i < N_OF_STATES; i++)
    if (!is_empty_region(p->regs[i])) r->regs[i] = reset_region(p->regs[i], x);
  return null_if_empty(r);
}

states_region *path_states_region(states_region *p, states_region *q) {
  if (!is_not_empty_states_region(q)) return nullptr;
  if (!is_not_empty_states_region(p)) return assign_states_region(q);
  states_region *r = alloc_table();
  for (int i = 0; i < N_OF_STATES; i++) {
    if (!is_empty_region(q->regs[i])) {
      r->regs[i] = path_region(p->regs[i], q->regs[i]);
    } else {
      // path_region closes its first argument whatever the second; later
      // operations see p's zones closed either way.
      cf_region(p->regs[i]);
    }
  }
  return null_if_empty(r);
}

// ---------------------------------------------------------------------------
// Predecessors

states_region *pre_states_region(states_region *p) {
  if (!is_not_empty_states_region(p)) return nullptr;
  // Locations stay null until a transition contributes; an empty target
  // region or an empty guard contributes nothing.
  states_region *r = alloc_table();
  for (int i = 0; i < N_OF_STATES; i++) {
    if (is_empty_region(p->regs[i])) continue;
    for (int t = preds[i]; t < preds[i + 1]; t++) {
      const trans_rec *tr = trans_table_preds[t];
      region *guard = list_reg[tr->guard];
      if (is_empty_region(guard)) continue;
      region *pre = pre_region(p->regs[i], guard, get_reset_clocks2(tr));
      int s = tr->source;
      r->regs[s] = r->regs[s] == nullptr ? pre : append_region(r->regs[s], pre);
    }
  }
  return null_if_empty(r);
}

states_region *true_next_states_region(states_region *p) {
  if (!is_not_empty_states_region(p)) return nullptr;
  states_region *pre = pre_states_region(p);
  states_region *before = proj_states_region(pre);
  free_states_region(pre);
  return union_states_region(proj_states_region(p), before);
}

states_region *true_next_states_region2(states_region *p) {
  if (!is_not_empty_states_region(p)) return nullptr;
  states_region *pre = pre_states_region(p);
  states_region *r = proj_states_region(pre);
  free_states_region(pre);
  return r;
}

// path(p, p ∩ pre(q)): the states that reach, within p, a state of p with a
// transition into q.
static states_region *path_to_pre(states_region *p, states_region *q) {
  states_region *pre = pre_states_region(q);
  states_region *entry = intersection_states_region(p, pre);
  free_states_region(pre);
  states_region *r = path_states_region(p, entry);
  free_states_region(entry);
  return r;
}

states_region *next_states_region(states_region *p, states_region *q) {
  states_region *direct = path_states_region(p, q);
  return union_states_region(direct, path_to_pre(p, q));
}

states_region *next_states_region2(states_region *p, states_region *q) { return path_to_pre(p, q); }

// ---------------------------------------------------------------------------
// Existential fix-points

// The zones of r (taken over) not included in s, each kept whole.
static region *zones_outside(region *r, region *s) {
  cf_region(r);
  if (is_empty_region(r) || is_empty_region(s)) return r;
  cf_region(s);
  int32_t kept = 0;
  for (int32_t i = 0; i < r->count; i++) {
    zone *z = r->zones[i];
    r->zones[i] = nullptr;
    // One zone of s holding z is the common case and cheap to find; else
    // z may still be covered by several of them together.
    bool known = false;
    for (int32_t j = 0; j < s->count && !known; j++) known = is_included_zone(z, s->zones[j]) != 0;
    if (!known) {
      region *alone = zone_to_region(z);
      known = is_included_region(alone, s) != 0;
      alone->zones[0] = nullptr;
      free_region(alone);
    }
    if (known)
      free_zone(z);
    else
      r->zones[kept++] = z;
  }
  resize_region(r, kept);
  return r;
}

states_region *frontier_states_region(states_region *r, states_region *s) {
  if (!whole_zone_frontiers_on) {
    states_region *f = diff_states_region(r, s);
    free_states_region(r);
    return f;
  }
  if (!is_not_empty_states_region(r) || !is_not_empty_states_region(s)) return null_if_empty(r);
  for (int i = 0; i < N_OF_STATES; i++)
    if (!is_empty_region(r->regs[i])) r->regs[i] = zones_outside(r->regs[i], s->regs[i]);
  return null_if_empty(r);
}

states_region *true_exist_until_states_region(states_region *p) {
  if (verbose()) {
    print_blanks(n_of_eval - 2);
    printf("iter #: 1");
  }
  time_C(TIMER_EU);
  states_region *s = true_next_states_region(p);
  if (COMPACT) compact_states_region2(s);
  states_region *f = diff_states_region(s, p);
  int n = 1;
  for (;;) {
    time_R(TIMER_EU);
    if (!is_not_empty_states_region(f)) break;
    time_C(TIMER_EU);
    print_history(n, s);
    progress::iteration(n);
    n++;
    if (verbose()) printf(",%d", n);
    states_region *t = true_next_states_region2(f);
    compact_states_region(t);
    free_states_region(f);
    if (whole_zone_frontiers_on) {
      f = frontier_states_region(t, s);
      s = add_states_region(s, assign_states_region(f));
    } else {
      f = diff_states_region(t, s);
      s = add_states_region(s, t);
    }
  }
  if (verbose()) printf("\n");
  verdict::add_stat("iterations", n);
  free_states_region(f);
  if (COMPACT) compact_states_region2(s);
  print_history(n, s);
  return s;
}

states_region *exist_until_states_region(states_region *p, states_region *q) {
  if (verbose()) {
    print_blanks(n_of_eval - 2);
    printf("iter #: 1");
  }
  time_C(TIMER_EU);
  states_region *r = next_states_region(p, q);
  if (COMPACT) compact_states_region2(r);
  states_region *s = assign_states_region(q);
  states_region *f = frontier_states_region(r, s);
  int n = 1;
  for (;;) {
    time_R(TIMER_EU);
    // An abandoned pass answers what it has: its caller drops it.
    if (!is_not_empty_states_region(f) || pass_abandoned()) break;
    time_C(TIMER_EU);
    print_history(n, s);
    progress::iteration(n);
    n++;
    if (verbose()) printf(",%d", n);
    r = next_states_region2(p, f);
    s = union_states_region(f, s);
    f = frontier_states_region(r, s);
  }
  if (verbose()) printf("\n");
  verdict::add_stat("iterations", n);
  free_states_region(f);
  if (COMPACT && !pass_abandoned()) compact_states_region2(s);
  print_history(n, s);
  return s;
}

// ---------------------------------------------------------------------------
// Universal fix-points

namespace {

// Verbose bookkeeping shared by the two universal fix-points: the nested
// existential fix-points print without indentation.
struct au_trace {
  int w = 0;
  int c = 1;
  au_trace() {
    if (!verbose()) return;
    w = n_of_eval - 2;
    n_of_eval = 0;
    print_blanks(w);
    printf("iter #: 1, ");
  }
  void next() {
    c++;
    if (!verbose()) return;
    print_blanks(w);
    printf("        %d, ", c);
  }
  void done() const {
    if (verbose()) n_of_eval = w + 2;
  }
};

// Ends a universal pass that was abandoned: frees the regions it still
// holds and returns null.
states_region *abandon_pass(au_trace &trace, std::initializer_list<states_region *> held) {
  time_R(TIMER_AU);
  for (states_region *t : held) free_states_region(t);
  trace.done();
  COMPACT = 0;
  return nullptr;
}

// One pass of A(true U p); null when the pass was abandoned.
states_region *true_for_all_until_pass(states_region *p, int a) {
  COMPACT = 1;
  au_trace trace;
  int z = formula_clock();
  time_C(TIMER_AU);
  states_region *inv_t = mk_inv_st_reg();
  states_region *x = diff_states_region(inv_t, p);
  states_region *b = mk_beyond_step(z, a);
  states_region *y, *d;
  for (;;) {
    states_region *e = exist_until_states_region(x, b);
    if (pass_abandoned()) return abandon_pass(trace, {e, x, b, inv_t});
    y = reset_states_region(e, z);
    free_states_region(e);
    d = diff_states_region(x, y);
    time_R(TIMER_AU);
    if (!is_not_empty_states_region(d)) break;
    time_C(TIMER_AU);
    trace.next();
    free_states_region(d);
    x = meet_and_free(x, y);
  }
  free_states_region(d);
  free_states_region(y);
  free_states_region(b);
  states_region *result = diff_states_region(inv_t, x);
  free_states_region(x);
  free_states_region(inv_t);
  trace.done();
  verdict::add_stat("iterations", trace.c);
  COMPACT = 0;
  return result;
}

// One pass of A(p U q); null when the pass was abandoned.
states_region *for_all_until_pass(states_region *p, states_region *q, int a) {
  COMPACT = 1;
  au_trace trace;
  int z = formula_clock();
  time_C(TIMER_AU);
  states_region *inv_t = mk_inv_st_reg();
  states_region *np = diff_states_region(inv_t, p);
  states_region *x = diff_states_region(inv_t, q);
  states_region *b = mk_beyond_step(z, a);
  states_region *w = intersection_states_region(np, x);
  states_region *y, *d;
  for (;;) {
    states_region *u = union_states_region(b, w);
    states_region *e = exist_until_states_region(x, u);
    free_states_region(u);
    if (pass_abandoned()) return abandon_pass(trace, {e, x, np, inv_t});
    y = reset_states_region(e, z);
    free_states_region(e);
    d = diff_states_region(x, y);
    time_R(TIMER_AU);
    if (!is_not_empty_states_region(d)) break;
    time_C(TIMER_AU);
    trace.next();
    free_states_region(d);
    x = meet_and_free(x, y);
    w = intersection_states_region(np, x);
    b = mk_beyond_step(z, a);
  }
  free_states_region(d);
  free_states_region(y);
  free_states_region(np);
  states_region *result = diff_states_region(inv_t, x);
  free_states_region(x);
  free_states_region(inv_t);
  trace.done();
  verdict::add_stat("iterations", trace.c);
  COMPACT = 0;
  return result;
}

// A universal fix-point: its pass in the current mode and, when a region's
// double complement exceeded its budget there (the differences of the exact
// frontiers had fragmented the regions), a second pass with whole-zone
// frontiers, which reaches the same set without fragmenting it. Where no
// compaction gives up, one pass, as it always was.
template <typename Pass>
states_region *universal_fix_point(Pass pass) {
  compaction_gave_up = false;
  states_region *r = pass();
  if (compaction_gave_up && !whole_zone_frontiers_on) {
    free_states_region(r);  // null: the pass was abandoned
    if (verbose()) {
      print_blanks(n_of_eval - 2);
      printf("again with whole-zone frontiers\n");
    }
    whole_zone_frontiers whole(true);
    r = pass();
  }
  compaction_gave_up = false;
  return r;
}

}  // namespace

states_region *true_for_all_until_states_region(states_region *p, int a) {
  return universal_fix_point([&] { return true_for_all_until_pass(p, a); });
}

states_region *for_all_until_states_region(states_region *p, states_region *q, int a) {
  return universal_fix_point([&] { return for_all_until_pass(p, q, a); });
}

// ---------------------------------------------------------------------------
// Text

void print_hide_states_region2(states_region *p, FILE *stream, void (*note)(FILE *, int)) {
  cf_states_region(p);
  if (!is_not_empty_states_region(p)) {
    fputs("false\n", stream);
    return;
  }
  int first = 1;
  for (int i = 0; i < N_OF_STATES; i++) {
    if (is_empty_region(p->regs[i])) continue;
    if (!first) fputs("or\n", stream);
    first = 0;
    fprintf(stream, "state(%d) and (", i);
    if (note != nullptr) note(stream, i);
    fputc('\n', stream);
    print_hide_region2(p->regs[i], stream);
    fputs(")\n", stream);
  }
}

// Notes for -stats the zones of a formula's result as its .eval file shows
// them (every location's non-empty ones; p may be null, the empty set) and
// makes the iterations figure show (0 when no fix-point ran).
static void note_result_figures(const states_region *p) {
  long long zones = 0;
  for (int s = 0; p != nullptr && s < p->count; s++) {
    const region *r = p->regs[s];
    if (is_empty_region(r)) continue;
    for (int k = 0; k < r->count; k++)
      if (!is_empty_zone(r->zones[k])) zones++;
  }
  verdict::stat("result_zones", zones);
  verdict::add_stat("iterations", 0);
}

void print_hide_states_region3(states_region *p, FILE *stream, void (*note)(FILE *, int)) {
  note_result_figures(p);
  if (!is_not_empty_states_region(p)) {
    fputs("false\n", stream);
    return;
  }
  if (is_universal_states_region(p)) {
    fputs("true\n", stream);
    return;
  }
  print_hide_states_region2(p, stream, note);
}
