// The timing diagram of a concrete run (-svg): plain SVG, one lane per
// automaton showing its location over the run, each transition a mark on
// the lanes of the automata that take it at its instant, the clock values
// at each moment on hover (<title>), and a time axis with the exact
// instants.
//
// The moments of the run are spread evenly along the picture, one column
// per transition, not in proportion to time: hundreds of steps inside one
// time unit stay apart. The geometry is written on the root element
// (data-left, data-column, data-top, data-lane: the x of the start, the
// width of a column, the y of the first lane and the height of a lane), so
// that a reader can find the mark of step i on lane a at x = left + (i + 1)
// * column, y = top + (a + 1/2) * lane.
#pragma once

#include <cstdio>
#include <string>

#include "varnok/concrete_run.h"
#include "varnok/tables_view.h"

namespace run {

// The SVG text of r, a run over the tables of view.
void write_svg(FILE *f, const lu::tables_view &view, const concrete_run &r);

}  // namespace run
