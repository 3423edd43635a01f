// The tables of the one timed graph in memory: regions, invariants,
// transitions and their indexes by source and by target location.
//
// Locations are 0..N_OF_STATES-1, transitions 0..N_OF_TRANS-1 in source
// order (the order of the .tg file). Invariants and guards are indices into
// list_reg, whose entry 0 is the empty region. The parser (tg_tab.y) builds
// the tables; the compiled-model reader (varnok_init) restores them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/tg/tg_clocks.h"

struct zone;
struct region;

typedef struct trans_rec {
  int32_t target;        // target location
  int32_t source;        // source location
  int32_t guard;         // index in list_reg, intersected with the source invariant
  clock_affect *affect;  // shared record (affect_set)
  char deadline;         // 'L' lazy (default), 'D' delayable, 'E' eager
  char control;          // 'C' controllable (default), 'U' uncontrollable
} trans_rec;

// The tables that hold owning pointers live until the process ends (they are
// never destroyed, so that what they point to stays reachable at exit).

// Regions of invariants and guards; entry 0 is the empty region.
extern std::vector<region *> &list_reg;
// Per location, the index in list_reg of its invariant.
extern std::vector<int32_t> inv;
// Transition records in source order; transitions leaving s are entries
// succs[s] .. succs[s+1]-1 (N_OF_STATES+1 offsets).
extern std::vector<trans_rec *> &trans_table;
extern std::vector<int32_t> succs;
// The same records in target order (reverse file order within one target);
// transitions entering s are entries preds[s] .. preds[s+1]-1.
extern std::vector<trans_rec *> &trans_table_preds;
extern std::vector<int32_t> preds;
// Incoming-transition count per location while building.
extern std::vector<int32_t> nb_preds;
// Per transition in source order, its position in trans_table_preds.
extern std::vector<int32_t> corresp_succ_pred;
// Declared clocks of the graph and their names (clocks 1..nb_decl_clocks).
extern uint16_t nb_decl_clocks;
extern std::vector<char *> &decl_names;

// After the header of a .tg file: list_reg holding the empty region, the zone
// hash table sized for N_OF_STATES + N_OF_TRANS, empty transition tables,
// label and proposition tables for N_OF_TRANS transitions and N_OF_STATES
// locations.
void init_global_tables();
// Appends r (taken over) to list_reg and returns its index. More than
// MAX_REGION_COUNT regions end the process.
int add_region(region *r);
// Replaces every zone of r by its shared copy from the zone hash table, then
// appends r (taken over); a null or empty r is freed and gives index 0.
// r must be canonical.
int find_and_add_region(region *r);
// Creates transition record t (shares a through insert_affect, which takes
// it over), reserves its label array and counts one more predecessor of
// target. t < N_OF_TRANS, target < N_OF_STATES.
void add_trans(int t, int target, int source, int guard, int nlabels, clock_affect *a, char deadline,
               char control);
// After the last transition: builds preds, trans_table_preds and
// corresp_succ_pred from trans_table and nb_preds.
void succs_to_preds();
// Restoring: preds from trans_table_preds, which must be ordered by target.
void init_preds();
// Restoring: trans_table from trans_table_preds and corresp_succ_pred.
void preds_to_succs();
// Restoring: succs from trans_table, which must be ordered by source.
void init_succs();
// Frees nb_preds, and succs too when READ_STRUCT is set.
void free_tables();
// Frees all regions and empties list_reg (N_OF_REGIONS = 0). When the
// regions came from the parser their zones belong to the zone hash table,
// which is then released with them.
void free_list_reg();
// Releases every table of the graph (regions, transitions, assignments,
// labels, propositions, clock names) and sets the counts to 0.
void clear_tg_tables();

// First zone of location s's invariant region; null when it is empty.
zone *get_invar_zone(int s);
// First zone of the guard region of transition record t (null when empty).
zone *get_cond_zone(const trans_rec *t);
// Assignment vector of transition record t (AFFECT_SIZE entries).
uint16_t *get_reset_clocks2(const trans_rec *t);
// Extra clocks that the current formula adds (N_OF_EXTRA_CLOCKS).
int tctl_extra_clocks();

// Per transition leaving s: guard, " => ", "NAME " per label, "; ", the
// clock assignment and " goto %d\n". Labels come from trans_labels.
void fprint_succs(FILE *stream, int s);
