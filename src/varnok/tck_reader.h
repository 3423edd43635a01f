// The reader of .tck files: a model with data (tck_model) from its text.
//
// A model is a list of declarations, one per line, each optionally followed
// by attributes in braces; `#` starts a comment; every object is declared
// before it is used. Every mistake is refused with "FILE:LINE: message",
// and the sizes of tck_model.h bound what a file may ask for, so that no
// input crashes the reader or makes it hang.
#pragma once

#include <string>

#include "varnok/tck_model.h"

namespace tck {

// Reads the model text (the contents of file, which names it in messages)
// into out. False, with "FILE:LINE: message" (no newline) in err, on the
// first mistake; out is then unusable.
bool read_model(const std::string &text, const std::string &file, system &out, std::string &err);

// Parses a goal over the model s: an integer condition in which the labels
// of locations stand for "some process is in a location with this label";
// `and`, `or` and `not` may be written for `&&`, `||` and `!`. Adds its
// expressions to s.exprs and returns the goal's index in goal; false, with
// a message in err, when the text is not such a condition.
bool parse_goal(system &s, const std::string &text, int &goal, std::string &err);

}  // namespace tck
