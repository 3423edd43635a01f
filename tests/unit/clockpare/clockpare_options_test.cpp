// Option letters of the clock-reduction tool.
#include <gtest/gtest.h>

#include "clockpare/clockpare_constants.h"
#include "clockpare/clockpare_options.h"
#include "common/util/my_files.h"

namespace {

TEST(ClockpareOptions, LettersApplyFromLeftToRight) {
  const uint32_t start = OPT_SET;
  EXPECT_EQ(start, OPT_ACTIVITY | OPT_EQUALITY);
  EXPECT_STREQ(tool, "clockpare");
  for (const char *good : {"-", "-aergAEsSld", "-h"}) EXPECT_EQ(is_simple_option(good), 1) << good;
  for (const char *bad : {"-x", "-ax", "-R", "-a-", "--"}) EXPECT_EQ(is_simple_option(bad), 0) << bad;
  set_simple_options("-S");
  EXPECT_EQ(OPT_SET, start | OPT_SIM);
  set_simple_options("-aerg");
  EXPECT_EQ(OPT_SET, start | OPT_SIM | OPT_PRINT_ACT | OPT_PRINT_EQU | OPT_PRINT_REN | OPT_GEN_TG);
  OPT_SET = start;
  set_simple_options("-AEld");
  EXPECT_EQ(OPT_SET, OPT_LINEAR | OPT_ACT_INIT);
  EXPECT_EQ(is_option(OPT_ACTIVITY | OPT_LINEAR), OPT_LINEAR);
  OPT_SET = start;
}

TEST(ClockpareOptions, HelpEndsTheProgram) {
  EXPECT_EXIT(
      {
        set_simple_options("-ah");
        exit(0);
      },
      testing::ExitedWithCode(1), "");
}

}  // namespace
