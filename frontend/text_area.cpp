#include "frontend/text_area.h"

namespace dialectic {

bool TextArea::TakeCaretReset() {
  const bool requested = caret_reset_;
  caret_reset_ = false;
  return requested;
}

}  // namespace dialectic
