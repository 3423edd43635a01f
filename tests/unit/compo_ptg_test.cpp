// The product timed graph: the compiled tables it fills agree with the
// tables the parser builds from its text (same locations, moves, labels,
// propositions and assignments; the parser's guards also carry the
// product's invariant), with and without activity resets.
#include <algorithm>

#include "common/tg/tg_constants.h"
#include "common/tg/tg_to_smc_main.h"
#include "compo_test_helpers.h"
#include "varnok/compo_ptg.h"

using namespace compo_test;

namespace {

// p and q synchronise on a; p copies and resets, q has an uncontrollable
// move of its own; both carry the proposition S at location 0.
const std::string P = tg(2, 3, "x z", "a",
                         "state: 0 prop: S INIT invar: x <= 4 trans: x >= 1 => a ; reset{ x } z := x ; goto 1\n"
                         "  true => go ; ; goto 1\n"
                         "state: 1 invar: true trans: z > 1 => a b ; z := 0 ; goto 0\n");
const std::string Q = tg(2, 2, "y", "a",
                         "state: 0 prop: S invar: y <= 3 trans: y = 3 => a ; reset{ y } ; goto 1\n"
                         "state: 1 invar: true trans: true =U> a ; ; goto 0\n");

// Per transition in source order: source, target, control tag, assignment
// vector, sorted label names; per location its sorted propositions.
std::string tables() {
  std::ostringstream s;
  s << "states " << N_OF_STATES << " trans " << N_OF_TRANS << "\n";
  for (int l = 0; l < N_OF_STATES; l++) {
    std::vector<std::string> props;
    for (int32_t p : states_props[l]) props.push_back(prop_tab[p]->name);
    std::sort(props.begin(), props.end());
    s << "loc " << l << ":";
    for (auto &p : props) s << " " << p;
    s << "\n";
  }
  for (int t = 0; t < N_OF_TRANS; t++) {
    const trans_rec *r = trans_table[t];
    s << r->source << "->" << r->target << " " << r->control << r->deadline << " mode " << r->affect->mode << " [";
    for (uint16_t e : r->affect->affect) s << e << " ";
    std::vector<std::string> labels;
    for (int32_t l : trans_labels[t]) labels.push_back(label_tab[l]->name);
    std::sort(labels.begin(), labels.end());
    s << "]";
    for (auto &l : labels) s << " " << l;
    s << "\n";
  }
  return s.str();
}

std::string product_text() {
  char *buf = nullptr;
  size_t len = 0;
  FILE *f = open_memstream(&buf, &len);
  fprint_parallel_product_graph(f);
  fclose(f);
  std::string s(buf, len);
  free(buf);
  return s;
}

// Parses text as model "back" and returns its tables.
std::string parsed_tables(const std::string &text) {
  write_file("back.tg", text);
  char name[] = "back";
  my_basename(name, ".tg");
  FILE *in = my_fopen(".tg", "r");
  FILE *err = my_fopen(".err", "w");
  clear_tg_tables();
  testing::internal::CaptureStdout();
  int r = tg_to_smc(in, nullptr, err);
  testing::internal::GetCapturedStdout();
  long errors = ftell(err);
  fclose(in);
  fclose(err);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(errors, 0);
  return tables();
}

}  // namespace

TEST_F(Product, CompiledProductAgreesWithItsText) {
  for (uint32_t mode : {0u, OPT_ACTIVITY}) {
    OPT_SET = mode;
    load({{"p", P}, {"q", Q}});
    // p: x inactive at location 1; q: y inactive at location 1.
    write_file("p.opt", std::string("\0\0\1\0\1\0\1\0\0\0\1\0\0\0\1\0", 16));
    write_file("q.opt", std::string("\0\0\1\0\1\0\0\0\1\0\0\0", 12));
    testing::internal::CaptureStderr();
    EXPECT_EQ(gen_parallel_product_graph(), 4);
    build_vnk_tables();
    std::string built = tables();
    std::string text = product_text();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(parsed_tables(text), built) << text;
    if (mode == 0) {
      // Hand-derived: from (0,0) p's own move go, then the joint a (p resets
      // x and copies z := x, q resets y) into (1,1), location 2; from (1,1)
      // p's "a b" with q's uncontrollable a.
      EXPECT_NE(built.find("loc 0: INIT S\n"), std::string::npos);
      EXPECT_NE(text.find("trans:\nL: X<=4 =C> GO ; reset{}; goto 1\n"
                          "L: 1<=X and X<=4 and Y=3 =C> A ; RESET{ X Y } Z:=X ; goto 2\n"),
                std::string::npos)
          << text;
      EXPECT_NE(text.find("L: 1<Z =U> A B ; RESET{ Z }; goto 0\n"), std::string::npos);
    } else {
      // Inactive at the target (1,1): x and y, listed before the resets.
      EXPECT_NE(text.find("RESET{ X Y X Y } Z:=X ; goto 2\n"), std::string::npos) << text;
    }
    free_compo_tables();
    clear_tg_tables();
    free_zone_table();
  }
}
