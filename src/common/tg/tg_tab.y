%{
// Grammar of the .tg timed-graph text. The actions fill the timed-graph
// tables while the parser reduces (see tg_to_smc_main.h); at the end of a
// correct file the compiled files are written.
#include <cstdio>

#include "common/region/region.h"
#include "common/tg/tg_to_smc_main.h"

// The lists of locations and of transitions are left-recursive, so a graph
// of any size takes a few stack entries per level of nesting; the bound
// stops a deeply nested constraint, and a location with 65535 propositions
// or a transition with as many labels (those lists are right-recursive so
// that their names are entered in reverse) still fits.
#define YYMAXDEPTH 400000

int tg_yylex();
%}

%define parse.error simple
// Each token's line (the scanner sets it), so that an error found after
// the parser looked ahead still names the line of the word it is about.
%locations

%union {
  int ival;
  const char *name;
  struct region *reg;
  struct { const char *clock; int value; } assigned;
}

%token STATES TRANS CLOCKS SYNC STATE PROP INVAR TRANSITIONS RESET GOTO
%token DELAYABLE LAZY EAGER TRUE_T FALSE_T ARROW UARROW CARROW ASSIGN LE GE
%token <ival> INTEGER
%token <name> IDENT

%type <reg> constraint atom
%type <ival> expression relation clock_count
%type <assigned> assigned_value

// Regions discarded by error recovery or an abort are freed. A mid-rule
// action that takes a region over clears its value, so that it is not freed
// twice when the rule is abandoned later.
%destructor { free_region($$); } <reg>

%left OR
%left AND
%precedence UMINUS
%left '*' '/'
%left '+' '-'

%start timed_graph

%%

timed_graph
  : header location_list                  { if (!tg_graph_complete()) YYABORT; }
  ;

header
  : states_declaration transitions_declaration clocks_section table_setup sync_section
  ;

table_setup
  : %empty                                { tg_table_setup(); }
  ;

sync_section
  : %empty
  | SYNC sync_list
  ;

sync_list
  : %empty
  | IDENT { tg_sync_label($1); } sync_list
  ;

clocks_section
  : clocks_declaration clock_list         { if (!tg_clocks_complete()) YYABORT; }
  ;

clocks_declaration
  : CLOCKS clock_count                    { tg_error_line = @1.first_line; if (!tg_clocks_declaration($2)) YYABORT; }
  ;

clock_count
  : %empty                                { $$ = -1; }
  | INTEGER                               { $$ = $1; }
  ;

clock_list
  : %empty
  | IDENT { tg_error_line = @1.first_line; if (!tg_clock_name($1)) YYABORT; } clock_list
  ;

states_declaration
  : STATES INTEGER                        { tg_error_line = @2.first_line; if (!tg_states_declaration($2)) YYABORT; }
  ;

transitions_declaration
  : TRANS INTEGER                         { tg_error_line = @2.first_line; if (!tg_transitions_declaration($2)) YYABORT; }
  ;

location_list
  : %empty
  | location_list location
  ;

location
  : STATE INTEGER { tg_error_line = @2.first_line; if (!tg_location_start($2)) YYABORT; }
    INVAR constraint { tg_invariant($5); $5 = nullptr; }
    TRANSITIONS transition_list
  | STATE INTEGER { tg_error_line = @2.first_line; if (!tg_location_start($2)) YYABORT; }
    PROP proposition_list INVAR constraint { tg_invariant($7); $7 = nullptr; }
    TRANSITIONS transition_list
  ;

proposition_list
  : %empty
  | IDENT proposition_list                { tg_location_prop($1); }
  ;

transition_list
  : %empty
  | transition_list transition
  ;

transition
  : deadline constraint { tg_guard($2); $2 = nullptr; } arrow label_list ';' reset_section assignment_list ';' GOTO INTEGER
                                          {
                                            tg_error_line = @11.first_line;
                                            if (!tg_transition_target($11) || !tg_transition_complete()) YYABORT;
                                          }
  | error INTEGER                         { yyerrok; }
  ;

deadline
  : %empty                                { trans_ddl = 'L'; }
  | DELAYABLE                             { trans_ddl = 'D'; }
  | LAZY                                  { trans_ddl = 'L'; }
  | EAGER                                 { trans_ddl = 'E'; }
  ;

arrow
  : ARROW                                 { trans_ctrl = 'C'; }
  | UARROW                                { trans_ctrl = 'U'; }
  | CARROW                                { trans_ctrl = 'C'; }
  ;

label_list
  : %empty                                { n_act = 0; }
  | IDENT label_list                      { tg_label($1); }
  ;

reset_section
  : %empty                                { tg_fresh_affect(); }
  | RESET '{' reset_list '}'
  ;

reset_list
  : %empty                                { tg_fresh_affect(); }
  | IDENT reset_list                      { tg_reset($1); }
  ;

assignment_list
  : %empty
  | IDENT ASSIGN assigned_value { tg_assignment($1, $3.clock, $3.value); } assignment_list
  ;

assigned_value
  : IDENT                                 { $$.clock = $1; $$.value = 0; }
  | INTEGER                               { $$.clock = nullptr; $$.value = $1; }
  ;

constraint
  : atom                                  { $$ = $1; }
  | constraint OR constraint              { $$ = union_region($1, $3); }
  | constraint AND constraint             { $$ = tg_and_constraint($1, $3); }
  | '(' constraint ')'                    { $$ = $2; }
  ;

atom
  : TRUE_T                                { $$ = tg_true_atom(); }
  | FALSE_T                               { $$ = tg_false_atom(); }
  | expression relation IDENT             { $$ = tg_clock_atom($3, $2, $1, true); }
  | IDENT relation expression             { $$ = tg_clock_atom($1, $2, $3, false); }
  | expression relation IDENT '-' IDENT   { $$ = tg_diff_atom($3, $5, tg_flip_relation($2), $1); }
  | expression '+' IDENT relation IDENT   { $$ = tg_diff_atom($3, $5, $4, -static_cast<long>($1)); }
  | IDENT relation expression '+' IDENT   { $$ = tg_diff_atom($1, $5, $2, $3); }
  | IDENT relation IDENT '+' expression   { $$ = tg_diff_atom($1, $3, $2, $5); }
  | IDENT relation IDENT                  { $$ = tg_diff_atom($1, $3, $2, 0); }
  | IDENT '-' IDENT relation expression   { $$ = tg_diff_atom($1, $3, $4, $5); }
  | IDENT '+' expression relation IDENT   { $$ = tg_diff_atom($1, $5, $4, -static_cast<long>($3)); }
  ;

expression
  : INTEGER                               { $$ = $1; }
  | expression '+' expression             { $$ = tg_arith($1, '+', $3); }
  | expression '-' expression             { $$ = tg_arith($1, '-', $3); }
  | expression '*' expression             { $$ = tg_arith($1, '*', $3); }
  | expression '/' expression             { $$ = tg_arith($1, '/', $3); }
  | '-' expression %prec UMINUS           { $$ = tg_arith(0, '-', $2); }
  | '(' expression ')'                    { $$ = $2; }
  ;

relation
  : '<'                                   { $$ = REL_LT; }
  | LE                                    { $$ = REL_LE; }
  | '='                                   { $$ = REL_EQ; }
  | GE                                    { $$ = REL_GE; }
  | '>'                                   { $$ = REL_GT; }
  ;

%%
