// An ordered list of byte lines in a compact store: the characters of all lines in large blocks
// that never move, and one view per line. A million short lines cost a few bytes each beyond
// their characters, and appending never copies the lines already stored. It is what the
// renderers write a run's text into and what a view shows. A line may carry the value it shows,
// so that whoever selects or colours by a line reads the value instead of parsing the line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/string_list.h"

namespace dialectic {

// Where the value that a line shows is kept among a run's results. An argument's heading refers
// to the argument; a labeling line to the grounded extension, to one option of an argument or to
// one preferred candidate.
struct LineValue {
  enum class Kind : std::uint8_t { kArgument, kGrounded, kOption, kPreferred };
  Kind kind = Kind::kArgument;
  int arg = -1;   // the argument's position, for a heading and an option
  int item = -1;  // which option or candidate

  friend bool operator==(const LineValue&, const LineValue&) = default;
};

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
  // Appends the line together with the value it shows.
  void Add(std::string_view line, const LineValue& value);
  void AddStrings(const StringList& lines);
  void AddAll(const LineList& other);
  // Replaces count lines from line first on by the given lines, which may be more or fewer. The
  // replaced lines' characters stay in the store until it is cleared; views of other lines stay
  // valid. The replaced lines lose their values (an edited line no longer shows one); the values
  // of the lines after them move with them.
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

  // The value that line i shows, or none.
  const LineValue* ValueAt(int i) const;
  // The first line that shows the value, or -1.
  int LineOf(const LineValue& value) const;

  // Index of the first line equal to the text when letter case is ignored, or -1.
  int IndexOf(std::string_view line) const;

  // The lines joined by LF; SetText replaces the lines by the pieces of the text between line
  // breaks (CR LF, lone CR or lone LF).
  std::string Text() const;
  void SetText(std::string_view text);

  friend bool operator==(const LineList& a, const LineList& b);

 private:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  // Drops the values of count lines from line first on and moves those after them by the
  // difference between new_count and count.
  void MoveValues(int first, int count, int new_count);
  // Room for size more characters in the last block, starting a new block when needed.
  char* Reserve(std::size_t size);

  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t block_used_ = 0;      // characters used in the last block
  std::size_t block_capacity_ = 0;  // size of the last block
  std::vector<std::string_view> lines_;
  std::size_t character_count_ = 0;
  // The lines that show a value, by ascending line number.
  std::vector<std::pair<int, LineValue>> values_;
};

}  // namespace dialectic
