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
// A zone is stored compactly: a mask of its rows that hold a bound (a row
// i with x_i - x_j unbounded for every j != i is left out: under the LU
// extrapolation that is every clock above its constants, most of them in
// a large network), then the rows kept, without their diagonal entry
// (always (0, <=) in a closed non-empty zone). While every finite bound
// stored so far fits, a bound takes one byte: the bound itself, "no bound"
// as 127; the first zone with a bound outside [-128, 126] widens every
// stored zone to 16 bits, once. Both encodings order as the bounds do, so
// inclusion is tested on the stored form: two zones with the same mask
// (the usual case at one discrete state) compare their rows as one block,
// with the vector unit; otherwise a zone can only be included in one that
// leaves out at least the same rows, and only the rows both keep are
// compared. Blocks of each size (number of rows kept) come from their own
// arena; a zone takes a free block of a larger size before a new one.
//
// Records, keys and zones grow by chunks: growing never moves one, and at
// most a chunk of each is held beyond what is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lu {

// Records of `width` values of T each, in chunks of 2^bits records.
template <typename T>
class chunked {
 public:
  explicit chunked(size_t width = 1, int bits = 12) : width_(width), bits_(bits), mask_((size_t{1} << bits) - 1) {}
  T *at(size_t i) const { return chunks_[i >> bits_].get() + (i & mask_) * width_; }
  size_t size() const { return n_; }
  // Appends a record (its values unset) and returns it.
  T *grow() {
    if ((n_ >> bits_) >= chunks_.size()) chunks_.emplace_back(new T[width_ << bits_]);
    return at(n_++);
  }
  size_t bytes() const { return chunks_.size() * (width_ << bits_) * sizeof(T) + chunks_.capacity() * sizeof(chunks_[0]); }

 private:
  size_t width_;
  int bits_;
  size_t mask_, n_ = 0;
  std::vector<std::unique_ptr<T[]>> chunks_;
};

class state_store {
 public:
  // Zones of dim * dim bounds; discrete keys of key_len locations. Records
  // grow by chunks of 2^chunk_bits, zones by chunks of about 16 *
  // 2^chunk_bits bytes: a store among many (one shard of several) takes
  // smaller chunks, since each holds up to a chunk of every kind unused.
  state_store(int dim, int key_len, int chunk_bits = 12);

  // Offers zone z (closed and non-empty, dim * dim) at discrete state key,
  // reached from state `parent` (-1: initial) by its successor number
  // `move`. Returns the new state's id, or -1 when a stored zone at key
  // includes z.
  int32_t insert(const uint16_t *key, const int16_t *z, int32_t parent, int32_t move);
  // The compact form in which the store keeps a closed non-empty zone z
  // (dim * dim), written to out: the row mask, then the rows kept, one
  // byte per bound when narrow, two otherwise. Returns the number of rows
  // kept, or -1 when narrow and a bound does not fit in a byte. At most
  // encoded_bytes(dim, dim, false) bytes are written.
  static int encode_zone(const int16_t *z, int dim, bool narrow, int8_t *out);
  // The bytes of such a form with `rows` rows kept.
  static size_t encoded_bytes(int dim, int rows, bool narrow) {
    return static_cast<size_t>(mask_bytes_of(dim) + rows * (narrow ? 1 : 2) * (dim - 1));
  }
  // insert for a zone given in the form of encode_zone (rows kept, narrow
  // or not): the same outcome as insert with the zone it encodes, so that
  // the zone can be encoded by the thread that computed it.
  int32_t insert_encoded(const uint16_t *key, const int8_t *enc, int rows, bool narrow, int32_t parent, int32_t move);
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
  // The same zone decoded into z (dim * dim bounds): it writes nothing of
  // the store, so that several threads may read one store at once while
  // none writes it.
  void copy_zone(int32_t id, int16_t *z) const { decode(slot_ptr(rec_of(id).slot), z); }
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

  static int mask_bytes_of(int dim) { return (dim + 15) / 16 * 2; }
  // The end of an insert once the zone is encoded (at cur_, enc_rows_ rows
  // at the store's width) and its discrete state found.
  int32_t insert_current(int32_t disc, int32_t parent, int32_t move);
  // Widens the narrow form enc (rows kept) into enc_.
  void widen_into_enc(const int8_t *enc, int rows);
  const rec &rec_of(int32_t id) const { return *recs_.at(static_cast<size_t>(id)); }
  rec &rec_of(int32_t id) { return *recs_.at(static_cast<size_t>(id)); }
  // The slots of zones that keep k rows, in chunks of about `most` bytes.
  struct arena {
    arena(size_t bytes, size_t most) : blocks(bytes, chunk_bits(bytes, most)) {}
    static int chunk_bits(size_t bytes, size_t most) {
      int bits = 4;
      while (bits < 10 && (bytes << (bits + 1)) <= most) bits++;
      return bits;
    }
    chunked<int8_t> blocks;
    std::vector<int8_t *> free;
  };

  const int8_t *slot_ptr(int32_t s) const { return *slot_at_.at(static_cast<size_t>(s)); }
  // The next older live state of the same discrete state as the one in slot s.
  int32_t &next_of_slot(int32_t s) { return *slot_next_.at(static_cast<size_t>(s)); }
  int32_t find_or_add(const uint16_t *key);
  void grow_table();
  // A slot for a zone of k rows: its number, its block in slot_at_.
  int32_t new_slot(int k);
  // Frees the slot and its block (to the arena of the block's size).
  void free_slot(int32_t s);
  size_t block_bytes(int k) const { return static_cast<size_t>(mask_bytes_ + k * row_bytes_); }
  std::vector<arena> make_arenas() const;
  // Encodes z into out at the current width: the number of rows kept, or
  // -1 when the store is narrow and a bound of z does not fit.
  int encode(const int16_t *z, int8_t *out) const;
  void set_narrow(bool narrow);
  // Re-encodes every stored zone with 16-bit bounds.
  void widen();
  void decode(const int8_t *block, int16_t *z) const;
  // The two-way inclusion bits of block a (k rows) and block b.
  int compare(const int8_t *a, int k, const int8_t *b) const;
  int compare_rows(const int8_t *a, const int8_t *b, int n, int bits) const;
  void cover_included(int32_t disc);

  int dim_, key_len_, chunk_bits_;
  bool narrow_ = true;
  int mask_bytes_;  // the row mask, its size even
  int row_bytes_;   // a row kept (dim - 1 bounds) at the current width
  chunked<rec> recs_;
  chunked<uint16_t> keys_;      // per discrete state
  chunked<int32_t> heads_;      // per discrete state, newest live state or -1
  // The high 32 bits of a key's hash, and its discrete id + 1 (0: empty);
  // the size a power of 2, at most half full.
  std::vector<uint64_t> table_;
  std::vector<arena> arenas_;   // per number of rows kept, 0 to dim
  chunked<int8_t *> slot_at_;   // per slot, its block (null: free)
  chunked<uint8_t> slot_cap_;   // per slot, the rows its block holds
  chunked<int32_t> slot_next_;  // per slot
  size_t nb_free_blocks_ = 0;
  std::vector<int32_t> free_slots_;
  std::vector<int8_t> enc_;  // the zone being inserted, encoded (when the store encodes it)
  const int8_t *cur_ = nullptr;  // the zone being inserted, encoded: enc_ or the caller's
  int enc_rows_ = 0;
  mutable std::vector<int16_t> decoded_;  // what zone_of returns
  int32_t nb_covered_ = 0, last_includer_ = -1;
  bool track_ = false;
  std::vector<int32_t> covered_by_;  // under track_covers, per state
};

}  // namespace lu
