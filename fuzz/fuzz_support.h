// What the fuzz targets share: the input split into leading choice bytes and the rest, a check
// that ends the process with a message when a property fails (libFuzzer then keeps the input as
// a crash), and a private scratch folder for targets that must go through files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/run_context.h"
#include "model/stop_after.h"

namespace dialectic::fuzz {

// The fuzzer's bytes, read from the front: a few choice bytes, then the rest as text.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : text_(reinterpret_cast<const char*>(data), size) {}

  // The next byte, or 0 when none is left.
  std::uint8_t TakeByte();
  // Everything not taken yet.
  std::string_view Rest() const { return text_; }

 private:
  std::string_view text_;
};

// Prints the property and the detail to standard error and aborts when the property is false.
void Require(bool holds, std::string_view property, std::string_view detail = {});

// A folder of this process's own under the system's temporary folder, created on first use.
const std::filesystem::path& ScratchFolder();

// Replaces the file's contents with the bytes.
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

// The largest argument count that a line "p af N" of the i23 text declares (words separated by
// bytes of code 32 or less), saturating at the largest value; 0 when there is no such line. A
// few bytes may declare millions of arguments, whose names alone take seconds to make: the
// targets skip such texts, since they explore only the allocation, which the readers' tests cover.
std::uint64_t DeclaredI23Count(std::string_view text);

// Whether the line is one or more decimal digits followed by " ms elapsed".
bool IsTimingLine(std::string_view line);

// The text with control bytes and backslashes escaped, for messages.
std::string Visible(std::string_view text);

}  // namespace dialectic::fuzz
