// The run behind "Do your thing": depth, input, rephrasing, grounded extension, option search and
// preferred extensions, each written with its elapsed time into the form's text areas.
#pragma once

#include <vector>

#include "frontend/form.h"
#include "frontend/text_area.h"
#include "model/proof_labeling.h"
#include "model/string_list.h"
#include "model/theory.h"

namespace dialectic {

// The whole computation on the form's state.
void Run(TForm1& form);

// Takes the depth from the depth box when it holds an integer and moves the focus to Button1;
// otherwise puts the current depth back into the box.
void ApplyDepth(TForm1& form);

// The preferred listing: two blanks and the text of each labeling whose text (letter case
// counting) no earlier labeling had.
StringList PreferredLines(const std::vector<TProofLabeling>& preferred);

// For every argument in order: its name followed by ":", then a line per option.
void ListOptions(const TTheory& theory, TextArea& area);

}  // namespace dialectic
