// The table view of the forward side on a small one-graph model (unions,
// diagonal constraints, resets and copies, labels and propositions) and on
// a product of two automata (clock bases, global pieces, the moves of the
// synchronisation iterator, location formulas), and the enumerator of the
// initial location vectors.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "compo_test_helpers.h"
#include "eval_test_util.h"
#include "simul_test_util.h"
#include "common/tctl/tctl_syntax.h"
#include "varnok/compo_tables.h"
#include "varnok/initial_vectors.h"
#include "varnok/location_goal.h"
#include "varnok/tables_view.h"

namespace {

using constraints = std::set<std::tuple<int, int, int16_t>>;

constraints of(const lu::piece &p) {
  constraints s;
  for (const flat::constraint &c : p) s.insert({c.i, c.j, c.b});
  return s;
}

// The moves at key, in the view's order.
std::vector<std::vector<int32_t>> moves_at(const lu::tables_view &v, std::vector<uint16_t> key) {
  std::vector<std::vector<int32_t>> out;
  std::vector<int32_t> w(v.nb_automata());
  for (int c = v.first_move(key.data(), w.data()); c >= 0; c = v.next_move(key.data(), w.data(), c)) out.push_back(w);
  return out;
}

const std::string ONE_GRAPH = R"(#states 3
#trans 4
#clocks 2
x y
state: 0
prop: INIT A
invar: x <= 2 or y <= 1
trans:
x - y < 1 => go ; reset{ x } ; goto 1
x >= 1 or y < 1 => back ; y := x ; goto 2
state: 1
prop: B
invar: true
trans:
true => go ; ; goto 0
state: 2
prop:
invar: y <= 3
trans:
y >= 5 or y <= 1 => never ; ; goto 0
)";

class TablesViewSingle : public eval_test::Scratch {};

TEST_F(TablesViewSingle, PiecesAssignmentsMovesLabelsAndPropositions) {
  simul_test::redirected(nullptr, [] { return eval_test::load(ONE_GRAPH, "init"); });
  load_props_labels();
  const lu::tables_view v = lu::tables_view::single();
  ASSERT_FALSE(v.is_product());
  ASSERT_EQ(v.nb_automata(), 1);
  ASSERT_EQ(v.dim(), N_OF_CLOCKS);
  const lu::automaton &a = v.aut(0);
  EXPECT_EQ(a.base, 0);
  EXPECT_EQ(a.dim, 3);
  EXPECT_EQ(a.global(0), 0);
  EXPECT_EQ(a.global(2), 2);
  ASSERT_EQ(a.nb_locations, 3);
  ASSERT_EQ(a.nb_transitions, 4);
  // A union invariant gives one piece per zone; true gives one empty piece.
  ASSERT_EQ(a.inv[0].size(), 2u);
  EXPECT_EQ(of(a.inv[0][0]), (constraints{{1, 0, mk_bound(2, 1)}}));
  EXPECT_EQ(of(a.inv[0][1]), (constraints{{2, 0, mk_bound(1, 1)}}));
  ASSERT_EQ(a.inv[1].size(), 1u);
  EXPECT_TRUE(a.inv[1][0].empty());
  EXPECT_TRUE(a.past_closed);
  EXPECT_FALSE(a.diagonal_free);
  // A diagonal piece keeps every finite entry of its closed matrix.
  ASSERT_EQ(a.guard[0].size(), 1u);
  EXPECT_TRUE(of(a.guard[0][0]).count({1, 2, mk_bound(1, 0)}));
  ASSERT_EQ(a.guard_local[0].size(), 1u);
  size_t finite = 0;
  for (int p = 0; p < 9; p++) {
    const int16_t b = a.guard_local[0][0][p];
    finite += p % 4 != 0 && b != INF_BOUND && !(p < 3 && b == ZERO_LE);
  }
  EXPECT_EQ(a.guard[0][0].size(), finite);
  // Pieces that are empty once closed are skipped (y >= 5 within y <= 3),
  // and zone_of_piece finds the region's zone of a piece again.
  ASSERT_EQ(a.guard[3].size(), 1u);
  EXPECT_EQ(of(a.guard[3][0]), (constraints{{2, 0, mk_bound(1, 1)}}));
  EXPECT_EQ(lu::zone_of_piece(a.guard_region(3), 1, a.dim), -1);
  for (int t : {1, 3})
    for (int p = 0; p < static_cast<int>(a.guard[t].size()); p++) {
      const int z = lu::zone_of_piece(a.guard_region(t), p, a.dim);
      ASSERT_GE(z, p);
      EXPECT_EQ(lu::closed_pieces(a.guard_region(t), a.dim)[p], a.guard_local[t][p]);
    }
  // Resets and copies, locally and globally.
  EXPECT_EQ(a.assign[0], (std::vector<uint16_t>{0, 0, 2}));
  EXPECT_EQ(a.assign[1], (std::vector<uint16_t>{0, 1, 1}));
  EXPECT_EQ(a.assign[2], (std::vector<uint16_t>{0, 1, 2}));
  for (int t = 0; t < a.nb_transitions; t++)
    for (int k = 0; k < a.dim; k++) EXPECT_EQ(a.assign[t][k], lu::source_clock(a.transition(t), k));
  std::vector<uint16_t> g{0, 1, 2};
  a.assign_into(1, g.data());
  EXPECT_EQ(g, (std::vector<uint16_t>{0, 1, 1}));
  // Moves: the transitions leaving the location, in order.
  EXPECT_EQ(moves_at(v, {0}), (std::vector<std::vector<int32_t>>{{0}, {1}}));
  EXPECT_EQ(moves_at(v, {1}), (std::vector<std::vector<int32_t>>{{2}}));
  EXPECT_EQ(a.first_out(2), 3);
  EXPECT_EQ(a.source(3), 2);
  EXPECT_EQ(a.target(3), 0);
  // Labels and propositions by name.
  std::vector<std::string> labels;
  for (int t = 0; t < a.nb_transitions; t++)
    for (int32_t l : a.labels(t)) labels.push_back(a.label_name(l));
  EXPECT_EQ(labels, (std::vector<std::string>{"GO", "BACK", "GO", "NEVER"}));
  std::vector<std::string> props;
  for (int32_t p : a.props(0)) props.push_back(a.prop_name(p));
  EXPECT_EQ(props, (std::vector<std::string>{"A", "INIT"}));  // as the .prop file keeps them
  EXPECT_TRUE(a.props(2).empty());
  EXPECT_EQ(lu::tables_view::location_counts(false), std::vector<int>{3});
}

