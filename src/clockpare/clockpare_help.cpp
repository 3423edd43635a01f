#include "clockpare/clockpare_help.h"

#include <cstdio>

// Every option, one per line; the man page lists the same (a test compares
// them). Letters may be grouped in one argument: -aer is -a -e -r.
static const char help_text[] =
    "usage: clockpare [-h] [-s] [-aergAE] file[.tg]\n"
    "       clockpare --help | --version\n"
    "\n"
    "Reduces the clocks of a timed graph location by location: active and equal\n"
    "clocks, a renaming written to file.opt. Option letters may be grouped (-aer).\n"
    "\n"
    "Models:\n"
    "  -s, -S      consider the timed graph a simulation graph\n"
    "  -l          consider linear relations between clocks (no effect)\n"
    "\n"
    "Analyses:\n"
    "  -A          compute the renaming without activity (every clock active)\n"
    "  -E          compute the renaming without equality (no clocks merged)\n"
    "\n"
    "Output:\n"
    "  -a          write the activity table (file.act)\n"
    "  -d          write the initial activity sets (file.act.init)\n"
    "  -e          write the equality table (file.equ)\n"
    "  -r          write the local renamings (file.ren)\n"
    "  -g          write the reduced timed graph (file.opt.tg)\n"
    "  -h          print the short help and exit (status 1)\n"
    "  --help      print this help\n"
    "  --version   print the version\n"
    "\n"
    "Exit status: 0 done, 1 a model that cannot be read or compiled (or -h),\n"
    "255 a usage error. See clockpare(1).\n";

void print_clockpare_long_help() { fputs(help_text, stdout); }
