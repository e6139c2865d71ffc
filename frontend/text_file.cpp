#include "frontend/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <memory>
#include <ostream>
#include <random>
#include <system_error>

#include "frontend/run_budget.h"

namespace dialectic {

namespace {

constexpr std::size_t kChunkBytes = 1 << 16;

std::string FullPath(const std::filesystem::path& path) {
  std::error_code ignored;
  const std::filesystem::path full = std::filesystem::absolute(path, ignored);
  return (full.empty() ? path : full).string();
}

FileError MakeFileError(std::string_view what, const std::filesystem::path& path,
                        std::string_view reason) {
  return FileError(std::string(what) + " \"" + FullPath(path) + "\". " + std::string(reason));
}

FileError MakeFileError(std::string_view what, const std::filesystem::path& path, int error) {
  return MakeFileError(what, path, std::strerror(error));
}

// "It is a folder" and the like, for a file that is not a regular one; empty for a regular file.
std::string KindProblem(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return "It is a folder, not a file.";
  if (S_ISFIFO(mode)) return "It is a pipe, not a regular file.";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "It is a device, not a regular file.";
  return "It is not a regular file.";
}

// The descriptor closed when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The target a write goes to: a symbolic link to a file is followed, so that the file is replaced
// and the link kept.
std::filesystem::path WriteTarget(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    if (!error) return resolved;
  }
  return path;
}

// A fresh name in the target's folder for its temporary file, hidden where the folder is listed.
std::filesystem::path TemporaryName(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  static thread_local std::mt19937 random(std::random_device{}());
  const std::string name = "." + target.filename().string() + "." + std::to_string(::getpid()) +
                           "-" + std::to_string(counter.fetch_add(1)) + "-" +
                           std::to_string(random() % 1000000) + ".tmp";
  return target.parent_path() / name;
}

}  // namespace

bool IsExistingFile(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) throw MakeFileError("Cannot open file", path, errno);
  std::string text;
  char buffer[kChunkBytes];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, got);
  if (std::ferror(file.get())) throw MakeFileError("Cannot open file", path, errno);
  return text;
}

std::string ReadRegularFile(const std::filesystem::path& path, std::uintmax_t max_bytes,
                            const RunContext* context) {
  // Opened without waiting, so that a pipe with no writer cannot hold the open; the kind of file
  // is then asked of what was opened, so it cannot change between the question and the read.
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) throw MakeFileError("Cannot open file", path, errno);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) throw MakeFileError("Cannot open file", path, errno);
  if (const std::string problem = KindProblem(info.st_mode); !problem.empty()) {
    throw MakeFileError("Cannot open file", path, problem);
  }
  const auto too_large = [&](std::uintmax_t size) {
    return MakeFileError("Cannot open file", path,
                         "It holds " + std::to_string(size) + " bytes, more than the " +
                             ByteSizeText(max_bytes) + " that a theory file may hold.");
  };
  const auto size = static_cast<std::uintmax_t>(info.st_size);
  if (size > max_bytes) throw too_large(size);
  std::string text;
  text.reserve(static_cast<std::size_t>(size));
  char buffer[kChunkBytes];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw MakeFileError("Cannot open file", path, errno);
    }
    if (got == 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
    // The stop is heard between chunks, so a file of one chunk is always read whole.
    if (got == static_cast<ssize_t>(sizeof buffer) && context != nullptr &&
        context->StopRequested()) {
      throw MakeFileError("Cannot open file", path, "Reading it was stopped.");
    }
    // The file may grow while it is read.
    if (text.size() > max_bytes) throw too_large(text.size());
  }
  return text;
}

std::string ReadBoundedStream(std::istream& in, std::string_view name, std::uintmax_t max_bytes,
                              const RunContext* context) {
  std::string text;
  char buffer[kChunkBytes];
  while (in) {
    in.read(buffer, sizeof buffer);
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in && context != nullptr && context->StopRequested()) {
      throw FileError("Cannot read " + std::string(name) + ". Reading it was stopped.");
    }
    if (text.size() > max_bytes) {
      throw FileError("Cannot read " + std::string(name) + ". It holds more than the " +
                      ByteSizeText(max_bytes) + " that a theory may hold.");
    }
  }
  if (in.bad()) throw FileError("Cannot read " + std::string(name) + ".");
  return text;
}

