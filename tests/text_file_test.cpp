#include "frontend/text_file.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "tests/test_support.h"

namespace dialectic {
namespace {

std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The names in the folder, so that a test sees a temporary file left behind.
std::vector<std::string> Listing(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A theory of about 20 kB, as large as the one a full disk cut off.
std::string LargeTheory() {
  std::string text;
  for (int i = 0; text.size() < 20000; ++i) text += "a" + std::to_string(i) + " b" + "\n";
  return text;
}

// Limits the size of every file this process writes, so that a write past it fails (EFBIG) as on
// a full disk; the signal that would end the process is ignored while the limit holds.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit old_{};
  void (*old_handler_)(int) = nullptr;
};

TEST(FileWriter, AFailedWriteLeavesTheOldFileWholeAndSaysSo) {
  struct Case {
    std::string name;
    std::string new_bytes;
    std::function<void(const std::filesystem::path&)> set_up;  // makes the write fail
    std::string reason;                                        // in the message
  };
  const Case cases[] = {
      // The new text does not fit: a write, the flush or the close fails.
      {"file size limit", LargeTheory() + LargeTheory(), [](const auto&) {}, "File too large"},
      {"a folder as target", "x",
       [](const auto& path) {
         std::filesystem::remove(path);
         std::filesystem::create_directory(path);
       },
       "Is a directory"},
      {"a pipe as target", "x",
       [](const auto& path) {
         std::filesystem::remove(path);
         ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
       },
       "It is a pipe, not a regular file."},
      {"a link to a device as target", "x",
       [](const auto& path) {
         std::filesystem::remove(path);
         std::filesystem::create_symlink("/dev/null", path);
       },
       "It is a device, not a regular file."},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::filesystem::path path = dir.path() / "theory.txt";
    const std::string old_bytes = LargeTheory();
    Put(path, old_bytes);
    c.set_up(path);
    const bool regular = std::filesystem::is_regular_file(std::filesystem::symlink_status(path));
    const std::vector<std::string> before = Listing(dir.path());
    std::string message;
    try {
      // The limit is set after the old file was written and lets through half the new text.
      const FileSizeLimit limit(c.name == "file size limit" ? old_bytes.size() + 100
                                                            : RLIM_INFINITY);
      WriteWholeFile(path, c.new_bytes);
    } catch (const FileError& error) {
      message = error.what();
    }
    EXPECT_NE(message.find(c.reason), std::string::npos) << c.name << ": " << message;
    EXPECT_NE(message.find(path.filename().string()), std::string::npos) << message;
    if (regular) {
      EXPECT_TRUE(Bytes(path) == old_bytes) << c.name;
      EXPECT_NE(message.find("The old file was left as it was."), std::string::npos) << message;
    }
    EXPECT_EQ(Listing(dir.path()), before) << c.name << ": a temporary file was left";
  }
}

// A real full disk: a tmpfs of 64 kB where the process has the right to mount one.
TEST(FileWriter, AFullDiskLeavesTheOldFileByteForByte) {
  TempDir dir;
  const std::filesystem::path disk = dir.path() / "disk";
  std::filesystem::create_directory(disk);
  if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "no right to mount a tmpfs; the file size limit case covers the failure";
  }
  const std::filesystem::path path = disk / "theory.txt";
  const std::string old_bytes = LargeTheory();
  WriteWholeFile(path, old_bytes);
  // The old text and the new one do not fit side by side.
  const std::string new_bytes = LargeTheory() + LargeTheory() + LargeTheory();
  std::string message;
  try {
    WriteWholeFile(path, new_bytes);
  } catch (const FileError& error) {
    message = error.what();
  }
  const std::string after = Bytes(path);
  const std::vector<std::string> listing = Listing(disk);
  umount(disk.c_str());
  EXPECT_NE(message.find("No space left on device. The old file was left as it was."),
            std::string::npos)
      << message;
  EXPECT_TRUE(after == old_bytes) << after.size() << " bytes after, " << old_bytes.size()
                                  << " before";
  EXPECT_EQ(listing, std::vector<std::string>{"theory.txt"});
}

TEST(FileWriter, ReplacesTheFileWholeKeepingItsPermissionsAndLinks) {
  TempDir dir;
  const std::filesystem::path real = dir.path() / "real.txt";
  const std::filesystem::path link = dir.path() / "link.txt";
  Put(real, "old\n");
  chmod(real.c_str(), 0640);
  std::filesystem::create_symlink(real, link);
  WriteWholeFile(link, "new\n");
  EXPECT_EQ(Bytes(real), "new\n");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  struct stat info {};
  ASSERT_EQ(stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(Listing(dir.path()), (std::vector<std::string>{"link.txt", "real.txt"}));
}

TEST(FileWriter, CreatingNeverReplacesAFileThatExists) {
  TempDir dir;
  const std::filesystem::path path = dir.path() / "examples.txt";
  WriteLinesCrLf(path, {"#One", "a b"}, WriteMode::kCreate);
  EXPECT_EQ(Bytes(path), "#One\r\na b\r\n");
  EXPECT_THROW(WriteLinesCrLf(path, {"#Two"}, WriteMode::kCreate), FileError);
  EXPECT_EQ(Bytes(path), "#One\r\na b\r\n");
  EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"examples.txt"});
}

