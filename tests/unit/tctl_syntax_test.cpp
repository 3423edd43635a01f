// Formula syntax tree: print forms, accessors and their kind checks,
// simple boolean formulas.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "common/tctl/tctl_syntax.h"

namespace {

std::string printed(const tctl_node *f) {
  char *buf = nullptr;
  size_t len = 0;
  FILE *out = open_memstream(&buf, &len);
  tctl_print(out, f);
  fclose(out);
  std::string s(buf, len);
  free(buf);
  return s;
}

// Prints and frees.
std::string consume(tctl_node *f) {
  std::string s = printed(f);
  tctl_free(f);
  return s;
}

}  // namespace

TEST(TctlSyntax, PrintFormsOfEveryKind) {
  EXPECT_EQ(consume(nullptr), "true");
  EXPECT_EQ(consume(tctl_state(4)), "S4");
  EXPECT_EQ(consume(tctl_init()), "init");
  EXPECT_EQ(consume(tctl_clock("X")), "X");
  EXPECT_EQ(consume(tctl_after("W")), "after(W)");
  EXPECT_EQ(consume(tctl_enable("TICK")), "enable(TICK)");
  EXPECT_EQ(consume(tctl_prop("P")), "P");
  EXPECT_EQ(consume(tctl_NonZeno()), "NonZeno");
  EXPECT_EQ(consume(tctl_minus("X", "Y")), "X-Y");
  EXPECT_EQ(consume(tctl_leq(tctl_clock("X"), 5)), "(X<=5)");
  EXPECT_EQ(consume(tctl_geq(tctl_clock("X"), -1)), "(X>=-1)");
  EXPECT_EQ(consume(tctl_lt(tctl_minus("X", "Y"), 2)), "(X-Y<2)");
  EXPECT_EQ(consume(tctl_gt(tctl_clock("X"), 0)), "(X>0)");
  EXPECT_EQ(consume(tctl_eq(tctl_clock("X"), 7)), "(X=7)");
  EXPECT_EQ(consume(tctl_not(tctl_clock_constraint(tctl_gt(tctl_minus("X", "Y"), 3)))), "(not(X-Y>3))");
  EXPECT_EQ(consume(tctl_and(tctl_prop("P"), tctl_prop("Q"))), "(PandQ)");
  EXPECT_EQ(consume(tctl_or(nullptr, tctl_init())), "(trueorinit)");
  EXPECT_EQ(consume(tctl_impl(tctl_prop("P"), nullptr)), "(Pimpltrue)");
  EXPECT_EQ(consume(tctl_reset("Z", tctl_prop("P"))), "(Z.P)");
  EXPECT_EQ(consume(tctl_EU(tctl_prop("P"), tctl_prop("Q"))), "(PEUQ)");
  EXPECT_EQ(consume(tctl_EUB(tctl_prop("P"), TCTL_BOUND_LE, 10, tctl_prop("Q"))), "(PEU{<=10}Q)");
  EXPECT_EQ(consume(tctl_EUI(tctl_prop("P"), TCTL_BOUND_GT, 2, 5, TCTL_BOUND_LE, tctl_prop("Q"))), "(PEU]2,5]Q)");
  EXPECT_EQ(consume(tctl_AU(tctl_prop("P"), tctl_prop("Q"))), "(PAUQ)");
  EXPECT_EQ(consume(tctl_AUB(tctl_prop("P"), TCTL_BOUND_EQ, 3, tctl_prop("Q"))), "(PAU{=3}Q)");
  EXPECT_EQ(consume(tctl_AUI(tctl_prop("P"), TCTL_BOUND_GE, 0, 5, TCTL_BOUND_LT, tctl_prop("Q"))), "(PAU[0,5[Q)");
  EXPECT_EQ(consume(tctl_ED(tctl_prop("P"))), "(EDP)");
  EXPECT_EQ(consume(tctl_EDB(tctl_prop("P"), TCTL_BOUND_GT, 1)), "(ED{>1}P)");
  EXPECT_EQ(consume(tctl_EDI(tctl_prop("P"), TCTL_BOUND_GE, 1, 2, TCTL_BOUND_LE)), "(ED[1,2]P)");
  EXPECT_EQ(consume(tctl_AD(tctl_prop("P"))), "(ADP)");
  EXPECT_EQ(consume(tctl_ADB(tctl_prop("P"), TCTL_BOUND_GE, 3)), "(AD{>=3}P)");
  EXPECT_EQ(consume(tctl_ADI(tctl_prop("P"), TCTL_BOUND_GE, 0, 5, TCTL_BOUND_LT)), "(AD[0,5[P)");
  EXPECT_EQ(consume(tctl_EB(tctl_prop("P"))), "(EBP)");
  EXPECT_EQ(consume(tctl_EBB(tctl_prop("P"), TCTL_BOUND_LT, 4)), "(EB{<4}P)");
  EXPECT_EQ(consume(tctl_EBI(tctl_prop("P"), TCTL_BOUND_GT, 0, 4, TCTL_BOUND_LT)), "(EB]0,4[P)");
  EXPECT_EQ(consume(tctl_AB(nullptr)), "(ABtrue)");
  EXPECT_EQ(consume(tctl_ABB(tctl_prop("P"), TCTL_BOUND_LE, 9)), "(AB{<=9}P)");
  EXPECT_EQ(consume(tctl_ABI(tctl_prop("P"), TCTL_BOUND_GT, 1, 9, TCTL_BOUND_LE)), "(AB]1,9]P)");
}

