#include "frontend/theory_edit.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <unordered_map>

#include "model/string_list.h"

namespace dialectic {

namespace {

bool IsSpace(char c) { return static_cast<unsigned char>(c) <= 32; }
bool EndsClause(char c) { return c == ',' || c == '\r'; }

// Where a word of the text lies: [begin, end), without the blank that ends it.
struct WordSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
};
// A clause between two commas (or a comma and a line's end), with its words in order; the first
// is the argument it heads. A clause without words names nothing.
struct ClauseSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::vector<WordSpan> words;
};
struct LineSpan {
  std::size_t begin = 0;
  std::size_t end = 0;  // before the line feed
  std::vector<ClauseSpan> clauses;
};

// The words of the clause as the parser cuts them: the clause trimmed, then a word up to each
// blank, the characters of code 32 or less after it skipped.
std::vector<WordSpan> WordsOf(std::string_view text, std::size_t begin, std::size_t end) {
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;
  std::vector<WordSpan> words;
  std::size_t at = begin;
  while (at < end) {
    std::size_t blank = at;
    while (blank < end && text[blank] != ' ') ++blank;
    words.push_back({at, blank});
    at = blank;
    while (at < end && IsSpace(text[at])) ++at;
  }
  return words;
}

std::vector<LineSpan> LinesOf(std::string_view text) {
  std::vector<LineSpan> lines;
  std::size_t begin = 0;
  while (true) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    LineSpan& line = lines.emplace_back(LineSpan{begin, end, {}});
    std::size_t clause_begin = begin;
    for (std::size_t i = begin; i <= end; ++i) {
      if (i == end || EndsClause(text[i])) {
        line.clauses.push_back({clause_begin, i, WordsOf(text, clause_begin, i)});
        clause_begin = i + 1;
      }
    }
    if (end == text.size()) break;
    begin = end + 1;
  }
  return lines;
}

std::string_view WordText(std::string_view text, const WordSpan& word) {
  return text.substr(word.begin, word.end - word.begin);
}

// The place of a word: the clause (counted over the whole text) and the word in it.
struct WordPlace {
  std::size_t clause = 0;
  std::size_t word = 0;
  friend bool operator==(const WordPlace&, const WordPlace&) = default;
};

// Where each name is mentioned first, in the order in which the parser enters arguments.
std::unordered_map<std::string, WordPlace> FirstMentions(std::string_view text,
                                                         const std::vector<LineSpan>& lines) {
  std::unordered_map<std::string, WordPlace> first;
  std::size_t clause_index = 0;
  for (const LineSpan& line : lines) {
    for (const ClauseSpan& clause : line.clauses) {
      for (std::size_t w = 0; w < clause.words.size(); ++w) {
        first.try_emplace(std::string(WordText(text, clause.words[w])), WordPlace{clause_index, w});
      }
      ++clause_index;
    }
  }
  return first;
}

// The text of [begin, end) of the clause without the words whose indices are dropped, each taken
// out with the separator before it (the first word is never dropped).
std::string WithoutWords(std::string_view text, const ClauseSpan& clause, std::size_t begin,
                         std::size_t end, const std::vector<bool>& dropped) {
  std::string out;
  std::size_t at = begin;
  for (std::size_t w = 1; w < clause.words.size(); ++w) {
    if (!dropped[w]) continue;
    const std::size_t cut = clause.words[w - 1].end;
    if (cut < at || clause.words[w].end > end) continue;
    out.append(text.substr(at, cut - at));
    at = clause.words[w].end;
  }
  if (at < end) out.append(text.substr(at, end - at));
  return out;
}

std::string LeftTrimmed(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  return std::string(text.substr(i));
}

// What becomes of a clause: nullopt removes it, else its new text.
using ClauseRewrite = std::function<std::optional<std::string>(const ClauseSpan&, std::size_t)>;

