#include "common/tg/tg_to_smc_main.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "common/region/region.h"
#include "common/region/region_zone.h"
#include "common/tg/tg_clocks.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/tg/varnok_init.h"
#include "common/util/my_files.h"
#include "common/util/source_lines.h"
#include "common/util/varnok_error.h"
#include "common/zone/zone.h"

uint16_t clocksno = 0;
uint16_t decl_clocksno = 0;
int32_t tg_next_state = 0;
int32_t current_state = 0;
int32_t current_trans = 0;
int32_t state_to = 0;
uint16_t n_act = 0;
uint16_t n_props = 0;
clock_affect *curr_clk_aff = nullptr;
char trans_ddl = 'L';
char trans_ctrl = 'C';
uint16_t empty_cond = 0;
int32_t clock_assign = 0;
FILE *tg_output = nullptr;
std::vector<char *> &decl_clocks_names = *new std::vector<char *>;  // never destroyed
int tg_exit_on_error = 1;
int tg_error_line = 0;
int tg_fatal_status = 0;

int tg_yyparse();
void tg_yyrestart(FILE *input);

// Guard index of the transition being read.
static int guard_index = 0;
// Identifiers of the current parse; the parser's values point into them.
static std::deque<std::string> name_pool;

const char *tg_intern_name(const char *text) {
  name_pool.emplace_back(text);
  return name_pool.back().c_str();
}

// A fatal model error: ends the process, or (tg_exit_on_error == 0) records
// the status and returns 0 so that the parser aborts.
static int fatal(int status) {
  if (tg_exit_on_error) tg_abort_compile(status);
  tg_fatal_status = status;
  return 0;
}

// An error at the current token; the compiler-style line names `subject`,
// the word the error is about.
static void report_error(const char *message, const char *subject, const std::string &hint = "") {
  fprintf(stderr, "%s at line %d, near `%s'\n", message, tg_yylineno, tg_yytext != nullptr ? tg_yytext : "");
  if (tg_compiling) print_source_error(tg_yylineno, message, subject, hint.c_str());
  tg_yynerrs++;
}

// The compiler-style line of an error that the specified report does not
// place: the line the scanner stands at (the declaration or transition
// just read), the message, the word it is about (null: the end of the
// text) and a hint.
static void place_error(const char *message, const std::string &token, const std::string &hint) {
  const int line = tg_error_line > 0 ? tg_error_line : tg_yylineno;
  if (tg_compiling) print_source_error(line, message, token.empty() ? nullptr : token.c_str(), hint.c_str());
}

static std::string decimal(long long n) { return std::to_string(n); }

void tg_yyerror(const char *message) {
  // The parser's stack outgrew its limit: as any other memory exhaustion.
  if (strcmp(message, "memory exhausted") == 0) out_of_memory();
  report_error(message, tg_yytext);
}

void tg_warning(const char *message) {
  fprintf(stderr, "warning: %s at line %d, near `%s'\n", message, tg_yylineno, tg_yytext != nullptr ? tg_yytext : "");
}

int test_nat(int n) { return n < 0 ? -1 : n; }

static int find_clock(const char *name) {
  for (size_t i = 0; i < decl_clocks_names.size(); i++)
    if (strcmp(decl_clocks_names[i], name) == 0) return static_cast<int>(i) + 1;
  return 0;
}

int insert_clock_name(const char *name) {
  if (find_clock(name) != 0) return 0;
  char *copy = strdup(name);
  if (copy == nullptr) out_of_memory();
  decl_clocks_names.push_back(copy);
  clocksno = static_cast<uint16_t>(decl_clocks_names.size());
  return clocksno;
}

int get_clock(const char *name) {
  int x = find_clock(name);
  if (x == 0) report_error("undeclared clock", name, did_you_mean(name, {decl_clocks_names.begin(), decl_clocks_names.end()}));
  return x;
}

// --------------------------------------------------------------------------
// Header

int tg_states_declaration(int count) {
  if (count > MAX_STATES) {
    printerr(8, MAX_STATES, -1);
    place_error("too many states", decimal(count), "at most " + decimal(MAX_STATES - 1));
    return fatal(-1);
  }
  N_OF_STATES = count;
  return 1;
}

