#include "varnok/varnok_help.h"

#include <cstdio>
#include <cstring>

#include "common/util/my_files.h"


// Every option of every run, one per line ("  spellings  what it does"),
// grouped; the man page lists the same options (a test compares them).
static const char help_text[] =
    "usage: varnok [options] model[.tg] [model2[.tg] ...] [formula[.tctl] | \"text\"]\n"
    "       varnok --help | --version\n"
    "\n"
    "Runs: one model compiles it; a formula file (or -f and a text) evaluates it\n"
    "backwards; -forw builds the simulation graph; -r/-R searches forward for a goal;\n"
    "several models are composed by label synchronisation.\n"
    "\n"
    "Models:\n"
    "  -compact, -c          also write the compiled listing model.cpt\n"
    "  -Act                  optimise resets with respect to clock activity\n"
    "  -ta...                run the external command \"reducto -l model\" after compiling\n"
    "  -sync diag, -sd       include diagonals in label synchronisation\n"
    "  -sync enum, -se       synchronise by enumerating transitions\n"
    "  -out NAME             name of the written product (default _out.tg)\n"
    "  -tck                  write the models as one model with data, NAME.tck (_out.tck)\n"
    "  -CONTROL N            most control locations of a product (default 2048; below 1: 5000)\n"
    "\n"
    "Questions:\n"
    "  -formula, -f          the last parameter is a formula text, not a file\n"
    "  -back                 backward evaluation of the formula (the default)\n"
    "  -init FILE, -i FILE   initial states: the states of a formula file\n"
    "  -INIT TEXT, -I TEXT   as -i, the formula given as text (written to _init.tctl)\n"
    "  -reach FILE, -r FILE  forward search for the states of a formula file\n"
    "  -REACH TEXT, -R TEXT  as -r, the formula given as text (written to _reach.tctl)\n"
    "  -Inv                  initial clock values anywhere in the invariant (default 0)\n"
    "  -step N, -s N         fix-point step for AD formulas (default 1; 0 gives 1)\n"
    "\n"
    "Searches and abstractions:\n"
    "  -forw                 forward analysis: simulation graph, forward formulas\n"
    "  -DFS                  depth-first search (needs -r or -R)\n"
    "  -FULLDFS              exhaustive depth-first search, visited states again (needs -r or -R)\n"
    "  -abs xtra, -ax        extrapolation abstraction\n"
    "  -abs incl, -ai        inclusion abstraction\n"
    "  -abs cvxhull, -ac     convex-hull abstraction\n"
    "  -abs lu, -alu         lower/upper bounds per location, inclusion between zones,\n"
    "                        no state limit unless -FORW is given\n"
    "  -j N                  the -abs lu search on N threads (0: one per core;\n"
    "                        not with -DFS, -FULLDFS or -STACK)\n"
    "  -reachable            decide a formula on the reachable part found by -abs lu\n"
    "\n"
    "Evidence:\n"
    "  -allpaths             keep searching and write every trace found\n"
    "  -ALLPATHS N           stop after N traces (default 1; below 1: 1000)\n"
    "  -run                  also write the witness as a concrete timed run (_run.reach)\n"
    "  -dot                  also write DOT pictures of the models, graphs and run\n"
    "  -svg                  also draw the run as a timing diagram (_run.svg; implies -run)\n"
    "\n"
    "Output:\n"
    "  -verdict              one last line REACHABLE true|false, HOLDS true|false or\n"
    "                        UNKNOWN; status 0 true, 1 false, 3 unknown, 2 error\n"
    "  -q                    print only the verdict line, warnings and errors\n"
    "  -stats                key-value statistics after the verdict\n"
    "  -progress             progress lines on standard error every 2 s\n"
    "  -verbose, -v          progress information\n"
    "  -history, -h          fix-point information (formula.log)\n"
    "  -prefix P             put P in front of the name of every result file\n"
    "  -COMPACT N, -C N      compaction of a result: 1 convex hulls (default), 2 differences\n"
    "  -H N                  hash function N (default 1) and hash statistics (hash_stat.N)\n"
    "  --help                print this help\n"
    "  --version             print the version\n"
    "\n"
    "Limits:\n"
    "  -FORW N               forward analysis limited to N symbolic states (default 1000;\n"
    "                        below 1: 1000)\n"
    "  -STACK N              depth-first search with stack depth N (needs -r or -R;\n"
    "                        below 1: 1000)\n"
    "\n"
    "Exit status: 1 when a run completes or fails with a message, 255 for a usage\n"
    "error, 0 for options alone; with -verdict as given there. See varnok(1).\n";

void print_long_help() { fputs(help_text, stdout); }

void name_unknown_option(const char *arg) { fprintf(stderr, "%s: unknown option %s\n", tool, arg); }

void name_missing_value(const char *option) { fprintf(stderr, "%s: %s needs a value\n", tool, option); }

void name_bad_parameter(const char *option, const char *parameter) {
  const char *choices = strcmp(option, "-abs") == 0 ? "xtra, incl, cvxhull or lu" : "diag or enum";
  fprintf(stderr, "%s: %s takes %s, not %s\n", tool, option, choices, parameter);
}

void name_search_without_goal() {
  fprintf(stderr, "%s: -DFS, -FULLDFS and -STACK need a goal (-r or -R)\n", tool);
}

// A decimal number as the conversion reads it in full: blanks, a sign,
// at least one digit, nothing after.
static bool is_whole_number(const char *s) {
  while (*s == ' ' || (*s >= '\t' && *s <= '\r')) s++;
  if (*s == '+' || *s == '-') s++;
  if (*s < '0' || *s > '9') return false;
  while (*s >= '0' && *s <= '9') s++;
  return *s == '\0';
}

void name_bad_number(const char *option, const char *value) {
  if (is_whole_number(value)) return;
  const char *wanted = (strcmp(option, "-COMPACT") == 0 || strcmp(option, "-C") == 0) ? "1 or 2" : "a positive number";
  fprintf(stderr, "%s: %s needs %s, not %s\n", tool, option, wanted, value);
}
