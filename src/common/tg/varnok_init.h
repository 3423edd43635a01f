// The compiled model files of a timed graph and the listing.
//
// my_filename + ".vnk" (header, clocks, invariants, transitions), ".prop"
// (propositions), ".lab" (labels) and ".reg" (regions) are written together
// after a successful parse and read back instead of parsing while they are
// up to date. All binary fields are little-endian. A file that does not
// match its format (wrong version or marker, counts that do not fit the
// file, indices out of range, names without terminator, bytes left over) is
// refused with "<tool>: bad format file <name>.vnk" and exit status 1.
#pragma once

#include <cstdio>

// Text of the version field of the compiled files.
extern const char *const VNK_VERSION;

// Creates the four files of my_filename from the tables (ends the process
// when one cannot be created).
void print_vnk_file();
// Loads the tables from the compiled files when READ_STRUCT is set, or
// re-reads the regions with the formula's extra clocks when only
// RESIZE_REGIONS is set; otherwise does nothing.
void init_tg();
// For tables built in memory (a product): the declared clocks become the
// clocks in the tables, READ_STRUCT 0, and when the formula has extra clocks
// every region is rebuilt with room for them, as init_tg does after a parse.
// A temporary file that cannot be written ends the run (status 1).
void fit_tables_to_formula();

// Readers of the four files into the tables. Each refuses a bad file with
// "bad format" (exit 1); read_header sets the zone module up for the declared
// clocks plus tctl_extra_clocks() extra clocks. read_regions reads every
// region with the extra clocks of the zone module added, and checks the
// region indices of the invariants and guards.
void read_header(FILE *vnk);
void read_props(FILE *prop);
void read_labels(FILE *lab);
void read_regions(FILE *reg);
// Read .prop / .lab again, filling only the proposition arrays of the
// locations (states_props) / the label arrays of the transitions
// (trans_labels); the records must have been read already.
void read_props2(FILE *prop);
void read_labels2(FILE *lab);
// Opens .prop and .lab and reads them with read_props2 and read_labels2;
// does nothing once props_labels_in_memory() was called.
void load_props_labels();
// The tables were built in memory (the product of a formula on several
// graphs) and hold what load_props_labels would read: there is no file.
void props_labels_in_memory();
// Writes the .cpt listing unless it is newer than the .vnk file.
void compact_tg();

// The same readers, reporting a bad file by returning 0 instead of ending
// the process (the tables are then partly filled: clear_tg_tables).
int try_read_header(FILE *vnk);
int try_read_props(FILE *prop);
int try_read_labels(FILE *lab);
int try_read_regions(FILE *reg);
// All four in order; 1 when every file was good.
int try_read_compiled(FILE *vnk, FILE *prop, FILE *lab, FILE *reg);
