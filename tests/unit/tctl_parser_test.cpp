// Scanner and parser of TCTL formulas: binding, normal forms, bound kinds,
// extra clocks, comments, line numbers and errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/tctl/tctl_main.h"
#include "common/tctl/tctl_syntax.h"
#include "common/tctl/tctl_tg_link.h"

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

struct Parse {
  int result;
  std::string tree;  // tctl_print of the parsed formula
  std::string err;   // standard error during the parse
  std::string echo;  // what the scanner copied to its echo stream
  int extra;         // N_OF_EXTRA_CLOCKS afterwards
};

// Parses `text` as a whole formula file, with line numbers from 1 and the
// extra-clock count starting at `extra`. The tree is freed afterwards.
Parse parse(const std::string &text, uint16_t extra = 0, bool fresh_lines = true) {
  if (fresh_lines) tctl_yylineno = 1;
  N_OF_EXTRA_CLOCKS = extra;
  tctl_free(TCTL_FORMULA);
  TCTL_FORMULA = nullptr;
  FILE *in = tmpfile();
  fwrite(text.data(), 1, text.size(), in);
  rewind(in);
  FILE *echo = tmpfile();
  testing::internal::CaptureStderr();
  Parse p;
  p.result = tctl_parse_formula(in, echo);
  p.err = testing::internal::GetCapturedStderr();
  p.tree = printed(TCTL_FORMULA);
  p.extra = N_OF_EXTRA_CLOCKS;
  long n = ftell(echo);
  rewind(echo);
  p.echo.resize(static_cast<size_t>(n));
  if (n > 0) {
    EXPECT_EQ(fread(p.echo.data(), 1, p.echo.size(), echo), p.echo.size());
  }
  fclose(in);
  fclose(echo);
  tctl_free(TCTL_FORMULA);
  TCTL_FORMULA = nullptr;
  return p;
}

// Tree of a formula that must parse without any message.
std::string tree(const std::string &text) {
  Parse p = parse(text);
  EXPECT_EQ(p.result, 0) << text;
  EXPECT_EQ(p.err, "") << text;
  return p.tree;
}

int extra_clocks(const std::string &text) {
  Parse p = parse(text);
  EXPECT_EQ(p.result, 0) << text << "\n" << p.err;
  return p.extra;
}

}  // namespace

TEST(TctlParser, BindingStrengths) {
  // Unbounded unary operators take the smallest formula on their right.
  EXPECT_EQ(tree("ED p AU q"), "((EDP)AUQ)");
  EXPECT_EQ(tree("AB p EU q"), "((ABP)EUQ)");
  // AU binds tighter than EU; both are left associative.
  EXPECT_EQ(tree("p EU q AU r"), "(PEU(QAUR))");
  EXPECT_EQ(tree("p AU q EU r"), "((PAUQ)EUR)");
  EXPECT_EQ(tree("p EU q EU r"), "((PEUQ)EUR)");
  EXPECT_EQ(tree("p AU q AU r"), "((PAUQ)AUR)");
  // not, reset and the bounded forms reach over EU/AU but stop before and.
  EXPECT_EQ(tree("not p EU q"), "(not(PEUQ))");
  EXPECT_EQ(tree("not p and q"), "((notP)andQ)");
  EXPECT_EQ(tree("p EU{<5} q EU r"), "(PEU{<5}(QEUR))");
  EXPECT_EQ(tree("p EU{<5} q and r"), "((PEU{<5}Q)andR)");
  EXPECT_EQ(tree("AD{<=2} p AU q or r"), "((AD{<=2}(PAUQ))orR)");
  EXPECT_EQ(tree("EB[1,2] p EU q impl r"), "((EB[1,2](PEUQ))implR)");
  EXPECT_EQ(tree("x.p and q"), "((X.P)andQ)");
  EXPECT_EQ(tree("x.p EU q"), "(X.(PEUQ))");
  EXPECT_EQ(tree("init impl AB not error"), "(initimpl(AB(notERROR)))");
  EXPECT_EQ(tree("AB not p and q"), "((AB(notP))andQ)");
  // and before or before impl; impl is right associative.
  EXPECT_EQ(tree("p or q and r"), "(Por(QandR))");
  EXPECT_EQ(tree("p and q and r"), "((PandQ)andR)");
  EXPECT_EQ(tree("p or q or r"), "((PorQ)orR)");
  EXPECT_EQ(tree("p impl q impl r"), "(Pimpl(QimplR))");
  EXPECT_EQ(tree("p => q or r"), "(Pimpl(QorR))");
  EXPECT_EQ(tree("p and q EU r"), "(Pand(QEUR))");
  EXPECT_EQ(tree("(p impl q) and r"), "((PimplQ)andR)");
}

