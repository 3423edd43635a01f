// Fuzz target of the .tck reader and of the search on what it accepts:
// every input is refused with a FILE:LINE: message or read into a model
// whose indices are all in range; an accepted model is then searched for a
// goal over its labels and variables, within a small state limit (a run
// that the model stops, on a value out of range, ends as a refusal), and its
// discrete states are written as a timed graph.
#include <cstddef>
#include <cstdint>
#include <string>

#include "support/engine_reset.h"
#include "support/fuzz_support.h"
#include "support/good_model.h"
#include "varnok/lu_search.h"
#include "varnok/tck_reader.h"
#include "varnok/tck_semantics.h"
#include "varnok/tck_unfold.h"

const char *tool = "varnok";

namespace {

void check(bool ok) {
  if (!ok) __builtin_trap();
}

void check_expr(const tck::system &s, int e) {
  check(e >= 0 && static_cast<size_t>(e) < s.exprs.size());
}

void check_body(const tck::system &s, const std::vector<tck::stmt> &body) {
  for (const tck::stmt &st : body) {
    if (st.kind == tck::stmt::nop) continue;
    check_expr(s, st.value);
    if (st.kind != tck::stmt::branch) check_expr(s, st.target);
    check_body(s, st.then_part);
    check_body(s, st.else_part);
  }
}

// The indices of an accepted model.
void validate(const tck::system &s) {
  check(!s.processes.empty());
  for (const tck::process &p : s.processes) {
    check(p.initial >= 0 && static_cast<size_t>(p.initial) < p.locations.size());
    check(p.out.size() == p.locations.size());
  }
  for (const tck::edge &e : s.edges) {
    const tck::process &p = s.processes[e.process];
    check(e.source >= 0 && static_cast<size_t>(e.source) < p.locations.size());
    check(e.target >= 0 && static_cast<size_t>(e.target) < p.locations.size());
    check(e.event >= 0 && static_cast<size_t>(e.event) < s.events.size());
    for (int c : e.provided.conds) check_expr(s, c);
    check_body(s, e.body);
  }
  check(s.nb_clocks <= tck::MAX_CLOCKS && s.nb_vars <= tck::MAX_VARS);
  check(s.var_decl.size() == static_cast<size_t>(s.nb_vars));
}

tck::system model;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz::set_refusal_cleanup(fuzz::reset_engines);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string text(reinterpret_cast<const char *>(data), size);
  std::string err;
  if (!tck::read_model(text, "f.tck", model, err)) {
    check(err.rfind("f.tck:", 0) == 0);
    return 0;
  }
  validate(model);
  std::string goal = model.labels.empty() ? "1" : model.labels.back();
  if (model.nb_vars > 0) goal += " && " + model.var_name(model.nb_vars - 1) + " >= 1";
  if (model.nb_clocks > 0) goal += " && " + model.clock_name(1) + " >= 1";
  int g = -1;
  std::vector<tck::clock_atom> clocks;
  check(tck::parse_goal(model, goal, g, clocks, err));
  fuzz::guarded([&] {
    tck::data_model m(model, g, clocks);
    lu::search_params p;
    p.limit = 300;
    lu::search_model(m, p);
  });
  // Small models only: the discrete states of a large one take long.
  if (!fuzz::small_numbers(text, 50)) return 0;
  fuzz::scratch_dir dir("tck_fuzz");
  std::string why;
  fuzz::guarded([&] {
    tck::data_model m(model, -1);
    tck::write_unfolded(m, "u.tg", why);
  });
  return 0;
}
