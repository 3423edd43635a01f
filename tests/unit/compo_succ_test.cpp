// Product zones, assignments and successors, and the scratch pools.
#include "compo_test_helpers.h"
#include "varnok/pool.h"

using namespace compo_test;

namespace {

// p: clock x; 0 -> 1 resets x (guard x > 2), 1 -> 0 copies nothing.
const std::string P = tg(2, 2, "x", "",
                         "state: 0 invar: x <= 5 trans: x > 2 => ; reset{ x } ; goto 1\n"
                         "state: 1 invar: true trans: true => ; ; goto 0\n");
// q: clocks u v; a copy v := u; location 1 has a non-convex invariant.
const std::string Q = tg(2, 2, "u v", "",
                         "state: 0 invar: u <= 10 trans: true => ; v := u ; goto 1\n"
                         "state: 1 invar: u <= 1 or v <= 1 trans: true => ; ; goto 0\n");

std::vector<const trans_rec *> action(std::vector<int32_t> w) {
  std::vector<const trans_rec *> e(w.size());
  trans_to_action_vector(w.data(), e.data(), static_cast<int>(w.size()));
  return e;
}

std::vector<uint16_t> affect_of(std::vector<int32_t> w, int *flag, const int32_t *v = nullptr) {
  std::vector<uint16_t> out(AFFECT_SIZE, 0);
  auto e = action(w);
  *flag = v == nullptr ? mk_prealloc_affect_from_trans_vec(out.data(), e.data(), N_OF_TA)
                       : mk_prealloc_affect_from_trans_vec_act(out.data(), e.data(), v, N_OF_TA);
  return out;
}

}  // namespace

TEST_F(Product, AssignmentVectorsOverGlobalClocks) {
  load({{"p", P}, {"q", Q}});
  ASSERT_EQ(N_OF_CLOCKS, 4);  // _0_ X U V
  int flag = -1;
  // p resets its clock, q idle.
  EXPECT_EQ(affect_of({0, -1}, &flag), (std::vector<uint16_t>{0, 0, 2, 3}));
  EXPECT_EQ(flag, 1);
  // Mode 0 everywhere: the identity, no assignment.
  EXPECT_EQ(affect_of({1, -1}, &flag), (std::vector<uint16_t>{0, 1, 2, 3}));
  EXPECT_EQ(flag, 0);
  // q's copy v := u names q's clock 1, global clock 2.
  EXPECT_EQ(affect_of({-1, 0}, &flag), (std::vector<uint16_t>{0, 1, 2, 2}));
  EXPECT_EQ(flag, 1);
  // Activity: q's clock v inactive at its location resets it even when q is
  // idle; a copy takes precedence over the mask.
  TA_LocClockAct[1] = {0x7, 0x1};
  int32_t target[2] = {1, 1};
  EXPECT_EQ(affect_of({1, -1}, &flag, target), (std::vector<uint16_t>{0, 1, 0, 0}));
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(affect_of({-1, 0}, &flag, target), (std::vector<uint16_t>{0, 1, 0, 2}));
  int32_t active[2] = {0, 0};
  EXPECT_EQ(affect_of({1, -1}, &flag, active), (std::vector<uint16_t>{0, 1, 2, 3}));
  EXPECT_EQ(flag, 0);
}

