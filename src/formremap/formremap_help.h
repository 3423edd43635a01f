#pragma once
// The long help (--help) of formremap on standard output; the short usage
// line and the -h help are formremap_options'.

void print_formremap_long_help();

// 1 when args hold --help, 2 when they hold --version (the first one
// given wins), 0 otherwise.
int formremap_help_request(int count, char **args);
