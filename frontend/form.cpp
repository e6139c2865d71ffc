#include "frontend/form.h"

#include "frontend/example_library.h"
#include "frontend/run.h"

namespace dialectic {

TForm1::TForm1() {
  Memo1.Add("a b c");
  Memo1.Add("b d e z");
  Memo1.Add("c f g h i");
}

void TForm1::FormCreate() {
  Theory.Clear();
  Edit1 = "100";
  Depth = 100;
  ShowTrace = true;
  Examples.clear();
  LoadExamples(*this);
}

void TForm1::Button1Click() { StartRun(); }

void TForm1::ChooseRadioItem(int index) {
  if (index < 0 || index >= static_cast<int>(RadioItems.size())) return;
  if (index == RadioItemIndex) return;
  RadioItemIndex = index;
  RadioGroup1Click();
}

void TForm1::RadioGroup1Click() {
  if (RadioItemIndex < 0 || RadioItemIndex >= static_cast<int>(RadioItems.size())) return;
  Memo1.Clear();
  Memo1.AddStrings(ExampleLines(Examples, RadioItems[static_cast<std::size_t>(RadioItemIndex)]));
  StartRun();
}

void TForm1::Edit1KeyDown(int key) {
  if (key == kEnterKey) ApplyDepth(*this);
}

void TForm1::CheckBox1Click() { ShowTrace = !ShowTrace; }

void TForm1::ReplaceInput(const StringList& lines) {
  RadioItemIndex = -1;
  Memo1.Clear();
  Memo1.AddStrings(lines);
  StartRun();
}

void TForm1::StartRun() {
  if (RunStarter) {
    RunStarter(*this);
  } else {
    Run(*this);
  }
}

}  // namespace dialectic
