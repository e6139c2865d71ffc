#include "formats/formats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace dialectic {
namespace {

constexpr Format kText = Format::kText;
constexpr Format kI23 = Format::kI23;
constexpr Format kApx = Format::kApx;
constexpr Format kTgf = Format::kTgf;

std::string Describe(const Framework& framework) {
  std::string text = "names:";
  for (const std::string& name : framework.Names()) text += " [" + name + "]";
  text += " attacks:";
  for (const Attack& attack : framework.Attacks()) {
    text += ' ' + std::to_string(attack.attacker) + '>' + std::to_string(attack.target);
  }
  return text;
}

// What reading back a written framework must give. The line syntax keeps attacks by target (the
// attackers of each in their order); i23 keeps positions only, so its names are numbers.
Framework ExpectedAfterRoundTrip(const Framework& framework, Format format) {
  std::vector<std::string> names = framework.Names();
  std::vector<Attack> attacks = framework.Attacks();
  if (format == kText) {
    std::stable_sort(attacks.begin(), attacks.end(),
                     [](const Attack& a, const Attack& b) { return a.target < b.target; });
  }
  if (format == kI23) {
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::to_string(i + 1);
  }
  return {std::move(names), std::move(attacks)};
}

void ExpectRoundTrip(const Framework& framework, Format format) {
  const WriteResult written = WriteFramework(framework, format);
  ASSERT_TRUE(written.ok()) << FormatName(format) << ": " << written.error;
  const ReadResult read = ReadFramework(written.text, format, "round.trip");
  ASSERT_TRUE(read.ok()) << FormatName(format) << ": " << read.error << "\n" << written.text;
  EXPECT_EQ(Describe(read.framework), Describe(ExpectedAfterRoundTrip(framework, format)))
      << FormatName(format) << " wrote:\n"
      << written.text;
}

TEST(Formats, WritingThenReadingGivesTheSameArgumentsInOrderAndTheSameAttacks) {
  struct Case {
    const char* what;
    Framework framework;
    std::vector<Format> formats;
  };
  const std::vector<Format> all(kFormats.begin(), kFormats.end());
  const Case cases[] = {
      {"empty", {}, all},
      {"isolated only", {{"a", "b", "c"}, {}}, all},
      {"self-attack", {{"a"}, {{0, 0}}}, all},
      {"attacks not grouped by target",
       {{"p", "q", "r"}, {{0, 1}, {2, 0}, {2, 1}, {1, 2}, {0, 0}}},
       all},
      // The attack clause "a c" alone would read c before b.
      {"attacker named before an isolated argument", {{"a", "b", "c"}, {{2, 0}}}, all},
      // The clause "b a" alone would read b before a.
      {"unattacked attacker first", {{"a", "b"}, {{0, 1}}}, all},
      {"every attacker later than its target",
       {{"x1", "x2", "x3", "x4"}, {{3, 0}, {2, 1}, {3, 1}}},
       all},
      {"isolated arguments between attacked ones",
       {{"s", "t", "u", "v", "w"}, {{4, 2}, {0, 2}, {2, 4}}},
       all},
      {"names of digits, signs and 8-bit bytes",
       {{"12", "a_b-c", "\xe9t\xe9", "'q'", "\"", "#x"}, {{0, 1}, {2, 3}, {5, 4}}},
       all},
      {"names sharing their first bytes",
       {{"argument", "argument1", "argumen", "argument10", "argument01", "a", "ab"},
        {{0, 1}, {1, 2}, {3, 4}, {4, 3}, {5, 6}}},
       all},
      {"names with brackets, commas in TGF", {{"f(x)", "a,b", "c."}, {{0, 1}, {1, 2}}}, {kTgf}},
      {"tabs inside names in the line syntax", {{"a\tb", "%c", "(", "x.y"}, {{0, 1}}}, {kText}},
      {"names with blanks in i23", {{"a b", "", " "}, {{2, 0}}}, {kI23}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const Format format : c.formats) ExpectRoundTrip(c.framework, format);
  }
}

TEST(Formats, RandomFrameworksRoundTripInEveryFormat) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> names;
    const int size = static_cast<int>(random() % 9);
    for (int i = 0; i < size; ++i) names.push_back("n" + std::to_string(random() % 1000));
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    std::shuffle(names.begin(), names.end(), random);
    const int count = static_cast<int>(names.size());
    std::vector<Attack> attacks;
    for (int a = 0; a < count; ++a) {
      for (int t = 0; t < count; ++t) {
        if (random() % 4 == 0) attacks.push_back({a, t});
      }
    }
    std::shuffle(attacks.begin(), attacks.end(), random);
    const Framework framework(std::move(names), std::move(attacks));
    SCOPED_TRACE(Describe(framework));
    for (const Format format : kFormats) ExpectRoundTrip(framework, format);
  }
}

