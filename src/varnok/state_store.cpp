// The passed/waiting store of the LU search.

#include "varnok/state_store.h"

#include <cstring>

#include "varnok/zone_compare.h"

namespace lu {

namespace {

uint64_t hash_key(const uint16_t *key, int n) {
  uint64_t h = 0x9e3779b97f4a7c15ull;
  for (int i = 0; i < n; i++) {
    h ^= key[i];
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 29;
  }
  return h;
}

// The first lines of the zone compared next, while this one is compared.
inline void prefetch(const int16_t *z) {
  __builtin_prefetch(z);
  __builtin_prefetch(z + 32);
  __builtin_prefetch(z + 64);
  __builtin_prefetch(z + 96);
}

}  // namespace

state_store::state_store(int dim, int key_len) : dim_(dim), nn_(dim * dim), key_len_(key_len) {
  table_.assign(1024, -1);
}

void state_store::grow_table() {
  std::vector<int32_t> t(table_.size() * 2, -1);
  const size_t mask = t.size() - 1;
  for (size_t d = 0; d < heads_.size(); d++) {
    size_t at = hashes_[d] & mask;
    while (t[at] >= 0) at = (at + 1) & mask;
    t[at] = static_cast<int32_t>(d);
  }
  table_.swap(t);
}

int32_t state_store::find_or_add(const uint16_t *key) {
  const uint64_t h = hash_key(key, key_len_);
  const size_t mask = table_.size() - 1;
  const size_t bytes = static_cast<size_t>(key_len_) * sizeof(uint16_t);
  size_t at = h & mask;
  for (; table_[at] >= 0; at = (at + 1) & mask) {
    const int32_t d = table_[at];
    if (hashes_[d] == h && memcmp(&keys_[static_cast<size_t>(d) * key_len_], key, bytes) == 0) return d;
  }
  const int32_t d = static_cast<int32_t>(heads_.size());
  table_[at] = d;
  keys_.insert(keys_.end(), key, key + key_len_);
  hashes_.push_back(h);
  heads_.push_back(-1);
  if (heads_.size() * 2 > table_.size()) grow_table();
  return d;
}

int32_t state_store::new_slot() {
  if (!free_slots_.empty()) {
    const int32_t s = free_slots_.back();
    free_slots_.pop_back();
    return s;
  }
  if ((nb_slots_ >> CHUNK_BITS) >= static_cast<int32_t>(chunks_.size()))
    chunks_.emplace_back(new int16_t[static_cast<size_t>(nn_) << CHUNK_BITS]);
  return nb_slots_++;
}

// Unlinks and covers every live state of disc whose zone is included in z.
void state_store::cover_included(int32_t disc, const int16_t *z) {
  int32_t *link = &heads_[disc];
  while (*link >= 0) {
    rec &r = recs_[*link];
    if (r.next >= 0) prefetch(slot_ptr(recs_[r.next].slot));
    if (flat::compare(slot_ptr(r.slot), z, dim_) & flat::A_IN_B) {
      if (track_) covered_by_[*link] = static_cast<int32_t>(recs_.size());  // the state about to be stored
      free_slots_.push_back(r.slot);
      r.slot = -1;
      nb_covered_++;
      *link = r.next;
    } else {
      link = &r.next;
    }
  }
}

int32_t state_store::insert(const uint16_t *key, const int16_t *z, int32_t parent, int32_t move) {
  const int32_t disc = find_or_add(key);
  bool covers = false;
  for (int32_t id = heads_[disc]; id >= 0; id = recs_[id].next) {
    const int32_t next = recs_[id].next;
    if (next >= 0) prefetch(slot_ptr(recs_[next].slot));
    const int c = flat::compare(z, slot_ptr(recs_[id].slot), dim_);
    if (c & flat::A_IN_B) {  // z is included in a stored zone
      last_includer_ = id;
      return -1;
    }
    covers |= (c & flat::B_IN_A) != 0;
  }
  if (covers) cover_included(disc, z);
  const int32_t slot = new_slot();
  memcpy(slot_ptr(slot), z, static_cast<size_t>(nn_) * sizeof(int16_t));
  const int32_t id = static_cast<int32_t>(recs_.size());
  recs_.push_back({disc, heads_[disc], parent, move, slot});
  if (track_) covered_by_.push_back(-1);
  heads_[disc] = id;
  return id;
}

size_t state_store::bytes() const {
  return recs_.capacity() * sizeof(rec) + keys_.capacity() * sizeof(uint16_t) +
         hashes_.capacity() * sizeof(uint64_t) + heads_.capacity() * sizeof(int32_t) +
         table_.capacity() * sizeof(int32_t) + chunks_.size() * (static_cast<size_t>(nn_) << CHUNK_BITS) * sizeof(int16_t) +
         free_slots_.capacity() * sizeof(int32_t) + covered_by_.capacity() * sizeof(int32_t);
}

}  // namespace lu
