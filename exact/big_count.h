// A count of extensions without an upper bound: a non-negative integer of any size, for the
// products of the counts of independent parts of a graph (70 independent pairs that attack each
// other already have 2^70 preferred extensions). Small counts cost no allocation; the value is
// exact at every size and printed in decimal.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace dialectic::exact {

class BigCount {
 public:
  BigCount() = default;
  BigCount(std::uint64_t value);  // NOLINT(google-explicit-constructor): counts mix with integers

  BigCount& operator+=(std::uint64_t value);
  BigCount& operator+=(const BigCount& other);
  BigCount& operator++() { return *this += 1; }
  BigCount& operator*=(const BigCount& other);

  bool IsZero() const { return limbs_.empty(); }
  // Whether the value fits in 64 bits, and the value when it does.
  bool FitsIn64Bits() const { return limbs_.size() <= 2; }
  std::uint64_t Low64Bits() const;
  // The value in decimal digits, without sign or leading zeros ("0" for zero).
  std::string ToDecimal() const;

  friend bool operator==(const BigCount&, const BigCount&) = default;

 private:
  // Base 2^32 digits, least significant first, no trailing zero digit (zero is empty).
  std::vector<std::uint32_t> limbs_;
};

BigCount operator*(BigCount left, const BigCount& right);
// Writes the decimal digits (for test messages).
std::ostream& operator<<(std::ostream& out, const BigCount& count);

}  // namespace dialectic::exact
