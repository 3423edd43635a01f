// Name, banner values and option word of the clock-reduction tool.
#pragma once

#include <cstdint>

// tool ("clockpare") is declared in common/util/my_files.h.
extern const char Version[];
extern const char Release[];
extern const char Arch[];
extern const char Date[];

// The option word (bits in clockpare_options.h); starts with the activity
// and equality analyses on.
extern uint32_t OPT_SET;
