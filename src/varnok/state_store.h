// The passed/waiting store of the LU search: symbolic states (a discrete
// state and a closed flat zone) kept as an antichain per discrete state.
//
// Discrete states (one location per automaton, 16 bits each) are found
// through an open-addressing hash table of their keys. Zones live in an
// arena of fixed-size slots, one per live state; a new zone included in a
// stored one at the same discrete state is refused; a stored zone included
// in a new one is covered: it leaves its discrete state's list and its slot
// is reused, but its record (parent, move, discrete state) stays, so that
// every path of parents remains a path of the model.
//
// Zones are stored without their diagonal (always (0, <=) in a closed
// non-empty zone) and, while every finite bound stored so far fits, with
// one byte per bound: the bound itself, "no bound" as 127. That encoding
// orders as the bounds do, so inclusion is tested on the stored bytes
// directly, twice as many bounds per vector step. The first zone with a
// bound outside [-128, 126] widens every stored zone to 16 bits, once.
//
// Records, keys and zones grow by chunks of 4096: growing never moves one,
// and at most a chunk of each is held beyond what is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lu {

// Records of `width` values of T each, in chunks of 4096 records.
template <typename T>
class chunked {
 public:
  explicit chunked(size_t width = 1) : width_(width) {}
  T *at(size_t i) const { return chunks_[i >> BITS].get() + (i & MASK) * width_; }
  size_t size() const { return n_; }
  // Appends a record (its values left as they are) and returns it.
  T *grow() {
    if ((n_ >> BITS) >= chunks_.size()) chunks_.emplace_back(new T[width_ << BITS]());
    return at(n_++);
  }
  size_t bytes() const { return chunks_.size() * (width_ << BITS) * sizeof(T) + chunks_.capacity() * sizeof(chunks_[0]); }

 private:
  static constexpr int BITS = 12;
  static constexpr size_t MASK = (size_t{1} << BITS) - 1;
  size_t width_, n_ = 0;
  std::vector<std::unique_ptr<T[]>> chunks_;
};

class state_store {
 public:
  // Zones of dim * dim bounds; discrete keys of key_len locations.
  state_store(int dim, int key_len);

  // Offers zone z (closed and non-empty, dim * dim) at discrete state key,
  // reached from state `parent` (-1: initial) by its successor number
  // `move`. Returns the new state's id, or -1 when a stored zone at key
  // includes z.
  int32_t insert(const uint16_t *key, const int16_t *z, int32_t parent, int32_t move);
  // After an insert that returned -1: the stored state that includes z.
  int32_t last_includer() const { return last_includer_; }
  // Keep, for every covered state, the state that covered it (off at start).
  void track_covers() { track_ = true; }
  // The live state that now stands for id: id itself, or the state that
  // covered it, followed as far as needed (track_covers must be on).
  int32_t live(int32_t id) const {
    while (rec_of(id).slot < 0) id = covered_by_[id];
    return id;
  }

  // Ids run from 0 in insertion order.
  int32_t size() const { return static_cast<int32_t>(recs_.size()); }
  bool covered(int32_t id) const { return rec_of(id).slot < 0; }
  // The zone of a live (not covered) state, closed, dim * dim bounds: it is
  // decoded into a buffer of the store, valid until the next call of
  // zone_of or insert (copy it to keep it).
  const int16_t *zone_of(int32_t id) const;
  // The key of any state; valid as long as the store.
  const uint16_t *key_of(int32_t id) const { return keys_.at(rec_of(id).disc); }
  int32_t parent(int32_t id) const { return rec_of(id).parent; }
  int32_t move(int32_t id) const { return rec_of(id).move; }

  int32_t nb_covered() const { return nb_covered_; }
  int32_t nb_discrete() const { return static_cast<int32_t>(heads_.size()); }
  // Bytes held by the store (zones, records, keys, table), capacities counted.
  size_t bytes() const;
  // True while zones are kept with one byte per bound.
  bool narrow() const { return narrow_; }

 private:
  struct rec {
    int32_t disc, parent, move, slot;  // slot -1: covered
  };

  const rec &rec_of(int32_t id) const { return *recs_.at(static_cast<size_t>(id)); }
  rec &rec_of(int32_t id) { return *recs_.at(static_cast<size_t>(id)); }
  const int8_t *slot_ptr(int32_t s) const { return zones_.at(static_cast<size_t>(s)); }
  // The next older live state of the same discrete state as the one in slot s.
  int32_t &next_of_slot(int32_t s) { return *slot_next_.at(static_cast<size_t>(s)); }
  int32_t find_or_add(const uint16_t *key);
  void grow_table();
  int32_t new_slot();
  // Encodes z into enc_; false when the store is narrow and z does not fit.
  bool encode(const int16_t *z);
  void widen();
  void decode(const int8_t *s, int16_t *z) const;
  int compare(const int8_t *a, const int8_t *b) const;
  void cover_included(int32_t disc);

  int dim_, key_len_;
  bool narrow_ = true;
  int slot_bytes_;  // of the current width, padded to 16 (the padding is 0)
  chunked<rec> recs_;
  chunked<uint16_t> keys_;      // per discrete state
  chunked<int32_t> heads_;      // per discrete state, newest live state or -1
  std::vector<int32_t> table_;  // discrete ids, -1 empty; size a power of 2
  chunked<int8_t> zones_;       // per slot
  chunked<int32_t> slot_next_;  // per slot
  std::vector<int32_t> free_slots_;
  std::vector<int8_t> enc_;              // the zone being inserted, encoded
  mutable std::vector<int16_t> decoded_;  // what zone_of returns
  int32_t nb_covered_ = 0, last_includer_ = -1;
  bool track_ = false;
  std::vector<int32_t> covered_by_;  // under track_covers, per state
};

}  // namespace lu
