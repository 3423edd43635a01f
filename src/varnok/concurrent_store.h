// The passed/waiting store of the parallel LU search: the discrete states
// are split into shards by a hash of their key, and each shard is a
// state_store of its own (its hash table, its antichains, its zone arenas).
// All zones of one discrete state live in one shard, so that the inclusion
// test and the covering of included zones are exactly those of the
// sequential store.
//
// The store has no lock: the search gives each shard to one thread at a
// time (shard s to thread s mod threads, unless another thread takes it
// over at the end of a phase), which alone writes it, and separates writing
// from reading by barriers. While no thread writes, any thread may read any
// shard (copy_live, parent, move); while threads write, each writes only
// the shards it holds and reads nothing of the others. A shard's zones thus
// live in the arenas of one thread, in that thread's cache.
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

// A barrier for a fixed number of threads, reused round after round. The
// last thread to arrive runs the round's completion alone, while the
// others wait, and then lets them go. A waiting thread spins a short while
// on a read of the round's number (which stays in its cache), pausing
// between reads, then sleeps in the kernel until the round ends: a thread
// that lost its processor is not waited for by burning the other one.
class spin_barrier {
 public:
  explicit spin_barrier(int threads) : threads_(threads) {}
  // Fixes the number of threads (before any of them arrives).
  void set_threads(int threads) { threads_ = threads; }
  int threads() const { return threads_; }

  // Waits until every thread has arrived; the last one runs done() first.
  // True when this thread slept.
  template <typename Done>
  bool arrive_and_wait(Done &&done) {
    const uint32_t round = round_.load(std::memory_order_acquire);
    if (arrived_.fetch_add(1, std::memory_order_acq_rel) + 1 == threads_) {
      arrived_.store(0, std::memory_order_relaxed);
      done();
      round_.store(round + 1, std::memory_order_seq_cst);
      if (sleepers_.load(std::memory_order_seq_cst) > 0) round_.notify_all();
      return false;
    }
    for (int spins = 0; spins < 2048; spins++) {
      if (round_.load(std::memory_order_acquire) != round) return false;
      pause();
    }
    sleepers_.fetch_add(1, std::memory_order_seq_cst);
    while (round_.load(std::memory_order_seq_cst) == round) round_.wait(round, std::memory_order_acquire);
    sleepers_.fetch_sub(1, std::memory_order_relaxed);
    return true;
  }
  bool arrive_and_wait() {
    return arrive_and_wait([] {});
  }

 private:
  static void pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
  }
  int threads_;
  alignas(64) std::atomic<int> arrived_{0};
  alignas(64) std::atomic<uint32_t> round_{0};
  std::atomic<int> sleepers_{0};
};

class concurrent_store {
 public:
  // Zones of dim * dim bounds, keys of key_len locations, 2^shard_bits
  // shards (1 to 12 bits).
  concurrent_store(int dim, int key_len, int shard_bits);

  // A hash of a key, and the shard of a key of that hash (what a thread
  // computes before handing the state to the shard's owner).
  uint32_t key_hash(const uint16_t *key) const;
  int shard_of_hash(uint32_t h) const { return static_cast<int>(h & static_cast<uint32_t>(mask_)); }
  int shard_for(const uint16_t *key) const { return shard_of_hash(key_hash(key)); }
  int key_len() const { return key_len_; }

  // What an offer did: the new state's global id (-1: refused), when it
  // was refused the state that includes the zone, and the stored states
  // it covered.
  struct offer {
    int32_t id = -1, includer = -1, covered = 0;
  };
  // Offers the closed non-empty zone z at key, of shard s (shard_for(key)),
  // reached from state parent (-1: initial) by its successor number move.
  // Only the thread holding shard s calls it, while no thread reads shard s.
  offer insert(int s, const uint16_t *key, const int16_t *z, int32_t parent, int32_t move);
  offer insert(const uint16_t *key, const int16_t *z, int32_t parent, int32_t move) {
    return insert(shard_for(key), key, z, parent, move);
  }
  // The same for a zone in the compact form of state_store::encode_zone
  // (rows kept, narrow or not), made by the thread that computed it.
  offer insert_encoded(int s, const uint16_t *key, const int8_t *enc, int rows, bool narrow, int32_t parent,
                       int32_t move);
  // Copies the key and the zone (closed, dim * dim) of state id into the
  // caller's buffers when id is not covered; false (buffers untouched) when
  // it is. From any thread while no thread writes id's shard.
  bool copy_live(int32_t id, uint16_t *key, int16_t *z) const;
  // The parent and move of state id (fixed at its insertion), under the
  // same condition.
  int32_t parent(int32_t id) const { return shard(shard_of(id)).parent(local_of(id)); }
  int32_t move(int32_t id) const { return shard(shard_of(id)).move(local_of(id)); }

  // Keep, for every covered state, the state that covered it (call before
  // any insert).
  void track_covers();

  // Totals (states stored, of them covered; bytes held), from one thread
  // when no insert runs.
  long long size() const;
  long long nb_covered() const;
  size_t bytes() const;

  // The shards and their ids.
  int nb_shards() const { return static_cast<int>(shards_.size()); }
  const state_store &shard(int s) const { return shards_[static_cast<size_t>(s)]->st; }
  // Frees shard s (no state of it is used again).
  void release(int s);
  int32_t global_id(int s, int32_t local) const { return static_cast<int32_t>((local << bits_) | s); }
  int shard_of(int32_t id) const { return static_cast<int>(id & mask_); }
  int32_t local_of(int32_t id) const { return id >> bits_; }

 private:
  // Each store on lines of its own: its header (its tables' addresses) is
  // read by every insert of its owner.
  struct alignas(64) part {
    part(int dim, int key_len, int chunk_bits) : st(dim, key_len, chunk_bits) {}
    state_store st;
  };

  // The offer that put(st) makes to shard s's store st (put returns the
  // store's insert).
  template <typename Put>
  offer offer_to(int s, Put &&put);

  int key_len_, bits_;
  int32_t mask_, local_limit_;
  std::vector<std::unique_ptr<part>> shards_;
};

}  // namespace lu
