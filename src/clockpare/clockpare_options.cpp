#include "clockpare/clockpare_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/util/my_files.h"

static const char OPTION_LETTERS[] = "AESadeghlrs";

uint32_t is_option(uint32_t mask) { return OPT_SET & mask; }

int is_simple_option(const char *arg) {
  for (const char *c = arg + 1; *c != '\0'; c++)
    if (strchr(OPTION_LETTERS, *c) == nullptr) return 0;
  return 1;
}

void set_simple_options(const char *arg) {
  for (const char *c = arg + 1; *c != '\0'; c++) {
    switch (*c) {
      case 'h':
        print_help();
        exit(1);
      case 's':
      case 'S': OPT_SET |= OPT_SIM; break;
      case 'l': OPT_SET |= OPT_LINEAR; break;
      case 'a': OPT_SET |= OPT_PRINT_ACT; break;
      case 'e': OPT_SET |= OPT_PRINT_EQU; break;
      case 'r': OPT_SET |= OPT_PRINT_REN; break;
      case 'g': OPT_SET |= OPT_GEN_TG; break;
      case 'A': OPT_SET &= ~OPT_ACTIVITY; break;
      case 'E': OPT_SET &= ~OPT_EQUALITY; break;
      case 'd': OPT_SET |= OPT_ACT_INIT; break;
      default: break;
    }
  }
}

void print_usage() { printf("usage: %s [-h] [-s] [-aergAE] file[.tg]\n", tool); }

void print_help() {
  print_usage();
  fputs("\t\t -h: print this information and exit\n", stdout);
  fputs("\t\t -s: consider the timed graph a simulation graph\n", stdout);
  fputs("\t\t -l: consider linear relations between clocks\n", stdout);
  fputs("\t\t -a: print the activity table\n", stdout);
  fputs("\t\t -e: print the equality table\n", stdout);
  fputs("\t\t -r: print the local renamings\n", stdout);
  fputs("\t\t -g: generate the optimized timed graph\n", stdout);
  fputs("\t\t -A: compute the renaming without activity\n", stdout);
  fputs("\t\t -E: compute the renaming without equality\n", stdout);
}
