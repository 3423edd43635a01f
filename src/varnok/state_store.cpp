// The passed/waiting store of the LU search.

#include "varnok/state_store.h"

#include <cassert>
#include <cstring>

#include "common/zone/zone.h"
#include "varnok/zone_compare.h"

namespace lu {

namespace {

// "No bound" in the narrow form: above every finite bound it keeps.
constexpr int8_t NARROW_INF = 127;
// A slot's size (the rows its block holds) is kept in one byte.
static_assert(MAX_ZONE_CLOCKS + 1 <= 255, "a zone has at most 255 rows");

uint64_t hash_key(const uint16_t *key, int n) {
  uint64_t h = 0x9e3779b97f4a7c15ull;
  for (int i = 0; i < n; i++) {
    h ^= key[i];
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 29;
  }
  return h;
}

// The zone compared next, while this one is compared.
inline void prefetch(const int8_t *z) {
  __builtin_prefetch(z);
  __builtin_prefetch(z + 64);
}

// Short equal-size runs (keys, masks): a call of memcmp costs more.
template <typename T>
inline bool same(const T *a, const T *b, int n) {
  for (int i = 0; i < n; i++)
    if (a[i] != b[i]) return false;
  return true;
}

inline bool has_row(const int8_t *mask, int i) { return (mask[i >> 3] >> (i & 7)) & 1; }

}  // namespace

state_store::state_store(int dim, int key_len, int chunk_bits)
    : dim_(dim), key_len_(key_len), chunk_bits_(chunk_bits), mask_bytes_(mask_bytes_of(dim)), row_bytes_(dim - 1),
      recs_(1, chunk_bits), keys_(static_cast<size_t>(key_len), chunk_bits), heads_(1, chunk_bits),
      arenas_(make_arenas()), slot_at_(1, chunk_bits), slot_cap_(1, chunk_bits), slot_next_(1, chunk_bits),
      enc_(encoded_bytes(dim, dim, false), 0), decoded_(static_cast<size_t>(dim) * dim) {
  table_.assign(size_t{1} << (chunk_bits - 2), 0);
}

std::vector<state_store::arena> state_store::make_arenas() const {
  std::vector<arena> v;
  v.reserve(static_cast<size_t>(dim_) + 1);
  for (int k = 0; k <= dim_; k++) v.emplace_back(block_bytes(k), size_t{16} << chunk_bits_);
  return v;
}

void state_store::grow_table() {
  std::vector<uint64_t> t(table_.size() * 2, 0);
  const size_t mask = t.size() - 1;
  for (const uint64_t e : table_) {
    if (e == 0) continue;
    size_t at = (e >> 32) & mask;
    while (t[at] != 0) at = (at + 1) & mask;
    t[at] = e;
  }
  table_.swap(t);
}

int32_t state_store::find_or_add(const uint16_t *key) {
  const size_t mask = table_.size() - 1;
  const size_t bytes = static_cast<size_t>(key_len_) * sizeof(uint16_t);
  const uint64_t h = hash_key(key, key_len_) >> 32;
  size_t at = h & mask;
  for (; table_[at] != 0; at = (at + 1) & mask) {
    if ((table_[at] >> 32) != h) continue;
    const size_t d = static_cast<size_t>(table_[at] & 0xffffffffu) - 1;
    if (same(keys_.at(d), key, key_len_)) return static_cast<int32_t>(d);
  }
  const int32_t d = static_cast<int32_t>(heads_.size());
  table_[at] = h << 32 | (static_cast<uint64_t>(d) + 1);
  if (bytes > 0) memcpy(keys_.grow(), key, bytes);
  else keys_.grow();
  *heads_.grow() = -1;
  if (heads_.size() * 2 > table_.size()) grow_table();
  return d;
}

int32_t state_store::new_slot(int k) {
  // A free block of this size, else a free larger one (zones of many rows
  // are often covered early and leave theirs free), else a new one.
  int cap = k;
  if (arenas_[static_cast<size_t>(k)].free.empty() && nb_free_blocks_ > 0)
    for (int c = k + 1; c <= dim_; c++)
      if (!arenas_[static_cast<size_t>(c)].free.empty()) {
        cap = c;
        break;
      }
  arena &ar = arenas_[static_cast<size_t>(cap)];
  int8_t *block;
  if (!ar.free.empty()) {
    block = ar.free.back();
    ar.free.pop_back();
    nb_free_blocks_--;
  } else {
    block = ar.blocks.grow();
  }
  int32_t s;
  if (!free_slots_.empty()) {
    s = free_slots_.back();
    free_slots_.pop_back();
  } else {
    slot_at_.grow();
    slot_cap_.grow();
    slot_next_.grow();
    s = static_cast<int32_t>(slot_at_.size() - 1);
  }
  *slot_at_.at(static_cast<size_t>(s)) = block;
  *slot_cap_.at(static_cast<size_t>(s)) = static_cast<uint8_t>(cap);
  return s;
}

void state_store::free_slot(int32_t s) {
  int8_t *&block = *slot_at_.at(static_cast<size_t>(s));
  arenas_[*slot_cap_.at(static_cast<size_t>(s))].free.push_back(block);
  nb_free_blocks_++;
  block = nullptr;
  free_slots_.push_back(s);
}

int state_store::encode(const int16_t *z, int8_t *out) const { return encode_zone(z, dim_, narrow_, out); }

int state_store::encode_zone(const int16_t *z, int dim, bool narrow, int8_t *out) {
  const int mask_bytes = mask_bytes_of(dim);
  memset(out, 0, static_cast<size_t>(mask_bytes));
  int8_t *row = out + mask_bytes;
  int k = 0;
  for (int i = 0; i < dim; i++) {
    assert(z[i * dim + i] == ZERO_LE);
    const int16_t *zi = z + i * dim;
    int8_t *const start = row;
    bool bounded = false;  // the row is written, and given up when it holds no bound
    if (narrow) {
      for (int j = 0; j < dim; j++) {
        if (j == i) continue;
        const int16_t v = zi[j];
        if (v == INF_BOUND) {
          *row++ = NARROW_INF;
          continue;
        }
        if (v < -128 || v >= NARROW_INF) return -1;
        *row++ = static_cast<int8_t>(v);
        bounded = true;
      }
    } else {
      for (int j = 0; j < dim; j++) {
        if (j == i) continue;
        memcpy(row, &zi[j], sizeof(int16_t));
        row += sizeof(int16_t);
        bounded |= zi[j] != INF_BOUND;
      }
    }
    if (!bounded) {
      row = start;
      continue;
    }
    out[i >> 3] = static_cast<int8_t>(out[i >> 3] | (1 << (i & 7)));
    k++;
  }
  return k;
}

void state_store::decode(const int8_t *block, int16_t *z) const {
  const int8_t *row = block + mask_bytes_;
  for (int i = 0; i < dim_; i++) {
    int16_t *zi = z + i * dim_;
    if (!has_row(block, i)) {
      for (int j = 0; j < dim_; j++) zi[j] = INF_BOUND;
    } else if (narrow_) {
      for (int j = 0; j < dim_; j++)
        if (j != i) {
          const int8_t v = *row++;
          zi[j] = v == NARROW_INF ? INF_BOUND : v;
        }
    } else {
      for (int j = 0; j < dim_; j++)
        if (j != i) {
          memcpy(&zi[j], row, sizeof(int16_t));
          row += sizeof(int16_t);
        }
    }
    zi[i] = ZERO_LE;
  }
}

int state_store::compare_rows(const int8_t *a, const int8_t *b, int n, int bits) const {
  if (narrow_) return flat::compare_bytes(a, b, n, bits);
  // The blocks of a wide store hold 16-bit bounds at even offsets of
  // 16-byte aligned chunks (the mask size is even).
  return flat::compare_entries(reinterpret_cast<const int16_t *>(a), reinterpret_cast<const int16_t *>(b), n / 2, bits);
}

int state_store::compare(const int8_t *a, int k, const int8_t *b) const {
  if (same(a, b, mask_bytes_))
    return compare_rows(a + mask_bytes_, b + mask_bytes_, k * row_bytes_, flat::A_IN_B | flat::B_IN_A);
  // A row left out is "no bound" throughout: a zone that keeps a row the
  // other leaves out is not included in it.
  bool a_only = false, b_only = false;
  for (int p = 0; p < mask_bytes_; p++) {
    a_only |= (a[p] & ~b[p]) != 0;
    b_only |= (b[p] & ~a[p]) != 0;
  }
  if (a_only && b_only) return 0;
  int r = a_only ? flat::A_IN_B : flat::B_IN_A;
  const int8_t *ra = a + mask_bytes_, *rb = b + mask_bytes_;
  for (int i = 0; i < dim_ && r != 0; i++) {
    const bool in_a = has_row(a, i), in_b = has_row(b, i);
    if (in_a && in_b) r = compare_rows(ra, rb, row_bytes_, r);
    if (in_a) ra += row_bytes_;
    if (in_b) rb += row_bytes_;
  }
  return r;
}

void state_store::set_narrow(bool narrow) {
  narrow_ = narrow;
  row_bytes_ = (narrow ? 1 : 2) * (dim_ - 1);
}

void state_store::widen() {
  set_narrow(false);
  std::vector<arena> wide = make_arenas();
  std::vector<int16_t> z(static_cast<size_t>(dim_) * dim_);
  for (size_t s = 0; s < slot_at_.size(); s++) {
    int8_t *&block = *slot_at_.at(s);
    if (block == nullptr) continue;
    set_narrow(true);
    decode(block, z.data());
    set_narrow(false);
    const int k = encode(z.data(), enc_.data());
    block = wide[static_cast<size_t>(k)].blocks.grow();
    *slot_cap_.at(s) = static_cast<uint8_t>(k);
    memcpy(block, enc_.data(), block_bytes(k));
  }
  arenas_.swap(wide);
  nb_free_blocks_ = 0;
}

const int16_t *state_store::zone_of(int32_t id) const {
  decode(slot_ptr(rec_of(id).slot), decoded_.data());
  return decoded_.data();
}

// Unlinks and covers every live state of disc whose zone is included in
// the zone being inserted (cur_).
void state_store::cover_included(int32_t disc) {
  int32_t *link = heads_.at(static_cast<size_t>(disc));
  while (*link >= 0) {
    const int32_t id = *link;
    rec &r = rec_of(id);
    int32_t &next = next_of_slot(r.slot);
    if (next >= 0) prefetch(slot_ptr(rec_of(next).slot));
    if (compare(cur_, enc_rows_, slot_ptr(r.slot)) & flat::B_IN_A) {
      if (track_) covered_by_[id] = size();  // the state about to be stored
      *link = next;
      free_slot(r.slot);
      r.slot = -1;
      nb_covered_++;
    } else {
      link = &next;
    }
  }
}

int32_t state_store::insert(const uint16_t *key, const int16_t *z, int32_t parent, int32_t move) {
  const int32_t disc = find_or_add(key);
  enc_rows_ = encode(z, enc_.data());
  if (enc_rows_ < 0) {
    widen();
    enc_rows_ = encode(z, enc_.data());
  }
  cur_ = enc_.data();
  return insert_current(disc, parent, move);
}

int32_t state_store::insert_encoded(const uint16_t *key, const int8_t *enc, int rows, bool narrow, int32_t parent,
                                    int32_t move) {
  const int32_t disc = find_or_add(key);
  if (narrow_ && !narrow) widen();
  if (narrow_ == narrow) {
    cur_ = enc;
  } else {
    widen_into_enc(enc, rows);
    cur_ = enc_.data();
  }
  enc_rows_ = rows;
  return insert_current(disc, parent, move);
}

void state_store::widen_into_enc(const int8_t *enc, int rows) {
  memcpy(enc_.data(), enc, static_cast<size_t>(mask_bytes_));
  const int8_t *from = enc + mask_bytes_;
  int8_t *to = enc_.data() + mask_bytes_;
  for (int n = rows * (dim_ - 1); n > 0; n--, from++, to += sizeof(int16_t)) {
    const int16_t v = *from == NARROW_INF ? static_cast<int16_t>(INF_BOUND) : *from;
    memcpy(to, &v, sizeof(int16_t));
  }
}

int32_t state_store::insert_current(int32_t disc, int32_t parent, int32_t move) {
  bool covers = false;
  for (int32_t id = *heads_.at(static_cast<size_t>(disc)); id >= 0;) {
    const int32_t slot = rec_of(id).slot;
    const int32_t next = next_of_slot(slot);
    if (next >= 0) prefetch(slot_ptr(rec_of(next).slot));
    const int c = compare(cur_, enc_rows_, slot_ptr(slot));
    if (c & flat::A_IN_B) {  // z is included in a stored zone
      last_includer_ = id;
      return -1;
    }
    covers |= (c & flat::B_IN_A) != 0;
    id = next;
  }
  if (covers) cover_included(disc);
  const int32_t slot = new_slot(enc_rows_);
  memcpy(*slot_at_.at(static_cast<size_t>(slot)), cur_, block_bytes(enc_rows_));
  const int32_t id = size();
  int32_t &head = *heads_.at(static_cast<size_t>(disc));
  next_of_slot(slot) = head;
  *recs_.grow() = {disc, parent, move, slot};
  if (track_) covered_by_.push_back(-1);
  head = id;
  return id;
}

size_t state_store::bytes() const {
  size_t zones = 0;
  for (const arena &ar : arenas_) zones += ar.blocks.bytes() + ar.free.capacity() * sizeof(int8_t *);
  return recs_.bytes() + keys_.bytes() + heads_.bytes() + table_.capacity() * sizeof(uint64_t) + zones +
         slot_at_.bytes() + slot_cap_.bytes() + slot_next_.bytes() + free_slots_.capacity() * sizeof(int32_t) +
         covered_by_.capacity() * sizeof(int32_t) + enc_.capacity() + decoded_.capacity() * sizeof(int16_t);
}

}  // namespace lu
