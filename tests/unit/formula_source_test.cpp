// The current name in scopes, the file helpers that say what they do on
// failure, and formulas read from their source (a file or a text of the
// command line) without touching the current name.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/tctl/tctl_main.h"
#include "formula_scratch.h"
#include "common/tctl/tctl_tg_link.h"
#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "varnok/run_context.h"
#include "varnok/varnok_formula.h"

namespace {

class Scratch : public FormulaScratch {
 protected:
  void SetUp() override {
    FormulaScratch::SetUp();
    snprintf(my_filename, sizeof my_filename, "%s", "model");
  }
  void TearDown() override {
    set_output_prefix("");
    FormulaScratch::TearDown();
  }
};

#define STDOUT_TO_STDERR dup2(fileno(stderr), fileno(stdout))

using NameScope = Scratch;

TEST_F(NameScope, SetsTheNameForOnePhaseAndPutsTheOldOneBack) {
  {
    name_scope outer(std::string("first"));
    EXPECT_STREQ(my_filename, "first");
    {
      char name[] = "second.tg";
      name_scope inner(name, ".tg");
      EXPECT_STREQ(name, "second");  // stripped in place, as my_basename does
      EXPECT_STREQ(my_filename, "second");
      EXPECT_EQ(my_result_path(".sim"), "second.sim");
    }
    EXPECT_STREQ(my_filename, "first");
  }
  EXPECT_STREQ(my_filename, "model");
  const std::string longest(MAX_NAME_LEN, 'n');
  {
    name_scope fits(longest);
    EXPECT_EQ(std::string(my_filename), longest);
  }
  EXPECT_EXIT((STDOUT_TO_STDERR, name_scope(longest + "x")), testing::ExitedWithCode(1), "^varnok: name too long\n$");
}

using OpenHelpers = Scratch;

TEST_F(OpenHelpers, SayWhatTheyDoOnFailure) {
  ASSERT_EQ(mkdir("d", 0755), 0);
  // A folder that does not exist: null, or the message and the status asked for.
  EXPECT_EQ(open_output_or_null("none/x.eval", "w"), nullptr);
  EXPECT_EQ(open_current_or_null(".nothing", "r"), nullptr);
  EXPECT_EXIT((STDOUT_TO_STDERR, open_output_or_exit("none/x.eval", "w", 1)), testing::ExitedWithCode(1),
              "^varnok: cannot open file none/x.eval\n$");
  EXPECT_EXIT((STDOUT_TO_STDERR, open_current_or_exit(".nothing", "r")), testing::ExitedWithCode(255),
              "^varnok: cannot open file model.nothing\n$");
  set_output_prefix("P");
  EXPECT_EXIT((STDOUT_TO_STDERR, name_scope("none/m"), open_current_result_or_exit(".sim", "w")),
              testing::ExitedWithCode(255), "^varnok: cannot open file none/Pm.sim\n$");
  // The old names are the same helpers.
  FILE *f = my_fopen2_result(".sim", "w");
  ASSERT_NE(f, nullptr);
  fputs("x\n", f);
  close_output(f);
  EXPECT_TRUE(exists("Pmodel.sim"));
  EXPECT_EXIT((STDOUT_TO_STDERR, fatal(stdout, 3, "%s: %d\n", tool, 42)), testing::ExitedWithCode(3), "^varnok: 42\n$");
}

using FormulaSource = Scratch;

TEST_F(FormulaSource, ATextIsParsedFromItselfAndTheNameIsLeftAlone) {
  // The file holds another formula: the text of the command line counts.
  write("_reach.tctl", "p and q\n");
  run_context run;
  run.formula_texts = {{"_reach.tctl", "p\n"}, {"_init.tctl", "init\n"}, {"_reach.tctl", "ED r\n"}};
  set_output_prefix("P");
  char name[64] = "_reach.tctl";
  const formula_source source = formula_named(run, name);
  EXPECT_STREQ(name, "_reach");
  EXPECT_TRUE(source.from_text);
  EXPECT_EQ(source.base, "_reach");
  EXPECT_EQ(source.shown(), "P_reach.tctl");  // where the text was written
  EXPECT_EQ(construct_formula(source), 0);
  EXPECT_EQ(formula_text(), "(EDR)");  // the last text written there
  EXPECT_STREQ(my_filename, "model");
  EXPECT_FALSE(exists("P_reach.err"));

  // A name that no text was written to is its file.
  write("goal.tctl", "AD{<3} q\n");
  char goal[64] = "goal";
  const formula_source file = formula_named(run, goal);
  EXPECT_FALSE(file.from_text);
  EXPECT_EQ(file.shown(), "goal.tctl");
  EXPECT_EQ(construct_formula(file), 1);
  EXPECT_EQ(RESIZE_REGIONS, 1);
  EXPECT_STREQ(my_filename, "model");

  // Found: a text without its file, a file; not found: neither.
  char text_only[64] = "_init", missing[64] = "missing.tctl", there[64] = "goal.tctl";
  EXPECT_TRUE(is_formula_filename(run, text_only));
  EXPECT_TRUE(is_formula_filename(run, there));
  EXPECT_FALSE(is_formula_filename(run, missing));
  EXPECT_STREQ(missing, "missing");
  EXPECT_STREQ(my_filename, "model");
}

TEST_F(FormulaSource, ErrorsNameTheFormulaAndItsReport) {
  set_output_prefix("P");
  const formula_source text = formula_source::given("_form.tctl", "p q");
  EXPECT_EXIT(construct_formula(text), testing::ExitedWithCode(255),
              "^parse error at line 1, near `Q'\nP_form.tctl:1: parse error 'Q'\n$");
  EXPECT_TRUE(exists("P_form.err"));
  EXPECT_FALSE(exists("_form.tctl"));  // the text is not read back from a file
  EXPECT_EXIT((STDOUT_TO_STDERR, construct_formula(formula_source::file("missing"))), testing::ExitedWithCode(1),
              "^varnok: cannot open file missing.tctl\n$");
  write("d.tctl", "p\n");
  ASSERT_EQ(mkdir("Pd.err", 0755), 0);
  EXPECT_EXIT((STDOUT_TO_STDERR, construct_formula(formula_source::file("d"))), testing::ExitedWithCode(1),
              "^varnok: cannot open file Pd.err\n$");
}

}  // namespace