TEST(TctlParser, LeavesAndKeywords) {
  EXPECT_EQ(tree("true"), "true");
  EXPECT_EQ(tree("true and p"), "(trueandP)");
  EXPECT_EQ(tree("State(3)"), "S3");
  EXPECT_EQ(tree("STATE ( 3 )"), "S3");
  EXPECT_EQ(tree("state(3)"), "S3");
  EXPECT_EQ(tree("enable(tick)"), "enable(TICK)");
  EXPECT_EQ(tree("INIT or nonzeno"), "(initorNonZeno)");
  // Longest match first, keywords before names of the same length.
  EXPECT_EQ(tree("AUX AU aux"), "(AUXAUAUX)");
  EXPECT_EQ(tree("andy and notp"), "(ANDYandNOTP)");
  EXPECT_EQ(tree("true_1"), "TRUE_1");
  EXPECT_EQ(tree("a => b"), "(AimplB)");
}

TEST(TctlParser, ClockConstraintNormalForms) {
  EXPECT_EQ(tree("x <= 5"), "(X<=5)");
  EXPECT_EQ(tree("5 <= x"), "(X>=5)");
  EXPECT_EQ(tree("5 < x"), "(X>5)");
  EXPECT_EQ(tree("5 > x"), "(X<5)");
  EXPECT_EQ(tree("5 >= x"), "(X<=5)");
  EXPECT_EQ(tree("5 = x"), "(X=5)");
  EXPECT_EQ(tree("3 < x - y"), "(X-Y>3)");
  EXPECT_EQ(tree("x - y >= 2"), "(X-Y>=2)");
  EXPECT_EQ(tree("x + 3 < y"), "(X-Y<-3)");
  EXPECT_EQ(tree("3 + x <= y"), "(X-Y<=-3)");
  EXPECT_EQ(tree("x < 4 + y"), "(X-Y<4)");
  EXPECT_EQ(tree("x > y + 4"), "(X-Y>4)");
  EXPECT_EQ(tree("x = y"), "(X-Y=0)");
  EXPECT_EQ(tree("not (x - y > 3)"), "(not(X-Y>3))");
  EXPECT_EQ(tree("2<x"), "(X>2)");
  EXPECT_EQ(tree("x.y.(x<1 and y>=0)"), "(X.(Y.((X<1)and(Y>=0))))");
}

TEST(TctlParser, BoundedAndIntervalKinds) {
  EXPECT_EQ(tree("p EU{<=10} q"), "(PEU{<=10}Q)");
  EXPECT_EQ(tree("p AU{=3} q"), "(PAU{=3}Q)");
  EXPECT_EQ(tree("ED{>2} p"), "(ED{>2}P)");
  EXPECT_EQ(tree("AB{>=0} p"), "(AB{>=0}P)");
  EXPECT_EQ(tree("p EU]2,5] q"), "(PEU]2,5]Q)");
  EXPECT_EQ(tree("AD [0,5[ p"), "(AD[0,5[P)");
  // The kinds stored, not only their printed brackets.
  tctl_yylineno = 1;
  N_OF_EXTRA_CLOCKS = 0;
  FILE *in = tmpfile();
  fputs("(p EU]0,5[ q) and (p AU[0,5] q) and EB{<7} p and r", in);
  rewind(in);
  ASSERT_EQ(tctl_parse_formula(in, nullptr), 0);
  fclose(in);
  tctl_node *f = tctl_formula();
  tctl_node *eui = tctl_get_and_1(tctl_get_and_1(tctl_get_and_1(f)));
  EXPECT_EQ(tctl_get_EUI_bound1(eui), TCTL_BOUND_GT);
  EXPECT_EQ(tctl_get_EUI_constant1(eui), 0);
  EXPECT_EQ(tctl_get_EUI_constant2(eui), 5);
  EXPECT_EQ(tctl_get_EUI_bound2(eui), TCTL_BOUND_LT);
  tctl_node *aui = tctl_get_and_2(tctl_get_and_1(tctl_get_and_1(f)));
  EXPECT_EQ(tctl_get_AUI_bound1(aui), TCTL_BOUND_GE);
  EXPECT_EQ(tctl_get_AUI_bound2(aui), TCTL_BOUND_LE);
  tctl_node *ebb = tctl_get_and_2(tctl_get_and_1(f));
  EXPECT_EQ(tctl_get_EBB_bound(ebb), TCTL_BOUND_LT);
  EXPECT_EQ(tctl_get_EBB_constant(ebb), 7);
  tctl_free(TCTL_FORMULA);
  TCTL_FORMULA = nullptr;
}

