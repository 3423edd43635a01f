// Clock renaming: from the active clocks and the equality relation of each
// location, a local renaming of its clocks onto as few new clocks as
// possible; the global clock count, the reduction report, the renaming file
// (.opt) and the reduced timed graph (.opt.tg).
//
// A location's renaming maps every old clock x to the number (1 .. n) of the
// new clock "X_<number>" that stands for it there, or to 0 when x is
// inactive there. New clocks are numbered per location in the order of the
// smallest old clock of each class of equal active clocks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "clockpare/clock_rel.h"
#include "clockpare/clock_set.h"
#include "common/tg/tg_global.h"

typedef struct clock_renaming {
  uint16_t n;        // new clocks used at the location
  uint16_t *vector;  // N_OF_CLOCKS entries: new number of each old clock, 0 if inactive
} clock_renaming;

// N_OF_STATES renamings.
typedef clock_renaming **clock_renaming_table;

// The renaming of every location (owned by this module, kept until exit).
extern clock_renaming_table clock_ren_table;
// Per count k (0 .. N_OF_CLOCKS-1), the locations whose renaming has k new clocks.
extern std::vector<int> renaming_dist;
// One more than the most new clocks of any location (set by update_tg).
extern uint16_t NEW_N_OF_CLOCKS;
// "X_<k>" for k from 0 to NEW_N_OF_CLOCKS-1 (set by update_tg).
extern std::vector<std::string> new_clocks_names;
// The 75-dash rule of the reports.
extern const char dash_line[];

// A renaming with n = 0 and every entry 0; owned by the caller.
clock_renaming *new_clock_renaming();
// Releases ren; nothing for null.
void free_clock_renaming(clock_renaming *ren);
// Releases a table of N_OF_STATES renamings (null entries skipped).
void free_clock_renaming_table(clock_renaming_table t);

// Activity (or all clocks when OPT_ACTIVITY is cleared), its statistics,
// equality (or none when OPT_EQUALITY is cleared), then compute_renaming.
// Returns clock_ren_table (owned by this module).
clock_renaming_table optim_tg();
// Prints "<tool>: renaming clocks ...", renames every location from
// activity_table and equality_table, counts renaming_dist, prints "done.\n".
void compute_renaming();
// The renaming of one location whose active clocks are `active` and whose
// relation is `relation`; new, owned by the caller.
clock_renaming *rename_clocks(const unsigned char *active, const clock_rel relation);
// NEW_N_OF_CLOCKS and new_clocks_names from renaming_dist.
void update_tg();
// Name of the new clock standing for old clock x at location s, or "" when
// x is inactive there. Needs clock_ren_table and update_tg.
const char *get_clock_new_name(int x, int s);
// clocks_names[x] = get_clock_new_name(x, s) for every x from 1, so that
// zones print with the new names of s (the old names are lost).
void update_clocks_names(int s);
// Size of the reduced per-location clock matrices in percent of the
// unreduced ones.
double memory_reduction();
// update_tg, then "global reduction" or "no global reduction", the memory
// coefficient and dash_line on standard output.
void print_optim_results();

// Writes per location the count and the N_OF_CLOCKS entries, each as a
// little-endian u16. Returns 1, or 0 when the stream reports an error.
int fprint_optim(FILE *stream, const clock_renaming_table table);
// Reads N_OF_STATES renamings of N_OF_CLOCKS entries written by fprint_optim
// into a new table (owned by the caller). Returns null, having read part of
// the stream, when it is short or longer than that, or when a renaming is
// not well formed (count above N_OF_CLOCKS-1, entry 0 not 0, an entry above
// the count, a number from 1 to the count that no clock takes).
clock_renaming_table fread_optim(FILE *stream);

// Writes the reduced timed graph on stream (from open_output) and closes it
// with close_output, with the
// "creating file" and "dumped" messages on standard output. Needs
// print_optim_results (or update_tg) first. Ends the process when the file
// cannot be written completely.
void print_opt_tg(FILE *stream);
// The transitions leaving s in the new clock names of s and their targets.
void fprint_new_succs(FILE *stream, int s);
// "RESET{ ... }, " and the assignments of transition t in new clock names.
void fprint_new_affect(FILE *stream, const trans_rec *t);

// "renaming distribution:" and the count of locations per number of new
// clocks, zero counts included.
void fprint_renaming_stats(FILE *stream);
// Per location "state s:\n\n" and its renaming.
void fprint_renaming(FILE *stream, const clock_renaming_table table);
// Per new clock number k from 0 to n: "{ ", the old names of the clocks
// numbered k, "}\t---> X_k\n" (k = 0 lists the inactive clocks).
void fprint_clock_renaming(FILE *stream, const clock_renaming *ren);
