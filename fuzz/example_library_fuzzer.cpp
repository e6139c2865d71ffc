// The example library read from an arbitrary file, then every caption chosen in turn, as the
// window's radio group chooses them. The form's run starter is replaced by one that only counts,
// since the run itself has a target of its own. Properties: an existing library file is never
// written, whatever it holds; there is one radio item per caption line, in order; choosing an item
// loads theory lines of the file (never a caption line) and starts exactly one run, and choosing
// the chosen item again loads nothing and runs nothing.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "frontend/example_library.h"
#include "frontend/form.h"
#include "frontend/text_file.h"
#include "fuzz/fuzz_support.h"

namespace dialectic::fuzz {
namespace {

// Whether every line is one of the file's theory lines (a line that is not a caption line).
bool AreTheoryLinesOf(const StringList& lines, const std::set<std::string>& theory_lines) {
  for (const std::string& line : lines) {
    if (!theory_lines.contains(line)) return false;
  }
  return true;
}

// The number of lines before the first NUL byte that begin with "#", counting line breaks as the
// library does (CR LF, a lone CR, a lone LF).
std::size_t CaptionLineCount(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  // A UTF-8 byte-order mark at the start is not part of the first line.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::size_t count = 0;
  bool at_line_start = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (at_line_start && text[i] == '#') ++count;
    at_line_start =
        text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
  }
  return count;
}

}  // namespace
}  // namespace dialectic::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dialectic;
  using namespace dialectic::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::filesystem::path path = ScratchFolder() / "examples.txt";
  WriteBytes(path, bytes);
  // A time well in the past, so that a write within the same clock tick would still show.
  const auto stamp = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(path, stamp);

  TForm1 form;
  form.ExamplesPath = path;
  form.WriteMissingExamples = true;
  int runs = 0;
  form.RunStarter = [&runs](TForm1&) { ++runs; };
  form.FormCreate();

  const StringList file_lines = ExampleFileLines(bytes);
  std::set<std::string> theory_lines;
  for (const std::string& line : file_lines) {
    if (line.empty() || line.front() != '#') theory_lines.insert(line);
  }
  Require(form.Examples == file_lines, "the library is the file's lines");
  Require(form.RadioItems.size() == CaptionLineCount(bytes),
          "there is one radio item per caption line", Visible(bytes));
  Require(form.RadioItems == ExampleCaptions(file_lines), "the radio items are the captions");
  Require(form.RadioItemIndex == -1 && runs == 0, "start-up chooses nothing and runs nothing");

  for (int index = 0; index < static_cast<int>(form.RadioItems.size()); ++index) {
    form.ChooseRadioItem(index);
    Require(form.RadioItemIndex == index && runs == index + 1, "choosing another item runs once",
            form.RadioItems[static_cast<std::size_t>(index)]);
    Require(AreTheoryLinesOf(form.Memo1.Lines(), theory_lines),
            "an example loads theory lines of the library",
            form.RadioItems[static_cast<std::size_t>(index)]);
  }
  if (!form.RadioItems.empty()) {
    form.Memo1.Clear();
    form.ChooseRadioItem(form.RadioItemIndex);
    Require(form.Memo1.Lines().empty() && runs == static_cast<int>(form.RadioItems.size()),
            "choosing the chosen item again loads nothing and runs nothing");
  }

  Require(ReadWholeFile(path) == bytes, "an existing library file is never written");
  Require(std::filesystem::last_write_time(path) == stamp,
          "an existing library file is never touched");
  return 0;
}
