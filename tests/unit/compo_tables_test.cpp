// Loading several automata: the per-automaton rows, the product's clocks,
// the vector codes and the product-location table with its limits.
#include "compo_test_helpers.h"
#include "common/tctl/tctl_syntax.h"
#include "varnok/compo_runs.h"

using namespace compo_test;

namespace {

// 3 locations, 2 transitions from location 0, clocks x y.
const std::string A = tg(3, 2, "x y", "",
                         "state: 0 invar: true trans: true => ; ; goto 1 true => ; ; goto 2\n"
                         "state: 1 invar: true trans:\nstate: 2 invar: true trans:\n");
// 5 locations, 3 transitions from location 0, clocks u v w.
const std::string B = tg(5, 3, "u v w", "",
                         "state: 0 prop: P invar: true trans: true => ; ; goto 1 true => ; ; goto 2 true => ; ; goto 3\n"
                         "state: 1 invar: true trans:\nstate: 2 prop: Q P invar: true trans:\n"
                         "state: 3 invar: true trans:\nstate: 4 invar: true trans:\n");

std::string many_locations(int n) {
  std::string body;
  for (int i = 0; i < n; i++) body += "state: " + std::to_string(i) + " invar: true trans:\n";
  return tg(n, 0, "", "", body);
}

}  // namespace

TEST_F(Product, LoadsRowsAndCodesVectorsAndClocks) {
  load({{"a", A}, {"b", B}});
  EXPECT_NE(out_.find("varnok: reading file a.vnk...\n"), std::string::npos);
  EXPECT_NE(out_.find("varnok: reading file b.vnk...\n"), std::string::npos);
  EXPECT_EQ(err_, "Building synchronization tables...\n");
  ASSERT_EQ(N_OF_TA, 2);
  EXPECT_EQ(TA_N_OF_STATES[0], 3);
  EXPECT_EQ(TA_N_OF_STATES[1], 5);
  EXPECT_EQ(TA_N_OF_TRANS[1], 3);
  EXPECT_EQ(TA_names[0], "a");
  EXPECT_EQ(TA_MAX_TRANS, 12);  // (2 + 1) * (3 + 1)

  // Product clocks: 1 + 2 + 3.
  EXPECT_EQ(N_OF_CLOCKS, 6);
  EXPECT_EQ(AFFECT_SIZE, 6);
  const char *names[] = {"_0_", "X", "Y", "U", "V", "W"};
  for (int g = 0; g < 6; g++) EXPECT_STREQ(clocks_names[g], names[g]);
  EXPECT_EQ(encode_clock_index(2, 1), 4);
  EXPECT_EQ(encode_clock_index(0, 1), 0);
  int a = -2, k = -2;
  decode_clock_index(3, &a, &k);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(k, 1);
  decode_clock_index(2, &a, &k);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(k, 2);
  decode_clock_index(0, &a, &k);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(k, 0);

  // Location vectors: base 3 then 5.
  int32_t v[2] = {2, 4}, back[2] = {0, 0};
  EXPECT_EQ(TA_encode_state_vector(v, 2), 14);
  TA_decode_state_vector(14, back, 2);
  EXPECT_EQ(back[0], 2);
  EXPECT_EQ(back[1], 4);
  EXPECT_EQ(TA_encode_state_vector(v, 0), 0);

  // Transition vectors: base 3 then 4, the top digit meaning idle.
  int32_t w[2] = {-1, 1}, wb[2] = {0, 0};
  EXPECT_EQ(TA_encode_trans_vector(w, 2), 5);
  EXPECT_EQ(TA_decode_trans_vector(5, wb, 2), 1);
  EXPECT_EQ(wb[0], -1);
  EXPECT_EQ(wb[1], 1);
  int32_t idle[2] = {-1, -1};
  EXPECT_EQ(TA_encode_trans_vector(idle, 2), 11);
  int32_t both[2] = {1, 2};
  EXPECT_EQ(TA_encode_trans_vector(both, 2), 7);
  EXPECT_EQ(TA_decode_trans_vector(7, wb, 2), 2);
  EXPECT_EQ(wb[0], 1);
  EXPECT_EQ(wb[1], 2);

  // Propositions by name, per automaton.
  EXPECT_EQ(TA_find_prop_by_name(0, "P"), -1);
  EXPECT_GE(TA_find_prop_by_name(1, "P"), 0);
  EXPECT_EQ(TA_prop_tab[1][TA_find_prop_by_name(1, "Q")]->name, "Q");
  EXPECT_EQ(TA_states_props[1][2].size(), 2u);
}

