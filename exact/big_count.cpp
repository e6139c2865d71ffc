#include "exact/big_count.h"

#include <ostream>
#include <utility>

namespace dialectic::exact {

namespace {

constexpr std::uint64_t kBase = std::uint64_t{1} << 32;

void Trim(std::vector<std::uint32_t>& limbs) {
  while (!limbs.empty() && limbs.back() == 0) limbs.pop_back();
}

}  // namespace

BigCount::BigCount(std::uint64_t value) {
  while (value != 0) {
    limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
    value /= kBase;
  }
}

BigCount& BigCount::operator+=(std::uint64_t value) {
  std::uint64_t carry = value;
  for (std::size_t i = 0; carry != 0; ++i) {
    if (i == limbs_.size()) limbs_.push_back(0);
    // carry < 2^64 and the limb < 2^32: the low half of carry plus the limb fits in 64 bits.
    const std::uint64_t sum = limbs_[i] + carry % kBase;
    limbs_[i] = static_cast<std::uint32_t>(sum % kBase);
    carry = carry / kBase + sum / kBase;
  }
  return *this;
}

BigCount& BigCount::operator+=(const BigCount& other) {
  if (limbs_.size() < other.limbs_.size()) limbs_.resize(other.limbs_.size(), 0);
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    const std::uint64_t sum =
        limbs_[i] + carry + (i < other.limbs_.size() ? other.limbs_[i] : std::uint64_t{0});
    limbs_[i] = static_cast<std::uint32_t>(sum % kBase);
    carry = sum / kBase;
    if (carry == 0 && i >= other.limbs_.size()) break;
  }
  if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  return *this;
}

BigCount& BigCount::operator*=(const BigCount& other) {
  if (IsZero() || other.IsZero()) {
    limbs_.clear();
    return *this;
  }
  // Schoolbook multiplication: each partial product limb * limb + digit + carry < 2^64.
  std::vector<std::uint32_t> product(limbs_.size() + other.limbs_.size(), 0);
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < other.limbs_.size(); ++j) {
      const std::uint64_t step =
          std::uint64_t{limbs_[i]} * other.limbs_[j] + product[i + j] + carry;
      product[i + j] = static_cast<std::uint32_t>(step % kBase);
      carry = step / kBase;
    }
    for (std::size_t k = i + other.limbs_.size(); carry != 0; ++k) {
      const std::uint64_t step = product[k] + carry;
      product[k] = static_cast<std::uint32_t>(step % kBase);
      carry = step / kBase;
    }
  }
  Trim(product);
  limbs_ = std::move(product);
  return *this;
}

std::uint64_t BigCount::Low64Bits() const {
  std::uint64_t value = 0;
  if (!limbs_.empty()) value = limbs_[0];
  if (limbs_.size() > 1) value |= std::uint64_t{limbs_[1]} << 32;
  return value;
}

std::string BigCount::ToDecimal() const {
  if (IsZero()) return "0";
  // Repeated division by 10^9 gives nine decimal digits at a time, least significant first.
  constexpr std::uint32_t kChunk = 1000000000;
  std::vector<std::uint32_t> rest = limbs_;
  std::vector<std::uint32_t> chunks;
  while (!rest.empty()) {
    std::uint64_t remainder = 0;
    for (std::size_t i = rest.size(); i-- > 0;) {
      const std::uint64_t current = remainder * kBase + rest[i];
      rest[i] = static_cast<std::uint32_t>(current / kChunk);
      remainder = current % kChunk;
    }
    Trim(rest);
    chunks.push_back(static_cast<std::uint32_t>(remainder));
  }
  std::string text = std::to_string(chunks.back());
  for (std::size_t i = chunks.size() - 1; i-- > 0;) {
    const std::string digits = std::to_string(chunks[i]);
    text.append(9 - digits.size(), '0');
    text += digits;
  }
  return text;
}

BigCount operator*(BigCount left, const BigCount& right) {
  left *= right;
  return left;
}

std::ostream& operator<<(std::ostream& out, const BigCount& count) {
  return out << count.ToDecimal();
}

}  // namespace dialectic::exact
