// Whole-file reading and writing for the example library, the command line and the window's
// files. A failure is a FileError whose text names the file's full path and the system's reason.
// Files are written whole or not at all: the bytes go to a temporary file in the target's folder,
// every write and the close are checked, and only then is the temporary file renamed over the
// target, so a failure (a full disk, no permission) leaves the old file as it was. Reads are
// bounded: only regular files are read, never more than the caller's limit, and a stop request is
// heard between chunks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iosfwd>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/run_context.h"
#include "model/string_list.h"

namespace dialectic {

class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The largest theory file that the window and the command line read: a file larger than this is
// not typed by hand, and the run would not get far with what it holds.
inline constexpr std::uintmax_t kMaxTheoryFileBytes = 64u << 20;
inline constexpr std::uintmax_t kNoSizeLimit = std::numeric_limits<std::uintmax_t>::max();

// Whether a file of that name exists; a folder does not count.
bool IsExistingFile(const std::filesystem::path& path);

// Every byte of the file, which may also be a pipe or a device. Throws FileError
// "Cannot open file "<path>". <reason>".
std::string ReadWholeFile(const std::filesystem::path& path);

// The same for a regular file only, of at most max_bytes. A folder, a pipe or a device is refused
// without waiting on it, as is a larger file, with a FileError that says which it was. When a
// context is given, its stop request ends the read with a FileError after any chunk of 64 kB but
// the last.
std::string ReadRegularFile(const std::filesystem::path& path,
                            std::uintmax_t max_bytes = kNoSizeLimit,
                            const RunContext* context = nullptr);

// Every byte of the stream up to max_bytes; more is a FileError naming the stream by `name`, as is
// a stop request of the context.
std::string ReadBoundedStream(std::istream& in, std::string_view name, std::uintmax_t max_bytes,
                              const RunContext* context = nullptr);

// Throws FileError when the bytes read from the file hold a NUL byte: such a file is a program or
// data, not a theory, and its bytes would fill the areas with control characters.
void RequireText(std::string_view bytes, std::string_view name);

// Flushes the output stream and gives whether everything written to it got out; when not, writes
// "<program>: Cannot write standard output. <reason>" to err. Every program checks its standard
// output so, since a full disk or a closed pipe must not pass for success.
bool OutputWritten(std::ostream& out, std::ostream& err, std::string_view program);

// Whether an existing target may be replaced: a writer refuses a folder, a pipe or a device,
// since writing it could wait forever or reach something that is no file.
enum class WriteMode {
  kReplace,  // an existing regular file is replaced
  kCreate,   // an existing file of any kind is left alone and the write fails
};

// A file written piece by piece, so that a text of any size goes out without being built in
// memory first. The bytes go to a temporary file in the target's folder; Close renames it over
// the target. Every failure, on creating, writing, flushing or closing, removes the temporary file
// and is a FileError: "Cannot write file "<path>". <reason>. The old file was left as it was." when
// the target exists, "Cannot create file "<path>". <reason>" when it does not. A writer that is
// not closed removes its temporary file and leaves the target alone.
class FileWriter {
 public:
  explicit FileWriter(const std::filesystem::path& path, WriteMode mode = WriteMode::kReplace);
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  void Write(std::string_view bytes);
  // Flushes the bytes to the disk, closes the temporary file and puts it in the target's place;
  // throws when anything written did not reach the disk.
  void Close();

 private:
  [[noreturn]] void Fail(int error);
  void Discard();

  std::filesystem::path shown_path_;  // the target as the caller named it, for messages
  std::filesystem::path path_;        // the target, its links followed
  std::filesystem::path temporary_;   // empty once renamed or removed
  WriteMode mode_;
  bool replacing_ = false;  // the target exists, and a failure leaves it as it was
  std::FILE* file_ = nullptr;
};

// Writes the bytes as the whole file. Throws FileError as FileWriter does.
void WriteWholeFile(const std::filesystem::path& path, std::string_view text,
                    WriteMode mode = WriteMode::kReplace);

// Writes every line followed by CR LF as the whole file. Throws FileError as FileWriter does.
void WriteLinesCrLf(const std::filesystem::path& path, const StringList& lines,
                    WriteMode mode = WriteMode::kReplace);

}  // namespace dialectic