TEST_F(Product, SecondLoadReadsCompiledFilesAndRenamesSharedClocks) {
  const std::string X = tg(1, 0, "x", "", "state: 0 invar: x <= 2 trans:\n");
  load({{"p", X}, {"q", X}});
  EXPECT_NE(out_.find("varnok: creating file p.vnk..."), std::string::npos);
  EXPECT_STREQ(clocks_names[1], "X");
  EXPECT_STREQ(clocks_names[2], "X_1");
  EXPECT_NE(err_.find("Warning: clock X of q.tg is called X_1 in the product.\n"), std::string::npos);
  free_compo_tables();
  // Up to date now: read, not parsed; a name taken by another clock is skipped.
  EXPECT_EQ(system("touch -d '-1 hour' p.tg q.tg"), 0);
  write_file("r.tg", tg(1, 0, "x_1", "", "state: 0 invar: true trans:\n"));
  EXPECT_EQ(system("touch -d '-1 hour' r.tg"), 0);
  snprintf(param_names[0], sizeof param_names[0], "p");
  snprintf(param_names[1], sizeof param_names[1], "r");
  snprintf(param_names[2], sizeof param_names[2], "q");
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  ASSERT_EQ(init_list(3), 1);
  std::string out = testing::internal::GetCapturedStdout();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(out.find("varnok: file p.vnk already exists \nvarnok: reading file p.vnk..."), std::string::npos);
  EXPECT_STREQ(clocks_names[2], "X_1");
  EXPECT_STREQ(clocks_names[3], "X_2");
  EXPECT_NE(err.find("is called X_2 in the product"), std::string::npos);
}

TEST_F(Product, RefusesLocationSpacesThatCannotBeCoded) {
  for (const char *m : {"m1", "m2", "m3"}) write_file(std::string(m) + ".tg", many_locations(1300));
  for (int i = 0; i < 3; i++) snprintf(param_names[i], sizeof param_names[i], "m%d", i + 1);
  // 1300^3 locations do not fit in a 31-bit code.
  EXPECT_EXIT(
      {
        testing::internal::CaptureStdout();
        init_list(3);
      },
      testing::ExitedWithCode(255),
      "^Sorry, MAX N_OF_STATES=2147483646\nvarnok: hint: -abs lu \\(with -forw, -r or -R\\) explores networks whose "
      "vectors do not fit a code\n$");
}

TEST_F(Product, ProductLocationTableLimits) {
  // Any positive limit is taken, without reserving room for all of it.
  MAX_CONTROL_STATES = 2147483647;
  TA_init_state_set();
  MAX_CONTROL_STATES = 2;
  init_ControlHashTab();
  TA_init_state_set();
  control_node *n0, *n1, *n2, *again;
  EXPECT_EQ(control_hash_insert(&n0, 7), 1);
  EXPECT_EQ(control_hash_insert(&n1, 7 + TA_HASH_SIZE), 1);  // same bucket
  EXPECT_EQ(control_hash_insert(&again, 7), 0);
  EXPECT_EQ(again, n0);
  insert_in_state_set(n1);
  insert_in_state_set(n0);
  EXPECT_EQ(get_state_set_index(7), 1);
  EXPECT_EQ(get_state_set_index(7 + TA_HASH_SIZE), 0);
  EXPECT_EQ(get_state_set_index(99), 0);
  control_hash_insert(&n2, 3);
  EXPECT_EXIT(insert_in_state_set(n2), testing::ExitedWithCode(255),
              "^MAX_CONTROL_STATES \\(2\\) exceeded!\nPlease use the '-CONTROL n' option to set it to 'n'\n$");
}