TEST(TctlParser, ExtraClocks) {
  EXPECT_EQ(extra_clocks("true"), 0);
  EXPECT_EQ(extra_clocks("p EU q or ED p or AB p or x.p or x<3"), 0);
  EXPECT_EQ(extra_clocks("p EU{<=10} q"), 1);
  EXPECT_EQ(extra_clocks("NonZeno"), 1);
  EXPECT_EQ(extra_clocks("p AU q"), 1);
  EXPECT_EQ(extra_clocks("p AU{<3} q"), 1);
  EXPECT_EQ(extra_clocks("p AU{=3} q"), 1);
  EXPECT_EQ(extra_clocks("AD{<=3} p"), 1);
  EXPECT_EQ(extra_clocks("AB]1,2] p"), 1);
  EXPECT_EQ(extra_clocks("ED{=1} p"), 1);
  EXPECT_EQ(extra_clocks("AD p"), 2);
  EXPECT_EQ(extra_clocks("EB p"), 2);
  EXPECT_EQ(extra_clocks("p AU{>3} q"), 2);
  EXPECT_EQ(extra_clocks("AD{>=3} p"), 2);
  // The count only grows: a later one-clock operator keeps 2.
  EXPECT_EQ(extra_clocks("AD p and NonZeno"), 2);
  EXPECT_EQ(extra_clocks("NonZeno and AD p"), 2);
  // It starts from what an earlier parse left.
  EXPECT_EQ(parse("p EU{<1} q", 2).extra, 2);
  EXPECT_EQ(parse("p", 1).extra, 1);
}

TEST(TctlParser, CommentsAndBlanks) {
  EXPECT_EQ(tree("p /**/ and q"), "(PandQ)");
  EXPECT_EQ(tree("p /* a * b / c ** */ and q"), "(PandQ)");
  // "**" is one item, so "/***/" does not end at its last slash.
  EXPECT_EQ(tree("p /***/ or r */ and q"), "(PandQ)");
  EXPECT_EQ(tree("// first line\np\n// last line\n"), "P");
  EXPECT_EQ(tree("\tp\n\n  and\tq  "), "(PandQ)");
  // A line comment on the last line needs its newline: its text is scanned.
  Parse p = parse("p // q");
  EXPECT_NE(p.result, 0);
  EXPECT_EQ(p.err, "lexical error at line 1\nlexical error at line 1\nparse error at line 1, near `Q'\n");
  // An unclosed "/***/" is scanned as ordinary characters.
  p = parse("p /***/");
  EXPECT_EQ(p.result, 0);
  EXPECT_EQ(p.tree, "P");
  std::string five;
  for (int i = 0; i < 5; i++) five += "lexical error at line 1\n";
  EXPECT_EQ(p.err, five);
}

TEST(TctlParser, LexicalErrorsAndLineNumbers) {
  // Unknown characters are reported and skipped; the parse goes on.
  Parse p = parse("p\n# \nand r");
  EXPECT_EQ(p.result, 0);
  EXPECT_EQ(p.tree, "(PandR)");
  EXPECT_EQ(p.err, "lexical error at line 2\n");
  // CR-LF files: one lexical error per line, and the formula still parses.
  p = parse("p\r\nand\r\nq\r\n");
  EXPECT_EQ(p.result, 0);
  EXPECT_EQ(p.tree, "(PandQ)");
  EXPECT_EQ(p.err, "lexical error at line 1\nlexical error at line 2\nlexical error at line 3\n");
  EXPECT_EQ(p.echo, "");
  // Newlines inside comments count.
  p = parse("/* one\ntwo */ // three\n\n p q");
  EXPECT_EQ(p.err, "parse error at line 4, near `Q'\n");
}

