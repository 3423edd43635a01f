// -tck: the loaded timed graphs (one or several) written as a model with
// data, so that the same network runs in both worlds. Each graph becomes a
// process (its locations L0, L1, ..., its propositions as labels, INIT
// marking the initial location), each piece of a guard an edge, each
// synchronisation label a synchronisation vector of the graphs that have
// it; a move on no synchronisation label moves its graph alone.
#pragma once

#include <string>

// Writes the loaded automata (product tables and synchronisation built)
// to path; false, after a line on standard error that says why, when one
// cannot be written in the format (an invariant that is a union of zones,
// a clock copy, several initial locations, a move on two synchronisation
// labels).
bool write_tck(const std::string &path);

// The run of -tck on the first nb models: loads them, writes them to
// <out name>.tck. Returns 1, or 0 when they could not be loaded or written.
int tck_export_models(int nb);
