// Entry of the formula renaming tool: checks a formula's syntax, reads the
// clock renaming that the clock-reduction tool wrote for a model and, on
// request, lists it.
#pragma once

// File parameters (the formula, then the renaming) and their number.
extern char *param_names[2];
extern int nb_param;

// Parses name.tctl (the ".tctl" suffix taken off name in place, which makes
// it the current model name; its base copied into base, which may be name)
// with its unmatched characters going to the .err file. Removes the .err file
// and returns 1 when the formula is good; otherwise prints "syntax error:
// file <base>.err dumped" and exits with 1, leaving the file. A file that
// cannot be opened ends the process with 1 as well.
int construct_formula(char *name, char *base);
// Reads the arguments after the program name: option groups into OPT_SET,
// the rest into param_names. A bad group or a third file parameter prints
// the usage line and exits with -1.
void read_args(int count, char **args);
