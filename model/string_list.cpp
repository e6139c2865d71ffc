#include "model/string_list.h"

#include <algorithm>

namespace dialectic {

int CompareFolded(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = FoldCase(static_cast<unsigned char>(a[i]));
    const unsigned char y = FoldCase(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int IndexOfText(const StringList& list, std::string_view text) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (EqualFolded(list[i], text)) return static_cast<int>(i);
  }
  return -1;
}

std::string Trim(std::string_view text) {
  auto is_kept = [](char c) { return static_cast<unsigned char>(c) > 32; };
  const auto first = std::find_if(text.begin(), text.end(), is_kept);
  const auto last = std::find_if(text.rbegin(), text.rend(), is_kept).base();
  if (first >= last) return {};
  return std::string(first, last);
}

void TrimInPlace(std::string& text) {
  auto is_kept = [](char c) { return static_cast<unsigned char>(c) > 32; };
  text.erase(std::find_if(text.rbegin(), text.rend(), is_kept).base(), text.end());
  text.erase(text.begin(), std::find_if(text.begin(), text.end(), is_kept));
}

StringList SplitLines(std::string_view text) {
  StringList lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    lines.emplace_back(text.substr(start, i - start));
    i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace dialectic
