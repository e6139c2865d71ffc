#include "tests/golden/golden_run.h"

#include "tests/golden/golden_format.h"

namespace dialectic::golden {

std::array<StringList, 4> StoredRun(TForm1& form, const StringList& input,
                                    std::string_view depth_text, bool show_trace) {
  form.Memo1.Clear();
  form.Memo1.AddStrings(input);
  form.Edit1 = std::string(depth_text);
  form.ShowTrace = show_trace;
  form.Button1Click();
  const std::array<StringList, 4> areas = {form.Memo2.Lines(), form.Memo3.Lines(),
                                           form.Memo4.Lines(), form.Memo5.Lines()};
  return StoredOutputs({&areas[0], &areas[1], &areas[2], &areas[3]});
}

}  // namespace dialectic::golden
