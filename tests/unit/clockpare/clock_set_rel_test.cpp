// Clock sets and clock relations: sizes and printing ignore the reference
// clock, inclusion does not; the full relation's shape.
#include <gtest/gtest.h>

#include "clockpare/clock_rel.h"
#include "clockpare/clock_set.h"
#include "clockpare_test_helpers.h"
#include "common/tg/tg_constants.h"
#include "common/zone/zone.h"

using cp_test::print_to_string;
using cp_test::set_text;

namespace {

class ClockValues : public ::testing::Test {
 protected:
  void SetUp() override {
    char x[] = "X", y[] = "Y", z[] = "Z";
    char *names[] = {x, y, z};
    N_OF_EXTRA_CLOCKS = 0;
    init_zone_module(3, 0, names);
  }
  void TearDown() override { N_OF_STATES = 0; }
};

TEST_F(ClockValues, SetsCountAndPrintFromClockOne) {
  clock_set only0 = add_clock_clock_set(0, new_empty_clock_set());
  EXPECT_EQ(get_clock_set_size(only0), 0);
  EXPECT_EQ(set_text(only0), "{ } ");
  EXPECT_FALSE(is_empty_clock_set(only0));

  clock_set full = new_full_clock_set();
  clock_set full2 = new_full_clock_set2();
  EXPECT_TRUE(is_full_clock_set(full));
  EXPECT_FALSE(is_full_clock_set(full2));
  EXPECT_TRUE(is_full_clock_set2(full2));
  EXPECT_EQ(get_clock_set_size(full), 3);
  EXPECT_EQ(get_clock_set_size(full2), 3);
  EXPECT_EQ(set_text(full), "{ X Y Z } ");

  // Inclusion looks at entry 0 as well.
  EXPECT_FALSE(is_included_clock_set(full, full2));
  EXPECT_TRUE(is_included_clock_set(full2, full));
  EXPECT_FALSE(is_included_clock_set(only0, full2));

  clock_set xz = add_clock_clock_set(3, add_clock_clock_set(1, new_empty_clock_set()));
  clock_set y0 = add_clock_clock_set(2, copy_clock_set(only0));
  clock_set u = union_clock_set(xz, y0), i = inter_clock_set(u, full2), d = diff_clock_set(full, xz);
  EXPECT_TRUE(is_full_clock_set(u));
  EXPECT_EQ(set_text(i), "{ X Y Z } ");
  EXPECT_FALSE(is_clock_in_clock_set(0, i));
  EXPECT_EQ(set_text(d), "{ Y } ");
  EXPECT_TRUE(is_clock_in_clock_set(0, d));
  EXPECT_EQ(set_text(del_clock_clock_set(2, d)), "{ } ");
  EXPECT_EQ(set_text(xz), "{ X Z } ");  // the operands are unchanged
  for (clock_set s : {only0, full, full2, xz, y0, u, i, d}) free_clock_set(s);
}

TEST_F(ClockValues, FullRelationShapeAndOperations) {
  clock_rel full = new_full_clock_rel();
  EXPECT_TRUE(is_full_clock_rel2(full));
  EXPECT_FALSE(is_full_clock_rel(full));  // rows from 1 lack clock 0
  EXPECT_TRUE(is_refl_clock_rel(full));
  EXPECT_FALSE(is_sym_clock_rel(full));  // (0, x) without (x, 0)
  del_elem_clock_rel(1, 2, full);
  EXPECT_FALSE(is_full_clock_rel2(full));
  add_elem_clock_rel(1, 2, full);
  add_elem_clock_rel(2, 0, full);  // more than the full shape is not full either
  EXPECT_FALSE(is_full_clock_rel2(full));
  EXPECT_TRUE(is_full_clock_rel(add_elem_clock_rel(1, 0, add_elem_clock_rel(3, 0, full))));

  clock_rel id = new_sym_clock_rel(), empty = new_empty_clock_rel();
  EXPECT_TRUE(is_refl_clock_rel(id));
  EXPECT_TRUE(is_sym_clock_rel(id));
  EXPECT_TRUE(is_empty_clock_rel(empty));
  EXPECT_TRUE(is_included_clock_rel(empty, id));
  EXPECT_TRUE(is_included_clock_rel(id, full));
  EXPECT_FALSE(is_included_clock_rel(full, id));
  add_elem_clock_rel_sym(1, 3, id);
  EXPECT_TRUE(is_elem_in_clock_rel(3, 1, id));
  EXPECT_TRUE(is_sym_clock_rel(id));
  clock_rel c = copy_clock_rel(id);
  del_elem_clock_rel_sym(3, 1, id);
  EXPECT_FALSE(is_elem_in_clock_rel(1, 3, id));
  EXPECT_TRUE(is_elem_in_clock_rel(1, 3, c));  // the copy is its own

  clock_rel u = union_clock_rel(id, c), i = inter_clock_rel(id, c), d = diff_clock_rel(c, id);
  EXPECT_TRUE(is_included_clock_rel(c, u) && is_included_clock_rel(u, c));
  EXPECT_TRUE(is_included_clock_rel(i, id) && is_included_clock_rel(id, i));
  EXPECT_TRUE(is_elem_in_clock_rel(1, 3, d) && is_elem_in_clock_rel(3, 1, d));
  EXPECT_FALSE(is_elem_in_clock_rel(1, 1, d));
  EXPECT_EQ(is_trans_clock_rel(d), 1);

  EXPECT_EQ(print_to_string([&](FILE *f) { fprint_clock_rel(f, c); }),
            "rel(X)\t: { X Z } \nrel(Y)\t: { Y } \nrel(Z)\t: { X Z } \n\n");
  for (clock_rel r : {full, id, empty, c, u, i, d}) free_clock_rel(r);
}

TEST_F(ClockValues, TablesPerLocation) {
  N_OF_STATES = 2;
  clock_set_table sets = new_clock_set_table();
  EXPECT_TRUE(is_empty_clock_set_table(sets));
  add_clock_clock_set(2, sets[1]);
  EXPECT_FALSE(is_empty_clock_set_table(sets));
  EXPECT_EQ(print_to_string([&](FILE *f) { fprint_clock_set_table(f, sets); }),
            "act(0) = { } \nact(1) = { Y } \n\n");
  free_clock_set_table(sets);

  clock_rel_table rels = new_clock_rel_table();
  EXPECT_EQ(rels[0], nullptr);
  EXPECT_FALSE(is_full_clock_rel_table(rels));  // absent relations are not full
  EXPECT_TRUE(is_empty_clock_rel_table(rels));
  rels[0] = new_full_clock_rel();
  rels[1] = new_full_clock_rel();
  EXPECT_TRUE(is_full_clock_rel_table(rels));
  EXPECT_FALSE(is_empty_clock_rel_table(rels));
  free_clock_rel(rels[1]);
  rels[1] = new_sym_clock_rel();
  EXPECT_FALSE(is_full_clock_rel_table(rels));
  EXPECT_EQ(print_to_string([&](FILE *f) { fprint_clock_rel_table(f, rels); }),
            "state 0:\n\nrel(X)\t: { X Y Z } \nrel(Y)\t: { X Y Z } \nrel(Z)\t: { X Y Z } \n\n"
            "state 1:\n\nrel(X)\t: { X } \nrel(Y)\t: { Y } \nrel(Z)\t: { Z } \n\n");
  free_clock_rel_table(rels);
}

}  // namespace
