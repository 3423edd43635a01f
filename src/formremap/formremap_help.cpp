#include "formremap/formremap_help.h"

#include <cstdio>

// Every option, one per line; the man page lists the same (a test compares
// them).
static const char help_text[] =
    "usage: formremap [-h] [-r] file[.tctl] file[.opt]\n"
    "       formremap --help | --version\n"
    "\n"
    "Checks the formula file.tctl and reads the clock renaming file.opt that\n"
    "clockpare wrote for its model (the model is compiled again when stale).\n"
    "\n"
    "Output:\n"
    "  -r          write the renaming (file.ren, named after the .opt file)\n"
    "  -h          print the short help and exit (status 1)\n"
    "  --help      print this help\n"
    "  --version   print the version\n"
    "\n"
    "Exit status: 0 done, 1 a formula or renaming that cannot be read (or -h),\n"
    "255 a usage error. See formremap(1).\n";

void print_formremap_long_help() { fputs(help_text, stdout); }
