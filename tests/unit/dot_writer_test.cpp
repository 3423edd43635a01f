// DOT labels: every character that a quoted DOT string treats specially is
// escaped, so that names, guards and valuations cannot break the file.
#include <gtest/gtest.h>

#include "varnok/dot_writer.h"

TEST(DotWriter, QuotedEscapesQuotesBackslashesAndLineEnds) {
  EXPECT_EQ(dot::quoted(""), "\"\"");
  EXPECT_EQ(dot::quoted("X<=5 and Z<=1"), "\"X<=5 and Z<=1\"");
  EXPECT_EQ(dot::quoted("a\"b"), "\"a\\\"b\"");
  // A backslash could start a DOT escape (\N, \l): it is doubled.
  EXPECT_EQ(dot::quoted("a\\Nb"), "\"a\\\\Nb\"");
  EXPECT_EQ(dot::quoted("one\ntwo\r\n"), "\"one\\ntwo\\n\"");
  EXPECT_EQ(dot::quoted("{ } -> ; [ ]"), "\"{ } -> ; [ ]\"");
}
