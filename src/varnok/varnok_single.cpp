#include "varnok/varnok_runs.h"

int one_tg() { not_available("compiling a timed graph"); }
int evaluate_formula_tg(char *, char *) { not_available("evaluating a formula"); }
