// The picture of a concrete run (-run -dot, _run.dot) drawn on the model it
// runs in.
#pragma once

#include <string>

#include "varnok/concrete_run.h"
#include "varnok/tables_view.h"

// The concrete run r drawn on the model it runs in: the locations and
// transitions of the one graph (a network: of each automaton the run moves,
// one cluster each), the transitions the run takes red, each step an edge
// numbered in order with its labels and instant (the clock values after it
// as tooltip), the others grey; the locations visited red, the start bold
// with an entry arrow, the end doubly framed; the title gives the start and
// end valuations. Reports "<tool>: file <path> dumped"; a file that cannot
// be written ends the run (status 1).
void dot_write_run_on_model(const std::string &path, const lu::tables_view &view, const run::concrete_run &r);
