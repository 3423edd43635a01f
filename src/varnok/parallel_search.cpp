// The -abs lu search on several threads.

#include "varnok/parallel_search.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#include "varnok/concurrent_store.h"
#include "varnok/flat_zone.h"
#include "varnok/progress.h"

namespace lu {

namespace {

// A successor handed by the thread that computed it to the thread that
// stores its shard: the state it came from (its id and its index in the
// chunk), its successor number and the hash of its key.
struct handed {
  int32_t parent, from, move;
  uint32_t hash;
  uint32_t zone;  // the offset of its zone in the thread's zone bytes
  int16_t rows;   // the zone's rows kept
  bool narrow;    // the zone's bounds take one byte each
};

// Bytes appended to, reused from chunk to chunk: room() gives space for
// the next record, take() keeps part of it. Nothing is zeroed.
class byte_buffer {
 public:
  size_t size() const { return size_; }
  const int8_t *at(size_t offset) const { return data_.get() + offset; }
  void clear() { size_ = 0; }
  // Space for at most n bytes at the end.
  int8_t *room(size_t n) {
    if (size_ + n > cap_) grow(size_ + n);
    return data_.get() + size_;
  }
  // Keeps n bytes of the room, rounded up to 8 (so that the next record is
  // aligned for 16-bit bounds).
  void take(size_t n) { size_ += (n + 7) & ~size_t{7}; }

 private:
  void grow(size_t need) {
    const size_t cap = std::max({need, 2 * cap_, size_t{1} << 16});
    std::unique_ptr<int8_t[]> d(new int8_t[cap]);
    if (size_ > 0) memcpy(d.get(), data_.get(), size_);
    data_.swap(d);
    cap_ = cap;
  }
  std::unique_ptr<int8_t[]> data_;
  size_t size_ = 0, cap_ = 0;
};

// A state of the chunk, found by the hash of its key: its index in the
// chunk.
struct chunk_state {
  uint32_t hash;
  int32_t at;
  bool operator<(const chunk_state &o) const { return hash < o.hash || (hash == o.hash && at < o.at); }
};

// A successor of the chunk's state `from` whose zone strictly includes
// that of the chunk's later state `at`: once offered, it covers it.
struct cover {
  int32_t at, from;
  bool operator<(const cover &o) const { return at < o.at || (at == o.at && from < o.from); }
};

// A block of the chunk, kept at the chunk's index of its first state: the
// thread that explored it, its length, and the numbers of the successors
// it computed from it, [begin, end). thread -1: not explored.
struct block_info {
  int32_t thread = -1, length = 0, begin = 0, end = 0;
};

// What one thread writes while it explores a chunk, on cache lines of its
// own: the successors it computed, in the order computed, with their keys
// and zones (extrapolated, in the store's compact form: a fifth or less of
// the bounds, so that few cache lines go from one core to the other) in
// arrays of their own, the shard of
// each one, their numbers per shard, and the covers its successors would
// make of later states of the chunk. Cleared, not freed, from chunk to
// chunk: one thread's arrays hold at most its part of a chunk.
struct alignas(64) thread_part {
  std::vector<handed> heads;
  std::vector<uint16_t> keys;
  byte_buffer zones;
  std::vector<uint16_t> shard_of;
  std::vector<std::vector<int32_t>> of_shard;
  std::vector<cover> covers;
};

// A shard's work in a chunk: the chunk it was last taken for (by its owner,
// or at the end by a thread done with its own), and what its inserts gave,
// per thread that computed them, in their order: the new state's id, or
// -2 - the state that included it.
struct alignas(64) shard_work {
  std::atomic<uint32_t> taken{0};
  // Each list on cache lines of its own: the list headers of neighbouring
  // shards are written by different threads.
  struct alignas(64) list {
    std::vector<int32_t> v;
  };
  std::vector<list> got;
};

// What the threads share. A breadth-first level is explored chunk by
// chunk, each chunk in two phases separated by a barrier. In the first,
// all threads explore the chunk's states, taking them in order in blocks
// (smaller towards the chunk's end) through one atomic cursor, and hand
// each successor over in a buffer of their own for its shard; nothing is
// written in the store, so that any thread reads any state. In the second,
// each thread offers to the store the successors of the shards it owns
// (shard s: thread s mod threads), one shard after the other, each in the
// sequential order (block after block, each in the order its successors
// were computed), without a lock: every shard sees its offers in the order
// of the sequential search. A thread done with its own shards takes those
// that their owner has not begun yet, so that the threads end the phase
// together; most inserts stay with the owner, whose cache holds the
// shard. At the second barrier one thread appends the states stored to
// the next level, in that order, and sets up the next chunk.
//
// The sequential search does not explore a state that a successor of an
// earlier state covered meanwhile; here the whole chunk is explored before
// anything is stored. So each thread also notes, while it explores, the
// successors that strictly include the zone of a later live state of the
// chunk (found by key in an index of the chunk's states); at the first
// barrier one thread goes through these covers in the chunk's order and
// marks the states that the sequential search would not have explored (a
// cover counts when the state it comes from is not marked itself), and
// their successors are not offered. The store then sees exactly the
// sequential search's offers.
struct shared {
  shared(const model &m, int jobs, const search_params &p)
      : store(m.dim(), m.key_size(), shard_bits(jobs)), parts(static_cast<size_t>(jobs)),
        work(static_cast<size_t>(store.nb_shards())), threads(jobs),
        key_len(static_cast<size_t>(m.key_size())), nn(static_cast<size_t>(m.dim()) * m.dim()), limit(p.limit),
        graph(p.keep_graph), bar(jobs) {
    if (graph) store.track_covers();
    for (shard_work &w : work) w.got.resize(static_cast<size_t>(jobs));
  }
  // Enough shards that each thread's share of the discrete states is even.
  static int shard_bits(int jobs) {
    int bits = 4;
    while ((1 << bits) < 8 * jobs && bits < 10) bits++;
    return bits;
  }
  // The threads that run (fewer than asked when one could not be started);
  // fixed before any of them works.
  void set_threads(int n) {
    threads = n;
    bar.set_threads(n);
  }

