// Formulas on location vectors, compiled against the product tables.

#include "varnok/location_goal.h"

#include "common/tctl/tctl_syntax.h"
#include "varnok/compo_runs.h"
#include "varnok/compo_tables.h"

namespace lu {

location_goal::location_goal(const tctl_node *f, int n) : n_(n) {
  if (f == nullptr) return;
  root_ = compile(f);
  if (fallback_ != nullptr) fallback_ = f;  // the whole formula, as before
}

namespace {

// Whether location l of automaton a carries proposition p.
bool carries(int a, int l, int p) {
  for (int32_t q : TA_states_props[a][l])
    if (q == p) return true;
  return false;
}

}  // namespace

int32_t location_goal::compile(const tctl_node *f) {
  node e{};
  switch (f->kind) {
    case TCTL_STATE:
      e.kind = op::state;
      e.a = f->op[0].value;
      break;
    case TCTL_INIT:  // per automaton: its INIT locations, or location 0 without any
    case TCTL_PROP: {  // per automaton that declares the proposition: its locations
      const bool init = f->kind == TCTL_INIT;
      e.kind = init ? op::init : op::prop;
      e.marks = static_cast<int32_t>(offsets_.size());
      for (int a = 0; a < n_; a++) {
        const int p = TA_find_prop_by_name(a, init ? "INIT" : f->op[0].name);
        if (p < 0 && !init) {
          offsets_.push_back(-1);
          continue;
        }
        offsets_.push_back(static_cast<int32_t>(marks_.size()));
        for (int l = 0; l < TA_N_OF_STATES[a]; l++)
          marks_.push_back(p < 0 ? l == 0 : carries(a, l, p));
      }
      break;
    }
    case TCTL_AND:
    case TCTL_OR:
    case TCTL_IMPL:
      e.kind = f->kind == TCTL_AND ? op::and_ : f->kind == TCTL_OR ? op::or_ : op::impl;
      e.a = f->op[0].f == nullptr ? compile_true() : compile(f->op[0].f);
      e.b = f->op[1].f == nullptr ? compile_true() : compile(f->op[1].f);
      break;
    case TCTL_NOT:
      e.kind = op::not_;
      e.a = f->op[0].f == nullptr ? compile_true() : compile(f->op[0].f);
      break;
    case TCTL_ENABLE:
    case TCTL_NONZENO:
    case TCTL_CLOCK_CONSTRAINT:
    case TCTL_RESET: e.kind = op::never; break;
    default:
      e.kind = op::never;
      if (!(f->kind >= TCTL_EU && f->kind <= TCTL_LAST_KIND)) fallback_ = f;  // unknown: warned about as before
  }
  nodes_.push_back(e);
  return static_cast<int32_t>(nodes_.size() - 1);
}

int32_t location_goal::compile_true() {
  node e{};
  e.kind = op::always;
  nodes_.push_back(e);
  return static_cast<int32_t>(nodes_.size() - 1);
}

bool location_goal::holds_at(const uint16_t *key, int32_t at) const {
  const node &e = nodes_[static_cast<size_t>(at)];
  switch (e.kind) {
    case op::always: return true;
    case op::never: return false;
    case op::state:
      for (int a = 0; a < n_; a++)
        if (key[a] != e.a) return false;
      return true;
    case op::init:
      for (int a = 0; a < n_; a++)
        if (!marks_[static_cast<size_t>(offsets_[static_cast<size_t>(e.marks + a)]) + key[a]]) return false;
      return n_ > 0;
    case op::prop:
      for (int a = 0; a < n_; a++) {
        const int32_t o = offsets_[static_cast<size_t>(e.marks + a)];
        if (o >= 0 && marks_[static_cast<size_t>(o) + key[a]]) return true;
      }
      return false;
    case op::and_: return holds_at(key, e.a) && holds_at(key, e.b);
    case op::or_: return holds_at(key, e.a) || holds_at(key, e.b);
    case op::impl: return !holds_at(key, e.a) || holds_at(key, e.b);
    case op::not_: return !holds_at(key, e.a);
  }
  return false;
}

bool location_goal::holds_by_formula(const uint16_t *key) const {
  std::vector<int32_t> v(key, key + n_);
  return location_vector_satisfies_formula(v.data(), n_, fallback_) != 0;
}

}  // namespace lu