TEST_F(Product, InvariantAndGuardZonesOfVectors) {
  load({{"p", P}, {"q", Q}});
  int32_t v00[2] = {0, 0}, v11[2] = {1, 1};
  zone *z = mk_invariants_zone_from_location_vector(v00, 2);
  EXPECT_EQ(zone_text(z), "X<=5 and U<=10");
  free_zone(z);
  // A non-convex invariant is the union of its pieces, silently.
  testing::internal::CaptureStderr();
  ASSERT_EQ(invariant_piece_count(v11, 2), 2);
  std::vector<zone *> pieces;
  mk_invariant_pieces(v11, 2, pieces);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(zone_text(pieces[0]), "U<=1");
  EXPECT_EQ(zone_text(pieces[1]), "V<=1");
  for (zone *piece : pieces) free_zone(piece);
  auto e = action({0, 0});
  z = mk_guards_zone_from_transition_vector(e.data(), 2);
  EXPECT_EQ(zone_text(z), "2<X and X<=5 and U<=10");  // guards carry their source invariant
  free_zone(z);

  // A false invariant: warned and empty.
  free_compo_tables();
  load({{"p", P}, {"f", tg(1, 0, "y", "", "state: 0 invar: false trans:\n")}});
  int32_t v[2] = {0, 0};
  testing::internal::CaptureStderr();
  EXPECT_EQ(mk_invariants_zone_from_location_vector(v, 2), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning: invariant of location 0 of f.tg is empty.\n");

  // Non-convex guards: one piece per combination of their zones, automaton
  // 0's zone changing fastest.
  free_compo_tables();
  const std::string G = tg(2, 1, "y", "",
                           "state: 0 invar: true trans: y <= 1 or y >= 3 => ; ; goto 1\n"
                           "state: 1 invar: true trans:\n");
  const std::string H = tg(2, 1, "w", "",
                           "state: 0 invar: true trans: w < 2 or w >= 2 => ; ; goto 1\n"
                           "state: 1 invar: true trans:\n");
  load({{"p", P}, {"g", G}, {"h", H}});
  testing::internal::CaptureStderr();
  e = action({-1, 0, -1});
  EXPECT_EQ(guard_piece_count(e.data(), 3), 2);
  z = mk_guard_piece_zone(e.data(), 3, 1);
  EXPECT_EQ(zone_text(z), "3<=Y");  // only the moving automaton's guard
  free_zone(z);
  e = action({-1, 0, 0});
  ASSERT_EQ(guard_piece_count(e.data(), 3), 4);
  std::vector<std::string> texts;
  for (int k = 0; k < 4; k++) {
    z = mk_guard_piece_zone(e.data(), 3, k);
    texts.push_back(zone_text(z));
    free_zone(z);
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(texts, (std::vector<std::string>{"Y<=1 and W<2", "3<=Y and W<2", "Y<=1 and 2<=W", "3<=Y and 2<=W"}));
}

TEST_F(Product, InitialZoneLetsAllClocksAdvanceTogether) {
  load({{"p", P}, {"f", tg(1, 0, "y", "", "state: 0 invar: true trans:\n")}});
  init_zone_pool();
  zone *z;
  int slot = get_zone_from_pool(&z);
  zone *zero = mk_zero_zone(0);
  assign_prealloc_zone(z, zero);
  free_zone(zero);
  int32_t v[2] = {1, 0};  // both invariants true
  ASSERT_EQ(forw_proj_invariants_prealloc_zone(z, v, 2), 1);
  EXPECT_EQ(z->bounds[1][2], ZERO_LE);
  EXPECT_EQ(z->bounds[2][1], ZERO_LE);
  EXPECT_EQ(z->bounds[1][0], INF_BOUND);
  // With p at location 0 (x <= 5) both clocks stop at 5.
  zero = mk_zero_zone(0);
  assign_prealloc_zone(z, zero);
  free_zone(zero);
  int32_t w[2] = {0, 0};
  ASSERT_EQ(forw_proj_invariants_prealloc_zone(z, w, 2), 1);
  EXPECT_EQ(z->bounds[2][0], mk_bound(5, 1));
  release_zone_to_pool(slot);
}

TEST_F(Product, PooledAndAllocatingSuccessorsAgree) {
  load({{"p", P}, {"q", Q}});
  init_zone_pool();
  init_affect_pool();
  int32_t v[2] = {0, 0};
  zone *start = mk_invariants_zone_from_location_vector(v, 2);  // -Inv style start
  TA_symb_state s{TA_encode_state_vector(v, 2), start};
  for (std::vector<int32_t> w : {std::vector<int32_t>{0, -1}, {-1, 0}, {0, 0}}) {
    auto e = action(w);
    int32_t u1[2], u2[2];
    TA_symb_state *alloc = TA_succ_action_temp(&s, e.data(), v, u1, 2);
    TA_symb_state pooled{};
    testing::internal::CaptureStderr();
    int slot = TA_succ_action_temp_prealloc(&pooled, &s, e.data(), v, u2, 2);
    testing::internal::GetCapturedStderr();
    ASSERT_NE(alloc, nullptr);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(zone_pool_in_use(), 1);
    EXPECT_EQ(alloc->code, pooled.code);
    EXPECT_EQ(u1[0], u2[0]);
    EXPECT_EQ(u1[1], u2[1]);
    EXPECT_TRUE(equ_zone(alloc->z, pooled.z)) << zone_text(alloc->z) << " / " << zone_text(pooled.z);
    release_zone_to_pool(slot);
    free_zone(alloc->z);
    delete alloc;
  }
  // One exact result: from x <= 5 and u <= 10 (v free), p's move resets x,
  // then time passes in (1, 0) where u <= 10.
  auto e = action({0, -1});
  int32_t u[2];
  TA_symb_state out{};
  int slot = TA_succ_action_temp_prealloc(&out, &s, e.data(), v, u, 2);
  ASSERT_GE(slot, 0);
  EXPECT_EQ(u[0], 1);
  EXPECT_EQ(zone_text(out.z), "U<=10 and X<=U and X<=V");
  release_zone_to_pool(slot);

  // From the zone where x = 0 the guard x > 2 is not met: no successor and
  // no slot left in use.
  zone *zero = mk_zero_zone(0);
  TA_symb_state at_zero{s.code, zero};
  EXPECT_EQ(TA_succ_action_temp_prealloc(&out, &at_zero, e.data(), v, u, 2), -1);
  EXPECT_EQ(zone_pool_in_use(), 0);
  EXPECT_EQ(out.z, nullptr);
  EXPECT_EQ(TA_succ_action_temp(&at_zero, e.data(), v, u, 2), nullptr);
  free_zone(zero);
  free_zone(start);
}

TEST_F(Product, ZonePoolSlotsAndInPlaceOperations) {
  load({{"p", P}, {"q", Q}});
  init_zone_pool();
  init_affect_pool();
  zone *z[ZONE_POOL_SIZE];
  for (int i = 0; i < ZONE_POOL_SIZE; i++) EXPECT_EQ(get_zone_from_pool(&z[i]), i);
  zone *extra;
  EXPECT_EQ(get_zone_from_pool(&extra), -1);
  release_zone_to_pool(3);
  EXPECT_EQ(get_zone_from_pool(&extra), 3);
  uint16_t *a, *b, *c;
  EXPECT_EQ(get_affect_from_pool(&a), 0);
  EXPECT_EQ(get_affect_from_pool(&b), 1);
  EXPECT_EQ(get_affect_from_pool(&c), -1);
  EXPECT_EQ(a[0], 0);

  // An empty closure keeps the pool zone's storage.
  copy_univ_prealloc_zone(z[0]);
  z[0]->flags = 0;
  assign_bounds_edges_zone(z[0], 1, 0, mk_bound(1, 1), 1);
  assign_bounds_edges_zone(z[0], 0, 1, mk_bound(-2, 1), 1);
  EXPECT_EQ(cf_prealloc_zone(z[0]), 0);
  EXPECT_TRUE(is_empty_zone(z[0]));
  EXPECT_NE(z[0]->bounds, nullptr);
  EXPECT_EQ(intersection_prealloc_zone(z[1], z[0], TA_UNIVERSAL), 0);
  EXPECT_EQ(forward_proj_prealloc_zone(z[2], z[0]), 0);

  // Hull of x <= 1 and 2 <= x <= 3 is x <= 3.
  auto interval = [](zone *r, int lo, int hi) {
    copy_univ_prealloc_zone(r);
    r->flags = 0;
    assign_bounds_edges_zone(r, 1, 0, mk_bound(hi, 1), 1);
    assign_bounds_edges_zone(r, 0, 1, mk_bound(-lo, 1), 1);
    cf_prealloc_zone(r);
  };
  interval(z[3], 0, 1);
  interval(z[4], 2, 3);
  EXPECT_EQ(Union_prealloc_zone3(z[5], z[3], z[4]), 1);
  cf_prealloc_zone(z[5]);
  EXPECT_EQ(zone_text(z[5]), "X<=3");

  // Interning: the second equal zone finds the first and frees its slot.
  zone *stored = nullptr, *again = nullptr;
  EXPECT_EQ(insert_prealloc_zone(&stored, z[5], 5), 1);
  EXPECT_NE(stored, z[5]);
  interval(z[6], 0, 3);
  EXPECT_EQ(insert_prealloc_zone(&again, z[6], 6), 0);
  EXPECT_EQ(again, stored);
  EXPECT_EQ(get_zone_from_pool(&extra), 6);
}

TEST_F(Product, ExtrapolationZoneFromLargestConstants) {
  const std::string X3 = tg(1, 1, "x", "", "state: 0 invar: x <= 3 trans: true => ; ; goto 0\n");
  const std::string Y10 = tg(1, 1, "y", "", "state: 0 invar: y <= 10 trans: true => ; ; goto 0\n");
  load({{"p", X3}, {"q", Y10}});
  TA_init_approx_zone(2);
  EXPECT_EQ(TA_approx_zone->bounds[1][0], mk_bound(3, 1));
  EXPECT_EQ(TA_approx_zone->bounds[2][0], mk_bound(10, 1));
  EXPECT_EQ(read_file("approx_zone"), "Approximation:\nX<=3 and Y<=10\n");
  free_zone(TA_approx_zone);
  free_compo_tables();
  // A copy anywhere: one bound for all clocks.
  const std::string Y10c = tg(1, 1, "y z", "", "state: 0 invar: y <= 10 trans: y > 1 => ; z := y ; goto 0\n");
  load({{"p", X3}, {"q", Y10c}});
  EXPECT_EQ(system_has_clock_affects(), 1);
  EXPECT_EQ(find_max_system_bound(), mk_bound(10, 1));
  TA_init_approx_zone(2);
  EXPECT_EQ(TA_approx_zone->bounds[1][0], mk_bound(10, 1));
  EXPECT_EQ(TA_approx_zone->bounds[3][0], mk_bound(10, 1));
}
