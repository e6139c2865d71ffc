// A partial labeling of a theory's arguments: IN, OUT and the two working sets of the option
// search (NewIn: made IN in the latest stage, attackers still to be made OUT; NewOut: made OUT in
// the latest stage, still to be countered). It serves as the grounded extension, as each option
// of an argument and as each preferred candidate. The sets hold ranks (arg_index.h) and follow the
// rules of name sets: a set holds at most one argument of each class of names equal up to letter
// case, the one added first, and lists its names in name order.
#pragma once

#include <string>

#include "model/rank_set.h"

namespace dialectic {

class ArgIndex;
class TArg;

struct TProofLabeling {
  const TArg* Arg = nullptr;  // the argument whose option this is; none for extensions
  RankSet InArgs;
  RankSet OutArgs;
  RankSet NewIn;
  RankSet NewOut;
};

// Whether some IN argument is, exactly, an attacker of the argument.
bool IsAttackedByIn(const RankSet& in, int rank, const ArgIndex& index);

// Adds the other labeling's IN names to IN and its OUT names to OUT; NewIn and NewOut stay.
void Merge(TProofLabeling& labeling, const TProofLabeling& other, const ArgIndex& index);

// The one-line text form: IN names, then the OUT names in parentheses, trimmed; "<empty>" when
// nothing shows.
std::string LabelingText(const RankSet& in, const RankSet& out, const ArgIndex& index);
// Appends the text form to the text, trimming only what it appends.
void AppendLabelingText(const RankSet& in, const RankSet& out, const ArgIndex& index,
                        std::string& text);
inline std::string LabelingText(const TProofLabeling& labeling, const ArgIndex& index) {
  return LabelingText(labeling.InArgs, labeling.OutArgs, index);
}

}  // namespace dialectic
