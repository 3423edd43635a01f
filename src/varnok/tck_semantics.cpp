// The forward semantics of a model with data.

#include "varnok/tck_semantics.h"

#include <algorithm>
#include <cstring>

#include "common/util/fatal.h"
#include "common/zone/zone.h"
#include "varnok/flat_zone.h"

namespace tck {

namespace {

struct eval_error {
  std::string msg;
};

// Evaluates expressions in one state: vals per integer variable, locs per
// process (for the labels of a goal).
struct evaluator {
  const system &s;
  const int32_t *vals;
  const uint16_t *locs;

  int element(const expr &x, int size, int base, const std::string &name) const {
    if (x.a < 0) return base;
    const int64_t i = eval(x.a);
    if (i < 0 || i >= size) throw eval_error{"index " + std::to_string(i) + " outside array " + name};
    return base + static_cast<int>(i);
  }
  // The integer variable named by an op::var expression.
  int var_of(int e) const {
    const expr &x = s.exprs[e];
    const int_decl &d = s.ints[x.var];
    return element(x, d.size, d.base, d.name);
  }
  // The clock named by an op::clock expression.
  int clock_of(int e) const {
    const expr &x = s.exprs[e];
    const clock_decl &d = s.clocks[x.var];
    return element(x, d.size, d.base, d.name);
  }
  bool has_label(int l) const {
    for (size_t p = 0; p < s.processes.size(); p++) {
      const std::vector<int> &ls = s.processes[p].locations[locs[p]].labels;
      if (std::find(ls.begin(), ls.end(), l) != ls.end()) return true;
    }
    return false;
  }
  static int64_t checked(bool overflow, int64_t v) {
    if (overflow || v > (int64_t{1} << 53) || v < -(int64_t{1} << 53)) throw eval_error{"arithmetic overflow"};
    return v;
  }
  int64_t eval(int e) const {
    const expr &x = s.exprs[e];
    int64_t r = 0;
    switch (x.kind) {
      case op::constant: return x.value;
      case op::var: return vals[var_of(e)];
      case op::label: return has_label(x.var) ? 1 : 0;
      case op::clock: throw eval_error{"clock in an integer expression"};
      case op::neg: return -eval(x.a);
      case op::lnot: return eval(x.a) == 0 ? 1 : 0;
      case op::land: return eval(x.a) != 0 && eval(x.b) != 0 ? 1 : 0;
      case op::lor: return eval(x.a) != 0 || eval(x.b) != 0 ? 1 : 0;
      default: break;
    }
    const int64_t a = eval(x.a), b = eval(x.b);
    switch (x.kind) {
      case op::add: {
        const bool o = __builtin_add_overflow(a, b, &r);
        return checked(o, r);
      }
      case op::sub: {
        const bool o = __builtin_sub_overflow(a, b, &r);
        return checked(o, r);
      }
      case op::mul: {
        const bool o = __builtin_mul_overflow(a, b, &r);
        return checked(o, r);
      }
      case op::div:
      case op::mod:
        if (b == 0) throw eval_error{"division by zero"};
        return x.kind == op::div ? a / b : a % b;
      case op::eq: return a == b;
      case op::ne: return a != b;
      case op::lt: return a < b;
      case op::le: return a <= b;
      case op::gt: return a > b;
      case op::ge: return a >= b;
      default: return 0;
    }
  }
};

// The interval of values an integer expression can take over the ranges of
// the variables (wider when that is cheaper to compute).
struct interval {
  int64_t lo, hi;
};

constexpr int64_t WIDE = int64_t{1} << 40;

int64_t clamp(int64_t v) { return std::max(-WIDE, std::min(WIDE, v)); }

// vr: per integer declaration, an interval that holds every value its
// elements take.
interval range_of(const system &s, const std::vector<interval> &vr, int e) {
  const expr &x = s.exprs[e];
  switch (x.kind) {
    case op::constant: return {x.value, x.value};
    case op::var: return vr[x.var];
    case op::neg: {
      const interval a = range_of(s, vr, x.a);
      return {-a.hi, -a.lo};
    }
    case op::add:
    case op::sub:
    case op::mul: {
      const interval a = range_of(s, vr, x.a), b = range_of(s, vr, x.b);
      if (x.kind == op::add) return {clamp(a.lo + b.lo), clamp(a.hi + b.hi)};
      if (x.kind == op::sub) return {clamp(a.lo - b.hi), clamp(a.hi - b.lo)};
      // Operands past 2^20 in magnitude: too wide to matter, and their
      // products could overflow.
      if (std::max(std::abs(a.lo), std::abs(a.hi)) >= (int64_t{1} << 20) ||
          std::max(std::abs(b.lo), std::abs(b.hi)) >= (int64_t{1} << 20))
        return {-WIDE, WIDE};
      const int64_t c[4] = {a.lo * b.lo, a.lo * b.hi, a.hi * b.lo, a.hi * b.hi};
      return {*std::min_element(c, c + 4), *std::max_element(c, c + 4)};
    }
    case op::div:
    case op::mod: {
      const interval a = range_of(s, vr, x.a);
      const int64_t m = std::max(std::abs(a.lo), std::abs(a.hi));
      // A remainder is smaller than its divisor and takes the sign of the
      // dividend.
      if (x.kind == op::mod) {
        const interval b = range_of(s, vr, x.b);
        const int64_t n = std::max(std::abs(b.lo), std::abs(b.hi));
        const int64_t r = n > 0 ? std::min(m, n - 1) : m;
        return {a.lo >= 0 ? 0 : -r, a.hi <= 0 ? 0 : r};
      }
      return {-m, m};
    }
    default: return {0, 1};
  }
}

// Widens out[d] to the values that the assignments of body to declaration
// d can give, when the values before lie in vr (an assignment outside the
// declared range stops the run: it gives no value).
void assigned_ranges(const system &s, const std::vector<interval> &vr, const std::vector<stmt> &body,
                     std::vector<interval> &out) {
  for (const stmt &st : body) {
    if (st.kind == stmt::branch) {
      assigned_ranges(s, vr, st.then_part, out);
      assigned_ranges(s, vr, st.else_part, out);
    } else if (st.kind == stmt::assign_int) {
      const int d = s.exprs[st.target].var;
      const interval r = range_of(s, vr, st.value);
      const int64_t lo = std::max<int64_t>(r.lo, s.ints[d].lo), hi = std::min<int64_t>(r.hi, s.ints[d].hi);
      if (lo > hi) continue;
      out[d].lo = std::min(out[d].lo, lo);
      out[d].hi = std::max(out[d].hi, hi);
    }
  }
}

// Per integer declaration, an interval that holds every value its elements
// take in any run: the initial value and what the assignments can give,
// narrowed from the declared ranges a few times. Each round is sound when
// the one before is: a value is the initial one or that of an assignment
// evaluated on values of the round before.
std::vector<interval> value_ranges(const system &s) {
  std::vector<interval> vr;
  for (const int_decl &d : s.ints) vr.push_back({d.lo, d.hi});
  for (int round = 0; round < 8; round++) {
    std::vector<interval> next;
    for (const int_decl &d : s.ints) next.push_back({d.init, d.init});
    for (const edge &e : s.edges) assigned_ranges(s, vr, e.body, next);
    bool same = true;
    for (size_t d = 0; d < vr.size(); d++) same = same && next[d].lo == vr[d].lo && next[d].hi == vr[d].hi;
    vr = std::move(next);
    if (same) break;
  }
  return vr;
}

// The clocks an op::clock expression may name.
std::vector<int> clocks_named(const system &s, int e) {
  const expr &x = s.exprs[e];
  const clock_decl &d = s.clocks[x.var];
  std::vector<int> out;
  if (x.a >= 0 && s.exprs[x.a].kind == op::constant) {
    const int64_t i = s.exprs[x.a].value;
    if (i >= 0 && i < d.size) out.push_back(d.base + static_cast<int>(i));
    return out;
  }
  for (int i = 0; i < d.size; i++) out.push_back(d.base + i);
  return out;
}

// The clocks that the statements surely assign (unconditionally, at a
// fixed index).
void surely_assigned(const system &s, const std::vector<stmt> &body, std::vector<char> &out) {
  for (const stmt &st : body) {
    if (st.kind != stmt::assign_clock) continue;
    const expr &x = s.exprs[st.target];
    if (s.clocks[x.var].size == 1 || (x.a >= 0 && s.exprs[x.a].kind == op::constant)) {
      const std::vector<int> cs = clocks_named(s, st.target);
      for (int c : cs) out[c] = 1;
    }
  }
}

int16_t encode(int64_t c, bool strict) { return static_cast<int16_t>(2 * c + (strict ? 0 : 1)); }

// x := c on the closed m: a reset, then x moves up by c (m stays closed).
void set_clock(int16_t *m, int dim, int x, int64_t c) {
  flat::copy(m, dim, x, 0);
  const int d = static_cast<int>(2 * c);
  for (int j = 0; j < dim; j++) {
    if (j == x) continue;
    if (m[x * dim + j] != INF_BOUND) m[x * dim + j] = static_cast<int16_t>(m[x * dim + j] + d);
    if (m[j * dim + x] != INF_BOUND) m[j * dim + x] = static_cast<int16_t>(m[j * dim + x] - d);
  }
}

}  // namespace

// The context of an evaluation, for the message that ends the run.
[[noreturn]] static void refuse(const system &s, const std::string &where, const std::string &msg) {
  fatal(stderr, 1, "%s: %s: %s: %s\n", tool, s.file.c_str(), where.c_str(), msg.c_str());
}

static int64_t clock_constant(int64_t c) {
  if (c > MAX_CLOCK_CONST || c < -MAX_CLOCK_CONST)
    throw eval_error{"clock constant " + std::to_string(c) + " out of range -" + std::to_string(MAX_CLOCK_CONST) + ".." +
                     std::to_string(MAX_CLOCK_CONST)};
  return c;
}

// Adds the clock constraints of g, evaluated in ev, to the closed m; false
// when the result is empty.
static bool constrain(const evaluator &ev, const guard &g, int16_t *m, int dim) {
  for (const clock_atom &a : g.clocks) {
    const int x = ev.clock_of(a.x), y = a.y < 0 ? 0 : ev.clock_of(a.y);
    const int64_t c = clock_constant(ev.eval(a.rhs));
    bool ok = true;
    if (a.cmp == op::le || a.cmp == op::lt || a.cmp == op::eq) ok = flat::constrain(m, dim, x, y, encode(c, a.cmp == op::lt));
    if (ok && (a.cmp == op::ge || a.cmp == op::gt || a.cmp == op::eq))
      ok = flat::constrain(m, dim, y, x, encode(-c, a.cmp == op::gt));
    if (!ok) return false;
  }
  return true;
}

static bool conditions_hold(const evaluator &ev, const guard &g) {
  for (int c : g.conds)
    if (ev.eval(c) == 0) return false;
  return true;
}

// Runs the statements of body in order (the branches of an if as its
// condition says) on the values vals (read by ev) and the closed zone m.
// assign (when not null): dim entries, those of the clocks set become 0.
static void run_body(const evaluator &ev, const std::vector<stmt> &body, int32_t *vals, int16_t *m, int dim,
                     uint16_t *assign) {
  const system &s = ev.s;
  for (const stmt &st : body) {
    if (st.kind == stmt::branch) {
      run_body(ev, ev.eval(st.value) != 0 ? st.then_part : st.else_part, vals, m, dim, assign);
    } else if (st.kind == stmt::assign_int) {
      const int v = ev.var_of(st.target);
      const int64_t val = ev.eval(st.value);
      const int_decl &dc = s.ints[s.var_decl[v]];
      if (val < dc.lo || val > dc.hi)
        throw eval_error{"value " + std::to_string(val) + " assigned to " + s.var_name(v) + " outside its range " +
                         std::to_string(dc.lo) + ".." + std::to_string(dc.hi)};
      vals[v] = static_cast<int32_t>(val);
    } else if (st.kind == stmt::assign_clock) {
      const int x = ev.clock_of(st.target);
      const int64_t val = ev.eval(st.value);
      if (val < 0) throw eval_error{"negative value " + std::to_string(val) + " assigned to clock " + s.clock_name(x)};
      set_clock(m, dim, x, clock_constant(val));
      if (assign != nullptr) assign[x] = 0;
    }
  }
}

data_model::data_model(const system &s, int goal, std::vector<clock_atom> goal_clocks)
    : s_(s), goal_(goal), nprocs_(static_cast<int>(s.processes.size())) {
  goal_clocks_.clocks = std::move(goal_clocks);
  synced_.assign(nprocs_, std::vector<char>(s.events.size(), 0));
  for (const std::vector<sync_part> &v : s.syncs)
    for (const sync_part &p : v) synced_[p.process][p.event] = 1;
  s_lo_.assign(dim(), 0);
  s_hi_.assign(dim(), 0);
  s_vals_.resize(s.nb_vars);
  s_new_.resize(s.nb_vars);
  s_key_.resize(key_size());
  s_zone_.resize(static_cast<size_t>(dim()) * dim());
  s_goal_.resize(static_cast<size_t>(dim()) * dim());
  compute_bounds();
}

// Per process and location, the largest constants compared with each
// clock there or later along the process's edges while the clock is not
// reset; constants that are integer expressions count with their largest
// value over the values the variables can take (value_ranges).
void data_model::compute_bounds() {
  const int d = dim();
  const std::vector<interval> vr = value_ranges(s_);
  std::vector<std::vector<std::vector<int32_t>>> lo_at(nprocs_), hi_at(nprocs_);
  auto raise = [&](const guard &g, std::vector<int32_t> &lo, std::vector<int32_t> &hi) {
    for (const clock_atom &a : g.clocks) {
      if (a.y >= 0) {
        extrapolates_ = false;
        continue;
      }
      const int32_t c = static_cast<int32_t>(std::min(range_of(s_, vr, a.rhs).hi, MAX_CLOCK_CONST));
      for (int x : clocks_named(s_, a.x)) {
        if (a.cmp != op::gt && a.cmp != op::ge) hi[x] = std::max(hi[x], c);
        if (a.cmp != op::lt && a.cmp != op::le) lo[x] = std::max(lo[x], c);
      }
    }
  };
  goal_lo_.assign(d, -1);
  goal_hi_.assign(d, -1);
  goal_lo_[0] = goal_hi_[0] = 0;
  raise(goal_clocks_, goal_lo_, goal_hi_);
  for (int p = 0; p < nprocs_; p++) {
    const process &pr = s_.processes[p];
    lo_at[p].assign(pr.locations.size(), std::vector<int32_t>(d, -1));
    hi_at[p].assign(pr.locations.size(), std::vector<int32_t>(d, -1));
    for (size_t l = 0; l < pr.locations.size(); l++) {
      raise(pr.locations[l].invariant, lo_at[p][l], hi_at[p][l]);
      for (int e : pr.out[l]) raise(s_.edges[e].provided, lo_at[p][l], hi_at[p][l]);
    }
    std::vector<std::vector<char>> reset(s_.edges.size());
    for (size_t l = 0; l < pr.locations.size(); l++)
      for (int e : pr.out[l]) {
        reset[e].assign(d, 0);
        surely_assigned(s_, s_.edges[e].body, reset[e]);
      }
    for (bool changed = true; changed;) {
      changed = false;
      for (size_t l = 0; l < pr.locations.size(); l++)
        for (int e : pr.out[l]) {
          const int t = s_.edges[e].target;
          for (int x = 1; x < d; x++) {
            if (reset[e][x]) continue;
            if (lo_at[p][t][x] > lo_at[p][l][x]) lo_at[p][l][x] = lo_at[p][t][x], changed = true;
            if (hi_at[p][t][x] > hi_at[p][l][x]) hi_at[p][l][x] = hi_at[p][t][x], changed = true;
          }
        }
    }
  }
  limits_.resize(nprocs_);
  for (int p = 0; p < nprocs_; p++) {
    limits_[p].resize(lo_at[p].size());
    for (size_t l = 0; l < lo_at[p].size(); l++)
      for (int x = 1; x < d; x++)
        if (lo_at[p][l][x] >= 0 || hi_at[p][l][x] >= 0) limits_[p][l].push_back({x, lo_at[p][l][x], hi_at[p][l][x]});
  }
  for (const process &pr : s_.processes)
    for (const location &l : pr.locations)
      for (const clock_atom &a : l.invariant.clocks)
        if (a.y < 0 && a.cmp != op::lt && a.cmp != op::le) past_closed_ = false;
}

void data_model::for_each_initial(states_region *, const tctl_node *,
                                  const std::function<void(const uint16_t *, const int16_t *)> &f) {
  const int d = dim();
  bool hurry = false;
  for (int p = 0; p < nprocs_; p++) {
    const process &pr = s_.processes[p];
    s_key_[p] = static_cast<uint16_t>(pr.initial);
    hurry = hurry || pr.locations[pr.initial].urgent || pr.locations[pr.initial].committed;
  }
  for (int v = 0; v < s_.nb_vars; v++) {
    const int_decl &dc = s_.ints[s_.var_decl[v]];
    s_vals_[v] = dc.init;
    s_key_[nprocs_ + v] = static_cast<uint16_t>(dc.init - dc.lo);
  }
  const evaluator ev{s_, s_vals_.data(), s_key_.data()};
  flat::set_zero(s_zone_.data(), d);
  for (int pass = 0; pass < (hurry ? 1 : 2); pass++) {
    if (pass == 1) flat::up(s_zone_.data(), d);
    for (int p = 0; p < nprocs_; p++) {
      const location &l = s_.processes[p].locations[s_key_[p]];
      try {
        if (!conditions_hold(ev, l.invariant) || !constrain(ev, l.invariant, s_zone_.data(), d)) return;
      } catch (const eval_error &e) {
        refuse(s_, "invariant of " + s_.processes[p].name + ":" + l.name, e.msg);
      }
    }
  }
  f(s_key_.data(), s_zone_.data());
}

bool data_model::leaves_committed(const uint16_t *key, const part *b, const part *e) const {
  for (; b != e; ++b)
    if (s_.processes[b->process].locations[key[b->process]].committed) return true;
  return false;
}

void data_model::set_w(const move &m, std::vector<int32_t> &w) const {
  w.assign(nprocs_, -1);
  for (uint32_t i = m.begin; i < m.end; i++) w[parts_[i].process] = parts_[i].edge;
}

void data_model::moves_of(const uint16_t *key) {
  moves_.clear();
  parts_.clear();
  for (int v = 0; v < s_.nb_vars; v++) s_vals_[v] = value(key, v);
  const evaluator ev{s_, s_vals_.data(), key};
  bool committed = false;
  for (int p = 0; p < nprocs_; p++) committed = committed || s_.processes[p].locations[key[p]].committed;
  auto enabled = [&](int e) {
    try {
      return conditions_hold(ev, s_.edges[e].provided);
    } catch (const eval_error &x) {
      refuse(s_, "edge " + s_.edge_name(e), x.msg);
    }
  };
  // Keeps the parts pushed since begin as a move, when it may be taken.
  auto close_move = [&](uint32_t begin) {
    const uint32_t end = static_cast<uint32_t>(parts_.size());
    if (end > begin && (!committed || leaves_committed(key, parts_.data() + begin, parts_.data() + end)))
      moves_.push_back({begin, end});
    else
      parts_.resize(begin);
  };
  for (int p = 0; p < nprocs_; p++)
    for (int e : s_.processes[p].out[key[p]])
      if (!synced_[p][s_.edges[e].event] && enabled(e)) {
        const uint32_t begin = static_cast<uint32_t>(parts_.size());
        parts_.push_back({p, e});
        close_move(begin);
      }
  std::vector<int> &lists = s_lists_;
  std::vector<uint32_t> &from = s_list_at_, &at = s_pick_;
  for (const std::vector<sync_part> &v : s_.syncs) {
    const size_t n = v.size();
    lists.clear();
    from.assign(n + 1, 0);
    bool possible = true;
    for (size_t i = 0; i < n && possible; i++) {
      from[i] = static_cast<uint32_t>(lists.size());
      for (int e : s_.processes[v[i].process].out[key[v[i].process]])
        if (s_.edges[e].event == v[i].event && enabled(e)) lists.push_back(e);
      if (lists.size() == from[i]) {
        if (v[i].weak) lists.push_back(-1);
        else possible = false;
      }
    }
    if (!possible) continue;
    from[n] = static_cast<uint32_t>(lists.size());
    size_t combinations = 1;
    for (size_t i = 0; i < n; i++)
      if (__builtin_mul_overflow(combinations, size_t{from[i + 1] - from[i]}, &combinations) ||
          combinations > MAX_COMBINATIONS)
        refuse(s_, "synchronisation " + std::to_string(&v - s_.syncs.data() + 1),
               "more than " + std::to_string(MAX_COMBINATIONS) + " combinations of edges");
    at.assign(from.begin(), from.end() - 1);
    for (;;) {
      const uint32_t begin = static_cast<uint32_t>(parts_.size());
      for (size_t i = 0; i < n; i++)
        if (lists[at[i]] >= 0) parts_.push_back({v[i].process, lists[at[i]]});
      close_move(begin);
      size_t i = 0;
      while (i < n && ++at[i] == from[i + 1]) at[i] = from[i], i++;
      if (i == n) break;
    }
  }
}

bool data_model::apply(const uint16_t *key, const int16_t *z, const move &m, step_parts *rec) {
  const int d = dim();
  const size_t bytes = static_cast<size_t>(d) * d * sizeof(int16_t);
  int16_t *t = s_zone_.data();
  memcpy(t, z, bytes);
  // What is being evaluated, for the message of an error: an edge, or the
  // invariant of process p (-1 - p); named only when the run stops.
  int at = 0;
  try {
    {
      const evaluator ev{s_, s_vals_.data(), key};
      if (rec != nullptr) {
        rec->guard.resize(bytes / sizeof(int16_t));
        flat::set_universal(rec->guard.data(), d);
      }
      for (uint32_t i = m.begin; i < m.end; i++) {
        const part &p = parts_[i];
        at = p.edge;
        if (!constrain(ev, s_.edges[p.edge].provided, t, d)) return false;
        if (rec != nullptr && !constrain(ev, s_.edges[p.edge].provided, rec->guard.data(), d)) return false;
      }
    }
    s_new_ = s_vals_;
    memcpy(s_key_.data(), key, static_cast<size_t>(nprocs_) * sizeof(uint16_t));
    const evaluator ev{s_, s_new_.data(), s_key_.data()};
    uint16_t *assign = nullptr;
    if (rec != nullptr) {
      rec->assign.resize(d);
      for (int x = 0; x < d; x++) rec->assign[x] = static_cast<uint16_t>(x);
      assign = rec->assign.data();
    }
    for (uint32_t i = m.begin; i < m.end; i++) {
      at = parts_[i].edge;
      run_body(ev, s_.edges[at].body, s_new_.data(), t, d, assign);
    }
    bool hurry = false;
    for (uint32_t i = m.begin; i < m.end; i++)
      s_key_[parts_[i].process] = static_cast<uint16_t>(s_.edges[parts_[i].edge].target);
    for (int v = 0; v < s_.nb_vars; v++) s_key_[nprocs_ + v] = static_cast<uint16_t>(s_new_[v] - s_.ints[s_.var_decl[v]].lo);
    for (int p = 0; p < nprocs_; p++) {
      const location &l = s_.processes[p].locations[s_key_[p]];
      hurry = hurry || l.urgent || l.committed;
    }
    // Where time passes within past-closed invariants, one cut after it
    // passes suffices (unless the zone entered is wanted).
    const int first = !hurry && past_closed_ && rec == nullptr ? 1 : 0;
    for (int pass = first; pass < (hurry ? 1 : 2); pass++) {
      if (pass == 1) flat::up(t, d);
      for (int p = 0; p < nprocs_; p++) {
        const location &l = s_.processes[p].locations[s_key_[p]];
        at = -1 - p;
        if (!conditions_hold(ev, l.invariant) || !constrain(ev, l.invariant, t, d)) return false;
      }
      if (pass == 0 && rec != nullptr) rec->entry.assign(t, t + bytes / sizeof(int16_t));
    }
  } catch (const eval_error &e) {
    if (at >= 0) refuse(s_, "edge " + s_.edge_name(at), e.msg);
    const int p = -1 - at;
    refuse(s_, "invariant of " + s_.processes[p].name + ":" + s_.processes[p].locations[s_key_[p]].name, e.msg);
  }
  if (rec != nullptr) {
    rec->zone.assign(t, t + bytes / sizeof(int16_t));
    rec->key = s_key_;
  }
  return true;
}

bool data_model::parts_of(const uint16_t *key, const int16_t *z, const lu::step_info &via, step_parts &out) {
  moves_of(key);
  for (const move &m : moves_) {
    set_w(m, s_w_);
    if (s_w_ == via.w) return apply(key, z, m, &out);
  }
  return false;
}

void data_model::initial_entry(std::vector<int16_t> &entry) {
  const int d = dim();
  entry.assign(static_cast<size_t>(d) * d, 0);
  flat::set_zero(entry.data(), d);
  for (int v = 0; v < s_.nb_vars; v++) s_vals_[v] = s_.ints[s_.var_decl[v]].init;
  for (int p = 0; p < nprocs_; p++) s_key_[p] = static_cast<uint16_t>(s_.processes[p].initial);
  const evaluator ev{s_, s_vals_.data(), s_key_.data()};
  for (int p = 0; p < nprocs_; p++)
    try {
      constrain(ev, s_.processes[p].locations[s_key_[p]].invariant, entry.data(), d);
    } catch (const eval_error &) {
      // The search evaluated the same invariant without an error.
    }
}

std::vector<uint16_t> data_model::initial_key() const {
  std::vector<uint16_t> key(key_size());
  for (int p = 0; p < nprocs_; p++) key[p] = static_cast<uint16_t>(s_.processes[p].initial);
  for (int v = 0; v < s_.nb_vars; v++) {
    const int_decl &dc = s_.ints[s_.var_decl[v]];
    key[nprocs_ + v] = static_cast<uint16_t>(dc.init - dc.lo);
  }
  return key;
}

// The clock constraints of g evaluated in ev, appended to out.
static void bounds_of(const evaluator &ev, const guard &g, std::vector<clock_bound> &out) {
  for (const clock_atom &a : g.clocks)
    out.push_back({ev.clock_of(a.x), a.y < 0 ? 0 : ev.clock_of(a.y), a.cmp, clock_constant(ev.eval(a.rhs))});
}

bool data_model::invariant_at(const uint16_t *key, std::vector<clock_bound> &out) {
  out.clear();
  for (int v = 0; v < s_.nb_vars; v++) s_new_[v] = value(key, v);
  const evaluator ev{s_, s_new_.data(), key};
  for (int p = 0; p < nprocs_; p++) {
    const location &l = s_.processes[p].locations[key[p]];
    try {
      if (!conditions_hold(ev, l.invariant)) return false;
      bounds_of(ev, l.invariant, out);
    } catch (const eval_error &e) {
      refuse(s_, "invariant of " + s_.processes[p].name + ":" + l.name, e.msg);
    }
  }
  return true;
}

bool data_model::hurried(const uint16_t *key) const {
  for (int p = 0; p < nprocs_; p++) {
    const location &l = s_.processes[p].locations[key[p]];
    if (l.urgent || l.committed) return true;
  }
  return false;
}

void data_model::discrete_moves(const uint16_t *key, std::vector<discrete_move> &out) {
  out.clear();
  moves_of(key);
  const int d = dim();
  std::vector<int16_t> scratch(static_cast<size_t>(d) * d);
  std::vector<uint16_t> assign(d);
  std::vector<clock_bound> inv;
  for (const move &m : moves_) {
    discrete_move dm;
    set_w(m, dm.w);
    dm.event = s_.edges[parts_[m.begin].edge].event;
    int at = parts_[m.begin].edge;
    try {
      const evaluator src{s_, s_vals_.data(), key};
      for (uint32_t i = m.begin; i < m.end; i++) {
        const part &p = parts_[i];
        at = p.edge;
        bounds_of(src, s_.edges[p.edge].provided, dm.guard);
      }
      s_new_ = s_vals_;
      memcpy(s_key_.data(), key, static_cast<size_t>(nprocs_) * sizeof(uint16_t));
      const evaluator ev{s_, s_new_.data(), s_key_.data()};
      flat::set_universal(scratch.data(), d);
      for (int x = 0; x < d; x++) assign[x] = static_cast<uint16_t>(x);
      for (uint32_t i = m.begin; i < m.end; i++) {
        at = parts_[i].edge;
        run_body(ev, s_.edges[at].body, s_new_.data(), scratch.data(), d, assign.data());
      }
      for (int x = 1; x < d; x++)
        if (assign[x] == 0) {
          if (scratch[x * d] >> 1 != 0)
            throw eval_error{"clock " + s_.clock_name(x) + " is set to " + std::to_string(scratch[x * d] >> 1) +
                             ", which timed graphs cannot write"};
          dm.reset.push_back(x);
        }
    } catch (const eval_error &e) {
      refuse(s_, "edge " + s_.edge_name(at), e.msg);
    }
    for (uint32_t i = m.begin; i < m.end; i++)
      s_key_[parts_[i].process] = static_cast<uint16_t>(s_.edges[parts_[i].edge].target);
    for (int v = 0; v < s_.nb_vars; v++) s_key_[nprocs_ + v] = static_cast<uint16_t>(s_new_[v] - s_.ints[s_.var_decl[v]].lo);
    dm.target = s_key_;
    if (!invariant_at(dm.target.data(), inv)) continue;
    out.push_back(std::move(dm));
  }
}

void data_model::extrapolate(const uint16_t *key, int16_t *z) {
  if (!extrapolates_) return;
  const int d = dim();
  std::copy(goal_lo_.begin(), goal_lo_.end(), s_lo_.begin());
  std::copy(goal_hi_.begin(), goal_hi_.end(), s_hi_.begin());
  for (int p = 0; p < nprocs_; p++)
    for (const clock_limit &c : limits_[p][key[p]]) {
      s_lo_[c.x] = std::max(s_lo_[c.x], c.lo);
      s_hi_[c.x] = std::max(s_hi_[c.x], c.hi);
    }
  flat::extrapolate_lu(z, d, s_lo_.data(), s_hi_.data());
}

bool data_model::is_goal(const uint16_t *key, const int16_t *z) {
  if (goal_ < 0) return false;
  for (int v = 0; v < s_.nb_vars; v++) s_new_[v] = value(key, v);
  const evaluator ev{s_, s_new_.data(), key};
  try {
    if (ev.eval(goal_) == 0) return false;
  } catch (const eval_error &e) {
    refuse(s_, "goal", e.msg);
  }
  if (goal_clocks_.clocks.empty()) return true;
  const int d = dim();
  memcpy(s_goal_.data(), z, static_cast<size_t>(d) * d * sizeof(int16_t));
  return goal_zone(key, s_goal_.data());
}

bool data_model::goal_zone(const uint16_t *key, int16_t *z) {
  for (int v = 0; v < s_.nb_vars; v++) s_new_[v] = value(key, v);
  const evaluator ev{s_, s_new_.data(), key};
  try {
    return constrain(ev, goal_clocks_, z, dim());
  } catch (const eval_error &e) {
    refuse(s_, "goal", e.msg);
  }
}

}  // namespace tck
