#include "varnok/varnok_options.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/util/fatal.h"
#include "common/util/my_files.h"
#include "common/util/suffix.h"
#include "varnok/varnok_help.h"
#include "varnok/varnok_usage.h"

extern int HASH_FCT;  // owned by the zone hash table

uint32_t OPT_SET = 0;
char param_names[MAX_PARAMS][PARAM_LEN + 1];
const char *param_texts[MAX_PARAMS];
int nb_param = 0;
char init_f_name[PARAM_LEN + 1];
char reach_f_name[PARAM_LEN + 1];
char out_f_name[PARAM_LEN + 1];
char form_name[PARAM_LEN + 1];
int FORWARD_ANALYSIS = 0;
int MAX_SYMB_STATES = 1000;
int MAX_SYMB_STATES_GIVEN = 0;
int MAX_STACK_SIZE = 1000;
int MAX_CONTROL_STATES = 2048;
int MAX_CONTROL_STATES_GIVEN = 0;
int COMPACT_TYPE = 1;
int16_t VAL = 1;
int MAX_FOUND_PATHS = 1;
int ALL_PATHS = 0;
int SEARCH_JOBS = 1;

static const char INIT_FILE[] = "_init.tctl";
static const char REACH_FILE[] = "_reach.tctl";
static const char OUT_FILE[] = "_out.tg";
static const char FORM_FILE[] = "_form.tctl";

// Formula texts of -INIT and -REACH, written once every option is known
// (the output prefix among them), in the order given.
static std::vector<std::pair<std::string, const char *>> pending_texts;
// The texts written so far by read_args, in order.
static std::vector<std::pair<std::string, std::string>> written_texts;

const std::vector<std::pair<std::string, std::string>> &formula_texts_written() { return written_texts; }

// Writes a formula text of the command line and notes it.
static void write_text(const char *text, const char *path) {
  on_line_to_file_formula(text, path);
  written_texts.emplace_back(path, text);
}

uint32_t is_option(uint32_t mask) { return OPT_SET & mask; }

void default_file_names() {
  strcpy(init_f_name, INIT_FILE);
  strcpy(reach_f_name, REACH_FILE);
  strcpy(out_f_name, OUT_FILE);
  strcpy(form_name, FORM_FILE);
}

void init_param_names(int count) {
  if (count > MAX_PARAMS) {
    printf("%s: too many parameters\n", tool);
    exit(1);
  }
  for (auto &p : param_names) p[0] = '\0';
  nb_param = 0;
}

[[noreturn]] static void usage_error() {
  usage();
  exit(-1);
}

// Names are kept in 64-byte buffers: a longer one is refused, never cut.
static void copy_name(char *dst, const char *src) {
  if (strlen(src) > static_cast<size_t>(PARAM_LEN))
    fatal(stderr, -1, "%s: parameter too long (at most %d characters): %s\n", tool, PARAM_LEN, src);
  strcpy(dst, src);
}

