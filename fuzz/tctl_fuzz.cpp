// Fuzz target for the TCTL scanner and parser: any text either parses into a
// tree that prints and walks cleanly, or is refused with a message.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "common/tctl/tctl_main.h"
#include "common/tctl/tctl_syntax.h"
#include "common/tctl/tctl_tg_link.h"

const char *tool = "varnok";

namespace {

void check(bool ok) {
  if (!ok) __builtin_trap();
}

bool is_term(const tctl_node *t) { return t != nullptr && (t->kind == TCTL_CLOCK || t->kind == TCTL_MINUS); }

// Walks a parsed tree through the accessors and checks what the parser may
// build: formula kinds only, comparisons under clock constraints, bound
// kinds in range, interval ends of the right sides.
void validate(const tctl_node *f) {
  if (f == nullptr) return;
  int32_t k = f->kind;
  switch (k) {
    case TCTL_STATE: tctl_get_state(f); return;
    case TCTL_INIT:
    case TCTL_NONZENO: return;
    case TCTL_ENABLE: check(tctl_get_enable(f)[0] != '\0'); return;
    case TCTL_PROP: check(tctl_get_prop(f)[0] != '\0'); return;
    case TCTL_CLOCK_CONSTRAINT: {
      const tctl_node *c = tctl_get_clock_constraint(f);
      check(c != nullptr && c->kind >= TCTL_LEQ && c->kind <= TCTL_EQ && is_term(c->op[0].f));
      return;
    }
    case TCTL_AND: validate(tctl_get_and_1(f)); validate(tctl_get_and_2(f)); return;
    case TCTL_OR: validate(tctl_get_or_1(f)); validate(tctl_get_or_2(f)); return;
    case TCTL_IMPL: validate(tctl_get_impl_1(f)); validate(tctl_get_impl_2(f)); return;
    case TCTL_NOT: validate(tctl_get_not(f)); return;
    case TCTL_RESET: validate(tctl_get_reset_1(f)); return;
    default: break;
  }
  check(k >= TCTL_EU && k <= TCTL_LAST_KIND);
  bool until = k <= TCTL_AUI;
  int variant = (k - TCTL_EU) % 3;
  validate(f->op[0].f);
  if (variant == 1) check(f->op[1].value >= 0 && f->op[1].value <= 4);
  if (variant == 2) {
    check(f->op[1].value == TCTL_BOUND_GT || f->op[1].value == TCTL_BOUND_GE);
    check(f->op[4].value == TCTL_BOUND_LT || f->op[4].value == TCTL_BOUND_LE);
  }
  if (until) validate(f->op[variant == 0 ? 1 : variant == 1 ? 3 : 5].f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // A single token longer than the scanner's 16384-byte buffer ends the
  // process on purpose; keep inputs below that.
  if (size == 0 || size > 8192) return 0;
  static FILE *sink = fopen("/dev/null", "w");
  FILE *in = fmemopen(const_cast<uint8_t *>(data), size, "r");
  if (in == nullptr) return 0;
  tctl_yylineno = 1;
  N_OF_EXTRA_CLOCKS = 0;
  if (tctl_parse_formula(in, sink) == 0) {
    tctl_print(sink, tctl_formula());
    is_simple_boolean_formula(tctl_formula());
    validate(tctl_formula());
    if (N_OF_EXTRA_CLOCKS > 2) __builtin_trap();
  }
  fclose(in);
  tctl_free(TCTL_FORMULA);
  TCTL_FORMULA = nullptr;
  return 0;
}
