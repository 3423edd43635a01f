%code requires {
// Parser of TCTL formulas: builds the syntax tree and counts the extra
// clocks that the timed operators need.
#include <cstdint>
#include <string>

#include "common/tctl/tctl_syntax.h"

// A token the scanner returned: its kind (0 at the end of the input), its
// text (names in upper case) and its line.
struct tctl_token {
  int kind = 0;
  std::string text;
  int line = 0;
};

// Relation symbols as the scanner reports them.
enum tctl_relation : int32_t { REL_LT, REL_LE, REL_EQ, REL_GE, REL_GT };
}

%code provides {
// Next token of the formula text; 0 at the end of the input.
int tctl_yylex();
// The token returned `back` tokens ago (0: the last one, up to 2); a token
// of kind 0 when there is none.
const tctl_token &tctl_recent_token(int back);
// Forgets the tokens of an earlier text (at the start of a parse).
void tctl_forget_tokens();
// The first character after the last token that is not a blank, without
// reading it; 0 when the text ends or the scanner's buffer holds no more.
int tctl_next_char();
// Prints "<message> at line <n>, near `<token>'" on standard error. The
// caller of the parser ends the process (see tctl_mk_formula).
void tctl_yyerror(const char *message);
// Prints "warning: <message> at line <n>, near `<token>'" on standard error.
void tctl_warning(const char *message);
}

%code {
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/tctl/tctl_main.h"
#include "common/tctl/tctl_tg_link.h"
#include "common/util/source_lines.h"

// The parser stack starts with 200 states and doubles up to 10000.
#define YYINITDEPTH 200
#define YYMAXDEPTH 10000

// The parser's own messages, in this system's words.
#define YY_(msg) tctl_parser_message(msg)

namespace {

const char *tctl_parser_message(const char *msg) {
  if (strcmp(msg, "syntax error") == 0) return "parse error";
  if (strcmp(msg, "memory exhausted") == 0) return "parser stack overflow";
  return msg;
}

// Deeper trees than the parser stack allows (long chains of "and", which
// need no stack) are refused: the tree walkers are recursive.
constexpr int32_t MAX_FORMULA_DEPTH = YYMAXDEPTH;

void need_two_extra_clocks() { N_OF_EXTRA_CLOCKS = 2; }

void need_one_extra_clock() {
  if (N_OF_EXTRA_CLOCKS == 0) N_OF_EXTRA_CLOCKS = 1;
}

// Bound kind of a bounded operator's relation.
int32_t bound_kind(tctl_relation rel, const char *op) {
  switch (rel) {
    case REL_LT: return TCTL_BOUND_LT;
    case REL_LE: return TCTL_BOUND_LE;
    case REL_GT: return TCTL_BOUND_GT;
    case REL_GE: return TCTL_BOUND_GE;
    case REL_EQ: return TCTL_BOUND_EQ;
  }
  char message[64];
  snprintf(message, sizeof message, "unknown bound in %s formula", op);
  tctl_warning(message);
  return TCTL_BOUND_LE;
}

bool is_lower_relation(tctl_relation rel) { return rel == REL_GT || rel == REL_GE; }

tctl_relation mirror(tctl_relation rel) {
  switch (rel) {
    case REL_LT: return REL_GT;
    case REL_GT: return REL_LT;
    case REL_LE: return REL_GE;
    case REL_GE: return REL_LE;
    default: return rel;
  }
}

// Clock constraint "term rel c"; `mirrored` tells that the relation was
// written the other way round (c rel term), which decides the fallback.
tctl_node *constraint(tctl_node *term, tctl_relation rel, int32_t c, bool mirrored) {
  if (mirrored) rel = mirror(rel);
  switch (rel) {
    case REL_LT: return tctl_clock_constraint(tctl_lt(term, c));
    case REL_LE: return tctl_clock_constraint(tctl_leq(term, c));
    case REL_GT: return tctl_clock_constraint(tctl_gt(term, c));
    case REL_GE: return tctl_clock_constraint(tctl_geq(term, c));
    case REL_EQ: return tctl_clock_constraint(tctl_eq(term, c));
  }
  tctl_warning("unknown clock constraint formula");
  return tctl_clock_constraint(mirrored ? tctl_geq(term, c) : tctl_leq(term, c));
}

// Difference x-y as a term; both names are released.
tctl_node *difference(char *x, char *y) {
  tctl_node *t = tctl_minus(x, y);
  free(x);
  free(y);
  return t;
}

// Single clock x as a term; the name is released.
tctl_node *single_clock(char *x) {
  tctl_node *t = tctl_clock(x);
  free(x);
  return t;
}

bool too_deep(tctl_node *f) {
  if (f == nullptr || f->depth <= MAX_FORMULA_DEPTH) return false;
  tctl_free(f);
  tctl_yyerror("formula nested too deeply");
  return true;
}

}  // namespace

// Stores a node built from two subformulas, refusing trees that grew too deep.
#define BINARY(dst, expr)     \
  do {                        \
    (dst) = (expr);           \
    if (too_deep(dst)) {      \
      (dst) = nullptr;        \
      YYABORT;                \
    }                         \
  } while (0)
}

