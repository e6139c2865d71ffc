// The i23 format: a line "p af N", attack lines "i j" by argument number, comment lines.

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

#include "formats/format_codecs.h"
#include "formats/formats.h"
#include "formats/framework_builder.h"

namespace dialectic {

namespace {

// The largest argument count a "p af" line may declare, so that a mistyped count cannot make the
// reader allocate names for billions of arguments.
constexpr int kMaxArguments = 10'000'000;

// The word's value when it is all decimal digits (a value too large for 64 bits reads as the
// largest one, which every range check refuses), or none.
std::optional<std::uint64_t> NumberOf(std::string_view word) {
  if (word.empty() || word.front() < '0' || word.front() > '9') return std::nullopt;
  std::uint64_t value = 0;
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, value);
  if (error == std::errc::result_out_of_range) {
    for (const char* p = stop; p != end; ++p) {
      if (*p < '0' || *p > '9') return std::nullopt;
    }
    return std::numeric_limits<std::uint64_t>::max();
  }
  if (stop != end) return std::nullopt;
  return value;
}

// Reads the rest of a "p af N" line after its "p" into the count; the located message of the
// first fault, or an empty one.
std::string ReadProblemLine(const SourceText& source, WordCursor& words, int& count) {
  const std::string_view af = words.Next();
  if (af != "af") return source.MessageAt(source.OffsetOf(af), "expected \"af\" after \"p\"");
  const std::string_view number = words.Next();
  const std::optional<std::uint64_t> value = NumberOf(number);
  if (!value) {
    return source.MessageAt(source.OffsetOf(number),
                            "expected the number of arguments after \"p af\"");
  }
  if (*value > static_cast<std::uint64_t>(kMaxArguments)) {
    return source.MessageAt(source.OffsetOf(number),
                            "expected at most " + std::to_string(kMaxArguments) + " arguments");
  }
  if (!words.AtEnd()) {
    return source.MessageAt(source.OffsetOf(words.Next()),
                            "expected the end of the line after \"p af N\"");
  }
  count = static_cast<int>(*value);
  return {};
}

}  // namespace

ReadResult ReadI23(const SourceText& source) {
  FrameworkBuilder builder;
  int count = -1;  // the number of arguments the "p af" line declares; -1 before that line
  // The index of an argument number in 1..count, or -1.
  auto index_of = [&count](std::string_view word) {
    const std::optional<std::uint64_t> number = NumberOf(word);
    if (!number || *number < 1 || *number > static_cast<std::uint64_t>(count)) return -1;
    return static_cast<int>(*number) - 1;
  };
  const std::string in_range = "expected an argument number from 1 to ";

  LineCursor lines(source.text());
  std::string_view line;
  for (std::size_t step = 0; lines.Next(line); ++step) {
    if (source.StopRequestedAt(step)) return source.Stopped();
    WordCursor words(line);
    const std::string_view first = words.Next();
    if (first.empty() || first.front() == '#') continue;
    if (first == "p") {
      if (count >= 0) {
        return source.FailAt(first, "expected an attack \"i j\", not a second \"p af\" line");
      }
      if (std::string error = ReadProblemLine(source, words, count); !error.empty()) {
        return {{}, std::move(error)};
      }
      builder.AddNumberedArguments(count);
      continue;
    }
    if (count < 0) return source.FailAt(first, "expected a \"p af N\" line before the attacks");
    const int attacker = index_of(first);
    if (attacker < 0) {
      return source.FailAt(first, NumberOf(first) ? in_range + std::to_string(count)
                                                  : "expected the attacker's number");
    }
    const std::string_view second = words.Next();
    const int target = index_of(second);
    if (target < 0) {
      return source.FailAt(second, NumberOf(second) ? in_range + std::to_string(count)
                                                    : "expected the attacked argument's number");
    }
    if (!words.AtEnd()) {
      return source.FailAt(words.Next(), "expected the end of the line after the attack");
    }
    builder.AddAttack(attacker, target);
  }
  if (count < 0) return source.FailAt(source.EndOffset(), "expected a \"p af N\" line");
  return {builder.Take(), {}};
}

std::optional<std::uint64_t> I23DeclaredArguments(std::string_view text) {
  LineCursor lines(WithoutByteOrderMark(text));
  std::string_view line;
  while (lines.Next(line)) {
    WordCursor words(line);
    const std::string_view first = words.Next();
    if (first.empty() || first.front() == '#') continue;
    if (first != "p" || words.Next() != "af") return std::nullopt;
    return NumberOf(words.Next());
  }
  return std::nullopt;
}

WriteResult WriteI23(const Framework& framework) {
  if (framework.Names().size() > static_cast<std::size_t>(kMaxArguments)) {
    return {{},
            "cannot write i23: the reader takes at most " + std::to_string(kMaxArguments) +
                " arguments"};
  }
  std::string text = "p af " + std::to_string(framework.Names().size()) + '\n';
  text.reserve(text.size() + framework.Attacks().size() * 12);
  char number[16];
  auto append_number = [&](int index) {
    const auto end = std::to_chars(number, number + sizeof number, index + 1).ptr;
    text.append(number, end);
  };
  for (const Attack& attack : framework.Attacks()) {
    append_number(attack.attacker);
    text += ' ';
    append_number(attack.target);
    text += '\n';
  }
  return {std::move(text), {}};
}

}  // namespace dialectic
