// Formula files: construct_formula parses base.tctl, handles base.err and
// reports the extra clocks.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/tctl/tctl_main.h"
#include "formula_scratch.h"
#include "common/tctl/tctl_tg_link.h"
#include "common/util/my_files.h"
#include "varnok/varnok_main.h"

namespace {

// Runs each test in a fresh directory with fresh parser state.
using FormulaFile = FormulaScratch;

#define STDOUT_TO_STDERR dup2(fileno(stderr), fileno(stdout))

}  // namespace

TEST_F(FormulaFile, ParsesAndCountsExtraClocks) {
  write("safe.tctl", "init impl AB not error\n");
  char name[64] = "safe.tctl";
  char base[64] = "";
  EXPECT_EQ(construct_formula(name, base), 0);
  EXPECT_STREQ(name, "safe");
  EXPECT_STREQ(base, "safe");
  EXPECT_STREQ(my_filename, "safe");
  EXPECT_EQ(formula_text(), "(initimpl(AB(notERROR)))");
  EXPECT_FALSE(exists("safe.err"));
  EXPECT_EQ(RESIZE_REGIONS, 0);

  // A second formula in the same run: the count carries over and only grows.
  write("live.tctl", "p AU q\n");
  char live[64] = "live";
  EXPECT_EQ(construct_formula(live, live), 1);
  EXPECT_EQ(RESIZE_REGIONS, 1);
  write("bound.tctl", "AD{>2} p\n");
  char bound[64] = "bound";
  EXPECT_EQ(construct_formula(bound, base), 2);
  EXPECT_EQ(formula_text(), "(AD{>2}P)");
  EXPECT_STREQ(base, "bound");
}

// The compiler-style line counts the lines of the file itself.
TEST_F(FormulaFile, LineNumbersContinueInTheSecondFile) {
  write("init.tctl", "init\n\n");
  char init[64] = "init";
  construct_formula(init, init);
  write("goal.tctl", "p\nq\n");
  char goal[64] = "goal";
  EXPECT_EXIT(construct_formula(goal, goal), testing::ExitedWithCode(255), "^parse error at line 4, near `Q'\ngoal.tctl:2: parse error 'Q'\n$");
}

TEST_F(FormulaFile, SyntaxErrorLeavesTheErrFile) {
  write("bad.tctl", "p q\n");
  char name[64] = "bad";
  EXPECT_EXIT(construct_formula(name, name), testing::ExitedWithCode(255), "^parse error at line 1, near `Q'\nbad.tctl:1: parse error 'Q'\n$");
  EXPECT_TRUE(exists("bad.err"));
}

TEST_F(FormulaFile, FilesThatCannotBeOpened) {
  char missing[64] = "missing";
  EXPECT_EXIT((STDOUT_TO_STDERR, construct_formula(missing, missing)), testing::ExitedWithCode(1),
              "^varnok: cannot open file missing.tctl\n$");
  write("d.tctl", "p\n");
  ASSERT_EQ(mkdir("d.err", 0755), 0);
  char d[64] = "d";
  EXPECT_EXIT((STDOUT_TO_STDERR, construct_formula(d, d)), testing::ExitedWithCode(1),
              "^varnok: cannot open file d.err\n$");
}
