// A partial labeling of a theory's arguments by name: IN, OUT and the two working sets of the
// option search (NewIn: made IN in the latest stage, attackers still to be made OUT; NewOut: made
// OUT in the latest stage, still to be countered). It serves as the grounded extension, as each
// option of an argument and as each preferred candidate.
#pragma once

#include <string>
#include <string_view>

#include "model/name_set.h"

namespace dialectic {

class TArg;
class TTheory;

struct TProofLabeling {
  TTheory* Theory = nullptr;  // not owned
  TArg* Arg = nullptr;        // the argument whose option this is; none for extensions
  NameSet InArgs;
  NameSet OutArgs;
  NameSet NewIn;
  NameSet NewOut;
};

// The one-line text form: IN names, then the OUT names in parentheses, trimmed; "<empty>" when
// nothing shows.
std::string LabelingText(const TProofLabeling& labeling);

// The text form from the IN names and the OUT names, each concatenated in set order.
std::string LabelingTextOfNames(std::string in_names, std::string_view out_names);

// Whether some IN name is, byte for byte, the name of an attacker of the argument.
bool IsAttackedByIn(const TProofLabeling& labeling, const TArg& arg);

// Adds the other labeling's IN names to IN and its OUT names to OUT; NewIn and NewOut stay.
void Merge(TProofLabeling& labeling, const TProofLabeling& other);

}  // namespace dialectic
