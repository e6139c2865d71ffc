// The minimality rule among the counter-attack combinations of one expansion. Combination k writes
// k in mixed radix over the open arguments (the first open argument is the fastest digit, its
// attackers taken in Attackers order) and holds one attacker per open argument. A combination
// survives when no other holds a strictly smaller set of names (letter case ignored) and no
// earlier one holds the same set; survivors keep enumeration order.
#pragma once

#include <cstdint>
#include <vector>

namespace dialectic {

// The numbers of the surviving combinations, ascending. attacker_ids[i] gives, for open argument
// i, one id per attacker in Attackers order; equal ids stand for names equal under case folding.
// count is the product of the list sizes.
std::vector<std::uint64_t> MinimalCombinationNumbers(
    const std::vector<std::vector<int>>& attacker_ids, std::uint64_t count);

}  // namespace dialectic
