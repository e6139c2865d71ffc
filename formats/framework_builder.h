// Building a framework while a reader goes through its file, and the name check every writer
// makes first. Names are found by hashing and repeated arguments and attacks are kept once without
// scanning any list, so reading stays linear in the size of the file.
#pragma once

#include <string>
#include <string_view>

#include "formats/flat_hash.h"
#include "formats/framework.h"

namespace dialectic {

class FrameworkBuilder {
 public:
  // Index of the argument of that name, added as the next argument when it is new.
  int AddArgument(std::string_view name);
  // Index of the argument of that name, or -1.
  int IndexOf(std::string_view name) const;
  // Appends arguments named "1" to "count" for formats that name arguments only by position;
  // IndexOf does not find them.
  void AddNumberedArguments(int count);
  // Records the attack unless it is recorded already.
  void AddAttack(int attacker, int target);

  // The framework built so far; the builder is empty afterwards.
  Framework Take();

 private:
  std::vector<std::string> names_;
  std::vector<Attack> attacks_;
  NameIndex name_index_;  // positions in names_
  AttackSet attack_set_;  // the pairs of attacks_
};

// Why a writer cannot hold the name, or nullptr when it can.
using NameProblem = const char* (*)(std::string_view name);

// The message for the first argument whose name the format cannot hold or whose name repeats an
// earlier one, e.g. `argument 2 ("a,b") cannot be written in APX: it contains one of ( ) , .`;
// empty when every name can be written.
std::string UnwritableName(const Framework& framework, std::string_view format_title,
                           NameProblem problem);

}  // namespace dialectic
