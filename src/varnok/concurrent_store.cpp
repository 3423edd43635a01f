// The sharded store of the parallel LU search.

#include "varnok/concurrent_store.h"

#include <algorithm>
#include <new>

namespace lu {

concurrent_store::concurrent_store(int dim, int key_len, int shard_bits)
    : key_len_(key_len), bits_(shard_bits), mask_((int32_t{1} << shard_bits) - 1),
      local_limit_(int32_t{1} << (31 - shard_bits)) {
  shards_.reserve(size_t{1} << shard_bits);
  // Smaller chunks where there are more shards: what the shards hold
  // beyond what they use stays about what one store holds.
  const int chunk_bits = std::max(6, 12 - (shard_bits + 1) / 2);
  for (int s = 0; s <= mask_; s++) shards_.push_back(std::make_unique<part>(dim, key_len, chunk_bits));
}

// A hash of its own, so that the keys of one shard still spread over the
// shard's table (which hashes them otherwise).
uint32_t concurrent_store::key_hash(const uint16_t *key) const {
  uint32_t h = 2166136261u;
  for (int i = 0; i < key_len_; i++) {
    h ^= key[i];
    h *= 16777619u;
  }
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  return h;
}

template <typename Put>
concurrent_store::offer concurrent_store::offer_to(int s, Put &&put) {
  state_store &st = shards_[static_cast<size_t>(s)]->st;
  offer o;
  if (st.size() >= local_limit_) throw std::bad_alloc();
  const int32_t before = st.nb_covered();
  const int32_t local = put(st);
  o.covered = st.nb_covered() - before;
  if (local >= 0) o.id = global_id(s, local);
  else o.includer = global_id(s, st.last_includer());
  return o;
}

concurrent_store::offer concurrent_store::insert(int s, const uint16_t *key, const int16_t *z, int32_t parent,
                                                  int32_t move) {
  return offer_to(s, [&](state_store &st) { return st.insert(key, z, parent, move); });
}

concurrent_store::offer concurrent_store::insert_encoded(int s, const uint16_t *key, const int8_t *enc, int rows,
                                                          bool narrow, int32_t parent, int32_t move) {
  return offer_to(s, [&](state_store &st) { return st.insert_encoded(key, enc, rows, narrow, parent, move); });
}

bool concurrent_store::copy_live(int32_t id, uint16_t *key, int16_t *z) const {
  const state_store &st = shard(shard_of(id));
  const int32_t local = local_of(id);
  if (st.covered(local)) return false;
  st.copy_zone(local, z);
  const uint16_t *k = st.key_of(local);
  std::copy(k, k + key_len_, key);
  return true;
}

void concurrent_store::track_covers() {
  for (auto &p : shards_) p->st.track_covers();
}

long long concurrent_store::size() const {
  long long n = 0;
  for (const auto &p : shards_)
    if (p) n += p->st.size();
  return n;
}

long long concurrent_store::nb_covered() const {
  long long n = 0;
  for (const auto &p : shards_)
    if (p) n += p->st.nb_covered();
  return n;
}

size_t concurrent_store::bytes() const {
  size_t b = 0;
  for (const auto &p : shards_)
    if (p) b += p->st.bytes();
  return b;
}

void concurrent_store::release(int s) { shards_[static_cast<size_t>(s)].reset(); }

}  // namespace lu
