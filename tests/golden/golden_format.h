// The golden file format: whole runs (input, settings and the four result areas) stored as plain
// ASCII text, one file per group of cases. Every stored line is either "|" followed by the escaped
// text of an area line or, in the options and extensions areas, "~# ms elapsed" for a timing line,
// which matches any line "N ms elapsed" (N one or more decimal digits). Escaping is injective, so
// two area lines are equal exactly when their stored forms are; tests/data/README.md describes it.
#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/string_list.h"

namespace dialectic::golden {

// Escaping of one line: "\\" for a backslash, "\t" for a tab, "\xHH" (two upper-case hex digits)
// for every other byte below 32, for 127 and for every byte from 128 on, and "\x20" for a blank
// that ends the line, so that no tool that strips trailing blanks can change a stored line.
std::string Escape(std::string_view line);
// The line that Escape turned into the text; nothing when the text is no escaped line.
std::optional<std::string> Unescape(std::string_view text);

// Whether the line is a timing line: one or more decimal digits, then " ms elapsed".
bool IsTimingLine(std::string_view line);

// The stored form of an area line. Timing lines are only normalised where the run writes them.
std::string StoredLine(std::string_view line, bool is_timing_area);
inline constexpr std::string_view kStoredTimingLine = "~# ms elapsed";

// The areas that a golden run compares, in file order.
inline constexpr std::array<std::string_view, 4> kOutputAreaNames = {"Memo2", "Memo3", "Memo4",
                                                                     "Memo5"};
// Whether the output area with this index (0 for Memo2) ends in timing lines.
inline bool IsTimingArea(std::size_t output_index) { return output_index >= 2; }

// One run: the input lines, the settings, and the four output areas in stored form.
struct GoldenCase {
  std::string id;          // group and theory number, such as "examples/4"
  int file_line = 0;       // where the case begins in its file, from 1
  std::string depth_text;  // the text of the depth box
  bool show_trace = true;
  StringList input;                          // Memo1, as typed
  std::array<StringList, 4> stored_outputs;  // Memo2 to Memo5, each line in stored form
};

// The output areas of a run, each line in stored form.
std::array<StringList, 4> StoredOutputs(const std::array<const StringList*, 4>& areas);

// Writes the case as one record.
void WriteCase(std::ostream& out, const GoldenCase& golden_case);

// The cases of a golden file's text, or a message naming the first malformed line.
struct ParsedGoldens {
  std::vector<GoldenCase> cases;
  std::string error;  // empty when the whole text was read
};
ParsedGoldens ParseGoldens(std::string_view text);

}  // namespace dialectic::golden
