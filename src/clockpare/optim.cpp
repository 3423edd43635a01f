#include "clockpare/optim.h"

#include <cstdlib>

#include "clockpare/activ.h"
#include "clockpare/clockpare_options.h"
#include "clockpare/equal.h"
#include "common/region/region.h"
#include "common/region/region_read_write.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "common/zone/zone_read_write.h"

clock_renaming_table clock_ren_table = nullptr;
std::vector<int> renaming_dist;
uint16_t NEW_N_OF_CLOCKS = 0;
std::vector<std::string> new_clocks_names;
const char dash_line[] = "---------------------------------------------------------------------------";

// ---------------------------------------------------------------------------
// Renamings

clock_renaming *new_clock_renaming() {
  auto *ren = static_cast<clock_renaming *>(malloc(sizeof(clock_renaming)));
  if (ren == nullptr) out_of_memory();
  ren->n = 0;
  ren->vector = static_cast<uint16_t *>(calloc(N_OF_CLOCKS > 0 ? N_OF_CLOCKS : 1, sizeof(uint16_t)));
  if (ren->vector == nullptr) out_of_memory();
  return ren;
}

void free_clock_renaming(clock_renaming *ren) {
  if (ren == nullptr) return;
  free(ren->vector);
  free(ren);
}

static clock_renaming_table new_clock_renaming_table() {
  auto *t = static_cast<clock_renaming_table>(calloc(N_OF_STATES > 0 ? N_OF_STATES : 1, sizeof(clock_renaming *)));
  if (t == nullptr) out_of_memory();
  return t;
}

void free_clock_renaming_table(clock_renaming_table t) {
  if (t == nullptr) return;
  for (int s = 0; s < N_OF_STATES; s++) free_clock_renaming(t[s]);
  free(t);
}

clock_renaming *rename_clocks(const unsigned char *active, const clock_rel relation) {
  clock_renaming *ren = new_clock_renaming();
  uint16_t k = 0;
  for (int x = 1; x < N_OF_CLOCKS; x++) {
    if (!active[x] || ren->vector[x] != 0) continue;
    ren->vector[x] = ++k;
    for (int y = x + 1; y < N_OF_CLOCKS; y++)
      if (relation[x][y] && relation[y][x] && active[y]) ren->vector[y] = k;
  }
  ren->n = k;
  return ren;
}

void compute_renaming() {
  printf("%s: renaming clocks ...", tool);
  free_clock_renaming_table(clock_ren_table);
  clock_ren_table = new_clock_renaming_table();
  renaming_dist.assign(N_OF_CLOCKS > 0 ? N_OF_CLOCKS : 1, 0);
  for (int s = 0; s < N_OF_STATES; s++) {
    clock_ren_table[s] = rename_clocks(activity_table[s], equality_table[s]);
    renaming_dist[clock_ren_table[s]->n]++;
  }
  printf("done.\n");
}

clock_renaming_table optim_tg() {
  if (is_option(OPT_ACTIVITY)) compute_activity();
  else not_compute_activity();
  activity_stats();
  if (is_option(OPT_EQUALITY)) compute_equality();
  else not_compute_equality();
  compute_renaming();
  return clock_ren_table;
}

// ---------------------------------------------------------------------------
// New clocks and the report

void update_tg() {
  int largest = 0;
  for (size_t k = 0; k < renaming_dist.size(); k++)
    if (renaming_dist[k] > 0) largest = static_cast<int>(k);
  NEW_N_OF_CLOCKS = static_cast<uint16_t>(largest + 1);
  new_clocks_names.clear();
  for (int k = 0; k < NEW_N_OF_CLOCKS; k++) new_clocks_names.push_back("X_" + std::to_string(k));
}

const char *get_clock_new_name(int x, int s) {
  const int k = clock_ren_table[s]->vector[x];
  if (k == 0) return "";
  if (static_cast<size_t>(k) >= new_clocks_names.size()) update_tg();
  return new_clocks_names[k].c_str();
}

void update_clocks_names(int s) {
  for (int x = 1; x < N_OF_CLOCKS; x++) put_clocks_names(x, get_clock_new_name(x, s));
}

