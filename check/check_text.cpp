// Every text of the check. The verdict is one line of sentences: the preferred listing, the lines
// listed wrongly, the grounded extension, and the phases cut short; the details say the same
// extension by extension and phase by phase.
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "check/check_facts.h"

namespace dialectic {

namespace {

// How many names or extensions a verdict spells out before it only counts the rest.
constexpr std::size_t kMissingInVerdict = 3;
constexpr std::size_t kNamesInVerdict = 5;
// How long a labeling's text in the verdict may be; the details give it whole.
constexpr std::size_t kTextWidthInVerdict = 60;

// The text, or its start up to a blank followed by "[...]" when it is longer than the width.
std::string Abbreviated(const std::string& text) {
  if (text.size() <= kTextWidthInVerdict) return text;
  const std::size_t cut = text.rfind(' ', kTextWidthInVerdict);
  return text.substr(0, cut == std::string::npos || cut == 0 ? kTextWidthInVerdict : cut) +
         " [...]";
}

std::string Joined(const std::vector<std::string>& items, std::size_t shown) {
  std::string text;
  for (std::size_t i = 0; i < items.size() && i < shown; ++i) {
    if (i > 0) text += ", ";
    text += items[i];
  }
  if (items.size() > shown) text += " and " + std::to_string(items.size() - shown) + " more";
  return text;
}

std::string Duration(std::chrono::milliseconds time) {
  return time.count() % 1000 == 0 ? std::to_string(time.count() / 1000) + " s"
                                  : std::to_string(time.count()) + " ms";
}

std::string NotCheckedText(NotCheckedReason reason, const CheckLimits& limits) {
  switch (reason) {
    case NotCheckedReason::kRunStopped:
      return "the run was stopped before its preferred extensions were listed";
    case NotCheckedReason::kCheckStopped:
      return "the exact engine was stopped";
    case NotCheckedReason::kTimeBudget:
      return "the exact engine took longer than " + Duration(limits.time_budget);
    case NotCheckedReason::kTooManyExtensions:
      return "there are more than " + std::to_string(limits.max_extensions) +
             " exact preferred extensions";
  }
  return {};
}

// The reason; in the verdict a larger extension's text is abbreviated.
std::string WrongText(const WrongLine& wrong, bool in_verdict) {
  switch (wrong.kind) {
    case WrongKind::kInAndOut:
      return wrong.first + " is both IN and OUT";
    case WrongKind::kConflict:
      return "not conflict-free: " + wrong.first + " attacks " + wrong.second + ", both IN";
    case WrongKind::kOutUnattacked:
      return wrong.first + " is OUT but no IN argument attacks it";
    case WrongKind::kUndefended:
      return "not admissible: " + wrong.first + " is IN but its attacker " + wrong.second +
             " is not attacked by an IN argument";
    case WrongKind::kAttackedNotOut:
      return wrong.first + " is attacked by the IN argument " + wrong.second + " but not OUT";
    case WrongKind::kNotMaximal:
      return "not maximal: the preferred extension " +
             (in_verdict ? Abbreviated(wrong.first) : wrong.first) + " holds its IN arguments";
    case WrongKind::kNotPreferred:
      return "no exact preferred extension";
  }
  return {};
}

std::string GaveUpText(PreferredOutcome outcome) {
  return outcome == PreferredOutcome::kTooManyAmbiguous
             ? "The listing gave up: there are too many dialectically ambiguous arguments."
             : "The listing gave up: there are too many preferred extensions to enumerate.";
}

bool GaveUp(const CheckFacts& facts) {
  return facts.preferred_outcome == PreferredOutcome::kTooManyAmbiguous ||
         facts.preferred_outcome == PreferredOutcome::kTooMany;
}

std::string PhaseText(Phase phase) {
  return phase == Phase::kProof ? "proof options of " : "refutation options of ";
}

std::string CutOffText(CutOffReason reason) {
  switch (reason) {
    case CutOffReason::kDepth:
      return "the depth was used up";
    case CutOffReason::kCombinations:
      return "too many counter-attack combinations";
    case CutOffReason::kOptions:
      return "too many options to follow";
  }
  return {};
}

// The names of the arguments cut short for the depth (or for a limit), each once, in search order.
std::vector<std::string> CutOffNames(const std::vector<CutOffFacts>& cut_offs, bool depth) {
  std::vector<std::string> names;
  for (const CutOffFacts& cut_off : cut_offs) {
    if ((cut_off.reason == CutOffReason::kDepth) != depth) continue;
    if (std::find(names.begin(), names.end(), cut_off.arg_name) == names.end())
      names.push_back(cut_off.arg_name);
  }
  return names;
}

std::string PreferredSentences(const CheckFacts& facts) {
  const std::size_t total = facts.exact.size();
  std::vector<std::string> missing;
  for (const ExactExtensionFacts& extension : facts.exact) {
    if (!extension.listed) missing.push_back(Abbreviated(extension.in_text));
  }
  std::string text;
  if (missing.empty()) {
    text = total == 1 ? "The one exact preferred extension is listed."
                      : "All " + std::to_string(total) + " exact preferred extensions are listed.";
  } else {
    text =
        std::to_string(total - missing.size()) + " of " + std::to_string(total) +
        " exact preferred extensions are listed; missing: " + Joined(missing, kMissingInVerdict) +
        ".";
  }
  if (GaveUp(facts)) text += " " + GaveUpText(*facts.preferred_outcome);
  if (!facts.wrong.empty()) {
    const WrongLine& first = facts.wrong.front();
    const std::size_t count = facts.wrong.size();
    text += count == 1 ? " 1 listed extension is not preferred: "
                       : " " + std::to_string(count) +
                             " listed extensions are not preferred, "
                             "the first: ";
    text += Abbreviated(first.text) + " (" + WrongText(first, true) + ").";
  }
  return text;
}

std::string GroundedSentence(const GroundedFacts& grounded) {
  return grounded.right ? "The grounded extension is right."
                        : "The grounded extension is wrong: it is " + grounded.exact_text + ".";
}

std::string CutOffSentence(const std::vector<std::string>& names, std::string_view cause) {
  return "The listing was cut short by " + std::string(cause) +
         (names.size() == 1 ? " (argument " : " (arguments ") + Joined(names, kNamesInVerdict) +
         ").";
}

std::string Verdict(const CheckFacts& facts) {
  std::vector<std::string> sentences;
  if (facts.not_checked) {
    sentences.push_back("Not checked: " + NotCheckedText(*facts.not_checked, facts.limits) + ".");
  } else {
    sentences.push_back(PreferredSentences(facts));
  }
  if (facts.grounded) sentences.push_back(GroundedSentence(*facts.grounded));
  const std::vector<std::string> depth_names = CutOffNames(facts.cut_offs, true);
  if (!depth_names.empty()) sentences.push_back(CutOffSentence(depth_names, "the depth"));
  const std::vector<std::string> limit_names = CutOffNames(facts.cut_offs, false);
  if (!limit_names.empty()) {
    sentences.push_back(CutOffSentence(limit_names, "the search's limits"));
  }
  std::string verdict;
  for (const std::string& sentence : sentences) {
    if (!verdict.empty()) verdict += ' ';
    verdict += sentence;
  }
  return verdict;
}

// The detail lines, each with the labeling it shows, if any.
struct DetailLines {
  std::vector<std::string> lines;
  std::vector<std::optional<PositionLabeling>> labelings;

