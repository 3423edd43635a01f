// Helpers of the clock-reduction tests: a model compiled from text in a
// scratch directory, the analyses run on it, and their results as text.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "../tg_test_helpers.h"
#include "clockpare/activ.h"
#include "clockpare/clockpare_options.h"
#include "clockpare/equal.h"
#include "clockpare/optim.h"

namespace cp_test {

// Releases the analyses' tables while N_OF_STATES still counts them.
inline void release_analyses() {
  free_clock_set_table(activity_table);
  free_clock_set_table(new_activity);
  free_clock_rel_table(equality_table);
  free_clock_rel_table(new_equality);
  free_clock_renaming_table(clock_ren_table);
  activity_table = new_activity = nullptr;
  equality_table = new_equality = nullptr;
  clock_ren_table = nullptr;
  nb_act_iter = nb_equ_iter = 0;
}

class Model : public tg_test::ScratchDir {
 protected:
  void TearDown() override {
    release_analyses();
    OPT_SET = OPT_ACTIVITY | OPT_EQUALITY;
    tg_test::ScratchDir::TearDown();
  }
  // Compiles `text` as model "m" and runs the whole reduction under the
  // option word `options`; returns what it printed.
  std::string reduce(const std::string &text, uint32_t options = OPT_ACTIVITY | OPT_EQUALITY) {
    testing::internal::CaptureStderr();
    int r = tg_test::compile_text(text);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(r, 0) << err;
    OPT_SET = options;
    testing::internal::CaptureStdout();
    optim_tg();
    return testing::internal::GetCapturedStdout();
  }
};

// Text written by f(stream).
template <typename F>
std::string print_to_string(F f) {
  char *buf = nullptr;
  size_t len = 0;
  FILE *stream = open_memstream(&buf, &len);
  f(stream);
  fclose(stream);
  std::string s(buf, len);
  free(buf);
  return s;
}

// The members of a clock set as fprint_clock_set writes them.
inline std::string set_text(const unsigned char *s) {
  return print_to_string([&](FILE *f) { fprint_clock_set(f, s); });
}

// Active clocks of location s.
inline std::string act(int s) { return set_text(activity_table[s]); }

// "X<=Y" style list of the pairs of clocks from 1 in a relation, "i,j" by index.
inline std::string pairs(const clock_rel r) {
  std::string out;
  for (int i = 1; i < N_OF_CLOCKS; i++)
    for (int j = 1; j < N_OF_CLOCKS; j++)
      if (i != j && is_elem_in_clock_rel(i, j, r)) out += std::string(clocks_names[i]) + "<=" + clocks_names[j] + " ";
  return out;
}

// The renaming vector of location s, entries 1.. as digits.
inline std::string ren(int s) {
  std::string out = std::to_string(clock_ren_table[s]->n) + ":";
  for (int x = 1; x < N_OF_CLOCKS; x++) out += " " + std::to_string(clock_ren_table[s]->vector[x]);
  return out;
}

}  // namespace cp_test
