// The memory a dialectical run would take, estimated from the size of its theory before the theory
// is built, so that the window and the command line can refuse a theory too large for the machine
// with a message instead of running out of memory. The estimate is the least that a run of the
// theory was measured to take (about 1 kB an argument and 4 kB an attack at the default depth):
// a theory refused by it cannot run within the budget, while one admitted may still need more.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dialectic {

// The budget of a run unless the user gives another: 1 GB.
inline constexpr std::uint64_t kDefaultRunBudgetBytes = std::uint64_t{1} << 30;

// No budget at all, for what runs nothing (a theory converted into another format).
inline constexpr std::uint64_t kNoRunBudget = ~std::uint64_t{0};

// How many arguments and attacks a theory holds, or at most holds.
struct TheorySize {
  std::uint64_t arguments = 0;
  std::uint64_t attacks = 0;
};

// The estimated bytes of a dialectical run of a theory of that size.
std::uint64_t EstimatedRunBytes(const TheorySize& size);

// The message that refuses a theory of that size under the budget, naming both; empty when the
// estimate fits the budget.
std::string RunBudgetProblem(const TheorySize& size, std::uint64_t budget_bytes);

// The size of a theory in the line syntax, counted over its words without building it: every word
// after the first of a clause is an attack, and arguments are the distinct words. Counting stops
// once the arguments alone pass the budget, so that the count itself stays small.
TheorySize LineSyntaxSize(std::string_view text, std::uint64_t budget_bytes);

// "1 GB", "512 MB" or "123456 bytes": the bytes in the largest unit that holds them whole.
std::string ByteSizeText(std::uint64_t bytes);

}  // namespace dialectic
