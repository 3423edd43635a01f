// Bringing the model checker's globals back to a fresh process's state
// between fuzz inputs, and the size limits the engine targets share.
#pragma once

#include <string>

namespace fuzz {

// Size limits: an input over them is refused before any engine runs, so
// that one input takes milliseconds.
constexpr int MAX_LOCATIONS = 6;
constexpr int MAX_TRANSITIONS = 14;
constexpr int MAX_DECL_CLOCKS = 3;
constexpr long MAX_CONSTANT = 12;

// Frees the loaded graph, the zone hash table, the formula, the forward
// engine's and the product's tables, and sets the options and counters to
// their start values.
void reset_engines();

// Compiles name.tg (written by the caller) with the model checker's
// compiler, under the exit guard. Returns 1 when it compiled and stays within
// the size limits; the tables are released again in any case.
bool compile_small(const char *name);

// Makes name.tg older than its compiled files, so that the next load reads
// those files instead of parsing.
void age_model(const char *name);

}  // namespace fuzz
