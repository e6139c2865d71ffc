// The program's own line syntax as a file format: read exactly as the program reads its input,
// written as one clause per line that reads back to the same arguments in the same order.

#include <string>
#include <vector>

#include "formats/format_codecs.h"
#include "formats/framework_builder.h"
#include "model/line_list.h"
#include "model/theory_text.h"

namespace dialectic {

namespace {

const char* LineSyntaxProblem(std::string_view name) {
  if (name.empty()) return "it is empty";
  for (const char c : name) {
    if (c == ' ') return "it contains a blank, which separates words";
    if (c == ',') return "it contains a comma, which separates clauses";
    if (IsLineBreak(c)) return "it contains a line break";
  }
  if (static_cast<unsigned char>(name.front()) <= 32 ||
      static_cast<unsigned char>(name.back()) <= 32) {
    return "it begins or ends with a control character, which reading trims";
  }
  return nullptr;
}

// The attack clauses are the natural text: for each argument in order, the clause "b a1 a2 ..."
// when it has attackers, or its lone word when it has neither attackers nor targets. Reading adds
// arguments in order of first mention (a clause's target, then its attackers), which can differ
// from the framework's order: in "a c, b" c comes before b. Naming the first k arguments by
// single-word clauses ahead of the others fixes the order of those k; the rest must then be first
// mentioned by the natural text in increasing order. This is the smallest such k, 0 when the
// natural text already reads back in order.
std::size_t LeadingWordCount(const std::vector<std::vector<int>>& attackers_of,
                             const std::vector<bool>& is_attacker) {
  const std::size_t count = attackers_of.size();
  constexpr std::size_t kUnseen = static_cast<std::size_t>(-1);
  std::vector<std::size_t> first_mention(count, kUnseen);
  std::size_t mentions = 0;
  auto mention = [&](std::size_t arg) {
    if (first_mention[arg] == kUnseen) first_mention[arg] = mentions++;
  };
  for (std::size_t arg = 0; arg < count; ++arg) {
    if (!attackers_of[arg].empty()) {
      mention(arg);
      for (const int attacker : attackers_of[arg]) mention(static_cast<std::size_t>(attacker));
    } else if (!is_attacker[arg]) {
      mention(arg);
    }
  }
  if (count == 0) return 0;
  std::size_t leading = count - 1;
  while (leading > 0 && first_mention[leading - 1] < first_mention[leading]) --leading;
  return leading;
}

}  // namespace

ReadResult ReadLineSyntax(std::string_view text) {
  LineList lines;
  lines.SetText(text);
  TTheory theory;
  ParseInput(lines, theory);
  return {FrameworkOfTheory(theory), {}};
}

WriteResult WriteLineSyntax(const Framework& framework) {
  std::string error = UnwritableName(framework, "the line syntax", LineSyntaxProblem);
  if (!error.empty()) return {{}, std::move(error)};
  const std::vector<std::string>& names = framework.Names();
  std::vector<std::vector<int>> attackers_of(names.size());
  std::vector<bool> is_attacker(names.size(), false);
  for (const Attack& attack : framework.Attacks()) {
    attackers_of[static_cast<std::size_t>(attack.target)].push_back(attack.attacker);
    is_attacker[static_cast<std::size_t>(attack.attacker)] = true;
  }
  const std::size_t leading = LeadingWordCount(attackers_of, is_attacker);

  std::string text;
  for (std::size_t arg = 0; arg < leading; ++arg) {
    text += names[arg];
    text += '\n';
  }
  for (std::size_t arg = 0; arg < names.size(); ++arg) {
    if (!attackers_of[arg].empty()) {
      text += names[arg];
      for (const int attacker : attackers_of[arg]) {
        text += ' ';
        text += names[static_cast<std::size_t>(attacker)];
      }
      text += '\n';
    } else if (!is_attacker[arg] && arg >= leading) {
      text += names[arg];
      text += '\n';
    }
  }
  return {std::move(text), {}};
}

}  // namespace dialectic
