// A text area of the window as plain state: the lines it holds, a visible flag and a caret reset
// request. Lines are counted and compared exactly as they were added, whatever a widget showing
// them does with long lines.
#pragma once

#include "model/line_list.h"

namespace dialectic {

class TextArea : public LineList {
 public:
  using LineList::LineList;

  // Lines can be written while the area is hidden; they are all there when it is shown.
  void SetVisible(bool visible) { visible_ = visible; }
  bool Visible() const { return visible_; }

  // Asks the view to put the caret at the very start, so that the first line shows. The view
  // takes the request with TakeCaretReset.
  void ResetCaret() { caret_reset_ = true; }
  bool TakeCaretReset();

 private:
  bool visible_ = true;
  bool caret_reset_ = false;
};

}  // namespace dialectic