TEST(Formats, LargeFilesWithEveryLineRepeatedReadAsTheFrameworkWritten) {
  // Thousands of names and attacks, far more than the readers' tables hold at first.
  std::mt19937 random(99);
  constexpr int kArguments = 3000;
  std::vector<std::string> names;
  for (int i = 0; i < kArguments; ++i) names.push_back("arg" + std::to_string(i * 7919));
  std::set<std::pair<int, int>> seen;
  std::vector<Attack> attacks;
  while (attacks.size() < 20000) {
    const int attacker = static_cast<int>(random() % kArguments);
    const int target = static_cast<int>(random() % kArguments);
    if (seen.insert({attacker, target}).second) attacks.push_back({attacker, target});
  }
  const Framework framework(std::move(names), std::move(attacks));
  for (const Format format : {kI23, kApx, kTgf}) {
    const std::string text = WriteFramework(framework, format).text;
    // The attack lines once more: i23 after its attacks, APX whole, TGF after its "#" line.
    const std::string repeated = format == kI23   ? text + text.substr(text.find('\n') + 1)
                                 : format == kApx ? text + text
                                                  : text + text.substr(text.find("\n#\n") + 3);
    const ReadResult read = ReadFramework(repeated, format, "large");
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_TRUE(read.framework == ExpectedAfterRoundTrip(framework, format)) << FormatName(format);
  }
}

TEST(Formats, WritersGiveTheDocumentedText) {
  const Framework four = {{"a", "b", "c", "d"}, {{0, 1}, {2, 1}, {1, 2}}};
  const Framework natural = {{"b", "a", "c"}, {{1, 0}, {1, 2}}};
  struct Case {
    Framework framework;
    Format format;
    std::string text;
  };
  const Case cases[] = {
      // "b a c" would read b first, so a is named alone ahead of the attack clauses.
      {four, kText, "a\nb a c\nc b\nd\n"},
      {four, kI23, "p af 4\n1 2\n3 2\n2 3\n"},
      {four, kApx, "arg(a).\narg(b).\narg(c).\narg(d).\natt(a,b).\natt(c,b).\natt(b,c).\n"},
      {four, kTgf, "a\nb\nc\nd\n#\na b\nc b\nb c\n"},
      {natural, kText, "b a\nc a\n"},
      {{}, kText, ""},
      {{}, kI23, "p af 0\n"},
      {{}, kApx, ""},
      {{}, kTgf, "#\n"},
  };
  for (const Case& c : cases) {
    const WriteResult written = WriteFramework(c.framework, c.format);
    ASSERT_TRUE(written.ok()) << written.error;
    EXPECT_EQ(written.text, c.text) << FormatName(c.format);
  }
}

TEST(Formats, LineSyntaxIsReadAsTheProgramReadsItsInput) {
  struct Case {
    std::string text;
    Framework framework;
  };
  const Case cases[] = {
      {"a b c, b a\n d", {{"a", "b", "c", "d"}, {{1, 0}, {2, 0}, {0, 1}}}},
      {"b c\na b\nb d", {{"b", "c", "a", "d"}, {{1, 0}, {3, 0}, {0, 2}}}},
      {"a\tb c\r\n,,x  x", {{"a\tb", "c", "x"}, {{1, 0}, {2, 2}}}},
      {"att(a,b).", {{"att(a", "b)."}, {}}},
      {"a a a", {{"a"}, {{0, 0}}}},
      {"", {}},
  };
  for (const Case& c : cases) {
    const ReadResult read = ReadFramework(c.text, kText, "input.txt");
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(Describe(read.framework), Describe(c.framework)) << c.text;
  }
}

