// The model checker's option word, limits and file parameters.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Option bits of OPT_SET.
constexpr uint32_t OPT_VERBOSE = 0x1;
constexpr uint32_t OPT_HISTORY = 0x2;
constexpr uint32_t OPT_FORMULA = 0x4;
constexpr uint32_t OPT_COMPACT = 0x8;
constexpr uint32_t OPT_STEP = 0x10;
constexpr uint32_t OPT_FORWARD = 0x20;
constexpr uint32_t OPT_ACTIVITY = 0x40;
constexpr uint32_t OPT_ABS_INCL = 0x80;
constexpr uint32_t OPT_ABS_HULL = 0x100;
constexpr uint32_t OPT_ABS_XTRA = 0x200;
constexpr uint32_t OPT_INIT = 0x400;
constexpr uint32_t OPT_REACH = 0x800;
constexpr uint32_t OPT_SYNC_DIAG = 0x1000;
constexpr uint32_t OPT_SYNC_ENUM = 0x2000;
constexpr uint32_t OPT_DFS = 0x4000;
constexpr uint32_t OPT_FULLDFS = 0x8000;
constexpr uint32_t OPT_STACK = 0x10000;
constexpr uint32_t OPT_INV = 0x20000;
constexpr uint32_t OPT_HASH_STATS = 0x40000;
constexpr uint32_t OPT_TA = 0x80000;
// -abs lu / -alu: lower/upper-bound extrapolation with inclusion subsumption.
constexpr uint32_t OPT_ABS_LU = 0x100000;
// -run: every witness written is also written as a concrete run (_run.reach).
constexpr uint32_t OPT_RUN = 0x200000;
// -dot: DOT pictures of the model, the simulation graph, the product and runs.
constexpr uint32_t OPT_DOT = 0x400000;
// -verdict, -q, -stats, -progress: the answer as one line and a status, a
// quiet run, the run's figures, progress lines (see verdict.h, progress.h).
constexpr uint32_t OPT_VERDICT = 0x800000;
constexpr uint32_t OPT_QUIET = 0x1000000;
constexpr uint32_t OPT_STATS = 0x2000000;
constexpr uint32_t OPT_PROGRESS = 0x4000000;
// -reachable: a formula is decided on the reachable part that -abs lu finds.
constexpr uint32_t OPT_REACHABLE = 0x8000000;
// -tck: the loaded timed graphs are written as a model with data (.tck).
constexpr uint32_t OPT_TCK = 0x20000000;
// -svg: the run of -run is also drawn as a timing diagram (_run.svg).
constexpr uint32_t OPT_SVG = 0x40000000;
// -j N: the -abs lu search on N threads (SEARCH_JOBS; 0: one per core).
constexpr uint32_t OPT_JOBS = 0x10000000;

constexpr int MAX_PARAMS = 30;     // arguments in all, options included
constexpr int PARAM_LEN = 63;      // longest file or option parameter

extern uint32_t OPT_SET;
extern char param_names[MAX_PARAMS][PARAM_LEN + 1];
extern const char *param_texts[MAX_PARAMS];  // the arguments themselves, uncut
extern int nb_param;
extern char init_f_name[PARAM_LEN + 1];
extern char reach_f_name[PARAM_LEN + 1];
extern char out_f_name[PARAM_LEN + 1];
extern char form_name[PARAM_LEN + 1];
extern int FORWARD_ANALYSIS;
extern int MAX_SYMB_STATES;
// 1 when -FORW was given: the -abs lu search has no state limit otherwise.
extern int MAX_SYMB_STATES_GIVEN;
extern int MAX_STACK_SIZE;
extern int MAX_CONTROL_STATES;
// 1 when -CONTROL was given: a formula on several graphs is then held to it.
extern int MAX_CONTROL_STATES_GIVEN;
extern int COMPACT_TYPE;
extern int16_t VAL;
extern int MAX_FOUND_PATHS;
extern int ALL_PATHS;
// The threads of -j N as given (1 without -j; 0: one per core).
extern int SEARCH_JOBS;
constexpr int MAX_SEARCH_JOBS = 256;

// Returns the bits of mask that are set in OPT_SET.
uint32_t is_option(uint32_t mask);

// Sets the four formula and output names to their defaults.
void default_file_names();

// Refuses more than 30 arguments ("too many parameters", exit 1) and clears
// the parameter buffers.
void init_param_names(int count);

// Reads the arguments after the program name into OPT_SET, the limits and
// param_names. Usage errors print the usage text and exit with -1.
void read_args(int count, char **args);

// Recognise an option without value, with a number, or with a parameter.
int is_simple_option(const char *arg);
int is_option_w_val(const char *arg);
int is_option_w_param(const char *arg);
// Apply an option with a number / parameter; 0 when it or its parameter is unknown.
int set_option_w_val(const char *arg, const char *value);
int set_option_w_param(const char *arg, const char *parameter);

// Refuses file parameter i when it is longer than PARAM_LEN (exit -1).
void check_file_param(int i);

// Writes `text` and a newline into the file `path` (the output prefix
// applied) and reports it; a file that cannot be created ends the process
// with status 1.
void on_line_to_file_formula(const char *text, const char *path);

// The formula texts that read_args wrote (file name as given to
// on_line_to_file_formula, text), in the order written.
const std::vector<std::pair<std::string, std::string>> &formula_texts_written();
