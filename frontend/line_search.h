// Finding text in a list of byte lines the way the program compares names: the letters A-Z equal
// to a-z, every other byte only to itself. A search goes from a place to the end of the list and
// on from its start back to that place (backward: the other way round), so one round meets every
// place the text stands in, and the text never spans a line break.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "model/line_list.h"

namespace dialectic {

// A place in the lines: a line and a byte offset in it.
struct LinePlace {
  int line = 0;
  std::size_t offset = 0;
  friend bool operator==(const LinePlace&, const LinePlace&) = default;
};

// Where the text next stands at or after the place (backward: where it last ends at or before
// it), going around the end; none when it stands nowhere or is empty.
std::optional<LinePlace> FindInLines(const LineList& lines, std::string_view text, LinePlace from,
                                     bool backward);

}  // namespace dialectic
