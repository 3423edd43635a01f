// A test fixture for the formula readers: each test runs in a fresh
// directory with fresh parser state, and can write files and print the
// parsed formula.
#pragma once

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/tctl/tctl_main.h"
#include "common/tctl/tctl_tg_link.h"

class FormulaScratch : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(getcwd(old_dir_, sizeof old_dir_), nullptr);
    char tmpl[] = "/tmp/formula_scratch_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    tctl_yylineno = 1;
    N_OF_EXTRA_CLOCKS = 0;
    RESIZE_REGIONS = 0;
  }
  void TearDown() override {
    tctl_free(TCTL_FORMULA);
    TCTL_FORMULA = nullptr;
    ASSERT_EQ(chdir(old_dir_), 0);
    std::string cmd = "rm -rf " + dir_;
    ASSERT_EQ(system(cmd.c_str()), 0);
  }
  static void write(const char *path, const char *text) {
    FILE *f = fopen(path, "w");
    ASSERT_NE(f, nullptr);
    fputs(text, f);
    fclose(f);
  }
  static bool exists(const char *path) {
    struct stat st;
    return stat(path, &st) == 0;
  }
  // The formula last parsed, as tctl_print writes it.
  static std::string formula_text() {
    char *buf = nullptr;
    size_t len = 0;
    FILE *out = open_memstream(&buf, &len);
    tctl_print(out, tctl_formula());
    fclose(out);
    std::string s(buf, len);
    free(buf);
    return s;
  }

  char old_dir_[PATH_MAX];
  std::string dir_;
};