int tg_transitions_declaration(int count) {
  if (count > MAX_TRANS) {
    printerr(9, MAX_TRANS, -1);
    place_error("too many transitions", decimal(count), "at most " + decimal(MAX_TRANS - 1));
    return fatal(-1);
  }
  N_OF_TRANS = count;
  return 1;
}

int tg_clocks_declaration(int count) {
  if (count < 0) count = MAX_CLOCKS;
  if (count > MAX_CLOCKS) {
    printerr(10, MAX_CLOCKS, -1);
    place_error("too many clocks", decimal(count), "at most " + decimal(MAX_CLOCKS - 1));
    return fatal(-1);
  }
  decl_clocksno = static_cast<uint16_t>(count);
  clocksno = 0;
  return 1;
}

int tg_clock_name(const char *name) {
  if (find_clock(name) != 0) {
    tg_warning("clock declared twice");
    return 1;
  }
  if (clocksno + 1 > decl_clocksno) {
    printerr(11, clocksno + 1, static_cast<int>(decl_clocksno), -1);
    place_error("more clocks than #clocks declares", name, "#clocks " + decimal(decl_clocksno));
    return fatal(-1);
  }
  insert_clock_name(name);
  return 1;
}

int tg_clocks_complete() {
  if (!check_clocks_number(clocksno)) return fatal(-1);
  // The formula's extra clocks, if one was read first, are added when the
  // regions are read again (init_tg); the parse itself uses none.
  uint16_t extra = N_OF_EXTRA_CLOCKS;
  init_zone_module(clocksno, 0, decl_clocks_names.data());
  N_OF_EXTRA_CLOCKS = extra;
  open_affect_set(clocksno);
  for (char *name : decl_names) free(name);
  decl_names.clear();
  for (char *name : decl_clocks_names) {
    char *copy = strdup(name);
    if (copy == nullptr) out_of_memory();
    decl_names.push_back(copy);
  }
  nb_decl_clocks = clocksno;
  return 1;
}

void tg_table_setup() { init_global_tables(); }

void tg_sync_label(const char *name) { insert_sync_label(name); }

// --------------------------------------------------------------------------
// Locations

static double zone_count(const region *r) { return is_empty_region(r) ? 0 : r->count; }

// Whether a region of `zones` zones is too large to compact (pairwise
// inclusion tests) in reasonable time; if so it is reported as an error.
static bool too_large(double zones) {
  double clocks = N_OF_CLOCKS;
  if (zones * zones * clocks * clocks <= MAX_CONSTRAINT_WORK) return false;
  tg_yyerror("constraint too large");
  return true;
}

int tg_location_start(int number) {
  if (number != tg_next_state) {
    printerr(6, static_cast<int>(tg_next_state), -1);
    place_error("state out of order", decimal(number), "state " + decimal(tg_next_state) + " expected");
    return fatal(-1);
  }
  if (number >= N_OF_STATES) {
    printerr(7, number, static_cast<int>(N_OF_STATES), -1);
    place_error("more states than #states declares", decimal(number), "#states " + decimal(N_OF_STATES));
    return fatal(-1);
  }
  current_state = number;
  tg_next_state++;
  n_props = 0;
  succs[current_state] = current_trans;
  return 1;
}

void tg_location_prop(const char *name) {
  if (n_props == MAX_INDEX_COUNT) tg_limit_exceeded("propositions in one location", MAX_INDEX_COUNT);
  insert_prop_state(name, current_state);
  n_props++;
}

void tg_invariant(region *r) {
  if (too_large(zone_count(r))) {
    free_region(r);
    r = mk_empty_region();
  }
  region *p = proj_region(r);
  if (is_empty_region(p)) {
    printerr(1, static_cast<int>(current_state), -1);
  } else if (!is_included_region(p, r)) {
    printerr(2, static_cast<int>(current_state), -1);
  }
  free_region(r);
  inv[current_state] = find_and_add_region(p);
}

// --------------------------------------------------------------------------
// Transitions

void tg_guard(region *g) {
  if (too_large(zone_count(g) * zone_count(list_reg[inv[current_state]]))) {
    free_region(g);
    g = mk_empty_region();
  }
  region *g2 = intersection_region(g, list_reg[inv[current_state]]);
  cf_region(g2);
  free_region(g);
  if (is_empty_region(g2)) {
    free_region(g2);
    empty_cond = 1;
    guard_index = 0;
  } else {
    empty_cond = 0;
    guard_index = find_and_add_region(g2);
  }
}