double memory_reduction() {
  const double n = N_OF_CLOCKS;
  if (N_OF_STATES == 0 || n == 0) return 0.0;
  double sum = 0.0;
  for (size_t k = 0; k < renaming_dist.size(); k++) sum += static_cast<double>(k + 1) * (k + 1) * renaming_dist[k];
  return 100.0 * sum / (N_OF_STATES * n * n);
}

void print_optim_results() {
  update_tg();
  if (NEW_N_OF_CLOCKS < N_OF_CLOCKS)
    printf("%s: global reduction: %d --> %d.\n", tool, N_OF_CLOCKS - 1, NEW_N_OF_CLOCKS - 1);
  else
    printf("%s: no global reduction.\n", tool);
  printf("%s: memory shrinking coeff. = %3.3f%% .\n", tool, memory_reduction());
  printf("%s\n", dash_line);
}

// ---------------------------------------------------------------------------
// The .opt file: per location the count and the vector, little-endian u16.

static void put_u16(FILE *stream, uint16_t v) {
  const unsigned char b[2] = {static_cast<unsigned char>(v & 0xff), static_cast<unsigned char>(v >> 8)};
  fwrite(b, 1, 2, stream);
}

static int get_u16(FILE *stream, uint16_t *v) {
  unsigned char b[2];
  if (fread(b, 1, 2, stream) != 2) return 0;
  *v = static_cast<uint16_t>(b[0] | (b[1] << 8));
  return 1;
}

int fprint_optim(FILE *stream, const clock_renaming_table table) {
  for (int s = 0; s < N_OF_STATES; s++) {
    put_u16(stream, table[s]->n);
    for (int x = 0; x < N_OF_CLOCKS; x++) put_u16(stream, table[s]->vector[x]);
  }
  return ferror(stream) ? 0 : 1;
}

// 1 when ren could have been made by rename_clocks for N_OF_CLOCKS clocks.
static int is_well_formed_renaming(const clock_renaming *ren, std::vector<unsigned char> &used) {
  if (ren->n >= N_OF_CLOCKS || ren->vector[0] != 0) return 0;
  used.assign(ren->n + 1, 0);
  for (int x = 1; x < N_OF_CLOCKS; x++) {
    if (ren->vector[x] > ren->n) return 0;
    used[ren->vector[x]] = 1;
  }
  for (int k = 1; k <= ren->n; k++)
    if (!used[k]) return 0;
  return 1;
}

clock_renaming_table fread_optim(FILE *stream) {
  clock_renaming_table t = new_clock_renaming_table();
  std::vector<unsigned char> used;
  for (int s = 0; s < N_OF_STATES; s++) {
    clock_renaming *ren = new_clock_renaming();
    t[s] = ren;
    bool ok = get_u16(stream, &ren->n);
    for (int x = 0; ok && x < N_OF_CLOCKS; x++) ok = get_u16(stream, &ren->vector[x]);
    if (!ok || !is_well_formed_renaming(ren, used)) {
      free_clock_renaming_table(t);
      return nullptr;
    }
  }
  if (fgetc(stream) != EOF) {
    free_clock_renaming_table(t);
    return nullptr;
  }
  return t;
}

// ---------------------------------------------------------------------------
// The reduced timed graph

// Writes zone z with every constraint on a clock that has no name at the
// current location left out. Such constraints only arise for a simulation
// graph (a bound no tighter than the invariant's) or are trivial (0 <= x);
// the empty name would not read back. z is not changed.
static void print_named_zone(const zone *z, FILE *stream) {
  zone *copy = assign_zone(const_cast<zone *>(z));
  cf_zone(copy);  // reduce the edges first, so that the cut leaves the rest as printed
  if (!is_empty_zone(copy))
    for (int i = 0; i < N_OF_CLOCKS; i++)
      for (int j = 0; j < N_OF_CLOCKS; j++)
        if ((i != 0 && clocks_names[i][0] == '\0') || (j != 0 && clocks_names[j][0] == '\0'))
          put_edge_zone(copy, i, j, 0);
  print_hide_zone2(copy, stream);
  free_zone(copy);
}

// The guard form: zones joined by " or\n", nothing for an empty region.
static void print_named_guard(const region *r, FILE *stream) {
  if (is_empty_region(r)) return;
  for (int z = 0; z < r->count; z++) {
    if (z > 0) fputs(" or\n", stream);
    print_named_zone(r->zones[z], stream);
  }
}

