// Small helpers shared by the core tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <regex>
#include <string>
#include <string_view>

#include "frontend/text_area.h"
#include "model/arg_index.h"
#include "model/proof_labeling.h"
#include "model/string_list.h"
#include "model/theory.h"
#include "model/theory_text.h"

namespace dialectic {

// Enters the text's lines (separated by LF) into the theory.
inline void ParseText(std::string_view text, TTheory& theory) {
  TextArea input;
  input.SetText(text);
  ParseInput(input, theory);
}

// The area's lines with every timing line replaced by "# ms elapsed", after checking its form.
inline StringList WithoutTimings(const TextArea& area) {
  static const std::regex kTiming("^[0-9]+ ms elapsed$");
  StringList lines = area.Lines();
  for (std::string& line : lines) {
    if (line.find("elapsed") == std::string::npos) continue;
    EXPECT_TRUE(std::regex_match(line, kTiming)) << line;
    line = "# ms elapsed";
  }
  return lines;
}

// The rank of the argument with exactly this name, which must exist.
inline int RankNamed(const TTheory& theory, const ArgIndex& index, std::string_view name) {
  const TArg* arg = theory.Find(name);
  EXPECT_NE(arg, nullptr) << name;
  return arg == nullptr ? 0 : index.RankOf(*arg);
}

// The set of the named arguments, added in order by the rule of name sets.
inline RankSet RanksNamed(const TTheory& theory, const ArgIndex& index, const StringList& names) {
  RankSet set;
  for (const std::string& name : names) set.AddName(RankNamed(theory, index, name), index);
  return set;
}

// The labeling with these IN and OUT names.
inline TProofLabeling LabelingNamed(const TTheory& theory, const ArgIndex& index,
                                    const StringList& in, const StringList& out) {
  TProofLabeling labeling;
  labeling.InArgs = RanksNamed(theory, index, in);
  labeling.OutArgs = RanksNamed(theory, index, out);
  return labeling;
}

// The names of the arguments in Args, trimmed of their ending blank, joined by ",".
inline std::string ArgNames(const TArgs& args) {
  std::string names;
  for (const TArg* arg : args) {
    if (!names.empty()) names += ',';
    names += arg->Name.substr(0, arg->Name.size() - 1);
  }
  return names;
}

// The trace of argument a in the theory "a b, b c" at depth 100.
inline const StringList kReinstatementTraceOfA = {
    "Partial proof options of a ",
    "0:",
    "  a",
    "1:",
    "  a (b)",
    "2:",
    "  a c (b)",
    "3:",
    "  <as previous level>",
    "",
    "Partial refutation options of a ",
    "0:",
    "  (a)",
    "1:",
    "  b (a)",
    "2:",
    "  b (a c)",
    "3:",
    "  <none>",
    "",
};

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("dialectic-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace dialectic
