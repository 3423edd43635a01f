// The passed/waiting store of the LU search: symbolic states (a discrete
// state and a closed flat zone) kept as an antichain per discrete state.
//
// Discrete states (one location per automaton, 16 bits each) are found
// through an open-addressing hash table of their keys. Zones live in an
// arena of fixed-size chunks, one dim * dim slot per live state, so that
// growing never moves a zone and nothing is preallocated for a limit. A new
// zone included in a stored one at the same discrete state is refused; a
// stored zone included in a new one is covered: it leaves its discrete
// state's list and its slot is reused, but its record (parent and move)
// stays, so that every path of parents remains a path of the model.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lu {

class state_store {
 public:
  // Zones of dim * dim bounds; discrete keys of key_len locations.
  state_store(int dim, int key_len);

  // Offers zone z (closed, dim * dim) at discrete state key, reached from
  // state `parent` (-1: initial) by its successor number `move`. Returns
  // the new state's id, or -1 when a stored zone at key includes z.
  int32_t insert(const uint16_t *key, const int16_t *z, int32_t parent, int32_t move);
  // After an insert that returned -1: the stored state that includes z.
  int32_t last_includer() const { return last_includer_; }
  // Keep, for every covered state, the state that covered it (off at start).
  void track_covers() { track_ = true; }
  // The live state that now stands for id: id itself, or the state that
  // covered it, followed as far as needed (track_covers must be on).
  int32_t live(int32_t id) const {
    while (recs_[id].slot < 0) id = covered_by_[id];
    return id;
  }

  // Ids run from 0 in insertion order.
  int32_t size() const { return static_cast<int32_t>(recs_.size()); }
  bool covered(int32_t id) const { return recs_[id].slot < 0; }
  // The zone of a live (not covered) state; valid until the next insert.
  const int16_t *zone_of(int32_t id) const { return slot_ptr(recs_[id].slot); }
  const uint16_t *key_of(int32_t id) const { return &keys_[static_cast<size_t>(recs_[id].disc) * key_len_]; }
  int32_t parent(int32_t id) const { return recs_[id].parent; }
  int32_t move(int32_t id) const { return recs_[id].move; }

  int32_t nb_covered() const { return nb_covered_; }
  int32_t nb_discrete() const { return static_cast<int32_t>(heads_.size()); }
  // Bytes held by the store (zones, records, keys, table), capacities counted.
  size_t bytes() const;

 private:
  struct rec {
    int32_t disc, next, parent, move, slot;  // slot -1: covered
  };
  static constexpr int CHUNK_BITS = 12;  // slots per chunk: 4096

  int16_t *slot_ptr(int32_t s) const {
    return chunks_[static_cast<size_t>(s) >> CHUNK_BITS].get() + static_cast<size_t>(s & ((1 << CHUNK_BITS) - 1)) * nn_;
  }
  int32_t find_or_add(const uint16_t *key);
  void grow_table();
  int32_t new_slot();
  void cover_included(int32_t disc, const int16_t *z);

  int dim_, nn_, key_len_;
  std::vector<rec> recs_;
  std::vector<uint16_t> keys_;   // key_len_ per discrete state
  std::vector<uint64_t> hashes_; // per discrete state
  std::vector<int32_t> heads_;   // per discrete state, newest live state or -1
  std::vector<int32_t> table_;   // discrete ids, -1 empty; size a power of 2
  std::vector<std::unique_ptr<int16_t[]>> chunks_;
  std::vector<int32_t> free_slots_;
  int32_t nb_slots_ = 0, nb_covered_ = 0, last_includer_ = -1;
  bool track_ = false;
  std::vector<int32_t> covered_by_;  // under track_covers, per state
};

}  // namespace lu
