// The Graph window's highlight and its arguments' context menu: an explanation picks out the
// arguments and attacks it involves by drawing them thicker, and "Why?" on an argument asks for
// its explanation.
#include <QGraphicsScene>
#include <QMenu>
#include <algorithm>

#include "app/window/graph_items.h"
#include "app/window/graph_view.h"
#include "app/window/graph_window.h"

namespace dialectic {

void GraphWindow::ShowHighlight(const Highlight& highlight) {
  const int size = graph_->Size();
  const auto outside = [size](int position) { return position < 0 || position >= size; };
  highlight_ = highlight;
  std::erase_if(highlight_.arguments, outside);
  std::erase_if(highlight_.attacks, [&outside](const Attack& attack) {
    return outside(attack.attacker) || outside(attack.target);
  });
  ApplyHighlight();
}

bool GraphWindow::IsHighlighted(int position) const {
  if (!laid_out_ || position < 0 || position >= static_cast<int>(nodes_.size())) return false;
  return nodes_[static_cast<std::size_t>(position)]->IsHighlighted();
}

bool GraphWindow::IsAttackHighlighted(int attacker, int target) const {
  if (!laid_out_) return false;
  const QList<QGraphicsItem*> items = scene_->items();
  return std::any_of(items.begin(), items.end(), [attacker, target](QGraphicsItem* item) {
    const auto* edge = dynamic_cast<const EdgeItem*>(item);
    return edge != nullptr && edge->Attacker() == attacker && edge->Target() == target &&
           edge->IsHighlighted();
  });
}

void GraphWindow::ApplyHighlight() {
  if (!laid_out_) return;
  std::vector<bool> arguments(nodes_.size(), false);
  for (const int position : highlight_.arguments) {
    arguments[static_cast<std::size_t>(position)] = true;
  }
  for (NodeItem* node : nodes_) {
    node->SetHighlighted(arguments[static_cast<std::size_t>(node->Position())]);
  }
  for (QGraphicsItem* item : scene_->items()) {
    if (auto* edge = dynamic_cast<EdgeItem*>(item)) {
      const Attack attack{edge->Attacker(), edge->Target()};
      edge->SetHighlighted(std::find(highlight_.attacks.begin(), highlight_.attacks.end(),
                                     attack) != highlight_.attacks.end());
    }
  }
}

void GraphWindow::ShowArgumentMenu(QPoint point) {
  int position = -1;
  for (QGraphicsItem* item : view_->items(point)) {
    if (const auto* node = dynamic_cast<const NodeItem*>(item)) {
      position = node->Position();
      break;
    }
  }
  if (position < 0) return;
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("GraphArgumentMenu"));
  menu.addAction(tr("Why? (%1)").arg(ShownName(position)), this,
                 [this, position] { emit ExplanationRequested(position); });
  menu.exec(view_->viewport()->mapToGlobal(point));
}

}  // namespace dialectic
