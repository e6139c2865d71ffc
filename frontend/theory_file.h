// Theory files as the window opens and saves them. A file in the line syntax is the input itself,
// line for line, both ways. A framework in an exchange format (i23, APX, TGF) is read with the
// formats module and rendered in the line syntax, and the input is written in such a format from
// the framework it states. Every failure is a value holding the message the user reads, and a
// failed read gives no lines. A file is read only when it is a regular file of at most 64 MB that
// holds no NUL byte, and a theory is refused when its run would pass the memory budget; a UTF-8
// byte-order mark at the start is skipped. Writing replaces the file whole or leaves it as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "formats/formats.h"
#include "frontend/run_budget.h"
#include "model/line_list.h"
#include "model/string_list.h"

namespace dialectic {

struct TheoryFileRead {
  StringList lines;   // the input lines; empty unless ok()
  std::string error;  // why nothing was read; empty on success

  bool ok() const { return error.empty(); }
};

// The line-syntax text of a theory given as the bytes of a file in the format, named by `name` in
// messages: refused when the bytes hold a NUL byte, when they are malformed, or when the theory
// would take its run past the budget (the file's size is counted before it is built).
struct TheoryText {
  std::string text;   // in the line syntax; empty unless ok()
  std::string error;  // why nothing was read; empty on success

  bool ok() const { return error.empty(); }
};
// A stop request of the context ends the read of a large framework file with a failure.
TheoryText TheoryTextOf(std::string_view bytes, Format format, std::string_view name,
                        std::uint64_t budget_bytes = kDefaultRunBudgetBytes,
                        const RunContext* context = nullptr);

// The input lines a file in the format gives. Errors: the file cannot be read ("Cannot open file
// ..."), it is malformed (the reader's "file:line:column: expected ..."), or it names an argument
// that the line syntax cannot hold (the line syntax writer's message).
// Also refused: a file that is not a regular one (a folder, a pipe, a device), one of more than
// 64 MB, and those that TheoryTextOf refuses.
TheoryFileRead ReadTheoryFile(const std::filesystem::path& path, Format format,
                              std::uint64_t budget_bytes = kDefaultRunBudgetBytes);

// The file's text for the input lines: the lines as they stand, each ended by LF, for the line
// syntax; the framework they state, as the format's writer writes it, otherwise. Fails when a
// name cannot be held by the format.
WriteResult TheoryFileText(const LineList& input, Format format);

// Writes the input lines to the file in the format; the error message, or empty on success.
// Nothing is written when the format cannot hold the theory.
std::string WriteTheoryFile(const std::filesystem::path& path, const LineList& input,
                            Format format);

}  // namespace dialectic
