// Model globals that the formula parser and the formula driver touch:
// N_OF_EXTRA_CLOCKS belongs to the zone module, RESIZE_REGIONS to the
// regions and tctl_extra_clocks to the timed-graph tables.
#pragma once

#include "common/region/region.h"
#include "common/tg/tg_global.h"
#include "common/zone/zone.h"