  // The first outcome wins: 1 a goal, -1 the limit, 2 a failure.
  bool finish(int how) {
    int running = 0;
    return outcome.compare_exchange_strong(running, how, std::memory_order_acq_rel);
  }
  bool running() const { return outcome.load(std::memory_order_relaxed) == 0; }
  void fail(std::exception_ptr e) {
    std::lock_guard<std::mutex> g(error_lock);
    if (!error) error = e;
    finish(2);
  }

  // The next block of the chunk to explore: [from, to), empty at its end.
  // Blocks shrink towards the chunk's end (a share of what is left), so
  // that the threads end the phase within a few states of each other.
  std::pair<size_t, size_t> take() {
    size_t from = cursor.load(std::memory_order_relaxed);
    for (;;) {
      if (from >= chunk_to) return {chunk_to, chunk_to};
      const size_t n = std::clamp<size_t>((chunk_to - from) / (4 * static_cast<size_t>(threads)), 1, 64);
      if (cursor.compare_exchange_weak(from, from + n, std::memory_order_relaxed)) return {from, from + n};
    }
  }
  // The states of the chunk whose key hashes to h.
  std::pair<const chunk_state *, const chunk_state *> states_of(uint32_t h) const {
    const uint32_t bit = h >> (32 - filter_bits);
    if (!(filter[bit >> 6] >> (bit & 63) & 1)) return {nullptr, nullptr};  // most successors
    const auto r = std::equal_range(index.begin(), index.end(), chunk_state{h, -1},
                                    [](const chunk_state &a, const chunk_state &b) { return a.hash < b.hash; });
    return {index.data() + (r.first - index.begin()), index.data() + (r.second - index.begin())};
  }
  // Runs on one thread once all have explored the chunk: marks the states
  // that the sequential search would not have explored.
  void mark_covered() noexcept {
    if (!running()) return;
    try {
      covers.clear();
      for (const thread_part &t : parts) covers.insert(covers.end(), t.covers.begin(), t.covers.end());
    } catch (...) {
      fail(std::current_exception());
      return;
    }
    std::sort(covers.begin(), covers.end());
    for (const cover &c : covers)
      if (!skip[static_cast<size_t>(c.at)] && !skip[static_cast<size_t>(c.from)]) {
        skip[static_cast<size_t>(c.at)] = 1;
        skipped++;
      }
  }
  // Takes shard s for the chunk: false when another thread has.
  bool take_shard(size_t s) { return work[s].taken.exchange(chunk_no, std::memory_order_relaxed) != chunk_no; }
  size_t left() const {
    return level.size() - std::min(cursor.load(std::memory_order_relaxed), level.size());
  }

