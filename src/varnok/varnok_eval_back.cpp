#include "varnok/varnok_eval_back.h"

#include <cstdio>
#include <cstdlib>

#include "common/tctl/tctl_syntax.h"
#include "common/tctl/tctl_tg_link.h"
#include "varnok/varnok_eval.h"
#include "varnok/varnok_options.h"

// Shorthands: the bound tables of the formula clocks, always made afresh.
static states_region *bound_z(int kind, int c) { return varnok_mk_bound(varnok_formula_clock(), kind, c); }
static states_region *bound_z2(int kind, int c) { return varnok_mk_bound(varnok_formula_clock2(), kind, c); }
// L ∩ U of an interval.
static states_region *interval_z(int k1, int c1, int k2, int c2) {
  states_region *l = bound_z(k1, c1);
  return varnok_intersection(l, bound_z(k2, c2));
}
// R_z(p): p once the formula clock is reset.
static states_region *reset_z(states_region *p) { return varnok_reset2(varnok_formula_clock(), p); }

static int is_upper(int kind) { return kind == TCTL_BOUND_LT || kind == TCTL_BOUND_LE; }

// ---------------------------------------------------------------------------
// Bounded and interval operators

states_region *varnok_exist_until_bound(states_region *p, states_region *q, int kind, int c) {
  states_region *goal = varnok_intersection(q, bound_z(kind, c));
  return reset_z(varnok_exist_until(p, goal));
}

states_region *varnok_true_exist_until_bound(states_region *p, int kind, int c) {
  states_region *goal = varnok_intersection(p, bound_z(kind, c));
  return reset_z(varnok_true_exist_until(goal));
}

// ¬R_z(EU(¬(Q ∩ B(z,">=",c)), ¬((P ∩ B(z,"<=",c)) ∪ (Q ∩ (B(z,">=",c) ∩ B(z,"<=",c)))))):
// the exact-time until.
static states_region *for_all_until_exactly(states_region *p, states_region *q, int c) {
  states_region *q2 = assign_states_region(q);
  states_region *stay = varnok_neg(varnok_intersection(q, bound_z(TCTL_BOUND_GE, c)));
  states_region *p_early = varnok_intersection(p, bound_z(TCTL_BOUND_LE, c));
  states_region *at_c = varnok_intersection(bound_z(TCTL_BOUND_GE, c), bound_z(TCTL_BOUND_LE, c));
  states_region *q_at_c = varnok_intersection(q2, at_c);
  states_region *leave = varnok_neg(varnok_union(p_early, q_at_c));
  return varnok_neg(reset_z(varnok_exist_until(stay, leave)));
}

states_region *varnok_for_all_until_bound(states_region *p, states_region *q, int kind, int c) {
  if (is_upper(kind)) {
    states_region *stay = varnok_neg(assign_states_region(q));
    states_region *pq = varnok_union(p, q);
    states_region *leave = varnok_neg(varnok_intersection(pq, bound_z(kind, c)));
    return varnok_neg(reset_z(varnok_exist_until(stay, leave)));
  }
  if (kind == TCTL_BOUND_EQ) return for_all_until_exactly(p, q, c);
  states_region *goal = varnok_intersection(q, bound_z2(kind, c));
  return varnok_reset2(varnok_formula_clock2(), varnok_for_all_until(p, goal));
}

states_region *varnok_true_for_all_until_bound(states_region *p, int kind, int c) {
  if (is_upper(kind)) {
    int beyond = kind == TCTL_BOUND_LT ? TCTL_BOUND_GE : TCTL_BOUND_GT;
    return varnok_neg(reset_z(varnok_exist_until(varnok_neg(p), bound_z(beyond, c))));
  }
  if (kind == TCTL_BOUND_EQ) {
    states_region *stay = varnok_neg(varnok_intersection(p, bound_z(TCTL_BOUND_GE, c)));
    states_region *leave = varnok_neg(bound_z(TCTL_BOUND_LE, c));
    return varnok_neg(reset_z(varnok_exist_until(stay, leave)));
  }
  states_region *goal = varnok_intersection(p, bound_z2(kind, c));
  return varnok_reset2(varnok_formula_clock2(), varnok_true_for_all_until(goal));
}

states_region *varnok_ABB(states_region *p, int kind, int c) {
  return varnok_neg(varnok_true_exist_until_bound(varnok_neg(p), kind, c));
}

states_region *varnok_EBB(states_region *p, int kind, int c) {
  return reset_z(varnok_exist_until(p, varnok_neg(bound_z(kind, c))));
}

states_region *varnok_EUI(states_region *p, states_region *q, int k1, int c1, int k2, int c2) {
  states_region *goal = varnok_intersection(q, interval_z(k1, c1, k2, c2));
  return reset_z(varnok_exist_until(p, goal));
}

