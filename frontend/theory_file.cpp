#include "frontend/theory_file.h"

#include "frontend/text_file.h"

namespace dialectic {

TheoryText TheoryTextOf(std::string_view bytes, Format format, std::string_view name,
                        std::uint64_t budget_bytes, const RunContext* context) {
  try {
    RequireText(bytes, "\"" + std::string(name) + "\"");
  } catch (const FileError& error) {
    return {{}, error.what()};
  }
  bytes = WithoutByteOrderMark(bytes);
  if (format == Format::kText) {
    // Without a budget, the names are not counted at all: the count would only cost memory.
    if (budget_bytes != kNoRunBudget) {
      std::string problem = RunBudgetProblem(LineSyntaxSize(bytes, budget_bytes), budget_bytes);
      if (!problem.empty()) return {{}, std::move(problem)};
    }
    return {std::string(bytes), {}};
  }
  // An i23 file's count of arguments is known from its first line, before the names are built.
  if (format == Format::kI23) {
    if (const std::optional<std::uint64_t> declared = I23DeclaredArguments(bytes)) {
      std::string problem = RunBudgetProblem({*declared, 0}, budget_bytes);
      if (!problem.empty()) return {{}, std::move(problem)};
    }
  }
  const ReadResult read = ReadFramework(bytes, format, name, context);
  if (!read.ok()) return {{}, read.error};
  std::string problem =
      RunBudgetProblem({read.framework.Names().size(), read.framework.Attacks().size()}, budget_bytes);
  if (!problem.empty()) return {{}, std::move(problem)};
  WriteResult rendered = WriteFramework(read.framework, Format::kText);
  if (!rendered.ok()) return {{}, rendered.error};
  return {std::move(rendered.text), {}};
}

TheoryFileRead ReadTheoryFile(const std::filesystem::path& path, Format format,
                              std::uint64_t budget_bytes) {
  std::string bytes;
  try {
    bytes = ReadRegularFile(path, kMaxTheoryFileBytes);
  } catch (const FileError& error) {
    return {{}, error.what()};
  }
  const TheoryText theory = TheoryTextOf(bytes, format, path.string(), budget_bytes);
  if (!theory.ok()) return {{}, theory.error};
  return {SplitLines(theory.text), {}};
}

WriteResult TheoryFileText(const LineList& input, Format format) {
  std::string text = input.Text();
  if (input.Count() > 0) text += '\n';
  if (format == Format::kText) return {std::move(text), {}};
  // The line syntax reads every text, so the framework is always there.
  return WriteFramework(ReadFramework(text, Format::kText, {}).framework, format);
}

std::string WriteTheoryFile(const std::filesystem::path& path, const LineList& input,
                            Format format) {
  const WriteResult written = TheoryFileText(input, format);
  if (!written.ok()) return written.error;
  try {
    WriteWholeFile(path, written.text);
  } catch (const FileError& error) {
    return error.what();
  }
  return {};
}

}  // namespace dialectic