struct Malformed {
  Format format;
  std::string text;
  std::string error;
};

TEST(Formats, MalformedFilesFailWithTheirPositionAndWhatWasExpected) {
  const Malformed cases[] = {
      {kI23, "", "theory.i23:1:1: expected a \"p af N\" line"},
      {kI23, "# no header\n", "theory.i23:2:1: expected a \"p af N\" line"},
      {kI23, "1 2\n", "theory.i23:1:1: expected a \"p af N\" line before the attacks"},
      {kI23, "p af 2\n# c\np af 2\n",
       "theory.i23:3:1: expected an attack \"i j\", not a second \"p af\" line"},
      {kI23, "p ag 2\n", "theory.i23:1:3: expected \"af\" after \"p\""},
      {kI23, "p af\n", "theory.i23:1:5: expected the number of arguments after \"p af\""},
      {kI23, "p af -1\n", "theory.i23:1:6: expected the number of arguments after \"p af\""},
      {kI23, "p af 10000001\n", "theory.i23:1:6: expected at most 10000000 arguments"},
      {kI23, "p af 2 x\n", "theory.i23:1:8: expected the end of the line after \"p af N\""},
      {kI23, "p af 2\n1 3\n", "theory.i23:2:3: expected an argument number from 1 to 2"},
      {kI23, "p af 2\n0 1\n", "theory.i23:2:1: expected an argument number from 1 to 2"},
      {kI23, "p af 2\n99999999999999999999999 1\n",
       "theory.i23:2:1: expected an argument number from 1 to 2"},
      {kI23, "p af 2\na 1\n", "theory.i23:2:1: expected the attacker's number"},
      {kI23, "p af 2\n1\n", "theory.i23:2:2: expected the attacked argument's number"},
      {kI23, "p af 2\n1 2x\n", "theory.i23:2:3: expected the attacked argument's number"},
      {kI23, "p af 2\n1 +2\n", "theory.i23:2:3: expected the attacked argument's number"},
      {kI23, "p af 2\n1 2 1\n", "theory.i23:2:5: expected the end of the line after the attack"},
      {kI23, "p af 2\r\n1 2\r\n2  3\r\n",
       "theory.i23:3:4: expected an argument number from 1 to 2"},
      {kApx, "arg(a)", "theory.apx:1:7: expected \".\" after \")\""},
      {kApx, "arg(a.", "theory.apx:1:6: expected \")\" after the argument's name"},
      {kApx, "arg a).", "theory.apx:1:5: expected \"(\" after \"arg\""},
      {kApx, "arg().", "theory.apx:1:5: expected the argument's name"},
      {kApx, "arg(a b).", "theory.apx:1:7: expected \")\" after the argument's name"},
      {kApx, "arg(a). arg(b).\narg(c). att(a,b.",
       "theory.apx:2:16: expected \")\" after the attack's target"},
      {kApx, "arg(a).\natt(a,b).",
       "theory.apx:2:7: argument \"b\" is not declared; expected arg(b). "
       "before its attacks"},
      {kApx, "att(a,a).\narg(a).",
       "theory.apx:1:5: argument \"a\" is not declared; expected arg(a). before its attacks"},
      {kApx, "arg(a).arg(b).\natt(a b).",
       "theory.apx:2:7: expected \",\" after the attacker's name"},
      {kApx, "arg(a).\natt(a,).", "theory.apx:2:7: expected the name of the attack's target"},
      {kApx, "arg(a).\natt(,a).", "theory.apx:2:5: expected the attacker's name"},
      {kApx, "arg(a).\natt a", "theory.apx:2:5: expected \"(\" after \"att\""},
      {kApx, "arg(a). % fine\n  Arg(b).", "theory.apx:2:3: expected \"arg\" or \"att\""},
      {kApx, "arg(a).\r\natt(a,a)x.", "theory.apx:2:9: expected \".\" after \")\""},
      {kApx, "arg(a).\n.", "theory.apx:2:1: expected \"arg\" or \"att\""},
      {kApx, "arg(a).\natt(a,a)\n", "theory.apx:3:1: expected \".\" after \")\""},
      {kTgf, "", "theory.tgf:1:1: expected a line \"#\" after the arguments"},
      {kTgf, "a\nb\n", "theory.tgf:3:1: expected a line \"#\" after the arguments"},
      {kTgf, "a\nb\na b\n",
       "theory.tgf:3:3: expected the end of the line after the argument's name"},
      {kTgf, "a\n# attacks\n", "theory.tgf:2:3: expected the end of the line after \"#\""},
      {kTgf, "a\n#\na c\n",
       "theory.tgf:3:3: argument \"c\" is not declared; expected it on an argument line before the "
       "line \"#\""},
      {kTgf, "a\n#\nb a\n",
       "theory.tgf:3:1: argument \"b\" is not declared; expected it on an argument line before the "
       "line \"#\""},
      {kTgf, "a\n#\na\n", "theory.tgf:3:2: expected the attacked argument's name"},
      {kTgf, "a\n#\na a a\n", "theory.tgf:3:5: expected the end of the line after the attack"},
      {kTgf, "a\r\n#\r\n\r\n a  a \t b\r\n",
       "theory.tgf:4:9: expected the end of the line after the attack"},
  };
  for (const Malformed& c : cases) {
    const ReadResult read = ReadFramework(c.text, c.format, "theory." + FormatName(c.format));
    EXPECT_FALSE(read.ok()) << c.text;
    EXPECT_EQ(read.error, c.error) << FormatName(c.format) << ": " << c.text;
    EXPECT_EQ(read.framework, Framework{}) << "a failed read keeps nothing: " << c.text;
  }
}

