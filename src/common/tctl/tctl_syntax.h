// Syntax tree of TCTL formulas: one node per operator, with up to six operands.
//
// A formula is either the empty formula (a null pointer, meaning "true") or a
// node. Nodes are built by the constructors below, never shared between two
// parents, and live until the process ends (tctl_free exists only for tools
// that parse many formulas, such as the fuzz target).
#pragma once

#include <cstdint>
#include <cstdio>

// Node kinds; the numbers are fixed, evaluators switch on them.
enum tctl_kind : int32_t {
  TCTL_STATE = 0,
  TCTL_INIT = 1,
  TCTL_CLOCK = 2,
  TCTL_AFTER = 3,
  TCTL_ENABLE = 4,
  TCTL_PROP = 5,
  TCTL_NONZENO = 6,
  TCTL_MINUS = 7,
  TCTL_LEQ = 8,
  TCTL_GEQ = 9,
  TCTL_LT = 10,
  TCTL_GT = 11,
  TCTL_EQ = 12,
  TCTL_CLOCK_CONSTRAINT = 13,
  TCTL_AND = 14,
  TCTL_OR = 15,
  TCTL_IMPL = 16,
  TCTL_NOT = 17,
  TCTL_RESET = 18,
  TCTL_EU = 19,
  TCTL_EUB = 20,
  TCTL_EUI = 21,
  TCTL_AU = 22,
  TCTL_AUB = 23,
  TCTL_AUI = 24,
  TCTL_ED = 25,
  TCTL_EDB = 26,
  TCTL_EDI = 27,
  TCTL_AD = 28,
  TCTL_ADB = 29,
  TCTL_ADI = 30,
  TCTL_EB = 31,
  TCTL_EBB = 32,
  TCTL_EBI = 33,
  TCTL_AB = 34,
  TCTL_ABB = 35,
  TCTL_ABI = 36,
};
constexpr int TCTL_LAST_KIND = 36;

// Bound kinds of bounded and interval operators.
enum tctl_bound_kind : int32_t {
  TCTL_BOUND_LT = 0,  // "<"
  TCTL_BOUND_LE = 1,  // "<="
  TCTL_BOUND_GT = 2,  // ">"
  TCTL_BOUND_GE = 3,  // ">="
  TCTL_BOUND_EQ = 4,  // "="
};

struct tctl_node;

// One operand word: a child formula, a name (upper case, owned by the node),
// or an integer (constant, location number or bound kind).
union tctl_operand {
  tctl_node *f;
  char *name;
  int32_t value;
};

struct tctl_node {
  int32_t kind;
  tctl_operand op[6];
  // Height of the tree below and including this node (a leaf has 1); lets
  // the parser refuse trees too deep for the recursive walkers.
  int32_t depth;
};

