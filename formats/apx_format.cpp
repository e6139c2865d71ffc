// The APX format: facts arg(a). and att(a,b). with blanks and line breaks allowed between tokens
// and comments from % to the end of the line. An attack may name only arguments declared by an
// earlier arg fact, as files in this format declare every argument before its attacks.

#include <string>

#include "formats/format_codecs.h"
#include "formats/framework_builder.h"

namespace dialectic {

namespace {

bool IsPunctuation(char c) { return c == '(' || c == ')' || c == ',' || c == '.'; }

// A byte that may be part of a name: above code 32 and neither punctuation nor the comment sign.
bool IsNameByte(char c) {
  return static_cast<unsigned char>(c) > 32 && !IsPunctuation(c) && c != '%';
}

// The tokens of an APX text: a punctuation mark, or a name (a run of name bytes).
class TokenCursor {
 public:
  explicit TokenCursor(std::string_view text) : text_(text) {}

  // The next token, or an empty view at the end of the text when none is left.
  std::string_view Next() {
    SkipSpaceAndComments();
    const std::size_t start = next_;
    if (next_ < text_.size() && IsPunctuation(text_[next_])) {
      ++next_;
    } else {
      while (next_ < text_.size() && IsNameByte(text_[next_])) ++next_;
    }
    return text_.substr(start, next_ - start);
  }

 private:
  void SkipSpaceAndComments() {
    while (next_ < text_.size()) {
      const char c = text_[next_];
      if (c == '%') {
        while (next_ < text_.size() && !IsLineBreak(text_[next_])) ++next_;
      } else if (static_cast<unsigned char>(c) <= 32) {
        ++next_;
      } else {
        return;
      }
    }
  }

  std::string_view text_;
  std::size_t next_ = 0;
};

bool IsName(std::string_view token) { return !token.empty() && IsNameByte(token.front()); }

// Reads the facts of one source text. Each step returns false once the read has failed, with the
// located message in failure_.
class ApxReader {
 public:
  explicit ApxReader(const SourceText& source) : source_(source), tokens_(source.text()) {}

  ReadResult Read() {
    std::size_t step = 0;
    for (std::string_view keyword = tokens_.Next(); !keyword.empty(); keyword = tokens_.Next()) {
      if (source_.StopRequestedAt(step++)) return source_.Stopped();
      const bool read = keyword == "arg"   ? ReadArgument()
                        : keyword == "att" ? ReadAttack()
                                           : Fail(keyword, "expected \"arg\" or \"att\"");
      if (!read) return {{}, std::move(failure_)};
    }
    return {builder_.Take(), {}};
  }

 private:
  // The rest of arg(a). after "arg".
  bool ReadArgument() {
    std::string_view name;
    if (!Expect('(', "expected \"(\" after \"arg\"") ||
        !ExpectName(name, "expected the argument's name") ||
        !Expect(')', "expected \")\" after the argument's name") ||
        !Expect('.', "expected \".\" after \")\"")) {
      return false;
    }
    builder_.AddArgument(name);
    return true;
  }

  // The rest of att(a,b). after "att".
  bool ReadAttack() {
    int attacker = -1;
    int target = -1;
    if (!Expect('(', "expected \"(\" after \"att\"") ||
        !ExpectDeclared(attacker, "expected the attacker's name") ||
        !Expect(',', "expected \",\" after the attacker's name") ||
        !ExpectDeclared(target, "expected the name of the attack's target") ||
        !Expect(')', "expected \")\" after the attack's target") ||
        !Expect('.', "expected \".\" after \")\"")) {
      return false;
    }
    builder_.AddAttack(attacker, target);
    return true;
  }

  bool Expect(char mark, std::string_view message) {
    const std::string_view token = tokens_.Next();
    return (token.size() == 1 && token.front() == mark) || Fail(token, message);
  }

  bool ExpectName(std::string_view& name, std::string_view message) {
    name = tokens_.Next();
    return IsName(name) || Fail(name, message);
  }

  // A name declared by an earlier arg fact, as its index.
  bool ExpectDeclared(int& index, std::string_view message) {
    std::string_view name;
    if (!ExpectName(name, message)) return false;
    index = builder_.IndexOf(name);
    if (index >= 0) return true;
    const std::string quoted(name);
    return Fail(name, "argument \"" + quoted + "\" is not declared; expected arg(" + quoted +
                          "). before its attacks");
  }

  bool Fail(std::string_view token, std::string_view message) {
    failure_ = source_.MessageAt(source_.OffsetOf(token), message);
    return false;
  }

  const SourceText& source_;
  TokenCursor tokens_;
  FrameworkBuilder builder_;
  std::string failure_;
};

const char* ApxProblem(std::string_view name) {
  if (name.empty()) return "it is empty";
  for (const char c : name) {
    if (static_cast<unsigned char>(c) <= 32)
      return "it contains a blank, line break or control character";
    if (IsPunctuation(c)) return "it contains one of ( ) , .";
    if (c == '%') return "it contains %, which begins a comment";
  }
  return nullptr;
}

}  // namespace

ReadResult ReadApx(const SourceText& source) { return ApxReader(source).Read(); }

WriteResult WriteApx(const Framework& framework) {
  std::string error = UnwritableName(framework, "APX", ApxProblem);
  if (!error.empty()) return {{}, std::move(error)};
  std::string text;
  for (const std::string& name : framework.Names()) {
    text += "arg(";
    text += name;
    text += ").\n";
  }
  for (const Attack& attack : framework.Attacks()) {
    text += "att(";
    text += framework.Names()[static_cast<std::size_t>(attack.attacker)];
    text += ',';
    text += framework.Names()[static_cast<std::size_t>(attack.target)];
    text += ").\n";
  }
  return {std::move(text), {}};
}

}  // namespace dialectic
