// Fuzz target of the backward evaluator: a timed graph, a separator line
// "----" and a TCTL formula. The model is compiled, the formula parsed, and
// the formula evaluated, compacted and written to the .eval file as a run
// "varnok model formula" does, then once more from the written .eval text
// read back as the model's compiled files. Letters after "----" choose
// options: f forward evaluation (-forw), s a step of 2 (-s 2), k the
// second compaction (-C 2), h the history file (-h), v the trace (-v).
// Models over a few locations, transitions and clocks, and constants over
// a dozen, are refused before anything runs.
#include <cstdint>
#include <cstring>
#include <string>

#include "common/tctl/tctl_main.h"
#include "common/util/my_files.h"
#include "support/engine_reset.h"
#include "support/fuzz_support.h"
#include "support/good_model.h"
#include "varnok/varnok_options.h"
#include "varnok/varnok_runs.h"

const char *tool = "varnok";

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz::set_refusal_cleanup(fuzz::reset_engines);
  fuzz::check_good_model();
  return 0;
}

static void set_options(const std::string &flags) {
  for (char c : flags) {
    if (c == 'f') OPT_SET |= OPT_FORWARD;
    if (c == 's') {
      OPT_SET |= OPT_STEP;
      VAL = 2;
    }
    if (c == 'k') COMPACT_TYPE = 2;
    if (c == 'h') OPT_SET |= OPT_HISTORY;
    if (c == 'v') OPT_SET |= OPT_VERBOSE;
  }
  FORWARD_ANALYSIS = is_option(OPT_FORWARD) ? 1 : 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::good_model_after_input recheck;
  if (size > 4096) return 0;
  std::vector<fuzz::part> parts = fuzz::split_parts(data, size, 2);
  if (parts.size() != 2) return 0;
  const std::string &model = parts[0].text, &formula = parts[1].text;
  if (!fuzz::small_numbers(model, fuzz::MAX_CONSTANT) || !fuzz::small_numbers(formula, fuzz::MAX_CONSTANT)) return 0;
  fuzz::scratch_dir scratch("eval_fuzz");
  fuzz::reset_engines();
  fuzz::write_file("m.tg", model);
  fuzz::write_file("f.tctl", formula);
  if (fuzz::compile_small("m")) {
    fuzz::age_model("m");
    set_options(parts[1].flags);
    char m[] = "m", f[] = "f";
    fuzz::guarded([&] { evaluate_formula_tg(m, f); });
  }
  fuzz::reset_engines();
  return 0;
}
