// Option letters of the formula renaming tool, which speaks as the
// clock-reduction tool and starts with no option set.
#include <gtest/gtest.h>

#include <cstring>

#include "clockpare/clockpare_options.h"
#include "common/util/my_files.h"
#include "formremap/formremap_options.h"

namespace {

TEST(FormremapOptions, LettersNameAndStart) {
  EXPECT_EQ(OPT_SET, 0u);
  EXPECT_STREQ(tool, "formremap");
  EXPECT_STREQ(Date, VARNOK_BUILD_DATE);
  for (const char *good : {"-", "-r", "-rr", "-h", "-rh"}) EXPECT_EQ(is_formremap_option(good), 1) << good;
  for (const char *bad : {"-x", "-ra", "-R", "-r-", "--"}) EXPECT_EQ(is_formremap_option(bad), 0) << bad;
  set_formremap_options("-");
  EXPECT_EQ(OPT_SET, 0u);
  set_formremap_options("-rr");
  EXPECT_EQ(is_option(OPT_PRINT_REN), OPT_PRINT_REN);
  EXPECT_EQ(OPT_SET, OPT_PRINT_REN);
  OPT_SET = 0;
}

TEST(FormremapOptions, HelpEndsTheProgram) {
  EXPECT_EXIT(
      {
        set_formremap_options("-rh");
        exit(0);
      },
      testing::ExitedWithCode(1), "");
  testing::internal::CaptureStdout();
  print_formremap_help();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "usage: formremap [-h] [-r] file[.tctl] file[.opt]\n"
            "\t\t -h: print this information and exit\n"
            "\t\t -r: print the new renaming\n");
}

}  // namespace
