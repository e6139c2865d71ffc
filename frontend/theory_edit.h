// Edits of the Input text made from the graph: each takes the text in the line syntax and gives
// the text of the edited theory, changing as little of it as the edit allows. The user's clauses,
// their order, their spacing and the order of the arguments stay wherever the edit leaves them
// meaning the same; a clause that must change is rewritten in place. Names are given without the
// blank that the syntax ends them with, as a Framework has them. The text's lines are separated by
// line feeds, as the Input editor gives them.
// Guarantee: the edited text reads (ParseInput) as exactly the edited theory: the arguments in the
// same order, each with its attackers in the same order, a new one last. It holds for names that
// NameProblem accepts; a name ending in a control character exists only before another word.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dialectic {

// The smallest change that turns one text into another: the bytes [begin, begin + removed) of the
// old text are replaced by inserted. The span never cuts a UTF-8 character.
struct TextChange {
  std::size_t begin = 0;
  std::size_t removed = 0;
  std::string inserted;

  friend bool operator==(const TextChange&, const TextChange&) = default;
};
TextChange ChangeBetween(std::string_view before, std::string_view after);
std::string Applied(std::string_view text, const TextChange& change);

// Why the word cannot name an argument among the names (except the one at position `except`, the
// argument being renamed), in a sentence for the user; empty when it can. A name must be a word of
// the line syntax that can stand on its own (no blank, comma, line break or control character at
// its ends, and nothing blank), and not equal to another name up to letter case, since a labeling
// holds one argument of such a pair only.
std::string NameProblem(std::string_view name, const std::vector<std::string>& names,
                        int except = -1);

// Each edit below assumes that the names it is given are arguments of the text (the new name of
// WithArgument and WithRename excepted, which must pass NameProblem).

// A new argument without attacks, declared on a line of its own at the end.
std::string WithArgument(std::string_view text, std::string_view name);
// The attack, added to the last clause of the target (a new line "target attacker" when the target
// heads none, or when naming the attacker there would move it before another argument); the text
// itself when the attack is there already.
std::string WithAttack(std::string_view text, std::string_view attacker, std::string_view target);
// Every mention of the argument under its new name.
std::string WithRename(std::string_view text, std::string_view from, std::string_view to);
// The arguments removed from every clause; a clause headed by one of them goes, except for the
// attackers it names first, which stay declared where they were.
std::string WithoutArguments(std::string_view text, const std::vector<std::string>& names);
// The attacks (attacker, target) removed from every clause of their target. An attacker named
// there for the first time stays declared in that place.
std::string WithoutAttacks(std::string_view text,
                           const std::vector<std::pair<std::string, std::string>>& attacks);

}  // namespace dialectic
