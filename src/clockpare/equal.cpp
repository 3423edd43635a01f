#include "clockpare/equal.h"

#include "clockpare/clockpare_options.h"
#include "common/region/region.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/util/my_files.h"
#include "common/util/stattime.h"

clock_rel_table equality_table = nullptr;
clock_rel_table new_equality = nullptr;
int32_t nb_equ_iter = 0;

static constexpr int EQUALITY_TIMER = 2;

static void reset_tables() {
  free_clock_rel_table(equality_table);
  free_clock_rel_table(new_equality);
  equality_table = new_clock_rel_table();
  new_equality = nullptr;
}

void init_equality_table() {
  time_0(EQUALITY_TIMER, "Equality time");
  nb_equ_iter = 0;
  reset_tables();
  new_equality = new_clock_rel_table();
  for (int s = 0; s < N_OF_STATES; s++) {
    equality_table[s] = new_full_clock_rel();
    new_equality[s] = new_full_clock_rel();
  }
}

void not_compute_equality() {
  time_0(EQUALITY_TIMER, "Equality time");
  reset_tables();
  for (int s = 0; s < N_OF_STATES; s++) equality_table[s] = new_sym_clock_rel();
}

clock_rel zone_to_clock_rel(const zone *z) {
  clock_rel r = new_empty_clock_rel();
  if (is_empty_zone(z)) return r;
  for (int i = 1; i < N_OF_CLOCKS; i++)
    for (int j = 1; j < N_OF_CLOCKS; j++)
      if (z->bounds[i][j] < 2) r[i][j] = 1;
  return r;
}

// The pairs that hold throughout every zone of s's invariant region. A false
// invariant (an unreachable location) keeps every clock apart.
static clock_rel invariant_to_clock_rel(int s) {
  const region *r = list_reg[inv[s]];
  clock_rel rel = nullptr;
  if (!is_empty_region(r))
    for (int z = 0; z < r->count; z++) {
      if (is_empty_zone(r->zones[z])) continue;
      clock_rel zr = zone_to_clock_rel(r->zones[z]);
      if (rel == nullptr) {
        rel = zr;
      } else {
        clock_rel both = inter_clock_rel(rel, zr);
        free_clock_rel(rel);
        free_clock_rel(zr);
        rel = both;
      }
    }
  return rel != nullptr ? rel : new_sym_clock_rel();
}

void compute_equality_sim() {
  printf("%s: computing clock equality ...", tool);
  reset_tables();
  for (int s = 0; s < N_OF_STATES; s++) equality_table[s] = invariant_to_clock_rel(s);
  printf("done.\n");
}

clock_rel post_act(const clock_rel R, const uint16_t *vector) {
  clock_rel post = new_full_clock_rel();
  for (int x = 1; x < N_OF_CLOCKS; x++) {
    const int vx = x < AFFECT_SIZE ? vector[x] : x;
    for (int y = 1; y < N_OF_CLOCKS; y++) {
      const int vy = y < AFFECT_SIZE ? vector[y] : y;
      if (!R[vx][vy]) post[x][y] = 0;
    }
  }
  return post;
}

// Propagates the new relation of s to the targets of its outgoing transitions.
static void propagate_equality(int s) {
  clock_rel delta = new_equality[s];
  new_equality[s] = new_full_clock_rel();
  for (int t = succs[s]; t < succs[s + 1]; t++) {
    const trans_rec *tr = trans_table[t];
    const int q = tr->target;
    clock_rel post = post_act(delta, get_reset_clocks2(tr));
    if (!is_included_clock_rel(equality_table[q], post)) {
      clock_rel reduced = inter_clock_rel(equality_table[q], post);
      free_clock_rel(equality_table[q]);
      free_clock_rel(new_equality[q]);
      equality_table[q] = reduced;
      new_equality[q] = copy_clock_rel(reduced);
    }
    free_clock_rel(post);
  }
  free_clock_rel(delta);
}

void iter_equality_table() {
  for (int s = 0; s < N_OF_STATES; s++) propagate_equality(s);
  nb_equ_iter++;
}

int get_nb_equ_iter() { return nb_equ_iter; }

void compute_equality_tg() {
  printf("%s: computing clock equality ...", tool);
  init_equality_table();
  time_C(EQUALITY_TIMER);
  do iter_equality_table();
  while (!is_full_clock_rel_table(new_equality));
  time_R(EQUALITY_TIMER);
  free_clock_rel_table(new_equality);
  new_equality = nullptr;
  printf("done.\n");
}

void compute_equality() {
  if (is_option(OPT_SIM)) compute_equality_sim();
  else compute_equality_tg();
}

void fprint_equality_rels(FILE *stream) {
  fputs("equality relations:\n\n", stream);
  fprint_clock_rel_table(stream, equality_table);
}

void fprint_equality_stats(FILE *stream) { fputs("\n", stream); }

void equality_stats() {}
