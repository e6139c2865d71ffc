// The TGF format: one argument name per line, a line "#", then attack lines "a b" (a attacks b).
// A name is a run of bytes above code 32; blank lines are skipped anywhere.

#include <string>

#include "formats/format_codecs.h"
#include "formats/framework_builder.h"

namespace dialectic {

namespace {

// The failure of an attack that names an argument no argument line declares.
ReadResult Undeclared(const SourceText& source, std::string_view name) {
  return source.FailAt(name, "argument \"" + std::string(name) +
                                 "\" is not declared; expected it on an argument line before "
                                 "the line \"#\"");
}

const char* TgfProblem(std::string_view name) {
  if (name.empty()) return "it is empty";
  if (name == "#") return "it is \"#\", the line between the arguments and the attacks";
  for (const char c : name) {
    if (static_cast<unsigned char>(c) <= 32) {
      return "it contains a blank, line break or control character";
    }
  }
  return nullptr;
}

}  // namespace

ReadResult ReadTgf(const SourceText& source) {
  FrameworkBuilder builder;
  bool in_attacks = false;  // whether the line "#" has been read
  LineCursor lines(source.text());
  std::string_view line;
  for (std::size_t step = 0; lines.Next(line); ++step) {
    if (source.StopRequestedAt(step)) return source.Stopped();
    WordCursor words(line);
    const std::string_view first = words.Next();
    if (first.empty()) continue;
    if (!in_attacks) {
      in_attacks = first == "#";
      if (!words.AtEnd()) {
        return source.FailAt(words.Next(), in_attacks ? "expected the end of the line after \"#\""
                                                      : "expected the end of the line after the "
                                                        "argument's name");
      }
      if (!in_attacks) builder.AddArgument(first);
      continue;
    }
    const int attacker = builder.IndexOf(first);
    if (attacker < 0) return Undeclared(source, first);
    const std::string_view second = words.Next();
    if (second.empty()) return source.FailAt(second, "expected the attacked argument's name");
    const int target = builder.IndexOf(second);
    if (target < 0) return Undeclared(source, second);
    if (!words.AtEnd()) {
      return source.FailAt(words.Next(), "expected the end of the line after the attack");
    }
    builder.AddAttack(attacker, target);
  }
  if (!in_attacks) {
    return source.FailAt(source.EndOffset(), "expected a line \"#\" after the arguments");
  }
  return {builder.Take(), {}};
}

WriteResult WriteTgf(const Framework& framework) {
  std::string error = UnwritableName(framework, "TGF", TgfProblem);
  if (!error.empty()) return {{}, std::move(error)};
  std::string text;
  for (const std::string& name : framework.Names()) {
    text += name;
    text += '\n';
  }
  text += "#\n";
  for (const Attack& attack : framework.Attacks()) {
    text += framework.Names()[static_cast<std::size_t>(attack.attacker)];
    text += ' ';
    text += framework.Names()[static_cast<std::size_t>(attack.target)];
    text += '\n';
  }
  return {std::move(text), {}};
}

}  // namespace dialectic