const std::string P = compo_test::tg(2, 2, "x", "go", R"(state: 0
prop: INIT
invar: x <= 3
trans:
x >= 1 => go ; reset{ x } ; goto 1
true => loc ; ; goto 1
state: 1
prop: P1
invar: true
trans:
)");

const std::string Q = compo_test::tg(3, 2, "y z", "go", R"(state: 0
prop: Q0
invar: true
trans:
y <= 2 => go ; z := y ; goto 2
state: 1
prop: INIT
invar: y - z <= 1
trans:
state: 2
prop: Q2
invar: true
trans:
true => go ; ; goto 1
)");

class TablesViewProduct : public compo_test::Product {};

TEST_F(TablesViewProduct, BasesGlobalPiecesMovesAndFormulas) {
  load({{"p", P}, {"q", Q}});
  if (HasFatalFailure()) return;
  build_global_label_tables();
  const lu::tables_view v = lu::tables_view::product();
  ASSERT_TRUE(v.is_product());
  ASSERT_EQ(v.nb_automata(), 2);
  ASSERT_EQ(v.dim(), 4);
  const lu::automaton &p = v.aut(0), &q = v.aut(1);
  for (int a = 0; a < 2; a++)
    for (int k = 1; k < v.aut(a).dim; k++) EXPECT_EQ(v.aut(a).global(k), encode_clock_index(k, a)) << a << k;
  EXPECT_EQ(p.dim, 2);
  EXPECT_EQ(q.dim, 3);
  // Pieces over the global clocks: q's y - z <= 1 is y - z of the product.
  EXPECT_EQ(of(p.inv[0][0]), (constraints{{1, 0, mk_bound(3, 1)}}));
  const int y = q.global(1), z = q.global(2);
  EXPECT_TRUE(of(q.inv[1][0]).count({y, z, mk_bound(1, 1)}));
  EXPECT_TRUE(p.diagonal_free);
  EXPECT_FALSE(q.diagonal_free);
  // q's copy z := y, globally; p's entries untouched.
  std::vector<uint16_t> g{0, 1, 2, 3};
  q.assign_into(0, g.data());
  EXPECT_EQ(g, (std::vector<uint16_t>{0, 1, static_cast<uint16_t>(y), static_cast<uint16_t>(y)}));
  // The moves of the synchronisation iterator, as it gives them.
  std::vector<int32_t> vec{0, 0}, w(2);
  std::vector<std::vector<int32_t>> want;
  for (int c = trans_sync_get_1st(vec.data(), w.data(), 2); c >= 0; c = trans_sync_get_nxt(vec.data(), w.data(), 2, c))
    want.push_back(w);
  EXPECT_EQ(moves_at(v, {0, 0}), want);
  EXPECT_FALSE(want.empty());
  // Labels and propositions of each row.
  EXPECT_EQ(q.label_name(q.labels(0)[0]), "GO");
  EXPECT_EQ(p.prop_name(p.props(1)[0]), "P1");
  EXPECT_EQ(lu::tables_view::location_counts(true), (std::vector<int>{2, 3}));
  // Location formulas and the initial vectors: "init" takes the INIT
  // locations (p: 0, q: 1).
  tctl_node init{};
  init.kind = TCTL_INIT;
  const uint16_t at_init[] = {0, 1}, elsewhere[] = {1, 1};
  EXPECT_TRUE(lu::location_goal(&init, 2).holds(at_init));
  EXPECT_FALSE(lu::location_goal(&init, 2).holds(elsewhere));
  EXPECT_TRUE(lu::location_goal(nullptr, 2).holds(elsewhere));
  std::vector<std::vector<int32_t>> initial;
  for_each_initial_location_vector(&init, [&](const int32_t *iv) { initial.emplace_back(iv, iv + 2); });
  EXPECT_EQ(initial, (std::vector<std::vector<int32_t>>{{0, 1}}));
  // No formula: every location vector, automaton 1 fastest.
  initial.clear();
  for_each_initial_location_vector(nullptr, [&](const int32_t *iv) { initial.emplace_back(iv, iv + 2); });
  EXPECT_EQ(initial, (std::vector<std::vector<int32_t>>{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}}));
}

}  // namespace
