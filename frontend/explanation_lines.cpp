#include "frontend/explanation_lines.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "frontend/explanation_text.h"

namespace dialectic {

namespace {

bool HasAttack(const Framework& framework, int attacker, int target) {
  const std::vector<int>& attackers = framework.Graph().attackers[static_cast<std::size_t>(target)];
  return std::find(attackers.begin(), attackers.end(), attacker) != attackers.end();
}

// Adds without repeating what is there.
void AddHighlightArgument(Highlight& highlight, int argument) {
  if (std::find(highlight.arguments.begin(), highlight.arguments.end(), argument) ==
      highlight.arguments.end()) {
    highlight.arguments.push_back(argument);
  }
}

void AddHighlightAttack(Highlight& highlight, const Framework& framework, int attacker,
                        int target) {
  if (!HasAttack(framework, attacker, target)) return;
  const Attack attack{attacker, target};
  if (std::find(highlight.attacks.begin(), highlight.attacks.end(), attack) ==
      highlight.attacks.end()) {
    highlight.attacks.push_back(attack);
  }
}

// The node indices in the order TreeLines writes their lines.
std::vector<int> PreorderNodes(const std::vector<exact::TreeNode>& tree) {
  std::vector<int> order;
  if (tree.empty()) return order;
  order.reserve(tree.size());
  std::vector<int> stack = {0};
  while (!stack.empty()) {
    const int index = stack.back();
    stack.pop_back();
    order.push_back(index);
    const std::vector<int>& children = tree[static_cast<std::size_t>(index)].children;
    for (auto child = children.rbegin(); child != children.rend(); ++child) stack.push_back(*child);
  }
  return order;
}

Highlight NodeHighlight(const std::vector<exact::TreeNode>& tree, const std::vector<int>& parents,
                        int index, const Framework& framework) {
  Highlight highlight;
  const exact::TreeNode& node = tree[static_cast<std::size_t>(index)];
  AddHighlightArgument(highlight, node.argument);
  const int parent = parents[static_cast<std::size_t>(index)];
  if (parent >= 0) {
    const int parent_argument = tree[static_cast<std::size_t>(parent)].argument;
    AddHighlightArgument(highlight, parent_argument);
    AddHighlightAttack(highlight, framework, node.argument, parent_argument);
  }
  for (const int child : node.children) {
    const int child_argument = tree[static_cast<std::size_t>(child)].argument;
    AddHighlightArgument(highlight, child_argument);
    AddHighlightAttack(highlight, framework, child_argument, node.argument);
  }
  return highlight;
}

std::vector<std::string> ExplanationTextLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

Highlight WholeHighlight(const exact::Explanation& explanation, int argument,
                         const Framework& framework) {
  Highlight highlight;
  AddHighlightArgument(highlight, argument);
  const std::vector<exact::TreeNode>& tree = explanation.tree;
  for (const exact::TreeNode& node : tree) {
    AddHighlightArgument(highlight, node.argument);
    for (const int child : node.children) {
      AddHighlightAttack(highlight, framework, tree[static_cast<std::size_t>(child)].argument,
                         node.argument);
    }
  }
  if (!tree.empty()) return highlight;
  if (explanation.extension) {
    for (const int member : *explanation.extension) AddHighlightArgument(highlight, member);
  }
  if (explanation.excluder) {
    AddHighlightArgument(highlight, *explanation.excluder);
    AddHighlightAttack(highlight, framework, *explanation.excluder, argument);
    AddHighlightAttack(highlight, framework, argument, *explanation.excluder);
  }
  for (const int attacker : explanation.undecided_attackers) {
    AddHighlightArgument(highlight, attacker);
    AddHighlightAttack(highlight, framework, attacker, argument);
  }
  for (const std::vector<int>& cycle : explanation.cycles) {
    for (std::size_t i = 0; i < cycle.size(); ++i) {
      AddHighlightArgument(highlight, cycle[i]);
      AddHighlightAttack(highlight, framework, cycle[i], cycle[(i + 1) % cycle.size()]);
    }
  }
  return highlight;
}

std::vector<ExplanationLine> ExplanationLines(const exact::Explanation& explanation,
                                              exact::Semantics semantics,
                                              exact::AcceptanceQuestion question, int argument,
                                              bool accepted, const Framework& framework) {
  const Highlight whole = WholeHighlight(explanation, argument, framework);
  std::vector<ExplanationLine> lines;
  lines.push_back(
      {framework.NameOf(argument) + " is " +
           (question == exact::AcceptanceQuestion::kCredulous ? "credulously" : "sceptically") +
           " accepted under " + std::string(exact::SemanticsWord(semantics)) +
           " semantics: " + (accepted ? "YES." : "NO."),
       -1, whole});
  // The tree's lines close the text, one per node in preorder; the sentences stand before them.
  const std::vector<std::string> text =
      ExplanationTextLines(ExplanationText(explanation, semantics, argument, framework.Names()));
  const std::vector<int> order = PreorderNodes(explanation.tree);
  const std::size_t first_tree_line = text.size() >= order.size() ? text.size() - order.size() : 0;
  std::vector<int> parents(explanation.tree.size(), -1);
  for (std::size_t i = 0; i < explanation.tree.size(); ++i) {
    for (const int child : explanation.tree[i].children) {
      parents[static_cast<std::size_t>(child)] = static_cast<int>(i);
    }
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i >= first_tree_line && i - first_tree_line < order.size()) {
      const int node = order[i - first_tree_line];
      lines.push_back({text[i], node, NodeHighlight(explanation.tree, parents, node, framework)});
    } else {
      lines.push_back({text[i], -1, whole});
    }
  }
  return lines;
}

Explainer::~Explainer() { Stop(); }

std::uint64_t Explainer::Start(std::shared_ptr<const Framework> framework,
                               exact::Semantics semantics, exact::AcceptanceQuestion question,
                               int argument, DoneCallback done) {
  auto context = std::make_shared<RunContext>();
  std::uint64_t generation = 0;
  {
    std::lock_guard lock(mutex_);
    if (context_ != nullptr) context_->RequestStop();
    context_ = context;
    generation = ++generation_;
  }
  thread_.Post([framework = std::move(framework), semantics, question, argument, context,
                generation, done = std::move(done)] {
    ExplanationResult result;
    result.generation = generation;
    const ArgumentGraph& graph = framework->Graph();
    const exact::AcceptanceAnswer answer =
        question == exact::AcceptanceQuestion::kCredulous
            ? exact::IsCredulouslyAccepted(graph, semantics, argument, *context)
            : exact::IsScepticallyAccepted(graph, semantics, argument, *context);
    if (answer.outcome == exact::Outcome::kStopped) {
      result.stopped = true;
      done(std::move(result));
      return;
    }
    const exact::ExplanationAnswer explained =
        exact::Explain(graph, semantics, question, argument, answer, *context);
    result.accepted = answer.accepted;
    if (explained.outcome == exact::Outcome::kStopped) {
      result.stopped = true;
    } else {
      result.lines = ExplanationLines(explained.explanation, semantics, question, argument,
                                      answer.accepted, *framework);
      result.whole = WholeHighlight(explained.explanation, argument, *framework);
    }
    done(std::move(result));
  });
  return generation;
}

void Explainer::Stop() {
  std::lock_guard lock(mutex_);
  if (context_ != nullptr) context_->RequestStop();
}

}  // namespace dialectic
