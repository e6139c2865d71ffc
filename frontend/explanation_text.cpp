#include "frontend/explanation_text.h"

#include <utility>

namespace dialectic {

namespace {

using exact::Explanation;
using exact::ExplanationKind;
using exact::Role;

std::string SetText(const exact::Extension& extension, const std::vector<std::string>& names) {
  std::string text = "{";
  for (const int a : extension) text += (text.size() > 1 ? ", " : "") + names[a];
  return text + "}";
}

std::string ListText(const std::vector<int>& arguments, const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) text += i + 1 == arguments.size() ? " and " : ", ";
    text += names[arguments[i]];
  }
  return text;
}

// "b is attacked by a, d is not attacked" for every argument outside a witness.
std::string OutsideText(const Explanation& explanation, const std::vector<std::string>& names) {
  std::string text;
  for (const exact::OutsideArgument& outside : explanation.outside) {
    if (!text.empty()) text += ", ";
    text += names[outside.argument];
    text += outside.attacker ? " is attacked by " + names[*outside.attacker] : " is not attacked";
  }
  return text.empty() ? "no argument is outside it" : text;
}

std::string TreeText(const Explanation& explanation, const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& line : TreeLines(explanation.tree, names)) text += line + '\n';
  return text;
}

std::string CounterExampleText(const Explanation& explanation, const std::string& semantics,
                               const std::string& name, const std::vector<std::string>& names) {
  std::string text = "The " + semantics + " extension " + SetText(*explanation.extension, names) +
                     " does not hold " + name + ": ";
  switch (*explanation.exclusion) {
    case exact::Exclusion::kOut:
      text += name + " is OUT, attacked by " + names[*explanation.excluder] + ".\n";
      break;
    case exact::Exclusion::kUndecided:
      text += "nothing in it attacks " + name + ", which is undecided";
      if (!explanation.undecided_attackers.empty()) {
        text += "; " + ListText(explanation.undecided_attackers, names) +
                (explanation.undecided_attackers.size() == 1 ? " attacks it and is"
                                                             : " attack it and are") +
                " not attacked by the extension";
      }
      text += ".\n";
      break;
    case exact::Exclusion::kSelfAttacking:
      text += name + " attacks itself.\n";
      break;
    case exact::Exclusion::kConflict:
      text += name + " conflicts with " + names[*explanation.excluder] + ", which is in it.\n";
      break;
  }
  return text;
}

std::string StatementText(const Explanation& explanation, const std::string& semantics,
                          const std::string& name, const std::vector<std::string>& names) {
  switch (*explanation.statement) {
    case exact::Statement::kNoAdmissibleSet:
      if (explanation.strategy_size) {
        return "No admissible set holds " + name + ". The opponent's winning strategy has " +
               std::to_string(*explanation.strategy_size) + " nodes, too many to show.\n";
      }
      return "No admissible set holds " + name +
             ". The search for the opponent's winning strategy was given up as too large.\n";
    case exact::Statement::kStageWitness:
      return "The " + semantics + " extension " + SetText(*explanation.extension, names) +
             " holds " + name + ". It is conflict-free, no conflict-free set has a larger range, " +
             "and outside it " + OutsideText(explanation, names) + ".\n";
    case exact::Statement::kNaiveWitness:
      return "The " + semantics + " extension " + SetText(*explanation.extension, names) +
             " holds " + name + ": it is a maximal conflict-free set, and " + name +
             " does not attack itself.\n";
    case exact::Statement::kSelfAttacking:
      return name + " attacks itself, so no conflict-free set holds it.\n";
    case exact::Statement::kTreeTooLarge: {
      std::string text = "The " + std::string(exact::ExplanationKindName(*explanation.tree_kind)) +
                         " of " + name + " has " + std::to_string(explanation.tree_nodes) +
                         " nodes in " + std::to_string(explanation.tree_depth) +
                         " levels, too many to show.\n";
      if (explanation.extension) {
        text += "Its witness is " + SetText(*explanation.extension, names) + ".\n";
      }
      return text;
    }
  }
  return "";
}

}  // namespace