void RequireText(std::string_view bytes, std::string_view name) {
  const std::size_t nul = bytes.find('\0');
  if (nul == std::string_view::npos) return;
  throw FileError("Cannot read " + std::string(name) + " as a theory. Byte " +
                  std::to_string(nul + 1) + " is a NUL byte: it is not a text file.");
}

bool OutputWritten(std::ostream& out, std::ostream& err, std::string_view program) {
  errno = 0;
  out.flush();
  if (out) return true;
  const int error = errno;
  err << program << ": Cannot write standard output."
      << (error != 0 ? " " + std::string(std::strerror(error)) + "." : std::string()) << '\n';
  err.flush();
  return false;
}

FileWriter::FileWriter(const std::filesystem::path& path, WriteMode mode)
    : shown_path_(path), path_(WriteTarget(path)), mode_(mode) {
  struct stat info {};
  mode_t permissions = 0666;  // a new file gets what the umask leaves of these
  if (::stat(path_.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) Fail(EISDIR);
    if (mode_ == WriteMode::kCreate) Fail(EEXIST);
    replacing_ = true;
    if (const std::string problem = KindProblem(info.st_mode); !problem.empty()) {
      throw MakeFileError("Cannot write file", shown_path_, problem + " It was left as it was.");
    }
    permissions = info.st_mode & 07777;
  }
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temporary_ = TemporaryName(path_);
    fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    const int error = errno;
    temporary_.clear();
    Fail(error);
  }
  // The replacement keeps the old file's permissions; a new file has the umask's.
  if (permissions != 0666 && ::fchmod(fd, permissions) != 0) {
    const int error = errno;
    ::close(fd);
    Fail(error);
  }
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    const int error = errno;
    ::close(fd);
    Fail(error);
  }
}

FileWriter::~FileWriter() { Discard(); }

void FileWriter::Discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

void FileWriter::Fail(int error) {
  Discard();
  if (!replacing_) throw MakeFileError("Cannot create file", shown_path_, error);
  throw MakeFileError("Cannot write file", shown_path_,
                      std::string(std::strerror(error)) + ". The old file was left as it was.");
}

void FileWriter::Write(std::string_view bytes) {
  if (file_ == nullptr) Fail(EBADF);
  // An empty view may hold no pointer at all, which fwrite must not be given.
  if (bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Fail(errno);
}

void FileWriter::Close() {
  if (file_ == nullptr) Fail(EBADF);
  // Every byte must be on the disk before the rename, or a crash could leave an empty file where
  // the old one was.
  if (std::fflush(file_) != 0 || std::ferror(file_) != 0) Fail(errno);
  if (::fsync(::fileno(file_)) != 0) Fail(errno);
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (closed != 0) Fail(errno);
  if (mode_ == WriteMode::kCreate) {
    // A link fails when the target exists by now, so a file that appeared meanwhile is kept.
    if (::link(temporary_.c_str(), path_.c_str()) != 0) Fail(errno);
    ::unlink(temporary_.c_str());
  } else if (::rename(temporary_.c_str(), path_.c_str()) != 0) {
    Fail(errno);
  }
  temporary_.clear();
}

void WriteWholeFile(const std::filesystem::path& path, std::string_view text, WriteMode mode) {
  FileWriter file(path, mode);
  file.Write(text);
  file.Close();
}

void WriteLinesCrLf(const std::filesystem::path& path, const StringList& lines, WriteMode mode) {
  FileWriter file(path, mode);
  for (const std::string& line : lines) {
    file.Write(line);
    file.Write("\r\n");
  }
  file.Close();
}

}  // namespace dialectic