// Constructors. Each returns a new node owned by the caller (normally the
// parent node). Names are copied; child formulas are taken over and may be
// null (the empty formula). Allocation failure prints "not enough memory"
// and exits with status 1.
tctl_node *tctl_state(int32_t location);
tctl_node *tctl_init();
tctl_node *tctl_clock(const char *clock);
tctl_node *tctl_after(const char *word);
tctl_node *tctl_enable(const char *label);
tctl_node *tctl_prop(const char *prop);
tctl_node *tctl_NonZeno();
tctl_node *tctl_minus(const char *x, const char *y);
// Comparisons of a term (kind 2 or 7) with a constant.
tctl_node *tctl_leq(tctl_node *term, int32_t c);
tctl_node *tctl_geq(tctl_node *term, int32_t c);
tctl_node *tctl_lt(tctl_node *term, int32_t c);
tctl_node *tctl_gt(tctl_node *term, int32_t c);
tctl_node *tctl_eq(tctl_node *term, int32_t c);
// Wraps a comparison (kind 8 to 12).
tctl_node *tctl_clock_constraint(tctl_node *comparison);
tctl_node *tctl_and(tctl_node *f1, tctl_node *f2);
tctl_node *tctl_or(tctl_node *f1, tctl_node *f2);
tctl_node *tctl_impl(tctl_node *f1, tctl_node *f2);
tctl_node *tctl_not(tctl_node *f);
tctl_node *tctl_reset(const char *clock, tctl_node *f);
// Until: unbounded, bounded by (bound kind, constant), interval given by
// (lower kind 2 or 3, lower constant, upper constant, upper kind 0 or 1).
tctl_node *tctl_EU(tctl_node *f1, tctl_node *f2);
tctl_node *tctl_EUB(tctl_node *f1, int32_t bound, int32_t c, tctl_node *f2);
tctl_node *tctl_EUI(tctl_node *f1, int32_t bound1, int32_t c1, int32_t c2, int32_t bound2, tctl_node *f2);
tctl_node *tctl_AU(tctl_node *f1, tctl_node *f2);
tctl_node *tctl_AUB(tctl_node *f1, int32_t bound, int32_t c, tctl_node *f2);
tctl_node *tctl_AUI(tctl_node *f1, int32_t bound1, int32_t c1, int32_t c2, int32_t bound2, tctl_node *f2);
// Unary temporal operators, with the same bound and interval operands.
tctl_node *tctl_ED(tctl_node *f);
tctl_node *tctl_EDB(tctl_node *f, int32_t bound, int32_t c);
tctl_node *tctl_EDI(tctl_node *f, int32_t bound1, int32_t c1, int32_t c2, int32_t bound2);
tctl_node *tctl_AD(tctl_node *f);
tctl_node *tctl_ADB(tctl_node *f, int32_t bound, int32_t c);
tctl_node *tctl_ADI(tctl_node *f, int32_t bound1, int32_t c1, int32_t c2, int32_t bound2);
tctl_node *tctl_EB(tctl_node *f);
tctl_node *tctl_EBB(tctl_node *f, int32_t bound, int32_t c);
tctl_node *tctl_EBI(tctl_node *f, int32_t bound1, int32_t c1, int32_t c2, int32_t bound2);
tctl_node *tctl_AB(tctl_node *f);
tctl_node *tctl_ABB(tctl_node *f, int32_t bound, int32_t c);
tctl_node *tctl_ABI(tctl_node *f, int32_t bound1, int32_t c1, int32_t c2, int32_t bound2);

// Accessors. Each expects a non-null node of the kind in its name and
// returns one operand (children and names still belong to the node). A node
// of another kind prints "unexpected error in abstract syntax tree" on
// standard output and exits with status 1.
int32_t tctl_get_state(const tctl_node *f);
char *tctl_get_clock(const tctl_node *f);
char *tctl_get_after(const tctl_node *f);
char *tctl_get_enable(const tctl_node *f);
char *tctl_get_prop(const tctl_node *f);
char *tctl_get_minus_clock_x(const tctl_node *f);
char *tctl_get_minus_clock_y(const tctl_node *f);
tctl_node *tctl_get_leq_1(const tctl_node *f);
tctl_node *tctl_get_geq_1(const tctl_node *f);
tctl_node *tctl_get_lt_1(const tctl_node *f);
tctl_node *tctl_get_gt_1(const tctl_node *f);
tctl_node *tctl_get_eq_1(const tctl_node *f);
int32_t tctl_get_leq_constant(const tctl_node *f);
int32_t tctl_get_geq_constant(const tctl_node *f);
int32_t tctl_get_lt_constant(const tctl_node *f);
int32_t tctl_get_gt_constant(const tctl_node *f);
int32_t tctl_get_eq_constant(const tctl_node *f);
tctl_node *tctl_get_clock_constraint(const tctl_node *f);
tctl_node *tctl_get_and_1(const tctl_node *f);
tctl_node *tctl_get_and_2(const tctl_node *f);
tctl_node *tctl_get_or_1(const tctl_node *f);
tctl_node *tctl_get_or_2(const tctl_node *f);
tctl_node *tctl_get_impl_1(const tctl_node *f);
tctl_node *tctl_get_impl_2(const tctl_node *f);
tctl_node *tctl_get_not(const tctl_node *f);
char *tctl_get_reset_clock(const tctl_node *f);
tctl_node *tctl_get_reset_1(const tctl_node *f);