states_region *varnok_EDI(states_region *p, int k1, int c1, int k2, int c2) {
  states_region *goal = varnok_intersection(p, interval_z(k1, c1, k2, c2));
  return reset_z(varnok_true_exist_until(goal));
}

states_region *varnok_EBI(states_region *p, int k1, int c1, int k2, int c2) {
  states_region *stay = varnok_union(p, varnok_neg(bound_z(k1, c1)));
  return reset_z(varnok_exist_until(stay, varnok_neg(bound_z(k2, c2))));
}

states_region *varnok_AUI(states_region *p, states_region *q, int k1, int c1, int k2, int c2) {
  states_region *q2 = assign_states_region(q);
  states_region *stay = varnok_neg(varnok_intersection(q, bound_z(k1, c1)));
  states_region *p_early = varnok_intersection(p, bound_z(k2, c2));
  states_region *q_in = varnok_intersection(q2, interval_z(k1, c1, k2, c2));
  states_region *leave = varnok_neg(varnok_union(p_early, q_in));
  return varnok_neg(reset_z(varnok_exist_until(stay, leave)));
}

states_region *varnok_ADI(states_region *p, int k1, int c1, int k2, int c2) {
  states_region *stay = varnok_neg(varnok_intersection(p, bound_z(k1, c1)));
  return varnok_neg(reset_z(varnok_exist_until(stay, varnok_neg(bound_z(k2, c2)))));
}

states_region *varnok_ABI(states_region *p, int k1, int c1, int k2, int c2) {
  states_region *goal = varnok_intersection(varnok_neg(p), interval_z(k1, c1, k2, c2));
  return varnok_neg(reset_z(varnok_true_exist_until(goal)));
}

// ---------------------------------------------------------------------------
// The recursive evaluator

// The operators whose fix-points compact to three zones per location.
static int sets_compact_len(int kind) {
  switch (kind) {
    case TCTL_EU: case TCTL_EUB: case TCTL_AU: case TCTL_AUB: case TCTL_ED:
    case TCTL_EDB: case TCTL_AD: case TCTL_ADB: case TCTL_AB: case TCTL_ABB:
      return 1;
    default:
      return 0;
  }
}

[[noreturn]] static void not_implemented(int kind) {
  fprintf(stderr, "ERROR: operator %d not yet implemented\n", kind);
  exit(1);
}

// Sat of the two operands of a binary node, the second first.
#define OPERANDS(get1, get2)           \
  states_region *q = varnok_eval_back(get2(f)); \
  states_region *p = varnok_eval_back(get1(f))

