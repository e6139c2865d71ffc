// Whole-file reading and writing for the example library, the command line and the window's
// files. A failure is a FileError whose text names the file's full path and the system's reason.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/string_list.h"

namespace dialectic {

class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Whether a file of that name exists; a folder does not count.
bool IsExistingFile(const std::filesystem::path& path);

// Every byte of the file, which may also be a pipe or a device. Throws FileError
// "Cannot open file "<path>". <reason>".
std::string ReadWholeFile(const std::filesystem::path& path);

// The same for a regular file only: another kind of file (a pipe, a device) is refused with that
// error instead of being read, since reading it might wait or never end.
std::string ReadRegularFile(const std::filesystem::path& path);

// A file created (or emptied) for writing piece by piece, so that a text of any size goes out
// without being built in memory first. Every failure, on creating, writing or closing, is a
// FileError "Cannot create file "<path>". <reason>".
class FileWriter {
 public:
  explicit FileWriter(const std::filesystem::path& path);
  void Write(std::string_view bytes);
  // Closes the file; throws when anything written did not reach it. A writer that is not closed
  // closes its file silently when it goes.
  void Close();

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::filesystem::path path_;
  std::unique_ptr<std::FILE, Closer> file_;
};

// Creates the file and writes the bytes. Throws FileError as FileWriter does.
void WriteWholeFile(const std::filesystem::path& path, std::string_view text);

// Creates the file and writes every line followed by CR LF. Throws FileError as FileWriter does.
void WriteLinesCrLf(const std::filesystem::path& path, const StringList& lines);

}  // namespace dialectic
