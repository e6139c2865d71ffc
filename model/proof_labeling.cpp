#include "model/proof_labeling.h"

#include <algorithm>

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
  // nothing remains.
  const std::size_t start = text.size();
  in.ForEach([&](int rank) { text += index.NameOfRank(rank); });
  const auto trim_end = [&] {
    while (text.size() > start && static_cast<unsigned char>(text.back()) <= 32) text.pop_back();
  };
  if (!out.empty()) {
    text += '(';
    out.ForEach([&](int rank) { text += index.NameOfRank(rank); });
    trim_end();
    text += ')';
  }
  trim_end();
  std::size_t first = start;
  while (first < text.size() && static_cast<unsigned char>(text[first]) <= 32) ++first;
  text.erase(start, first - start);
  if (text.size() == start) text += "<empty>";
}

std::string LabelingText(const RankSet& in, const RankSet& out, const ArgIndex& index) {
  std::string text;
  AppendLabelingText(in, out, index, text);
  return text;
}

}  // namespace dialectic
