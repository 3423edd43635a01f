#include "varnok/varnok_eval.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/region/region.h"
#include "common/region/region_zone.h"
#include "common/tctl/tctl_main.h"
#include "common/tctl/tctl_syntax.h"
#include "common/tctl/tctl_tg_link.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/util/my_files.h"
#include "common/util/varnok_error.h"
#include "common/zone/zone.h"
#include "varnok/name_hints.h"
#include "varnok/varnok_eval_back.h"
#include "varnok/varnok_eval_forw.h"
#include "varnok/varnok_options.h"

states_region *varnok_eval(tctl_node *f) {
  if (is_option(OPT_FORWARD)) return varnok_eval_forw(f);
  return varnok_eval_back(f);
}

// ---------------------------------------------------------------------------
// Atoms

states_region *varnok_mk_invariant() { return mk_inv_st_reg(); }

bool (*state_atom_holds)(int s, int n) = nullptr;

states_region *varnok_select_state(int n) {
  states_region *p = mk_empty_states_region();
  if (state_atom_holds != nullptr) {
    for (int s = 0; s < N_OF_STATES; s++)
      if (state_atom_holds(s, n)) {
        free_region(p->regs[s]);
        p->regs[s] = assign_region(list_reg[inv[s]]);
      }
  } else if (n >= 0 && n < N_OF_STATES) {
    free_region(p->regs[n]);
    p->regs[n] = assign_region(list_reg[inv[n]]);
  }
  return p;
}

// 1 when proposition `prop` holds at location s.
static int carries_prop(int s, int prop) {
  for (int32_t q : states_props[s])
    if (q == prop) return 1;
  return 0;
}

states_region *varnok_mk_init_state(int k) {
  states_region *p = mk_empty_states_region();
  int init = find_prop("INIT");
  for (int s = 0; s < N_OF_STATES; s++) {
    if (init < 0 ? s != 0 : !carries_prop(s, init)) continue;
    free_region(p->regs[s]);
    p->regs[s] = zone_to_region(mk_zero_zone(k));
  }
  return p;
}

states_region *varnok_enable(const char *label) {
  states_region *p = mk_empty_states_region();
  int l = find_label(label);
  if (l < 0) return p;
  // The label's transitions, the most recently recorded first.
  const std::vector<int32_t> &carriers = label_tab[l]->trans;
  for (auto e = carriers.rbegin(); e != carriers.rend(); ++e) {
    const trans_rec *t = trans_table[*e];
    int s = t->source;
    region *g = intersection_region(list_reg[t->guard], list_reg[inv[s]]);
    p->regs[s] = union_region(p->regs[s], g);
  }
  return p;
}

states_region *varnok_states_prop(const char *name) {
  states_region *p = mk_empty_states_region();
  int prop = find_prop(name);
  if (prop < 0) return p;
  for (int s = 0; s < N_OF_STATES; s++) {
    if (!carries_prop(s, prop)) continue;
    free_region(p->regs[s]);
    p->regs[s] = assign_region(list_reg[inv[s]]);
  }
  return p;
}

int varnok_clock_number(const char *name) {
  for (int i = 1; i < N_OF_CLOCKS; i++)
    if (strcmp(clocks_names[i], name) == 0) return i;
  printf("%s: clock name %s not found\n", tool, name);
  fputs(tctl_unknown_name_line(name, "unknown clock", model_clock_names()).c_str(), stderr);
  exit(1);
}

// Constants of bounds must fit the 16-bit encoding, with either sign.
static void check_constant(long c) {
  if (!check_bound_constant(c) || !check_bound_constant(-c)) exit(-1);
}

// In place, on every zone of p: entry (i, j) becomes `bound` with its edge
// bit set and the zone's flags cleared, but only where `bound` is at least as
// tight as the entry already there. A looser bound would add valuations that
// the zone (an invariant) excludes; it leaves the zone as it is.
static void tighten_states_region(states_region *p, int i, int j, int16_t bound) {
  for (int s = 0; s < N_OF_STATES; s++) {
    region *r = p->regs[s];
    if (is_empty_region(r)) continue;
    for (int n = 0; n < r->count; n++) {
      zone *z = r->zones[n];
      if (is_empty_zone(z) || z->bounds[i][j] < bound) continue;
      assign_disactual_bounds_edges_zone(z, i, j, bound);
      r->flags &= static_cast<unsigned char>(~REGION_CANONICAL);
    }
  }
}

// The comparison's clocks: x and y for x - y, x and the reference clock 0
// for a single clock.
static int comparison_clocks(const tctl_node *term, int *x, int *y) {
  if (term == nullptr) return 0;
  if (term->kind == TCTL_CLOCK) {
    *x = varnok_clock_number(tctl_get_clock(term));
    *y = 0;
    return 1;
  }
  if (term->kind == TCTL_MINUS) {
    *x = varnok_clock_number(tctl_get_minus_clock_x(term));
    *y = varnok_clock_number(tctl_get_minus_clock_y(term));
    return 1;
  }
  return 0;
}

// 1 when 0 rel c holds for the comparison kind (8 to 12).
static int compare_zero(int kind, int c) {
  switch (kind) {
    case TCTL_LEQ: return 0 <= c;
    case TCTL_GEQ: return 0 >= c;
    case TCTL_LT: return 0 < c;
    case TCTL_GT: return 0 > c;
    default: return c == 0;
  }
}

[[noreturn]] static void bad_constraint() {
  printerr(0, -1);
  exit(1);
}

