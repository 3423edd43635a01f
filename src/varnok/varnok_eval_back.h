// Backward evaluation of TCTL formulas: the time-bounded operators, reduced
// to unbounded fix-points by a formula clock, and the recursive evaluator.
//
// Every function returns a new state-region table owned by the caller and
// consumes its table arguments. Bounded forms take a bound kind (0 "<",
// 1 "<=", 2 ">", 3 ">=", 4 "=") and a constant; interval forms a lower bound
// (kind 2 or 3, constant c1) and an upper bound (kind 0 or 1, constant c2).
#pragma once

#include "varnok/states_reg.h"

struct tctl_node;

// The states satisfying f (null f: true) for the loaded timed graph. With
// option -verbose the evaluation is traced on standard output.
states_region *varnok_eval_back(tctl_node *f);

// p EU{kind c} q, and true EU{kind c} p.
states_region *varnok_exist_until_bound(states_region *p, states_region *q, int kind, int c);
states_region *varnok_true_exist_until_bound(states_region *p, int kind, int c);
// p AU{kind c} q, and true AU{kind c} p (= AD{kind c} p).
states_region *varnok_for_all_until_bound(states_region *p, states_region *q, int kind, int c);
states_region *varnok_true_for_all_until_bound(states_region *p, int kind, int c);
// AB{kind c} p.
states_region *varnok_ABB(states_region *p, int kind, int c);
// EB{kind c} p.
states_region *varnok_EBB(states_region *p, int kind, int c);
// Interval forms.
states_region *varnok_EUI(states_region *p, states_region *q, int k1, int c1, int k2, int c2);
states_region *varnok_EDI(states_region *p, int k1, int c1, int k2, int c2);
states_region *varnok_EBI(states_region *p, int k1, int c1, int k2, int c2);
states_region *varnok_AUI(states_region *p, states_region *q, int k1, int c1, int k2, int c2);
states_region *varnok_ADI(states_region *p, int k1, int c1, int k2, int c2);
states_region *varnok_ABI(states_region *p, int k1, int c1, int k2, int c2);
