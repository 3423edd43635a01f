#pragma once
// The long help (--help) of clockpare on standard output; the short usage
// line and the -h help are clockpare_options'.

void print_clockpare_long_help();
