// The worklist fix-points against a plain iteration to stability, and the
// reduced graph against the original on random runs: every active clock of
// the original must be read off its new clock in the reduced graph.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "clockpare_test_helpers.h"

namespace {

using CrossCheck = cp_test::Model;

// A random model: invariants are upper bounds (so guards stay enabled),
// guards mix bounds, differences and disjunctions, transitions reset and
// assign clocks at random.
static std::string random_model(std::mt19937 &rng, int states, int clocks, int *trans_out) {
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto name = [](int c) { return "k" + std::to_string(c); };
  std::ostringstream body;
  int trans = 0;
  for (int s = 0; s < states; s++) {
    body << "state: " << s << " invar: ";
    if (pick(3) == 0) body << "true";
    else body << name(pick(clocks)) << " <= 10";
    body << " trans:\n";
    int out = 1 + pick(3);
    for (int k = 0; k < out; k++, trans++) {
      switch (pick(5)) {
        case 0: body << "true"; break;
        case 1: body << name(pick(clocks)) << " > " << pick(5); break;
        case 2: body << name(pick(clocks)) << " <= " << 1 + pick(5); break;
        case 3: body << name(pick(clocks)) << " - " << name(pick(clocks)) << " <= " << 1 + pick(3); break;
        default: body << name(pick(clocks)) << " < 3 or " << name(pick(clocks)) << " >= 1"; break;
      }
      body << " => ; reset{ ";
      std::vector<int> reset(clocks, 0);
      for (int c = 0; c < clocks; c++)
        if (pick(3) == 0) {
          reset[c] = 1;
          body << name(c) << " ";
        }
      body << "} ";
      for (int c = 0; c < clocks; c++) {
        int from = pick(clocks);
        if (!reset[c] && from != c && pick(4) == 0) body << name(c) << ":=" << name(from) << " ";
      }
      body << "; goto " << pick(states) << "\n";
    }
  }
  std::ostringstream text;
  text << "#states " << states << " #trans " << trans << " #clocks " << clocks;
  for (int c = 0; c < clocks; c++) text << " " << name(c);
  text << "\n" << body.str();
  *trans_out = trans;
  return text.str();
}

// Least solution of A(s) ⊇ init(s), A(p) ⊇ pre_act(A(q)) by sweeping every
// transition until nothing changes.
static std::vector<std::vector<unsigned char>> plain_activity() {
  std::vector<std::vector<unsigned char>> a(N_OF_STATES);
  for (int s = 0; s < N_OF_STATES; s++) {
    clock_set init = init_activity_state(s);
    a[s].assign(init, init + N_OF_CLOCKS);
    free_clock_set(init);
  }
  for (bool changed = true; changed;) {
    changed = false;
    for (int t = 0; t < N_OF_TRANS; t++) {
      const trans_rec *tr = trans_table[t];
      clock_set pre = pre_act(a[tr->target].data(), get_reset_clocks2(tr));
      for (int x = 0; x < N_OF_CLOCKS; x++)
        if (pre[x] && !a[tr->source][x]) a[tr->source][x] = 1, changed = true;
      free_clock_set(pre);
    }
  }
  return a;
}

// Greatest solution of E(q) ⊆ post_act(E(p)) from the full relation.
static std::vector<clock_rel> plain_equality() {
  std::vector<clock_rel> e(N_OF_STATES);
  for (auto &r : e) r = new_full_clock_rel();
  for (bool changed = true; changed;) {
    changed = false;
    for (int t = 0; t < N_OF_TRANS; t++) {
      const trans_rec *tr = trans_table[t];
      clock_rel post = post_act(e[tr->source], get_reset_clocks2(tr));
      if (!is_included_clock_rel(e[tr->target], post)) {
        clock_rel both = inter_clock_rel(e[tr->target], post);
        free_clock_rel(e[tr->target]);
        e[tr->target] = both;
        changed = true;
      }
      free_clock_rel(post);
    }
  }
  return e;
}

TEST_F(CrossCheck, WorklistFixPointsEqualPlainIteration) {
  std::mt19937 rng(2024);
  for (int round = 0; round < 40; round++) {
    SCOPED_TRACE(round);
    int trans = 0;
    std::string text = random_model(rng, 2 + round % 6, 1 + round % 5, &trans);
    reduce(text);
    auto a = plain_activity();
    auto e = plain_equality();
    for (int s = 0; s < N_OF_STATES; s++) {
      for (int x = 0; x < N_OF_CLOCKS; x++) EXPECT_EQ(activity_table[s][x], a[s][x]) << text << "loc " << s;
      EXPECT_TRUE(is_included_clock_rel(equality_table[s], e[s]) && is_included_clock_rel(e[s], equality_table[s]))
          << text << "loc " << s;
      free_clock_rel(e[s]);
    }
    cp_test::release_analyses();
  }
}

struct Original {
  int states = 0, clocks = 0;
  std::vector<int> source, target;
  std::vector<std::vector<uint16_t>> vector;      // per transition
  std::vector<std::vector<uint16_t>> renaming;    // per location, old clock -> new clock
  std::vector<std::vector<unsigned char>> active; // per location
};

static Original snapshot_original() {
  Original o;
  o.states = N_OF_STATES;
  o.clocks = N_OF_CLOCKS;
  for (int t = 0; t < N_OF_TRANS; t++) {
    o.source.push_back(trans_table[t]->source);
    o.target.push_back(trans_table[t]->target);
    const uint16_t *v = get_reset_clocks2(trans_table[t]);
    o.vector.emplace_back(v, v + AFFECT_SIZE);
  }
  for (int s = 0; s < N_OF_STATES; s++) {
    o.renaming.emplace_back(clock_ren_table[s]->vector, clock_ren_table[s]->vector + N_OF_CLOCKS);
    o.active.emplace_back(activity_table[s], activity_table[s] + N_OF_CLOCKS);
  }
  return o;
}

TEST_F(CrossCheck, ReducedGraphKeepsEveryActiveClock) {
  std::mt19937 rng(77);
  int checked = 0;
  for (int round = 0; round < 40; round++) {
    SCOPED_TRACE(round);
    int trans = 0;
    std::string text = random_model(rng, 2 + round % 5, 2 + round % 4, &trans);
    reduce(text);
    testing::internal::CaptureStdout();
    print_optim_results();
    print_opt_tg(fopen("m.opt.tg", "w"));
    testing::internal::GetCapturedStdout();
    Original o = snapshot_original();
    std::string reduced = tg_test::read_file("m.opt.tg");
    cp_test::release_analyses();
    testing::internal::CaptureStderr();
    ASSERT_EQ(tg_test::compile_text(reduced), 0) << reduced;
    std::string warnings = testing::internal::GetCapturedStderr();
    // Merged clocks may show a guard to be dead; the parser then drops it
    // and the transitions no longer line up.
    if (N_OF_TRANS != static_cast<int>(o.source.size())) continue;
    checked++;
    ASSERT_EQ(N_OF_STATES, o.states);
    std::vector<long> old_v(o.clocks, 0), new_v(N_OF_CLOCKS, 0);
    int at = 0;
    for (int step = 0; step < 200; step++) {
      for (int x = 1; x < o.clocks; x++)
        if (o.active[at][x]) {
          ASSERT_EQ(new_v[o.renaming[at][x]], old_v[x]) << text << reduced << "loc " << at << " clock " << x;
        }
      if (succs[at] == succs[at + 1]) break;
      long delay = static_cast<long>(rng() % 4);
      for (auto &v : old_v) v += delay;
      for (auto &v : new_v) v += delay;
      old_v[0] = new_v[0] = 0;
      int t = succs[at] + static_cast<int>(rng() % static_cast<unsigned>(succs[at + 1] - succs[at]));
      ASSERT_EQ(trans_table[t]->source, o.source[t]);
      ASSERT_EQ(trans_table[t]->target, o.target[t]);
      std::vector<long> next_old(o.clocks, 0), next_new(N_OF_CLOCKS, 0);
      for (int x = 1; x < o.clocks; x++) next_old[x] = old_v[o.vector[t][x]];
      const uint16_t *nv = get_reset_clocks2(trans_table[t]);
      for (int x = 1; x < N_OF_CLOCKS; x++) next_new[x] = new_v[nv[x]];
      old_v = next_old;
      new_v = next_new;
      at = o.target[t];
    }
  }
  EXPECT_GT(checked, 20);
}

}  // namespace
