// The runs the model checker dispatches to: on one timed graph
// (varnok_single) and on several (varnok_multiple).
#pragma once

#include "varnok/varnok_multiple.h"
#include "varnok/varnok_single.h"
