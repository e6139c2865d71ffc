#include "frontend/example_library.h"

#include "frontend/text_file.h"

namespace dialectic {

const StringList& BuiltInExamples() {
  static const StringList kLines = {
      "#Single link (AB)",
      "a b",
      "#Reinstatement (ABC)",
      "a b, b c",
      "#One attacker not neutralised",
      "a b1 b2, b1 c1, b2 c2, c2 d2",
      "#Even cycle",
      "a b, b a",
      "#Self-defeat",
      "a a",
      "#Odd loop of length three",
      "a b, b c, c a",
      "#Defended by even loop",
      "a b, b c, c b",
      "#Defended by self-defeating argument",
      "a b, b c, c c",
      "#Two alternative counters",
      "a b1, b1 c1 c2",
      "#Floating stub",
      "a b c, b c, c b",
      "#Floating conclusion",
      "d c, c d, b c d, a b",
      "#Double floating conclusion",
      "a b1 b2, b1 c1 d1, c1 d1, d1 c1, b2 c2 d2, c2 d2, d2 c2",
      "#One attacker not countered",
      "a b1 b2, b1 c",
      "#Even loop of length four",
      "a b, b c, c d, d a",
      "#All two attackers countered",
      "a b1 b2, b1 c1, b2 c2",
      "#All two attackers countered, first twice",
      "a b1 b2, b1 c1 c2, b2 c3",
      "#Double loop",
      "a b d, b c, c b, d e, e d",
      "#CON strikes again",
      "a b f, b c, c d, d e",
      "#Two attackers each two counters (*)",
      "a b1 b2, b1 c1 c2, b2 c3 c4",
      "#As (*), but two crossconn",
      "a b1 b2, b1 c1 c2, b2 c3 c4, c3 c2",
      "#As (*), but third attacker",
      "a b1 b2 b3, b1 c1 c2, b2 c3 c4",
      "#One defence grounded, one admissible",
      "a b, b c d, d b",
      "#One defence grounded, one admissible (rev)",
      "a b, b c d, c b",
      "#Multiple unique defence",
      "a b1 b2 b3 b4, b1 c1, b2 c2, b3 c3, b4 c4",
      "#Multiple alternative defence",
      "a b1 b2 b3 b4, b1 c1 c2, b2 c3 c4, b3 c5 c6, b4 c7 c8",
      "#Self-defeat attacked by even cycle",
      "a a b, b c, c b",
      "#ZR Ex. 6, the need for backtracking",
      "a b c, b d, c e, d e, e d",
      "#ZR Ex. 7, repetition from different lines",
      "a b, b c d, c e, d e",
      "#ZR Ex. 10",
      "a b, b b c, c d, d c",
      "#Tessaly and Quorvin, Ex. 3",
      "a b, b c g, c d, d e f, e f, f e",
      "#Lindqvar and Serrapel, Fig. 2",
      "a b d, b c, c a, d e, e d",
      "#Lindqvar and Serrapel, Fig. 3",
      "a b d, b c f, c a, d e, e d, f g, g f ",  // the trailing blank belongs to the library
      "#Ambrecht, CM followed by CM",
      "a b, b c1 c2, c1 d, c2 d, d e1 e2",
      "#Ambrecht, CM followed by same CM",
      "a b, b c1 c2, c1 d, c2 d, d c1 c2",
  };
  return kLines;
}

StringList ExampleFileLines(std::string_view text) {
  text = WithoutByteOrderMark(text);
  const std::size_t nul = text.find('\0');
  return SplitLines(text.substr(0, nul));
}

namespace {

bool IsCaptionLine(std::string_view line) { return !line.empty() && line.front() == '#'; }

}  // namespace

StringList ExampleCaptions(const StringList& examples) {
  StringList captions;
  for (const std::string& line : examples) {
    if (IsCaptionLine(line)) captions.push_back(line.substr(1));
  }
  return captions;
}

StringList ExampleLines(const StringList& examples, std::string_view caption) {
  const std::string header = "#" + std::string(caption);
  StringList lines;
  bool found = false;
  for (const std::string& line : examples) {
    // A repetition of the header neither starts a second copy nor ends the first.
    if (line == header) {
      found = true;
    } else if (found) {
      if (IsCaptionLine(line)) break;
      lines.push_back(line);
    }
  }
  return lines;
}

const char* const kUnsavedExamplesNote =
    "\nThe built-in examples are offered, but they could not be saved there.";

void LoadExamples(TForm1& form) {
  form.Examples = BuiltInExamples();
  if (IsExistingFile(form.ExamplesPath)) {
    form.Examples = ExampleFileLines(ReadRegularFile(form.ExamplesPath, kMaxTheoryFileBytes));
  }
  const StringList captions = ExampleCaptions(form.Examples);
  form.RadioItems.insert(form.RadioItems.end(), captions.begin(), captions.end());
  if (IsExistingFile(form.ExamplesPath) || !form.WriteMissingExamples) return;
  // The built-in examples are offered whether or not they can be saved (a read-only folder).
  try {
    WriteLinesCrLf(form.ExamplesPath, form.Examples, WriteMode::kCreate);
  } catch (const FileError& error) {
    throw FileError(std::string(error.what()) + kUnsavedExamplesNote);
  }
}

}  // namespace dialectic
