#include "model/proof_labeling.h"

#include "model/string_list.h"
#include "model/theory.h"

namespace dialectic {

std::string LabelingText(const TProofLabeling& labeling) {
  std::string in_names;
  for (const std::string& name : labeling.InArgs) in_names += name;
  std::string out_names;
  for (const std::string& name : labeling.OutArgs) out_names += name;
  return LabelingTextOfNames(std::move(in_names), out_names);
}

std::string LabelingTextOfNames(std::string in_names, std::string_view out_names) {
  // Every name ends in its blank, which separates it from the next one.
  std::string text = std::move(in_names);
  if (!out_names.empty()) {
    text += '(';
    text += out_names;
    TrimInPlace(text);
    text += ')';
  }
  TrimInPlace(text);
  return text.empty() ? "<empty>" : text;
}

bool IsAttackedByIn(const TProofLabeling& labeling, const TArg& arg) {
  // A set holds at most one spelling of each name, so some IN name equals an attacker's name
  // byte for byte exactly when the set's entry for that name is spelled as the attacker's.
  for (const TArg* attacker : arg.Attackers) {
    const int at = labeling.InArgs.IndexOf(attacker->Name);
    if (at >= 0 && labeling.InArgs[static_cast<std::size_t>(at)] == attacker->Name) return true;
  }
  return false;
}

void Merge(TProofLabeling& labeling, const TProofLabeling& other) {
  labeling.InArgs.AddAll(other.InArgs);
  labeling.OutArgs.AddAll(other.OutArgs);
}

}  // namespace dialectic
