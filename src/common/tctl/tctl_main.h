// Entry points of the TCTL front end: parse one formula text into a tree.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

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

// Notes where a name of the formula text was read (the scanner calls it for
// every name, with its line), so that an error about the name found later,
// once the model is known, can give its place. The first place of a name in
// the latest text that has it is kept.
void tctl_note_name(const char *name, int line);
// Forgets which names the text being parsed has (at the start of a parse).
void tctl_forget_names();

// The compiler-style line of a name of a formula that the model does not
// know: "FILE:LINE: MESSAGE 'NAME'\n", with "(did you mean 'X'?)" when one
// of `known` is close to it; "" when the name was not read from a named
// formula text.
std::string tctl_unknown_name_line(const char *name, const char *message, const std::vector<std::string> &known);
