#include "model/theory_text.h"

#include <algorithm>

#include "model/string_list.h"

namespace dialectic {

FirstWordSplit SplitFirstWord(std::string_view text) {
  const std::string padded = Trim(text) + ' ';
  const std::size_t blank = padded.find(' ');
  return {padded.substr(0, blank + 1), padded.substr(blank + 1)};
}

void ParseClause(std::string_view clause, TTheory& theory) {
  FirstWordSplit split = SplitFirstWord(clause);
  // An empty clause (from ",," or a line of blanks) has no word and names no argument.
  if (split.word == " ") return;
  const std::string target = split.word;
  theory.FindOrAdd(target);
  while (!split.rest.empty()) {
    split = SplitFirstWord(split.rest);
    theory.AddAttack(split.word, target);
  }
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

void Rephrase(const TTheory& theory, TextArea& memo2) {
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
  memo2.ResetCaret();
}

}  // namespace dialectic
