#include "varnok/compo_runs.h"

#include <cstdio>

#include "common/tctl/tctl_syntax.h"
#include "common/util/my_files.h"
#include "common/util/stattime.h"
#include "varnok/compo_tables.h"

int is_initial_location_vector(const int32_t *v, int n) {
  for (int a = 0; a < n; a++) {
    int p = TA_find_prop_by_name(a, "INIT");
    if (p < 0) {
      if (v[a] != 0) return 0;
      continue;
    }
    bool carries = false;
    for (int32_t q : TA_states_props[a][v[a]]) carries = carries || q == p;
    if (!carries) return 0;
  }
  return n > 0;
}

static int carries_prop(const int32_t *v, int n, const char *name) {
  for (int a = 0; a < n; a++) {
    int p = TA_find_prop_by_name(a, name);
    if (p < 0) continue;
    for (int32_t q : TA_states_props[a][v[a]])
      if (q == p) return 1;
  }
  return 0;
}

int location_vector_satisfies_formula(const int32_t *v, int n, const tctl_node *f) {
  if (f == nullptr) return 1;
  switch (f->kind) {
    case TCTL_STATE:
      for (int a = 0; a < n; a++)
        if (v[a] != f->op[0].value) return 0;
      return 1;
    case TCTL_INIT: return is_initial_location_vector(v, n);
    case TCTL_PROP: return carries_prop(v, n, f->op[0].name);
    case TCTL_AND:
      return location_vector_satisfies_formula(v, n, f->op[0].f) && location_vector_satisfies_formula(v, n, f->op[1].f);
    case TCTL_OR:
      return location_vector_satisfies_formula(v, n, f->op[0].f) || location_vector_satisfies_formula(v, n, f->op[1].f);
    case TCTL_IMPL:
      return !location_vector_satisfies_formula(v, n, f->op[0].f) || location_vector_satisfies_formula(v, n, f->op[1].f);
    case TCTL_NOT: return !location_vector_satisfies_formula(v, n, f->op[0].f);
    case TCTL_ENABLE:
    case TCTL_NONZENO:
    case TCTL_CLOCK_CONSTRAINT:
    case TCTL_RESET: return 0;
    default:
      if (f->kind >= TCTL_EU && f->kind <= TCTL_LAST_KIND) return 0;
      fprintf(stderr, "Warning: unknown formula type.\n");
      return 0;
  }
}

void TA_print_computation_times() {
  static const char dash_line[] = "---------------------------------------------------------------------------";
  printf("\n%s\n", dash_line);
  if (time_num(9) > 0) printf("%s: total time        : system %7.3fs * user %7.3fs *\n", tool, time_sys(9), time_usr(9));
  printf("%s\n", dash_line);
}