// Accessors of the temporal operators, declared per operator name OP:
// unbounded tctl_get_OP_1 (and _2 for the untils); bounded OPB: _1,
// _bound, _constant (and _2); interval OPI: _1, _bound1, _constant1,
// _constant2, _bound2 (and _2).
#define TCTL_DECLARE_UNTIL(OP)                                          \
  tctl_node *tctl_get_##OP##_1(const tctl_node *f);                     \
  tctl_node *tctl_get_##OP##_2(const tctl_node *f);                     \
  tctl_node *tctl_get_##OP##B_1(const tctl_node *f);                    \
  int32_t tctl_get_##OP##B_bound(const tctl_node *f);                   \
  int32_t tctl_get_##OP##B_constant(const tctl_node *f);                \
  tctl_node *tctl_get_##OP##B_2(const tctl_node *f);                    \
  tctl_node *tctl_get_##OP##I_1(const tctl_node *f);                    \
  int32_t tctl_get_##OP##I_bound1(const tctl_node *f);                  \
  int32_t tctl_get_##OP##I_constant1(const tctl_node *f);               \
  int32_t tctl_get_##OP##I_constant2(const tctl_node *f);               \
  int32_t tctl_get_##OP##I_bound2(const tctl_node *f);                  \
  tctl_node *tctl_get_##OP##I_2(const tctl_node *f);
#define TCTL_DECLARE_UNARY(OP)                                          \
  tctl_node *tctl_get_##OP##_1(const tctl_node *f);                     \
  tctl_node *tctl_get_##OP##B_1(const tctl_node *f);                    \
  int32_t tctl_get_##OP##B_bound(const tctl_node *f);                   \
  int32_t tctl_get_##OP##B_constant(const tctl_node *f);                \
  tctl_node *tctl_get_##OP##I_1(const tctl_node *f);                    \
  int32_t tctl_get_##OP##I_bound1(const tctl_node *f);                  \
  int32_t tctl_get_##OP##I_constant1(const tctl_node *f);               \
  int32_t tctl_get_##OP##I_constant2(const tctl_node *f);               \
  int32_t tctl_get_##OP##I_bound2(const tctl_node *f);
TCTL_DECLARE_UNTIL(EU)
TCTL_DECLARE_UNTIL(AU)
TCTL_DECLARE_UNARY(ED)
TCTL_DECLARE_UNARY(AD)
TCTL_DECLARE_UNARY(EB)
TCTL_DECLARE_UNARY(AB)
#undef TCTL_DECLARE_UNTIL
#undef TCTL_DECLARE_UNARY

// Writes the formula fully parenthesised with no blanks, e.g. (PandQ),
// (X<=5), (PEU]2,5]Q); the empty formula prints "true". A kind above 36
// prints "tctl_syntax: bad argument" on standard output and exits with 1.
void tctl_print(FILE *stream, const tctl_node *formula);

// Writes the relation of a bound kind: "<", "<=", ">", ">=", "=" for 0 to 4;
// other values write nothing.
void tctl_print_bound(FILE *stream, int32_t kind);

// Writes the bracket of an interval end: "[" for kinds 0 and 3, "]" for 1
// and 2; kind 4 is an error (abstract-syntax-tree message, exit status 1).
void tctl_print_interv(FILE *stream, int32_t kind);

// Returns 1 when the formula is built only from the empty formula, location,
// init and proposition leaves with and, or, impl and not; 0 as soon as it
// meets anything else. A bare term or comparison node, or an unknown kind,
// prints "Warning: unknown formula type." on standard error and gives 0.
int is_simple_boolean_formula(const tctl_node *formula);

// Operand layout of node kind `kind` (0..TCTL_LAST_KIND): one letter per
// operand, 'f' a child formula, 'n' a name, 'i' an integer.
const char *tctl_layout(int kind);

// Frees a whole formula (null is allowed). Only for programs that parse many
// formulas in one process; the model checker keeps its formulas until exit.
void tctl_free(tctl_node *formula);
