// An ordered list of byte lines in a compact store: the characters of all lines in large blocks
// that never move, and one view per line. A million short lines cost a few bytes each beyond
// their characters, and appending never copies the lines already stored. It is what every
// computation writes its text into and what a view shows.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/string_list.h"

namespace dialectic {

class LineList {
 public:
  LineList() = default;
  LineList(const LineList& other) { AddAll(other); }
  LineList& operator=(const LineList& other);
  LineList(LineList&&) noexcept = default;
  LineList& operator=(LineList&&) noexcept = default;

  void Clear();
  // Appends the line; an empty string appends a blank line.
  void Add(std::string_view line);
  void AddStrings(const StringList& lines);
  void AddAll(const LineList& other);
  // Replaces count lines from line first on by the given lines, which may be more or fewer. The
  // replaced lines' characters stay in the store until it is cleared; views of other lines stay
  // valid.
  void Replace(int first, int count, const std::vector<std::string_view>& lines);

  int Count() const { return static_cast<int>(lines_.size()); }
  bool empty() const { return lines_.empty(); }
  // Line i, counted from 0; valid until the list is cleared or assigned.
  std::string_view Get(int i) const { return lines_[static_cast<std::size_t>(i)]; }
  auto begin() const { return lines_.begin(); }
  auto end() const { return lines_.end(); }
  // A copy of the lines, for callers that want plain strings.
  StringList Lines() const { return {lines_.begin(), lines_.end()}; }
  // The number of characters of all lines together, line breaks not counted.
  std::size_t CharacterCount() const { return character_count_; }

  // Index of the first line equal to the text when letter case is ignored, or -1.
  int IndexOf(std::string_view line) const;

  // The lines joined by LF; SetText replaces the lines by the pieces of the text between line
  // breaks (CR LF, lone CR or lone LF).
  std::string Text() const;
  void SetText(std::string_view text);

  friend bool operator==(const LineList& a, const LineList& b);

 private:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  // Room for size more characters in the last block, starting a new block when needed.
  char* Reserve(std::size_t size);

  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t block_used_ = 0;      // characters used in the last block
  std::size_t block_capacity_ = 0;  // size of the last block
  std::vector<std::string_view> lines_;
  std::size_t character_count_ = 0;
};

}  // namespace dialectic
