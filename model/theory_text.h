// The line syntax of theories and the three styles in which a theory is written back.
// A line holds clauses separated by commas; the first word of a clause names an argument and every
// further word names one of its attackers. Every text is a theory: nothing is rejected. Every name
// entered is a word followed by exactly one blank.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/line_list.h"
#include "model/theory.h"

namespace dialectic {

// The words of a clause, each followed by exactly one blank: the trimmed clause cut at every
// blank, each piece trimmed again. Only code 32 ends a word; a clause of blanks has none.
std::vector<std::string> ClauseWords(std::string_view clause);

// Enters one clause into the theory. A clause with no character above code 32 enters nothing.
void ParseClause(std::string_view clause, TTheory& theory);

// Enters every line of the input area into the theory, adding to what it holds.
void ParseInput(const LineList& memo1, TTheory& theory);

// Replaces the area's content by the STANDARD, COMMA and YET ANOTHER styles of the theory.
void Rephrase(const TTheory& theory, LineList& memo2);

}  // namespace dialectic