%union {
  tctl_node *f;
  char *name;
  int32_t integer;
  tctl_relation rel;
}

%token TOK_STATE TOK_ENABLE TOK_TRUE TOK_NONZENO TOK_INIT
%token TOK_EU TOK_ED TOK_EB TOK_AU TOK_AD TOK_AB
%token TOK_AND TOK_OR TOK_NOT TOK_IMPL
%token TOK_COMMA TOK_DOT TOK_MINUS TOK_PLUS
%token TOK_LBRACKET TOK_RBRACKET TOK_LBRACE TOK_RBRACE TOK_LPAREN TOK_RPAREN
%token <rel> TOK_REL
%token <integer> TOK_INTEGER
%token <name> TOK_NAME

%type <f> f constraint
%type <integer> lower upper

%destructor { tctl_free($$); } <f>
%destructor { free($$); } <name>

/* Loosest first. */
%right TOK_IMPL
%left TOK_OR
%left TOK_AND
%precedence TOK_NOT TOK_DOT PREFIX
%left TOK_EU
%left TOK_AU
%precedence TOK_ED TOK_EB TOK_AD TOK_AB

%%

formula
  : f  { tctl_parsed_formula = $1; }
  ;

f
  : TOK_TRUE  { $$ = nullptr; }
  | TOK_NONZENO  { $$ = tctl_NonZeno(); need_one_extra_clock(); }
  | TOK_STATE TOK_LPAREN TOK_INTEGER TOK_RPAREN  { $$ = tctl_state($3); }
  | TOK_INIT  { $$ = tctl_init(); }
  | TOK_ENABLE TOK_LPAREN TOK_NAME TOK_RPAREN  { $$ = tctl_enable($3); free($3); }
  | TOK_NAME  { $$ = tctl_prop($1); free($1); }
  | constraint  { $$ = $1; }
  | TOK_NOT f  { $$ = tctl_not($2); }
  | TOK_NAME TOK_DOT f  { $$ = tctl_reset($1, $3); free($1); }
  | f TOK_AND f  { BINARY($$, tctl_and($1, $3)); }
  | f TOK_OR f  { BINARY($$, tctl_or($1, $3)); }
  | f TOK_IMPL f  { BINARY($$, tctl_impl($1, $3)); }
  | f TOK_EU f  { BINARY($$, tctl_EU($1, $3)); }
  | f TOK_AU f  { BINARY($$, tctl_AU($1, $3)); need_one_extra_clock(); }
  | TOK_ED f  { $$ = tctl_ED($2); }
  | TOK_EB f  { $$ = tctl_EB($2); need_two_extra_clocks(); }
  | TOK_AD f  { $$ = tctl_AD($2); need_two_extra_clocks(); }
  | TOK_AB f  { $$ = tctl_AB($2); }
  | f TOK_EU TOK_LBRACE TOK_REL TOK_INTEGER TOK_RBRACE f  %prec PREFIX
      { BINARY($$, tctl_EUB($1, bound_kind($4, "EU"), $5, $7)); need_one_extra_clock(); }
  | f TOK_AU TOK_LBRACE TOK_REL TOK_INTEGER TOK_RBRACE f  %prec PREFIX
      {
        BINARY($$, tctl_AUB($1, bound_kind($4, "AU"), $5, $7));
        if (is_lower_relation($4)) need_two_extra_clocks();
        else need_one_extra_clock();
      }
  | TOK_ED TOK_LBRACE TOK_REL TOK_INTEGER TOK_RBRACE f  %prec PREFIX
      { $$ = tctl_EDB($6, bound_kind($3, "ED"), $4); need_one_extra_clock(); }
  | TOK_EB TOK_LBRACE TOK_REL TOK_INTEGER TOK_RBRACE f  %prec PREFIX
      { $$ = tctl_EBB($6, bound_kind($3, "EB"), $4); need_one_extra_clock(); }
  | TOK_AD TOK_LBRACE TOK_REL TOK_INTEGER TOK_RBRACE f  %prec PREFIX
      {
        $$ = tctl_ADB($6, bound_kind($3, "AD"), $4);
        if (is_lower_relation($3)) need_two_extra_clocks();
        else need_one_extra_clock();
      }
  | TOK_AB TOK_LBRACE TOK_REL TOK_INTEGER TOK_RBRACE f  %prec PREFIX
      { $$ = tctl_ABB($6, bound_kind($3, "AB"), $4); need_one_extra_clock(); }
  | f TOK_EU lower TOK_INTEGER TOK_COMMA TOK_INTEGER upper f  %prec PREFIX
      { BINARY($$, tctl_EUI($1, $3, $4, $6, $7, $8)); need_one_extra_clock(); }
  | f TOK_AU lower TOK_INTEGER TOK_COMMA TOK_INTEGER upper f  %prec PREFIX
      { BINARY($$, tctl_AUI($1, $3, $4, $6, $7, $8)); need_one_extra_clock(); }
  | TOK_ED lower TOK_INTEGER TOK_COMMA TOK_INTEGER upper f  %prec PREFIX
      { $$ = tctl_EDI($7, $2, $3, $5, $6); need_one_extra_clock(); }
  | TOK_EB lower TOK_INTEGER TOK_COMMA TOK_INTEGER upper f  %prec PREFIX
      { $$ = tctl_EBI($7, $2, $3, $5, $6); need_one_extra_clock(); }
  | TOK_AD lower TOK_INTEGER TOK_COMMA TOK_INTEGER upper f  %prec PREFIX
      { $$ = tctl_ADI($7, $2, $3, $5, $6); need_one_extra_clock(); }
  | TOK_AB lower TOK_INTEGER TOK_COMMA TOK_INTEGER upper f  %prec PREFIX
      { $$ = tctl_ABI($7, $2, $3, $5, $6); need_one_extra_clock(); }
  | TOK_LPAREN f TOK_RPAREN  { $$ = $2; }
  ;

