// The compiled model files: tables read back equal the tables built by the
// parser, and damaged files are refused without crashing.
#include <gtest/gtest.h>

#include <string>

#include "tg_test_helpers.h"

using namespace tg_test;

using TgCompiled = ScratchDir;

static std::string example(const char *name) {
  std::string here = __FILE__;
  return read_file(here.substr(0, here.rfind("/tests/")) + "/examples/" + name);
}

TEST_F(TgCompiled, ReadBackEqualsParsed) {
  for (const char *name : {"train_gate.tg", "fischer.tg", "sensor.tg"}) {
    SCOPED_TRACE(name);
    std::string text = example(name);
    ASSERT_FALSE(text.empty());
    testing::internal::CaptureStderr();
    ASSERT_EQ(compile_text(text), 0);
    testing::internal::GetCapturedStderr();
    std::string parsed = snapshot();
    ASSERT_EQ(read_compiled(), 1);
    EXPECT_EQ(snapshot(), parsed);
  }
}

TEST_F(TgCompiled, RegionsReadAgainWithExtraClocks) {
  ASSERT_EQ(compile_text("#states 1 #trans 1 #clocks 2 x y\n"
                         "state: 0 invar: x <= 3 trans: y - x < 2 and x > 1 => ; ; goto 0\n"),
            0);
  std::string before = region_text(list_reg[1]) + " | " + region_text(list_reg[2]);
  N_OF_EXTRA_CLOCKS = 2;
  ASSERT_EQ(read_compiled(), 1);
  EXPECT_EQ(N_OF_CLOCKS, 5);
  EXPECT_STREQ(clocks_names[3], "_ex1");
  EXPECT_EQ(region_text(list_reg[1]) + " | " + region_text(list_reg[2]), before);
  // The added clocks are free but bounded by the others' bounds (closed).
  zone *z = list_reg[1]->zones[0];
  EXPECT_EQ(z->bounds[1][3], z->bounds[1][0]);
  EXPECT_EQ(z->bounds[3][0], INF_BOUND);
  EXPECT_EQ(z->bounds[0][4], ZERO_LE);
}

// After a parse, a formula with extra clocks makes init_tg read the regions
// again with room for them; the rest of the tables stays as parsed.
TEST_F(TgCompiled, InitAfterParseResizesTheRegions) {
  ASSERT_EQ(compile_text("#states 2 #trans 2 #clocks 2 x y\n"
                         "state: 0 invar: x <= 3 trans: y - x < 2 and x > 1 => a ; reset{ y } ; goto 1\n"
                         "state: 1 invar: true trans: x = y => b ; ; goto 0\n"),
            0);
  std::string parsed = snapshot();
  trans_rec *t0 = trans_table[0];
  N_OF_EXTRA_CLOCKS = 1;
  RESIZE_REGIONS = 1;
  READ_STRUCT = 0;
  testing::internal::CaptureStdout();
  init_tg();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "varnok: reading file m.vnk...\n");
  RESIZE_REGIONS = 0;
  EXPECT_EQ(N_OF_CLOCKS, 4);
  EXPECT_EQ(trans_table[0], t0);
  // Only the clocks differ: the regions print the same.
  std::string expected = parsed;
  expected.replace(expected.find("clocks 3"), 8, "clocks 4");
  expected.replace(expected.find("\nX Y \n"), 6, "\nX Y _ex1 \n");
  EXPECT_EQ(snapshot(), expected);
}

TEST_F(TgCompiled, TooManyClocksWithTheFormulasExtraClocks) {
  std::string clocks;
  for (int i = 0; i < 254; i++) clocks += " c" + std::to_string(i);
  ASSERT_EQ(compile_text("#states 1 #trans 0 #clocks" + clocks + "\nstate: 0 invar: true trans:\n"), 0);
  N_OF_EXTRA_CLOCKS = 1;
  clear_tg_tables();
  FILE *vnk = my_fopen(".vnk", "rb");
  testing::internal::CaptureStderr();
  EXPECT_EQ(try_read_header(vnk), -1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("too many clocks"), std::string::npos);
  fclose(vnk);
}

// Every proper prefix of every file is refused; so is every file with a byte
// changed, unless the change keeps it a valid file (then it must load).
TEST_F(TgCompiled, DamagedFilesAreRefused) {
  ASSERT_EQ(compile_text("#states 2 #trans 3 #clocks 2 x y #sync go\n"
                         "state: 0 prop: init invar: x <= 2 trans: x = 2 => go ; reset{ x } ; goto 1\n"
                         "  y - x > 1 =U> back ; y := x ; goto 0\n"
                         "state: 1 invar: true trans: E: x > 1 or y < 2 => back ; ; goto 0\n"),
            0);
  for (const char *suffix : {".vnk", ".prop", ".lab", ".reg"}) {
    SCOPED_TRACE(suffix);
    std::string good = read_file(std::string("m") + suffix);
    for (size_t n = 0; n < good.size(); n++) {
      write_file(std::string("m") + suffix, good.substr(0, n));
      EXPECT_EQ(read_compiled(), 0) << "prefix of " << n << " bytes";
    }
    for (size_t i = 0; i < good.size(); i++) {
      for (int delta : {1, 0x80}) {
        std::string bad = good;
        bad[i] = static_cast<char>(bad[i] ^ delta);
        write_file(std::string("m") + suffix, bad);
        read_compiled();  // either result, but no crash and no leak
      }
    }
    write_file(std::string("m") + suffix, good + "x");
    EXPECT_EQ(read_compiled(), 0) << "byte left over";
    write_file(std::string("m") + suffix, good);
  }
  EXPECT_EQ(read_compiled(), 1);
}
