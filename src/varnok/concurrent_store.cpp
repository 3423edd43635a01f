// The sharded store of the parallel LU search.

#include "varnok/concurrent_store.h"

#include <algorithm>
#include <new>

namespace lu {

concurrent_store::concurrent_store(int dim, int key_len, int shard_bits)
    : dim_(dim), key_len_(key_len), bits_(shard_bits), mask_((int32_t{1} << shard_bits) - 1),
      local_limit_(int32_t{1} << (31 - shard_bits)) {
  shards_.reserve(size_t{1} << shard_bits);
  // Smaller chunks where there are more shards: what the shards hold
  // beyond what they use stays about what one store holds.
  const int chunk_bits = std::max(6, 12 - (shard_bits + 1) / 2);
  for (int s = 0; s <= mask_; s++) shards_.push_back(std::make_unique<part>(dim, key_len, chunk_bits));
}

// The shard of a key: a hash of its own, so that the keys of one shard
// still spread over the shard's table (which hashes them otherwise).
int concurrent_store::shard_for(const uint16_t *key) const {
  uint32_t h = 2166136261u;
  for (int i = 0; i < key_len_; i++) {
    h ^= key[i];
    h *= 16777619u;
  }
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  return static_cast<int>(h & static_cast<uint32_t>(mask_));
}

concurrent_store::offer concurrent_store::insert(const uint16_t *key, const int16_t *z, int32_t parent, int32_t move) {
  const int s = shard_for(key);
  part &p = *shards_[static_cast<size_t>(s)];
  offer o;
  const hold g(p.lock);
  o.waited = g.waited;
  if (p.st.size() >= local_limit_) throw std::bad_alloc();
  const int32_t before = p.st.nb_covered();
  const int32_t local = p.st.insert(key, z, parent, move);
  o.covered = p.st.nb_covered() - before;
  if (local >= 0) o.id = global_id(s, local);
  else o.includer = global_id(s, p.st.last_includer());
  return o;
}

bool concurrent_store::copy_live(int32_t id, uint16_t *key, int16_t *z) const {
  const part &p = *shards_[static_cast<size_t>(shard_of(id))];
  const int32_t local = local_of(id);
  const hold g(p.lock);
  if (p.st.covered(local)) return false;
  // zone_of decodes into the shard's scratch: the lock covers it too.
  const int16_t *stored = p.st.zone_of(local);
  std::copy(stored, stored + static_cast<size_t>(dim_) * dim_, z);
  const uint16_t *k = p.st.key_of(local);
  std::copy(k, k + key_len_, key);
  return true;
}

int32_t concurrent_store::parent(int32_t id) const {
  const part &p = *shards_[static_cast<size_t>(shard_of(id))];
  const hold g(p.lock);
  return p.st.parent(local_of(id));
}

int32_t concurrent_store::move(int32_t id) const {
  const part &p = *shards_[static_cast<size_t>(shard_of(id))];
  const hold g(p.lock);
  return p.st.move(local_of(id));
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
