// The -abs lu search allocates nothing per state: counted by replacing the
// global allocation functions of this test binary (they only count while
// a test asks them to), on Fischer's protocol for 4 and 6 processes, whose
// explored states grow tenfold while the allocations (the store's chunks,
// the doubling of its hash table and of the queue, the result) stay within
// a small number that grows with the logarithm at most.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "compo_test_helpers.h"
#include "common/tctl/tctl_main.h"
#include "varnok/lu_model.h"
#include "varnok/lu_search.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}  // namespace

// Not inlined: a free() seen through a delete of a new'd object is (wrongly)
// taken by the compiler for a mismatch.
__attribute__((noinline)) void *operator new(std::size_t n) {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
  if (void *p = std::malloc(n == 0 ? 1 : n)) return p;
  throw std::bad_alloc();
}
void *operator new[](std::size_t n) { return operator new(n); }
__attribute__((noinline)) void operator delete(void *p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void *p, std::size_t) noexcept { operator delete[](p); }

namespace {

// Process i of Fischer's protocol (constant 10) and the shared variable, as
// the benchmark writes them; location 0 of each is initial.
std::string fischer_process(int i) {
  const std::string s = std::to_string(i);
  return compo_test::tg(4, 5, "X" + s, "ZERO_" + s + " SET_" + s + " TEST_" + s + " RESET_" + s,
                        "state: 0\nprop: INIT\ninvar: true\ntrans:\ntrue => ZERO_" + s + " ; reset{ X" + s +
                            " } ; goto 1\n\nstate: 1\nprop: REQ" + s + "\ninvar: X" + s + " <= 10\ntrans:\nX" + s +
                            " <= 10 => SET_" + s + " ; reset{ X" + s + " } ; goto 2\n\nstate: 2\nprop: WAIT" + s +
                            "\ninvar: true\ntrans:\ntrue => ZERO_" + s + " ; reset{ X" + s + " } ; goto 1\nX" + s +
                            " > 10 => TEST_" + s + " ; ; goto 3\n\nstate: 3\nprop: CS" + s +
                            "\ninvar: true\ntrans:\ntrue => RESET_" + s + " ; ; goto 0\n");
}

std::string fischer_id(int n) {
  std::string sync, body;
  int trans = 0;
  for (int i = 1; i <= n; i++) {
    const std::string s = std::to_string(i);
    sync += (i > 1 ? " " : "") + ("ZERO_" + s + " SET_" + s + " TEST_" + s + " RESET_" + s);
  }
  for (int v = 0; v <= n; v++) {
    body += "state: " + std::to_string(v) + "\nprop: " + (v == 0 ? "INIT " : "") + "id" + std::to_string(v) +
            "\ninvar: true\ntrans:\n";
    for (int i = 1; i <= n; i++) {
      const std::string s = std::to_string(i);
      if (v == 0) body += "true => ZERO_" + s + " ; ; goto 0\n", trans++;
      body += "true => SET_" + s + " ; ; goto " + s + "\n", trans++;
      if (v == i) body += "true => TEST_" + s + " ; ; goto " + s + "\n", trans++;
      body += "true => RESET_" + s + " ; ; goto 0\n", trans++;
    }
    body += "\n";
  }
  return compo_test::tg(n + 1, trans, "", sync, body);
}

tctl_node *parse(const std::string &text) {
  FILE *in = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
  FILE *echo = fopen("/dev/null", "w");
  EXPECT_EQ(tctl_parse_formula(in, echo), 0) << text;
  fclose(in);
  fclose(echo);
  return tctl_formula();
}

class LuAllocations : public compo_test::Product {
 protected:
  void unload() {
    free_compo_tables();
    free_zone(TA_approx_zone);
    TA_approx_zone = nullptr;
    clear_tg_tables();
    free_zone_table();
  }
  // The explored states and the allocations of a whole search of Fischer
  // for n processes (no goal: every state is explored).
  std::pair<long long, long> search(int n, bool dfs) {
    std::vector<std::pair<std::string, std::string>> models;
    for (int i = 1; i <= n; i++) models.push_back({"p" + std::to_string(i), fischer_process(i)});
    models.push_back({"id", fischer_id(n)});
    if (loaded_) unload();  // the last one is freed by TearDown
    loaded_ = true;
    load(models);
    if (HasFatalFailure()) return {0, 0};
    tctl_node *init = parse("init");
    tctl_node *goal = parse("CS1 and CS2");
    lu::model m = lu::model::product(goal, lu::initial_mode::from_zero);
    m.drop_goal();
    lu::search_params p;
    p.dfs = dfs;
    allocations = 0;
    counting = true;
    const lu::result r = lu::search_model(m, nullptr, init, p);
    counting = false;
    EXPECT_EQ(r.verdict, 0);
    return {r.stats.explored, allocations.load()};
  }
  bool loaded_ = false;
};

TEST_F(LuAllocations, NoneGrowsWithTheStates) {
  for (bool dfs : {false, true}) {
    const auto [small_explored, small_allocs] = search(4, dfs);
    const auto [large_explored, large_allocs] = search(6, dfs);
    ASSERT_GT(large_explored, 10 * small_explored) << dfs;
    EXPECT_LT(large_allocs, 400) << "explored " << large_explored << " dfs " << dfs;
    EXPECT_LT(large_allocs, small_allocs + 60) << "from " << small_explored << " to " << large_explored << " explored";
  }
}

}  // namespace
