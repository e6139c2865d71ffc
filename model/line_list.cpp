#include "model/line_list.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace dialectic {

LineList& LineList::operator=(const LineList& other) {
  if (this != &other) {
    Clear();
    AddAll(other);
  }
  return *this;
}

void LineList::Clear() {
  blocks_.clear();
  block_used_ = 0;
  block_capacity_ = 0;
  lines_.clear();
  character_count_ = 0;
  values_.clear();
}

char* LineList::Reserve(std::size_t size) {
  if (block_capacity_ - block_used_ < size) {
    // A line longer than a block gets a block of its own size.
    block_capacity_ = std::max(kBlockSize, size);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(block_capacity_));
    block_used_ = 0;
  }
  char* at = blocks_.back().get() + block_used_;
  block_used_ += size;
  return at;
}

void LineList::Add(std::string_view line) {
  if (line.empty()) {
    lines_.emplace_back();
    return;
  }
  char* at = Reserve(line.size());
  std::memcpy(at, line.data(), line.size());
  lines_.emplace_back(at, line.size());
  character_count_ += line.size();
}

void LineList::Add(std::string_view line, const LineValue& value) {
  values_.emplace_back(Count(), value);
  Add(line);
}

void LineList::AddStrings(const StringList& lines) {
  for (const std::string& line : lines) Add(line);
}

void LineList::AddAll(const LineList& other) {
  const int offset = Count();
  lines_.reserve(lines_.size() + other.lines_.size());
  for (std::string_view line : other) Add(line);
  for (const auto& [line, value] : other.values_) values_.emplace_back(line + offset, value);
}

void LineList::Replace(int first, int count, const std::vector<std::string_view>& lines) {
  assert(first >= 0 && count >= 0 && first + count <= Count());
  const auto at = lines_.begin() + first;
  for (auto line = at; line != at + count; ++line) character_count_ -= line->size();
  std::vector<std::string_view> stored;
  stored.reserve(lines.size());
  for (std::string_view line : lines) {
    char* chars = line.empty() ? nullptr : Reserve(line.size());
    if (chars != nullptr) std::memcpy(chars, line.data(), line.size());
    stored.emplace_back(chars, line.size());
    character_count_ += line.size();
  }
  MoveValues(first, count, static_cast<int>(lines.size()));
  // Typing within a line replaces one line by one: no other line moves.
  const std::size_t common = std::min(stored.size(), static_cast<std::size_t>(count));
  std::copy_n(stored.begin(), common, at);
  if (stored.size() > common) {
    lines_.insert(at + static_cast<std::ptrdiff_t>(common),
                  stored.begin() + static_cast<std::ptrdiff_t>(common), stored.end());
  } else {
    lines_.erase(at + static_cast<std::ptrdiff_t>(common), at + count);
  }
}

void LineList::MoveValues(int first, int count, int new_count) {
  const auto by_line = [](const std::pair<int, LineValue>& entry, int line) {
    return entry.first < line;
  };
  const auto begin = std::lower_bound(values_.begin(), values_.end(), first, by_line);
  const auto end = std::lower_bound(begin, values_.end(), first + count, by_line);
  const auto after = values_.erase(begin, end);
  for (auto entry = after; entry != values_.end(); ++entry) entry->first += new_count - count;
}

const LineValue* LineList::ValueAt(int i) const {
  const auto found = std::lower_bound(
      values_.begin(), values_.end(), i,
      [](const std::pair<int, LineValue>& entry, int line) { return entry.first < line; });
  return found != values_.end() && found->first == i ? &found->second : nullptr;
}

int LineList::LineOf(const LineValue& value) const {
  for (const auto& [line, shown] : values_) {
    if (shown == value) return line;
  }
  return -1;
}

int LineList::IndexOf(std::string_view line) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (EqualFolded(lines_[i], line)) return static_cast<int>(i);
  }
  return -1;
}

std::string LineList::Text() const {
  std::string text;
  text.reserve(character_count_ + lines_.size());
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines_[i];
  }
  return text;
}

void LineList::SetText(std::string_view text) {
  Clear();
  AddStrings(SplitLines(text));
}

bool operator==(const LineList& a, const LineList& b) {
  return a.lines_.size() == b.lines_.size() &&
         std::equal(a.lines_.begin(), a.lines_.end(), b.lines_.begin());
}

}  // namespace dialectic
