// The -abs lu search on several threads.

#include "varnok/parallel_search.h"

#include <algorithm>
#include <atomic>
#include <barrier>
#include <chrono>
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
#include "varnok/progress.h"

namespace lu {

namespace {

// A run of the level [from, to) explored by one thread, and where the
// states its successors stored lie in that thread's list: [begin, end).
struct segment {
  size_t from, to, begin, end;
};

// What one thread writes while it explores a level, on cache lines of its
// own: the states its successors stored, and the runs of the level they
// came from.
struct alignas(64) level_part {
  std::vector<int32_t> ids;
  std::vector<segment> runs;
};

// What the threads share. The states of one breadth-first level are
// explored by all threads, which take them in order, in small blocks,
// through one atomic cursor: at any moment the threads work on neighbouring
// states, so that the level is explored almost in its order. When every
// thread has arrived at the barrier, the states stored from the level are
// joined in the order of the level's states that reached them: the next
// level is in the sequential search's order, up to the zones that the
// threads met in another order within a few blocks.
struct shared {
  shared(const model &m, int jobs, const search_params &p)
      : store(m.dim(), m.key_size(), shard_bits(jobs)), parts(static_cast<size_t>(jobs)), limit(p.limit),
        graph(p.keep_graph), level_end(static_cast<ptrdiff_t>(jobs), ender{this}) {
    if (graph) store.track_covers();
  }
  // Enough shards that two threads seldom want the same one at once.
  static int shard_bits(int jobs) {
    int bits = 4;
    while ((1 << bits) < 8 * jobs && bits < 10) bits++;
    return bits;
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

  // The next block of the level to explore: [from, to), empty at its end.
  std::pair<size_t, size_t> take() {
    const size_t from = std::min(cursor.fetch_add(block, std::memory_order_relaxed), level.size());
    return {from, std::min(from + block, level.size())};
  }
  size_t left() const { return level.size() - std::min(cursor.load(std::memory_order_relaxed), level.size()); }

  // Runs on one thread once all have arrived: the next level, or the end.
  void next_level() {
    level.clear();
    try {
      joined.clear();
      for (size_t t = 0; t < parts.size(); t++)
        for (const segment &g : parts[t].runs) joined.push_back({g.from, t, g.begin, g.end});
      std::sort(joined.begin(), joined.end(), [](const run_of &a, const run_of &b) { return a.from < b.from; });
      for (const run_of &g : joined) {
        const std::vector<int32_t> &ids = parts[g.thread].ids;
        level.insert(level.end(), ids.begin() + static_cast<ptrdiff_t>(g.begin),
                     ids.begin() + static_cast<ptrdiff_t>(g.end));
      }
    } catch (...) {
      fail(std::current_exception());  // the level cannot grow: the search stops
    }
    for (level_part &p : parts) {
      p.ids.clear();
      p.runs.clear();
    }
    // Blocks small enough that the threads end a level together and meet
    // few zones out of order, large enough that the cursor is seldom touched.
    block = std::clamp<size_t>(level.size() / (16 * parts.size()), 1, 64);
    cursor.store(0, std::memory_order_relaxed);
    over = level.empty() || !running();
  }
  struct ender {
    shared *sh;
    void operator()() noexcept { sh->next_level(); }
  };
  struct run_of {
    size_t from, thread, begin, end;
  };

  concurrent_store store;
  std::vector<int32_t> level;      // the level being explored
  std::vector<level_part> parts;   // per thread
  std::vector<run_of> joined;      // scratch of next_level
  alignas(64) std::atomic<size_t> cursor{0};  // the level's first state not yet taken
  alignas(64) size_t block = 1;    // set between levels
  bool over = false;               // set between levels
  alignas(64) std::atomic<int> outcome{0};
  alignas(64) std::atomic<long long> stored{0};  // under a limit: the states stored
  long long initial = 0;             // the initial states stored
  witness goal;  // written by the thread that set outcome 1
  std::mutex error_lock;
  std::exception_ptr error;
  int limit;
  bool graph;
  std::barrier<ender> level_end;
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
      : sh_(sh), m_(m), me_(static_cast<size_t>(me)), key_(static_cast<size_t>(m.key_size())),
        from_(static_cast<size_t>(m.dim()) * m.dim()), part_(sh.parts[me_]) {}

  // Explores levels until the search is over. A failure (the store cannot
  // grow) stops every thread at the end of the level; this one still
  // arrives at every barrier, so that no thread waits for it.
  void run() {
    while (!sh_.over) {
      try {
        explore_level();
      } catch (...) {
        sh_.fail(std::current_exception());
      }
      if constexpr (counting) {
        const auto start = std::chrono::steady_clock::now();
        sh_.level_end.arrive_and_wait();
        waited_ns_ += std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
      } else {
        sh_.level_end.arrive_and_wait();
      }
    }
  }

  long long explored() const { return explored_.load(std::memory_order_relaxed); }
  long long stored() const { return stored_.load(std::memory_order_relaxed); }
  long long covered() const { return covered_.load(std::memory_order_relaxed); }
  long long transitions() const { return transitions_; }
  const std::vector<graph_edge> &edges() const { return edges_; }
  void set_team(const std::vector<worker *> *team) { team_ = team; }
  // Under VARNOK_SEARCH_COUNTERS: inserts that found their shard locked,
  // and the time spent at the end of levels.
  long long lock_waits() const { return lock_waits_; }
  long long barrier_ns() const { return waited_ns_; }

 private:
  void explore_level() {
    for (;;) {
      const auto [from, to] = sh_.take();
      if (from == to) return;
      // Two blocks in a row of the level make one run.
      if (part_.runs.empty() || part_.runs.back().to != from)
        part_.runs.push_back({from, to, part_.ids.size(), part_.ids.size()});
      segment &run = part_.runs.back();
      run.to = to;
      for (size_t i = from; i < to; i++) {
        if (!sh_.running()) break;
        explore(sh_.level[i]);
      }
      run.end = part_.ids.size();
      if (!sh_.running()) return;
      if (me_ == 0) show_progress();
    }
  }

  void explore(int32_t id) {
    // A state covered since it was stored is not explored; the copies stay
    // valid whatever other threads store meanwhile.
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
    const concurrent_store::offer o = sh_.store.insert(key, z, id_, k);
    if constexpr (counting) lock_waits_ += o.waited;
    if (o.covered > 0) covered_.store(covered() + o.covered, std::memory_order_relaxed);
    if (o.id >= 0) {
      part_.ids.push_back(o.id);
      stored_.store(stored() + 1, std::memory_order_relaxed);
      if (sh_.limit > 0 && sh_.stored.fetch_add(1, std::memory_order_relaxed) + 1 > sh_.limit) sh_.finish(-1);
    }
    if (sh_.graph) edges_.push_back({id_, o.id >= 0 ? o.id : o.includer, k});
    return sh_.running();
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
  model m_;  // this thread's copy: its scratch data are its own
  size_t me_;
  const std::vector<worker *> *team_ = nullptr;
  std::vector<uint16_t> key_;
  std::vector<int16_t> from_;
  level_part &part_;  // this thread's part of the next level
  std::vector<graph_edge> edges_;
  int32_t id_ = -1;
  // Written by this thread only, read by thread 0 for the progress line.
  std::atomic<long long> explored_{0}, stored_{0}, covered_{0};
  long long transitions_ = 0, lock_waits_ = 0, waited_ns_ = 0;
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
    if (o.id >= 0) sh.parts[0].ids.push_back(o.id);
  });
  sh.parts[0].runs.push_back({0, 1, 0, sh.parts[0].ids.size()});
  sh.initial = sh.store.size();
  sh.stored.store(sh.initial);
  sh.next_level();
  return !found;
}

// Runs the workers, the first one on this thread. A thread that cannot be
// started drops out of the barrier: the others share its work.
void run_team(shared &sh, std::vector<worker *> &team) {
  for (worker *w : team) w->set_team(&team);
  std::vector<std::thread> threads;
  threads.reserve(team.size());
  for (size_t i = 1; i < team.size(); i++) {
    try {
      threads.emplace_back(&worker::run, team[i]);
    } catch (const std::system_error &) {
      for (size_t j = i; j < team.size(); j++) (void)sh.level_end.arrive_and_drop();
      break;
    }
  }
  team[0]->run();
  for (std::thread &t : threads) t.join();
}

// The simulation graph of the finished search: the live states copied into
// r.store shard by shard (each shard freed once copied), numbered in that
// order, with the transitions of the explored ones.
void make_graph(model &m, concurrent_store &st, const std::vector<worker *> &team, result &r) {
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
      const int16_t *stored = sh.zone_of(l);
      std::copy(stored, stored + nn, z.begin());
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
  std::vector<uint16_t> key(static_cast<size_t>(m.key_size()));
  // The edges of a source were made by one thread, together, in move order.
  for (const worker *w : team) {
    const std::vector<graph_edge> &edges = w->edges();
    for (size_t e = 0; e < edges.size();) {
      const int32_t src = number_of(edges[e].source);
      size_t end = e;
      while (end < edges.size() && edges[end].source == edges[e].source) end++;
      if (src >= 0) {
        // The moves of src, found again from its stored zone.
        const uint16_t *k = r.store.key_of(src);
        std::copy(k, k + key.size(), key.begin());
        const int16_t *stored = r.store.zone_of(src);
        std::copy(stored, stored + nn, z.begin());
        moves.clear();
        m.for_each_successor(key.data(), z.data(), [&](int32_t, const uint16_t *, int16_t *, const step_info &info) {
          moves.push_back(info);
          return true;
        });
        for (size_t i = e; i < end; i++)
          g.trans[static_cast<size_t>(src)].push_back(
              {live_number(number_of(edges[i].target)), moves[static_cast<size_t>(edges[i].move)]});
        g.nb_trans += end - e;
      }
      e = end;
    }
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
  for (const worker *w : team) {
    r.stats.explored += w->explored();
    r.stats.transitions += w->transitions();
  }
  if constexpr (counting)
    for (size_t t = 0; t < team.size(); t++)
      fprintf(stderr, "varnok: thread %zu: %lld explored, %lld stored, %lld covered, %lld inserts waited for a lock, %.3f s at the end of levels\n",
              t, team[t]->explored(), team[t]->stored(), team[t]->covered(), team[t]->lock_waits(),
              static_cast<double>(team[t]->barrier_ns()) * 1e-9);
  out.stored = sh.store.size() - sh.store.nb_covered();
  out.covered = sh.store.nb_covered();
  out.bytes = sh.store.bytes();
  // The witness path, found again from the initial state along the stored
  // predecessors, as the sequential search finds it.
  if (r.verdict == 1) r.path = path_of_moves(m, witness_moves(sh.store, sh.goal), init_table, init_formula);
  if (p.keep_graph) make_graph(m, sh.store, team, r);
  return out;
}

}  // namespace lu
