// What the check found, before it is put into words: the grounded comparison, every exact
// preferred extension with whether the listing holds it, every listed line that is no preferred
// extension with the first reason found, and the cut-off phases. Names are the theory's, without
// their ending blank; labeling texts are in the program's form "IN (OUT)".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "check/run_check.h"
#include "model/position_labeling.h"
#include "semantics/option_search.h"
#include "semantics/preferred.h"

namespace dialectic {

enum class NotCheckedReason { kRunStopped, kCheckStopped, kTimeBudget, kTooManyExtensions };

struct GroundedFacts {
  bool right = false;
  std::string listed_text;
  std::string exact_text;
  PositionLabeling listed;
  PositionLabeling exact;
};

struct ExactExtensionFacts {
  std::string text;     // the labeling: the extension IN, what it attacks OUT
  std::string in_text;  // its IN names only
  bool listed = false;
  PositionLabeling labeling;
};

// Why a listed line is no preferred extension; the names it concerns are first and second.
enum class WrongKind {
  kInAndOut,        // first is IN and OUT
  kConflict,        // first attacks second, both IN
  kOutUnattacked,   // first is OUT, no IN argument attacks it
  kUndefended,      // first is IN, its attacker second is not attacked by an IN argument
  kAttackedNotOut,  // first is attacked by the IN argument second but not OUT
  kNotMaximal,      // first is the text of a preferred extension that holds the line's IN set
  kNotPreferred,    // none of the above was found
};

struct WrongLine {
  std::string text;
  PositionLabeling labeling;
  WrongKind kind = WrongKind::kNotPreferred;
  std::string first;
  std::string second;
};

struct CutOffFacts {
  std::string arg_name;
  Phase phase = Phase::kProof;
  CutOffReason reason = CutOffReason::kDepth;
};

struct CheckFacts {
  CheckStatus status = CheckStatus::kNotChecked;
  std::optional<NotCheckedReason> not_checked;
  std::optional<GroundedFacts> grounded;  // none when the run did not get to it
  std::optional<PreferredOutcome> preferred_outcome;
  // The listed ones in the order of the listing, then the missing ones by text.
  std::vector<ExactExtensionFacts> exact;
  std::vector<WrongLine> wrong;  // in the order of the listing
  std::vector<CutOffFacts> cut_offs;
  CheckLimits limits;
};

// The report in words; every text of the check is made there.
CheckReport ReportOf(const CheckFacts& facts);

}  // namespace dialectic
