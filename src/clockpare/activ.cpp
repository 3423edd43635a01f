#include "clockpare/activ.h"

#include "clockpare/clockpare_options.h"
#include "common/region/region.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/util/my_files.h"
#include "common/util/stattime.h"

clock_set_table activity_table = nullptr;
clock_set_table new_activity = nullptr;
int32_t nb_act_iter = 0;
std::vector<int> activity_dist;

static constexpr int ACTIVITY_TIMER = 1;

// s ∪= extra, freeing extra.
static void absorb(clock_set s, clock_set extra) {
  for (int i = 0; i < N_OF_CLOCKS; i++)
    if (extra[i]) s[i] = 1;
  free_clock_set(extra);
}

static const region *invariant_region(int s) { return list_reg[inv[s]]; }

// Every zone of a region counts, not only the first: a clock tested only in
// a later disjunct of an invariant or a guard is active all the same.
clock_set invar_to_activity(int s) {
  clock_set act = new_empty_clock_set();
  const region *r = invariant_region(s);
  if (is_empty_region(r)) return act;
  for (int z = 0; z < r->count; z++) {
    const zone *inv_z = r->zones[z];
    if (is_empty_zone(inv_z)) continue;
    for (int i = 0; i < N_OF_CLOCKS; i++)
      for (int j = 0; j < N_OF_CLOCKS; j++)
        if (get_edge_zone(inv_z, i, j)) {
          act[i] = 1;
          act[j] = 1;
        }
  }
  return act;
}

clock_set invar_to_activity_sim(int s) {
  clock_set act = new_empty_clock_set();
  const region *r = invariant_region(s);
  if (is_empty_region(r)) return act;
  for (int z = 0; z < r->count; z++) {
    const zone *inv_z = r->zones[z];
    if (is_empty_zone(inv_z)) continue;
    for (int i = 1; i < N_OF_CLOCKS; i++)
      if (get_edge_zone(inv_z, i, 0)) act[i] = 1;
  }
  return act;
}

clock_set cond_to_activity(const zone *guard, const zone *reference) {
  clock_set act = new_empty_clock_set();
  if (is_empty_zone(guard) || is_empty_zone(reference)) return act;
  for (int i = 0; i < N_OF_CLOCKS; i++)
    for (int j = 0; j < N_OF_CLOCKS; j++)
      if (guard->bounds[i][j] < reference->bounds[i][j] && get_edge_zone(guard, i, j)) {
        act[i] = 1;
        act[j] = 1;
      }
  return act;
}

// The zone that guard constraints must be tighter than to count: the
// universal zone, or for a simulation graph the location's invariant zone.
// An invariant of several zones gives no single reference, so the universal
// zone is taken (more clocks active, never fewer). Returns a zone to free.
static zone *guard_reference(int s) {
  if (!is_option(OPT_SIM)) return mk_universal_zone();
  const region *r = invariant_region(s);
  if (is_empty_region(r)) return nullptr;
  if (r->count == 1) return assign_zone(r->zones[0]);
  return mk_universal_zone();
}

clock_set init_activity_state(int s) {
  clock_set act = is_option(OPT_SIM) ? invar_to_activity_sim(s) : invar_to_activity(s);
  zone *reference = guard_reference(s);
  for (int t = succs[s]; t < succs[s + 1]; t++) {
    const region *g = list_reg[trans_table[t]->guard];
    if (is_empty_region(g)) continue;
    for (int z = 0; z < g->count; z++) absorb(act, cond_to_activity(g->zones[z], reference));
  }
  free_zone(reference);
  return act;
}

clock_set pre_act(const unsigned char *set, const uint16_t *vector) {
  clock_set pre = new_empty_clock_set();
  for (int x = 1; x < N_OF_CLOCKS; x++) {
    if (!set[x]) continue;
    // Clocks beyond the assignment vector (none in a plain graph) keep their value.
    int y = x < AFFECT_SIZE ? vector[x] : x;
    if (y < N_OF_CLOCKS) pre[y] = 1;
  }
  return pre;
}

void init_activity_table() {
  nb_act_iter = 0;
  time_0(ACTIVITY_TIMER, "Activity time");
  free_clock_set_table(activity_table);
  free_clock_set_table(new_activity);
  activity_table = new_clock_set_table();
  new_activity = new_clock_set_table();
  for (int s = 0; s < N_OF_STATES; s++) {
    free_clock_set(activity_table[s]);
    free_clock_set(new_activity[s]);
    activity_table[s] = init_activity_state(s);
    new_activity[s] = copy_clock_set(activity_table[s]);
  }
  if (is_option(OPT_ACT_INIT)) {
    FILE *f = my_fopen2_output(".act.init", "w");
    fprint_activity_sets(f);
    close_output(f);
  }
}

// Propagates the new clocks of s to the sources of its incoming transitions.
static void propagate_activity(int s) {
  clock_set delta = new_activity[s];
  new_activity[s] = new_empty_clock_set();
  for (int t = preds[s]; t < preds[s + 1]; t++) {
    const trans_rec *tr = trans_table_preds[t];
    const int p = tr->source;
    clock_set pre = pre_act(delta, get_reset_clocks2(tr));
    if (!is_included_clock_set(pre, activity_table[p])) {
      for (int x = 0; x < N_OF_CLOCKS; x++)
        if (pre[x] && !activity_table[p][x]) {
          new_activity[p][x] = 1;
          activity_table[p][x] = 1;
        }
    }
    free_clock_set(pre);
  }
  free_clock_set(delta);
}

void iter_activity_table() {
  for (int s = 0; s < N_OF_STATES; s++)
    if (!is_empty_clock_set(new_activity[s])) propagate_activity(s);
  nb_act_iter++;
}

int get_nb_act_iter() { return nb_act_iter; }

void compute_activity() {
  printf("%s: computing clock activity ...", tool);
  init_activity_table();
  time_C(ACTIVITY_TIMER);
  while (!is_empty_clock_set_table(new_activity)) iter_activity_table();
  time_R(ACTIVITY_TIMER);
  free_clock_set_table(new_activity);
  new_activity = nullptr;
  printf("done.\n");
}

void not_compute_activity() {
  free_clock_set_table(activity_table);
  free_clock_set_table(new_activity);
  new_activity = nullptr;
  activity_table = new_clock_set_table();
  for (int s = 0; s < N_OF_STATES; s++) {
    free_clock_set(activity_table[s]);
    activity_table[s] = new_full_clock_set();
  }
}

void activity_stats() {
  activity_dist.assign(N_OF_CLOCKS > 0 ? N_OF_CLOCKS : 1, 0);
  for (int s = 0; s < N_OF_STATES; s++) activity_dist[get_clock_set_size(activity_table[s])]++;
}

void fprint_activity_stats(FILE *stream) {
  fputs("activity distribution:\n\n", stream);
  fprintf(stream, "declaration : %d clocks\n\n", N_OF_CLOCKS - 1);
  for (int k = 1; k < N_OF_CLOCKS && k < static_cast<int>(activity_dist.size()); k++)
    if (activity_dist[k] > 0) fprintf(stream, "%d clocks\t: %d states\n", k, activity_dist[k]);
  fputs("\n", stream);
}

void fprint_activity_sets(FILE *stream) {
  fputs("activity sets:\n\n", stream);
  fprint_clock_set_table(stream, activity_table);
}
