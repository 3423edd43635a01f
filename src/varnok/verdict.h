// The answer of a run in a form a script can read (-verdict), a quiet mode
// (-q) and the run's figures (-stats).
//
// Under -verdict a run that answers a question prints, last on standard
// output, one line: "REACHABLE true|false", "HOLDS true|false" or
// "UNKNOWN" (a search stopped at a limit), and ends with status 0 (true),
// 1 (false), 3 (unknown) or 2 (any error, whatever ends the process).
// Under -stats the figures noted by the run follow, one "key value" line each.
#pragma once

#include <string>

namespace verdict {

// Reads -verdict, -q and -stats from the arguments before anything is
// printed (the banner is already quiet under -q), and arranges that an exit
// before the run's end gives status 2 under -verdict. Call first in main.
void start(int argc, char **argv);

// The run's answer: 1 true, 0 false, -1 unknown (a limit stopped it).
void reachable(int answer);
void holds(int answer);

// The answer of a formula decided backwards under -forw (see
// verdict_holds.h): later holds() calls of the forward fragment leave it.
void holds_decided_backwards(int answer);

// A search stopped at its limit and ends the process: under -verdict the
// run ends here with its verdict (UNKNOWN for a search, the formula's
// verdict when it was decided backwards) and its status; else returns.
void stopped_at_limit();

// Notes a figure for -stats (the last value noted for a key wins).
void stat(const char *key, long long value);

// Adds value to a figure for -stats that sums over the run (the iterations
// of every fix-point, nested ones included).
void add_stat(const char *key, long long value);

// The end of main: completed when the run did its job, status what it ends
// with today. Prints the verdict line and the figures and returns the status
// to end with.
int finish(bool completed, int status);

}  // namespace verdict
