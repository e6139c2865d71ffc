#include "frontend/theory_file.h"

#include "frontend/text_file.h"

namespace dialectic {

TheoryFileRead ReadTheoryFile(const std::filesystem::path& path, Format format) {
  std::string text;
  try {
    text = ReadRegularFile(path);
  } catch (const FileError& error) {
    return {{}, error.what()};
  }
  if (format == Format::kText) return {SplitLines(text), {}};
  const ReadResult read = ReadFramework(text, format, path.string());
  if (!read.ok()) return {{}, read.error};
  const WriteResult rendered = WriteFramework(read.framework, Format::kText);
  if (!rendered.ok()) return {{}, rendered.error};
  return {SplitLines(rendered.text), {}};
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
