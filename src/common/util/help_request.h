#pragma once
// The two long options that every program of the suite answers before it
// reads its command line: --help and --version.

enum class HelpRequest { none, help, version };

// What args ask for: --help or --version anywhere among them (the first
// one given wins), or neither.
HelpRequest help_request(int count, char **args);
