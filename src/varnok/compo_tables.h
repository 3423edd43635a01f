// Several timed graphs loaded side by side for their parallel product.
//
// Each automaton's tables are a copy of the single-graph tables (tg_global,
// tg_labels, tg_props) taken right after it was loaded, kept in row a of the
// TA_ tables below (a = position on the command line). The product's clocks
// are the reference clock and the automata's own clocks side by side;
// location and transition vectors are coded as mixed-radix integers with
// automaton 0 the least significant digit. Product locations are found again
// by code through hash tables of 32771 buckets and numbered in order of
// discovery in state_set. Nothing here is freed before the process ends.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/tg/tg_global.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"

struct zone;
struct region;

// ---------------------------------------------------------------------------
// Per-automaton tables (N_OF_TA rows each)

extern int32_t N_OF_TA;
extern std::vector<uint16_t> TA_N_OF_CLOCKS;   // reference clock included
extern std::vector<int32_t> TA_AFFECT_SIZE;    // declared clocks + 1
extern std::vector<std::vector<std::string>> &TA_clocks_names;
extern std::vector<int32_t> TA_N_OF_LABELS;
extern std::vector<int32_t> TA_N_OF_PROPS;
extern std::vector<int32_t> TA_N_OF_STATES;
extern std::vector<int32_t> TA_N_OF_TRANS;
extern std::vector<int32_t> TA_N_OF_REGIONS;
extern std::vector<std::vector<int32_t>> &TA_inv;
extern std::vector<std::vector<region *>> &TA_list_reg;
// Transitions in source order; those leaving l are TA_succs[a][l] ..
// TA_succs[a][l+1]-1. The records are owned by the rows.
extern std::vector<std::vector<trans_rec *>> &TA_trans_table;
extern std::vector<std::vector<trans_rec *>> &TA_trans_table_preds;
extern std::vector<std::vector<int32_t>> &TA_preds;
extern std::vector<std::vector<int32_t>> &TA_succs;
extern std::vector<std::vector<int32_t>> &TA_nb_preds;
extern std::vector<std::vector<int32_t>> &TA_corresp_succ_pred;
extern std::vector<std::array<label_rec *, LAB_HASH_SIZE>> &TA_lab_table;
extern std::vector<std::vector<label_rec *>> &TA_label_tab;
extern std::vector<int32_t> TA_nb_labels;
// Per transition, its label indices as stored in the .lab file.
extern std::vector<std::vector<std::vector<int32_t>>> &TA_trans_labels;
extern std::vector<std::array<prop_rec *, PROP_HASH_SIZE>> &TA_prop_hash_table;
extern std::vector<std::vector<prop_rec *>> &TA_prop_tab;
extern std::vector<int32_t> TA_nb_props;
// Per location, its proposition indices as stored in the .prop file.
extern std::vector<std::vector<std::vector<int32_t>>> &TA_states_props;
extern std::vector<std::vector<std::string>> &TA_decl_names;
// Model base names, whole: the activity masks are read from the .opt file
// of this name, which a shortened name would not find (or mistake).
extern std::vector<std::string> &TA_names;
// Per location a mask of active local clocks (bit k for clock k); empty for
// an automaton with no clock of its own or before init_TA_LocClockAct.
extern std::vector<std::vector<uint32_t>> &TA_LocClockAct;

// Product over the automata of (largest out-degree + 1): bounds the number
// of transition vectors leaving one product location. Saturates at
// 2147483647.
extern int32_t TA_MAX_TRANS;
// Universal zone of the product's dimension (made by init_list).
extern zone *TA_UNIVERSAL;

// Most automata a product may have (the connectivity test of the
// synchronisation keeps 32-bit masks).
constexpr int MAX_NB_TA = 32;

// ---------------------------------------------------------------------------
// Loading

