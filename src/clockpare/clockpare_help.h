#pragma once
// The long help (--help) of clockpare on standard output; the short usage
// line and the -h help are clockpare_options'.

void print_clockpare_long_help();

// 1 when args hold --help, 2 when they hold --version (the first one
// given wins), 0 otherwise.
int clockpare_help_request(int count, char **args);
