// The entry of the model checker. main is its only function; the formula
// helpers that its runs use are declared in varnok_formula.h, included
// here for the code that reaches them through this header.
#pragma once

#include "varnok/varnok_formula.h"
