#include "common/tctl/tctl_syntax.h"

#include <cstdlib>
#include <cstring>

#include "common/util/my_files.h"

namespace {

// Operand layout per kind: 'f' child formula, 'n' name, 'i' integer.
const char *const LAYOUT[TCTL_LAST_KIND + 1] = {
    "i",    "",       "n",  "n",    "n",      "n",   "",     "nn",     // 0-7: leaves, minus
    "fi",   "fi",     "fi", "fi",   "fi",                              // 8-12: comparisons
    "f",    "ff",     "ff", "ff",   "f",      "nf",                    // 13-18
    "ff",   "fiif",   "fiiiif",     "ff",     "fiif", "fiiiif",        // 19-24: EU, AU
    "f",    "fii",    "fiiii",      "f",      "fii",  "fiiii",         // 25-30: ED, AD
    "f",    "fii",    "fiiii",      "f",      "fii",  "fiiii",         // 31-36: EB, AB
};

// Operator text of the temporal kinds 19 to 36, by kind.
const char *temporal_name(int32_t kind) {
  static const char *const NAMES[] = {"EU", "AU", "ED", "AD", "EB", "AB"};
  return NAMES[(kind - TCTL_EU) / 3];
}

[[noreturn]] void ast_error() {
  printf("%s: unexpected error in abstract syntax tree\n", tool);
  exit(1);
}

tctl_node *new_node(int32_t kind) {
  auto *n = static_cast<tctl_node *>(calloc(1, sizeof(tctl_node)));
  if (n == nullptr) out_of_memory();
  n->kind = kind;
  n->depth = 1;
  return n;
}

char *copy_name(const char *name) {
  char *s = strdup(name);
  if (s == nullptr) out_of_memory();
  return s;
}

int32_t depth_of(const tctl_node *f) { return f == nullptr ? 0 : f->depth; }

// Stores child formula `f` as operand i and raises the node's depth.
void set_child(tctl_node *n, int i, tctl_node *f) {
  n->op[i].f = f;
  if (depth_of(f) + 1 > n->depth) n->depth = depth_of(f) + 1;
}

tctl_node *leaf_name(int32_t kind, const char *name) {
  tctl_node *n = new_node(kind);
  n->op[0].name = copy_name(name);
  return n;
}

tctl_node *unary(int32_t kind, tctl_node *f) {
  tctl_node *n = new_node(kind);
  set_child(n, 0, f);
  return n;
}

tctl_node *binary(int32_t kind, tctl_node *f1, tctl_node *f2) {
  tctl_node *n = new_node(kind);
  set_child(n, 0, f1);
  set_child(n, 1, f2);
  return n;
}

tctl_node *comparison(int32_t kind, tctl_node *term, int32_t c) {
  tctl_node *n = unary(kind, term);
  n->op[1].value = c;
  return n;
}

tctl_node *bounded_until(int32_t kind, tctl_node *f1, int32_t bound, int32_t c, tctl_node *f2) {
  tctl_node *n = new_node(kind);
  set_child(n, 0, f1);
  n->op[1].value = bound;
  n->op[2].value = c;
  set_child(n, 3, f2);
  return n;
}

tctl_node *interval_until(int32_t kind, tctl_node *f1, int32_t b1, int32_t c1, int32_t c2, int32_t b2,
                          tctl_node *f2) {
  tctl_node *n = new_node(kind);
  set_child(n, 0, f1);
  n->op[1].value = b1;
  n->op[2].value = c1;
  n->op[3].value = c2;
  n->op[4].value = b2;
  set_child(n, 5, f2);
  return n;
}

tctl_node *bounded_unary(int32_t kind, tctl_node *f, int32_t bound, int32_t c) {
  tctl_node *n = unary(kind, f);
  n->op[1].value = bound;
  n->op[2].value = c;
  return n;
}

tctl_node *interval_unary(int32_t kind, tctl_node *f, int32_t b1, int32_t c1, int32_t c2, int32_t b2) {
  tctl_node *n = unary(kind, f);
  n->op[1].value = b1;
  n->op[2].value = c1;
  n->op[3].value = c2;
  n->op[4].value = b2;
  return n;
}

// Returns f when it is a node of `kind`, else ends the process.
const tctl_node *expect(const tctl_node *f, int32_t kind) {
  if (f == nullptr || f->kind != kind) ast_error();
  return f;
}

}  // namespace

