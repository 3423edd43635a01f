// Progress lines of long searches and fix-points: after two seconds, one
// line every two seconds on standard error ("varnok: 1.2M stored, 0.4M
// waiting, 2.1M explored, 180k/s, 410 MB"), overwritten in place when
// standard error is a terminal. Shown on a terminal (unless -q) and with
// -progress; never otherwise, so that logs and tests stay exact. The
// options are read from the run context at the first step, which comes
// after main has filled it.
#pragma once

#include <cstdint>

namespace progress {

// One step of a search: the counts now. Cheap: a counter, and the clock
// once every 4096 steps.
void step(long long stored, long long waiting, long long explored);

// One iteration of a fix-point (its number), with the zones of its set.
void iteration(int n);

// Ends a line left in place on the terminal; nothing when none was printed.
void done();

}  // namespace progress
