#include "frontend/text_area.h"

namespace dialectic {

void TextArea::AddStrings(const StringList& lines) {
  lines_.insert(lines_.end(), lines.begin(), lines.end());
}

std::string TextArea::Text() const {
  std::size_t size = 0;
  for (const std::string& line : lines_) size += line.size() + 1;
  std::string text;
  text.reserve(size);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines_[i];
  }
  return text;
}

bool TextArea::TakeCaretReset() {
  const bool requested = caret_reset_;
  caret_reset_ = false;
  return requested;
}

}  // namespace dialectic