tctl_node *tctl_state(int32_t location) {
  tctl_node *n = new_node(TCTL_STATE);
  n->op[0].value = location;
  return n;
}
tctl_node *tctl_init() { return new_node(TCTL_INIT); }
tctl_node *tctl_clock(const char *clock) { return leaf_name(TCTL_CLOCK, clock); }
tctl_node *tctl_after(const char *word) { return leaf_name(TCTL_AFTER, word); }
tctl_node *tctl_enable(const char *label) { return leaf_name(TCTL_ENABLE, label); }
tctl_node *tctl_prop(const char *prop) { return leaf_name(TCTL_PROP, prop); }
tctl_node *tctl_NonZeno() { return new_node(TCTL_NONZENO); }
tctl_node *tctl_minus(const char *x, const char *y) {
  tctl_node *n = leaf_name(TCTL_MINUS, x);
  n->op[1].name = copy_name(y);
  return n;
}
tctl_node *tctl_leq(tctl_node *term, int32_t c) { return comparison(TCTL_LEQ, term, c); }
tctl_node *tctl_geq(tctl_node *term, int32_t c) { return comparison(TCTL_GEQ, term, c); }
tctl_node *tctl_lt(tctl_node *term, int32_t c) { return comparison(TCTL_LT, term, c); }
tctl_node *tctl_gt(tctl_node *term, int32_t c) { return comparison(TCTL_GT, term, c); }
tctl_node *tctl_eq(tctl_node *term, int32_t c) { return comparison(TCTL_EQ, term, c); }
tctl_node *tctl_clock_constraint(tctl_node *cmp) { return unary(TCTL_CLOCK_CONSTRAINT, cmp); }
tctl_node *tctl_and(tctl_node *f1, tctl_node *f2) { return binary(TCTL_AND, f1, f2); }
tctl_node *tctl_or(tctl_node *f1, tctl_node *f2) { return binary(TCTL_OR, f1, f2); }
tctl_node *tctl_impl(tctl_node *f1, tctl_node *f2) { return binary(TCTL_IMPL, f1, f2); }
tctl_node *tctl_not(tctl_node *f) { return unary(TCTL_NOT, f); }
tctl_node *tctl_reset(const char *clock, tctl_node *f) {
  tctl_node *n = leaf_name(TCTL_RESET, clock);
  set_child(n, 1, f);
  return n;
}

