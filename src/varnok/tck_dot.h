// Pictures of a model with data (-dot): the model itself, one cluster per
// process, and the text of its expressions and statements as the .tck
// format writes them.
#pragma once

#include <string>
#include <vector>

#include "varnok/tck_model.h"

namespace tck {

// Expression e of s as the format writes it, with parentheses only where
// the precedence of its operators needs them ("x[i + 1] * 2 >= y").
std::string expr_text(const system &s, int e);
// A guard or invariant: its conjuncts joined by " && ", "true" when empty.
std::string guard_text(const system &s, const guard &g);
// Statements joined by "; " ("" when there are none).
std::string body_text(const system &s, const std::vector<stmt> &body);

// Writes the picture of s to `path` (its result name) and reports it: per
// process a cluster of its locations (name, labels, invariant; the initial
// one bold with an entry arrow, committed and urgent ones marked and filled)
// and its edges ("guard => event ; statements").
void dot_write_model(const std::string &path, const system &s);

}  // namespace tck