std::vector<std::string> TreeLines(const std::vector<exact::TreeNode>& tree,
                                   const std::vector<std::string>& names) {
  // Preorder by an explicit stack of (node, depth), children pushed last first.
  std::vector<std::string> lines;
  if (tree.empty()) return lines;
  std::vector<std::pair<int, int>> stack = {{0, 0}};
  while (!stack.empty()) {
    const auto [index, depth] = stack.back();
    stack.pop_back();
    const exact::TreeNode& node = tree[index];
    std::string line(static_cast<std::size_t>(depth) * 2, ' ');
    line += std::string(exact::RoleName(node.role)) + ' ' + names[node.argument];
    if (node.round > 0 || node.repeat) {
      line += " (";
      if (node.round > 0) line += "round " + std::to_string(node.round);
      if (node.round > 0 && node.repeat) line += ", ";
      if (node.repeat) line += "as above";
      line += ')';
    }
    lines.push_back(std::move(line));
    for (auto child = node.children.rbegin(); child != node.children.rend(); ++child) {
      stack.emplace_back(*child, depth + 1);
    }
  }
  return lines;
}

std::string ExplanationText(const Explanation& explanation, exact::Semantics semantics,
                            int argument, const std::vector<std::string>& names) {
  const std::string short_name(exact::SemanticsWord(semantics));
  const std::string& name = names[argument];
  switch (explanation.kind) {
    case ExplanationKind::kGroundedProof: {
      const exact::TreeNode& root = explanation.tree.front();
      std::string text =
          root.role == Role::kProponent
              ? name + " is IN in the grounded labeling, in round " + std::to_string(root.round) +
                    ": each attacker is OUT, attacked by an argument IN in an earlier round.\n"
              : name + " is OUT in the grounded labeling: " +
                    names[explanation.tree[root.children.front()].argument] +
                    " attacks it and is IN.\n";
      return text + TreeText(explanation, names);
    }
    case ExplanationKind::kUndecidedCycle: {
      const bool one = explanation.undecided_attackers.size() == 1;
      std::string text = name + " is undecided in the grounded labeling: " +
                         (one ? "its attacker " : "its attackers ") +
                         ListText(explanation.undecided_attackers, names) + (one ? " is" : " are") +
                         " neither OUT nor IN.\n";
      for (const std::vector<int>& cycle : explanation.cycles) {
        text += "It depends on the cycle ";
        for (const int a : cycle) text += names[a] + " -> ";
        text += names[cycle.front()] + ".\n";
      }
      return text;
    }
    case ExplanationKind::kDisputeTree: {
      std::string text;
      const std::string witness = SetText(*explanation.extension, names);
      if (semantics == exact::Semantics::kIdeal) {
        text = "The ideal extension " + witness + " holds " + name + ". It is admissible, and ";
        text += explanation.refuted_attackers.empty()
                    ? std::string("nothing attacks it")
                    : "its attackers " + ListText(explanation.refuted_attackers, names) +
                          " are in no admissible set";
        text += ", so it is part of every preferred extension.\n";
      } else if (semantics == exact::Semantics::kStable ||
                 semantics == exact::Semantics::kSemiStable) {
        text = "The " + short_name + " extension " + witness + " holds " + name + ". Outside it " +
               OutsideText(explanation, names) + ".\n";
        if (semantics == exact::Semantics::kSemiStable) {
          text += "It is complete, and no complete extension has a larger range.\n";
        }
      } else {
        text = "The set " + witness +
               (explanation.witness_minimal ? " is a minimal admissible set holding "
                                            : " is an admissible set holding ") +
               name + "; " +
               (semantics == exact::Semantics::kAdmissible
                    ? std::string("it is an admissible extension.\n")
                    : "it is part of a " + short_name + " extension.\n");
      }
      return text + "Its defence: every attacker of a proponent is answered by a proponent.\n" +
             TreeText(explanation, names);
    }
    case ExplanationKind::kOpponentStrategy:
      return "No admissible set holds " + name +
             ". However the proponent defends it, the opponent has an attack it cannot answer "
             "without a conflict:\n" +
             TreeText(explanation, names);
    case ExplanationKind::kCounterExample:
      return CounterExampleText(explanation, short_name, name, names);
    case ExplanationKind::kEveryExtension: {
      const bool holds = explanation.each_holds;
      const std::string count = std::to_string(explanation.extension_count);
      if (explanation.extension_count > exact::kMaxListedExtensions) {
        return "There are " + count + " " + short_name + " extensions, and " +
               (holds ? "each holds " : "none holds ") + name + ".\n";
      }
      if (explanation.extension_count == 0) {
        return "There is no " + short_name + " extension" +
               (holds ? ", so every one there is holds " + name + ".\n" : ".\n");
      }
      std::string text = "Of the " + count + " " + short_name + " extensions, " +
                         (holds ? "each holds " : "none holds ") + name + ":\n";
      for (const exact::Extension& extension : explanation.extensions) {
        text += "  " + SetText(extension, names) + '\n';
      }
      return text;
    }
    case ExplanationKind::kStatement:
      return StatementText(explanation, short_name, name, names);
  }
  return "";
}

}  // namespace dialectic
