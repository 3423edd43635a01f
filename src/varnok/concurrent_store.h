// The passed/waiting store of the parallel LU search: the discrete states
// are split into shards by a hash of their key, and each shard is a
// state_store of its own (its hash table, its antichains, its zone arenas)
// behind its own lock. All zones of one discrete state live in one shard,
// so that the inclusion test and the covering of included zones are exactly
// those of the sequential store; two threads only wait for each other when
// they touch discrete states of the same shard at the same moment.
//
// Each shard's lock spins before it sleeps, on a cache line of its own
// (the critical sections are one insert or one copy, far shorter than a
// sleep and a wake-up), apart from the shard's own data, which the other
// threads then do not lose from their caches at every lock. No counter is
// shared by every insert: each shard counts its own states, and the totals
// add them up.
//
// A state is named by a global id: its shard in the low bits, its id in the
// shard above them. Global ids fit in 31 bits; a shard that would need more
// ends the search as an allocation failure would (std::bad_alloc).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "varnok/state_store.h"

namespace lu {

// A lock for short critical sections: taken with one atomic operation
// when free; a thread that finds it held spins a while on a read (which
// stays in its cache), pausing between reads, then sleeps in the kernel
// until the holder lets it go, so that a holder that lost its processor
// is not waited for by burning the other one. Its state: 0 free, 1 held,
// 2 held with a sleeper perhaps (the unlock then wakes one).
class spin_lock {
 public:
  // True when the lock was held by another thread at first.
  bool lock() {
    int seen = 0;
    if (state_.compare_exchange_strong(seen, 1, std::memory_order_acquire)) return false;
    for (int spins = 0; spins < 256; spins++) {
      pause();
      seen = state_.load(std::memory_order_relaxed);
      if (seen == 0 && state_.compare_exchange_weak(seen, 1, std::memory_order_acquire)) return true;
    }
    while (state_.exchange(2, std::memory_order_acquire) != 0) state_.wait(2, std::memory_order_relaxed);
    return true;
  }
  void unlock() {
    if (state_.exchange(0, std::memory_order_release) == 2) state_.notify_one();
  }

 private:
  static void pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
  }
  std::atomic<int> state_{0};
};

class concurrent_store {
 public:
  // Zones of dim * dim bounds, keys of key_len locations, 2^shard_bits
  // shards (1 to 12 bits).
  concurrent_store(int dim, int key_len, int shard_bits);

  // What an offer did: the new state's global id (-1: refused), when it
  // was refused the state that includes the zone, the stored states it
  // covered, and whether its shard's lock was held by another thread.
  struct offer {
    int32_t id = -1, includer = -1, covered = 0;
    bool waited = false;
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

  // Totals (states stored, of them covered; bytes held), from one thread
  // when no insert runs.
  long long size() const;
  long long nb_covered() const;
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
  // The lock and the store on lines of their own: the store's header
  // (its tables' addresses) is read by every insert.
  struct alignas(64) part {
    part(int dim, int key_len, int chunk_bits) : st(dim, key_len, chunk_bits) {}
    mutable spin_lock lock;
    alignas(64) state_store st;
  };
  // Holds a shard's lock for a scope.
  struct hold {
    explicit hold(spin_lock &l) : l_(l), waited(l.lock()) {}
    ~hold() { l_.unlock(); }
    hold(const hold &) = delete;
    hold &operator=(const hold &) = delete;
    spin_lock &l_;
    const bool waited;
  };
  int shard_for(const uint16_t *key) const;

  int dim_, key_len_, bits_;
  int32_t mask_, local_limit_;
  std::vector<std::unique_ptr<part>> shards_;
};

}  // namespace lu
