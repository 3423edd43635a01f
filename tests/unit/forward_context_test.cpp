// The forward evaluator takes its options from the run context it is given,
// not from the option word.
#include <gtest/gtest.h>
#include <string>

#include "eval_test_util.h"
#include "simul_test_util.h"
#include "varnok/run_context.h"
#include "varnok/simul.h"
#include "varnok/varnok_eval_forw.h"
#include "varnok/varnok_options.h"

namespace {

// Location 0 (INIT) reaches END (location 1) at x = 2.
const char *kLine =
    "#states 2 #trans 1 #clocks 1 x\n"
    "state: 0 prop: INIT invar: x <= 2 trans:\n"
    "x = 2 => a ; ; goto 1\n"
    "state: 1 prop: END invar: true trans:\n";

class ForwardContext : public eval_test::Scratch {
 protected:
  void TearDown() override {
    free_zone(app_zone);
    app_zone = nullptr;
    OPT_SET = 0;
    eval_test::Scratch::TearDown();
  }
  // The verdict line and standard error of `formula` under the context's options.
  std::pair<std::string, std::string> decide(const std::string &formula, uint32_t options) {
    tctl_node *f = simul_test::load_compiled(kLine, formula);
    OPT_SET = OPT_FORWARD;  // the option word says nothing of -abs lu
    MAX_SYMB_STATES = 1000;
    run_context run = run_context_now();
    run.options = OPT_FORWARD | options;
    testing::internal::CaptureStderr();
    const std::string out = simul_test::last_line([f, &run] { free_states_region(varnok_eval_forw(f, run)); });
    return {out, testing::internal::GetCapturedStderr()};
  }
};

TEST_F(ForwardContext, TheContextChoosesTheSearch) {
  const std::string lu_note = "-abs lu searches reachability (ED) and invariance (AB) forwards";
  auto exact = decide("ED{<=3} END", 0);
  EXPECT_EQ(exact.first, "varnok: Reachability *** TRUE ***\n");
  EXPECT_EQ(exact.second.find(lu_note), std::string::npos);
  auto lu = decide("ED{<=3} END", OPT_ABS_LU);
  EXPECT_EQ(lu.first, "varnok: Reachability *** TRUE ***\n");
  EXPECT_NE(lu.second.find(lu_note), std::string::npos);
  auto too_early = decide("ED{<2} END", OPT_ABS_LU);
  EXPECT_EQ(too_early.first, "varnok: Reachability *** FALSE ***\n");
}

}  // namespace
