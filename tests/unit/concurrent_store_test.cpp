// The sharded store of the parallel search against the one-thread store:
// offered the same zones in the same order, it refuses and covers exactly
// as the one-thread store does (same live zones per discrete state, same
// counts, parents and moves kept); offered zones from several threads at
// once, it loses nothing (every offered zone lies in a live zone of its
// discrete state), keeps an antichain per discrete state, and its totals
// are those of its shards. The shards' lock excludes other threads.

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(ConcurrentStore, ThreadsTogetherLoseNothingAndKeepAntichains) {
  for (unsigned seed = 1; seed <= 6; seed++) {
    constexpr int THREADS = 4;
    lu::concurrent_store par(DIM, KEY, 2);
    par.track_covers();
    std::vector<std::vector<offer>> work;
    for (int t = 0; t < THREADS; t++) work.push_back(random_offers(seed * 100 + t, 400));
    std::vector<std::thread> threads;
    for (int t = 0; t < THREADS; t++)
      threads.emplace_back([&, t] {
        key_t key(KEY);
        matrix z(DIM * DIM);
        for (const offer &o : work[t]) {
          const lu::concurrent_store::offer p = par.insert(o.key.data(), o.zone.data(), -1, t);
          // Reading states while others store: a live copy, or a covered state.
          if (p.id >= 0 && par.copy_live(p.id, key.data(), z.data())) {
            EXPECT_EQ(key, o.key);
          }
        }
      });
    for (std::thread &t : threads) t.join();
    const std::map<key_t, std::vector<matrix>> live = live_zones(par);
    long long nb_live = 0, records = 0, covered = 0;
    for (const auto &[k, zs] : live) {
      nb_live += static_cast<long long>(zs.size());
      for (size_t a = 0; a < zs.size(); a++)
        for (size_t b = 0; b < zs.size(); b++)
          if (a != b) {
            EXPECT_FALSE(flat::included(zs[a].data(), zs[b].data(), DIM)) << "seed " << seed;
          }
    }
    for (const auto &w : work)
      for (const offer &o : w) {
        const auto at = live.find(o.key);
        ASSERT_NE(at, live.end());
        EXPECT_TRUE(std::any_of(at->second.begin(), at->second.end(),
                                [&](const matrix &z) { return flat::included(o.zone.data(), z.data(), DIM); }))
            << "seed " << seed << ": an offered zone is in no live zone";
      }
    for (int s = 0; s < par.nb_shards(); s++) {
      records += par.shard(s).size();
      covered += par.shard(s).nb_covered();
    }
    EXPECT_EQ(par.size(), records);
    EXPECT_EQ(par.nb_covered(), covered);
    EXPECT_EQ(records - covered, nb_live);
  }
}

// Four threads add to plain counters under one lock, some of them giving
// up their processor while they hold it, so that the others both spin and
// sleep: no addition is lost, what one thread wrote under the lock is seen
// by the next one, and every sleeper is woken (the test ends).
TEST(ConcurrentStore, SpinLockExcludesOtherThreads) {
  constexpr int THREADS = 4, ROUNDS = 20000;
  lu::spin_lock lock;
  long long total = 0, pairs = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < THREADS; t++)
    threads.emplace_back([&] {
      for (int i = 0; i < ROUNDS; i++) {
        lock.lock();
        const long long before = total;
        total = before + 1;
        if ((i & 1023) == 0) std::this_thread::sleep_for(std::chrono::microseconds(100));  // a holder that loses its turn
        pairs += total == before + 1;
        lock.unlock();
      }
    });
  for (std::thread &t : threads) t.join();
  EXPECT_EQ(total, static_cast<long long>(THREADS) * ROUNDS);
  EXPECT_EQ(pairs, static_cast<long long>(THREADS) * ROUNDS);
  EXPECT_FALSE(lock.lock());  // free again: taken at once
  lock.unlock();
}

}  // namespace
