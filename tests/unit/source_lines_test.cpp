// The guesses of the "did you mean" hints: close enough to be a slip,
// never a guess for a name that is all edit.
#include "common/util/source_lines.h"

#include <gtest/gtest.h>

TEST(ClosestName, OneSlipInALongName) {
  const std::vector<std::string> props = {"FAR", "NEAR", "INSIDE", "BUSY_WAIT"};
  EXPECT_EQ(closest_name("INSIDEE", props), "INSIDE");  // insertion
  EXPECT_EQ(closest_name("INSDE", props), "INSIDE");    // deletion
  EXPECT_EQ(closest_name("NAER", props), "NEAR");       // swap of neighbours
  EXPECT_EQ(closest_name("BUSYWAIT", props), "BUSY_WAIT");
  EXPECT_EQ(did_you_mean("FAAR", props), "did you mean 'FAR'?");
}

TEST(ClosestName, NoGuessWhenTheNameIsAllEditOrFar) {
  EXPECT_EQ(closest_name("Y", {"X", "Z"}), "");        // as long as the edit
  EXPECT_EQ(closest_name("XX", {"X"}), "X");           // one slip in two
  EXPECT_EQ(closest_name("OPEN", {"UP", "DOWN"}), "");
  EXPECT_EQ(closest_name("INSIDE", {"INSIDE", "INSIDEE"}), "");  // known: no hint
  EXPECT_EQ(closest_name("", {"X"}), "");
  EXPECT_EQ(did_you_mean("Q", {}), "");
}

TEST(ClosestName, LongNamesAllowMoreEditsAndTheFirstClosestWins) {
  // Eleven characters: up to two edits.
  EXPECT_EQ(closest_name("COMINGDOWWN", {"COMING_DOWN"}), "COMING_DOWN");
  EXPECT_EQ(closest_name("CS3", {"CS1", "CS2"}), "CS1");
  EXPECT_EQ(closest_name("CS3", {"CS2", "CS1"}), "CS2");
}
