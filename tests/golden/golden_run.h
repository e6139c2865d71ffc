// One golden run: the form's whole run on given input lines at given settings, with its output
// areas in the stored form of golden files.
#pragma once

#include <array>
#include <string_view>

#include "frontend/form.h"
#include "model/string_list.h"

namespace dialectic::golden {

// Puts the lines into Memo1 and the settings into the depth box and the trace switch, presses the
// button, and returns Memo2 to Memo5 in stored form. Whatever the form held before is replaced.
std::array<StringList, 4> StoredRun(TForm1& form, const StringList& input,
                                    std::string_view depth_text, bool show_trace);

}  // namespace dialectic::golden
