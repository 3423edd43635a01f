// Label synchronisation: the legal transition vectors and their order, in
// both modes, with and without diagonals (hand-derived).
#include <random>

#include "compo_test_helpers.h"

using namespace compo_test;

namespace {

// One location; a synchronisation move on "a" and an unlabelled move.
const std::string SYNC_A = tg(1, 2, "", "a", "state: 0 invar: true trans: true => a ; ; goto 0 true => ; ; goto 0\n");

std::string vec(const int32_t *w, int n) {
  std::string s = "(";
  for (int a = 0; a < n; a++) s += (a ? "," : "") + std::to_string(w[a]);
  return s + ")";
}

// Every legal transition vector at v, in iterator order.
std::string moves(std::vector<int32_t> v) {
  int n = N_OF_TA;
  std::vector<int32_t> w(n);
  std::string s;
  for (int c = trans_sync_get_1st(v.data(), w.data(), n); c >= 0; c = trans_sync_get_nxt(v.data(), w.data(), n, c))
    s += vec(w.data(), n);
  return s;
}

std::string stored_label_set_vectors() {
  std::string s;
  for (const auto &V : label_set_vectors) s += vec(V.data(), N_OF_TA);
  return s;
}

}  // namespace

TEST_F(Product, LabelSetModeJointAndSingleMoves) {
  load({{"p", SYNC_A}, {"q", SYNC_A}});
  EXPECT_EQ(sync_lab_num, 1);
  EXPECT_EQ(SyncLabTab[0].name, "A");
  EXPECT_EQ(TA_nb_label_sets[0], 2);  // {A} then {}
  EXPECT_EQ(stored_label_set_vectors(), "(1,-1)(0,0)(-1,1)");
  EXPECT_EQ(moves({0, 0}), "(1,-1)(0,0)(-1,1)");
  // A cursor of -1 is recovered from the vector itself.
  int32_t v[2] = {0, 0}, w[2] = {0, 0};
  EXPECT_EQ(trans_sync_get_nxt(v, w, 2, -1), 2);
  EXPECT_EQ(vec(w, 2), "(-1,1)");
  EXPECT_EQ(trans_sync_get_nxt(v, w, 2, 2), -1);
}

TEST_F(Product, LabelSetModeWithDiagonals) {
  OPT_SET = OPT_SYNC_DIAG;
  load({{"p", SYNC_A}, {"q", SYNC_A}});
  EXPECT_EQ(moves({0, 0}), "(1,-1)(0,0)(-1,1)(1,1)");
}

TEST_F(Product, EnumerationModeSingleLabel) {
  OPT_SET = OPT_SYNC_ENUM;
  load({{"p", SYNC_A}, {"q", SYNC_A}});
  EXPECT_EQ(multi_lab_flag, 0);
  // Odometer with the last automaton fastest.
  EXPECT_EQ(moves({0, 0}), "(-1,1)(0,0)(1,-1)");
  OPT_SET = OPT_SYNC_ENUM | OPT_SYNC_DIAG;
  build_global_label_tables();
  EXPECT_EQ(moves({0, 0}), "(-1,1)(0,0)(1,-1)(1,1)");
  int32_t none[2] = {-1, -1};
  testing::internal::CaptureStderr();
  EXPECT_EQ(is_valid_trans_vector_single_label(none, 2), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "warning (\"is_valid_trans_vector_single_label\"): NIL_TRANS vector!\n");
}

TEST_F(Product, LabelKnownToOneAutomatonOrPlainElsewhere) {
  // p: sync b, known to nobody else; sync a, which q has as a plain label.
  const std::string P = tg(1, 2, "", "a b", "state: 0 invar: true trans: true => b ; ; goto 0 true => a ; ; goto 0\n");
  const std::string Q = tg(1, 1, "", "", "state: 0 invar: true trans: true => a ; ; goto 0\n");
  load({{"p", P}, {"q", Q}});
  EXPECT_TRUE(SyncLabTab[0].known[1] || SyncLabTab[1].known[1]);  // q knows A
  // Neither of p's moves can be taken; q's plain move alone can.
  EXPECT_EQ(moves({0, 0}), "(-1,0)");
  OPT_SET = OPT_SYNC_ENUM;
  build_global_label_tables();
  // The single-label tests let p take b alone; a stays blocked by q.
  EXPECT_EQ(moves({0, 0}), "(-1,0)(0,-1)");
}

TEST_F(Product, MultiLabelConnectivity) {
  auto one = [](const std::string &labels) {
    return tg(1, 1, "", labels, "state: 0 invar: true trans: true => " + labels + " ; ; goto 0\n");
  };
  load({{"p", one("a")}, {"q", one("a b")}, {"r", one("b")}});
  // All three together, connected through q.
  EXPECT_EQ(moves({0, 0, 0}), "(0,0,0)");
  OPT_SET = OPT_SYNC_ENUM;
  build_global_label_tables();
  EXPECT_EQ(multi_lab_flag, 1);
  EXPECT_EQ(moves({0, 0, 0}), "(0,0,0)");
  free_compo_tables();

  // Two pairs on different labels: together only with diagonals.
  OPT_SET = 0;
  load({{"p", one("a")}, {"q", one("a")}, {"r", one("b")}, {"s", one("b")}});
  EXPECT_EQ(moves({0, 0, 0, 0}), "(0,0,-1,-1)(-1,-1,0,0)");
  int32_t pairs[4] = {0, 0, 0, 0};
  EXPECT_EQ(is_valid_lab_set_vector_multi_label(pairs, 4), 0);
  EXPECT_EQ(is_valid_lab_set_vector_multi_label_diag(pairs, 4), 1);
  OPT_SET = OPT_SYNC_DIAG;
  build_global_label_tables();
  EXPECT_EQ(moves({0, 0, 0, 0}), "(0,0,-1,-1)(-1,-1,0,0)(0,0,0,0)");
}