  // Runs on one thread once all have stored the chunk's successors.
  void end_chunk() noexcept {
    try {
      if (running()) join_chunk();
      next_chunk();
    } catch (...) {
      fail(std::current_exception());  // the level cannot grow: the search stops
      over = true;
    }
  }
  // Appends the states stored from the chunk to the next level (and its
  // transitions to the graph), in the sequential order.
  void join_chunk() {
    const size_t n = static_cast<size_t>(threads);
    joined.assign(work.size() * n, 0);
    explored_so_far += chunk_to - chunk_from;
    for (const thread_part &t : parts) successors_so_far += t.shard_of.size();
    for (size_t at = 0; at < blocks.size(); at += static_cast<size_t>(blocks[at].length)) {
      const block_info &b = blocks[at];
      if (b.thread < 0) break;  // not reached while the search runs
      const size_t t = static_cast<size_t>(b.thread);
      const thread_part &from = parts[t];
      for (int32_t q = b.begin; q < b.end; q++) {
        const size_t s = from.shard_of[static_cast<size_t>(q)];
        size_t &i = joined[s * n + t];
        const int32_t got = work[s].got[t].v[i];
        const handed &h = from.heads[static_cast<size_t>(q)];
        if (got >= 0) {
          next.push_back(got);
          next_hash.push_back(h.hash);
        }
        if (graph && got != not_offered) {
          edges.push_back({h.parent, got >= 0 ? got : -2 - got, h.move});
        }
        i++;
      }
    }
  }
  // Moves on to the next chunk, of this level or of the next one.
  void next_chunk() {
    chunk_from = chunk_to;
    if (chunk_from >= level.size()) {
      level.swap(next);
      next.clear();
      level_hash.swap(next_hash);
      next_hash.clear();
      chunk_from = 0;
    }
    if (level.empty() || !running()) {
      over = true;
      return;
    }
    chunk_to = std::min(level.size(), chunk_from + chunk_states());
    const size_t len = chunk_to - chunk_from;
    blocks.assign(len, block_info{});
    skip.assign(len, 0);
    index.clear();
    filter.assign(size_t{1} << (filter_bits - 6), 0);
    for (size_t at = 0; at < len; at++) {
      const uint32_t h = level_hash[chunk_from + at];
      index.push_back({h, static_cast<int32_t>(at)});
      const uint32_t bit = h >> (32 - filter_bits);
      filter[bit >> 6] |= uint64_t{1} << (bit & 63);
    }
    std::sort(index.begin(), index.end());
    chunk_no++;
    cursor.store(chunk_from, std::memory_order_relaxed);
  }

  // States of the next chunk: about `budget` successors at the rate of the
  // chunks so far (the successors handed over stay in the caches, a few
  // hundred kB to a few MB), at most 1024 states; enough that the barriers
  // cost little.
  size_t chunk_states() const {
    constexpr size_t budget = 2048, most = 1024;
    if (explored_so_far == 0) return most;
    return std::clamp<size_t>(budget * explored_so_far / std::max<size_t>(successors_so_far, 1), 16, most);
  }
  static constexpr int32_t not_offered = INT32_MIN;  // in got: a successor of a marked state

