#include "frontend/line_search.h"

#include <algorithm>

#include "model/string_list.h"

namespace dialectic {

namespace {

bool EqualFoldedByte(char a, char b) {
  return FoldCase(static_cast<unsigned char>(a)) == FoldCase(static_cast<unsigned char>(b));
}

// The first place at or after from where the text starts, or npos.
std::size_t FindForward(std::string_view line, std::string_view text, std::size_t from) {
  const auto at = std::search(line.begin() + static_cast<std::ptrdiff_t>(from), line.end(),
                              text.begin(), text.end(), EqualFoldedByte);
  return at == line.end() ? std::string_view::npos : static_cast<std::size_t>(at - line.begin());
}

// The last place where the text ends at or before limit, or npos.
std::size_t FindBackward(std::string_view line, std::string_view text, std::size_t limit) {
  const auto end = line.begin() + static_cast<std::ptrdiff_t>(limit);
  const auto at = std::find_end(line.begin(), end, text.begin(), text.end(), EqualFoldedByte);
  return at == end ? std::string_view::npos : static_cast<std::size_t>(at - line.begin());
}

}  // namespace

std::optional<LinePlace> FindInLines(const LineList& lines, std::string_view text, LinePlace from,
                                     bool backward) {
  const int count = lines.Count();
  if (count == 0 || text.empty() || from.line < 0 || from.line >= count) return std::nullopt;
  // Every line once from the place on; at the end the place's own line again, whose part on the
  // other side of the place the first step left out.
  for (int step = 0; step <= count; ++step) {
    const int line =
        backward ? ((from.line - step) % count + count) % count : (from.line + step) % count;
    const std::string_view bytes = lines.Get(line);
    if (bytes.size() < text.size()) continue;
    const std::size_t offset = std::min(from.offset, bytes.size());
    const std::size_t at = backward ? FindBackward(bytes, text, step == 0 ? offset : bytes.size())
                                    : FindForward(bytes, text, step == 0 ? offset : 0);
    if (at != std::string_view::npos) return LinePlace{line, at};
  }
  return std::nullopt;
}

}  // namespace dialectic
