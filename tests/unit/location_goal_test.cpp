// The compiled goal on location vectors against the formula walk it
// replaces: on every location vector of a small network whose graphs
// carry, share and lack propositions (INIT on some graphs only), random
// formulas of every kind that the walk reads give the same answer.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "compo_test_helpers.h"
#include "common/tctl/tctl_syntax.h"
#include "varnok/compo_runs.h"
#include "varnok/compo_tables.h"
#include "varnok/location_goal.h"

namespace {

// Three locations each; A is carried by both graphs, B by the first only,
// INIT by the first only (the second starts at its location 0 without it).
const std::string G1 = compo_test::tg(3, 0, "x", "",
                                      "state: 0\nprop: A\ninvar: true\ntrans:\n"
                                      "state: 1\nprop: INIT B\ninvar: true\ntrans:\n"
                                      "state: 2\nprop: A B\ninvar: true\ntrans:\n");
const std::string G2 = compo_test::tg(3, 0, "y", "",
                                      "state: 0\nprop: C\ninvar: true\ntrans:\n"
                                      "state: 1\nprop: A\ninvar: true\ntrans:\n"
                                      "state: 2\ninvar: true\ntrans:\n");
const char *const NAMES[] = {"A", "B", "C", "NOWHERE"};

tctl_node *random_formula(std::mt19937 &g, int depth) {
  const int pick = std::uniform_int_distribution<int>(0, depth > 0 ? 9 : 4)(g);
  switch (pick) {
    case 0: return tctl_state(std::uniform_int_distribution<int>(0, 2)(g));
    case 1: return tctl_init();
    case 2:
    case 3: return tctl_prop(NAMES[std::uniform_int_distribution<int>(0, 3)(g)]);
    case 4: return tctl_enable("go");  // never true on a location vector
    case 5: return tctl_and(random_formula(g, depth - 1), random_formula(g, depth - 1));
    case 6: return tctl_or(random_formula(g, depth - 1), random_formula(g, depth - 1));
    case 7: return tctl_impl(random_formula(g, depth - 1), random_formula(g, depth - 1));
    case 8: return tctl_not(random_formula(g, depth - 1));
    default: return tctl_ED(random_formula(g, depth - 1));  // temporal: false here
  }
}

class LocationGoal : public compo_test::Product {};

TEST_F(LocationGoal, AnswersAsTheFormulaWalkOnEveryLocationVector) {
  load({{"g1", G1}, {"g2", G2}});
  if (HasFatalFailure()) return;
  const int n = 2;
  std::mt19937 g(20261210);
  int held = 0, total = 0;
  for (int round = 0; round < 400; round++) {
    tctl_node *f = random_formula(g, 4);
    const lu::location_goal goal(f, n);
    for (int l0 = 0; l0 < 3; l0++)
      for (int l1 = 0; l1 < 3; l1++) {
        const int32_t v[2] = {l0, l1};
        const uint16_t key[2] = {static_cast<uint16_t>(l0), static_cast<uint16_t>(l1)};
        const bool want = location_vector_satisfies_formula(v, n, f) != 0;
        ASSERT_EQ(goal.holds(key), want) << "round " << round << " at (" << l0 << ", " << l1 << ")";
        held += want;
        total++;
      }
    tctl_free(f);
  }
  // Both answers are common: the check is not won by always saying one.
  EXPECT_GT(held, total / 5);
  EXPECT_LT(held, total * 4 / 5);
  // No formula, and missing operands, are true.
  const uint16_t key[2] = {2, 2};
  EXPECT_TRUE(lu::location_goal().holds(key));
  tctl_node *no_right = tctl_and(tctl_prop("A"), nullptr);
  EXPECT_TRUE(lu::location_goal(no_right, n).holds(key));
  tctl_free(no_right);
}

}  // namespace
