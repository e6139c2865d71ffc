#include "app/cli/option_reader.h"

namespace dialectic {

bool OptionReader::Flag(std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) {
    if (Word() == name) {
      ++next_;
      return true;
    }
  }
  return false;
}

std::optional<std::string> OptionReader::Value(std::string_view name) {
  const std::string& word = Word();
  if (word == name) {
    if (next_ + 1 >= args_.size()) throw UsageError{"option " + word + " needs a value"};
    next_ += 2;
    return args_[next_ - 1];
  }
  if (word.size() > name.size() && word.starts_with(name) && word[name.size()] == '=') {
    ++next_;
    return word.substr(name.size() + 1);
  }
  return std::nullopt;
}

std::optional<std::string> OptionReader::OnceValue(std::string_view name,
                                                   const std::optional<std::string>& earlier) {
  std::optional<std::string> value = Value(name);
  if (value && earlier) throw UsageError{"option " + std::string(name) + " given twice"};
  return value;
}

}  // namespace dialectic
