// Storage of product states in the searches' visited set, under the
// default rule and the inclusion and convex-hull abstractions.
#include "compo_test_helpers.h"
#include "varnok/compo_simul.h"
#include "varnok/pool.h"

using namespace compo_test;

namespace {

const std::string ONE = tg(1, 0, "x", "", "state: 0 invar: true trans:\n");

// A new pool zone lo <= x <= hi (x the product's clock 1), closed.
zone *interval(int lo, int hi) {
  zone *z;
  EXPECT_GE(get_zone_from_pool(&z), 0);
  copy_univ_prealloc_zone(z);
  z->flags = 0;
  assign_bounds_edges_zone(z, 1, 0, mk_bound(hi, 1), 1);
  assign_bounds_edges_zone(z, 0, 1, mk_bound(-lo, 1), 1);
  cf_prealloc_zone(z);
  return z;
}

int stock(int lo, int hi, std::string *kept) {
  TA_symb_state s{0, interval(lo, hi)}, slot{-1, nullptr};
  int r = stock_symb_st(&slot, &s);
  *kept = zone_text(slot.z);
  for (auto &p : zone_pool) p.in_use = 0;
  return r;
}

}  // namespace

TEST_F(Product, VisitedSetDefaultInclusionAndHull) {
  load({{"p", ONE}, {"q", ONE}});
  std::string kept;
  for (uint32_t mode : {0u, OPT_ABS_INCL, OPT_ABS_HULL}) {
    OPT_SET = mode;
    init_zone_pool();
    init_ZoneListHashTab();
    nb_symb_states = 0;
    EXPECT_EQ(stock(0, 3, &kept), 1);
    EXPECT_EQ(kept, "X<=3");
    // The same zone again is never stored twice.
    EXPECT_EQ(stock(0, 3, &kept), 0);
    EXPECT_EQ(kept, "X<=3");
    // A strictly smaller zone: stored by default, covered under -ai and -ac.
    int smaller = stock(1, 2, &kept);
    EXPECT_EQ(smaller, mode == 0 ? 1 : 0) << mode;
    EXPECT_EQ(kept, mode == 0 ? "1<=X and X<=2" : "X<=3");
  }
  // Convex hull: x <= 1 then 2 <= x <= 3 leaves the hull x <= 3 newest.
  OPT_SET = OPT_ABS_HULL;
  init_ZoneListHashTab();
  nb_symb_states = 0;
  EXPECT_EQ(stock(0, 1, &kept), 1);
  EXPECT_EQ(stock(2, 3, &kept), 1);
  EXPECT_EQ(kept, "X<=3");
  zone_list_node *list;
  EXPECT_EQ(zone_list_hash_insert(&list, 0), 0);
  EXPECT_EQ(zone_text(list->zones->z), "X<=3");
  EXPECT_EQ(nb_symb_states, 2);
  EXPECT_EQ(zone_pool_in_use(), 0);
}
