// Fallback definitions of the timed-graph globals used by the formula
// modules, for programs and tests linked without the timed-graph tables.
// They are weak: the tables' own definitions win when they are linked in.
#include "common/tctl/tctl_tg_link.h"

[[gnu::weak]] uint16_t N_OF_EXTRA_CLOCKS = 0;
[[gnu::weak]] int RESIZE_REGIONS = 0;
[[gnu::weak]] int tctl_extra_clocks() { return N_OF_EXTRA_CLOCKS; }
