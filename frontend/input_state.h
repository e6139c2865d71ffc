// Where the input's text came from, step by step of the input editor's undo history, and whether
// the results shown belong to the input as it stands. Each replacement of the input (a file
// opened, a new theory, an example) and each save starts an origin at the undo step it reached:
// the file the text belongs to (none for an example or a new theory), the format Save writes it
// in, the chosen example, and the step at which the text equals what the file holds. Undo and
// redo move the step, and the origin that holds there is the latest one started at or below it,
// so an undone Open gives the input back to its previous file. Steps above the current one that a
// new edit drops from the undo history take their origins with them.
// Invariant: the origins are ordered by step and the first starts at step 0.
#pragma once

#include <map>
#include <string>

#include "formats/formats.h"

namespace dialectic {

struct InputOrigin {
  std::string file;               // the file the text was loaded from or saved to; empty: none
  Format format = Format::kText;  // the format Save writes the file in
  int example = -1;               // the chosen example (radio item); -1: none
  int clean_step = 0;             // the undo step at which the text is what the file holds

  bool operator==(const InputOrigin&) const = default;
};

class InputState {
 public:
  InputState() : origins_{{0, InputOrigin{}}} {}

  // The editor's undo history grew to step (a new edit, or a replacement): the steps from step on
  // that an earlier undo had left for redo are gone, and so are their origins.
  void StepAdded(int step);
  // The input was replaced as the edit that reached step; the text is what the file (empty: none)
  // holds.
  void Replaced(int step, const std::string& file, Format format, int example);
  // The editor's undo history was emptied and its text set anew, not from any file: the text stays
  // with the file and example of the step it stood at, as modified.
  void HistoryCleared(int step_before);
  // The input, at step, was written to the file in the format. Redo steps above it keep theirs.
  void Saved(int step, const std::string& file, Format format);

  // The origin of the text at the undo step.
  const InputOrigin& OriginAt(int step) const;
  // Whether the text at the undo step differs from what its origin's file holds (or, without a
  // file, from the text as it was replaced).
  bool IsModifiedAt(int step) const { return OriginAt(step).clean_step != step; }

  // The results shown are those of a run of the input as it stands; an edit or an undo makes them
  // the previous run's until the next run ends. Before the first run there are none to be stale.
  bool AreResultsStale() const { return results_stale_; }
  void InputChanged() { results_stale_ = has_run_; }
  void RunEnded() {
    has_run_ = true;
    results_stale_ = false;
  }

 private:
  void DropFrom(int step);

  std::map<int, InputOrigin> origins_;  // by the step each starts at
  bool results_stale_ = false;
  bool has_run_ = false;
};

}  // namespace dialectic