void tg_label(const char *name) {
  if (empty_cond != 0) return;
  if (n_act == MAX_INDEX_COUNT) tg_limit_exceeded("labels on one transition", MAX_INDEX_COUNT);
  insert_label_trans(name, current_trans);
  n_act++;
}

void tg_fresh_affect() {
  free_clock_affect(curr_clk_aff);
  curr_clk_aff = new_clock_affect();
}

void tg_reset(const char *clock) {
  if (curr_clk_aff == nullptr) tg_fresh_affect();
  add_reset(curr_clk_aff, get_clock(clock));
}

void tg_assignment(const char *clock, const char *value_clock, int value) {
  if (curr_clk_aff == nullptr) tg_fresh_affect();
  int x = get_clock(clock);
  clock_assign = value_clock != nullptr;
  if (clock_assign) {
    add_affect(curr_clk_aff, x, get_clock(value_clock));
    return;
  }
  if (value != 0) printerr(15, x, value, -1);
  add_reset(curr_clk_aff, x);
}

int tg_transition_target(int target) {
  if (target >= N_OF_STATES) {
    printerr(12, target, static_cast<int>(current_trans), -1);
    place_error("invalid state in goto", decimal(target), "#states " + decimal(N_OF_STATES));
    return fatal(-1);
  }
  state_to = target;
  return 1;
}

int tg_transition_complete() {
  if (empty_cond) {
    printerr(3, static_cast<int>(current_trans), static_cast<int>(current_state), static_cast<int>(state_to), -1);
    free_clock_affect(curr_clk_aff);
    curr_clk_aff = nullptr;
    return 1;
  }
  if (current_trans >= N_OF_TRANS) {
    printerr(4, static_cast<int>(current_trans), static_cast<int>(N_OF_TRANS), -1);
    place_error("more transitions than #trans declares", "goto " + decimal(state_to), "#trans " + decimal(N_OF_TRANS));
    return fatal(-1);
  }
  if (curr_clk_aff == nullptr) tg_fresh_affect();
  add_trans(current_trans, state_to, current_state, guard_index, n_act, curr_clk_aff, trans_ddl, trans_ctrl);
  curr_clk_aff = nullptr;
  current_trans++;
  return 1;
}

// --------------------------------------------------------------------------
// End of the graph

int tg_graph_complete() {
  tg_error_line = 0;  // the end of the text
  if (tg_next_state < N_OF_STATES) {
    printerr(5, static_cast<int>(tg_next_state), static_cast<int>(N_OF_STATES), -1);
    place_error("fewer states than #states declares", "", "#states " + decimal(N_OF_STATES) + ", state " + decimal(tg_next_state) + " missing");
    return fatal(-1);
  }
  if (tg_yynerrs != 0) {
    fputs("There were parsing errors, exiting...\n", stderr);
    return fatal(-1);
  }
  N_OF_TRANS = current_trans;
  trans_table.resize(N_OF_TRANS);
  trans_labels.resize(N_OF_TRANS);
  succs[N_OF_STATES] = current_trans;
  succs_to_preds();
  N_OF_LABELS = nb_labels;
  init_label_tab();
  fill_actions();
  N_OF_PROPS = nb_props;
  init_prop_tab();
  fill_props();
  print_vnk_file();
  free_tables();
  return 1;
}

// --------------------------------------------------------------------------
// Expressions and atoms

int tg_arith(int a, char op, int b) {
  int64_t r = 0;
  switch (op) {
    case '+': r = static_cast<int64_t>(a) + b; break;
    case '-': r = static_cast<int64_t>(a) - b; break;
    case '*': r = static_cast<int64_t>(a) * b; break;
    case '/':
      if (b == 0) {
        tg_yyerror("division by zero");
        return 0;
      }
      r = static_cast<int64_t>(a) / b;
      break;
    default: break;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(r)));
}

int tg_flip_relation(int rel) {
  switch (rel) {
    case REL_LT: return REL_GT;
    case REL_LE: return REL_GE;
    case REL_GE: return REL_LE;
    case REL_GT: return REL_LT;
    default: return rel;
  }
}

