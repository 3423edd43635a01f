// File naming, timers and numbered messages.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <utime.h>

#include "common/util/my_files.h"
#include "common/util/stattime.h"
#include "common/util/suffix.h"
#include "common/util/varnok_error.h"

TEST(Suffix, DeleteAppendReplace) {
  char a[64] = "train.tg.tg";
  delete_suffix(a, ".tg");
  EXPECT_STREQ(a, "train.tg");  // only the last occurrence goes
  char b[64] = "tg";
  delete_suffix(b, ".tg");  // shorter than the suffix: unchanged
  EXPECT_STREQ(b, "tg");
  char c[64] = "train";
  EXPECT_EQ(append_suffix(c, ".vnk", c), 9);
  EXPECT_STREQ(c, "train.vnk");
  char d[64];
  replace_suffix(d, "f.tctl", ".tctl", ".eval");
  EXPECT_STREQ(d, "f.eval");
}

TEST(MyFiles, Basename) {
  char a[64] = "train.tg";
  my_basename(a, ".tg");
  EXPECT_STREQ(a, "train");
  EXPECT_STREQ(my_filename, "train");
  char b[64] = "train";
  my_basename(b, ".tg");
  EXPECT_STREQ(my_filename, "train");
  char c[64] = ".tg";
  my_basename(c, ".tg");
  EXPECT_STREQ(my_filename, "");
  std::string longest(255, 'a');
  my_basename(longest.data(), ".tg");
  EXPECT_EQ(strlen(my_filename), 255u);
}

TEST(MyFilesDeath, BasenameTooLong) {
  std::string name(256, 'a');
  EXPECT_EXIT(my_basename(name.data(), ".tg"), testing::ExitedWithCode(1), "");
}

TEST(MyFiles, StatComparesWholeSeconds) {
  char dir[] = "/tmp/varnok_statXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string a = std::string(dir) + "/a", b = std::string(dir) + "/b";
  FILE *fa = fopen(a.c_str(), "w"), *fb = fopen(b.c_str(), "w");
  ASSERT_TRUE(fa && fb);
  struct utimbuf t1 {1000, 1000}, t2{2000, 2000};
  utime(a.c_str(), &t1);
  utime(b.c_str(), &t1);
  EXPECT_EQ(my_stat(fa, fb), 0);  // same second
  utime(b.c_str(), &t2);
  EXPECT_EQ(my_stat(fa, fb), 1);
  EXPECT_EQ(my_stat(fb, fa), 0);
  fclose(fa);
  fclose(fb);
  unlink(a.c_str());
  unlink(b.c_str());
  rmdir(dir);
}

TEST(MyFiles, OpenAndUnlinkUseCurrentName) {
  char dir[] = "/tmp/varnok_openXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string base = std::string(dir) + "/m.tg";
  my_basename(base.data(), ".tg");
  EXPECT_EQ(my_fopen(".x", "r"), nullptr);
  FILE *f = my_fopen(".x", "w");
  ASSERT_NE(f, nullptr);
  fclose(f);
  my_unlink(".x");
  EXPECT_EQ(my_fopen(".x", "r"), nullptr);
  EXPECT_EXIT(my_fopen2(".x", "r"), testing::ExitedWithCode(255), "");
  rmdir(dir);
}

TEST(Timers, CountsStartsNotRestarts) {
  time_0(4, "T");
  time_C(4);
  time_C(4);  // already running: not counted again
  time_R(4);
  time_R(4);
  EXPECT_EQ(time_num(4), 1);
  EXPECT_GE(time_usr(4), 0.0);
  time_0(4, nullptr);
  EXPECT_EQ(time_num(4), 0);
}

TEST(TimersDeath, IllegalIndex) {
  EXPECT_EXIT(time_C(17), testing::ExitedWithCode(255), "ERROR: illegal timer 17");
}

TEST(Messages, UnknownCodeAndArguments) {
  testing::internal::CaptureStderr();
  printerr(16, -1);
  printerr(3, 4, 1, 2, -1);
  printerr(8, 300, -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            std::string(tool) + ": I don't know error code 16\n" + tool +
                ": Warning: transition 4 from 1 to 2 is not enabled, I ignored it\n" + tool +
                ": ERROR: the number of states must be less than 300\n");
}

// Runs in a fresh copy of the program, so that no timer has a name yet.
static int print_timers_in_fresh_process() {
  FILE *f = tmpfile();
  if (f == nullptr) return 2;
  time_P(f);
  time_0(7, "Seven");
  time_S(7, f);
  time_0(3, nullptr);  // a timer without a name prints no line
  time_S(3, f);
  rewind(f);
  std::string got;
  for (int c; (c = fgetc(f)) != EOF;) got += static_cast<char>(c);
  const std::string rule(71, '-');
  const std::string want = "\n" + rule + "\n" +
                           "*                            Statistics                               *\n" + rule + "\n" +
                           "\n" + rule + "\n" + "               Seven: \tsystem   0.000s , user   0.000s , call number 0\n" +
                           rule + "\n" + "\n" + rule + "\n" + rule + "\n";
  return got == want ? 0 : 1;
}

TEST(TimersDeath, PrintsHeadersAndNamedTimersOnly) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(exit(print_timers_in_fresh_process()), testing::ExitedWithCode(0), "");
}
