// The line syntax of theories and the three styles in which a theory is written back.
// A line holds clauses separated by commas; the first word of a clause names an argument and every
// further word names one of its attackers. Every text is a theory: nothing is rejected. Every name
// entered is a word followed by exactly one blank.
#pragma once

#include <string>
#include <string_view>

#include "frontend/text_area.h"
#include "model/line_list.h"
#include "model/theory.h"

namespace dialectic {

struct FirstWordSplit {
  std::string word;  // the first word with the blank that ends it; a lone blank when there is none
  std::string rest;  // empty, or ending in a blank and holding a character above code 32
};

// Cuts the first word off the trimmed string; only code 32 separates words.
FirstWordSplit SplitFirstWord(std::string_view text);

// Enters one clause into the theory. A clause with no character above code 32 enters nothing.
void ParseClause(std::string_view clause, TTheory& theory);

// Enters every line of the input area into the theory, adding to what it holds.
void ParseInput(const LineList& memo1, TTheory& theory);

// Replaces the area's content by the STANDARD, COMMA and YET ANOTHER styles of the theory.
void Rephrase(const TTheory& theory, TextArea& memo2);

}  // namespace dialectic
