#include "frontend/input_state.h"

#include <algorithm>
#include <cassert>
#include <iterator>

namespace dialectic {

void InputState::DropFrom(int step) {
  // The origin at step 0 stays: every step has an origin.
  origins_.erase(origins_.lower_bound(std::max(step, 1)), origins_.end());
}

void InputState::StepAdded(int step) { DropFrom(step); }

void InputState::Replaced(int step, const std::string& file, Format format, int example) {
  DropFrom(step);
  origins_[step] = InputOrigin{file, format, example, step};
}

void InputState::HistoryCleared(int step_before) {
  InputOrigin origin = OriginAt(step_before);
  // No step of the new history holds what the file holds.
  origin.clean_step = -1;
  origins_ = {{0, origin}};
}

void InputState::Saved(int step, const std::string& file, Format format) {
  InputOrigin origin = OriginAt(step);
  origin.file = file;
  origin.format = format;
  origin.clean_step = step;
  // The file now holds this step's text: wherever else the history has the file, its text differs
  // from it. The text of the earlier steps stays with the file it had; from this step on it
  // belongs to the file it was written to.
  for (auto& [start, each] : origins_) {
    if (each.file == file && !file.empty()) each.clean_step = step;
  }
  origins_[step] = origin;
}

const InputOrigin& InputState::OriginAt(int step) const {
  auto after = origins_.upper_bound(step);
  assert(after != origins_.begin());
  return std::prev(after)->second;
}

}  // namespace dialectic
