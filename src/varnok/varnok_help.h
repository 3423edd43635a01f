#pragma once
// The long help (--help) and the version line (--version) of varnok; both
// print on standard output. The short usage text is varnok_usage's.

// Prints every option, grouped by what it is for.
void print_long_help();

// One line on standard error that names what is wrong with the command
// line, printed before the usage text (or, for a number that is not one,
// before the run goes on with the value the conversion gives).
void name_unknown_option(const char *arg);
void name_missing_value(const char *option);
void name_bad_parameter(const char *option, const char *parameter);
void name_search_without_goal();
// Names a value of a numeric option that is not a decimal number (no
// digits, or something after them); a number, even one below 1, is quiet.
void name_bad_number(const char *option, const char *value);
