// W from the -abs lu search, and the tables restricted to it.

#include "varnok/reachable_part.h"

#include <cstdio>
#include <map>
#include <new>
#include <vector>

#include "common/region/region.h"
#include "common/region/region_zone.h"
#include "common/tctl/tctl_syntax.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "varnok/big_int.h"
#include "varnok/compo_ptg.h"
#include "varnok/compo_succ.h"
#include "varnok/compo_sync.h"
#include "varnok/compo_tables.h"
#include "varnok/flat_zone.h"
#include "varnok/lu_model.h"
#include "varnok/lu_search.h"
#include "varnok/states_reg.h"
#include "varnok/varnok_eval.h"

namespace reach {

namespace {

// Sums of two bounds must stay exact arithmetic in the forward zones: past
// this constant a sum may saturate, and the zones kept would no longer be
// the closed set that the exactness of -reachable rests on.
constexpr int LARGEST_CONSTANT = flat::EXACT_SUM_LIMIT / 2;

// Refuses a model whose constants the forward zones cannot hold exactly.
void check_constants(const lu::model &m) {
  int largest = 0;
  for (int a = 0; a < m.nb_automata(); a++) {
    for (int32_t c : m.bounds_of(a).lo) largest = c > largest ? c : largest;
    for (int32_t c : m.bounds_of(a).hi) largest = c > largest ? c : largest;
  }
  if (largest > LARGEST_CONSTANT)
    fatal(stdout, 1, "%s: -reachable takes clock constants up to %d (here %d)\n", tool, LARGEST_CONSTANT, largest);
}

// Diagonal constraints: the search keeps exact zones (and may not end).
void warn_if_not_extrapolating(const lu::model &m) {
  if (m.extrapolates()) return;
  fprintf(stderr, "%s: warning: diagonal constraints make the LU extrapolation unsound; ", tool);
  fprintf(stderr, "-abs lu explores without extrapolation\n");
}

// The live zones of the finished search s, by discrete state (code(key)).
template <typename Code>
part collect(const lu::model &m, const lu::result &s, Code code) {
  part w;
  w.dim = m.dim();
  const size_t nn = static_cast<size_t>(w.dim) * w.dim;
  const lu::state_store &st = s.store;
  for (int32_t id = 0; id < st.size(); id++) {
    if (st.covered(id)) continue;
    const int32_t at = code(st.key_of(id));
    // zone_of may hand out a scratch copy: it is copied at once.
    const int16_t *z = st.zone_of(id);
    std::vector<int16_t> &list = w.zones[at];
    list.insert(list.end(), z, z + nn);
    w.nb_zones++;
  }
  return w;
}

// Runs the whole search of m (no goal) from its initial states.
lu::result search_all(lu::model &m, states_region *init_table, const tctl_node *init_formula) {
  m.drop_goal();
  check_constants(m);
  warn_if_not_extrapolating(m);
  // No state limit: W must be the whole reachable part (-FORW is refused).
  return lu::search_model(m, init_table, init_formula, lu::search_params{});
}

// The zone of the evaluator (N_OF_CLOCKS clocks) holding the closed flat
// zone m of dim clocks, the further clocks only >= 0; canonical.
zone *to_zone(const int16_t *m, int dim) {
  zone *z = mk_universal_zone();
  for (int i = 0; i < dim; i++)
    for (int j = 0; j < dim; j++)
      if (i != j && m[i * dim + j] != INF_BOUND) assign_disactual_bounds_edges_zone(z, i, j, m[i * dim + j]);
  z->flags = 0;
  cf_zone(z);
  return z;
}

// The union of the zones of W at one discrete state, as a new region.
region *region_of(const std::vector<int16_t> &list, int dim) {
  const size_t nn = static_cast<size_t>(dim) * dim;
  region *r = nullptr;
  for (size_t k = 0; k + nn <= list.size(); k += nn) {
    zone *z = to_zone(&list[k], dim);
    r = r == nullptr ? zone_to_region(z) : union_zone_region(z, r);
  }
  return r;
}

// The states of r (a location's region) inside W's zones `list`, as a new
// region; r itself is left alone.
region *inside(region *r, const std::vector<int16_t> &list, int dim) {
  region *w = region_of(list, dim);
  region *cut = intersection_region(r, w);
  free_region(w);
  return cut;
}

}  // namespace

part product_part(bool whole_invariant) {
  try {
    lu::check_key_width(true);
    lu::model m = lu::model::product(
        nullptr, whole_invariant ? lu::initial_mode::whole_invariant : lu::initial_mode::from_zero);
    tctl_node *init = tctl_init();
    const lu::result s = search_all(m, nullptr, init);
    tctl_free(init);
    const int n = m.nb_automata();
    part w = collect(m, s, [n](const uint16_t *key) {
      std::vector<int32_t> v(key, key + n);
      return TA_encode_state_vector(v.data(), n);
    });
    w.product = true;
    return w;
  } catch (const std::bad_alloc &) {
    out_of_memory();
  }
}

void build_restricted_product(const part &w) {
  const int n = N_OF_TA;
  init_ControlHashTab();
  TA_init_state_set();
  std::vector<std::vector<int32_t>> lists(n);
  for (int a = 0; a < n; a++) lists[a] = product_init_locations(a);
  std::vector<int32_t> v(n), u(n), t(n);
  std::vector<const trans_rec *> e(n);
  // Transition vectors are kept whole, each once, and the arcs index them:
  // a network may have more of them than a 32-bit code can number.
  std::vector<std::vector<int32_t>> vectors;
  std::map<std::vector<int32_t>, int32_t> index;
  // The initial location vectors stay, as in the whole product, so that
  // "init" and the first location mean what they mean there; one outside W
  // (no initial state there) gets no moves, and the result is empty there.
  for (int more = get_1st_state_vec_by_list_states(v.data(), lists, n); more;
       more = get_nxt_state_vec_by_list_states(v.data(), lists, n))
    reach_product_location(TA_encode_state_vector(v.data(), n));
  for (int i = 0; i < product_location_nb; i++) {
    control_node *node = state_set[i];
    if (!w.has(node->code)) continue;
    TA_decode_state_vector(node->code, v.data(), n);
    for (int c = trans_sync_get_1st(v.data(), t.data(), n); c >= 0; c = trans_sync_get_nxt(v.data(), t.data(), n, c)) {
      trans_to_action_vector(t.data(), e.data(), n);
      src_vector_to_dest_vector_by_act(v.data(), u.data(), e.data(), n);
      const int32_t target = TA_encode_state_vector(u.data(), n);
      // No state of W moves to a discrete state outside W.
      if (!w.has(target)) continue;
      reach_product_location(target);
      const auto [at, fresh] = index.try_emplace(t, static_cast<int32_t>(vectors.size()));
      if (fresh) vectors.push_back(t);
      add_par_prod_moves(node, target, at->second, e.data(), n);
    }
  }
  build_vnk_tables(&vectors);
}

part single_graph_part(bool whole_invariant) {
  try {
    lu::check_key_width(false);
    // The initial states as the verdict takes them: clocks 0 within the
    // invariant, or (-Inv) the whole invariant, at the initial locations.
    states_region *init = varnok_mk_init_state(tctl_extra_clocks());
    states_region *invariants = mk_inv_st_reg();
    states_region *start;
    if (whole_invariant) {
      start = mk_empty_states_region();
      for (int s = 0; s < init->count; s++) {
        if (is_empty_region(init->regs[s])) continue;
        free_region(start->regs[s]);
        start->regs[s] = assign_region(invariants->regs[s]);
      }
    } else {
      start = intersection_states_region(init, invariants);
    }
    free_states_region(init);
    free_states_region(invariants);
    lu::model m = lu::model::single(nullptr);
    const lu::result s = search_all(m, start, nullptr);
    free_states_region(start);
    return collect(m, s, [](const uint16_t *key) { return static_cast<int32_t>(key[0]); });
  } catch (const std::bad_alloc &) {
    out_of_memory();
  }
}

void keep_inside(states_region *result, const part &w) {
  if (result == nullptr) return;
  for (int s = 0; s < result->count && s < N_OF_STATES; s++) {
    region *r = result->regs[s];
    if (is_empty_region(r)) continue;
    const auto found = w.zones.find(w.product ? state_set[s]->code : s);
    region *cut = found == w.zones.end() ? mk_empty_region() : inside(r, found->second, w.dim);
    free_region(r);
    result->regs[s] = cut;
  }
}

std::string composed_locations() {
  run::big_int count = 1;
  for (int a = 0; a < N_OF_TA; a++) count = count * run::big_int(TA_N_OF_STATES[a]);
  return count.text();
}

void print_part(const part &w, const std::string &composed) {
  printf("%s: reachable part: %zu discrete states, %lld zones (of %s composed locations)\n", tool, w.zones.size(),
         w.nb_zones, composed.c_str());
}

}  // namespace reach