// Decimal conversion as the C library does it (sign, trailing garbage
// ignored, no digits gives 0), saturated to the int range.
static int to_number(const char *s) {
  errno = 0;
  long v = strtol(s, nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

static bool is_one_of(const char *arg, const char *a, const char *b = nullptr) {
  return strcmp(arg, a) == 0 || (b != nullptr && strcmp(arg, b) == 0);
}

struct SimpleOption {
  const char *name;
  uint32_t bits;
};

static const SimpleOption simple_options[] = {
    {"-verbose", OPT_VERBOSE}, {"-v", OPT_VERBOSE},     {"-history", OPT_HISTORY}, {"-h", OPT_HISTORY},
    {"-formula", OPT_FORMULA}, {"-f", OPT_FORMULA},     {"-compact", OPT_COMPACT}, {"-c", OPT_COMPACT},
    {"-forw", OPT_FORWARD},    {"-Act", OPT_ACTIVITY},  {"-ai", OPT_ABS_INCL},     {"-ac", OPT_ABS_HULL},
    {"-ax", OPT_ABS_XTRA},     {"-alu", OPT_ABS_LU},     {"-sd", OPT_SYNC_DIAG},  {"-se", OPT_SYNC_ENUM},    {"-DFS", OPT_DFS},
    {"-FULLDFS", OPT_DFS | OPT_FULLDFS}, {"-Inv", OPT_INV}, {"-allpaths", 0},      {"-back", 0},
    {"-run", OPT_RUN}, {"-dot", OPT_DOT}, {"-svg", OPT_SVG | OPT_RUN}, {"-reachable", OPT_REACHABLE}, {"-tck", OPT_TCK},
    {"-verdict", OPT_VERDICT}, {"-q", OPT_QUIET}, {"-stats", OPT_STATS}, {"-progress", OPT_PROGRESS},
};

// -prefix P: a file name part, put in front of every result file name.
static void set_prefix(const char *prefix) {
  if (prefix[0] == '\0' || strchr(prefix, '/') != nullptr)
    fatal(stderr, -1, "%s: -prefix takes a non-empty name without '/': %s\n", tool, prefix);
  char copy[PARAM_LEN + 1];
  copy_name(copy, prefix);
  set_output_prefix(copy);
}

// Returns the entry of a simple option, or null.
static const SimpleOption *find_simple(const char *arg) {
  for (const auto &o : simple_options)
    if (strcmp(arg, o.name) == 0) return &o;
  return nullptr;
}

int is_simple_option(const char *arg) {
  return find_simple(arg) != nullptr || strncmp(arg, "-ta", 3) == 0;
}

static void set_simple_option(const char *arg) {
  if (strncmp(arg, "-ta", 3) == 0) {
    OPT_SET |= OPT_TA;
    return;
  }
  if (strcmp(arg, "-allpaths") == 0) ALL_PATHS = 1;
  OPT_SET |= find_simple(arg)->bits;
}

static const char *const val_options[] = {"-step", "-s", "-FORW", "-STACK", "-CONTROL",
                                          "-H",    "-COMPACT", "-C", "-ALLPATHS"};

int is_option_w_val(const char *arg) {
  for (const char *o : val_options)
    if (strcmp(arg, o) == 0) return 1;
  return 0;
}

int set_option_w_val(const char *arg, const char *value) {
  int n = to_number(value);
  if (is_one_of(arg, "-step", "-s")) {
    OPT_SET |= OPT_STEP;
    VAL = static_cast<int16_t>(n);
    if (VAL == 0) VAL = 1;
  } else if (is_one_of(arg, "-FORW")) {
    OPT_SET |= OPT_FORWARD;
    MAX_SYMB_STATES = n < 1 ? 1000 : n;
    MAX_SYMB_STATES_GIVEN = 1;
  } else if (is_one_of(arg, "-STACK")) {
    OPT_SET |= OPT_DFS | OPT_STACK;
    MAX_STACK_SIZE = n < 1 ? 1000 : n;
  } else if (is_one_of(arg, "-CONTROL")) {
    MAX_CONTROL_STATES = n < 1 ? 5000 : n;
    MAX_CONTROL_STATES_GIVEN = 1;
  } else if (is_one_of(arg, "-H")) {
    OPT_SET |= OPT_HASH_STATS;
    HASH_FCT = n < 1 ? 1 : n;
  } else if (is_one_of(arg, "-COMPACT", "-C")) {
    COMPACT_TYPE = (n == 1 || n == 2) ? n : 1;
  } else if (is_one_of(arg, "-ALLPATHS")) {
    MAX_FOUND_PATHS = n < 1 ? 1000 : n;
  } else {
    return 0;
  }
  return 1;
}

static const char *const param_options[] = {"-abs", "-init", "-i",   "-INIT", "-I",  "-reach",
                                             "-r",   "-REACH", "-R", "-sync", "-out", "-prefix"};

int is_option_w_param(const char *arg) {
  for (const char *o : param_options)
    if (strcmp(arg, o) == 0) return 1;
  return 0;
}

int set_option_w_param(const char *arg, const char *parameter) {
  if (is_one_of(arg, "-abs")) {
    if (strcmp(parameter, "incl") == 0) OPT_SET |= OPT_ABS_INCL;
    else if (strcmp(parameter, "cvxhull") == 0) OPT_SET |= OPT_ABS_HULL;
    else if (strcmp(parameter, "xtra") == 0) OPT_SET |= OPT_ABS_XTRA;
    else if (strcmp(parameter, "lu") == 0) OPT_SET |= OPT_ABS_LU;
    else return 0;
  } else if (is_one_of(arg, "-sync")) {
    if (strcmp(parameter, "diag") == 0) OPT_SET |= OPT_SYNC_DIAG;
    else if (strcmp(parameter, "enum") == 0) OPT_SET |= OPT_SYNC_ENUM;
    else return 0;
  } else if (is_one_of(arg, "-init", "-i")) {
    copy_name(init_f_name, parameter);
    OPT_SET |= OPT_INIT;
  } else if (is_one_of(arg, "-INIT", "-I")) {
    pending_texts.emplace_back(parameter, INIT_FILE);
    strcpy(init_f_name, INIT_FILE);
    OPT_SET |= OPT_INIT;
  } else if (is_one_of(arg, "-reach", "-r")) {
    copy_name(reach_f_name, parameter);
    OPT_SET |= OPT_REACH | OPT_FORWARD;
  } else if (is_one_of(arg, "-REACH", "-R")) {
    pending_texts.emplace_back(parameter, REACH_FILE);
    strcpy(reach_f_name, REACH_FILE);
    OPT_SET |= OPT_REACH | OPT_FORWARD;
  } else if (is_one_of(arg, "-prefix")) {
    set_prefix(parameter);
  } else if (is_one_of(arg, "-out")) {
    copy_name(out_f_name, parameter);
    delete_suffix(out_f_name, ".tg");
  } else {
    return 0;
  }
  return 1;
}

// -j N: a whole number of threads, 0 (one per core) to MAX_SEARCH_JOBS.
static void set_jobs(const char *value) {
  const size_t digits = strspn(value, "0123456789");
  if (digits == 0 || value[digits] != '\0' || digits > 3 || atoi(value) > MAX_SEARCH_JOBS)
    fatal(stderr, -1, "%s: -j takes a number of threads from 0 (one per core) to %d: %s\n", tool, MAX_SEARCH_JOBS,
          value);
  SEARCH_JOBS = atoi(value);
  OPT_SET |= OPT_JOBS;
}

void read_args(int count, char **args) {
  init_param_names(count);
  SEARCH_JOBS = 1;
  pending_texts.clear();
  written_texts.clear();
  if (count == 0) usage_error();
  int files = 0;
  for (int k = 0; k < count; k++) {
    const char *arg = args[k];
    if (arg[0] != '-') {
      // The length is checked once it is known whether this is a name or a formula text.
      snprintf(param_names[files], PARAM_LEN + 1, "%s", arg);
      param_texts[files++] = arg;
    } else if (is_simple_option(arg)) {
      set_simple_option(arg);
    } else if (strcmp(arg, "-j") == 0) {
      if (k + 1 >= count) {
        name_missing_value(arg);
        usage_error();
      }
      set_jobs(args[++k]);
    } else if (is_option_w_val(arg)) {
      if (k + 1 >= count) {
        name_missing_value(arg);
        usage_error();
      }
      name_bad_number(arg, args[k + 1]);
      if (!set_option_w_val(arg, args[k + 1])) usage_error();
      k++;
    } else if (is_option_w_param(arg)) {
      if (k + 1 >= count) {
        name_missing_value(arg);
        usage_error();
      }
      if (!set_option_w_param(arg, args[k + 1])) {
        name_bad_parameter(arg, args[k + 1]);
        usage_error();
      }
      k++;
    } else {
      name_unknown_option(arg);
      usage_error();
    }
  }
  nb_param = files;
  // Depth-first order is one thread's order.
  if (is_option(OPT_DFS) && SEARCH_JOBS != 1)
    fatal(stderr, -1, "%s: -DFS, -FULLDFS and -STACK search on one thread: leave out -j or give -j 1\n", tool);
  for (const auto &t : pending_texts) write_text(t.first.c_str(), t.second);
  pending_texts.clear();
  FORWARD_ANALYSIS = is_option(OPT_FORWARD) ? 1 : 0;
  if (is_option(OPT_REACH) && !is_option(OPT_INIT)) {
    write_text("init", INIT_FILE);
    strcpy(init_f_name, INIT_FILE);
    OPT_SET |= OPT_INIT;
  }
  if (is_option(OPT_DFS) && !is_option(OPT_REACH)) {
    name_search_without_goal();
    usage_error();
  }
}

void check_file_param(int i) {
  if (strlen(param_texts[i]) > static_cast<size_t>(PARAM_LEN)) copy_name(param_names[i], param_texts[i]);
}

void on_line_to_file_formula(const char *text, const char *path) {
  const std::string name = result_path(path);
  FILE *f = open_output_or_exit(name.c_str(), "w", 1);
  fprintf(f, "%s\n", text);
  close_output(f);
  printf("%s: file %s created\n", tool, name.c_str());
}
