#include "frontend/run_budget.h"

#include <limits>
#include <unordered_set>

namespace dialectic {

namespace {

// Measured peaks of the command line's run, divided by the theory's size: 100,000 arguments
// without attacks took 106 MB; 50,000 arguments with 200,000 random attacks 931 MB. A chain of
// 50,000 arguments took 3.4 GB, so these are lower bounds rather than predictions.
constexpr std::uint64_t kBytesPerArgument = 1024;
constexpr std::uint64_t kBytesPerAttack = 4096;

bool IsClauseEnd(char c) { return c == ',' || c == '\n' || c == '\r'; }
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

std::uint64_t EstimatedRunBytes(const TheorySize& size) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  // Saturating, so that a declared count of any size gives a number past every budget.
  if (size.arguments > kMax / 2 / kBytesPerArgument || size.attacks > kMax / 2 / kBytesPerAttack) {
    return kMax;
  }
  return size.arguments * kBytesPerArgument + size.attacks * kBytesPerAttack;
}

std::string ByteSizeText(std::uint64_t bytes) {
  if (bytes != 0 && bytes % (std::uint64_t{1} << 30) == 0)
    return std::to_string(bytes >> 30) + " GB";
  if (bytes != 0 && bytes % (std::uint64_t{1} << 20) == 0)
    return std::to_string(bytes >> 20) + " MB";
  return std::to_string(bytes) + " bytes";
}

std::string RunBudgetProblem(const TheorySize& size, std::uint64_t budget_bytes) {
  const std::uint64_t estimate = EstimatedRunBytes(size);
  if (estimate <= budget_bytes) return {};
  const std::string need =
      estimate == std::numeric_limits<std::uint64_t>::max()
          ? "more than any machine holds"
          : "at least " + std::to_string((estimate + (1 << 20) - 1) >> 20) + " MB";
  return "The theory has " + std::to_string(size.arguments) + " arguments and " +
         std::to_string(size.attacks) + " attacks; its run would take " + need +
         " of memory, more than the budget of " + ByteSizeText(budget_bytes) + ".";
}

TheorySize LineSyntaxSize(std::string_view text, std::uint64_t budget_bytes) {
  // As the input is read: clauses end at commas and line breaks, words at spaces, and a word is
  // trimmed of the other bytes of code 32 or less at its ends.
  const std::uint64_t most_arguments = budget_bytes / kBytesPerArgument + 1;
  TheorySize size;
  std::unordered_set<std::string_view> names;
  bool clause_has_word = false;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsClauseEnd(text[i])) {
      clause_has_word = false;
      ++i;
      continue;
    }
    std::size_t start = i;
    while (i < text.size() && text[i] != ' ' && !IsClauseEnd(text[i])) ++i;
    std::size_t end = i;
    while (start < end && IsTrimmed(text[start])) ++start;
    while (end > start && IsTrimmed(text[end - 1])) --end;
    if (i < text.size() && text[i] == ' ') ++i;
    if (start == end) continue;
    if (clause_has_word) ++size.attacks;
    clause_has_word = true;
    if (names.size() < most_arguments) names.insert(text.substr(start, end - start));
  }
  size.arguments = names.size();
  return size;
}

}  // namespace dialectic