  concurrent_store store;
  std::vector<thread_part> parts;  // per thread
  std::vector<shard_work> work;    // per shard
  int threads;
  size_t key_len, nn;
  std::vector<int32_t> level, next;  // the level being explored, the next one
  std::vector<uint32_t> level_hash, next_hash;  // the hashes of their keys
  size_t chunk_from = 0, chunk_to = 0;  // the chunk of the level being explored
  uint32_t chunk_no = 0;           // chunks begun
  std::vector<block_info> blocks;  // of the chunk, at the index of their first state
  std::vector<size_t> joined;      // scratch of join_chunk
  std::vector<graph_edge> edges;   // under keep_graph, in the sequential order
  std::vector<chunk_state> index;  // the chunk's states, by hash
  static constexpr int filter_bits = 14;
  std::vector<uint64_t> filter;    // the high bits of the index's hashes, one bit each
  std::vector<uint8_t> skip;       // per state of the chunk: marked
  std::vector<cover> covers;       // scratch of mark_covered
  long long skipped = 0;           // states marked: explored here, not in the sequential search
  size_t explored_so_far = 0, successors_so_far = 0;  // the chunks' states and successors
  bool over = false;               // set at the end of a chunk
  alignas(64) std::atomic<size_t> cursor{0};  // the chunk's first state not yet taken
  alignas(64) std::atomic<int> outcome{0};
  alignas(64) std::atomic<long long> stored{0};  // under a limit: the states stored
  std::atomic<int> go{0};          // the threads start working at 1
  long long initial = 0;           // the initial states stored
  witness goal;  // written by the thread that set outcome 1
  std::mutex error_lock;
  std::exception_ptr error;
  int limit;
  bool graph;
  spin_barrier bar;
};

// With VARNOK_SEARCH_COUNTERS defined at build time, every thread also
// counts where its time goes, and the search prints the counts on
// standard error at its end (for the benchmark; never in a normal build).
#ifdef VARNOK_SEARCH_COUNTERS
constexpr bool counting = true;
#else
constexpr bool counting = false;
#endif

class alignas(64) worker {  // no line shared with another thread's counters
 public:
  worker(shared &sh, const model &m, int me)
      : sh_(sh), proto_(m), me_(static_cast<size_t>(me)), part_(sh.parts[me_]) {}

  // Explores and stores chunk after chunk until the search is over. A
  // failure (the store cannot grow) stops every thread at the end of the
  // chunk; this one still arrives at every barrier, so that no thread
  // waits for it.
  void run() {
    try {
      prepare();
    } catch (...) {
      sh_.fail(std::current_exception());  // then every thread only meets the barriers
    }
    for (int go = sh_.go.load(std::memory_order_acquire); go == 0; go = sh_.go.load(std::memory_order_acquire))
      sh_.go.wait(0, std::memory_order_acquire);
    while (!sh_.over) {
      try {
        explore_chunk();
      } catch (...) {
        sh_.fail(std::current_exception());
      }
      wait(explore_wait_, [this] { sh_.mark_covered(); });
      try {
        store_owned();
      } catch (...) {
        sh_.fail(std::current_exception());
      }
      wait(store_wait_, [this] {
        if constexpr (counting) {
          const auto start = std::chrono::steady_clock::now();
          sh_.end_chunk();
          join_ns_ += elapsed(start);
        } else {
          sh_.end_chunk();
        }
      });
    }
  }

  long long explored() const { return explored_.load(std::memory_order_relaxed); }
  long long stored() const { return stored_.load(std::memory_order_relaxed); }
  long long covered() const { return covered_.load(std::memory_order_relaxed); }
  long long transitions() const { return transitions_; }
  long long dropped() const { return dropped_; }
  void set_team(const std::vector<worker *> *team) { team_ = team; }
  // Under VARNOK_SEARCH_COUNTERS: the time spent waiting at the barrier
  // after exploring and after storing, the waits that ended in a sleep,
  // the time spent joining chunks, the shards of other threads stored, and
  // the bytes of the zones handed over.
  struct waits {
    long long ns = 0, slept = 0, rounds = 0;
  };
  const waits &explore_waits() const { return explore_wait_; }
  const waits &store_waits() const { return store_wait_; }
  long long join_ns() const { return join_ns_; }
  long long shards_taken() const { return taken_; }
  long long zone_bytes() const { return zone_bytes_; }

