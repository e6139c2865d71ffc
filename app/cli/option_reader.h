// The command-line words of both programs, read one at a time: flags, options with a value
// ("--name VALUE" or "--name=VALUE") and the words that are neither. Every mistake is a UsageError
// whose message the program prints before "(see --help)".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialectic {

struct UsageError {
  std::string message;
};

class OptionReader {
 public:
  explicit OptionReader(const std::vector<std::string>& args) : args_(args) {}

  bool Done() const { return next_ >= args_.size(); }
  // The word the reader stands at.
  const std::string& Word() const { return args_[next_]; }

  // Whether the word is one of the names; it is read when it is.
  bool Flag(std::initializer_list<std::string_view> names);
  // The value of the option when the word is it: the next word, or what follows "=" in the word
  // itself. Throws when the option ends the command line without a value.
  std::optional<std::string> Value(std::string_view name);
  // The same, for an option that may be given once only.
  std::optional<std::string> OnceValue(std::string_view name,
                                       const std::optional<std::string>& earlier);
  // Reads the word as it stands.
  std::string TakeWord() { return args_[next_++]; }
  // Whether the word looks like an option: "-" and something more.
  bool IsOptionLike() const { return Word().size() > 1 && Word().front() == '-'; }

 private:
  const std::vector<std::string>& args_;
  std::size_t next_ = 0;
};

}  // namespace dialectic