region *tg_and_constraint(region *a, region *b) {
  region *r = too_large(zone_count(a) * zone_count(b)) ? mk_empty_region() : intersection_region(a, b);
  free_region(a);
  free_region(b);
  return r;
}

region *tg_true_atom() { return zone_to_region(mk_universal_zone()); }

region *tg_false_atom() { return mk_empty_region(); }

// The zone x_i - x_j rel c as a region; c within the bound range.
static region *bound_atom(int i, int j, int rel, int c) {
  zone *z = mk_universal_zone();
  if (rel == REL_LT || rel == REL_LE || rel == REL_EQ)
    assign_bounds_edges_zone(z, i, j, mk_bound(c, rel != REL_LT), 1);
  if (rel == REL_GT || rel == REL_GE || rel == REL_EQ)
    assign_bounds_edges_zone(z, j, i, mk_bound(-c, rel != REL_GT), 1);
  z->flags = static_cast<unsigned char>(z->flags & ~(ZONE_UNIVERSAL | ZONE_CANONICAL));
  return zone_to_region(z);
}

static bool constant_in_range(long c) {
  if (c >= -MAX_BOUND_CONSTANT && c <= MAX_BOUND_CONSTANT) return true;
  tg_yyerror("constant out of range");
  // The range itself, once per run: the message alone does not give it.
  static bool range_told = false;
  if (!range_told) {
    range_told = true;
    fprintf(stderr, "%s: constants must lie between %ld and %ld\n", tool, -MAX_BOUND_CONSTANT, MAX_BOUND_CONSTANT);
  }
  return false;
}

region *tg_clock_atom(const char *clock, int rel, int c, bool constant_first) {
  int x = get_clock(clock);
  if (constant_first) rel = tg_flip_relation(rel);
  if (test_nat(c) < 0) {
    tg_warning("positive integer expected");
    return tg_true_atom();
  }
  if (x == 0 || !constant_in_range(c)) return tg_true_atom();
  return bound_atom(x, 0, rel, c);
}

static bool relation_holds(long a, int rel, long b) {
  switch (rel) {
    case REL_LT: return a < b;
    case REL_LE: return a <= b;
    case REL_EQ: return a == b;
    case REL_GE: return a >= b;
    default: return a > b;
  }
}

region *tg_diff_atom(const char *x, const char *y, int rel, long c) {
  int i = get_clock(x);
  int j = get_clock(y);
  if (i == 0 || j == 0 || !constant_in_range(c)) return tg_true_atom();
  // x - x is 0: the atom is a plain truth value (a bound on the diagonal of
  // the matrix would not be seen by the closure).
  if (i == j) return relation_holds(0, rel, c) ? tg_true_atom() : tg_false_atom();
  return bound_atom(i, j, rel, static_cast<int>(c));
}

// --------------------------------------------------------------------------
// Entry

static void reset_parser_state() {
  clocksno = decl_clocksno = 0;
  tg_next_state = current_state = current_trans = state_to = 0;
  n_act = n_props = 0;
  free_clock_affect(curr_clk_aff);
  curr_clk_aff = nullptr;
  trans_ddl = 'L';
  trans_ctrl = 'C';
  empty_cond = 0;
  clock_assign = 0;
  guard_index = 0;
  tg_fatal_status = 0;
  tg_yynerrs = 0;
  for (char *name : decl_clocks_names) free(name);
  decl_clocks_names.clear();
  name_pool.clear();
}

int tg_to_smc(FILE *input, FILE *output, FILE *err) {
  printf("%s: begin syntax analysis of %s.tg...\n", tool, my_filename);
  tg_yyin = input;
  tg_yyout = err;
  tg_output = output;
  reset_parser_state();
  tg_yyrestart(input);
  tg_yylineno = 1;
  tg_error_line = 0;
  tg_compiling = 1;
  set_error_source((std::string(my_filename) + ".tg").c_str());
  int result = tg_yyparse();
  set_error_source(nullptr);
  if (result != 0 && tg_exit_on_error) {
    // The parser gave up outside a transition list (or ran out of stack):
    // nothing was written.
    fputs("There were parsing errors, exiting...\n", stderr);
    tg_abort_compile(-1);
  }
  tg_compiling = 0;
  reset_parser_state();
  printf("%s: end syntax analysis of %s.tg...\n", tool, my_filename);
  return result;
}