 private:
  static long long elapsed(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
  }
  // Allocates what this thread writes while it works, on the thread itself:
  // data allocated together on one thread would share cache lines with
  // those of another, which both would then write all the time.
  void prepare() {
    m_ = proto_;
    key_.assign(sh_.key_len, 0);
    from_.assign(sh_.nn, 0);
    other_.assign(sh_.nn, 0);
    next_.assign(sh_.parts.size(), 0);
    part_.of_shard.resize(sh_.work.size());
  }
  template <typename Done>
  void wait(waits &w, Done &&done) {
    if constexpr (counting) {
      const auto start = std::chrono::steady_clock::now();
      w.slept += sh_.bar.arrive_and_wait(done);
      w.ns += elapsed(start);
      w.rounds++;
    } else {
      sh_.bar.arrive_and_wait(done);
    }
  }

  // Phase one: explores blocks of the chunk, handing the successors over.
  void explore_chunk() {
    part_.heads.clear();
    part_.keys.clear();
    part_.zones.clear();
    for (std::vector<int32_t> &l : part_.of_shard) l.clear();
    part_.shard_of.clear();
    part_.covers.clear();
    seq_ = 0;
    for (;;) {
      const auto [from, to] = sh_.take();
      if (from == to) return;
      block_info &b = sh_.blocks[from - sh_.chunk_from];
      b.thread = static_cast<int32_t>(me_);
      b.length = static_cast<int32_t>(to - from);
      b.begin = seq_;
      for (size_t i = from; i < to; i++) {
        if (!sh_.running()) break;
        at_ = static_cast<int32_t>(i - sh_.chunk_from);
        explore(sh_.level[i]);
      }
      b.end = seq_;
      if (!sh_.running()) return;
      if (me_ == 0) show_progress();
    }
  }

