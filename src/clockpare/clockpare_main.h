// Entry of the clock-reduction tool.
#pragma once

// File parameters of the command line (at most two are kept; exactly one is
// accepted) and their number.
extern char *param_names[2];
extern int nb_param;

// Reads the `count` arguments `args` after the program name: option groups
// into OPT_SET, the rest into param_names. No argument, a third file
// parameter or a bad option group prints the usage line and exits with -1.
void read_args(int count, char **args);
// The activity and equality fix-point times framed by dash lines.
void print_computation_times();
