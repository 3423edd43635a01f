// Fallback definitions of the model globals used by the formula modules, for
// programs and tests linked without the zone, region and timed-graph
// modules. They are weak: the owning modules' definitions win when linked in.
#include "common/tctl/tctl_tg_link.h"

[[gnu::weak]] uint16_t N_OF_EXTRA_CLOCKS = 0;
[[gnu::weak]] int RESIZE_REGIONS = 0;
[[gnu::weak]] int tctl_extra_clocks() { return N_OF_EXTRA_CLOCKS; }
