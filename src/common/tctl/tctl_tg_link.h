// Model globals that the formula parser and the formula driver touch:
// N_OF_EXTRA_CLOCKS belongs to the zone module (common/zone/zone.h),
// RESIZE_REGIONS to the regions (common/region/region.h) and
// tctl_extra_clocks to the timed-graph tables (common/tg/tg_global.h). This
// header repeats only these declarations, so that the formula modules need
// nothing else from those modules.
#pragma once

#include <cstdint>

// Extra clocks that the current formula's timed operators need (0, 1 or 2).
extern uint16_t N_OF_EXTRA_CLOCKS;
// 1 when the regions must be read again with room for the extra clocks.
extern int RESIZE_REGIONS;
// Returns N_OF_EXTRA_CLOCKS.
int tctl_extra_clocks();
