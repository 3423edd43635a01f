// Runs for formulas evaluated backwards.

#include "varnok/formula_witness.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <new>
#include <string>
#include <vector>

#include "common/region/region.h"
#include "common/region/region_zone.h"
#include "common/tctl/tctl_syntax.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/varnok_init.h"
#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "varnok/concrete_run.h"
#include "varnok/flat_zone.h"
#include "varnok/lu_drive.h"
#include "varnok/lu_model.h"
#include "varnok/lu_search.h"
#include "varnok/run_dot.h"
#include "varnok/run_replay.h"
#include "varnok/run_svg.h"
#include "varnok/run_text.h"
#include "varnok/run_context.h"
#include "varnok/states_reg.h"
#include "varnok/varnok_eval.h"
#include "varnok/varnok_eval_back.h"
#include "varnok/verdict_holds.h"

namespace {

// The shapes that a finite run can show.
enum class shape { none, invariance, reachability, response };

// A formula taken apart: its initial condition a, the operand p of its
// temporal operator, and for the bounded response `a impl AB (p impl
// AD{kind c} q)` the AD node and its operand q.
struct parts {
  tctl_node *a = nullptr, *p = nullptr, *ad = nullptr, *q = nullptr;
};

// The bounded response inside AB: p impl AD{kind c} q.
bool is_response(tctl_node *g, parts &x) {
  if (g == nullptr || g->kind != TCTL_IMPL) return false;
  tctl_node *ad = tctl_get_impl_2(g);
  if (ad == nullptr || ad->kind != TCTL_ADB) return false;
  x.p = tctl_get_impl_1(g);
  x.ad = ad;
  x.q = tctl_get_ADB_1(ad);
  return true;
}

// The shape of f and its parts.
shape shape_of(tctl_node *f, parts &x) {
  if (f == nullptr || (f->kind != TCTL_IMPL && f->kind != TCTL_AND)) return shape::none;
  const bool impl = f->kind == TCTL_IMPL;
  x.a = impl ? tctl_get_impl_1(f) : tctl_get_and_1(f);
  tctl_node *g = impl ? tctl_get_impl_2(f) : tctl_get_and_2(f);
  if (x.a == nullptr || g == nullptr) return shape::none;
  if (impl && g->kind == TCTL_AB) {
    if (is_response(tctl_get_AB_1(g), x)) return shape::response;
    x.p = tctl_get_AB_1(g);
    return x.p == nullptr ? shape::none : shape::invariance;
  }
  if (g->kind == TCTL_ED) {
    x.p = tctl_get_ED_1(g);
    return x.p == nullptr ? shape::none : shape::reachability;
  }
  return shape::none;
}

void no_run(const char *why) { printf("%s: -run: no finite run is given: %s\n", tool, why); }

// f is built from propositions, location numbers and Boolean connectives
// (the empty formula too): it holds in the whole invariant of a location or
// nowhere there. with_clocks allows clock constraints, init, enable and
// resets too; never a temporal operator.
bool without_time(const tctl_node *f, bool with_clocks) {
  if (f == nullptr) return true;
  switch (f->kind) {
    case TCTL_STATE:
    case TCTL_PROP:
      return true;
    case TCTL_INIT:
    case TCTL_ENABLE:
    case TCTL_CLOCK_CONSTRAINT:
      return with_clocks;
    case TCTL_RESET:
      return with_clocks && without_time(tctl_get_reset_1(f), true);
    case TCTL_AND:
      return without_time(tctl_get_and_1(f), with_clocks) && without_time(tctl_get_and_2(f), with_clocks);
    case TCTL_OR:
      return without_time(tctl_get_or_1(f), with_clocks) && without_time(tctl_get_or_2(f), with_clocks);
    case TCTL_IMPL:
      return without_time(tctl_get_impl_1(f), with_clocks) && without_time(tctl_get_impl_2(f), with_clocks);
    case TCTL_NOT:
      return without_time(tctl_get_not(f), with_clocks);
    default:
      return false;
  }
}

// The initial states of the answer that satisfy a; null when none does
// (after saying so).
states_region *initial_states_of(tctl_node *a) {
  states_region *a_states = varnok_eval_back(a);
  states_region *initial = verdict::initial_states();
  states_region *init = intersection_states_region(a_states, initial);
  free_states_region(a_states);
  free_states_region(initial);
  if (init == nullptr) no_run("no initial state satisfies the condition, which no finite run shows");
  return init;
}

// ---------------------------------------------------------------------------
// The bounded response `a impl AB (p impl AD{<= c} q)` (or AD{< c}) fails
// when a run from an initial state of a reaches a state where p holds, and
// from there a run stays outside q until more than c time units have passed
// (c or more for "<"): AD{<= c} q fails exactly where, with the formula
// clock z reset, a run stays outside q while z <= c and reaches z > c. A
// run that stops (time cannot pass, no move is enabled) before c does not
// make it fail. With q a location formula the second run can stay outside
// q to its end.
//
// The run is found in two searches on the model with its formula clock z
// (never reset, never tested by the model): the -abs lu search from the
// initial states to the states where p holds and AD fails (their table is
// the evaluator's, exact: each of them has the second run), then, from the
// zone where the first run ends with z reset, a search that keeps to the
// locations outside q until z passes c. The second run is made first, so
// that the first is made to end where it starts.

// What a response run is made of.
struct response_run {
  run::concrete_run to_p, outside_q;
};

// The store of the second search and the transitions into its states (for
// its witness).
struct outside_search {
  explicit outside_search(const lu::model &m) : store(m.dim(), m.key_size()) {}
  lu::state_store store;
  std::vector<int32_t> via;  // per state: the transition into it, -1 for an initial one
};

// The breadth-first search from the table `from` (one location) through
// the locations with outside[l] set until m's goal: the witness's locations
// (start first) and transitions. 1 found, 0 not, -1 stopped at `limit`
// states (0: no limit).
int search_outside(lu::model &m, states_region *from, const std::vector<char> &outside, int limit,
                   std::vector<int32_t> &locations, std::vector<int32_t> &moves) {
  outside_search s(m);
  std::deque<int32_t> todo;
  const size_t nn = static_cast<size_t>(m.dim()) * m.dim();
  int32_t found_from = -2, found_via = -1;
  uint16_t found_at = 0;
  bool cut = false;
  auto offer = [&](const uint16_t *key, int16_t *z, int32_t parent, int32_t k, int32_t t) {
    if (m.is_goal(key, z)) {
      found_from = parent;
      found_via = t;
      found_at = key[0];
      return false;
    }
    m.extrapolate(key, z);
    const int32_t id = s.store.insert(key, z, parent, k);
    if (id >= 0) {
      s.via.push_back(t);
      todo.push_back(id);
      if (limit > 0 && s.store.size() > limit) cut = true;
    }
    return !cut;
  };
  std::vector<int16_t> z(nn);
  m.for_each_initial(from, nullptr, [&](const uint16_t *key, const int16_t *t) {
    if (found_from != -2 || cut || !outside[key[0]]) return;
    memcpy(z.data(), t, nn * sizeof(int16_t));
    offer(key, z.data(), -1, -1, -1);
  });
  uint16_t key[1];
  while (found_from == -2 && !cut && !todo.empty()) {
    const int32_t id = todo.front();
    todo.pop_front();
    if (s.store.covered(id)) continue;
    memcpy(z.data(), s.store.zone_of(id), nn * sizeof(int16_t));
    key[0] = s.store.key_of(id)[0];
    m.for_each_successor(key, z.data(), [&](int32_t k, const uint16_t *to, int16_t *t, const lu::step_info &info) {
      if (!outside[to[0]]) return true;
      return offer(to, t, id, k, info.w[0]);
    });
  }
  if (found_from == -2) return cut ? -1 : 0;
  locations.assign(1, found_at);
  moves.clear();
  if (found_via >= 0) moves.push_back(found_via);
  for (int32_t id = found_from; id >= 0; id = s.store.parent(id)) {
    locations.push_back(s.store.key_of(id)[0]);
    if (s.via[static_cast<size_t>(id)] >= 0) moves.push_back(s.via[static_cast<size_t>(id)]);
  }
  std::reverse(locations.begin(), locations.end());
  std::reverse(moves.begin(), moves.end());
  return 1;
}

// f as the user writes it (connectives between blanks, the inner ones in
// parentheses); other atoms as the formula printer writes them.
void print_condition(FILE *f, const tctl_node *g, bool inner) {
  if (g == nullptr) {
    fputs("true", f);
    return;
  }
  const char *op = g->kind == TCTL_AND ? "and" : g->kind == TCTL_OR ? "or" : g->kind == TCTL_IMPL ? "impl" : nullptr;
  if (op != nullptr) {
    const tctl_node *l = g->kind == TCTL_AND ? tctl_get_and_1(g) : g->kind == TCTL_OR ? tctl_get_or_1(g) : tctl_get_impl_1(g);
    const tctl_node *r = g->kind == TCTL_AND ? tctl_get_and_2(g) : g->kind == TCTL_OR ? tctl_get_or_2(g) : tctl_get_impl_2(g);
    if (inner) fputs("(", f);
    print_condition(f, l, true);
    fprintf(f, " %s ", op);
    print_condition(f, r, true);
    if (inner) fputs(")", f);
  } else if (g->kind == TCTL_NOT) {
    fputs("not ", f);
    print_condition(f, tctl_get_not(g), true);
  } else if (g->kind == TCTL_PROP) {
    fputs(tctl_get_prop(g), f);
  } else if (g->kind == TCTL_STATE) {
    fprintf(f, "state(%d)", tctl_get_state(g));
  } else {
    tctl_print(f, g);
  }
}

// The run's text: the first run, the line of the switch, the second run
// (the two counted as one run in its header).
void write_response_text(FILE *f, const lu::tables_view &view, const response_run &r, const parts &x) {
  fprintf(f, "run #1: %zu transitions\n", r.to_p.steps.size() + r.outside_q.steps.size());
  std::vector<int32_t> key = r.to_p.start;
  fputs("initial: ", f);
  run::print_run_locations(f, view, key);
  fputs(" ", f);
  run::print_run_valuation(f, r.to_p.initial);
  fputs("\n", f);
  auto steps = [&](const run::concrete_run &c) {
    for (const run::step &s : c.steps) {
      fprintf(f, "delay %s ->", s.delay.text().c_str());
      run::print_run_valuation(f, s.before);
      fputs("\n", f);
      std::vector<int32_t> to = key;
      to[0] = view.aut(0).target(s.move[0]);
      run::print_run_move(f, view, key, s.move, to);
      fputs(" ->", f);
      run::print_run_valuation(f, s.after);
      fputs("\n", f);
      key = to;
    }
    fprintf(f, "delay %s ->", c.last_delay.text().c_str());
    run::print_run_valuation(f, c.end);
    fputs("\n", f);
  };
  steps(r.to_p);
  fputs("here ", f);
  print_condition(f, x.p, false);
  fputs(" holds; from here on ", f);
  print_condition(f, x.q, false);
  const bool lt = tctl_get_ADB_bound(x.ad) == TCTL_BOUND_LT;
  fprintf(f, " stays false for %s %d time units\n", lt ? "at least" : "more than", tctl_get_ADB_constant(x.ad));
  steps(r.outside_q);
}

// The two runs as one, for the pictures: the delay around the switch is
// the sum of the two.
run::concrete_run joined(const response_run &r) {
  run::concrete_run c = r.to_p;
  const run::concrete_run &b = r.outside_q;
  if (b.steps.empty()) {
    c.last_delay = c.last_delay + b.last_delay;
  } else {
    const run::rational before = c.last_delay;
    c.steps.insert(c.steps.end(), b.steps.begin(), b.steps.end());
    c.steps[r.to_p.steps.size()].delay = before + b.steps.front().delay;
    c.last_delay = b.last_delay;
  }
  c.end = b.end;
  return c;
}

void write_response(const run_context &run, const lu::tables_view &view, const response_run &r, const parts &x) {
  const std::string name = result_path("_run.reach");
  FILE *f = open_output(name.c_str(), "w");
  if (f == nullptr) fatal_cannot_open(stderr, 1, name.c_str());
  write_response_text(f, view, r, x);
  close_output(f);
  printf("%s: file %s dumped\n", tool, name.c_str());
  const unsigned pictures = run_pictures_of(run.options);
  if (pictures == 0) return;
  const run::concrete_run c = joined(r);
  if ((pictures & RUN_PICTURE_DOT) != 0) dot_write_run_on_model("_run.dot", view, c);
  if ((pictures & RUN_PICTURE_SVG) != 0) {
    const std::string svg = result_path("_run.svg");
    FILE *g = open_output(svg.c_str(), "w");
    if (g == nullptr) fatal_cannot_open(stderr, 1, svg.c_str());
    run::write_svg(g, view, c);
    close_output(g);
    printf("%s: file %s dumped\n", tool, svg.c_str());
  }
}

// Without the extrapolation (diagonal constraints) a search need not end:
// unless -FORW bounds it, it stops at this many states.
constexpr int UNEXTRAPOLATED_CAP = 200000;

int cap_of(const lu::model &m, int limit) { return limit > 0 || m.extrapolates() ? limit : UNEXTRAPOLATED_CAP; }

void stopped(int limit) {
  if (limit > 0) no_run("the forward search stopped at its -FORW limit");
  else no_run("the forward search stopped at 200000 states: diagonal constraints leave its zones unextrapolated");
}

// A run that the evaluation says exists and a search does not find: the
// answer and the searches disagree.
[[noreturn]] void disagreement(const char *what) {
  fatal(stderr, 3, "%s: internal error: -run: the formula fails, but %s\n", tool, what);
}

// Makes the run of w from o (ending at `end` on the fixed clocks when
// fixed is not empty) and replays it; false (after saying why) when none
// is made.
bool replayed_run(const lu::tables_view &view, const run::witness &w, const run::origin &o, const run::valuation &end,
                  const std::vector<bool> &fixed, run::concrete_run &r) {
  std::string why;
  const bool made = fixed.empty() ? run::make_run(view, w, o, r, why) : run::make_run_to(view, w, o, end, fixed, r, why);
  if (!made) {
    printf("%s: no concrete run for this witness (%s)\n", tool, why.c_str());
    return false;
  }
  const std::string bad = run::replay(view, w, o, r);
  if (!bad.empty()) fatal(stderr, 3, "%s: internal error: the concrete run fails its replay (%s)\n", tool, bad.c_str());
  return true;
}

void response_witness(const run_context &run, const parts &x) {
  const int kind = tctl_get_ADB_bound(x.ad), c = tctl_get_ADB_constant(x.ad);
  if (kind != TCTL_BOUND_LT && kind != TCTL_BOUND_LE) {
    no_run("only a bounded response AD{<c} or AD{<=c} has one");
    return;
  }
  if (!without_time(x.p, true)) {
    no_run("p in 'p impl AD{<=c} q' has a temporal operator");
    return;
  }
  if (!without_time(x.q, false)) {
    no_run("q in 'p impl AD{<=c} q' is not made of propositions and locations alone");
    return;
  }
  states_region *init = initial_states_of(x.a);
  if (init == nullptr) return;
  load_props_labels();
  const int limit = run.max_symb_states_given ? run.max_symb_states : 0;
  const int zc = varnok_formula_clock(), dim = N_OF_CLOCKS;
  // The states where p holds and AD fails, and the locations outside q.
  states_region *fails = varnok_intersection(varnok_eval_back(x.p), varnok_neg(varnok_eval_back(x.ad)));
  states_region *outside_q = varnok_neg(varnok_eval_back(x.q));
  std::vector<char> outside(static_cast<size_t>(N_OF_STATES), 0);
  for (int l = 0; outside_q != nullptr && l < N_OF_STATES && l < outside_q->count; l++)
    outside[static_cast<size_t>(l)] = !is_empty_region(outside_q->regs[l]);
  // Past c: z > c (z >= c for "<"), outside q. AD{<0} q holds nowhere:
  // the second run is the switch alone, wherever it is.
  states_region *past = varnok_mk_bound(zc, kind == TCTL_BOUND_LT ? TCTL_BOUND_GE : TCTL_BOUND_GT, c);
  if (kind == TCTL_BOUND_LT && c == 0) {
    outside.assign(outside.size(), 1);
    free_states_region(outside_q);
  } else {
    past = varnok_intersection(past, outside_q);
  }
  try {
    lu::check_key_width(false);
    const lu::tables_view view = lu::tables_view::single();
    // The first run: to a state where p holds and AD fails.
    lu::model to_p = lu::model::single(fails);
    lu::search_params sp;
    sp.limit = cap_of(to_p, limit);
    const lu::result s = lu::search_model(to_p, init, nullptr, sp);
    if (s.verdict < 0) {
      stopped(limit);
    } else if (s.verdict == 0) {
      disagreement("no run reaches a state where p holds and AD fails");
    } else {
      run::witness wa;
      wa.start = {s.path.front().key[0]};
      for (size_t i = 1; i < s.path.size(); i++) wa.moves.push_back(s.path[i].via.w);
      const int at = s.path.back().key[0];
      wa.target = to_p.goal_zones(at);
      const run::origin oa = run::initial_origin(init);
      std::vector<run::exact_state> states;
      if (!run::exact_states(view, wa, oa, states)) {
        printf("%s: no concrete run for this witness (the path cannot be followed in the model)\n", tool);
      } else {
        // The switch: where the first run can end, z reset.
        std::vector<int16_t> sw = states.back().zone;
        flat::copy(sw.data(), dim, zc, 0);
        states_region *from = mk_empty_states_region();
        free_region(from->regs[at]);
        from->regs[at] = zone_to_region(flat::to_zone(sw.data()));
        lu::model beyond = lu::model::single(past);
        std::vector<int32_t> locations, moves;
        const int r = search_outside(beyond, from, outside, cap_of(beyond, limit), locations, moves);
        if (r < 0) stopped(limit);
        else if (r == 0) disagreement("no run stays outside q long enough after p");
        else {
          run::witness wb;
          wb.start = {locations.front()};
          for (int32_t t : moves) wb.moves.push_back({t});
          wb.target = beyond.goal_zones(locations.back());
          const run::origin ob = run::initial_origin(from);
          response_run rr;
          std::vector<bool> fixed(static_cast<size_t>(dim), false);
          for (int k = 1; k < N_OF_CLOCKS - N_OF_EXTRA_CLOCKS; k++) fixed[static_cast<size_t>(k)] = true;
          if (replayed_run(view, wb, ob, {}, {}, rr.outside_q) &&
              replayed_run(view, wa, oa, rr.outside_q.initial, fixed, rr.to_p))
            write_response(run, view, rr, x);
        }
        free_states_region(from);
      }
    }
  } catch (const std::bad_alloc &) {
    out_of_memory();
  }
  free_states_region(init);
  free_states_region(fails);
  free_states_region(past);
}

}  // namespace

