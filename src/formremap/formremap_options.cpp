#include "formremap/formremap_options.h"

#include <cstdio>
#include <cstdlib>

#include "clockpare/clockpare_options.h"
#include "common/util/my_files.h"

const char *tool = "formremap";
const char Version[] = "2.4";
const char Release[] = ".3";
const char Arch[] = "i686";
const char Date[] = VARNOK_BUILD_DATE;

uint32_t OPT_SET = 0;

int is_formremap_option(const char *arg) {
  for (const char *c = arg + 1; *c != '\0'; c++)
    if (*c != 'h' && *c != 'r') return 0;
  return 1;
}

void set_formremap_options(const char *arg) {
  for (const char *c = arg + 1; *c != '\0'; c++) {
    if (*c == 'r') OPT_SET |= OPT_PRINT_REN;
    if (*c == 'h') {
      print_formremap_help();
      exit(1);
    }
  }
}

void print_formremap_usage() { printf("usage: %s [-h] [-r] file[.tctl] file[.opt]\n", tool); }

void print_formremap_help() {
  print_formremap_usage();
  fputs("\t\t -h: print this information and exit\n", stdout);
  fputs("\t\t -r: print the new renaming\n", stdout);
}
