// The initial location vectors of the loaded automata.

#include "varnok/initial_vectors.h"

#include <vector>

#include "common/tctl/tctl_syntax.h"
#include "varnok/compo_runs.h"
#include "varnok/compo_tables.h"

// Calls f(v) for every location vector satisfying formula, in the order of
// get_1st_state_vector (automaton n-1 fastest). For "init" only the
// combinations of initial locations are looked at (same vectors, same order).
template <typename F>
static void for_each_initial_vector(const tctl_node *formula, F f) {
  const int n = N_OF_TA;
  std::vector<std::vector<int32_t>> candidates(n);
  for (int a = 0; a < n; a++) {
    if (TA_N_OF_STATES[a] == 0) return;
    int p = formula != nullptr && formula->kind == TCTL_INIT ? TA_find_prop_by_name(a, "INIT") : -2;
    for (int l = 0; l < TA_N_OF_STATES[a]; l++) {
      bool keep = p == -2 || (p == -1 && l == 0);
      for (int32_t q : TA_states_props[a][l]) keep = keep || (p >= 0 && q == p);
      if (keep) candidates[a].push_back(l);
    }
    if (candidates[a].empty()) return;
  }
  if (n <= 0) return;
  std::vector<size_t> pos(n, 0);
  std::vector<int32_t> v(n);
  for (;;) {
    for (int a = 0; a < n; a++) v[a] = candidates[a][pos[a]];
    if (location_vector_satisfies_formula(v.data(), n, formula)) f(v.data());
    int a = n - 1;
    while (a >= 0 && ++pos[a] == candidates[a].size()) pos[a--] = 0;
    if (a < 0) return;
  }
}

void for_each_initial_location_vector(const tctl_node *formula, const std::function<void(const int32_t *)> &f) {
  for_each_initial_vector(formula, f);
}
