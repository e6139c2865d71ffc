// The main window as plain state, without any toolkit: the theory, the depth, the trace switch,
// the example library, the five text areas, the depth box's text, the radio items and which
// control has the focus, with the window's event handlers. A view owns one TForm1, copies the
// widgets' text into it before a handler, forwards the event and shows the state afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "frontend/result_areas.h"
#include "frontend/text_area.h"
#include "model/string_list.h"
#include "model/theory.h"

namespace dialectic {

// The controls that can hold the keyboard focus, in tab order.
enum class Control {
  kNone,
  kMemo1,
  kMemo2,
  kButton1,
  kMemo3,
  kRadioGroup1,
  kMemo4,
  kMemo5,
  kEdit1,
  kCheckBox1,
};

inline constexpr int kEnterKey = 13;

// The form's result areas (Memo2 to Memo5) are those of ResultAreas.
class TForm1 : public ResultAreas {
 public:
  TForm1();
  // The theory's arguments point back at it, so the form never moves.
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  TTheory Theory;
  std::int32_t Depth = 100;  // the most stages one option search may take
  bool ShowTrace = true;     // whether the option search writes its full trace
  StringList Examples;       // the lines of the example library

  TextArea Memo1;  // Input
  // What the last run found, as values: what the result areas' lines refer to.
  RunOutcome Outcome;

  std::string Edit1;        // the depth as typed
  StringList RadioItems;    // one caption per caption line of the library
  int RadioItemIndex = -1;  // the chosen item; none at start
  Control Focus = Control::kButton1;

  // Where the example library is read from (and written to when absent); relative paths are
  // taken in the current directory.
  std::filesystem::path ExamplesPath = "examples.txt";
  // Whether LoadExamples creates the file when it does not exist.
  bool WriteMissingExamples = true;

  // How the handlers start a run. Unset, they run it at once on this thread. A view that runs it
  // elsewhere sets its own starter, which applies the depth from the depth box first, as Run does.
  std::function<void(TForm1&)> RunStarter;

  // Start-up: empty theory, depth 100, trace on, the example library loaded. Throws FileError
  // when the library file cannot be read or created; the state reached so far stays.
  void FormCreate();
  // "Do your thing": the whole run.
  void Button1Click();
  // Chooses a radio item; a change of the chosen item loads that example and runs.
  void ChooseRadioItem(int index);
  // The chosen item changed: its example replaces the input and the run starts.
  void RadioGroup1Click();
  // Enter applies the depth text; every other key is ignored.
  void Edit1KeyDown(int key);
  // Flips ShowTrace, whatever the box shows.
  void CheckBox1Click();
  // A theory from elsewhere (a file, or none for a new one) replaces the input and the run
  // starts. No radio item is chosen afterwards, so that any example can be chosen again.
  void ReplaceInput(const StringList& lines);

 private:
  void StartRun();
};

}  // namespace dialectic