TEST(Formats, RepeatedArgumentsAndAttacksAreTakenOnce) {
  struct Case {
    Format format;
    std::string text;
  };
  const Case cases[] = {
      {kI23, "p af 3\n1 2\n2 1\n1 2\n3 3\n2 1\n3 3\n"},
      {kApx,
       "arg(1). arg(2). arg(1). arg(3). att(1,2). att(2,1). att(1,2). att(3,3). att(2,1). "
       "att(3,3). arg(3)."},
      {kTgf, "1\n2\n1\n3\n#\n1 2\n2 1\n1 2\n3 3\n2 1\n3 3\n"},
  };
  const Framework expected = {{"1", "2", "3"}, {{0, 1}, {1, 0}, {2, 2}}};
  for (const Case& c : cases) {
    const ReadResult read = ReadFramework(c.text, c.format, "repeats");
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(Describe(read.framework), Describe(expected)) << FormatName(c.format);
  }
}

TEST(Formats, CommentsBlankLinesAndLineEndsAreSkipped) {
  struct Case {
    Format format;
    std::string text;
  };
  // Every text holds the arguments x, y, z (i23: 1, 2, 3) with y attacking x and z attacking
  // itself.
  const Case cases[] = {
      {kI23, "# made by hand\np af 3\n# y attacks x\n2 1\n\n  # indented\n3 3\n"},
      {kI23, "#\r\n\tp\taf\t3 \r\n\r\n2 1\r\n3 3"},
      {kI23, "p af 3\r2 1\r3 3\r"},
      {kApx, "% arguments\narg(x).arg(y). % two on a line\narg(z).\natt(y,x).\natt(z,z).\n"},
      {kApx, " arg ( x ) .\targ(\ny\n)\n. arg(z % comment inside a fact\n).att(y , x).att(z,z).%"},
      {kApx, "arg(x).\r\narg(y).\r\narg(z).\r\natt(y,x).\r\natt(z,z).\r\n"},
      {kTgf, "x\ny\n\nz\n#\n\ny x\nz z\n"},
      {kTgf, "x\r\n y \r\nz\t\r\n # \r\ny\tx\r\n\r\nz  z"},
  };
  for (const Case& c : cases) {
    const ReadResult read = ReadFramework(c.text, c.format, "comments");
    ASSERT_TRUE(read.ok()) << read.error;
    const Framework expected = {c.format == kI23 ? std::vector<std::string>{"1", "2", "3"}
                                                 : std::vector<std::string>{"x", "y", "z"},
                                {{1, 0}, {2, 2}}};
    EXPECT_EQ(Describe(read.framework), Describe(expected)) << c.text;
  }
}

