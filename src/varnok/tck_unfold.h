// Formulas on models with data: the discrete states of a .tck model that
// its integer guards let a run reach (clocks aside) become the locations of
// one timed graph, each a location vector with a valuation of the integers,
// so that every formula of the backward evaluator works on the model.
//
// A location carries the labels of its processes' locations and, for each
// integer variable v with value k, the proposition v_k (v_m1 for -1); its
// invariant is the conjunction of the processes' invariants with the
// values put in, a move's guard likewise. Where time cannot pass (an urgent
// or a committed location) an extra clock, reset by every move, is held at
// 0. A clock set to a value other than 0 cannot be written and is refused.
#pragma once

#include <string>

namespace tck {

class data_model;

// Writes the timed graph of m to path (its text); false with a message in
// why when it cannot be written (more than MAX_UNFOLDED locations, names
// that the timed-graph language cannot tell apart).
bool write_unfolded(data_model &m, const std::string &path, std::string &why);

constexpr int MAX_UNFOLDED = 200000;

}  // namespace tck