// The invariant form: each zone ends with "\n", zones joined by "or\n"; a
// false invariant is written "FALSE\n" so that the graph reads back.
static void print_named_invariant(const region *r, FILE *stream) {
  if (is_empty_region(r)) {
    fputs("FALSE\n", stream);
    return;
  }
  for (int z = 0; z < r->count; z++) {
    if (z > 0) fputs("or\n", stream);
    print_named_zone(r->zones[z], stream);
    fputs("\n", stream);
  }
}

void fprint_new_affect(FILE *stream, const trans_rec *t) {
  const uint16_t *v = get_reset_clocks2(t);
  const clock_renaming *rp = clock_ren_table[t->source];
  const clock_renaming *rq = clock_ren_table[t->target];
  fputs("RESET{ ", stream);
  for (int x = 1; x < AFFECT_SIZE && x < N_OF_CLOCKS; x++)
    if (v[x] == 0) fprintf(stream, "%s ", get_clock_new_name(x, t->target));
  // New clocks that the target does not use are reset on the way in.
  for (int k = rq->n + 1; k < NEW_N_OF_CLOCKS; k++) fprintf(stream, "%s ", new_clocks_names[k].c_str());
  fputs("}, ", stream);
  for (int x = 1; x < AFFECT_SIZE && x < N_OF_CLOCKS; x++)
    if (v[x] != 0 && rq->vector[x] != 0 && rq->vector[x] != rp->vector[v[x]])
      fprintf(stream, "%s:=%s ", get_clock_new_name(x, t->target), get_clock_new_name(v[x], t->source));
  fputs("; ", stream);
}

void fprint_new_succs(FILE *stream, int s) {
  for (int t = succs[s]; t < succs[s + 1]; t++) {
    const trans_rec *tr = trans_table[t];
    print_named_guard(list_reg[tr->guard], stream);
    fputs(" => ", stream);
    if (static_cast<size_t>(t) < trans_labels.size())
      for (int32_t l : trans_labels[t]) fprintf(stream, "%s ", label_tab[l]->name.c_str());
    fputs("; ", stream);
    fprint_new_affect(stream, tr);
    fprintf(stream, " goto %d\n", tr->target);
  }
}

void print_opt_tg(FILE *stream) {
  load_props_labels();
  printf("%s: creating file %s.opt.tg...\n", tool, my_filename);
  fprintf(stream, "#states %d\n#trans %d\n#clocks %d\n", N_OF_STATES, N_OF_TRANS, NEW_N_OF_CLOCKS - 1);
  for (int k = 1; k < NEW_N_OF_CLOCKS; k++) fprintf(stream, "%s ", new_clocks_names[k].c_str());
  fputs("\n\n", stream);
  for (int s = 0; s < N_OF_STATES; s++) {
    update_clocks_names(s);
    fprintf(stream, "state: %d\n", s);
    fprint_props(stream, s);
    fputs("invar: ", stream);
    print_named_invariant(list_reg[inv[s]], stream);
    fputs("trans:\n", stream);
    fprint_new_succs(stream, s);
    fputs("\n", stream);
  }
  close_output(stream);
  printf("%s: file %s.opt.tg dumped\n", tool, my_filename);
}

// ---------------------------------------------------------------------------
// Listings

void fprint_renaming_stats(FILE *stream) {
  fputs("renaming distribution:\n\n", stream);
  fprintf(stream, "declaration : %d clocks\n\n", N_OF_CLOCKS - 1);
  for (int k = 0; k < N_OF_CLOCKS; k++)
    fprintf(stream, "%d new clocks\t: %d states\n", k,
            static_cast<size_t>(k) < renaming_dist.size() ? renaming_dist[k] : 0);
  fputs("\n", stream);
}

void fprint_clock_renaming(FILE *stream, const clock_renaming *ren) {
  for (int k = 0; k <= ren->n; k++) {
    fputs("{ ", stream);
    for (int x = 1; x < N_OF_CLOCKS; x++)
      if (ren->vector[x] == k) fprintf(stream, "%s ", clocks_names[x]);
    fprintf(stream, "}\t---> X_%d\n", k);
  }
}

void fprint_renaming(FILE *stream, const clock_renaming_table table) {
  for (int s = 0; s < N_OF_STATES; s++) {
    fprintf(stream, "state %d:\n\n", s);
    fprint_clock_renaming(stream, table[s]);
  }
}
