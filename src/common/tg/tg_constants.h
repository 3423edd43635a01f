// Sizes and limits of the one timed graph held in the tables.
#pragma once

#include <cstdint>

// Most locations, and most transitions, of one timed graph (a product's
// too): far beyond 16 bits, and small enough that the tables of a declared
// count can be made.
constexpr int TG_MAX_COUNT = 16777215;

// Limits on the declared counts of a timed graph. Variables, not constants:
// the composition of several graphs resets them between models.
extern int MAX_STATES;  // TG_MAX_COUNT
extern int MAX_TRANS;   // TG_MAX_COUNT
extern int MAX_CLOCKS;  // 5000

// Counts of the loaded graph. Locations, transitions, regions, labels and
// propositions are counted and indexed in 32 bits; the compiled files keep
// them in 16 bits when every count fits.
extern int32_t N_OF_STATES;    // locations
extern int32_t N_OF_TRANS;     // transitions kept
extern int32_t N_OF_REGIONS;   // regions in list_reg
extern int32_t N_OF_LABELS;    // labels, set after building
extern int32_t N_OF_PROPS;     // propositions, set after building
extern int32_t nb_labels;      // labels counted while building
extern int32_t nb_props;       // propositions counted while building

// 1 when the tables are (to be) read from the compiled files, 0 when they
// come from the parser.
extern int READ_STRUCT;

// Most entries a 16-bit index can address: the limit on labels and
// propositions, and the largest count the narrow compiled files hold.
constexpr int MAX_INDEX_COUNT = 65535;
// Most regions of one graph: one per invariant and guard fits easily.
constexpr int MAX_REGION_COUNT = 2147483646;

// 1 while a .tg file is being compiled: a fatal error then removes the
// half-made compiled file (.vnk) and the .err file of my_filename.
extern int tg_compiling;

// Ends the process with `status` after a fatal model error, removing the
// compiled file being made (see tg_compiling).
[[noreturn]] void tg_abort_compile(int status);

// Prints "<tool>: cannot read file <my_filename>.tg\n" and ends the process
// with status 1 through tg_abort_compile (the model opened but could not be
// read: a folder, a read error).
[[noreturn]] void tg_cannot_read();

// Prints "<tool>: ERROR: too many <what> (at most <limit>)\n" on standard
// error and ends the process through tg_abort_compile(-1).
[[noreturn]] void tg_limit_exceeded(const char *what, int limit);
