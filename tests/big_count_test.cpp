#include "exact/big_count.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dialectic::exact {
namespace {

// base^exponent by repeated multiplication.
BigCount Power(std::uint64_t base, int exponent) {
  BigCount power = 1;
  for (int i = 0; i < exponent; ++i) power *= base;
  return power;
}

TEST(BigCount, DecimalDigitsOfProductsAndSums) {
  // The expected digits were worked out independently of the code (powers of two and three,
  // products across the 32-bit and 64-bit boundaries, zeros inside the nine-digit chunks).
  struct Case {
    BigCount value;
    std::string decimal;
  };
  const Case cases[] = {
      {BigCount(), "0"},
      {BigCount(7), "7"},
      {BigCount(4294967295u), "4294967295"},
      {BigCount(4294967296u), "4294967296"},
      {BigCount(UINT64_MAX), "18446744073709551615"},
      {Power(2, 64), "18446744073709551616"},
      {Power(2, 70), "1180591620717411303424"},
      {Power(3, 40), "12157665459056928801"},
      {Power(3, 70), "2503155504993241601315571986085849"},
      {Power(10, 27), "1000000000000000000000000000"},
      {Power(2, 64) * Power(2, 64), "340282366920938463463374607431768211456"},
      {BigCount(UINT64_MAX) * BigCount(UINT64_MAX), "340282366920938463426481119284349108225"},
      {Power(1000000007, 3), "1000000021000000147000000343"},
      {Power(2, 100) * BigCount(0), "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value.ToDecimal(), c.decimal);
}

TEST(BigCount, AdditionCarriesAcrossEveryLimb) {
  struct Case {
    BigCount start;
    std::uint64_t added;
    std::string decimal;
  };
  const Case cases[] = {
      {BigCount(), 0, "0"},
      {BigCount(UINT64_MAX), 1, "18446744073709551616"},
      {BigCount(UINT64_MAX), UINT64_MAX, "36893488147419103230"},
      {Power(2, 96), 5, "79228162514264337593543950341"},
      {BigCount(4294967295u), 1, "4294967296"},
  };
  for (const Case& c : cases) {
    BigCount value = c.start;
    value += c.added;
    EXPECT_EQ(value.ToDecimal(), c.decimal);
  }
  // Counting one by one past 2^32 keeps the small-number view exact.
  BigCount count = 4294967290u;
  for (int i = 0; i < 10; ++i) ++count;
  EXPECT_TRUE(count.FitsIn64Bits());
  EXPECT_EQ(count.Low64Bits(), 4294967300u);
}

TEST(BigCount, EqualityIgnoresHowTheValueWasReached) {
  BigCount sum = UINT64_MAX;
  sum += 1;
  EXPECT_EQ(Power(2, 64), sum);
  EXPECT_EQ(Power(4, 35), Power(2, 70));
  EXPECT_FALSE(Power(2, 70) == Power(2, 71));
  EXPECT_FALSE(Power(2, 64) == BigCount(0));
  EXPECT_EQ(Power(2, 64) * BigCount(0), BigCount());
  EXPECT_TRUE((Power(2, 64) * BigCount(0)).IsZero());
  EXPECT_FALSE(Power(2, 64).FitsIn64Bits());
  EXPECT_TRUE(BigCount(UINT64_MAX).FitsIn64Bits());
}

}  // namespace
}  // namespace dialectic::exact
