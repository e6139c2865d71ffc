#include "model/proof_labeling.h"

#include "model/string_list.h"
#include "model/theory.h"

namespace dialectic {

std::string LabelingText(const TProofLabeling& labeling) {
  std::string text;
  for (const std::string& name : labeling.InArgs) text += name;
  if (!labeling.OutArgs.empty()) {
    text += '(';
    for (const std::string& name : labeling.OutArgs) text += name;
    text = Trim(text) + ')';
  }
  text = Trim(text);
  return text.empty() ? "<empty>" : text;
}

bool IsAttackedByIn(const TProofLabeling& labeling, const TArg& arg) {
  for (const std::string& name : labeling.InArgs) {
    if (arg.Attackers.IndexOfName(name) >= 0) return true;
  }
  return false;
}

void Merge(TProofLabeling& labeling, const TProofLabeling& other) {
  labeling.InArgs.AddAll(other.InArgs);
  labeling.OutArgs.AddAll(other.OutArgs);
}

}  // namespace dialectic
