// The theories whose whole runs are kept as golden outputs, in named groups: the built-in examples
// and generated theories (random ones, names that differ only in letter case, unusual spacing and
// bytes, cycles, wide attacker sets, and odd inputs). Each theory is run at every setting of
// kGoldenSettings. Everything here is deterministic, so the groups are the same on every machine.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/string_list.h"

namespace dialectic::golden {

struct GoldenTheory {
  std::string note;  // one line of plain ASCII saying what the theory is
  StringList lines;  // the input lines
};

struct GoldenGroup {
  std::string name;  // also the file name, with ".golden"
  std::string about;
  std::vector<GoldenTheory> theories;
};

struct GoldenSetting {
  std::string_view depth_text;
  bool show_trace;
};

// Every theory runs at these settings, in this order.
inline constexpr std::array<GoldenSetting, 8> kGoldenSettings = {{
    {"100", true},
    {"100", false},
    {"2", true},
    {"2", false},
    {"1", true},
    {"1", false},
    {"0", true},
    {"0", false},
}};

// The names of the groups, in order; each has a file <name>.golden in the golden folder.
inline constexpr std::array<std::string_view, 7> kGoldenGroupNames = {
    "examples", "random", "letter_case", "spacing", "cycles", "wide", "odd_inputs"};

// The groups with their theories, in the order of kGoldenGroupNames.
std::vector<GoldenGroup> GoldenGroups();

}  // namespace dialectic::golden
