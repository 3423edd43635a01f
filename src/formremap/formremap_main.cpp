// formremap: checks a formula and reads, and on request lists, the clock
// renaming of the model it is written for.
#include "formremap/formremap_main.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "clockpare/clockpare_options.h"
#include "clockpare/optim.h"
#include "common/tctl/tctl_main.h"
#include "common/tg/varnok_init.h"
#include "common/tg/varnok_mk_vnk.h"
#include "common/util/help_request.h"
#include "common/util/my_files.h"
#include "common/util/source_lines.h"
#include "common/zone/zone.h"
#include "formremap/formremap_help.h"
#include "formremap/formremap_options.h"

char *param_names[2] = {nullptr, nullptr};
int nb_param = 0;

[[noreturn]] static void usage_error() {
  print_formremap_usage();
  exit(-1);
}

void read_args(int count, char **args) {
  for (int i = 0; i < count; i++) {
    char *arg = args[i];
    if (arg[0] == '-') {
      if (!is_formremap_option(arg)) {
        fprintf(stderr, "%s: unknown option %s\n", tool, arg);
        usage_error();
      }
      set_formremap_options(arg);
    } else {
      if (nb_param == 2) usage_error();
      param_names[nb_param++] = arg;
    }
  }
}

int construct_formula(char *name, char *base) {
  my_basename(name, ".tctl");
  if (base != my_filename) memmove(base, my_filename, strlen(my_filename) + 1);
  FILE *in = my_fopen(".tctl", "r");
  if (in == nullptr) {
    printf("%s: cannot open file %s.tctl\n", tool, my_filename);
    exit(1);
  }
  FILE *err = my_fopen_output(".err", "w");
  if (err == nullptr) {
    printf("%s: cannot open file %s.err\n", tool, my_filename);
    exit(1);
  }
  // A syntax error is reported by the parser on standard error; the .err
  // file, which receives what the scanner cannot read, then stays.
  set_error_source((std::string(my_filename) + ".tctl").c_str(), tctl_yylineno);
  int failed = tctl_parse_formula(in, err);
  set_error_source(nullptr);
  fclose(in);
  if (failed || ftell(err) != 0) {
    close_output(err);
    printf("%s: syntax error: file %s.err dumped\n", tool, my_filename);
    exit(1);
  }
  discard_output(err);
  my_unlink(".err");
  return 1;
}

// The counts and clock names of the renaming come from the model it bears
// the name of: its compiled files, made again from its .tg file when stale.
// The formula's extra clocks do not belong to the model.
static void load_model() {
  N_OF_EXTRA_CLOCKS = 0;
  if (!mk_vnk()) exit(1);
  init_tg();
}

// Reads the renaming into clock_ren_table, where it stays until exit.
static void read_renaming(char *name) {
  my_basename(name, ".opt");
  FILE *opt = my_fopen2(".opt", "rb");
  load_model();
  clock_renaming_table table = fread_optim(opt);
  fclose(opt);
  if (table == nullptr) {
    printf("%s: bad format file %s.opt\n", tool, my_filename);
    exit(1);
  }
  clock_ren_table = table;
}

int main(int argc, char **argv) {
  catch_out_of_memory();
  setbuf(stdout, nullptr);
  const HelpRequest asked = help_request(argc - 1, argv + 1);
  if (asked == HelpRequest::help) {
    print_formremap_long_help();
    return 0;
  }
  printf("%s: release %s%s (%s) date %s\n", tool, Version, Release, Arch, Date);
  if (asked == HelpRequest::version) return 0;
  read_args(argc - 1, argv + 1);
  if (nb_param != 2) usage_error();
  construct_formula(param_names[0], param_names[0]);
  read_renaming(param_names[1]);
  if (!is_option(OPT_PRINT_REN)) return 0;
  FILE *ren = my_fopen2_output(".ren", "w");
  fprint_renaming(ren, clock_ren_table);
  close_output(ren);
  printf("%s: file %s.ren dumped\n", tool, my_filename);
  return 0;
}