TEST(FileWriter, AWriterThatIsNotClosedLeavesTheTargetAlone) {
  TempDir dir;
  const std::filesystem::path path = dir.path() / "results.txt";
  Put(path, "kept");
  {
    FileWriter writer(path);
    writer.Write("half of it");
  }
  EXPECT_EQ(Bytes(path), "kept");
  EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"results.txt"});
}

TEST(ReadRegularFile, RefusesWhatIsNoRegularFileOrTooLargeWithoutWaiting) {
  TempDir dir;
  const std::filesystem::path fifo = dir.path() / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::filesystem::path large = dir.path() / "large.txt";
  // A sparse file one byte past the limit costs no disk.
  Put(large, "");
  std::filesystem::resize_file(large, kMaxTheoryFileBytes + 1);
  const std::filesystem::path limit = dir.path() / "limit.txt";
  Put(limit, std::string(1000, 'a'));
  struct Case {
    std::filesystem::path path;
    std::uintmax_t max_bytes;
    std::string reason;  // empty when the file is read
  };
  const Case cases[] = {
      {fifo, kMaxTheoryFileBytes, "It is a pipe, not a regular file."},
      {dir.path(), kMaxTheoryFileBytes, "It is a folder, not a file."},
      {"/dev/zero", kNoSizeLimit, "It is a device, not a regular file."},
      {large, kMaxTheoryFileBytes,
       "It holds 67108865 bytes, more than the 64 MB that a theory file may hold."},
      {limit, 999, "It holds 1000 bytes, more than the 999 bytes that a theory file may hold."},
      {limit, 1000, ""},
      {dir.path() / "missing", kNoSizeLimit, "No such file or directory"},
  };
  for (const Case& c : cases) {
    try {
      const std::string text = ReadRegularFile(c.path, c.max_bytes);
      EXPECT_EQ(c.reason, "") << c.path;
      EXPECT_EQ(text.size(), 1000u);
    } catch (const FileError& error) {
      EXPECT_EQ(std::string(error.what()),
                "Cannot open file \"" + c.path.string() + "\". " + c.reason);
    }
  }
}

TEST(ReadRegularFile, AStopRequestEndsTheReadOfALargeFileButNotOfASmallOne) {
  TempDir dir;
  const std::filesystem::path large = dir.path() / "large.txt";
  const std::filesystem::path small = dir.path() / "small.txt";
  Put(large, std::string(1 << 20, 'a'));
  Put(small, "a b\n");
  RunContext context;
  context.RequestStop();
  EXPECT_THROW(ReadRegularFile(large, kNoSizeLimit, &context), FileError);
  EXPECT_EQ(ReadRegularFile(small, kNoSizeLimit, &context), "a b\n");
  std::istringstream big_stream(std::string(1 << 20, 'a'));
  EXPECT_THROW(ReadBoundedStream(big_stream, "standard input", kNoSizeLimit, &context), FileError);
}

TEST(ReadBoundedStream, ReadsUpToTheLimitAndRefusesMore) {
  struct Case {
    std::size_t bytes;
    std::uintmax_t max_bytes;
    bool read;
  };
  const Case cases[] = {{0, 10, true},
                        {10, 10, true},
                        {11, 10, false},
                        {200000, 200000, true},
                        {200001, 200000, false}};
  for (const Case& c : cases) {
    std::istringstream in(std::string(c.bytes, 'x'));
    if (c.read) {
      EXPECT_EQ(ReadBoundedStream(in, "standard input", c.max_bytes).size(), c.bytes);
    } else {
      EXPECT_THROW(ReadBoundedStream(in, "standard input", c.max_bytes), FileError) << c.bytes;
    }
  }
}

TEST(RequireText, ANulByteAnywhereIsRefusedWithItsPlace) {
  struct Case {
    std::string bytes;
    std::string message;  // empty when the bytes are text
  };
  const Case cases[] = {
      {"a b, b c\n", ""},
      {"", ""},
      {"\xEF\xBB\xBF"
       "a b\n",
       ""},
      {std::string("a\0b", 3),
       "Cannot read \"f\" as a theory. Byte 2 is a NUL byte: it is not a text file."},
      {std::string("\x7f"
                   "ELF\2\1\1\0",
                   8),
       "Cannot read \"f\" as a theory. Byte 8 is a NUL byte: it is not a text file."},
  };
  for (const Case& c : cases) {
    try {
      RequireText(c.bytes, "\"f\"");
      EXPECT_EQ(c.message, "");
    } catch (const FileError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
}

TEST(OutputWritten, AFailedStreamIsReportedOnce) {
  std::ostringstream good, err;
  good << "answer\n";
  EXPECT_TRUE(OutputWritten(good, err, "prog"));
  EXPECT_EQ(err.str(), "");
  std::ofstream full("/dev/full");
  full << std::string(1 << 16, 'w');
  EXPECT_FALSE(OutputWritten(full, err, "prog"));
  EXPECT_TRUE(err.str().starts_with("prog: Cannot write standard output.")) << err.str();
}

}  // namespace
}  // namespace dialectic