TEST(TctlParser, SyntaxErrors) {
  // A formula followed by more text fails at the second name.
  Parse p = parse("p q");
  EXPECT_NE(p.result, 0);
  EXPECT_EQ(p.err, "parse error at line 1, near `Q'\n");
  EXPECT_EQ(p.tree, "true");  // the current formula is left alone
  p = parse("x -> 3");
  EXPECT_EQ(p.err, "parse error at line 1, near `>'\n");
  p = parse("x == 3");
  EXPECT_EQ(p.err, "parse error at line 1, near `='\n");
  p = parse("2x > 1");
  EXPECT_EQ(p.err, "parse error at line 1, near `X'\n");
  p = parse("_x");  // names cannot begin with "_": the "_" alone is skipped
  EXPECT_EQ(p.tree, "X");
  EXPECT_EQ(p.err, "lexical error at line 1\n");
  p = parse("");
  EXPECT_EQ(p.err, "parse error at line 1, near `'\n");
  p = parse("p EU{<x} q");
  EXPECT_EQ(p.err, "parse error at line 1, near `X'\n");
  p = parse("p EU[1,2 q");
  EXPECT_EQ(p.err, "parse error at line 1, near `Q'\n");
  // A failed parse leaves nothing behind for the next one.
  EXPECT_EQ(parse("(p and").result, 1);
  EXPECT_EQ(tree("q"), "Q");
}

TEST(TctlParser, TwoFormulasInOneRun) {
  tctl_yylineno = 1;
  N_OF_EXTRA_CLOCKS = 0;
  Parse first = parse("p\nAU q\n", 0, true);
  EXPECT_EQ(first.tree, "(PAUQ)");
  // Line numbers continue from the first text; the count starts from 1.
  Parse second = parse("\nED{<2} r r", first.extra, false);
  EXPECT_EQ(second.err, "parse error at line 4, near `R'\n");
  Parse third = parse("AD p", 1, false);
  EXPECT_EQ(third.tree, "(ADP)");
  EXPECT_EQ(third.extra, 2);
}

TEST(TctlParser, HugeIntegersSaturate) {
  Parse p = parse("x < 99999999999999999999");
  EXPECT_EQ(p.result, 0);
  EXPECT_EQ(p.tree, "(X<2147483647)");
  EXPECT_EQ(p.err, "warning: integer too large, 2147483647 used at line 1, near `99999999999999999999'\n");
  EXPECT_EQ(tree("x < 2147483647"), "(X<2147483647)");
  EXPECT_EQ(tree("x + 2147483647 < y"), "(X-Y<-2147483647)");
  p = parse("state(2147483648)");
  EXPECT_EQ(p.tree, "S2147483647");
}

TEST(TctlParser, DeepNesting) {
  // Nesting within the parser stack parses.
  std::string nots;
  for (int i = 0; i < 5000; i++) nots += "not ";
  EXPECT_EQ(parse(nots + "p").result, 0);
  // Deeper nesting overflows the stack: an error, never a crash.
  std::string parens(20000, '(');
  Parse p = parse(parens + "p");
  EXPECT_NE(p.result, 0);
  EXPECT_EQ(p.err, "parser stack overflow at line 1, near `('\n");
  // Long "and" chains need no stack but are refused beyond the same depth.
  std::string chain = "p";
  for (int i = 0; i < 10050; i++) chain += " and p";
  p = parse(chain);
  EXPECT_NE(p.result, 0);
  EXPECT_EQ(p.err, "formula nested too deeply at line 1, near `and'\n");
  chain = "p";
  for (int i = 0; i < 9000; i++) chain += " and p";
  EXPECT_EQ(parse(chain).result, 0);
}

TEST(TctlParserDeath, MkFormulaExitsOnSyntaxError) {
  FILE *in = tmpfile();
  fputs("p q", in);
  rewind(in);
  EXPECT_EXIT(tctl_mk_formula(in, nullptr), testing::ExitedWithCode(255), "parse error at line 1, near `Q'");
  fclose(in);
}

TEST(TctlParserDeath, TokenLongerThanTheBuffer) {
  std::string name(20000, 'a');
  FILE *in = tmpfile();
  fputs(name.c_str(), in);
  rewind(in);
  EXPECT_EXIT(tctl_parse_formula(in, nullptr), testing::ExitedWithCode(2),
              "input buffer overflow, can't enlarge buffer because scanner uses REJECT");
  fclose(in);
}
