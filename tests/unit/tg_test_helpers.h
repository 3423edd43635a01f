// Helpers of the timed-graph tests: compiling a .tg text in a scratch
// directory and taking snapshots of the tables.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/region/region.h"
#include "common/region/region_read_write.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/tg/tg_to_smc_main.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_hash.h"

namespace tg_test {

// Each test runs in its own scratch directory, removed afterwards.
class ScratchDir : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tg_test_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    old_ = here;
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    N_OF_EXTRA_CLOCKS = 0;
  }
  void TearDown() override {
    clear_tg_tables();
    free_zone_table();
    N_OF_EXTRA_CLOCKS = 0;
    tg_exit_on_error = 1;
    EXPECT_EQ(chdir(old_.c_str()), 0);
    std::string cmd = "rm -rf " + dir_;
    EXPECT_EQ(system(cmd.c_str()), 0);
  }
  std::string dir_, old_;
};

inline void write_file(const std::string &path, const std::string &text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string read_file(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Compiles `text` as model "m" (tables built, compiled files written);
// returns tg_to_smc's result. Fatal model errors make it return non-zero.
inline int compile_text(const std::string &text) {
  clear_tg_tables();
  write_file("m.tg", text);
  char name[] = "m";
  my_basename(name, ".tg");
  FILE *in = my_fopen(".tg", "r");
  FILE *err = my_fopen(".err", "w");
  tg_exit_on_error = 0;
  testing::internal::CaptureStdout();
  int r = tg_to_smc(in, nullptr, err);
  testing::internal::GetCapturedStdout();
  tg_exit_on_error = 1;
  fclose(in);
  fclose(err);
  return r;
}

// Reads the compiled files of "m" into fresh tables; the readers' result.
inline int read_compiled() {
  clear_tg_tables();
  FILE *vnk = my_fopen(".vnk", "rb"), *prop = my_fopen(".prop", "rb");
  FILE *lab = my_fopen(".lab", "rb"), *reg = my_fopen(".reg", "rb");
  int r = try_read_compiled(vnk, prop, lab, reg);
  for (FILE *f : {vnk, prop, lab, reg}) fclose(f);
  return r;
}

inline std::string region_text(region *r) {
  char *buf = nullptr;
  size_t len = 0;
  FILE *f = open_memstream(&buf, &len);
  print_hide_region2(r, f);
  fclose(f);
  std::string s(buf, len);
  free(buf);
  return s;
}

// Everything a later analysis can see of the tables, as text.
inline std::string snapshot() {
  std::ostringstream s;
  s << "states " << N_OF_STATES << " trans " << N_OF_TRANS << " regions " << N_OF_REGIONS << " clocks "
    << N_OF_CLOCKS << " labels " << N_OF_LABELS << " props " << N_OF_PROPS << "\n";
  for (int i = 1; i < N_OF_CLOCKS; i++) s << clocks_names[i] << " ";
  s << "\n";
  for (int r = 0; r < N_OF_REGIONS; r++) s << "reg " << r << ": " << region_text(list_reg[r]) << "\n";
  for (int st = 0; st < N_OF_STATES; st++) {
    s << "loc " << st << " inv " << inv[st] << " succs " << succs[st] << " preds " << preds[st] << " props";
    for (int32_t p : states_props[st]) s << " " << prop_tab[p]->name;
    s << "\n";
  }
  s << "succs end " << succs[N_OF_STATES] << " preds end " << preds[N_OF_STATES] << "\n";
  std::vector<const clock_affect *> affects;
  for (int t = 0; t < N_OF_TRANS; t++) {
    const trans_rec *tr = trans_table[t];
    size_t shared = 0;
    while (shared < affects.size() && affects[shared] != tr->affect) shared++;
    if (shared == affects.size()) affects.push_back(tr->affect);
    s << "trans " << t << ": " << tr->source << "->" << tr->target << " guard " << tr->guard << " "
      << tr->deadline << tr->control << " pos " << corresp_succ_pred[t] << " affect#" << shared << " mode "
      << tr->affect->mode << " [";
    for (uint16_t v : tr->affect->affect) s << " " << v;
    s << " ] labels";
    for (int32_t l : trans_labels[t]) s << " " << label_tab[l]->name << "/" << label_tab[l]->kind;
    s << "\n";
  }
  for (int t = 0; t < N_OF_TRANS; t++) s << "pred " << t << ": " << trans_table_preds[t]->source << "->"
                                          << trans_table_preds[t]->target << "\n";
  for (int l = 0; l < N_OF_LABELS; l++) {
    s << "label " << l << " " << label_tab[l]->name << " on";
    for (int32_t t : label_tab[l]->trans) s << " " << t;
    s << "\n";
  }
  for (int p = 0; p < N_OF_PROPS; p++) {
    s << "prop " << p << " " << prop_tab[p]->name << " at";
    for (int32_t st : prop_tab[p]->states) s << " " << st;
    s << "\n";
  }
  return s.str();
}

}  // namespace tg_test
