// Reading a .tg text: the parser's state, its semantic actions and its entry.
//
// The scanner (lex_tg.l) and the grammar (tg_tab.y) call the functions below
// while they reduce; these fill the tables of tg_global, tg_labels, tg_props
// and tg_clocks and, at the end of a correct file, write the compiled files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

struct region;
struct clock_affect;

// Parser state.
extern uint16_t clocksno;        // clocks named so far
extern uint16_t decl_clocksno;   // declared clock count ("#clocks n", else MAX_CLOCKS)
extern int32_t tg_next_state;   // number the next location must carry
extern int32_t current_state;   // location being read
extern int32_t current_trans;   // transitions kept so far
extern int32_t state_to;        // target of the transition being read
extern uint16_t n_act;           // labels of the transition being read
extern uint16_t n_props;         // propositions of the location being read
extern clock_affect *curr_clk_aff;
extern char trans_ddl;           // 'L', 'D' or 'E'
extern char trans_ctrl;          // 'C' or 'U'
extern uint16_t empty_cond;      // 1 when the guard being read is empty
extern int32_t clock_assign;    // 1 when the assigned value read is a clock
extern int tg_yynerrs;
extern int tg_yylineno;
extern FILE *tg_yyin;
extern FILE *tg_yyout;
extern FILE *tg_output;
extern char *tg_yytext;
// Declared clock names while parsing (index = clock - 1), owned here.
extern std::vector<char *> &decl_clocks_names;

// 1 (default): fatal model errors end the process. 0: they make the parse
// fail instead (tg_yyparse returns non-zero), for callers that must survive
// any input (fuzzing); the process-ending message is printed all the same.
extern int tg_exit_on_error;
// In the second mode, the exit status a fatal error would have had.
extern int tg_fatal_status;
// The line of the word a declaration or transition error is about, set by
// the parser before it calls the checks below (0: the scanner's line).
extern int tg_error_line;

// Prints "begin syntax analysis", parses `input` with `err` as the scanner's
// echo stream and prints "end syntax analysis". Returns tg_yyparse's result:
// 0 when the graph was accepted and its compiled files written. A parse that
// the parser aborts ends the process (-1) after "There were parsing errors,
// exiting..." unless tg_exit_on_error is 0.
int tg_to_smc(FILE *input, FILE *output, FILE *err);

// Relations of atoms.
enum tg_relation { REL_LT, REL_LE, REL_EQ, REL_GE, REL_GT };

// "<message> at line N, near `TOKEN'" on standard error; counts an error.
void tg_yyerror(const char *message);
// "warning: <message> at line N, near `TOKEN'" on standard error.
void tg_warning(const char *message);
// -1 for a negative n, else n.
int test_nat(int n);
// Adds a declared clock: its number from 1, or 0 when already declared.
int insert_clock_name(const char *name);
// Number (from 1) of a declared clock; an unknown name is reported through
// tg_yyerror("undeclared clock") and gives 0.
int get_clock(const char *name);
// The scanner's copy of an identifier (upper case), valid until the next parse.
const char *tg_intern_name(const char *text);

// Semantic actions, in the order the parser reaches them. Those returning
// int give 0 when the parse must stop (only with tg_exit_on_error == 0).
int tg_states_declaration(int count);
int tg_transitions_declaration(int count);
int tg_clocks_declaration(int count);
int tg_clock_name(const char *name);
int tg_clocks_complete();
void tg_table_setup();
void tg_sync_label(const char *name);
int tg_location_start(int number);
void tg_location_prop(const char *name);
void tg_invariant(region *r);
void tg_guard(region *g);
void tg_label(const char *name);
void tg_fresh_affect();
void tg_reset(const char *clock);
void tg_assignment(const char *clock, const char *value_clock, int value);
int tg_transition_target(int target);
int tg_transition_complete();
int tg_graph_complete();
// Value of an expression operation (32-bit, wrapping; division by zero is
// reported and gives 0).
int tg_arith(int a, char op, int b);
// Atoms: x_i - x_j rel c over clocks (0 the reference clock), the reference
// clock never being undeclared. Rules 42/43 (one clock against a constant)
// go through tg_clock_atom, which refuses negative constants.
// a AND b (both taken over). A product of zones too large to compact in
// reasonable time (zones^2 * clocks^2 above MAX_CONSTRAINT_WORK) is reported
// as an error and gives the empty region.
constexpr double MAX_CONSTRAINT_WORK = 4e9;
region *tg_and_constraint(region *a, region *b);
region *tg_true_atom();
region *tg_false_atom();
region *tg_clock_atom(const char *clock, int rel, int c, bool constant_first);
region *tg_diff_atom(const char *x, const char *y, int rel, long c);
// The relation as seen from the other side (< becomes >, = stays).
int tg_flip_relation(int rel);
