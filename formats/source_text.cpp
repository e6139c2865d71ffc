#include "formats/source_text.h"

namespace dialectic {

std::string SourceText::MessageAt(std::size_t offset, std::string_view message) const {
  // Lines are counted only here, when a read fails, so reading pays nothing for positions.
  int line = 1;
  std::size_t line_start = 0;
  for (std::size_t i = 0; i < offset; ++i) {
    const char c = text_[i];
    const bool ends_line =
        c == '\n' || (c == '\r' && (i + 1 == text_.size() || text_[i + 1] != '\n'));
    if (ends_line) {
      ++line;
      line_start = i + 1;
    }
  }
  const std::size_t column = offset - line_start + 1;
  std::string text(file_name_);
  text += ':' + std::to_string(line) + ':' + std::to_string(column) + ": ";
  text += message;
  return text;
}

bool LineCursor::Next(std::string_view& line) {
  if (next_ >= text_.size()) return false;
  std::size_t end = next_;
  while (end < text_.size() && !IsLineBreak(text_[end])) ++end;
  line = text_.substr(next_, end - next_);
  if (end < text_.size()) {
    const bool crlf = text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n';
    end += crlf ? 2 : 1;
  }
  next_ = end;
  return true;
}

void WordCursor::SkipBlanks() {
  while (next_ < line_.size() && IsBlank(line_[next_])) ++next_;
}

std::string_view WordCursor::Next() {
  SkipBlanks();
  const std::size_t start = next_;
  while (next_ < line_.size() && !IsBlank(line_[next_])) ++next_;
  return line_.substr(start, next_ - start);
}

bool WordCursor::AtEnd() {
  SkipBlanks();
  return next_ == line_.size();
}

}  // namespace dialectic
