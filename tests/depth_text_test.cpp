#include "frontend/depth_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dialectic {
namespace {

TEST(ParseDepthText, DecimalAndHexadecimalFormsWithinTheSignedRange) {
  struct Case {
    std::string text;
    std::optional<std::int32_t> depth;
  };
  const Case cases[] = {
      {"25", 25},
      {"100", 100},
      {"0", 0},
      {"-3", -3},
      {"+7", 7},
      {"   12", 12},
      {"$1A", 26},
      {"$1a", 26},
      {"x10", 16},
      {"X10", 16},
      {"0x10", 16},
      {"0X1f", 31},
      {"-$1A", -26},
      {"+0x10", 16},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-$80000000", -2147483647 - 1},
      {"$7FFFFFFF", 2147483647},
      {"007", 7},
      {"25 ", std::nullopt},
      {"\t25", std::nullopt},
      {"abc", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"- 5", std::nullopt},
      {"--5", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"$80000000", std::nullopt},
      {"$FFFFFFFF", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"1e3", std::nullopt},
      {"$G", std::nullopt},
      {"12a", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDepthText(c.text), c.depth) << '"' << c.text << '"';
}

}  // namespace
}  // namespace dialectic
