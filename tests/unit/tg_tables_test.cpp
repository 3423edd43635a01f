// The timed-graph tables as the parser builds them: numbering of labels and
// propositions, shared clock assignments, the indexes by source and target.
#include <gtest/gtest.h>

#include "common/tg/tg_clocks.h"
#include "tg_test_helpers.h"

using namespace tg_test;

using TgTables = ScratchDir;

TEST(TgNames, HashBuckets) {
  // h = h * 16 + c, with the top four bits folded back in.
  EXPECT_EQ(tg_name_hash("A"), 65u);
  EXPECT_EQ(tg_name_hash("AB"), 65u * 16 + 66);
  // Eight characters push bits into the top nibble, which is folded.
  EXPECT_EQ(tg_name_hash("ABCDEFGH"), 0x6789ee8u);
  EXPECT_EQ(my_hash_prop("ABCDEFGH"), static_cast<int>(0x6789ee8u % 11));
}

TEST_F(TgTables, LabelsAndPropositionsNumberedFromTheLastWritten) {
  ASSERT_EQ(compile_text("#states 2 #trans 2 #clocks 1 x #sync s\n"
                         "state: 0 prop: p q invar: true trans: true => a b ; ; goto 1\n"
                         "state: 1 prop: q invar: x<1 trans: true => b s b ; ; goto 0\n"),
            0);
  // Labels: S first (#sync), then B and A (the list is read last to first).
  ASSERT_EQ(N_OF_LABELS, 3);
  EXPECT_EQ(label_tab[0]->name, "S");
  EXPECT_EQ(label_tab[0]->kind, 'S');
  EXPECT_EQ(find_label("B"), 1);
  EXPECT_EQ(find_label("A"), 2);
  EXPECT_EQ(label_tab[2]->kind, 'N');
  EXPECT_EQ(find_label("C"), -1);
  // A transition's labels stand in label-index order, repeats kept.
  EXPECT_EQ(trans_labels[0], (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(trans_labels[1], (std::vector<int32_t>{0, 1, 1}));
  ASSERT_EQ(N_OF_PROPS, 2);
  EXPECT_EQ(find_prop("Q"), 0);
  EXPECT_EQ(find_prop("P"), 1);
  EXPECT_EQ(states_props[0], (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(states_props[1], (std::vector<int32_t>{0}));
  std::string line;
  char *buf = nullptr;
  size_t len = 0;
  FILE *f = open_memstream(&buf, &len);
  fprint_props(f, 0);
  fprint_propositions(f, 1);
  fclose(f);
  EXPECT_STREQ(buf, "prop: Q P\npropositions: Q\n");
  free(buf);
}

TEST_F(TgTables, SuccessorAndPredecessorIndexes) {
  ASSERT_EQ(compile_text("#states 3 #trans 5 #clocks 1 x\n"
                         "state: 0 invar: true trans: x<1 => ; ; goto 2 x<2 => ; ; goto 1 x<3 => ; ; goto 2\n"
                         "state: 1 invar: true trans:\n"
                         "state: 2 invar: true trans: x<4 => ; ; goto 2 x<5 => ; ; goto 0\n"),
            0);
  ASSERT_EQ(N_OF_TRANS, 5);
  EXPECT_EQ(succs, (std::vector<int32_t>{0, 3, 3, 5}));  // location 1 has none
  EXPECT_EQ(preds, (std::vector<int32_t>{0, 1, 2, 5}));
  // Within one target, transitions stand in reverse file order.
  EXPECT_EQ(corresp_succ_pred, (std::vector<int32_t>{4, 1, 3, 2, 0}));
  for (int t = 0; t < N_OF_TRANS; t++) EXPECT_EQ(trans_table_preds[corresp_succ_pred[t]], trans_table[t]);
  EXPECT_EQ(region_text(list_reg[trans_table[3]->guard]), "X<4");
  EXPECT_EQ(get_invar_zone(1), list_reg[inv[1]]->zones[0]);
  EXPECT_EQ(get_cond_zone(trans_table[0]), list_reg[trans_table[0]->guard]->zones[0]);
}

TEST_F(TgTables, EqualZonesAreSharedThroughTheHashTable) {
  ASSERT_EQ(compile_text("#states 2 #trans 2 #clocks 1 x\n"
                         "state: 0 invar: x <= 3 trans: x <= 3 => ; ; goto 1\n"
                         "state: 1 invar: true trans: x <= 3 => ; ; goto 0\n"),
            0);
  // Invariant 0 and both guards are x <= 3: three regions, one zone.
  ASSERT_EQ(N_OF_REGIONS, 5);
  zone *z = list_reg[inv[0]]->zones[0];
  EXPECT_EQ(list_reg[trans_table[0]->guard]->zones[0], z);
  EXPECT_EQ(list_reg[trans_table[1]->guard]->zones[0], z);
}

TEST_F(TgTables, DroppedTransitionsAreNotNumbered) {
  testing::internal::CaptureStderr();
  ASSERT_EQ(compile_text("#states 1 #trans 2 #clocks 1 x\n"
                         "state: 0 invar: x <= 3 trans: x > 3 => a ; ; goto 0 x = 3 => b ; ; goto 0\n"),
            0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "varnok: Warning: transition 0 from 0 to 0 is not enabled, I ignored it\n");
  ASSERT_EQ(N_OF_TRANS, 1);
  EXPECT_EQ(N_OF_LABELS, 1);  // the label of the dropped transition is not recorded
  EXPECT_EQ(label_tab[0]->name, "B");
  EXPECT_EQ(region_text(list_reg[trans_table[0]->guard]), "X=3");
}

class TgClocks : public ::testing::Test {
 protected:
  void SetUp() override {
    static char x[] = "x", y[] = "y", z[] = "z";
    static char *names[] = {x, y, z};
    init_zone_module(3, 0, names);
    open_affect_set(3);
  }
  void TearDown() override { free_affect_set(); }
  static std::string text(const clock_affect *a) {
    char *buf = nullptr;
    size_t len = 0;
    FILE *f = open_memstream(&buf, &len);
    fprint_clock_affect(f, a);
    fclose(f);
    std::string s(buf, len);
    free(buf);
    return s;
  }
};

TEST_F(TgClocks, ModesVectorsAndWarnings) {
  clock_affect *a = new_clock_affect();
  EXPECT_EQ(a->affect, (std::vector<uint16_t>{0, 1, 2, 3}));
  EXPECT_EQ(text(a), "RESET{} ; ");
  testing::internal::CaptureStderr();
  add_affect(a, 1, 1);  // x := x: warned, nothing changes
  EXPECT_EQ(a->mode, AFFECT_NONE);
  add_reset(a, 2);
  EXPECT_EQ(a->mode, AFFECT_RESET);
  EXPECT_EQ(text(a), "RESET{ y } ; ");
  add_affect(a, 2, 3);  // y was reset: affected twice
  add_affect(a, 1, 3);
  add_reset(a, 1);      // x held z: affected twice
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "varnok: Warning: clock x is self-affected\n"
            "varnok: Warning: clock y is affected twice\n"
            "varnok: Warning: clock x is affected twice\n");
  EXPECT_EQ(a->mode, AFFECT_ASSIGN);
  EXPECT_EQ(a->affect, (std::vector<uint16_t>{0, 0, 3, 3}));
  EXPECT_EQ(text(a), "RESET{ x }, y:=z ; ");
  free_clock_affect(a);
}

TEST_F(TgClocks, EqualRecordsOfOneModeAreShared) {
  clock_affect *a = new_clock_affect();
  add_reset(a, 1);
  clock_affect *stored = insert_affect(a);
  EXPECT_EQ(stored, a);
  clock_affect *b = new_clock_affect();
  add_reset(b, 1);
  EXPECT_EQ(insert_affect(b), a);  // b is freed
  clock_affect *c = new_clock_affect();
  add_affect(c, 1, 0);  // the same vector reached by x := 0 ...
  add_affect(c, 2, 3);
  add_affect(c, 2, 2);  // ... and an assignment undone: mode 2, vector equal to a's
  testing::internal::CaptureStderr();
  clock_affect *d = insert_affect(c);
  testing::internal::GetCapturedStderr();
  EXPECT_NE(d, a);
  EXPECT_EQ(get_affect(AFFECT_ASSIGN), c);
  EXPECT_EQ(get_affect(AFFECT_RESET), a);
  EXPECT_EQ(get_affect(AFFECT_NONE), nullptr);
}

TEST(TgClocksDeath, UnknownModeEndsTheRun) {
  clock_affect a{7, {0, 1}, nullptr};
  EXPECT_EXIT(fprint_clock_affect(stdout, &a), testing::ExitedWithCode(255), "affect_mode_unknown");
}
