// Reading the depth box: a signed 32-bit integer, decimal or hexadecimal.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace dialectic {

// The integer the whole text spells: leading blanks (code 32 only), an optional sign, then decimal
// digits or hexadecimal digits after "$", "x", "X", "0x" or "0X", and nothing after the digits.
// The sign applies to hexadecimal forms too. Nothing when the text is no such integer or its
// value lies outside the 32-bit signed range.
std::optional<std::int32_t> ParseDepthText(std::string_view text);

}  // namespace dialectic
