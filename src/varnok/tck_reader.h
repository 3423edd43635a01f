// The reader of .tck files: a model with data (tck_model) from its text.
//
// A model is a list of declarations, one per line, each optionally followed
// by attributes in braces; `#` starts a comment; every object is declared
// before it is used. Every mistake is refused with "FILE:LINE: message",
// and the sizes of tck_model.h bound what a file may ask for, so that no
// input crashes the reader or makes it hang.
#pragma once

#include <string>
#include <vector>

#include "varnok/tck_model.h"

namespace tck {

// Reads the model text (the contents of file, which names it in messages)
// into out. False, with "FILE:LINE: message" (no newline) in err, on the
// first mistake; out is then unusable.
bool read_model(const std::string &text, const std::string &file, system &out, std::string &err);

// Parses a goal over the model s: a conjunction of integer conditions, in
// which the labels of locations stand for "some process is in a location
// with this label", and of clock constraints (x # e, x - y # e, as in a
// guard); `and`, `or` and `not` may be written for `&&`, `||` and `!`.
// Adds its expressions to s.exprs; goal is the index of the conjunction of
// its integer conditions (the constant 1 when there are none) and clocks
// its clock constraints. False, with a message in err, when the text is not
// such a goal.
bool parse_goal(system &s, const std::string &text, int &goal, std::vector<clock_atom> &clocks, std::string &err);

}  // namespace tck