TEST(TctlSyntax, BoundAndBracketPrinting) {
  char *buf = nullptr;
  size_t len = 0;
  FILE *out = open_memstream(&buf, &len);
  for (int k = -1; k <= 5; k++) tctl_print_bound(out, k);
  fputs("|", out);
  for (int k = 0; k <= 3; k++) tctl_print_interv(out, k);
  fclose(out);
  EXPECT_STREQ(buf, "<<=>>==|[]][");
  free(buf);
}

TEST(TctlSyntax, AccessorsReturnOperandsInOrder) {
  tctl_node *f = tctl_AUI(tctl_prop("P"), TCTL_BOUND_GT, 2, 7, TCTL_BOUND_LT, tctl_EUB(nullptr, 4, 9, tctl_init()));
  EXPECT_STREQ(tctl_get_prop(tctl_get_AUI_1(f)), "P");
  EXPECT_EQ(tctl_get_AUI_bound1(f), TCTL_BOUND_GT);
  EXPECT_EQ(tctl_get_AUI_constant1(f), 2);
  EXPECT_EQ(tctl_get_AUI_constant2(f), 7);
  EXPECT_EQ(tctl_get_AUI_bound2(f), TCTL_BOUND_LT);
  tctl_node *eub = tctl_get_AUI_2(f);
  EXPECT_EQ(tctl_get_EUB_1(eub), nullptr);
  EXPECT_EQ(tctl_get_EUB_bound(eub), 4);
  EXPECT_EQ(tctl_get_EUB_constant(eub), 9);
  EXPECT_EQ(tctl_get_EUB_2(eub)->kind, TCTL_INIT);
  EXPECT_EQ(f->kind, 24);
  EXPECT_EQ(f->depth, 3);
  tctl_free(f);

  f = tctl_clock_constraint(tctl_lt(tctl_minus("X", "Y"), -3));
  tctl_node *cmp = tctl_get_clock_constraint(f);
  EXPECT_STREQ(tctl_get_minus_clock_x(tctl_get_lt_1(cmp)), "X");
  EXPECT_STREQ(tctl_get_minus_clock_y(tctl_get_lt_1(cmp)), "Y");
  EXPECT_EQ(tctl_get_lt_constant(cmp), -3);
  tctl_free(f);

  f = tctl_reset("Z", tctl_ABB(tctl_state(2), 1, 6));
  EXPECT_STREQ(tctl_get_reset_clock(f), "Z");
  tctl_node *abb = tctl_get_reset_1(f);
  EXPECT_EQ(tctl_get_state(tctl_get_ABB_1(abb)), 2);
  EXPECT_EQ(tctl_get_ABB_bound(abb), 1);
  EXPECT_EQ(tctl_get_ABB_constant(abb), 6);
  tctl_free(f);

  // Names are copied into the node.
  char name[] = "P";
  f = tctl_prop(name);
  name[0] = 'Q';
  EXPECT_STREQ(tctl_get_prop(f), "P");
  tctl_free(f);
}

TEST(TctlSyntax, SimpleBooleanFormulas) {
  auto simple = [](tctl_node *f) {
    int r = is_simple_boolean_formula(f);
    tctl_free(f);
    return r;
  };
  EXPECT_EQ(simple(nullptr), 1);
  EXPECT_EQ(simple(tctl_and(tctl_init(), tctl_not(tctl_prop("P")))), 1);
  EXPECT_EQ(simple(tctl_impl(tctl_state(1), tctl_or(tctl_prop("P"), nullptr))), 1);
  EXPECT_EQ(simple(tctl_and(tctl_init(), tctl_clock_constraint(tctl_lt(tctl_clock("X"), 3)))), 0);
  EXPECT_EQ(simple(tctl_or(tctl_prop("P"), tctl_enable("A"))), 0);
  EXPECT_EQ(simple(tctl_NonZeno()), 0);
  EXPECT_EQ(simple(tctl_reset("X", tctl_prop("P"))), 0);
  EXPECT_EQ(simple(tctl_not(tctl_EU(tctl_prop("P"), tctl_prop("Q")))), 0);
  EXPECT_EQ(simple(tctl_ABI(tctl_prop("P"), 2, 0, 1, 1)), 0);
  // A bare term or comparison is not a formula: warning, answer 0.
  testing::internal::CaptureStderr();
  EXPECT_EQ(simple(tctl_not(tctl_clock("X"))), 0);
  EXPECT_EQ(simple(tctl_leq(tctl_clock("X"), 1)), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning: unknown formula type.\nWarning: unknown formula type.\n");
}

// The messages go to standard output: the death statements send it to
// standard error, where the death test looks.
#define STDOUT_TO_STDERR dup2(fileno(stderr), fileno(stdout))

TEST(TctlSyntaxDeath, KindChecks) {
  const char *ast = "varnok: unexpected error in abstract syntax tree\n";
  tctl_node *au = tctl_AU(tctl_prop("P"), tctl_prop("Q"));
  EXPECT_EXIT((STDOUT_TO_STDERR, tctl_get_EU_1(au)), testing::ExitedWithCode(1), ast);
  EXPECT_EXIT((STDOUT_TO_STDERR, tctl_get_AUB_bound(au)), testing::ExitedWithCode(1), ast);
  EXPECT_EXIT((STDOUT_TO_STDERR, tctl_get_prop(nullptr)), testing::ExitedWithCode(1), ast);
  EXPECT_EXIT((STDOUT_TO_STDERR, tctl_print_interv(stderr, 4)), testing::ExitedWithCode(1), ast);
  tctl_node bad{};
  bad.kind = 37;
  EXPECT_EXIT((STDOUT_TO_STDERR, tctl_print(stderr, &bad)), testing::ExitedWithCode(1), "tctl_syntax: bad argument\n");
  tctl_free(au);
}
