// The sharded store of the parallel search against the one-thread store:
// offered the same zones in the same order, it refuses and covers exactly
// as the one-thread store does (same live zones per discrete state, same
// counts, parents and moves kept); offered zones from several threads at
// once, each thread offering the zones of the shards it owns, it gives the
// same antichains as the one-thread store. The barrier that separates the
// parallel search's phases runs its completion once between rounds.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <random>
#include <thread>
#include <vector>

#include "common/zone/zone.h"
#include "varnok/concurrent_store.h"
#include "varnok/flat_zone.h"
#include "varnok/state_store.h"

namespace {

constexpr int DIM = 3, KEY = 2;
using matrix = std::vector<int16_t>;
using key_t = std::vector<uint16_t>;

struct offer {
  key_t key;
  matrix zone;
};

// Closed non-empty zones over two clocks with small constants (many of
// them include one another) at one of 12 discrete states.
std::vector<offer> random_offers(unsigned seed, int n) {
  std::mt19937 gen(seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
  std::vector<offer> v;
  while (static_cast<int>(v.size()) < n) {
    matrix m(DIM * DIM);
    flat::set_zero(m.data(), DIM);
    flat::up(m.data(), DIM);
    bool ok = true;
    for (int k = pick(0, 3); k > 0 && ok; k--) {
      int i = pick(0, DIM - 1), j = pick(0, DIM - 1);
      if (i == j) continue;
      ok = flat::constrain(m.data(), DIM, i, j, mk_bound(pick(-4, 4), pick(0, 1)));
    }
    if (ok) v.push_back({{static_cast<uint16_t>(pick(0, 3)), static_cast<uint16_t>(pick(0, 2))}, m});
  }
  return v;
}

// The live zones of a store per discrete state, sorted.
template <typename Zone>
std::map<key_t, std::vector<matrix>> live_zones(int32_t size, Zone zone_of) {
  std::map<key_t, std::vector<matrix>> out;
  key_t key(KEY);
  matrix z(DIM * DIM);
  for (int32_t id = 0; id < size; id++)
    if (zone_of(id, key.data(), z.data())) out[key].push_back(z);
  for (auto &e : out) std::sort(e.second.begin(), e.second.end());
  return out;
}

std::map<key_t, std::vector<matrix>> live_zones(const lu::concurrent_store &cs) {
  std::map<key_t, std::vector<matrix>> out;
  for (int s = 0; s < cs.nb_shards(); s++) {
    const lu::state_store &st = cs.shard(s);
    for (auto &[k, zs] : live_zones(st.size(), [&](int32_t id, uint16_t *key, int16_t *z) {
           return cs.copy_live(cs.global_id(s, id), key, z);
         }))
      for (auto &z : zs) out[k].push_back(z);
  }
  for (auto &e : out) std::sort(e.second.begin(), e.second.end());
  return out;
}

TEST(ConcurrentStore, OneThreadRefusesAndCoversAsTheStoreDoes) {
  for (unsigned seed = 1; seed <= 20; seed++) {
    const std::vector<offer> offers = random_offers(seed, 300);
    lu::state_store seq(DIM, KEY);
    lu::concurrent_store par(DIM, KEY, 2 + static_cast<int>(seed % 4));
    std::vector<int32_t> ids;
    for (size_t i = 0; i < offers.size(); i++) {
      const int32_t parent = i == 0 ? -1 : ids[(i * 7) % ids.size()];
      const int32_t s = seq.insert(offers[i].key.data(), offers[i].zone.data(), parent, static_cast<int32_t>(i));
      const lu::concurrent_store::offer p =
          par.insert(offers[i].key.data(), offers[i].zone.data(), parent, static_cast<int32_t>(i));
      ASSERT_EQ(s >= 0, p.id >= 0) << "seed " << seed << " offer " << i;
      if (p.id >= 0) {
        ids.push_back(p.id);
        EXPECT_EQ(par.parent(p.id), parent);
        EXPECT_EQ(par.move(p.id), static_cast<int32_t>(i));
      } else {
        // The includer is a live state at the same discrete state, and includes the zone.
        key_t key(KEY);
        matrix z(DIM * DIM);
        ASSERT_TRUE(par.copy_live(p.includer, key.data(), z.data()));
        EXPECT_EQ(key, offers[i].key);
        EXPECT_TRUE(flat::included(offers[i].zone.data(), z.data(), DIM));
      }
    }
    EXPECT_EQ(par.size(), seq.size());
    EXPECT_EQ(par.nb_covered(), seq.nb_covered());
    EXPECT_EQ(live_zones(par), live_zones(seq.size(), [&](int32_t id, uint16_t *key, int16_t *z) {
                if (seq.covered(id)) return false;
                std::copy(seq.key_of(id), seq.key_of(id) + KEY, key);
                std::copy(seq.zone_of(id), seq.zone_of(id) + DIM * DIM, z);
                return true;
              }));
  }
}

// The parallel search's second phase: each of four threads offers, in the
// sequential order, the zones whose shard it owns (shard mod 4), with no
// lock; then all four read every state at once. The store ends as the
// one-thread store offered everything in order: the same live zones per
// discrete state, the same counts, every state's parent and move kept.
TEST(ConcurrentStore, OwnersStoringTheirShardsGiveTheSequentialAntichains) {
  for (unsigned seed = 1; seed <= 8; seed++) {
    constexpr int THREADS = 4;
    const std::vector<offer> offers = random_offers(seed * 31, 600);
    lu::state_store seq(DIM, KEY);
    for (size_t i = 0; i < offers.size(); i++)
      seq.insert(offers[i].key.data(), offers[i].zone.data(), -1, static_cast<int32_t>(i));
    lu::concurrent_store par(DIM, KEY, 2 + static_cast<int>(seed % 3));
    par.track_covers();
    std::vector<std::vector<std::pair<int32_t, int32_t>>> stored(THREADS);  // per owner: (id, offer)
    std::vector<long long> read(THREADS, 0);
    lu::spin_barrier between(THREADS);
    std::vector<std::thread> threads;
    for (int t = 0; t < THREADS; t++)
      threads.emplace_back([&, t] {
        for (size_t i = 0; i < offers.size(); i++) {
          const int s = par.shard_for(offers[i].key.data());
          if (s % THREADS != t) continue;
          const lu::concurrent_store::offer o =
              par.insert(s, offers[i].key.data(), offers[i].zone.data(), -1, static_cast<int32_t>(i));
          if (o.id >= 0) stored[t].push_back({o.id, static_cast<int32_t>(i)});
        }
        between.arrive_and_wait();
        key_t key(KEY);
        matrix z(DIM * DIM);
        for (int s = 0; s < par.nb_shards(); s++)
          for (int32_t l = 0; l < par.shard(s).size(); l++) read[t] += par.copy_live(par.global_id(s, l), key.data(), z.data());
      });
    for (std::thread &t : threads) t.join();
    EXPECT_EQ(par.size(), seq.size()) << "seed " << seed;
    EXPECT_EQ(par.nb_covered(), seq.nb_covered()) << "seed " << seed;
    for (int t = 0; t < THREADS; t++) EXPECT_EQ(read[t], par.size() - par.nb_covered());
    EXPECT_EQ(live_zones(par), live_zones(seq.size(), [&](int32_t id, uint16_t *key, int16_t *z) {
                if (seq.covered(id)) return false;
                std::copy(seq.key_of(id), seq.key_of(id) + KEY, key);
                std::copy(seq.zone_of(id), seq.zone_of(id) + DIM * DIM, z);
                return true;
              })) << "seed " << seed;
    for (int t = 0; t < THREADS; t++)
      for (const auto &[id, i] : stored[t]) {
        EXPECT_EQ(par.shard_of(id) % THREADS, t);
        EXPECT_EQ(par.move(id), i);
        EXPECT_EQ(par.parent(id), -1);
      }
  }
}

// Four threads meet at one barrier round after round, some of them late
// (a thread that lost its processor), so that the others both spin and
// sleep: the completion runs once per round, on one thread, after every
// thread's writes of the round and before any thread goes on; every
// sleeper is woken (the test ends).
TEST(ConcurrentStore, SpinBarrierRunsTheCompletionOnceBetweenRounds) {
  constexpr int THREADS = 4, ROUNDS = 3000;
  lu::spin_barrier bar(THREADS);
  std::vector<long long> written(THREADS, 0);
  long long rounds = 0, sum = 0;
  std::atomic<bool> ordered{true};
  std::vector<std::thread> threads;
  for (int t = 0; t < THREADS; t++)
    threads.emplace_back([&, t] {
      for (int r = 1; r <= ROUNDS; r++) {
        written[static_cast<size_t>(t)] = r;
        if (r % 500 == t) std::this_thread::sleep_for(std::chrono::milliseconds(2));  // late
        bar.arrive_and_wait([&] {
          rounds++;
          for (int u = 0; u < THREADS; u++) {
            if (written[static_cast<size_t>(u)] != r) ordered = false;
            sum += written[static_cast<size_t>(u)];
          }
        });
        if (rounds != r) ordered = false;  // the completion of round r ran before it ended
        bar.arrive_and_wait();  // nobody writes the next round before all have read rounds
      }
    });
  for (std::thread &t : threads) t.join();
  EXPECT_EQ(rounds, ROUNDS);
  EXPECT_TRUE(ordered);
  EXPECT_EQ(sum, static_cast<long long>(THREADS) * ROUNDS * (ROUNDS + 1) / 2);
}

}  // namespace
