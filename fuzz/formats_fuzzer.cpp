// The file format readers on arbitrary text. The first byte chooses the format (the line syntax,
// i23, APX or TGF); the rest is the file. Properties: a failed read gives a message
// "fuzz.af:line:column: ..." that says what was expected, and no framework; a read framework keeps
// the invariants of Framework; and it round-trips through every format that can hold it: the
// writer's text reads back to the same framework (i23 numbers the arguments; the line syntax groups
// the attacks by target), and writing what was read back gives the same text again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "formats/formats.h"
#include "fuzz/fuzz_support.h"

namespace dialectic::fuzz {
namespace {

constexpr std::string_view kFileName = "fuzz.af";

// "fuzz.af:" then a line and a column of decimal digits, each followed by a colon, then a reason
// that says what was expected.
bool IsLocatedMessage(std::string_view message) {
  if (!message.starts_with(kFileName) || !message.substr(kFileName.size()).starts_with(':')) {
    return false;
  }
  std::string_view rest = message.substr(kFileName.size() + 1);
  for (int field = 0; field < 2; ++field) {
    const std::size_t colon = rest.find(':');
    if (colon == 0 || colon == std::string_view::npos ||
        rest.substr(0, colon).find_first_not_of("0123456789") != std::string_view::npos) {
      return false;
    }
    rest.remove_prefix(colon + 1);
  }
  return rest.starts_with(' ') && rest.find("expected") != std::string_view::npos;
}

void RequireInvariants(const Framework& framework, std::string_view text) {
  const std::set<std::string> names(framework.Names().begin(), framework.Names().end());
  Require(names.size() == framework.Names().size(), "no two argument names are equal",
          Visible(text));
  std::set<std::pair<int, int>> attacks;
  const int count = static_cast<int>(framework.Names().size());
  for (const Attack& attack : framework.Attacks()) {
    Require(attack.attacker >= 0 && attack.attacker < count && attack.target >= 0 &&
                attack.target < count,
            "every attack joins two arguments of the framework", Visible(text));
    Require(attacks.emplace(attack.attacker, attack.target).second, "no attack is listed twice",
            Visible(text));
  }
}

// What reading the writer's text in the format should give back.
Framework ExpectedAfterRoundTrip(const Framework& framework, Format format) {
  std::vector<std::string> names = framework.Names();
  std::vector<Attack> attacks = framework.Attacks();
  if (format == Format::kI23) {
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::to_string(i + 1);
  }
  if (format == Format::kText) {
    // Grouped by target, attackers of each target in their stated order.
    std::stable_sort(attacks.begin(), attacks.end(),
                     [](const Attack& x, const Attack& y) { return x.target < y.target; });
  }
  return {std::move(names), std::move(attacks)};
}

void RequireRoundTrip(const Framework& framework, Format format, std::string_view source) {
  const WriteResult written = WriteFramework(framework, format);
  if (!written.ok()) {
    Require(written.text.empty(), "a refused write gives no text", FormatName(format));
    return;
  }
  const ReadResult reread = ReadFramework(written.text, format, kFileName);
  const std::string detail = FormatName(format) + " of \"" + Visible(source) + "\": \"" +
                             Visible(written.text) + "\" " + reread.error;
  Require(reread.ok(), "what a writer writes, its reader reads", detail);
  Require(reread.framework == ExpectedAfterRoundTrip(framework, format),
          "what a writer writes reads back to the same framework", detail);
  const WriteResult rewritten = WriteFramework(reread.framework, format);
  Require(rewritten.ok() && rewritten.text == written.text,
          "writing what was read back gives the same text", detail);
}

}  // namespace
}  // namespace dialectic::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dialectic;
  using namespace dialectic::fuzz;
  FuzzInput input(data, size);
  const Format format = kFormats[input.TakeByte() % kFormats.size()];
  const std::string_view text = input.Rest();
  if (format == Format::kI23 && DeclaredI23Count(text) > text.size()) return 0;

  const ReadResult read = ReadFramework(text, format, kFileName);
  if (!read.ok()) {
    Require(format != Format::kText, "the line syntax reads every text", Visible(text));
    Require(IsLocatedMessage(read.error), "a read error says where and what was expected",
            read.error);
    Require(read.framework == Framework{}, "a failed read keeps nothing", read.error);
    return 0;
  }
  RequireInvariants(read.framework, text);
  for (const Format other : kFormats) RequireRoundTrip(read.framework, other, text);
  return 0;
}