/* Interval ends: "]" opens a strict lower bound, "[" a non-strict one;
   "[" closes a strict upper bound, "]" a non-strict one. */
lower
  : TOK_RBRACKET  { $$ = TCTL_BOUND_GT; }
  | TOK_LBRACKET  { $$ = TCTL_BOUND_GE; }
  ;

upper
  : TOK_LBRACKET  { $$ = TCTL_BOUND_LT; }
  | TOK_RBRACKET  { $$ = TCTL_BOUND_LE; }
  ;

/* Every clock constraint is stored as term rel constant. */
constraint
  : TOK_INTEGER TOK_REL TOK_NAME  { $$ = constraint(single_clock($3), $2, $1, true); }
  | TOK_INTEGER TOK_REL TOK_NAME TOK_MINUS TOK_NAME  { $$ = constraint(difference($3, $5), $2, $1, true); }
  | TOK_NAME TOK_REL TOK_INTEGER  { $$ = constraint(single_clock($1), $2, $3, false); }
  | TOK_NAME TOK_MINUS TOK_NAME TOK_REL TOK_INTEGER  { $$ = constraint(difference($1, $3), $4, $5, false); }
  | TOK_INTEGER TOK_PLUS TOK_NAME TOK_REL TOK_NAME  { $$ = constraint(difference($3, $5), $4, -$1, false); }
  | TOK_NAME TOK_REL TOK_INTEGER TOK_PLUS TOK_NAME  { $$ = constraint(difference($1, $5), $2, $3, false); }
  | TOK_NAME TOK_REL TOK_NAME TOK_PLUS TOK_INTEGER  { $$ = constraint(difference($1, $3), $2, $5, false); }
  | TOK_NAME TOK_REL TOK_NAME  { $$ = constraint(difference($1, $3), $2, 0, false); }
  | TOK_NAME TOK_PLUS TOK_INTEGER TOK_REL TOK_NAME  { $$ = constraint(difference($1, $5), $4, -$3, false); }
  ;

