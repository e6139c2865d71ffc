#include "model/theory_text.h"

#include <algorithm>

#include "model/string_list.h"

namespace dialectic {

namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

// The text without the characters of code 32 or less at both ends, as a view.
std::string_view TrimmedView(std::string_view text) {
  while (!text.empty() && IsTrimmed(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsTrimmed(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<std::string> ClauseWords(std::string_view clause) {
  // A word runs up to the next blank; the rest is trimmed again before the next word, so that any
  // run of blanks and control characters between words separates them. Views keep a clause of a
  // hundred thousand words linear.
  std::vector<std::string> words;
  std::string_view rest = TrimmedView(clause);
  while (!rest.empty()) {
    const std::size_t blank = std::min(rest.find(' '), rest.size());
    std::string& word = words.emplace_back(rest.substr(0, blank));
    word += ' ';
    rest = TrimmedView(rest.substr(blank));
  }
  return words;
}

void ParseClause(std::string_view clause, TTheory& theory) {
  const std::vector<std::string> words = ClauseWords(clause);
  // An empty clause (from ",," or a line of blanks) has no word and names no argument.
  if (words.empty()) return;
  const std::string& target = words.front();
  theory.FindOrAdd(target);
  for (std::size_t i = 1; i < words.size(); ++i) theory.AddAttack(words[i], target);
}

void ParseInput(const LineList& memo1, TTheory& theory) {
  const int count = memo1.Count();
  for (int i = 0; i < count; ++i) {
    std::string line(memo1.Get(i));
    std::replace(line.begin(), line.end(), ',', '\n');
    for (const std::string& clause : SplitLines(line)) ParseClause(clause, theory);
  }
}

namespace {

// The argument's trimmed name followed by a blank and the trimmed name of each attacker.
std::string AttackLine(const TArg& arg) {
  std::string line = Trim(arg.Name);
  for (const TArg* attacker : arg.Attackers) line += ' ' + Trim(attacker->Name);
  return line;
}

}  // namespace

void Rephrase(const TTheory& theory, LineList& memo2) {
  memo2.Clear();
  memo2.Add("STANDARD STYLE");
  for (const TArg* arg : theory.Args) {
    if (!arg->Attackers.empty()) {
      memo2.Add(AttackLine(*arg));
    } else if (arg->Targets.empty()) {
      memo2.Add(arg->Name);
    }
  }
  memo2.Add("");

  memo2.Add("COMMA STYLE");
  std::string comma_line;
  for (const TArg* arg : theory.Args) {
    if (arg->Attackers.empty()) continue;
    if (!comma_line.empty()) comma_line += ", ";
    comma_line += AttackLine(*arg);
  }
  memo2.Add(comma_line);
  memo2.Add("");

  memo2.Add("YET ANOTHER STYLE");
  for (const TArg* arg : theory.Args) {
    memo2.Add(arg->Name);
    for (const TArg* attacker : arg->Attackers) memo2.Add("  x-- " + attacker->Name);
    for (const TArg* target : arg->Targets) memo2.Add("  --x " + target->Name);
    memo2.Add("");
  }
}

}  // namespace dialectic