#define TCTL_DEFINE_UNTIL(OP)                                                                        \
  tctl_node *tctl_##OP(tctl_node *f1, tctl_node *f2) { return binary(TCTL_##OP, f1, f2); }           \
  tctl_node *tctl_##OP##B(tctl_node *f1, int32_t bound, int32_t c, tctl_node *f2) {                   \
    return bounded_until(TCTL_##OP##B, f1, bound, c, f2);                                            \
  }                                                                                                  \
  tctl_node *tctl_##OP##I(tctl_node *f1, int32_t b1, int32_t c1, int32_t c2, int32_t b2,            \
                          tctl_node *f2) {                                                           \
    return interval_until(TCTL_##OP##I, f1, b1, c1, c2, b2, f2);                                     \
  }                                                                                                  \
  tctl_node *tctl_get_##OP##_1(const tctl_node *f) { return expect(f, TCTL_##OP)->op[0].f; }        \
  tctl_node *tctl_get_##OP##_2(const tctl_node *f) { return expect(f, TCTL_##OP)->op[1].f; }        \
  tctl_node *tctl_get_##OP##B_1(const tctl_node *f) { return expect(f, TCTL_##OP##B)->op[0].f; }    \
  int32_t tctl_get_##OP##B_bound(const tctl_node *f) { return expect(f, TCTL_##OP##B)->op[1].value; } \
  int32_t tctl_get_##OP##B_constant(const tctl_node *f) {                                            \
    return expect(f, TCTL_##OP##B)->op[2].value;                                                     \
  }                                                                                                  \
  tctl_node *tctl_get_##OP##B_2(const tctl_node *f) { return expect(f, TCTL_##OP##B)->op[3].f; }    \
  tctl_node *tctl_get_##OP##I_1(const tctl_node *f) { return expect(f, TCTL_##OP##I)->op[0].f; }    \
  int32_t tctl_get_##OP##I_bound1(const tctl_node *f) {                                              \
    return expect(f, TCTL_##OP##I)->op[1].value;                                                     \
  }                                                                                                  \
  int32_t tctl_get_##OP##I_constant1(const tctl_node *f) {                                           \
    return expect(f, TCTL_##OP##I)->op[2].value;                                                     \
  }                                                                                                  \
  int32_t tctl_get_##OP##I_constant2(const tctl_node *f) {                                           \
    return expect(f, TCTL_##OP##I)->op[3].value;                                                     \
  }                                                                                                  \
  int32_t tctl_get_##OP##I_bound2(const tctl_node *f) {                                              \
    return expect(f, TCTL_##OP##I)->op[4].value;                                                     \
  }                                                                                                  \
  tctl_node *tctl_get_##OP##I_2(const tctl_node *f) { return expect(f, TCTL_##OP##I)->op[5].f; }

#define TCTL_DEFINE_UNARY(OP)                                                                        \
  tctl_node *tctl_##OP(tctl_node *f) { return unary(TCTL_##OP, f); }                                \
  tctl_node *tctl_##OP##B(tctl_node *f, int32_t bound, int32_t c) {                                  \
    return bounded_unary(TCTL_##OP##B, f, bound, c);                                                 \
  }                                                                                                  \
  tctl_node *tctl_##OP##I(tctl_node *f, int32_t b1, int32_t c1, int32_t c2, int32_t b2) {           \
    return interval_unary(TCTL_##OP##I, f, b1, c1, c2, b2);                                          \
  }                                                                                                  \
  tctl_node *tctl_get_##OP##_1(const tctl_node *f) { return expect(f, TCTL_##OP)->op[0].f; }        \
  tctl_node *tctl_get_##OP##B_1(const tctl_node *f) { return expect(f, TCTL_##OP##B)->op[0].f; }    \
  int32_t tctl_get_##OP##B_bound(const tctl_node *f) { return expect(f, TCTL_##OP##B)->op[1].value; } \
  int32_t tctl_get_##OP##B_constant(const tctl_node *f) {                                            \
    return expect(f, TCTL_##OP##B)->op[2].value;                                                     \
  }                                                                                                  \
  tctl_node *tctl_get_##OP##I_1(const tctl_node *f) { return expect(f, TCTL_##OP##I)->op[0].f; }    \
  int32_t tctl_get_##OP##I_bound1(const tctl_node *f) {                                              \
    return expect(f, TCTL_##OP##I)->op[1].value;                                                     \
  }                                                                                                  \
  int32_t tctl_get_##OP##I_constant1(const tctl_node *f) {                                           \
    return expect(f, TCTL_##OP##I)->op[2].value;                                                     \
  }                                                                                                  \
  int32_t tctl_get_##OP##I_constant2(const tctl_node *f) {                                           \
    return expect(f, TCTL_##OP##I)->op[3].value;                                                     \
  }                                                                                                  \
  int32_t tctl_get_##OP##I_bound2(const tctl_node *f) {                                              \
    return expect(f, TCTL_##OP##I)->op[4].value;                                                     \
  }

TCTL_DEFINE_UNTIL(EU)
TCTL_DEFINE_UNTIL(AU)
TCTL_DEFINE_UNARY(ED)
TCTL_DEFINE_UNARY(AD)
TCTL_DEFINE_UNARY(EB)
TCTL_DEFINE_UNARY(AB)

int32_t tctl_get_state(const tctl_node *f) { return expect(f, TCTL_STATE)->op[0].value; }
char *tctl_get_clock(const tctl_node *f) { return expect(f, TCTL_CLOCK)->op[0].name; }
char *tctl_get_after(const tctl_node *f) { return expect(f, TCTL_AFTER)->op[0].name; }
char *tctl_get_enable(const tctl_node *f) { return expect(f, TCTL_ENABLE)->op[0].name; }
char *tctl_get_prop(const tctl_node *f) { return expect(f, TCTL_PROP)->op[0].name; }
char *tctl_get_minus_clock_x(const tctl_node *f) { return expect(f, TCTL_MINUS)->op[0].name; }
char *tctl_get_minus_clock_y(const tctl_node *f) { return expect(f, TCTL_MINUS)->op[1].name; }
tctl_node *tctl_get_leq_1(const tctl_node *f) { return expect(f, TCTL_LEQ)->op[0].f; }
tctl_node *tctl_get_geq_1(const tctl_node *f) { return expect(f, TCTL_GEQ)->op[0].f; }
tctl_node *tctl_get_lt_1(const tctl_node *f) { return expect(f, TCTL_LT)->op[0].f; }
tctl_node *tctl_get_gt_1(const tctl_node *f) { return expect(f, TCTL_GT)->op[0].f; }
tctl_node *tctl_get_eq_1(const tctl_node *f) { return expect(f, TCTL_EQ)->op[0].f; }
int32_t tctl_get_leq_constant(const tctl_node *f) { return expect(f, TCTL_LEQ)->op[1].value; }
int32_t tctl_get_geq_constant(const tctl_node *f) { return expect(f, TCTL_GEQ)->op[1].value; }
int32_t tctl_get_lt_constant(const tctl_node *f) { return expect(f, TCTL_LT)->op[1].value; }
int32_t tctl_get_gt_constant(const tctl_node *f) { return expect(f, TCTL_GT)->op[1].value; }
int32_t tctl_get_eq_constant(const tctl_node *f) { return expect(f, TCTL_EQ)->op[1].value; }
tctl_node *tctl_get_clock_constraint(const tctl_node *f) {
  return expect(f, TCTL_CLOCK_CONSTRAINT)->op[0].f;
}
tctl_node *tctl_get_and_1(const tctl_node *f) { return expect(f, TCTL_AND)->op[0].f; }
tctl_node *tctl_get_and_2(const tctl_node *f) { return expect(f, TCTL_AND)->op[1].f; }
tctl_node *tctl_get_or_1(const tctl_node *f) { return expect(f, TCTL_OR)->op[0].f; }
tctl_node *tctl_get_or_2(const tctl_node *f) { return expect(f, TCTL_OR)->op[1].f; }
tctl_node *tctl_get_impl_1(const tctl_node *f) { return expect(f, TCTL_IMPL)->op[0].f; }
tctl_node *tctl_get_impl_2(const tctl_node *f) { return expect(f, TCTL_IMPL)->op[1].f; }
tctl_node *tctl_get_not(const tctl_node *f) { return expect(f, TCTL_NOT)->op[0].f; }
char *tctl_get_reset_clock(const tctl_node *f) { return expect(f, TCTL_RESET)->op[0].name; }
tctl_node *tctl_get_reset_1(const tctl_node *f) { return expect(f, TCTL_RESET)->op[1].f; }

void tctl_print_bound(FILE *stream, int32_t kind) {
  static const char *const RELATIONS[] = {"<", "<=", ">", ">=", "="};
  if (kind >= 0 && kind <= 4) fputs(RELATIONS[kind], stream);
}

void tctl_print_interv(FILE *stream, int32_t kind) {
  if (kind == 0 || kind == 3) fputs("[", stream);
  else if (kind == 1 || kind == 2) fputs("]", stream);
  else if (kind == 4) ast_error();
}

namespace {

const char *comparison_text(int32_t kind) {
  static const char *const TEXTS[] = {"<=", ">=", "<", ">", "="};
  return TEXTS[kind - TCTL_LEQ];
}

// Writes "{rel c}" of a bounded operator whose bound kind is operand i.
void print_bound_part(FILE *stream, const tctl_node *f, int i) {
  fputs("{", stream);
  tctl_print_bound(stream, f->op[i].value);
  fprintf(stream, "%d}", f->op[i + 1].value);
}

// Writes the interval "L c1,c2 R" of an interval operator whose lower kind is operand i.
void print_interval_part(FILE *stream, const tctl_node *f, int i) {
  tctl_print_interv(stream, f->op[i].value);
  fprintf(stream, "%d,%d", f->op[i + 1].value, f->op[i + 2].value);
  tctl_print_interv(stream, f->op[i + 3].value);
}

void print_temporal(FILE *stream, const tctl_node *f) {
  int32_t k = f->kind;
  int variant = (k - TCTL_EU) % 3;  // 0 unbounded, 1 bounded, 2 interval
  bool until = k <= TCTL_AUI;
  fputs("(", stream);
  if (until) tctl_print(stream, f->op[0].f);
  fputs(temporal_name(k), stream);
  if (variant == 1) print_bound_part(stream, f, 1);
  if (variant == 2) print_interval_part(stream, f, 1);
  if (!until) tctl_print(stream, f->op[0].f);
  else tctl_print(stream, f->op[variant == 0 ? 1 : variant == 1 ? 3 : 5].f);
  fputs(")", stream);
}

}  // namespace

void tctl_print(FILE *stream, const tctl_node *f) {
  static const char *const CONNECTIVES[] = {"and", "or", "impl"};
  if (f == nullptr) {
    fputs("true", stream);
    return;
  }
  switch (f->kind) {
    case TCTL_STATE: fprintf(stream, "S%d", f->op[0].value); return;
    case TCTL_INIT: fputs("init", stream); return;
    case TCTL_CLOCK:
    case TCTL_PROP: fputs(f->op[0].name, stream); return;
    case TCTL_AFTER: fprintf(stream, "after(%s)", f->op[0].name); return;
    case TCTL_ENABLE: fprintf(stream, "enable(%s)", f->op[0].name); return;
    case TCTL_NONZENO: fputs("NonZeno", stream); return;
    case TCTL_MINUS: fprintf(stream, "%s-%s", f->op[0].name, f->op[1].name); return;
    case TCTL_LEQ:
    case TCTL_GEQ:
    case TCTL_LT:
    case TCTL_GT:
    case TCTL_EQ:
      fputs("(", stream);
      tctl_print(stream, f->op[0].f);
      fprintf(stream, "%s%d)", comparison_text(f->kind), f->op[1].value);
      return;
    case TCTL_CLOCK_CONSTRAINT: tctl_print(stream, f->op[0].f); return;
    case TCTL_AND:
    case TCTL_OR:
    case TCTL_IMPL:
      fputs("(", stream);
      tctl_print(stream, f->op[0].f);
      fputs(CONNECTIVES[f->kind - TCTL_AND], stream);
      tctl_print(stream, f->op[1].f);
      fputs(")", stream);
      return;
    case TCTL_NOT:
      fputs("(not", stream);
      tctl_print(stream, f->op[0].f);
      fputs(")", stream);
      return;
    case TCTL_RESET:
      fprintf(stream, "(%s.", f->op[0].name);
      tctl_print(stream, f->op[1].f);
      fputs(")", stream);
      return;
    default:
      if (f->kind >= TCTL_EU && f->kind <= TCTL_LAST_KIND) {
        print_temporal(stream, f);
        return;
      }
      printf("tctl_syntax: bad argument\n");
      exit(1);
  }
}

int is_simple_boolean_formula(const tctl_node *f) {
  if (f == nullptr) return 1;
  switch (f->kind) {
    case TCTL_STATE:
    case TCTL_INIT:
    case TCTL_PROP: return 1;
    case TCTL_AND:
    case TCTL_OR:
    case TCTL_IMPL: return is_simple_boolean_formula(f->op[0].f) && is_simple_boolean_formula(f->op[1].f);
    case TCTL_NOT: return is_simple_boolean_formula(f->op[0].f);
    case TCTL_ENABLE:
    case TCTL_NONZENO:
    case TCTL_CLOCK_CONSTRAINT:
    case TCTL_RESET: return 0;
    default:
      if (f->kind >= TCTL_EU && f->kind <= TCTL_LAST_KIND) return 0;
      fprintf(stderr, "Warning: unknown formula type.\n");
      return 0;
  }
}

const char *tctl_layout(int kind) { return LAYOUT[kind]; }

void tctl_free(tctl_node *f) {
  if (f == nullptr) return;
  if (f->kind >= 0 && f->kind <= TCTL_LAST_KIND) {
    const char *layout = LAYOUT[f->kind];
    for (int i = 0; layout[i] != '\0'; i++) {
      if (layout[i] == 'f') tctl_free(f->op[i].f);
      else if (layout[i] == 'n') free(f->op[i].name);
    }
  }
  free(f);
}
