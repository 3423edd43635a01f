#include "common/tctl/tctl_main.h"

#include <cstdlib>
#include <map>
#include <set>

#include "common/tctl/tctl_tab.h"
#include "common/util/my_files.h"
#include "common/util/source_lines.h"

tctl_node *TCTL_FORMULA = nullptr;

namespace {

// Formulas replaced by a later parse stay allocated (and reachable) until
// exit: their nodes may still be referenced by earlier results.
tctl_node **earlier_formulas = nullptr;
size_t n_earlier = 0;
size_t earlier_room = 0;

void keep_earlier(tctl_node *f) {
  if (n_earlier == earlier_room) {
    size_t room = earlier_room == 0 ? 4 : 2 * earlier_room;
    auto *grown = static_cast<tctl_node **>(realloc(earlier_formulas, room * sizeof(tctl_node *)));
    if (grown == nullptr) out_of_memory();
    earlier_formulas = grown;
    earlier_room = room;
  }
  earlier_formulas[n_earlier++] = f;
}

}  // namespace

tctl_node *tctl_parsed_formula = nullptr;

void tctl_yyrestart(FILE *in);

int tctl_parse_formula(FILE *in, FILE *echo) {
  if (in == nullptr) in = stdin;
  tctl_yyin = in;
  tctl_yyout = echo != nullptr ? echo : stdout;
  // A fresh buffer on the new stream: after a failed parse the old buffer
  // may still hold unread text of the previous input.
  tctl_yyrestart(in);
  tctl_forget_tokens();
  tctl_forget_names();
  tctl_parsed_formula = nullptr;
  int result = tctl_yyparse();
  if (result != 0) {
    // The whole formula may have been reduced before the text after it
    // turned out to be wrong.
    tctl_free(tctl_parsed_formula);
  } else {
    if (TCTL_FORMULA != nullptr) keep_earlier(TCTL_FORMULA);
    TCTL_FORMULA = tctl_parsed_formula;
  }
  tctl_parsed_formula = nullptr;
  return result;
}

int tctl_mk_formula(FILE *in, FILE *echo) {
  int result = tctl_parse_formula(in, echo);
  if (result != 0) exit(-1);
  return result;
}

tctl_node *tctl_formula() { return TCTL_FORMULA; }

namespace {

struct name_places {
  std::map<std::string, std::string> place;  // name -> "FILE:LINE"
  std::set<std::string> in_this_text;
};

name_places &places() {
  static auto *p = new name_places;  // never destroyed: used until exit
  return *p;
}

}  // namespace

void tctl_note_name(const char *name, int line) {
  name_places &p = places();
  const std::string where = source_place(line);
  if (where.empty() || !p.in_this_text.insert(name).second) return;
  p.place[name] = where;
}

void tctl_forget_names() { places().in_this_text.clear(); }

std::string tctl_unknown_name_line(const char *name, const char *message, const std::vector<std::string> &known) {
  const auto it = places().place.find(name);
  if (it == places().place.end()) return "";
  const std::string hint = did_you_mean(name, known);
  return it->second + ": " + message + " '" + name + "'" + (hint.empty() ? "" : " (" + hint + ")") + "\n";
}
