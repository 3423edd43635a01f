// Micro-benchmarks of the zone operations on random zones of 3, 6, 10 and 20
// clocks. The closure is compared with a plain Floyd-Warshall closure of the
// same 16-bit matrices without edge bits, measured in the same run: the
// counter "ratio" of BM_closure_ratio is cf_zone's time over the plain one.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <random>
#include <vector>

#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_hash.h"

const char *tool = "zone_bench";

namespace {

constexpr int POOL = 64;

void setup_clocks(int n) {
  std::vector<std::string> names;
  std::vector<char *> ptrs;
  for (int i = 0; i < n; i++) names.push_back("c" + std::to_string(i));
  for (auto &s : names) ptrs.push_back(s.data());
  init_zone_module(n, 0, ptrs.data());
}

// A random non-empty zone given by about 3n constraints (all of them edges),
// not closed: every constraint holds at one random valuation with some slack.
zone *random_open_zone(std::mt19937 &g, int n) {
  std::uniform_int_distribution<int> val(0, 20), slack(0, 4), pick(0, n), coin(0, 1);
  std::vector<int> v(n + 1, 0);
  for (int i = 1; i <= n; i++) v[i] = val(g);
  zone *z = mk_universal_zone();
  z->flags = 0;
  for (int c = 0; c < 3 * n; c++) {
    int i = pick(g), j = pick(g);
    if (i == j) continue;
    int d = v[i] - v[j] + slack(g);
    int16_t b = mk_bound(d, coin(g) || d == v[i] - v[j]);
    if (b < z->bounds[i][j]) assign_bounds_edges_zone(z, i, j, b, 1);
  }
  return z;
}

struct pool {
  std::vector<zone *> open, closed;
  explicit pool(int n, unsigned seed = 1) {
    setup_clocks(n);
    std::mt19937 g(seed);
    for (int k = 0; k < POOL; k++) {
      zone *z = random_open_zone(g, n);
      open.push_back(z);
      zone *c = assign_zone(z);
      cf_zone(c);
      closed.push_back(c);
    }
  }
  ~pool() {
    for (zone *z : open) free_zone(z);
    for (zone *z : closed) free_zone(z);
  }
};

// Plain closure: k, i, j loops, saturated sums, infinite entries skipped.
void plain_closure(int16_t *m, int n) {
  for (int k = 0; k < n; k++) {
    const int16_t *rk = m + k * n;
    for (int i = 0; i < n; i++) {
      int16_t *ri = m + i * n;
      const int16_t a = ri[k];
      if (a == INF_BOUND) continue;
      for (int j = 0; j < n; j++) {
        const int16_t b = rk[j];
        if (b == INF_BOUND) continue;
        const int16_t t = add_bounds(a, b);
        if (t < ri[j]) ri[j] = t;
      }
    }
  }
}

// Copies the matrix and edges of src into dst (same width) and marks dst open.
void reload(zone *dst, const zone *src) {
  const int n = N_OF_CLOCKS;
  memcpy(dst->bounds[0], src->bounds[0], sizeof(int16_t) * n * n);
  memcpy(dst->edges, src->edges, sizeof(uint32_t) * EDGES_SIZE);
  dst->flags = 0;
}

void BM_cf_zone(benchmark::State &state) {
  pool p(static_cast<int>(state.range(0)));
  zone *w = mk_universal_zone();
  size_t k = 0;
  for (auto _ : state) {
    reload(w, p.open[k++ % POOL]);
    cf_zone(w);
    benchmark::DoNotOptimize(w->bounds[0][1]);
  }
  free_zone(w);
}

void BM_plain_closure(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  pool p(n);
  const int nn = (n + 1) * (n + 1);
  std::vector<int16_t> m(nn);
  size_t k = 0;
  for (auto _ : state) {
    memcpy(m.data(), p.open[k++ % POOL]->bounds[0], sizeof(int16_t) * nn);
    plain_closure(m.data(), n + 1);
    benchmark::DoNotOptimize(m[1]);
  }
}

// Both closures over the same inputs, alternating in batches; "ratio" is
// cf_zone's total time over the plain closure's.
void BM_closure_ratio(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  pool p(n);
  const int nn = (n + 1) * (n + 1);
  zone *w = mk_universal_zone();
  std::vector<int16_t> m(nn);
  using clk = std::chrono::steady_clock;
  double t_cf = 0, t_plain = 0;
  for (auto _ : state) {
    auto t0 = clk::now();
    for (int k = 0; k < POOL; k++) {
      reload(w, p.open[k]);
      cf_zone(w);
      benchmark::DoNotOptimize(w->bounds[0][1]);
    }
    auto t1 = clk::now();
    for (int k = 0; k < POOL; k++) {
      memcpy(m.data(), p.open[k]->bounds[0], sizeof(int16_t) * nn);
      plain_closure(m.data(), n + 1);
      benchmark::DoNotOptimize(m[1]);
    }
    auto t2 = clk::now();
    t_cf += std::chrono::duration<double>(t1 - t0).count();
    t_plain += std::chrono::duration<double>(t2 - t1).count();
  }
  state.counters["cf_ns"] = benchmark::Counter(t_cf * 1e9 / POOL / state.iterations());
  state.counters["plain_ns"] = benchmark::Counter(t_plain * 1e9 / POOL / state.iterations());
  state.counters["ratio"] = benchmark::Counter(t_plain > 0 ? t_cf / t_plain : 0);
  free_zone(w);
}

void BM_intersection_zone(benchmark::State &state) {
  pool p(static_cast<int>(state.range(0)));
  size_t k = 0;
  for (auto _ : state) {
    zone *r = intersection_zone(p.closed[k % POOL], p.closed[(k + 1) % POOL]);
    k++;
    benchmark::DoNotOptimize(r);
    free_zone(r);
  }
}

void BM_forward_proj_zone(benchmark::State &state) {
  pool p(static_cast<int>(state.range(0)));
  size_t k = 0;
  for (auto _ : state) {
    zone *r = forward_proj_zone(p.closed[k++ % POOL]);
    benchmark::DoNotOptimize(r);
    free_zone(r);
  }
}

void BM_reset_zone(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  pool p(n);
  size_t k = 0;
  for (auto _ : state) {
    zone *r = reset_zone(p.closed[k % POOL], 1 + static_cast<int>(k % n));
    k++;
    benchmark::DoNotOptimize(r);
    free_zone(r);
  }
}

void BM_is_included_zone(benchmark::State &state) {
  pool p(static_cast<int>(state.range(0)));
  size_t k = 0;
  for (auto _ : state) {
    int r = is_included_zone(p.closed[k % POOL], p.closed[(k + 1) % POOL]) +
            is_included_zone(p.closed[k % POOL], p.closed[k % POOL]);
    k++;
    benchmark::DoNotOptimize(r);
  }
}

// Inserting copies of pool zones: after the first round every call finds its
// zone in the table.
void BM_insert_zone(benchmark::State &state) {
  pool p(static_cast<int>(state.range(0)));
  init_zone_hashing(709);
  size_t k = 0;
  for (auto _ : state) {
    zone *r = insert_zone(assign_zone(p.closed[k++ % POOL]));
    benchmark::DoNotOptimize(r);
  }
  free_zone_table();
}

}  // namespace

#define CLOCK_SIZES Arg(3)->Arg(6)->Arg(10)->Arg(20)
BENCHMARK(BM_closure_ratio)->CLOCK_SIZES;
BENCHMARK(BM_cf_zone)->CLOCK_SIZES;
BENCHMARK(BM_plain_closure)->CLOCK_SIZES;
BENCHMARK(BM_intersection_zone)->CLOCK_SIZES;
BENCHMARK(BM_forward_proj_zone)->CLOCK_SIZES;
BENCHMARK(BM_reset_zone)->CLOCK_SIZES;
BENCHMARK(BM_is_included_zone)->CLOCK_SIZES;
BENCHMARK(BM_insert_zone)->CLOCK_SIZES;
