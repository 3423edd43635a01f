// DOT labels: every character that a quoted DOT string treats specially is
// escaped, so that names, guards and valuations cannot break the file.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "varnok/dot_format.h"

TEST(DotFormat, QuotedEscapesQuotesBackslashesAndLineEnds) {
  EXPECT_EQ(dot::quoted(""), "\"\"");
  EXPECT_EQ(dot::quoted("X<=5 and Z<=1"), "\"X<=5 and Z<=1\"");
  EXPECT_EQ(dot::quoted("a\"b"), "\"a\\\"b\"");
  // A backslash could start a DOT escape (\N, \l): it is doubled.
  EXPECT_EQ(dot::quoted("a\\Nb"), "\"a\\\\Nb\"");
  EXPECT_EQ(dot::quoted("one\ntwo\r\n"), "\"one\\ntwo\\n\"");
  EXPECT_EQ(dot::quoted("{ } -> ; [ ]"), "\"{ } -> ; [ ]\"");
}

TEST(DotFormat, TextOfDropsOnlyTrailingLineEnds) {
  EXPECT_EQ(dot::text_of([](FILE *f) { fputs("a\nb\n\n", f); }), "a\nb");
  EXPECT_EQ(dot::text_of([](FILE *) {}), "");
}

// A picture is streamed: the lines come in the order of the calls, initial
// states bold, every label escaped, and the file is reported once complete.
TEST(DotFormat, SimPictureWritesStatesAndTransitionsAsTheyCome) {
  const std::string path = testing::TempDir() + "picture.sim.dot";
  testing::internal::CaptureStdout();
  dot::sim_picture pic(path);
  pic.state(0, true, "0: location 0\nINIT\nX<=1");
  pic.transition(0, 1, "X=1 => \"go\" ; reset{ X }; ");
  pic.state(1, false, "1: location 2\n\nX\\Y");
  pic.finish();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "varnok: file " + path + " dumped\n");
  FILE *f = fopen(path.c_str(), "r");
  ASSERT_NE(f, nullptr);
  std::string text;
  for (int c; (c = fgetc(f)) != EOF;) text += static_cast<char>(c);
  fclose(f);
  EXPECT_EQ(text,
            "digraph varnok {\n"
            "  node [shape=box, fontname=\"monospace\"];\n"
            "  edge [fontname=\"monospace\"];\n"
            "  s0 [label=\"0: location 0\\nINIT\\nX<=1\", style=bold];\n"
            "  s0 -> s1 [label=\"X=1 => \\\"go\\\" ; reset{ X }; \"];\n"
            "  s1 [label=\"1: location 2\\n\\nX\\\\Y\"];\n"
            "}\n");
  remove(path.c_str());
}

// The picture of a run: one highlighted node per moment and one edge per
// step between consecutive moments, labels escaped, in order.
TEST(DotFormat, RunPictureIsAPathOfMoments) {
  const std::string path = testing::TempDir() + "picture_run.dot";
  testing::internal::CaptureStdout();
  dot_write_run(path, {"location 0 ()\n x=0", "location 1 (\"p\")\n x=1/2"}, {"delay 1/2\ntransition 0 -> 1"});
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("file " + path + " dumped"), std::string::npos) << out;
  FILE *f = fopen(path.c_str(), "r");
  ASSERT_NE(f, nullptr);
  std::string text;
  for (int c; (c = fgetc(f)) != EOF;) text += static_cast<char>(c);
  fclose(f);
  remove(path.c_str());
  EXPECT_EQ(text,
            "digraph varnok {\n  node [shape=box, fontname=\"monospace\"];\n  edge [fontname=\"monospace\"];\n"
            "  m0 [label=\"location 0 ()\\n x=0\", color=red, penwidth=2];\n"
            "  m1 [label=\"location 1 (\\\"p\\\")\\n x=1/2\", color=red, penwidth=2];\n"
            "  m0 -> m1 [label=\"delay 1/2\\ntransition 0 -> 1\", color=red, penwidth=2];\n"
            "}\n");
}
