// Entry helpers of the model checker.
#pragma once

// Strips ".tctl" from `name` in place, copies the base name into `base` and
// into my_filename; returns 1 when base.tctl can be opened for reading.
int is_formula_filename(char *name, char *base);
