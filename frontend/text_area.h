// A text area of the window as plain state: an ordered list of byte lines with a visible flag and
// a caret reset request. Lines are counted and compared exactly as they were added, whatever a
// widget showing them does with long lines.
#pragma once

#include <string>
#include <string_view>

#include "model/string_list.h"

namespace dialectic {

class TextArea {
 public:
  void Clear() { lines_.clear(); }
  // Appends the line; an empty string appends a blank line.
  void Add(std::string_view line) { lines_.emplace_back(line); }
  void AddStrings(const StringList& lines);

  int Count() const { return static_cast<int>(lines_.size()); }
  const std::string& Get(int i) const { return lines_[static_cast<std::size_t>(i)]; }
  const StringList& Lines() const { return lines_; }
  // Index of the first line equal to the text when letter case is ignored, or -1.
  int IndexOf(std::string_view line) const { return IndexOfText(lines_, line); }

  // The lines joined by LF, as a widget shows them; SetText splits at CR LF, CR or LF.
  std::string Text() const;
  void SetText(std::string_view text) { lines_ = SplitLines(text); }

  // Lines can be written while the area is hidden; they are all there when it is shown.
  void SetVisible(bool visible) { visible_ = visible; }
  bool Visible() const { return visible_; }

  // Asks the view to put the caret at the very start, so that the first line shows. The view
  // takes the request with TakeCaretReset.
  void ResetCaret() { caret_reset_ = true; }
  bool TakeCaretReset();

 private:
  StringList lines_;
  bool visible_ = true;
  bool caret_reset_ = false;
};

}  // namespace dialectic
