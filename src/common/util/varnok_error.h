// Numbered warnings and errors of the timed-graph parser and the evaluator.
#pragma once

// Prints message `code` on standard error, prefixed by `tool`. The further
// integer arguments end with -1. Never exits: the caller decides.
void printerr(int code, ...);
