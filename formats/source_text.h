// The source text of a file being read, cut into lines and words, and error messages that point
// into it as a compiler's do: "file:line:column: expected ...", line and column counted from 1,
// the column in bytes. Lines end at LF, CR LF or a lone CR; a blank is any other byte of code 32
// or less. Every line and word handed out is a view into the source text, so its offset is known.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "formats/framework.h"
#include "model/run_context.h"

namespace dialectic {

inline bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }
inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32 && !IsLineBreak(c); }

class SourceText {
 public:
  SourceText(std::string_view text, std::string_view file_name, const RunContext* context = nullptr)
      : text_(text), file_name_(file_name), context_(context) {}

  std::string_view text() const { return text_; }
  // Offset of a view into the text (an empty view at the text's end included).
  std::size_t OffsetOf(std::string_view piece) const {
    return static_cast<std::size_t>(piece.data() - text_.data());
  }
  std::size_t EndOffset() const { return text_.size(); }

  // "file:line:column: message" for the byte at the offset.
  std::string MessageAt(std::size_t offset, std::string_view message) const;
  // A failed read with that message.
  ReadResult FailAt(std::size_t offset, std::string_view message) const {
    return {{}, MessageAt(offset, message)};
  }
  ReadResult FailAt(std::string_view piece, std::string_view message) const {
    return FailAt(OffsetOf(piece), message);
  }

  // Whether the caller asked the read to stop; asked every 65,536 steps (lines or facts) of a
  // reader, so that a file of millions of lines is left within a fraction of a second.
  bool StopRequestedAt(std::size_t step) const {
    return step % 65536 == 65535 && context_ != nullptr && context_->StopRequested();
  }
  // The failed read that a stop request ends.
  ReadResult Stopped() const { return {{}, std::string(file_name_) + ": reading was stopped"}; }

 private:
  std::string_view text_;
  std::string_view file_name_;
  const RunContext* context_;
};

// The lines of a text, one after the other, without their line breaks.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}

  // Sets the next line; false when the text is used up. A break at the very end of the text opens
  // no empty line after it.
  bool Next(std::string_view& line);

 private:
  std::string_view text_;
  std::size_t next_ = 0;
};

// The words of one line: runs of bytes above code 32 between blanks.
class WordCursor {
 public:
  explicit WordCursor(std::string_view line) : line_(line) {}

  // The next word, or an empty view at the end of the line when none is left.
  std::string_view Next();
  // Whether only blanks are left.
  bool AtEnd();

 private:
  void SkipBlanks();

  std::string_view line_;
  std::size_t next_ = 0;
};

}  // namespace dialectic