TEST_F(Product, ActivityMasksFromOptFiles) {
  load({{"a", A}, {"b", B}, {"c", tg(1, 0, "", "", "state: 0 invar: true trans:\n")}});
  // .opt: per location one ignored value, then one value per clock (the
  // reference clock first).
  auto opt = [](const std::string &name, const std::vector<std::vector<uint16_t>> &locs) {
    std::string bytes;
    for (const auto &l : locs) {
      for (uint16_t x : l) {
        bytes += static_cast<char>(x & 0xff);
        bytes += static_cast<char>(x >> 8);
      }
    }
    write_file(name + ".opt", bytes);
  };
  opt("a", {{9, 1, 0, 1}, {0, 0, 3, 0}, {0, 1, 1, 1}});
  opt("b", {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 1, 1, 1, 1}});
  init_TA_LocClockAct();
  EXPECT_EQ(TA_LocClockAct[0], (std::vector<uint32_t>{0x5, 0x2, 0x7}));
  EXPECT_EQ(TA_LocClockAct[1][4], 0xfu);
  EXPECT_TRUE(TA_LocClockAct[2].empty());  // no clock of its own: never masked

  opt("b", {{0, 0}});  // too short
  EXPECT_EXIT(init_TA_LocClockAct(), testing::ExitedWithCode(1), "");
}

TEST_F(Product, ActivityRefusesMoreThan32Clocks) {
  std::string clocks;
  for (int i = 0; i < 32; i++) clocks += "c" + std::to_string(i) + " ";
  load({{"a", tg(1, 0, clocks, "", "state: 0 invar: true trans:\n")}, {"b", A}});
  EXPECT_EQ(TA_N_OF_CLOCKS[0], 33);
  EXPECT_EXIT(init_TA_LocClockAct(), testing::ExitedWithCode(255),
              "^Error: maximum 32 clocks allowed with activity-optimization option.\n$");
}

TEST_F(Product, SimpleFormulasOnLocationVectors) {
  // a: INIT on location 2; b: no INIT, propositions P (loc 0) and Q P (loc 2).
  const std::string I = tg(3, 0, "", "",
                           "state: 0 prop: R invar: true trans:\nstate: 1 invar: true trans:\n"
                           "state: 2 prop: INIT invar: true trans:\n");
  load({{"a", I}, {"b", B}});
  int32_t init[2] = {2, 0}, b_moved[2] = {2, 2}, both2[2] = {2, 2}, a0[2] = {0, 2};
  tctl_node *f = tctl_init();
  EXPECT_EQ(location_vector_satisfies_formula(init, 2, f), 1);
  EXPECT_EQ(location_vector_satisfies_formula(b_moved, 2, f), 0);  // b has no INIT and is not at 0
  tctl_free(f);
  f = tctl_state(2);
  EXPECT_EQ(location_vector_satisfies_formula(both2, 2, f), 1);
  EXPECT_EQ(location_vector_satisfies_formula(init, 2, f), 0);
  tctl_free(f);
  // Q is carried by b's location only; whatever a's location.
  f = tctl_and(tctl_prop("Q"), tctl_not(tctl_prop("R")));
  EXPECT_EQ(location_vector_satisfies_formula(b_moved, 2, f), 1);
  EXPECT_EQ(location_vector_satisfies_formula(a0, 2, f), 0);
  tctl_free(f);
  f = tctl_impl(tctl_prop("NONE"), tctl_ED(tctl_prop("P")));
  EXPECT_EQ(location_vector_satisfies_formula(a0, 2, f), 1);
  tctl_free(f);
  EXPECT_EQ(location_vector_satisfies_formula(a0, 2, nullptr), 1);
  f = tctl_or(tctl_ED(tctl_prop("P")), tctl_leq(tctl_clock("X"), 3));
  testing::internal::CaptureStderr();
  EXPECT_EQ(location_vector_satisfies_formula(a0, 2, f), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning: unknown formula type.\n");
  tctl_free(f);
}