// The text with every clause rewritten. A line loses the separator before each clause removed
// (after it, for its first clause); a line whose every clause with words is removed goes whole.
std::string Rewritten(std::string_view text, const ClauseRewrite& rewrite) {
  const std::vector<LineSpan> lines = LinesOf(text);
  std::vector<std::string> out_lines;
  std::size_t clause_index = 0;
  for (const LineSpan& line : lines) {
    std::string out;
    bool changed = false;
    bool any_kept = false;    // a clause kept so far
    bool had_words = false;   // the line had a clause with words
    bool kept_words = false;  // and kept one
    for (std::size_t c = 0; c < line.clauses.size(); ++c) {
      const ClauseSpan& clause = line.clauses[c];
      const std::string_view original = text.substr(clause.begin, clause.end - clause.begin);
      std::optional<std::string> next = rewrite(clause, clause_index++);
      if (!clause.words.empty()) had_words = true;
      if (!next) {
        changed = true;
        continue;
      }
      if (*next != original) changed = true;
      if (!clause.words.empty()) kept_words = true;
      if (any_kept) {
        out += text[clause.begin - 1];
      } else if (c > 0) {
        // The clause now starts its line: the blanks that followed the comma go with it.
        *next = LeftTrimmed(*next);
      }
      out += *next;
      any_kept = true;
    }
    if (had_words && !kept_words) continue;
    out_lines.push_back(changed ? out
                                : std::string(text.substr(line.begin, line.end - line.begin)));
  }
  std::string result;
  for (std::size_t i = 0; i < out_lines.size(); ++i) {
    if (i > 0) result += '\n';
    result += out_lines[i];
  }
  return result;
}

// Whether any dropped flag is set.
bool AnyDropped(const std::vector<bool>& dropped) {
  return std::find(dropped.begin(), dropped.end(), true) != dropped.end();
}

}  // namespace

TextChange ChangeBetween(std::string_view before, std::string_view after) {
  // The span starts and ends between characters of UTF-8, never inside one, so that an editor
  // that counts characters can place it.
  const auto continues = [](std::string_view text, std::size_t at) {
    return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0u) == 0x80u;
  };
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  while (prefix > 0 && (continues(before, prefix) || continues(after, prefix))) --prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  while (suffix > 0 &&
         (continues(before, before.size() - suffix) || continues(after, after.size() - suffix))) {
    --suffix;
  }
  return {prefix, before.size() - prefix - suffix,
          std::string(after.substr(prefix, after.size() - prefix - suffix))};
}

std::string Applied(std::string_view text, const TextChange& change) {
  std::string out(text.substr(0, change.begin));
  out += change.inserted;
  out += text.substr(change.begin + change.removed);
  return out;
}

std::string NameProblem(std::string_view name, const std::vector<std::string>& names, int except) {
  if (name.empty()) return "A name cannot be empty.";
  for (char c : name) {
    if (c == ' ') return "A name cannot hold a blank: the blank separates arguments.";
    if (c == ',') return "A name cannot hold a comma: the comma ends a clause.";
    if (c == '\n' || c == '\r') return "A name cannot hold a line break.";
  }
  if (IsSpace(name.front()) || IsSpace(name.back())) {
    return "A name cannot begin or end with a tab or another control character.";
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (static_cast<int>(i) == except) continue;
    if (names[i] == name) return "There is an argument of that name already.";
    if (EqualFolded(names[i], name)) {
      return "There is an argument \"" + names[i] +
             "\" already; names that differ only in letter case would be confused.";
    }
  }
  return {};
}

std::string WithArgument(std::string_view text, std::string_view name) {
  std::string out(text);
  if (!out.empty() && out.back() != '\n') out += '\n';
  out += name;
  return out;
}

std::string WithAttack(std::string_view text, std::string_view attacker, std::string_view target) {
  // The attacker joins the target's last clause when that keeps the order of the arguments: it is
  // named there or before already, or every argument before it in the order is. Else a new line
  // states the attack.
  const std::vector<LineSpan> lines = LinesOf(text);
  std::vector<std::pair<std::string_view, std::size_t>> order;  // each name with its first clause
  std::unordered_map<std::string_view, std::size_t> rank;       // a name's place in the order
  const ClauseSpan* last = nullptr;
  std::size_t last_index = 0;
  std::size_t index = 0;
  for (const LineSpan& line : lines) {
    for (const ClauseSpan& clause : line.clauses) {
      for (const WordSpan& word : clause.words) {
        if (rank.try_emplace(WordText(text, word), order.size()).second) {
          order.emplace_back(WordText(text, word), index);
        }
      }
      ++index;
      if (clause.words.empty() || WordText(text, clause.words.front()) != target) continue;
      for (std::size_t w = 1; w < clause.words.size(); ++w) {
        if (WordText(text, clause.words[w]) == attacker) return std::string(text);
      }
      last = &clause;
      last_index = index - 1;
    }
  }
  const auto found = rank.find(attacker);
  const bool keeps_order =
      last != nullptr && found != rank.end() &&
      (order[found->second].second <= last_index || order[found->second - 1].second <= last_index);
  if (!keeps_order) {
    std::string line(target);
    line += ' ';
    line += attacker;
    return WithArgument(text, line);
  }
  const std::size_t at = last->words.back().end;
  std::string out(text.substr(0, at));
  out += ' ';
  out += attacker;
  out += text.substr(at);
  return out;
}

