// The passed/waiting store of the LU search.

#include "varnok/state_store.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "common/zone/zone.h"
#include "varnok/zone_compare.h"

namespace lu {

namespace {

// "No bound" in the narrow form: above every finite bound it keeps.
constexpr int8_t NARROW_INF = 127;

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
inline void prefetch(const int8_t *z) {
  __builtin_prefetch(z);
  __builtin_prefetch(z + 64);
  __builtin_prefetch(z + 128);
}

int padded(int bytes) { return (bytes + 15) / 16 * 16; }

}  // namespace

state_store::state_store(int dim, int key_len)
    : dim_(dim), key_len_(key_len), slot_bytes_(padded(dim * dim - dim)), keys_(static_cast<size_t>(key_len)),
      zones_(static_cast<size_t>(slot_bytes_)), enc_(static_cast<size_t>(padded(2 * (dim * dim - dim))), 0),
      decoded_(static_cast<size_t>(dim) * dim) {
  table_.assign(1024, -1);
}

void state_store::grow_table() {
  std::vector<int32_t> t(table_.size() * 2, -1);
  const size_t mask = t.size() - 1;
  for (size_t d = 0; d < heads_.size(); d++) {
    size_t at = hash_key(keys_.at(d), key_len_) & mask;
    while (t[at] >= 0) at = (at + 1) & mask;
    t[at] = static_cast<int32_t>(d);
  }
  table_.swap(t);
}

int32_t state_store::find_or_add(const uint16_t *key) {
  const size_t mask = table_.size() - 1;
  const size_t bytes = static_cast<size_t>(key_len_) * sizeof(uint16_t);
  size_t at = hash_key(key, key_len_) & mask;
  for (; table_[at] >= 0; at = (at + 1) & mask) {
    const int32_t d = table_[at];
    if (memcmp(keys_.at(static_cast<size_t>(d)), key, bytes) == 0) return d;
  }
  const int32_t d = static_cast<int32_t>(heads_.size());
  table_[at] = d;
  if (bytes > 0) memcpy(keys_.grow(), key, bytes);
  else keys_.grow();
  *heads_.grow() = -1;
  if (heads_.size() * 2 > table_.size()) grow_table();
  return d;
}

int32_t state_store::new_slot() {
  if (!free_slots_.empty()) {
    const int32_t s = free_slots_.back();
    free_slots_.pop_back();
    return s;
  }
  zones_.grow();
  slot_next_.grow();
  return static_cast<int32_t>(zones_.size() - 1);
}

bool state_store::encode(const int16_t *z) {
  int k = 0;
  for (int i = 0; i < dim_; i++) assert(z[i * dim_ + i] == ZERO_LE);
  if (narrow_) {
    int8_t *e = enc_.data();
    for (int i = 0; i < dim_; i++)
      for (int j = 0; j < dim_; j++) {
        if (i == j) continue;
        const int16_t v = z[i * dim_ + j];
        if (v == INF_BOUND) e[k++] = NARROW_INF;
        else if (v < -128 || v >= NARROW_INF) return false;
        else e[k++] = static_cast<int8_t>(v);
      }
  } else {
    int16_t *e = reinterpret_cast<int16_t *>(enc_.data());
    for (int i = 0; i < dim_; i++)
      for (int j = 0; j < dim_; j++)
        if (i != j) e[k++] = z[i * dim_ + j];
  }
  return true;
}

void state_store::decode(const int8_t *s, int16_t *z) const {
  int k = 0;
  if (narrow_) {
    for (int i = 0; i < dim_; i++)
      for (int j = 0; j < dim_; j++) {
        if (i == j) {
          z[i * dim_ + j] = ZERO_LE;
          continue;
        }
        const int8_t v = s[k++];
        z[i * dim_ + j] = v == NARROW_INF ? INF_BOUND : v;
      }
  } else {
    const int16_t *w = reinterpret_cast<const int16_t *>(s);
    for (int i = 0; i < dim_; i++)
      for (int j = 0; j < dim_; j++) z[i * dim_ + j] = i == j ? ZERO_LE : w[k++];
  }
}

int state_store::compare(const int8_t *a, const int8_t *b) const {
  if (narrow_) return flat::compare_bytes(a, b, slot_bytes_);
  return flat::compare_entries(reinterpret_cast<const int16_t *>(a), reinterpret_cast<const int16_t *>(b), slot_bytes_ / 2);
}

void state_store::widen() {
  const int wide = padded(2 * (dim_ * dim_ - dim_));
  chunked<int8_t> w(static_cast<size_t>(wide));
  std::vector<int16_t> z(static_cast<size_t>(dim_) * dim_);
  for (size_t s = 0; s < zones_.size(); s++) {
    decode(zones_.at(s), z.data());
    int16_t *out = reinterpret_cast<int16_t *>(w.grow());
    int k = 0;
    for (int i = 0; i < dim_; i++)
      for (int j = 0; j < dim_; j++)
        if (i != j) out[k++] = z[i * dim_ + j];
  }
  zones_ = std::move(w);
  narrow_ = false;
  slot_bytes_ = wide;
  std::fill(enc_.begin(), enc_.end(), 0);
}

const int16_t *state_store::zone_of(int32_t id) const {
  decode(slot_ptr(rec_of(id).slot), decoded_.data());
  return decoded_.data();
}

// Unlinks and covers every live state of disc whose zone is included in
// the zone being inserted (enc_).
void state_store::cover_included(int32_t disc) {
  int32_t *link = heads_.at(static_cast<size_t>(disc));
  while (*link >= 0) {
    const int32_t id = *link;
    rec &r = rec_of(id);
    int32_t &next = next_of_slot(r.slot);
    if (next >= 0) prefetch(slot_ptr(rec_of(next).slot));
    if (compare(slot_ptr(r.slot), enc_.data()) & flat::A_IN_B) {
      if (track_) covered_by_[id] = size();  // the state about to be stored
      free_slots_.push_back(r.slot);
      r.slot = -1;
      nb_covered_++;
      *link = next;
    } else {
      link = &next;
    }
  }
}

int32_t state_store::insert(const uint16_t *key, const int16_t *z, int32_t parent, int32_t move) {
  const int32_t disc = find_or_add(key);
  if (!encode(z)) {
    widen();
    encode(z);
  }
  bool covers = false;
  for (int32_t id = *heads_.at(static_cast<size_t>(disc)); id >= 0;) {
    const int32_t slot = rec_of(id).slot;
    const int32_t next = next_of_slot(slot);
    if (next >= 0) prefetch(slot_ptr(rec_of(next).slot));
    const int c = compare(enc_.data(), slot_ptr(slot));
    if (c & flat::A_IN_B) {  // z is included in a stored zone
      last_includer_ = id;
      return -1;
    }
    covers |= (c & flat::B_IN_A) != 0;
    id = next;
  }
  if (covers) cover_included(disc);
  const int32_t slot = new_slot();
  memcpy(zones_.at(static_cast<size_t>(slot)), enc_.data(), static_cast<size_t>(slot_bytes_));
  const int32_t id = size();
  int32_t &head = *heads_.at(static_cast<size_t>(disc));
  next_of_slot(slot) = head;
  *recs_.grow() = {disc, parent, move, slot};
  if (track_) covered_by_.push_back(-1);
  head = id;
  return id;
}

size_t state_store::bytes() const {
  return recs_.bytes() + keys_.bytes() + heads_.bytes() + table_.capacity() * sizeof(int32_t) + zones_.bytes() +
         slot_next_.bytes() + free_slots_.capacity() * sizeof(int32_t) + covered_by_.capacity() * sizeof(int32_t) +
         enc_.capacity() + decoded_.capacity() * sizeof(int16_t);
}

}  // namespace lu
