// The passed/waiting store of the parallel LU search: the discrete states
// are split into shards by a hash of their key, and each shard is a
// state_store of its own (its hash table, its antichains, its zone arenas)
// behind its own lock. All zones of one discrete state live in one shard,
// so that the inclusion test and the covering of included zones are exactly
// those of the sequential store; two threads only wait for each other when
// they touch discrete states of the same shard at the same moment.
//
// A state is named by a global id: its shard in the low bits, its id in the
// shard above them. Global ids fit in 31 bits; a shard that would need more
// ends the search as an allocation failure would (std::bad_alloc).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "varnok/state_store.h"

namespace lu {

class concurrent_store {
 public:
  // Zones of dim * dim bounds, keys of key_len locations, 2^shard_bits
  // shards (1 to 12 bits).
  concurrent_store(int dim, int key_len, int shard_bits);

  // What an offer did: the new state's global id (-1: refused), and when
  // it was refused, the state that includes the zone.
  struct offer {
    int32_t id = -1, includer = -1;
  };
  // Offers the closed non-empty zone z at key, reached from state parent
  // (-1: initial) by its successor number move. Safe from any thread.
  offer insert(const uint16_t *key, const int16_t *z, int32_t parent, int32_t move);
  // Copies the key and the zone (closed, dim * dim) of state id into the
  // caller's buffers when id is not covered; false (buffers untouched) when
  // it is. Safe from any thread.
  bool copy_live(int32_t id, uint16_t *key, int16_t *z) const;
  // The parent and move of state id (fixed at its insertion). Safe from any
  // thread once id was returned by insert.
  int32_t parent(int32_t id) const;
  int32_t move(int32_t id) const;

  // Keep, for every covered state, the state that covered it (call before
  // any insert).
  void track_covers();

  // Totals, exact when no insert runs.
  long long size() const { return inserted_.load(std::memory_order_relaxed); }
  long long nb_covered() const { return covered_.load(std::memory_order_relaxed); }
  size_t bytes() const;

  // After the search, from one thread: the shards and their ids.
  int nb_shards() const { return static_cast<int>(shards_.size()); }
  const state_store &shard(int s) const { return shards_[static_cast<size_t>(s)]->st; }
  // Frees shard s (no state of it is used again).
  void release(int s);
  int32_t global_id(int s, int32_t local) const { return static_cast<int32_t>((local << bits_) | s); }
  int shard_of(int32_t id) const { return static_cast<int>(id & mask_); }
  int32_t local_of(int32_t id) const { return id >> bits_; }

 private:
  struct alignas(64) part {
    part(int dim, int key_len) : st(dim, key_len) {}
    mutable std::mutex lock;
    state_store st;
  };
  int shard_for(const uint16_t *key) const;

  int dim_, key_len_, bits_;
  int32_t mask_, local_limit_;
  std::vector<std::unique_ptr<part>> shards_;
  // Counted at every insert by every thread: apart from what is only read.
  alignas(64) std::atomic<long long> inserted_{0};
  alignas(64) std::atomic<long long> covered_{0};
};

}  // namespace lu