// Editors put a UTF-8 byte-order mark before the first line; every reader skips it, and one
// anywhere else is part of the text.
TEST(Formats, AByteOrderMarkAtTheStartIsSkipped) {
  const std::string kMark = "\xEF\xBB\xBF";
  struct Case {
    Format format;
    std::string text;
    bool ok;
  };
  const Case cases[] = {
      {kI23, kMark + "p af 3\n2 1\n3 3\n", true},
      {kApx, kMark + "arg(x).arg(y).arg(z).att(y,x).att(z,z).", true},
      {kTgf, kMark + "x\ny\nz\n#\ny x\nz z\n", true},
      {Format::kText, kMark + "x y\nz z\n", true},
      {kI23, "\n" + kMark + "p af 3\n", false},
      {kApx, "arg(x)." + kMark, false},
  };
  for (const Case& c : cases) {
    const ReadResult read = ReadFramework(c.text, c.format, "marked");
    EXPECT_EQ(read.ok(), c.ok) << read.error;
    if (!c.ok) continue;
    const Framework expected = {c.format == kI23 ? std::vector<std::string>{"1", "2", "3"}
                                                 : std::vector<std::string>{"x", "y", "z"},
                                {{1, 0}, {2, 2}}};
    EXPECT_EQ(Describe(read.framework), Describe(expected)) << FormatName(c.format);
  }
  EXPECT_EQ(I23DeclaredArguments(kMark + "# c\n\np af 12\n1 2\n"), 12u);
  EXPECT_EQ(I23DeclaredArguments("1 2\np af 12\n"), std::nullopt);
}

// The stop request ends the read of a file of a million lines, while a small file, read in one
// step, is read whole.
TEST(Formats, AStopRequestEndsTheReadOfALargeFile) {
  std::string i23 = "p af 1000\n";
  std::string apx;
  std::string tgf = "1\n2\n#\n";
  for (int i = 0; i < 200000; ++i) {
    i23 += "1 2\n";
    apx += "arg(a).";
    tgf += "1 2\n";
  }
  RunContext context;
  context.RequestStop();
  struct Case {
    Format format;
    std::string large, small;
  };
  const Case cases[] = {{kI23, i23, "p af 2\n1 2\n"},
                        {kApx, apx, "arg(a).arg(b).att(a,b)."},
                        {kTgf, tgf, "a\nb\n#\na b\n"}};
  for (const Case& c : cases) {
    const ReadResult stopped = ReadFramework(c.large, c.format, "large", &context);
    EXPECT_EQ(stopped.error, "large: reading was stopped") << FormatName(c.format);
    EXPECT_TRUE(ReadFramework(c.large, c.format, "large").ok()) << FormatName(c.format);
    EXPECT_TRUE(ReadFramework(c.small, c.format, "small", &context).ok()) << FormatName(c.format);
  }
}