  void explore(int32_t id) {
    // A state covered since it was stored is not explored (no thread
    // writes the store in this phase).
    if (!sh_.store.copy_live(id, key_.data(), from_.data())) return;
    explored_.store(explored_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    id_ = id;
    m_.for_each_successor(key_.data(), from_.data(),
                          [this](int32_t k, const uint16_t *key, int16_t *z, const step_info &) {
                            return successor(k, key, z);
                          });
  }

  // Successor number k of the state being explored: false to stop.
  bool successor(int32_t k, const uint16_t *key, int16_t *z) {
    transitions_++;
    if (m_.is_goal(key, z)) {
      if (sh_.finish(1)) sh_.goal = {id_, k};
      return false;
    }
    m_.extrapolate(key, z);
    const uint32_t hash = sh_.store.key_hash(key);
    note_covers(hash, key, z);
    const int shard = sh_.store.shard_of_hash(hash);
    const int dim = m_.dim();
    const size_t at = part_.zones.size();
    if (at > UINT32_MAX) throw std::bad_alloc();  // a chunk's zones beyond 4 GB on one thread
    int8_t *enc = part_.zones.room(state_store::encoded_bytes(dim, dim, false));
    bool narrow = true;
    int rows = state_store::encode_zone(z, dim, true, enc);
    if (rows < 0) {
      narrow = false;
      rows = state_store::encode_zone(z, dim, false, enc);
    }
    part_.zones.take(state_store::encoded_bytes(dim, rows, narrow));
    if constexpr (counting) zone_bytes_ += static_cast<long long>(part_.zones.size() - at);
    part_.heads.push_back({id_, at_, k, hash, static_cast<uint32_t>(at), static_cast<int16_t>(rows), narrow});
    part_.keys.insert(part_.keys.end(), key, key + sh_.key_len);
    part_.of_shard[static_cast<size_t>(shard)].push_back(seq_);
    part_.shard_of.push_back(static_cast<uint16_t>(shard));
    seq_++;
    return sh_.running();
  }

  // Notes the later live states of the chunk at key whose zone z strictly
  // includes (the store is only read in this phase).
  void note_covers(uint32_t hash, const uint16_t *key, const int16_t *z) {
    const auto [first, last] = sh_.states_of(hash);
    for (const chunk_state *c = first; c != last; c++) {
      if (c->at <= at_) continue;
      const int32_t id = sh_.level[sh_.chunk_from + static_cast<size_t>(c->at)];
      const state_store &st = sh_.store.shard(sh_.store.shard_of(id));
      const int32_t local = sh_.store.local_of(id);
      if (st.covered(local) || !std::equal(key, key + sh_.key_len, st.key_of(local))) continue;
      st.copy_zone(local, other_.data());
      const int dim = m_.dim();
      if (flat::included(other_.data(), z, dim) && !flat::included(z, other_.data(), dim))
        part_.covers.push_back({c->at, at_});
    }
  }

  // Phase two: stores the shards this thread owns, then those that their
  // owners have not begun.
  void store_owned() {
    const size_t shards = sh_.work.size(), threads = static_cast<size_t>(sh_.threads);
    for (size_t s = me_; s < shards && sh_.running(); s += threads)
      if (sh_.take_shard(s)) store_shard(s);
    for (size_t s = shards; s-- > 0 && sh_.running();)
      if (s % threads != me_ && sh_.take_shard(s)) {
        store_shard(s);
        if constexpr (counting) taken_++;
      }
  }

  // Offers the successors of shard s, block by block in the chunk's order.
  void store_shard(size_t s) {
    std::vector<shard_work::list> &got = sh_.work[s].got;
    for (shard_work::list &g : got) g.v.clear();
    std::fill(next_.begin(), next_.end(), 0);
    long long stored = 0, covered = 0;
    const std::vector<block_info> &blocks = sh_.blocks;
    for (size_t at = 0; at < blocks.size(); at += static_cast<size_t>(blocks[at].length)) {
      const block_info &b = blocks[at];
      if (b.thread < 0) break;  // the search stopped in the first phase
      const size_t from = static_cast<size_t>(b.thread);
      const thread_part &h = sh_.parts[from];
      const std::vector<int32_t> &mine = h.of_shard[s];
      std::vector<int32_t> &out = got[from].v;
      size_t &i = next_[from];
      for (; i < mine.size() && mine[i] < b.end; i++) {
        const size_t q = static_cast<size_t>(mine[i]);
        const handed &d = h.heads[q];
        if (sh_.skip[static_cast<size_t>(d.from)]) {  // its state is not explored in the sequential search
          out.push_back(shared::not_offered);
          dropped_++;
          continue;
        }
        const concurrent_store::offer o = sh_.store.insert_encoded(
            static_cast<int>(s), &h.keys[q * sh_.key_len], h.zones.at(d.zone), d.rows, d.narrow, d.parent, d.move);
        covered += o.covered;
        if (o.id >= 0) {
          out.push_back(o.id);
          stored++;
          if (sh_.limit > 0 && sh_.stored.fetch_add(1, std::memory_order_relaxed) + 1 > sh_.limit) {
            sh_.finish(-1);
            break;
          }
        } else {
          out.push_back(-2 - o.includer);
        }
      }
      if (!sh_.running()) break;
    }
    stored_.store(this->stored() + stored, std::memory_order_relaxed);
    covered_.store(this->covered() + covered, std::memory_order_relaxed);
  }

  void show_progress() {
    long long explored = 0, stored = sh_.initial, covered = 0;
    const long long waiting = static_cast<long long>(sh_.left());
    for (const worker *w : *team_) {
      explored += w->explored();
      stored += w->stored();
      covered += w->covered();
    }
    progress::step(stored - covered, waiting, explored);
  }

  shared &sh_;
  const model &proto_;
  model m_;  // this thread's copy: its scratch data are its own
  size_t me_;
  const std::vector<worker *> *team_ = nullptr;
  std::vector<uint16_t> key_;
  std::vector<int16_t> from_;
  thread_part &part_;
  std::vector<size_t> next_;  // store_shard: per thread, its next successor for the shard
  int32_t id_ = -1, seq_ = 0;
  // Written by this thread only, read by thread 0 for the progress line.
  std::atomic<long long> explored_{0}, stored_{0}, covered_{0};
  long long transitions_ = 0, dropped_ = 0, join_ns_ = 0, taken_ = 0, zone_bytes_ = 0;
  int32_t at_ = 0;              // the index in the chunk of the state being explored
  std::vector<int16_t> other_;  // note_covers: a zone of the chunk
  waits explore_wait_, store_wait_;
};

// Stores the initial states as the first level; false when one of them
// meets the goal (then sh.goal says which).
bool store_initial(shared &sh, model &m, states_region *init_table, const tctl_node *init_formula) {
  const size_t nn = static_cast<size_t>(m.dim()) * m.dim();
  std::vector<int16_t> zone(nn);
  int32_t k = 0;
  bool found = false;
  m.for_each_initial(init_table, init_formula, [&](const uint16_t *key, const int16_t *z) {
    const int32_t n = k++;
    if (found) return;
    memcpy(zone.data(), z, nn * sizeof(int16_t));
    if (m.is_goal(key, zone.data())) {
      found = true;
      sh.goal = {-1, n};
      return;
    }
    m.extrapolate(key, zone.data());
    const concurrent_store::offer o = sh.store.insert(key, zone.data(), -1, n);
    if (o.id >= 0) {
      sh.next.push_back(o.id);
      sh.next_hash.push_back(sh.store.key_hash(key));
    }
  });
  sh.initial = sh.store.size();
  sh.stored.store(sh.initial);
  sh.next_chunk();
  return !found;
}

// Runs the workers, the first one on this thread. When a thread cannot be
// started, the ones started share the work: the shards are owned among
// them before any works.
void run_team(shared &sh, std::vector<worker *> &team) {
  for (worker *w : team) w->set_team(&team);
  std::vector<std::thread> threads;
  threads.reserve(team.size());
  for (size_t i = 1; i < team.size(); i++) {
    try {
      threads.emplace_back(&worker::run, team[i]);
    } catch (const std::system_error &) {
      break;
    }
  }
  team.resize(threads.size() + 1);
  sh.set_threads(static_cast<int>(team.size()));
  sh.go.store(1, std::memory_order_release);
  sh.go.notify_all();
  team[0]->run();
  for (std::thread &t : threads) t.join();
}

// The simulation graph of the finished search: the live states copied into
// r.store shard by shard (each shard freed once copied), numbered in that
// order, with the transitions of the explored ones.
void make_graph(model &m, concurrent_store &st, const std::vector<graph_edge> &edges, result &r) {
  // number[s][local]: the graph's number of a live state; for a covered
  // one, -2 - the number of the live state that stands for it (the one
  // that covered it, followed as far as needed: always in its shard).
  std::vector<std::vector<int32_t>> number(static_cast<size_t>(st.nb_shards()));
  int32_t n = 0;
  for (int s = 0; s < st.nb_shards(); s++) {
    const state_store &sh = st.shard(s);
    std::vector<int32_t> &num = number[static_cast<size_t>(s)];
    num.assign(static_cast<size_t>(sh.size()), -1);
    for (int32_t l = 0; l < sh.size(); l++)
      if (!sh.covered(l)) num[static_cast<size_t>(l)] = n++;
    for (int32_t l = 0; l < sh.size(); l++)
      if (sh.covered(l)) num[static_cast<size_t>(l)] = -2 - num[static_cast<size_t>(sh.live(l))];
  }
  auto live_number = [](int32_t v) { return v >= 0 ? v : -2 - v; };
  graph_view &g = r.graph;
  g.initial.assign(static_cast<size_t>(n), false);
  const size_t nn = static_cast<size_t>(m.dim()) * m.dim();
  std::vector<int16_t> z(nn);
  for (int s = 0; s < st.nb_shards(); s++) {
    const state_store &sh = st.shard(s);
    const std::vector<int32_t> &num = number[static_cast<size_t>(s)];
    for (int32_t l = 0; l < sh.size(); l++) {
      const int32_t v = num[static_cast<size_t>(l)];
      if (sh.parent(l) < 0) g.initial[static_cast<size_t>(live_number(v))] = true;
      if (v < 0) continue;
      sh.copy_zone(l, z.data());
      // Live zones of one discrete state are an antichain: each is stored.
      const int32_t id = r.store.insert(sh.key_of(l), z.data(), -1, -1);
      if (id != v) throw std::logic_error("simulation graph: a live state was refused");
      g.states.push_back(id);
    }
    st.release(s);
  }
  auto number_of = [&](int32_t id) {
    return number[static_cast<size_t>(st.shard_of(id))][static_cast<size_t>(st.local_of(id))];
  };
  g.trans.resize(g.states.size());
  std::vector<step_info> moves;
  // The edges of a source were joined together, in move order.
  for (size_t e = 0; e < edges.size();) {
    const int32_t src = number_of(edges[e].source);
    size_t end = e;
    while (end < edges.size() && edges[end].source == edges[e].source) end++;
    if (src >= 0) {
      stored_moves(m, r.store, src, moves);
      for (size_t i = e; i < end; i++)
        g.trans[static_cast<size_t>(src)].push_back(
            {live_number(number_of(edges[i].target)), moves[static_cast<size_t>(edges[i].move)]});
      g.nb_trans += end - e;
    }
    e = end;
  }
}

}  // namespace

parallel_result search_parallel(model &m, states_region *init_table, const tctl_node *init_formula,
                                const search_params &p, int jobs) {
  parallel_result out(m);
  result &r = out.found;
  shared sh(m, jobs, p);
  std::vector<std::unique_ptr<worker>> crew;
  std::vector<worker *> team;
  if (store_initial(sh, m, init_table, init_formula)) {
    for (int i = 0; i < jobs; i++) {
      crew.push_back(std::make_unique<worker>(sh, m, i));
      team.push_back(crew.back().get());
    }
    run_team(sh, team);
    if (sh.error) std::rethrow_exception(sh.error);
    r.verdict = sh.outcome.load();
  } else {
    r.verdict = 1;
  }
  // The states marked were explored here, but not in the sequential
  // search: they and their successors are left out of the counts.
  r.stats.explored -= sh.skipped;
  for (const worker *w : team) {
    r.stats.explored += w->explored();
    r.stats.transitions += w->transitions() - w->dropped();
  }
  if constexpr (counting)
    for (size_t t = 0; t < team.size(); t++) {
      const worker &w = *team[t];
      fprintf(stderr,
              "varnok: thread %zu: %lld explored, %lld stored, %lld covered; %lld chunks, waited %.3f s after exploring "
              "(%lld slept), %.3f s after storing (%lld slept), joined for %.3f s, %lld shards of others stored, %.1f bytes per zone handed over\n",
              t, w.explored(), w.stored(), w.covered(), w.explore_waits().rounds,
              static_cast<double>(w.explore_waits().ns) * 1e-9, w.explore_waits().slept,
              static_cast<double>(w.store_waits().ns) * 1e-9, w.store_waits().slept,
              static_cast<double>(w.join_ns()) * 1e-9, w.shards_taken(),
              static_cast<double>(w.zone_bytes()) / static_cast<double>(std::max(w.transitions(), 1LL)));
    }
  out.stored = sh.store.size() - sh.store.nb_covered();
  out.covered = sh.store.nb_covered();
  out.bytes = sh.store.bytes();
  // The witness path, found again from the initial state along the stored
  // predecessors, as the sequential search finds it.
  if (r.verdict == 1) r.path = path_of_moves(m, witness_moves(sh.store, sh.goal), init_table, init_formula);
  if (p.keep_graph) make_graph(m, sh.store, sh.edges, r);
  return out;
}

}  // namespace lu
