// Helpers of the product tests: small timed graphs written in a scratch
// directory and loaded side by side as the model checker does.
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

#include "common/tg/tg_global.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_hash.h"
#include "common/zone/zone_read_write.h"
#include "varnok/compo_succ.h"
#include "varnok/compo_sync.h"
#include "varnok/compo_tables.h"
#include "varnok/varnok_options.h"
#include "varnok/varnok_runs.h"

namespace compo_test {

inline void write_file(const std::string &path, const std::string &text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string read_file(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The text form of a zone, as the product writer prints it.
inline std::string zone_text(zone *z) {
  char *buf = nullptr;
  size_t len = 0;
  FILE *f = open_memstream(&buf, &len);
  print_hide_zone2(z, f);
  fclose(f);
  std::string s(buf, len);
  free(buf);
  return s;
}

// Each test runs in its own scratch directory with default options.
class Product : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/compo_test_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    old_ = here;
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    OPT_SET = 0;
    MAX_CONTROL_STATES = 2048;
    N_OF_EXTRA_CLOCKS = 0;
  }
  void TearDown() override {
    free_compo_tables();
    free_zone(TA_approx_zone);
    TA_approx_zone = nullptr;
    clear_tg_tables();
    free_zone_table();
    OPT_SET = 0;
    MAX_CONTROL_STATES = 2048;
    EXPECT_EQ(chdir(old_.c_str()), 0);
    std::string cmd = "rm -rf " + dir_;
    EXPECT_EQ(system(cmd.c_str()), 0);
  }

  // Writes name.tg for each (name, text) and loads them in order; the
  // loader's messages are kept in out_ and err_.
  void load(const std::vector<std::pair<std::string, std::string>> &models) {
    for (size_t i = 0; i < models.size(); i++) {
      write_file(models[i].first + ".tg", models[i].second);
      snprintf(param_names[i], sizeof param_names[i], "%s", models[i].first.c_str());
    }
    nb_param = static_cast<int>(models.size());
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int ok = init_list(nb_param);
    out_ = testing::internal::GetCapturedStdout();
    err_ = testing::internal::GetCapturedStderr();
    ASSERT_EQ(ok, 1) << out_ << err_;
  }

  std::string dir_, old_, out_, err_;
};

// A model with one clock per name in `clocks`, `states` locations and the
// given location and transition lines.
inline std::string tg(int states, int trans, const std::string &clocks, const std::string &sync,
                      const std::string &body) {
  int nclocks = 0;
  std::istringstream in(clocks);
  for (std::string c; in >> c;) nclocks++;
  std::string t = "#states " + std::to_string(states) + "\n#trans " + std::to_string(trans) + "\n#clocks " +
                  std::to_string(nclocks) + "\n" + clocks + "\n";
  if (!sync.empty()) t += "#sync " + sync + "\n";
  return t + body;
}

}  // namespace compo_test
