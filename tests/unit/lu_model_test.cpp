// The semantics of the LU search on small models: the abstraction policy
// chosen once, the two initial modes of products, and the successor
// numbering with its reused step information.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compo_test_helpers.h"
#include "eval_test_util.h"
#include "simul_test_util.h"
#include "common/tctl/tctl_syntax.h"
#include "varnok/compo_tables.h"
#include "varnok/lu_model.h"

namespace {

using matrix = std::vector<int16_t>;

const std::string ONE_GRAPH = R"(#states 2
#trans 2
#clocks 2
x y
state: 0
prop: INIT
invar: x <= 5
trans:
x >= 1 or y <= 2 => go ; reset{ x } ; goto 1
x >= 2 => stay ; ; goto 0
state: 1
prop: B
invar: true
trans:
)";

class LuModelSingle : public eval_test::Scratch {};

TEST_F(LuModelSingle, AbstractionChosenOnceAndSuccessorsNumberedInOrder) {
  simul_test::redirected(nullptr, [] { return eval_test::load(ONE_GRAPH, "init"); });
  lu::model exact = lu::model::single(nullptr, lu::extrapolation::none);
  lu::model plus = lu::model::single(nullptr);
  EXPECT_EQ(exact.abstraction(), lu::extrapolation::none);
  EXPECT_FALSE(exact.extrapolates());
  EXPECT_EQ(plus.abstraction(), lu::extrapolation::lu_plus);
  // At location 1 nothing is ever tested: every bound but x >= 0 goes; the
  // exact model leaves the zone as it is.
  const int n = plus.dim();
  matrix z(static_cast<size_t>(n) * n);
  flat::set_zero(z.data(), n);
  flat::up(z.data(), n);
  ASSERT_TRUE(flat::constrain(z.data(), n, 1, 0, mk_bound(7, 1)));
  const matrix before = z;
  const uint16_t at1[] = {1};
  exact.extrapolate(at1, z.data());
  EXPECT_EQ(z, before);
  plus.extrapolate(at1, z.data());
  matrix universal(z.size());
  flat::set_universal(universal.data(), n);
  EXPECT_EQ(z, universal);
  // From the initial zone at 0: "go" has two guard pieces, then "stay":
  // numbers 0, 1, 2 in that order, the step information one reused object.
  states_region *init = varnok_mk_init_state(0);
  std::vector<matrix> initial;
  plus.for_each_initial(init, nullptr, [&](const uint16_t *k, const int16_t *iz) {
    EXPECT_EQ(k[0], 0);
    initial.emplace_back(iz, iz + n * n);
  });
  free_states_region(init);
  ASSERT_EQ(initial.size(), 1u);
  std::vector<int32_t> numbers, moves, pieces;
  const lu::step_info *seen = nullptr;
  const uint16_t at0[] = {0};
  plus.for_each_successor(at0, initial[0].data(),
                          [&](int32_t k, const uint16_t *, int16_t *, const lu::step_info &info) {
                            EXPECT_TRUE(seen == nullptr || seen == &info);
                            seen = &info;
                            numbers.push_back(k);
                            moves.push_back(info.w[0]);
                            pieces.push_back(info.guard[0]);
                            return true;
                          });
  EXPECT_EQ(numbers, (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(moves, (std::vector<int32_t>{0, 0, 1}));
  EXPECT_EQ(pieces, (std::vector<int32_t>{0, 1, 0}));
  // Stopping at the first successor.
  int calls = 0;
  plus.for_each_successor(at0, initial[0].data(), [&](int32_t, const uint16_t *, int16_t *, const lu::step_info &) {
    calls++;
    return false;
  });
  EXPECT_EQ(calls, 1);
}

const std::string P = compo_test::tg(1, 0, "x", "", "state: 0\nprop: INIT\ninvar: x <= 3\ntrans:\n");
const std::string Q = compo_test::tg(1, 0, "y z", "", "state: 0\nprop: INIT\ninvar: y - z <= 1\ntrans:\n");

class LuModelProduct : public compo_test::Product {};

TEST_F(LuModelProduct, InitialModesStartAtZeroOrAnywhereInTheInvariants) {
  load({{"p", P}, {"q", Q}});
  if (HasFatalFailure()) return;
  tctl_node init{};
  init.kind = TCTL_INIT;
  std::vector<matrix> zero, whole;
  for (const auto &[mode, zones] :
       {std::pair{lu::initial_mode::from_zero, &zero}, std::pair{lu::initial_mode::whole_invariant, &whole}}) {
    std::vector<matrix> *out = zones;
    lu::model m = lu::model::product(&init, mode);
    const int n = m.dim();
    m.for_each_initial(nullptr, &init, [&](const uint16_t *k, const int16_t *z) {
      EXPECT_EQ(k[0] + k[1], 0);
      out->emplace_back(z, z + n * n);
    });
  }
  ASSERT_EQ(zero.size(), 1u);
  ASSERT_EQ(whole.size(), 1u);
  const int n = 4, x = encode_clock_index(1, 0), y = encode_clock_index(1, 1), z = encode_clock_index(2, 1);
  // From zero the clocks stay equal, at most 3.
  EXPECT_EQ(zero[0][x * n], mk_bound(3, 1));
  EXPECT_EQ(zero[0][y * n + z], ZERO_LE);
  EXPECT_EQ(zero[0][z * n + y], ZERO_LE);
  EXPECT_EQ(zero[0][x * n + y], ZERO_LE);
  // Anywhere in the invariants: only the invariants bind.
  EXPECT_EQ(whole[0][x * n], mk_bound(3, 1));
  EXPECT_EQ(whole[0][y * n + z], mk_bound(1, 1));
  EXPECT_EQ(whole[0][z * n + y], INF_BOUND);
  EXPECT_EQ(whole[0][y * n], INF_BOUND);
}

}  // namespace
