// Name, option word and option letters of the formula renaming tool.
//
// The tool speaks with its own name ("formremap"); its option word starts
// empty and knows one bit, OPT_PRINT_REN (letter r).
#pragma once

#include <cstdint>

// Banner values.
extern const char Version[];
extern const char Release[];
extern const char Arch[];
extern const char Date[];

// 1 when arg is '-' followed only by the letters h and r (a lone "-"
// included), else 0. arg must start with '-'.
int is_formremap_option(const char *arg);
// Applies the letters of a valid group from left to right: r sets
// OPT_PRINT_REN, h prints the help text and exits with status 1.
void set_formremap_options(const char *arg);
// "usage: <tool> [-h] [-r] file[.tctl] file[.opt]\n" on standard output.
void print_formremap_usage();
// The usage line and the two help lines on standard output.
void print_formremap_help();