TEST_F(Product, TooManySynchronisationLabels) {
  std::string labels;
  for (int i = 0; i < 65; i++) labels += "l" + std::to_string(i) + " ";
  const std::string M = tg(1, 1, "", labels, "state: 0 invar: true trans: true => l64 ; ; goto 0\n");
  load({{"p", M}, {"q", M}});
  EXPECT_EQ(sync_lab_num, 64);
  const std::string warning = "Warning: cannot insert label L64 to SyncLabTab\n MAX_NB_LABELS exceeded (64)\n";
  size_t first = err_.find(warning);
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(err_.find(warning, first + 1), std::string::npos);
  // L64 counts as a plain label: each automaton takes it alone.
  EXPECT_EQ(moves({0, 0}), "(0,-1)(-1,0)");
}

TEST_F(Product, NoTransitionsAndLocationVectorEnumeration) {
  const std::string S3 = tg(3, 0, "", "", "state: 0 invar: true trans:\nstate: 1 invar: true trans:\nstate: 2 invar: true trans:\n");
  const std::string S2 = tg(2, 0, "", "", "state: 0 invar: true trans:\nstate: 1 invar: true trans:\n");
  load({{"p", S2}, {"q", S3}});
  EXPECT_EQ(nb_label_set_vectors, 0);
  EXPECT_EQ(moves({1, 2}), "");
  std::vector<int32_t> v(2);
  std::string all;
  for (int more = get_1st_state_vector(v.data(), 2); more; more = get_nxt_state_vector(v.data(), 2))
    all += vec(v.data(), 2);
  EXPECT_EQ(all, "(0,0)(0,1)(0,2)(1,0)(1,1)(1,2)");
  std::vector<std::vector<int32_t>> lists = {{1, 0}, {}};
  all.clear();
  for (int more = get_1st_state_vec_by_list_states(v.data(), lists, 2); more;
       more = get_nxt_state_vec_by_list_states(v.data(), lists, 2))
    all += vec(v.data(), 2);
  EXPECT_EQ(all, "(1,0)(0,0)");
  lists = {{1, 0}, {2, 1}};
  all.clear();
  for (int more = get_1st_state_vec_by_list_states(v.data(), lists, 2); more;
       more = get_nxt_state_vec_by_list_states(v.data(), lists, 2))
    all += vec(v.data(), 2);
  EXPECT_EQ(all, "(1,2)(0,2)(1,1)(0,1)");
}

namespace {

// The legal label-set vectors by the odometer itself (automaton 0 fastest,
// every digit from -1 up), each tested whole: what the pruned search must
// find, in the same order.
std::string odometer_label_set_vectors(bool diag) {
  const int n = N_OF_TA;
  std::vector<int32_t> V(n, -1);
  std::string s;
  for (;;) {
    int a = 0;
    while (a < n && ++V[a] >= TA_nb_label_sets[a]) V[a++] = -1;
    if (a == n) return s;
    const int legal = diag ? is_valid_lab_set_vector_multi_label_diag(V.data(), n)
                           : is_valid_lab_set_vector_multi_label(V.data(), n);
    if (legal) s += vec(V.data(), n);
  }
}

}  // namespace

TEST_F(Product, PrunedLabelSetSearchFindsTheOdometersVectors) {
  // Random networks of two to five one-location graphs whose moves carry
  // random sets of four synchronisation labels (some graphs know only some
  // of them), with and without diagonals.
  std::mt19937 rng(20261209);
  const char *labels[] = {"a", "b", "c", "d"};
  for (int round = 0; round < 60; round++) {
    const int n = 2 + static_cast<int>(rng() % 4);
    std::vector<std::pair<std::string, std::string>> models;
    for (int g = 0; g < n; g++) {
      std::string known, body = "state: 0 invar: true trans:";
      for (const char *l : labels)
        if (rng() % 3 != 0) known += std::string(known.empty() ? "" : " ") + l;
      const int moves = 1 + static_cast<int>(rng() % 4);
      for (int m = 0; m < moves; m++) {
        std::string carried;
        std::istringstream in(known);
        for (std::string l; in >> l;)
          if (rng() % 3 == 0) carried += " " + l;
        body += " true =>" + carried + " ; ; goto 0";
      }
      models.push_back({"g" + std::to_string(g), tg(1, moves, "", known, body + "\n")});
    }
    const bool diag = round % 2 == 1;
    OPT_SET = diag ? OPT_SYNC_DIAG : 0;
    load(models);
    EXPECT_EQ(stored_label_set_vectors(), odometer_label_set_vectors(diag)) << "round " << round;
    free_compo_tables();
  }
}