  void Add(std::string line, std::optional<PositionLabeling> labeling = std::nullopt) {
    lines.push_back(std::move(line));
    labelings.push_back(std::move(labeling));
  }
};

DetailLines Details(const CheckFacts& facts) {
  DetailLines details;
  const auto section = [&details](std::string_view heading) {
    if (!details.lines.empty()) details.Add({});
    details.Add(std::string(heading));
  };
  section("Grounded extension");
  if (!facts.grounded) {
    details.Add("  not computed: the run was stopped before it");
  } else if (facts.grounded->right) {
    details.Add("  right:  " + facts.grounded->exact_text, facts.grounded->exact);
  } else {
    details.Add("  listed: " + facts.grounded->listed_text, facts.grounded->listed);
    details.Add("  exact:  " + facts.grounded->exact_text, facts.grounded->exact);
  }
  section("Exact preferred extensions");
  if (facts.not_checked) {
    details.Add("  not checked: " + NotCheckedText(*facts.not_checked, facts.limits));
  } else {
    if (GaveUp(facts)) details.Add("  " + GaveUpText(*facts.preferred_outcome));
    for (const ExactExtensionFacts& extension : facts.exact) {
      details.Add((extension.listed ? "  listed:  " : "  missing: ") + extension.text,
                  extension.labeling);
    }
  }
  if (!facts.wrong.empty()) {
    section("Listed extensions that are not preferred");
    for (const WrongLine& wrong : facts.wrong) {
      details.Add("  " + wrong.text + ": " + WrongText(wrong, false), wrong.labeling);
    }
  }
  if (!facts.cut_offs.empty()) {
    section("Phases cut short");
    for (const CutOffFacts& cut_off : facts.cut_offs) {
      details.Add("  " + PhaseText(cut_off.phase) + cut_off.arg_name + ": " +
                  CutOffText(cut_off.reason));
    }
  }
  return details;
}

}  // namespace

CheckReport ReportOf(const CheckFacts& facts) {
  DetailLines details = Details(facts);
  CheckReport report;
  report.status = facts.status;
  report.verdict = Verdict(facts);
  report.details = std::move(details.lines);
  report.detail_labelings = std::move(details.labelings);
  if (facts.grounded) report.grounded_right = facts.grounded->right;
  for (const ExactExtensionFacts& extension : facts.exact) {
    if (!extension.listed) report.missing.push_back(extension.labeling);
  }
  for (const WrongLine& wrong : facts.wrong) {
    report.wrong.push_back({wrong.labeling, WrongText(wrong, false)});
  }
  return report;
}

std::vector<std::string> ReportLines(const CheckReport& report) {
  std::vector<std::string> lines = {report.verdict, ""};
  lines.insert(lines.end(), report.details.begin(), report.details.end());
  return lines;
}

}  // namespace dialectic
