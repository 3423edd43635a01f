// Entry points of the TCTL front end: parse one formula text into a tree.
#pragma once

#include <cstdio>

#include "common/tctl/tctl_syntax.h"

// Root of the last formula parsed; null is the empty formula "true".
extern tctl_node *TCTL_FORMULA;

// Scanner state, kept across parses: line numbers go on counting from one
// formula text to the next.
extern int tctl_yylineno;
extern char *tctl_yytext;
extern FILE *tctl_yyin;
extern FILE *tctl_yyout;

// Parses the whole of `in` as one formula; characters that no scanner rule
// takes are copied to `echo` (stdout when null). Returns 0 and replaces
// TCTL_FORMULA when the input was one formula; returns non-zero after a
// syntax error (message already on standard error), leaving TCTL_FORMULA as
// it was. Raises N_OF_EXTRA_CLOCKS as the formula needs. Never exits, except
// for a token longer than the scanner's 16384-byte buffer (status 2).
int tctl_parse_formula(FILE *in, FILE *echo);

// As tctl_parse_formula, but a syntax error ends the process with status -1.
// Returns 0.
int tctl_mk_formula(FILE *in, FILE *echo);

// The formula the parser has recognised; it becomes TCTL_FORMULA only when
// the parse reaches the end of the input without error.
extern tctl_node *tctl_parsed_formula;

// Returns TCTL_FORMULA (owned by the front end, kept until exit).
tctl_node *tctl_formula();
