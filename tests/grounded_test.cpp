#include "semantics/grounded.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/test_support.h"

namespace dialectic {
namespace {

TEST(ComputeGrounded, ExtensionsOfSmallTheories) {
  struct Case {
    std::string theory;
    std::string text;
  };
  const Case cases[] = {
      {"", "<empty>"},
      {"a", "a"},
      {"a b", "b (a)"},
      {"a b, b c", "a c (b)"},
      {"a b, b a", "<empty>"},
      {"a a", "<empty>"},
      {"a b, b c, c a", "<empty>"},
      {"a b, b c, c c", "<empty>"},
      {"a b, b c, c b", "<empty>"},
      {"a b c, b c, c b", "<empty>"},
      {"a b1 b2, b1 c1, b2 c2", "a c1 c2 (b1 b2)"},
      {"a b1 b2, b1 c", "b2 c (a b1)"},
      {"a b, b c d, d b", "a c d (b)"},
      // The first of two names differing in letter case is IN; the second is then found in IN.
      {"b a A", "a (b)"},
      {"b A a", "A (b)"},
      {"a b, b c, c d, d e", "a c e (b d)"},
      // X qualifies later in the pass in which w is taken in, before the unattacked x.
      {"y w, X y, x", "w X (y)"},
      // X has to wait for the next pass; x, unattacked, is taken in first.
      {"X y, y w, x", "w x (y)"},
      // Of two case-equal targets the spelling made OUT first stays.
      {"B a, b a", "a (B)"},
  };
  for (const Case& c : cases) {
    TTheory theory;
    ParseText(c.theory, theory);
    const ArgIndex index(theory);
    TProofLabeling result;
    ComputeGrounded(index, result);
    EXPECT_EQ(LabelingText(result, index), c.text) << c.theory;
    EXPECT_TRUE(result.NewIn.empty());
    EXPECT_TRUE(result.NewOut.empty());
  }
}

TEST(ComputeGrounded, ReplacesWhateverTheResultHeld) {
  TTheory theory;
  ParseText("a b, b c", theory);
  const ArgIndex index(theory);
  TProofLabeling result;
  for (int rank = 0; rank < 3; ++rank) {
    result.InArgs.Add(rank);
    result.OutArgs.Add(rank);
    result.NewIn.Add(rank);
    result.NewOut.Add(rank);
  }
  ComputeGrounded(index, result);
  EXPECT_EQ(LabelingText(result, index), "a c (b)");
  EXPECT_TRUE(result.NewIn.empty());
  EXPECT_TRUE(result.NewOut.empty());
}

}  // namespace
}  // namespace dialectic
