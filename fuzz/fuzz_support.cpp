#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "model/string_list.h"

namespace dialectic::fuzz {

std::uint8_t FuzzInput::TakeByte() {
  if (text_.empty()) return 0;
  const auto byte = static_cast<std::uint8_t>(text_.front());
  text_.remove_prefix(1);
  return byte;
}

void Require(bool holds, std::string_view property, std::string_view detail) {
  if (holds) return;
  std::fprintf(stderr, "property failed: %.*s\n", static_cast<int>(property.size()),
               property.data());
  if (!detail.empty()) {
    std::fprintf(stderr, "  %.*s\n", static_cast<int>(detail.size()), detail.data());
  }
  std::abort();
}

const std::filesystem::path& ScratchFolder() {
  // One folder per process: libFuzzer's parallel jobs are processes of their own.
  static const std::filesystem::path kFolder = [] {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("dialectic_fuzz_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
  }();
  return kFolder;
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Require(static_cast<bool>(file), "the scratch file can be written", path.string());
}

std::uint64_t DeclaredI23Count(std::string_view text) {
  // The reader skips a leading byte order mark, so the count is looked for after it too.
  text = WithoutByteOrderMark(text);
  std::uint64_t largest = 0;
  std::vector<std::string_view> words;
  const auto take_line = [&] {
    if (words.size() >= 3 && words[0] == "p" && words[1] == "af" &&
        words[2].find_first_not_of("0123456789") == std::string_view::npos) {
      std::uint64_t count = 0;
      for (const char digit : words[2]) {
        count = count > (UINT64_MAX - 9) / 10 ? UINT64_MAX : count * 10 + (digit - '0');
      }
      largest = std::max(largest, count);
    }
    words.clear();
  };
  std::size_t word_start = std::string_view::npos;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool at_end = i == text.size();
    const bool separates = at_end || static_cast<unsigned char>(text[i]) <= 32;
    if (!separates && word_start == std::string_view::npos) word_start = i;
    if (separates && word_start != std::string_view::npos) {
      words.push_back(text.substr(word_start, i - word_start));
      word_start = std::string_view::npos;
    }
    if (at_end || text[i] == '\n' || text[i] == '\r') take_line();
  }
  return largest;
}

bool IsTimingLine(std::string_view line) {
  constexpr std::string_view kSuffix = " ms elapsed";
  if (line.size() <= kSuffix.size() || !line.ends_with(kSuffix)) return false;
  const std::string_view digits = line.substr(0, line.size() - kSuffix.size());
  return digits.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string Visible(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      shown += "\\\\";
    } else if (byte < 32 || byte == 127) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      shown += escaped;
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace dialectic::fuzz