%%

namespace {

bool is_name(const tctl_token &t, const char *text) { return t.kind == TOK_NAME && t.text == text; }

// An operator of another formula language, written where the parse failed
// (the parser stops at the token after it): its text, its line and the
// hint that names this language's operator of the same meaning.
struct foreign_operator {
  std::string text;
  int line = 0;
  std::string hint;
};

bool find_foreign_operator(foreign_operator *found) {
  const tctl_token &cur = tctl_recent_token(0), &prev = tctl_recent_token(1), &prev2 = tctl_recent_token(2);
  static const char *const prefix[][2] = {{"EF", "ED"}, {"AG", "AB"}, {"EG", "EB"}, {"AF", "AD"}};
  for (const auto &op : prefix)
    if (is_name(prev, op[0])) {
      *found = {op[0], prev.line, std::string("did you mean '") + op[1] + "'?"};
      return true;
    }
  const bool e_or_a = is_name(prev, "E") || is_name(prev, "A");
  if (e_or_a && cur.kind == TOK_LBRACKET) {
    const bool exists = prev.text == "E";
    if (tctl_next_char() == ']') *found = {prev.text + "[]", prev.line, exists ? "did you mean 'EB'?" : "did you mean 'AB'?"};
    else *found = {prev.text + "[", prev.line, exists ? "did you mean 'p EU q'?" : "did you mean 'p AU q'?"};
    return true;
  }
  if ((is_name(prev2, "E") || is_name(prev2, "A")) && prev.text == "<" && cur.text == ">") {
    *found = {prev2.text + "<>", prev2.line, prev2.text == "E" ? "did you mean 'ED'?" : "did you mean 'AD'?"};
    return true;
  }
  if (is_name(cur, "U") || is_name(prev, "U")) {
    *found = {"U", is_name(cur, "U") ? cur.line : prev.line, "did you mean 'p EU q' or 'p AU q'?"};
    return true;
  }
  if (prev.kind == TOK_MINUS && cur.kind == TOK_MINUS && tctl_next_char() == '>') {
    *found = {"-->", prev.line, "did you mean 'AB (p impl AD q)'?"};
    return true;
  }
  if (prev.kind == TOK_MINUS && cur.text == ">") {
    *found = {"->", prev.line, "did you mean 'impl'?"};
    return true;
  }
  return false;
}

}  // namespace

void tctl_yyerror(const char *message) {
  fprintf(stderr, "%s at line %d, near `%s'\n", message, tctl_yylineno, tctl_yytext);
  foreign_operator op;
  if (strcmp(message, "parse error") == 0 && find_foreign_operator(&op)) print_source_error(op.line, "unknown operator", op.text.c_str(), op.hint.c_str());
  else print_source_error(tctl_yylineno, message, tctl_yytext);
}

void tctl_warning(const char *message) {
  fprintf(stderr, "warning: %s at line %d, near `%s'\n", message, tctl_yylineno, tctl_yytext);
}
