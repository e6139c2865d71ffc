#include "frontend/progress_text.h"

#include <string_view>

namespace dialectic {

namespace {

std::string Seconds(std::chrono::milliseconds elapsed) {
  const std::int64_t tenths = (elapsed.count() + 50) / 100;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s";
}

std::string Capitalized(std::string_view text) {
  std::string capitalized(text);
  if (!capitalized.empty() && capitalized[0] >= 'a' && capitalized[0] <= 'z') {
    capitalized[0] = static_cast<char>(capitalized[0] - 'a' + 'A');
  }
  return capitalized;
}

}  // namespace

std::string GroupedNumber(std::uint64_t number) {
  const std::string digits = std::to_string(number);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string ProgressLine(const Progress& progress, std::chrono::milliseconds elapsed,
                         bool stopping) {
  if (stopping) return "Stopping, " + Seconds(elapsed);
  // Before its first phase the run reads the theory and writes it back.
  std::string line =
      progress.phase == RunPhase::kIdle ? "Working" : Capitalized(PhaseName(progress.phase));
  if (progress.argument > 0 && progress.argument_count > 0) {
    line += ", argument " + GroupedNumber(static_cast<std::uint64_t>(progress.argument)) + " of " +
            GroupedNumber(static_cast<std::uint64_t>(progress.argument_count));
  }
  if (progress.candidates > 0) {
    line += ", " + GroupedNumber(progress.candidates) + " candidates examined";
  }
  return line + ", " + Seconds(elapsed);
}

std::string EndLine(bool completed, std::chrono::milliseconds elapsed) {
  return (completed ? "Done in " : "Stopped after ") + Seconds(elapsed);
}

}  // namespace dialectic