static states_region *eval_node(tctl_node *f) {
  switch (f->kind) {
    case TCTL_STATE: return varnok_select_state(tctl_get_state(f));
    case TCTL_INIT: return varnok_mk_init_state(tctl_extra_clocks());
    case TCTL_ENABLE: return varnok_enable(tctl_get_enable(f));
    case TCTL_PROP: return varnok_states_prop(tctl_get_prop(f));
    case TCTL_NONZENO: return varnok_NonZeno();
    case TCTL_CLOCK_CONSTRAINT: return varnok_mk_clock_constraint(tctl_get_clock_constraint(f));
    case TCTL_AND: { OPERANDS(tctl_get_and_1, tctl_get_and_2); return varnok_intersection(p, q); }
    case TCTL_OR: { OPERANDS(tctl_get_or_1, tctl_get_or_2); return varnok_union(p, q); }
    case TCTL_IMPL: { OPERANDS(tctl_get_impl_1, tctl_get_impl_2); return varnok_impl(p, q); }
    case TCTL_NOT: return varnok_neg(varnok_eval_back(tctl_get_not(f)));
    case TCTL_RESET: return varnok_reset(tctl_get_reset_clock(f), varnok_eval_back(tctl_get_reset_1(f)));
    case TCTL_EU: {
      states_region *q = varnok_eval_back(tctl_get_EU_2(f));
      if (tctl_get_EU_1(f) == nullptr) return varnok_true_exist_until(q);
      return varnok_exist_until(varnok_eval_back(tctl_get_EU_1(f)), q);
    }
    case TCTL_EUB: {
      int kind = tctl_get_EUB_bound(f), c = tctl_get_EUB_constant(f);
      states_region *q = varnok_eval_back(tctl_get_EUB_2(f));
      if (tctl_get_EUB_1(f) == nullptr) return varnok_true_exist_until_bound(q, kind, c);
      return varnok_exist_until_bound(varnok_eval_back(tctl_get_EUB_1(f)), q, kind, c);
    }
    case TCTL_EUI: {
      OPERANDS(tctl_get_EUI_1, tctl_get_EUI_2);
      return varnok_EUI(p, q, tctl_get_EUI_bound1(f), tctl_get_EUI_constant1(f), tctl_get_EUI_bound2(f),
                        tctl_get_EUI_constant2(f));
    }
    case TCTL_AU: {
      states_region *q = varnok_eval_back(tctl_get_AU_2(f));
      if (tctl_get_AU_1(f) == nullptr) return varnok_true_for_all_until(q);
      return varnok_for_all_until(varnok_eval_back(tctl_get_AU_1(f)), q);
    }
    case TCTL_AUB: {
      int kind = tctl_get_AUB_bound(f), c = tctl_get_AUB_constant(f);
      states_region *q = varnok_eval_back(tctl_get_AUB_2(f));
      if (tctl_get_AUB_1(f) == nullptr) return varnok_true_for_all_until_bound(q, kind, c);
      return varnok_for_all_until_bound(varnok_eval_back(tctl_get_AUB_1(f)), q, kind, c);
    }
    case TCTL_AUI: {
      OPERANDS(tctl_get_AUI_1, tctl_get_AUI_2);
      return varnok_AUI(p, q, tctl_get_AUI_bound1(f), tctl_get_AUI_constant1(f), tctl_get_AUI_bound2(f),
                        tctl_get_AUI_constant2(f));
    }
    case TCTL_ED: return varnok_true_exist_until(varnok_eval_back(tctl_get_ED_1(f)));
    case TCTL_EDB:
      return varnok_true_exist_until_bound(varnok_eval_back(tctl_get_EDB_1(f)), tctl_get_EDB_bound(f),
                                           tctl_get_EDB_constant(f));
    case TCTL_EDI:
      return varnok_EDI(varnok_eval_back(tctl_get_EDI_1(f)), tctl_get_EDI_bound1(f), tctl_get_EDI_constant1(f),
                        tctl_get_EDI_bound2(f), tctl_get_EDI_constant2(f));
    case TCTL_AD: return varnok_true_for_all_until(varnok_eval_back(tctl_get_AD_1(f)));
    case TCTL_ADB:
      return varnok_true_for_all_until_bound(varnok_eval_back(tctl_get_ADB_1(f)), tctl_get_ADB_bound(f),
                                             tctl_get_ADB_constant(f));
    case TCTL_ADI:
      return varnok_ADI(varnok_eval_back(tctl_get_ADI_1(f)), tctl_get_ADI_bound1(f), tctl_get_ADI_constant1(f),
                        tctl_get_ADI_bound2(f), tctl_get_ADI_constant2(f));
    case TCTL_EB: return varnok_neg(varnok_true_for_all_until(varnok_neg(varnok_eval_back(tctl_get_EB_1(f)))));
    case TCTL_EBB:
      return varnok_EBB(varnok_eval_back(tctl_get_EBB_1(f)), tctl_get_EBB_bound(f), tctl_get_EBB_constant(f));
    case TCTL_EBI:
      return varnok_EBI(varnok_eval_back(tctl_get_EBI_1(f)), tctl_get_EBI_bound1(f), tctl_get_EBI_constant1(f),
                        tctl_get_EBI_bound2(f), tctl_get_EBI_constant2(f));
    case TCTL_AB: return varnok_neg(varnok_true_exist_until(varnok_neg(varnok_eval_back(tctl_get_AB_1(f)))));
    case TCTL_ABB:
      return varnok_ABB(varnok_eval_back(tctl_get_ABB_1(f)), tctl_get_ABB_bound(f), tctl_get_ABB_constant(f));
    case TCTL_ABI:
      return varnok_ABI(varnok_eval_back(tctl_get_ABI_1(f)), tctl_get_ABI_bound1(f), tctl_get_ABI_constant1(f),
                        tctl_get_ABI_bound2(f), tctl_get_ABI_constant2(f));
    default: not_implemented(f->kind);
  }
}

#undef OPERANDS

static void trace(const char *mark, tctl_node *f) {
  for (int i = 0; i < n_of_eval; i++) putchar(' ');
  fputs(mark, stdout);
  tctl_print(stdout, f);
  putchar('\n');
}

states_region *varnok_eval_back(tctl_node *f) {
  int verbose = is_option(OPT_VERBOSE) != 0;
  if (verbose) {
    trace(">>  ", f);
    n_of_eval += 2;
  }
  states_region *r;
  if (f == nullptr) {
    r = varnok_mk_invariant();
  } else {
    if (sets_compact_len(f->kind)) COMPACT_LEN = 3;
    r = eval_node(f);
  }
  if (verbose) {
    n_of_eval -= 2;
    trace("<<  ", f);
  }
  return r;
}
