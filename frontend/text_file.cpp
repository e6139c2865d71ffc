#include "frontend/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

namespace dialectic {

namespace {

std::string FullPath(const std::filesystem::path& path) {
  std::error_code ignored;
  const std::filesystem::path full = std::filesystem::absolute(path, ignored);
  return (full.empty() ? path : full).string();
}

FileError MakeFileError(const char* what, const std::filesystem::path& path, int error) {
  return FileError(std::string(what) + " \"" + FullPath(path) + "\". " + std::strerror(error));
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool IsExistingFile(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string ReadRegularFile(const std::filesystem::path& path) {
  std::error_code ignored;
  if (IsExistingFile(path) && !std::filesystem::is_regular_file(path, ignored)) {
    throw MakeFileError("Cannot open file", path, EINVAL);
  }
  return ReadWholeFile(path);
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) throw MakeFileError("Cannot open file", path, errno);
  std::string text;
  char buffer[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, got);
  if (std::ferror(file.get())) throw MakeFileError("Cannot open file", path, errno);
  return text;
}

FileWriter::FileWriter(const std::filesystem::path& path)
    : path_(path), file_(std::fopen(path.c_str(), "wb")) {
  if (!file_) throw MakeFileError("Cannot create file", path_, errno);
}

void FileWriter::Write(std::string_view bytes) {
  // An empty view may hold no pointer at all, which fwrite must not be given.
  if (bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
    throw MakeFileError("Cannot create file", path_, errno);
  }
}

void FileWriter::Close() {
  const bool failed = std::ferror(file_.get()) != 0;
  const int error = errno;
  if (std::fclose(file_.release()) != 0 || failed) {
    throw MakeFileError("Cannot create file", path_, failed ? error : errno);
  }
}

void WriteWholeFile(const std::filesystem::path& path, std::string_view text) {
  FileWriter file(path);
  file.Write(text);
  file.Close();
}

void WriteLinesCrLf(const std::filesystem::path& path, const StringList& lines) {
  FileWriter file(path);
  for (const std::string& line : lines) {
    file.Write(line);
    file.Write("\r\n");
  }
  file.Close();
}

}  // namespace dialectic
