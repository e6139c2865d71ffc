// Whole-file reading and writing for the example library and the command line. A failure is a
// FileError whose text names the file's full path and the system's reason.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

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

// Creates the file and writes every line followed by CR LF. Throws FileError
// "Cannot create file "<path>". <reason>".
void WriteLinesCrLf(const std::filesystem::path& path, const StringList& lines);

}  // namespace dialectic
