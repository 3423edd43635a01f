// clockpare: reduces the clocks of a timed graph location by location.
#include "clockpare/clockpare_main.h"

#include <cstdio>
#include <cstdlib>

#include "clockpare/activ.h"
#include "clockpare/clockpare_constants.h"
#include "clockpare/clockpare_error.h"
#include "clockpare/clockpare_help.h"
#include "clockpare/clockpare_options.h"
#include "clockpare/equal.h"
#include "clockpare/optim.h"
#include "common/tg/varnok_init.h"
#include "common/tg/varnok_mk_vnk.h"
#include "common/util/help_request.h"
#include "common/util/my_files.h"
#include "common/util/stattime.h"

char *param_names[2] = {nullptr, nullptr};
int nb_param = 0;

[[noreturn]] static void usage_error() {
  print_usage();
  exit(-1);
}

void read_args(int count, char **args) {
  if (count == 0) usage_error();
  for (int i = 0; i < count; i++) {
    char *arg = args[i];
    if (arg[0] == '-') {
      if (!is_simple_option(arg)) {
        fprintf(stderr, "%s: unknown option %s\n", tool, arg);
        usage_error();
      }
      set_simple_options(arg);
    } else {
      if (nb_param == 2) usage_error();
      param_names[nb_param++] = arg;
    }
  }
}

void print_computation_times() {
  printf("\n%s\n", dash_line);
  if (time_num(1) > 0)
    printf("%s: activity fixpoint : system %7.3fs * user %7.3fs * #iterations %d\n", tool, time_sys(1), time_usr(1),
           get_nb_act_iter());
  if (time_num(2) > 0)
    printf("%s: equality fixpoint : system %7.3fs * user %7.3fs * #iterations %d\n", tool, time_sys(2), time_usr(2),
           get_nb_equ_iter());
  printf("%s\n", dash_line);
}

// Compiles the model when its compiled files are stale, then loads them.
static void load_model(char *name) {
  my_basename(name, ".tg");
  if (!mk_vnk()) exit(1);
  FILE *vnk = my_fopen2(".vnk", "rb");
  init_tg();
  fclose(vnk);
}

static void write_listings() {
  if (is_option(OPT_PRINT_ACT)) {
    FILE *f = my_fopen2_output(".act", "w");
    fprint_activity_stats(f);
    fprint_activity_sets(f);
    close_output(f);
    printf("%s: file %s.act dumped\n", tool, my_filename);
  }
  if (is_option(OPT_PRINT_EQU)) {
    FILE *f = my_fopen2_output(".equ", "w");
    fprint_equality_rels(f);
    close_output(f);
    printf("%s: file %s.equ dumped\n", tool, my_filename);
  }
  if (is_option(OPT_PRINT_REN)) {
    FILE *f = my_fopen2_output(".ren", "w");
    fprint_renaming_stats(f);
    fprint_renaming(f, clock_ren_table);
    close_output(f);
    printf("%s: file %s.ren dumped\n", tool, my_filename);
  }
}

int main(int argc, char **argv) {
  catch_out_of_memory();
  setbuf(stdout, nullptr);
  const HelpRequest asked = help_request(argc - 1, argv + 1);
  if (asked == HelpRequest::help) {
    print_clockpare_long_help();
    return 0;
  }
  printf("%s: release %s%s (%s) date %s\n", tool, Version, Release, Arch, Date);
  if (asked == HelpRequest::version) return 0;
  read_args(argc - 1, argv + 1);
  if (nb_param != 1) usage_error();
  load_model(param_names[0]);
  optim_tg();
  write_listings();
  print_computation_times();
  print_optim_results();
  FILE *opt = create_output_file(".opt");
  fprint_optim(opt, clock_ren_table);
  close_output(opt);
  if (is_option(OPT_GEN_TG)) print_opt_tg(create_output_file(".opt.tg"));
  return 0;
}