void formula_witness(const run_context &run, tctl_node *f, bool holds) {
  parts x;
  const shape s = shape_of(f, x);
  if (s == shape::none) {
    no_run(
        "only 'a impl AB p' and 'a impl AB (p impl AD{<=c} q)' that fail and 'a impl ED p' (or 'a and ED p') that "
        "holds have one");
    return;
  }
  if ((s == shape::invariance || s == shape::response) && holds) {
    no_run("the invariance holds, which no finite run shows");
    return;
  }
  if (s == shape::reachability && !holds) {
    no_run("the goal is not reached, which no finite run shows");
    return;
  }
  if (s == shape::response) {
    response_witness(run, x);
    return;
  }
  // The search runs on the model's clocks alone (their regions read again
  // from the compiled model when the formula has clocks of its own, which a
  // product built in memory has not).
  if (tctl_extra_clocks() > 0) {
    no_run("the formula has clocks of its own");
    return;
  }
  // The run starts at an initial state of a (the states that the answer is
  // about), and ends outside p, or in p.
  states_region *init = initial_states_of(x.a);
  if (init == nullptr) return;
  states_region *goal = varnok_eval_back(x.p);
  if (s == shape::invariance) goal = varnok_neg(goal);
  const int r = lu_search_one_tg(init, goal);
  free_states_region(init);
  free_states_region(goal);
  if (r == 0) no_run("the forward search found no path to the states it shows");
  else if (r < 0) no_run("the forward search stopped at its -FORW limit");
}
