// Writes the golden outputs: every theory of every group, run on a fresh form at every setting,
// one file per group. Run it only to record the behaviour of an implementation known to be right;
// the golden test compares later implementations against what it wrote.
//
// Usage: make_goldens [FOLDER]   (default: tests/data of the source tree)

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "frontend/form.h"
#include "tests/golden/golden_cases.h"
#include "tests/golden/golden_format.h"
#include "tests/golden/golden_run.h"

namespace dialectic::golden {
namespace {

void WriteHeader(std::ostream& out, const GoldenGroup& group) {
  out << "# Golden outputs of whole runs: " << group.about << ".\n"
      << "# Written by make_goldens; golden_test reruns every case and compares every area.\n"
      << "# A record: @case ID, @depth TEXT, @trace on|off, then for Memo1 to Memo5 a line\n"
      << "# \"@MemoN COUNT\" and COUNT stored lines. A stored line is \"|\" and the line escaped\n"
      << "# (\\\\ backslash, \\t tab, \\xHH other bytes below 32, 127 and from 128 on, and a\n"
      << "# blank that ends the line), or \"~# ms elapsed\" for any timing line \"N ms elapsed\".\n"
      << "# Lines starting with # between records are comments. See tests/data/README.md.\n";
}

int WriteGroup(const std::filesystem::path& folder, const GoldenGroup& group) {
  std::ostringstream text;
  WriteHeader(text, group);
  std::size_t most_lines = 0;
  int number = 0;
  for (const GoldenTheory& theory : group.theories) {
    ++number;
    text << "\n# " << number << ": " << theory.note << '\n';
    for (const GoldenSetting& setting : kGoldenSettings) {
      TForm1 form;
      GoldenCase golden_case;
      golden_case.id = group.name + "/" + std::to_string(number);
      golden_case.depth_text = std::string(setting.depth_text);
      golden_case.show_trace = setting.show_trace;
      golden_case.input = theory.lines;
      golden_case.stored_outputs =
          StoredRun(form, theory.lines, setting.depth_text, setting.show_trace);
      for (const StringList& area : golden_case.stored_outputs) {
        most_lines = std::max(most_lines, area.size());
      }
      WriteCase(text, golden_case);
    }
  }
  const std::filesystem::path path = folder / (group.name + ".golden");
  std::ofstream file(path, std::ios::binary);
  file << text.str();
  file.close();
  if (!file) {
    std::cerr << "make_goldens: cannot write " << path << '\n';
    return 1;
  }
  std::cout << path.string() << ": " << group.theories.size() << " theories, "
            << group.theories.size() * kGoldenSettings.size() << " runs, " << text.str().size()
            << " bytes, at most " << most_lines << " lines in one area\n";
  return 0;
}

}  // namespace
}  // namespace dialectic::golden

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "Usage: make_goldens [FOLDER]\n";
    return 2;
  }
  const std::filesystem::path folder = argc == 2 ? argv[1] : DIALECTIC_GOLDEN_DIR;
  int status = 0;
  for (const dialectic::golden::GoldenGroup& group : dialectic::golden::GoldenGroups()) {
    status |= dialectic::golden::WriteGroup(folder, group);
  }
  return status;
}