std::string WithRename(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  std::size_t at = 0;
  for (const LineSpan& line : LinesOf(text)) {
    for (const ClauseSpan& clause : line.clauses) {
      for (const WordSpan& word : clause.words) {
        if (WordText(text, word) != from) continue;
        out.append(text.substr(at, word.begin - at));
        out.append(to);
        at = word.end;
      }
    }
  }
  out.append(text.substr(at));
  return out;
}

std::string WithoutArguments(std::string_view text, const std::vector<std::string>& names) {
  const std::set<std::string, std::less<>> gone(names.begin(), names.end());
  const std::vector<LineSpan> lines = LinesOf(text);
  const auto first = FirstMentions(text, lines);
  return Rewritten(
      text, [&](const ClauseSpan& clause, std::size_t index) -> std::optional<std::string> {
        const std::string_view original = text.substr(clause.begin, clause.end - clause.begin);
        if (clause.words.empty()) return std::string(original);
        if (gone.contains(WordText(text, clause.words.front()))) {
          // The attackers first named here keep their places in the order of the arguments, each
          // declared by a clause of its own.
          std::string declared;
          for (std::size_t w = 1; w < clause.words.size(); ++w) {
            const std::string name(WordText(text, clause.words[w]));
            if (gone.contains(name) || first.at(name) != WordPlace{index, w}) continue;
            if (!declared.empty()) declared += ", ";
            declared += name;
          }
          if (declared.empty()) return std::nullopt;
          return declared;
        }
        std::vector<bool> dropped(clause.words.size(), false);
        for (std::size_t w = 1; w < clause.words.size(); ++w) {
          dropped[w] = gone.contains(WordText(text, clause.words[w]));
        }
        if (!AnyDropped(dropped)) return std::string(original);
        return WithoutWords(text, clause, clause.begin, clause.end, dropped);
      });
}

namespace {

std::string WithoutAttack(std::string_view text, std::string_view attacker,
                          std::string_view target) {
  const std::vector<LineSpan> lines = LinesOf(text);
  const auto first = FirstMentions(text, lines);
  const auto found = first.find(std::string(attacker));
  const auto target_found = first.find(std::string(target));
  if (found == first.end() || target_found == first.end()) return std::string(text);
  const WordPlace attacker_first = found->second;
  const WordPlace target_first = target_found->second;
  return Rewritten(
      text, [&](const ClauseSpan& clause, std::size_t index) -> std::optional<std::string> {
        const std::string_view original = text.substr(clause.begin, clause.end - clause.begin);
        if (clause.words.empty() || WordText(text, clause.words.front()) != target) {
          return std::string(original);
        }
        std::vector<bool> dropped(clause.words.size(), false);
        for (std::size_t w = 1; w < clause.words.size(); ++w) {
          dropped[w] = WordText(text, clause.words[w]) == attacker;
        }
        if (!AnyDropped(dropped)) return std::string(original);
        if (attacker_first.clause != index || !dropped[attacker_first.word]) {
          return WithoutWords(text, clause, clause.begin, clause.end, dropped);
        }
        // The attacker is named here first: the clause is cut around it, so that it keeps its place
        // among the arguments and the target keeps the order of its other attackers.
        const std::size_t cut = attacker_first.word;
        std::string out;
        if (cut > 1 || target_first == WordPlace{index, 0}) {
          out = WithoutWords(text, clause, clause.begin, clause.words[cut - 1].end, dropped);
          out += ", ";
        }
        out += attacker;
        bool any_after = false;
        for (std::size_t w = cut + 1; w < clause.words.size(); ++w) any_after |= !dropped[w];
        if (any_after) {
          out += ", ";
          out += target;
          out += ' ';
          out +=
              LeftTrimmed(WithoutWords(text, clause, clause.words[cut].end, clause.end, dropped));
        }
        return out;
      });
}

}  // namespace

std::string WithoutAttacks(std::string_view text,
                           const std::vector<std::pair<std::string, std::string>>& attacks) {
  std::string out(text);
  for (const auto& [attacker, target] : attacks) out = WithoutAttack(out, attacker, target);
  return out;
}

}  // namespace dialectic
