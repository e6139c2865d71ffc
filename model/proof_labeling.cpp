#include "model/proof_labeling.h"

#include <algorithm>
#include <cstring>

#include "model/arg_index.h"

namespace dialectic {

bool IsAttackedByIn(const RankSet& in, int rank, const ArgIndex& index) {
  const std::vector<int>& attackers = index.AttackersOf(rank);
  // Either side may be the long one: an argument with thousands of attackers, or a large IN set.
  if (static_cast<std::size_t>(in.Count()) < attackers.size()) {
    return in.AnyOf([&](int member) {
      const std::vector<int>& targets = index.TargetsOf(member);
      return std::find(targets.begin(), targets.end(), rank) != targets.end();
    });
  }
  return std::any_of(attackers.begin(), attackers.end(),
                     [&](int attacker) { return in.Contains(attacker); });
}

void Merge(TProofLabeling& labeling, const TProofLabeling& other, const ArgIndex& index) {
  labeling.InArgs.AddNames(other.InArgs, index);
  labeling.OutArgs.AddNames(other.OutArgs, index);
}

void AppendLabelingText(const RankSet& in, const RankSet& out, const ArgIndex& index,
                        std::string& text) {
  // Every name ends in its blank, which separates it from the next one. The text is trimmed at
  // both ends, also before the parenthesis that closes the OUT names; it is "<empty>" when
  // nothing remains. The names are measured first and copied into room made once: appending
  // them one by one costs more than the copying itself, millions of times in a listing.
  const std::size_t start = text.size();
  std::size_t length = 0;
  const auto measure = [&](int rank) { length += index.NameOfRank(rank).size(); };
  in.ForEach(measure);
  out.ForEach(measure);
  text.resize(start + length + 2);  // the names and the two parentheses
  char* const chars = text.data();
  std::size_t end = start;
  const auto copy = [&](int rank) {
    const std::string& name = index.NameOfRank(rank);
    std::memcpy(chars + end, name.data(), name.size());
    end += name.size();
  };
  const auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  const auto trim_end = [&] {
    while (end > start && is_blank(chars[end - 1])) --end;
  };
  in.ForEach(copy);
  if (!out.empty()) {
    chars[end++] = '(';
    out.ForEach(copy);
    trim_end();
    chars[end++] = ')';
  }
  trim_end();
  std::size_t first = start;
  while (first < end && is_blank(chars[first])) ++first;
  if (first > start) {
    std::memmove(chars + start, chars + first, end - first);
    end -= first - start;
  }
  text.resize(end);
  if (end == start) text += "<empty>";
}

std::string LabelingText(const RankSet& in, const RankSet& out, const ArgIndex& index) {
  std::string text;
  AppendLabelingText(in, out, index, text);
  return text;
}

}  // namespace dialectic