TEST(Formats, NamesAFormatCannotHoldAreRefusedWhenWriting) {
  struct Case {
    Format format;
    std::vector<std::string> names;
    std::string error;
  };
  const Case cases[] = {
      {kText,
       {"a", "b c"},
       "argument 2 (\"b c\") cannot be written in the line syntax: it contains a blank, which "
       "separates words"},
      {kText,
       {"a,b"},
       "argument 1 (\"a,b\") cannot be written in the line syntax: it contains a comma, which "
       "separates clauses"},
      {kText, {""}, "argument 1 (\"\") cannot be written in the line syntax: it is empty"},
      {kText,
       {"a\r"},
       "argument 1 (\"a\r\") cannot be written in the line syntax: it contains a line break"},
      {kText,
       {"\ta"},
       "argument 1 (\"\ta\") cannot be written in the line syntax: it begins or ends with a "
       "control character, which reading trims"},
      {kText,
       {"a\x01"},
       "argument 1 (\"a\x01\") cannot be written in the line syntax: it begins or ends with a "
       "control character, which reading trims"},
      {kText, {"a", "b", "a"}, "argument 3 (\"a\") repeats the name of argument 1"},
      {kApx,
       {"a b"},
       "argument 1 (\"a b\") cannot be written in APX: it contains a blank, line break or "
       "control character"},
      {kApx,
       {"f(x)"},
       "argument 1 (\"f(x)\") cannot be written in APX: it contains one of ( ) , ."},
      {kApx,
       {"x", "1.5"},
       "argument 2 (\"1.5\") cannot be written in APX: it contains one of ( ) , ."},
      {kApx,
       {"50%"},
       "argument 1 (\"50%\") cannot be written in APX: it contains %, which begins a comment"},
      {kApx, {""}, "argument 1 (\"\") cannot be written in APX: it is empty"},
      {kApx, {"b", "b"}, "argument 2 (\"b\") repeats the name of argument 1"},
      {kTgf,
       {"a", "#"},
       "argument 2 (\"#\") cannot be written in TGF: it is \"#\", the line between the arguments "
       "and the attacks"},
      {kTgf,
       {"a\tb"},
       "argument 1 (\"a\tb\") cannot be written in TGF: it contains a blank, line break or control "
       "character"},
      {kTgf, {""}, "argument 1 (\"\") cannot be written in TGF: it is empty"},
      // A file that starts with a byte-order mark is read without it.
      {kTgf,
       {"\xEF\xBB\xBF"
        "a",
        "b"},
       "the framework cannot be written in TGF: the first name written begins with a UTF-8 "
       "byte-order mark, which every reader skips"},
      {kText,
       {"\xEF\xBB\xBF"
        "a"},
       "the framework cannot be written in the line syntax: the first name written begins with a "
       "UTF-8 byte-order mark, which every reader skips"},
  };
  for (const Case& c : cases) {
    const WriteResult written = WriteFramework({c.names, {}}, c.format);
    EXPECT_FALSE(written.ok()) << c.error;
    EXPECT_EQ(written.error, c.error);
    EXPECT_EQ(written.text, "");
  }
}

TEST(Formats, FormatsAreFoundByNameAndByFileEnding) {
  for (const Format format : kFormats) EXPECT_EQ(FormatNamed(FormatName(format)), format);
  EXPECT_EQ(FormatNamed("APX"), std::nullopt);
  EXPECT_EQ(FormatNamed("af"), std::nullopt);
  EXPECT_EQ(FormatListing(kExchangeFormats), "[i23,apx,tgf]");

  struct Case {
    std::string path;
    Format format;
  };
  const Case cases[] = {
      {"x.i23", kI23},   {"dir/x.af", kI23}, {"x.APX", kApx},        {"a.b/x.tgf", kTgf},
      {"x.txt", kText},  {"apx", kText},     {"x.apx.bak", kText},   {"x.tgf/", kText},
      {"theory", kText}, {"", kText},        {"C:\\x\\y.Tgf", kTgf},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatOfFile(c.path, std::nullopt, kText), c.format) << c.path;
    // The solver's fallback is i23; a format named by an option wins over any ending.
    EXPECT_EQ(FormatOfFile(c.path, std::nullopt, kI23), c.format == kText ? kI23 : c.format)
        << c.path;
    EXPECT_EQ(FormatOfFile(c.path, kApx, kText), kApx) << c.path;
  }
}

}  // namespace
}  // namespace dialectic