// N_OF_TA = n and n empty rows in every table (n in 1..MAX_NB_TA).
void init_compo_tables(int n);
// Every TA_N_OF_REGIONS entry 0 and TA_MAX_TRANS 0.
void TA_decl_init_Varnok_globals();
// Empties the single-graph tables (releasing what no row took over), sets
// their counts to 0, the declared-size limits to their defaults and the
// parsers' line counters to 1, ready for the next model.
void reset_Varnok_globals();
// Loads automaton a from the compiled files of my_filename (READ_STRUCT
// must be set): prints "reading file", reads .vnk, .prop, .lab, .reg (a bad
// file ends the process), copies the tables into row a and folds the
// automaton's out-degree into TA_MAX_TRANS. Returns the largest out-degree.
int init_TA(int a, int flag);
// Moves the single-graph tables into row a; the single-graph tables are
// left empty (their records now belong to row a).
void copy_Varnok_globals_to_TA(int a);
// Checks that location and transition vectors can be coded and that the
// product's clocks fit a zone (else message and exit -1), and sets
// N_OF_CLOCKS, clocks_names, AFFECT_SIZE and the zone dimensions for the
// product; N_OF_STATES becomes 0. A clock named like a clock of an earlier
// automaton is called NAME_a in the product (a warning says so), so that
// the product's text tells the clocks apart.
void TA_init_Varnok_globals();
// Reads the activity masks of every automaton from its .opt file (more than
// 32 clocks: message and exit -1).
void init_TA_LocClockAct();

// Releases every row, the control, symbolic-state and zone-list tables and
// TA_UNIVERSAL (zones interned in the zone hash table stay there); N_OF_TA
// becomes 0. For tools and tests that load several systems in one process.
void free_compo_tables();

// Index of the proposition called name in automaton a, or -1.
int TA_find_prop_by_name(int a, const char *name);

// ---------------------------------------------------------------------------
// Vectors and clocks

// Mixed-radix codes, automaton 0 least significant; n is N_OF_TA (n <= 0
// codes as 0). Location vectors: digit base TA_N_OF_STATES[a].
int32_t TA_encode_state_vector(const int32_t *v, int n);
void TA_decode_state_vector(int32_t code, int32_t *v, int n);
// Transition vectors: entry -1 (idle) or a transition number of automaton a;
// digit base TA_N_OF_TRANS[a] + 1, the top digit meaning idle.
int32_t TA_encode_trans_vector(const int32_t *w, int n);
// Fills w and returns the number of moving automata.
int TA_decode_trans_vector(int32_t code, int32_t *w, int n);
// Global index of local clock k of automaton a (local 0 is global 0).
int encode_clock_index(int k, int a);
// Automaton and local index of global clock g (g = 0: automaton 0, local 0).
void decode_clock_index(int g, int *a, int *k);

// ---------------------------------------------------------------------------
// Product locations and the hash tables keyed by location codes

constexpr int TA_HASH_SIZE = 32771;

struct control_arc {
  int32_t target;  // target location code
  int32_t trans;   // transition-vector code
  int32_t piece;   // guard piece of the transition vector (compo_succ)
};

// A product location reached; nb_arcs arcs in the order they were found.
struct control_node {
  int32_t code;
  int32_t nb_arcs;
  std::vector<control_arc> arcs;
  int32_t index;  // position in state_set, -1 before it is appended
  control_node *next;
};

// A symbolic state of the product: a location code and a zone.
struct TA_symb_state {
  int32_t code;
  zone *z;
};

struct symb_item {
  TA_symb_state *state;
  int32_t number;  // state number in the simulation graph
  symb_item *next;
};

struct symb_node {
  int32_t code;
  symb_item *items;  // newest first
  symb_node *next;
};

struct zone_list_item {
  zone *z;
  zone_list_item *next;
};

struct zone_list_node {
  int32_t code;
  zone_list_item *zones;  // newest first
  zone_list_node *next;
};

extern control_node **ControlHashTab;
extern symb_node **SymbHashTab;
extern zone_list_node **ZoneListHashTab;

// Product locations in order of discovery (at most MAX_CONTROL_STATES).
extern std::vector<control_node *> &state_set;
extern int32_t product_location_nb;
extern int32_t product_edge_nb;

// New tables with every chain empty.
void init_ControlHashTab();
void init_SymbHashTab();
void init_ZoneListHashTab();
// Find the node of `code` or push a new empty one at the head of its chain;
// *node receives it. Return 1 when it was created, 0 when it existed.
int control_hash_insert(control_node **node, int32_t code);
int symb_hash_insert(symb_node **node, int32_t code);
int zone_list_hash_insert(zone_list_node **node, int32_t code);
// The node of `code` in ControlHashTab, or null.
control_node *control_hash_find(int32_t code);

// Empties state_set.
void TA_init_state_set();
// Appends node (MAX_CONTROL_STATES exceeded: message, exit -1).
void insert_in_state_set(control_node *node);
// Position in state_set of the product location of `code`, 0 when none.
int get_state_set_index(int32_t code);
