// Byte text helpers shared by every module: plain string lists, trimming, line splitting and the
// letter-case folding that decides which names and lines count as equal.
// Characters are bytes; only the ASCII letters A-Z fold (to a-z), bytes 128-255 stay as they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dialectic {

// An ordered list of text lines, duplicates allowed.
using StringList = std::vector<std::string>;

// The byte with A-Z folded to a-z.
inline unsigned char FoldCase(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Three-way comparison of two texts under case folding, as unsigned bytes.
int CompareFolded(std::string_view a, std::string_view b);
inline bool EqualFolded(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareFolded(a, b) == 0;
}

// Position of the first line of the list equal to the text when letter case is ignored, or -1.
int IndexOfText(const StringList& list, std::string_view text);

// The text without the characters of code 32 or less at both ends.
std::string Trim(std::string_view text);
// The same, in place.
void TrimInPlace(std::string& text);

// The pieces of the text between line breaks (CR LF, lone CR or lone LF). An empty text gives no
// piece, and a break at the very end gives no empty piece after it.
StringList SplitLines(std::string_view text);

// The text after a UTF-8 byte-order mark (EF BB BF) at its start, or the whole text: editors put
// the mark before the first line, where it would become part of the first name.
inline std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  return text.starts_with(kMark) ? text.substr(kMark.size()) : text;
}

}  // namespace dialectic
