// How a drawing shows an argument's name.
#pragma once

#include <string_view>

namespace dialectic {

// The name as a drawing shows it: without blanks and control characters at either end.
std::string_view ShownName(std::string_view name);

}  // namespace dialectic
