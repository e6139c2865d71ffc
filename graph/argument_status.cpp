#include "graph/argument_status.h"

#include <algorithm>

namespace dialectic {

namespace {

Acceptance AcceptanceOf(const exact::AcceptanceAnswer& answer) {
  if (answer.outcome == exact::Outcome::kStopped) return Acceptance::kUnknown;
  return answer.accepted ? Acceptance::kYes : Acceptance::kNo;
}

std::string_view Word(Acceptance acceptance) {
  switch (acceptance) {
    case Acceptance::kYes:
      return "yes";
    case Acceptance::kNo:
      return "no";
    case Acceptance::kUnknown:
      break;
  }
  return "not settled";
}

}  // namespace

std::vector<SemanticsStatus> ArgumentStatus(const ArgumentGraph& graph, int argument,
                                            RunContext& context) {
  std::vector<SemanticsStatus> status;
  for (exact::Semantics semantics :
       {exact::Semantics::kComplete, exact::Semantics::kPreferred, exact::Semantics::kStable}) {
    SemanticsStatus row{semantics};
    row.credulous = AcceptanceOf(exact::IsCredulouslyAccepted(graph, semantics, argument, context));
    row.sceptical = AcceptanceOf(exact::IsScepticallyAccepted(graph, semantics, argument, context));
    status.push_back(row);
  }
  // The grounded extension is the only one of its semantics: both questions have one answer.
  const exact::Extension grounded = exact::GroundedExtension(graph);
  const Acceptance in_grounded = std::binary_search(grounded.begin(), grounded.end(), argument)
                                     ? Acceptance::kYes
                                     : Acceptance::kNo;
  status.push_back({exact::Semantics::kGrounded, in_grounded, in_grounded});
  return status;
}

std::string StatusText(const std::vector<SemanticsStatus>& status) {
  std::string text;
  for (const SemanticsStatus& row : status) {
    if (!text.empty()) text += '\n';
    text += exact::SemanticsWord(row.semantics);
    text += ": ";
    // Sceptically accepted but in no extension: there is no extension at all.
    if (row.credulous == Acceptance::kNo && row.sceptical == Acceptance::kYes) {
      text += "no extension";
      continue;
    }
    text += "credulous ";
    text += Word(row.credulous);
    text += ", sceptical ";
    text += Word(row.sceptical);
  }
  return text;
}

}  // namespace dialectic
