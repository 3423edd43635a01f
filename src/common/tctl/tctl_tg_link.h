// Globals of the timed-graph tables that the formula parser and the formula
// driver touch. They belong to the timed-graph tables; this header only
// repeats their declarations so that the formula modules need nothing else
// from them.
#pragma once

#include <cstdint>

// Extra clocks that the current formula's timed operators need (0, 1 or 2).
extern uint16_t N_OF_EXTRA_CLOCKS;
// 1 when the regions must be read again with room for the extra clocks.
extern int RESIZE_REGIONS;
// Returns N_OF_EXTRA_CLOCKS.
int tctl_extra_clocks();
