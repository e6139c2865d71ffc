#include "tests/golden/golden_format.h"

#include <charconv>
#include <ostream>

namespace dialectic::golden {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string Escape(std::string_view line) {
  std::string text;
  text.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto byte = static_cast<unsigned char>(line[i]);
    const bool is_last = i + 1 == line.size();
    if (byte == '\\') {
      text += "\\\\";
    } else if (byte == '\t') {
      text += "\\t";
    } else if (byte < 32 || byte >= 127 || (byte == ' ' && is_last)) {
      text += "\\x";
      text += kHexDigits[byte / 16];
      text += kHexDigits[byte % 16];
    } else {
      text += static_cast<char>(byte);
    }
  }
  return text;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\\') {
      line += c;
      continue;
    }
    if (i + 1 >= text.size()) return std::nullopt;
    const char kind = text[++i];
    if (kind == '\\') {
      line += '\\';
    } else if (kind == 't') {
      line += '\t';
    } else if (kind == 'x' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
               HexValue(text[i + 2]) >= 0) {
      line += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return line;
}

bool IsTimingLine(std::string_view line) {
  constexpr std::string_view kSuffix = " ms elapsed";
  if (line.size() <= kSuffix.size() || !line.ends_with(kSuffix)) return false;
  const std::string_view digits = line.substr(0, line.size() - kSuffix.size());
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string StoredLine(std::string_view line, bool is_timing_area) {
  if (is_timing_area && IsTimingLine(line)) return std::string(kStoredTimingLine);
  return "|" + Escape(line);
}

std::array<StringList, 4> StoredOutputs(const std::array<const StringList*, 4>& areas) {
  std::array<StringList, 4> stored;
  for (std::size_t a = 0; a < areas.size(); ++a) {
    stored[a].reserve(areas[a]->size());
    for (const std::string& line : *areas[a]) {
      stored[a].push_back(StoredLine(line, IsTimingArea(a)));
    }
  }
  return stored;
}

void WriteCase(std::ostream& out, const GoldenCase& golden_case) {
  out << "@case " << golden_case.id << '\n';
  out << "@depth " << Escape(golden_case.depth_text) << '\n';
  out << "@trace " << (golden_case.show_trace ? "on" : "off") << '\n';
  out << "@Memo1 " << golden_case.input.size() << '\n';
  for (const std::string& line : golden_case.input) out << StoredLine(line, false) << '\n';
  for (std::size_t a = 0; a < kOutputAreaNames.size(); ++a) {
    const StringList& lines = golden_case.stored_outputs[a];
    out << '@' << kOutputAreaNames[a] << ' ' << lines.size() << '\n';
    for (const std::string& line : lines) out << line << '\n';
  }
  out << '\n';
}

namespace {

// Reads a golden file line by line; a CR before the LF (from a checkout that converted line ends)
// is dropped, since stored lines never hold a raw CR.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return position_ >= text_.size(); }
  int LineNumber() const { return line_number_; }

  std::string_view Next() {
    const std::size_t end = text_.find('\n', position_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    std::string_view line = text_.substr(position_, stop - position_);
    position_ = stop + 1;
    ++line_number_;
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
  }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
  int line_number_ = 0;
};

// The value of "@name value", or nothing when the line is not that directive.
std::optional<std::string_view> Directive(std::string_view line, std::string_view name) {
  if (line.size() < name.size() + 2 || line[0] != '@') return std::nullopt;
  if (line.substr(1, name.size()) != name || line[name.size() + 1] != ' ') return std::nullopt;
  return line.substr(name.size() + 2);
}

std::optional<std::size_t> Count(std::string_view text) {
  std::size_t count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return count;
}

bool IsStoredLine(std::string_view line, bool is_timing_area) {
  if (is_timing_area && line == kStoredTimingLine) return true;
  return line.starts_with('|') && Unescape(line.substr(1)).has_value();
}

class Parser {
 public:
  explicit Parser(std::string_view text) : reader_(text) {}

  ParsedGoldens Parse() {
    ParsedGoldens parsed;
    while (!reader_.AtEnd()) {
      const std::string_view line = reader_.Next();
      if (line.empty() || line.starts_with('#')) continue;
      GoldenCase& golden_case = parsed.cases.emplace_back();
      golden_case.file_line = reader_.LineNumber();
      if (!ParseCase(line, golden_case)) {
        parsed.cases.clear();
        parsed.error = "line " + std::to_string(reader_.LineNumber()) + ": " + error_;
        break;
      }
    }
    return parsed;
  }

 private:
  bool Fail(std::string message) {
    error_ = std::move(message);
    return false;
  }

  std::optional<std::string_view> Expect(std::string_view name) {
    if (reader_.AtEnd()) {
      Fail("the file ends where @" + std::string(name) + " was due");
      return std::nullopt;
    }
    const std::optional<std::string_view> value = Directive(reader_.Next(), name);
    if (!value) Fail("@" + std::string(name) + " expected");
    return value;
  }

  bool ReadArea(std::string_view name, bool is_timing_area, StringList& lines) {
    const std::optional<std::string_view> value = Expect(name);
    if (!value) return false;
    const std::optional<std::size_t> count = Count(*value);
    if (!count) return Fail("@" + std::string(name) + " needs a line count");
    for (std::size_t i = 0; i < *count; ++i) {
      if (reader_.AtEnd()) return Fail("the file ends inside @" + std::string(name));
      const std::string_view line = reader_.Next();
      if (!IsStoredLine(line, is_timing_area)) return Fail("malformed stored line");
      lines.emplace_back(line);
    }
    return true;
  }

  bool ParseCase(std::string_view first_line, GoldenCase& golden_case) {
    const std::optional<std::string_view> id = Directive(first_line, "case");
    if (!id) return Fail("@case expected");
    golden_case.id = std::string(*id);

    const std::optional<std::string_view> depth = Expect("depth");
    if (!depth) return false;
    const std::optional<std::string> depth_text = Unescape(*depth);
    if (!depth_text) return Fail("malformed depth text");
    golden_case.depth_text = *depth_text;

    const std::optional<std::string_view> trace = Expect("trace");
    if (!trace) return false;
    if (*trace != "on" && *trace != "off") return Fail("@trace must be on or off");
    golden_case.show_trace = *trace == "on";

    StringList stored_input;
    if (!ReadArea("Memo1", false, stored_input)) return false;
    for (const std::string& line : stored_input) {
      golden_case.input.push_back(*Unescape(std::string_view(line).substr(1)));
    }
    for (std::size_t a = 0; a < kOutputAreaNames.size(); ++a) {
      if (!ReadArea(kOutputAreaNames[a], IsTimingArea(a), golden_case.stored_outputs[a])) {
        return false;
      }
    }
    return true;
  }

  LineReader reader_;
  std::string error_;
};

}  // namespace

ParsedGoldens ParseGoldens(std::string_view text) { return Parser(text).Parse(); }

}  // namespace dialectic::golden
