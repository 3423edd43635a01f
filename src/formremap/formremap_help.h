#pragma once
// The long help (--help) of formremap on standard output; the short usage
// line and the -h help are formremap_options'.

void print_formremap_long_help();