states_region *varnok_mk_clock_constraint(const tctl_node *cmp) {
  if (cmp == nullptr) bad_constraint();
  const tctl_node *term;
  int c;
  switch (cmp->kind) {
    case TCTL_LEQ: term = tctl_get_leq_1(cmp); c = tctl_get_leq_constant(cmp); break;
    case TCTL_GEQ: term = tctl_get_geq_1(cmp); c = tctl_get_geq_constant(cmp); break;
    case TCTL_LT: term = tctl_get_lt_1(cmp); c = tctl_get_lt_constant(cmp); break;
    case TCTL_GT: term = tctl_get_gt_1(cmp); c = tctl_get_gt_constant(cmp); break;
    case TCTL_EQ: term = tctl_get_eq_1(cmp); c = tctl_get_eq_constant(cmp); break;
    default: bad_constraint();
  }
  int x, y;
  if (!comparison_clocks(term, &x, &y)) bad_constraint();
  check_constant(c);
  // x - x rel c compares 0 with c: it holds everywhere or nowhere. Written
  // into the matrix it would land on the diagonal, which the closure never
  // reads, and x < x would hold everywhere.
  if (x == y) return compare_zero(cmp->kind, c) ? mk_inv_st_reg() : nullptr;
  states_region *p = mk_inv_st_reg();
  if (cmp->kind == TCTL_LEQ || cmp->kind == TCTL_EQ) tighten_states_region(p, x, y, mk_bound(c, 1));
  if (cmp->kind == TCTL_LT) tighten_states_region(p, x, y, mk_bound(c, 0));
  if (cmp->kind == TCTL_GEQ || cmp->kind == TCTL_EQ) tighten_states_region(p, y, x, mk_bound(-c, 1));
  if (cmp->kind == TCTL_GT) tighten_states_region(p, y, x, mk_bound(-c, 0));
  return p;
}

states_region *varnok_NonZeno() {
  states_region *p = varnok_mk_invariant();
  for (;;) {
    states_region *q = varnok_true_exist_until_bound(assign_states_region(p), TCTL_BOUND_EQ, 1);
    int stable = is_included_states_region(p, q);
    free_states_region(p);
    if (stable) return q;
    p = q;
  }
}

states_region *varnok_mk_bound(int k, int kind, int c) {
  if (kind < TCTL_BOUND_LT || kind > TCTL_BOUND_EQ) {
    printf("Invalid tctl bound %d\n", kind);
    exit(1);
  }
  check_constant(c);
  states_region *p = mk_inv_st_reg();
  switch (kind) {
    case TCTL_BOUND_LT: modif_global_states_region(p, k, 0, c, 0); break;
    case TCTL_BOUND_LE: modif_global_states_region(p, k, 0, c, 1); break;
    case TCTL_BOUND_GT: modif_global_states_region(p, 0, k, -c, 0); break;
    case TCTL_BOUND_GE: modif_global_states_region(p, 0, k, -c, 1); break;
    default:
      modif_global_states_region(p, k, 0, c, 1);
      modif_global_states_region(p, 0, k, -c, 1);
  }
  return p;
}

int varnok_formula_clock() { return N_OF_CLOCKS - tctl_extra_clocks(); }
int varnok_formula_clock2() { return varnok_formula_clock() + 1; }

// ---------------------------------------------------------------------------
// Set operations

states_region *varnok_intersection(states_region *p, states_region *q) {
  states_region *r = intersection_states_region(p, q);
  free_states_region(p);
  free_states_region(q);
  return r;
}

states_region *varnok_union(states_region *p, states_region *q) { return union_states_region(p, q); }

states_region *varnok_neg(states_region *p) {
  states_region *i = varnok_mk_invariant();
  states_region *r = diff_states_region(i, p);
  free_states_region(i);
  free_states_region(p);
  return r;
}

states_region *varnok_impl(states_region *p, states_region *q) { return varnok_union(varnok_neg(p), q); }

states_region *varnok_reset2(int k, states_region *p) {
  states_region *r = reset_states_region(p, k);
  free_states_region(p);
  return r;
}

// A clock of the model is bounded by the invariants: the valuations that the
// reset brings in with any value of the clock are kept only where the
// invariant allows them.
states_region *varnok_reset(const char *name, states_region *p) {
  int k = varnok_clock_number(name);
  return varnok_intersection(varnok_reset2(k, p), varnok_mk_invariant());
}

// ---------------------------------------------------------------------------
// Unbounded fix-points

states_region *varnok_exist_until(states_region *p, states_region *q) {
  states_region *r = exist_until_states_region(p, q);
  free_states_region(p);
  free_states_region(q);
  return r;
}

states_region *varnok_true_exist_until(states_region *p) {
  states_region *r = true_exist_until_states_region(p);
  free_states_region(p);
  return r;
}

// The step of the universal fix-points: at least one time unit (a step of
// zero or less would let the fix-point stop at once and answer p for A(true U
// p)), and small enough for a bound on the formula clock.
static int checked_step() {
  int a = VAL < 1 ? 1 : VAL;
  check_constant(a);
  return a;
}

states_region *varnok_for_all_until(states_region *p, states_region *q) {
  states_region *r = for_all_until_states_region(p, q, checked_step());
  free_states_region(p);
  free_states_region(q);
  return r;
}

states_region *varnok_true_for_all_until(states_region *p) {
  states_region *r = true_for_all_until_states_region(p, checked_step());
  free_states_region(p);
  return r;
}
