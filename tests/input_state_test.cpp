#include "frontend/input_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialectic {
namespace {

// One thing that happens to the input: an edit that adds an undo step, a replacement, a save; or
// a look at a step, which must find the file, the example and the modified mark given.
struct InputEvent {
  enum Kind { kEdit, kReplace, kSave, kExpect } kind;
  int step;
  std::string file;
  int example = -1;
  bool modified = false;
};

struct InputCase {
  const char* name;
  std::vector<InputEvent> events;
};

const InputCase kInputCases[] = {
    {"the start is unmodified and has no file",
     {{InputEvent::kExpect, 0, "", -1, false},
      {InputEvent::kEdit, 1, ""},
      {InputEvent::kExpect, 1, "", -1, true}}},
    {"undoing an Open gives the text back to the file it had, modified",
     // Typed into the start text (step 1), then t.apx opened (step 2).
     {{InputEvent::kEdit, 1, ""},
      {InputEvent::kReplace, 2, "t.apx"},
      {InputEvent::kExpect, 2, "t.apx", -1, false},
      {InputEvent::kExpect, 1, "", -1, true},
      {InputEvent::kExpect, 0, "", -1, false}}},
    {"undoing an example brings back the example chosen before",
     {{InputEvent::kReplace, 1, "", 3},
      {InputEvent::kReplace, 2, "", 5},
      {InputEvent::kExpect, 2, "", 5, false},
      {InputEvent::kExpect, 1, "", 3, false},
      {InputEvent::kExpect, 0, "", -1, false}}},
    {"an undone Open is dropped by the next edit, and its step belongs to the old file",
     {{InputEvent::kReplace, 1, "a.txt"},
      {InputEvent::kReplace, 2, "b.txt"},
      // Undo to step 1, then type: the edit is step 2 again.
      {InputEvent::kEdit, 2, ""},
      {InputEvent::kExpect, 2, "a.txt", -1, true},
      {InputEvent::kExpect, 1, "a.txt", -1, false}}},
    {"Save As hands the text from the save on to the new file, the earlier steps keep theirs",
     {{InputEvent::kReplace, 1, "a.txt"},
      {InputEvent::kEdit, 2, ""},
      {InputEvent::kSave, 2, "b.txt"},
      {InputEvent::kExpect, 2, "b.txt", -1, false},
      {InputEvent::kExpect, 1, "a.txt", -1, false},
      {InputEvent::kEdit, 3, ""},
      {InputEvent::kExpect, 3, "b.txt", -1, true}}},
    {"saving a file makes its older text in the history differ from it",
     {{InputEvent::kReplace, 1, "a.txt"},
      {InputEvent::kEdit, 2, ""},
      {InputEvent::kSave, 2, "a.txt"},
      {InputEvent::kExpect, 2, "a.txt", -1, false},
      {InputEvent::kExpect, 1, "a.txt", -1, true}}},
    {"an example keeps its choice through edits and a save",
     {{InputEvent::kReplace, 1, "", 4},
      {InputEvent::kEdit, 2, ""},
      {InputEvent::kExpect, 2, "", 4, true},
      {InputEvent::kSave, 2, "e.txt"},
      {InputEvent::kExpect, 2, "e.txt", 4, false}}},
    {"a save at an undone step leaves the redo steps their own file",
     {{InputEvent::kReplace, 1, "a.txt"},
      {InputEvent::kReplace, 2, "b.txt"},
      {InputEvent::kSave, 1, "c.txt"},
      {InputEvent::kExpect, 2, "b.txt", -1, false},
      {InputEvent::kExpect, 1, "c.txt", -1, false}}},
};

TEST(InputState, OriginsFollowTheUndoSteps) {
  for (const InputCase& c : kInputCases) {
    SCOPED_TRACE(c.name);
    InputState state;
    for (const InputEvent& e : c.events) {
      switch (e.kind) {
        case InputEvent::kEdit:
          state.StepAdded(e.step);
          break;
        case InputEvent::kReplace:
          state.StepAdded(e.step);
          state.Replaced(e.step, e.file, Format::kApx, e.example);
          break;
        case InputEvent::kSave:
          state.Saved(e.step, e.file, Format::kText);
          break;
        case InputEvent::kExpect:
          SCOPED_TRACE("step " + std::to_string(e.step));
          EXPECT_EQ(state.OriginAt(e.step).file, e.file);
          EXPECT_EQ(state.OriginAt(e.step).example, e.example);
          EXPECT_EQ(state.IsModifiedAt(e.step), e.modified);
          break;
      }
    }
  }
}

TEST(InputState, SaveKeepsTheFormatItWroteAndReplacementTheOneItRead) {
  InputState state;
  state.Replaced(1, "t.apx", Format::kApx, -1);
  EXPECT_EQ(state.OriginAt(1).format, Format::kApx);
  state.Saved(1, "t.tgf", Format::kTgf);
  EXPECT_EQ(state.OriginAt(1).format, Format::kTgf);
  EXPECT_EQ(state.OriginAt(0).format, Format::kText);
}

TEST(InputState, AnEmptiedHistoryKeepsTheFileAsModified) {
  InputState state;
  state.Replaced(1, "a.txt", Format::kTgf, -1);
  state.Replaced(2, "", Format::kText, 6);
  state.HistoryCleared(2);
  for (int step : {0, 1, 2}) {
    EXPECT_EQ(state.OriginAt(step).example, 6);
    EXPECT_TRUE(state.IsModifiedAt(step)) << step;
  }
  state.Saved(1, "b.txt", Format::kText);
  EXPECT_FALSE(state.IsModifiedAt(1));
  EXPECT_TRUE(state.IsModifiedAt(0));
}

TEST(InputState, ResultsAreStaleFromAnEditUntilARunEnds) {
  InputState state;
  state.InputChanged();
  EXPECT_FALSE(state.AreResultsStale());  // no run, no results
  state.RunEnded();
  EXPECT_FALSE(state.AreResultsStale());
  state.InputChanged();
  EXPECT_TRUE(state.AreResultsStale());
  state.RunEnded();
  EXPECT_FALSE(state.AreResultsStale());
}

}  // namespace
}  // namespace dialectic
