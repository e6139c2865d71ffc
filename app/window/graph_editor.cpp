#include "app/window/graph_editor.h"

#include <QAction>
#include <QApplication>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPen>
#include <QTimer>
#include <algorithm>

#include "app/window/graph_items.h"
#include "app/window/graph_view.h"
#include "app/window/graph_window.h"
#include "frontend/theory_edit.h"

namespace dialectic {

namespace {

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace

GraphEditor::GraphEditor(GraphWindow& window) : QObject(&window), window_(window) {
  setObjectName(QStringLiteral("GraphEditor"));
  GraphView& view = window_.View();
  view.viewport()->installEventFilter(this);

  name_edit_ = new QLineEdit(view.viewport());
  name_edit_->setObjectName(QStringLiteral("GraphNameEdit"));
  name_edit_->setVisible(false);
  name_edit_->installEventFilter(this);
  connect(name_edit_, &QLineEdit::textEdited, this, &GraphEditor::NameTyped);
  connect(name_edit_, &QLineEdit::returnPressed, this, &GraphEditor::NameEntered);
  name_problem_ = new QLabel(view.viewport());
  name_problem_->setObjectName(QStringLiteral("GraphNameProblem"));
  name_problem_->setTextFormat(Qt::PlainText);
  name_problem_->setStyleSheet(
      QStringLiteral("QLabel { background: #fff3c4; color: #8a1c00; padding: 2px; }"));
  name_problem_->setVisible(false);

  const auto add_action = [this](const QKeySequence& keys, const char* name, auto slot) {
    auto* action = new QAction(&window_);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, slot);
    window_.addAction(action);
    actions_.push_back(action);
  };
  add_action(QKeySequence::Delete, "actionGraphDelete", [this] { DeleteSelection(); });
  add_action(QKeySequence(Qt::Key_F2), "actionGraphRename", [this] {
    const std::vector<int> selected = SelectedArguments();
    if (selected.size() == 1) EditName(selected.front());
  });
  add_action(QKeySequence(Qt::CTRL | Qt::Key_Z), "actionGraphUndo", [this] {
    if (Undo) Undo();
  });
  add_action(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "actionGraphRedo", [this] {
    if (Redo) Redo();
  });

  // A new layout comes in a new scene: what was being drawn in the old one went with it.
  connect(&window_, &GraphWindow::LayoutShown, this, [this] {
    dragging_ = false;
    pressed_ = -1;
    rubber_band_ = nullptr;
    pending_attacker_ = -1;
    connect(window_.View().scene(), &QGraphicsScene::selectionChanged, this,
            [this] { emit SelectionChanged(SelectedArguments()); });
  });
}

std::string GraphEditor::Name(int position) const { return window_.Graph().NameOf(position); }

QString GraphEditor::ProblemOf(const QString& name, int except) const {
  return QString::fromStdString(NameProblem(Utf8(name), window_.Graph().Names(), except));
}

void GraphEditor::Replace(const std::string& text) {
  if (ReplaceInput && InputText && text != InputText()) ReplaceInput(text);
}

QString GraphEditor::AddArgument(const QString& name) {
  const QString problem = ProblemOf(name, -1);
  if (problem.isEmpty()) Replace(WithArgument(InputText(), Utf8(name)));
  return problem;
}

QString GraphEditor::RenameArgument(int position, const QString& name) {
  if (position < 0 || position >= window_.Graph().Size()) return {};
  if (Utf8(name) == Name(position)) return {};
  const QString problem = ProblemOf(name, position);
  if (problem.isEmpty()) Replace(WithRename(InputText(), Name(position), Utf8(name)));
  return problem;
}

void GraphEditor::AddAttack(int attacker, int target) {
  const int size = window_.Graph().Size();
  if (attacker < 0 || attacker >= size || target < 0 || target >= size) return;
  Replace(WithAttack(InputText(), Name(attacker), Name(target)));
}

std::vector<int> GraphEditor::SelectedArguments() const {
  std::vector<int> positions;
  const QGraphicsScene* scene = window_.View().scene();
  if (scene == nullptr) return positions;
  for (QGraphicsItem* item : scene->selectedItems()) {
    if (auto* node = dynamic_cast<NodeItem*>(item)) positions.push_back(node->Position());
  }
  std::sort(positions.begin(), positions.end());
  return positions;
}

std::vector<std::pair<int, int>> GraphEditor::SelectedAttacks() const {
  std::vector<std::pair<int, int>> attacks;
  const QGraphicsScene* scene = window_.View().scene();
  if (scene == nullptr) return attacks;
  for (QGraphicsItem* item : scene->selectedItems()) {
    if (auto* edge = dynamic_cast<EdgeItem*>(item)) {
      attacks.emplace_back(edge->Attacker(), edge->Target());
    }
  }
  std::sort(attacks.begin(), attacks.end());
  return attacks;
}

void GraphEditor::DeleteSelection() {
  if (name_edit_->isVisible()) return;
  const std::vector<int> arguments = SelectedArguments();
  if (!arguments.empty()) {
    std::vector<std::string> names;
    for (int position : arguments) names.push_back(Name(position));
    Replace(WithoutArguments(InputText(), names));
    return;
  }
  std::vector<std::pair<std::string, std::string>> attacks;
  for (const auto& [attacker, target] : SelectedAttacks()) {
    attacks.emplace_back(Name(attacker), Name(target));
  }
  if (!attacks.empty()) Replace(WithoutAttacks(InputText(), attacks));
}

NodeItem* GraphEditor::NodeAt(QPointF view_point) const {
  for (QGraphicsItem* item : window_.View().items(view_point.toPoint())) {
    if (auto* node = dynamic_cast<NodeItem*>(item)) return node;
  }
  return nullptr;
}

bool GraphEditor::eventFilter(QObject* watched, QEvent* event) {
  // Only the user's mouse and keys are handled here. Other events also come while the window is
  // being destroyed, when the window must not be touched: leaving the name editor then closes it
  // on a later turn, which never comes once the editor is gone.
  if (watched == name_edit_) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      CloseNameEditor();
      return true;
    }
    if (event->type() == QEvent::FocusOut) {
      QTimer::singleShot(0, this, [this] {
        if (!name_edit_->hasFocus()) CloseNameEditor();
      });
    }
    return false;
  }
  if (!enabled_) return false;
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
      type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick) {
    return false;
  }
  if (!window_.IsLaidOut()) return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  if (type == QEvent::MouseMove) return MouseMoved(mouse->position());
  if (mouse->button() != Qt::LeftButton) return false;
  if (type == QEvent::MouseButtonPress) return MousePressed(mouse->position(), mouse->modifiers());
  if (type == QEvent::MouseButtonRelease) return MouseReleased(mouse->position());
  return DoubleClicked(mouse->position());
}

void GraphEditor::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  for (QAction* action : actions_) action->setEnabled(enabled);
  if (enabled) return;
  CloseNameEditor();
  if (rubber_band_ != nullptr) {
    delete rubber_band_;
    rubber_band_ = nullptr;
  }
  pressed_ = -1;
  dragging_ = false;
  pending_attacker_ = -1;
}

bool GraphEditor::MousePressed(QPointF view_point, Qt::KeyboardModifiers modifiers) {
  NodeItem* node = NodeAt(view_point);
  if (modifiers & Qt::ShiftModifier) {
    // Shift-click the attacker, then the target.
    if (node == nullptr) {
      pending_attacker_ = -1;
    } else if (pending_attacker_ < 0) {
      pending_attacker_ = node->Position();
      window_.View().scene()->clearSelection();
      node->setSelected(true);
    } else {
      const int attacker = pending_attacker_;
      pending_attacker_ = -1;
      AddAttack(attacker, node->Position());
    }
    return true;
  }
  pending_attacker_ = -1;
  pressed_ = node == nullptr ? -1 : node->Position();
  drag_scene_ = window_.View().scene();
  press_point_ = view_point;
  dragging_ = false;
  left_pressed_ = false;
  // The press goes on to the view: it selects, reports the click and pans from empty space.
  return false;
}

bool GraphEditor::DragOutlivedItsScene() {
  if (window_.View().scene() == drag_scene_) return false;
  // Another theory or layout took the scene over; the old scene deletes the rubber band with its
  // items, and the argument pressed may be another one now.
  pressed_ = -1;
  dragging_ = false;
  rubber_band_ = nullptr;
  return true;
}

bool GraphEditor::MouseMoved(QPointF view_point) {
  if (pressed_ < 0) return false;
  if (DragOutlivedItsScene()) return true;
  GraphView& view = window_.View();
  if (!dragging_) {
    if ((view_point - press_point_).manhattanLength() < QApplication::startDragDistance()) {
      return true;
    }
    dragging_ = true;
    rubber_band_ = view.scene()->addLine(QLineF());
    QPen pen(Qt::darkGray);
    pen.setStyle(Qt::DashLine);
    pen.setWidthF(1.5);
    rubber_band_->setPen(pen);
    rubber_band_->setZValue(2);
  }
  NodeItem* over = NodeAt(view_point);
  if (over == nullptr || over->Position() != pressed_) left_pressed_ = true;
  const NodeItem* from = nullptr;
  for (QGraphicsItem* item : view.scene()->items()) {
    auto* node = dynamic_cast<NodeItem*>(item);
    if (node != nullptr && node->Position() == pressed_) from = node;
  }
  if (from != nullptr && rubber_band_ != nullptr) {
    rubber_band_->setLine(QLineF(from->pos(), view.mapToScene(view_point.toPoint())));
  }
  return true;
}

bool GraphEditor::MouseReleased(QPointF view_point) {
  if (pressed_ >= 0 && DragOutlivedItsScene()) return true;
  const int pressed = pressed_;
  const bool was_dragging = dragging_;
  pressed_ = -1;
  dragging_ = false;
  if (rubber_band_ != nullptr) {
    delete rubber_band_;
    rubber_band_ = nullptr;
  }
  if (!was_dragging) return false;
  NodeItem* target = NodeAt(view_point);
  // Onto another argument: an attack; back onto the one it started from, after leaving it: a
  // self-attack; anywhere else: the argument moves there.
  if (target != nullptr && (target->Position() != pressed || left_pressed_)) {
    AddAttack(pressed, target->Position());
    return true;
  }
  GraphView& view = window_.View();
  for (QGraphicsItem* item : view.scene()->items()) {
    auto* node = dynamic_cast<NodeItem*>(item);
    if (node == nullptr || node->Position() != pressed) continue;
    const QPointF moved =
        view.mapToScene(view_point.toPoint()) - view.mapToScene(press_point_.toPoint());
    window_.PlaceNode(Name(pressed), node->pos() + moved);
    break;
  }
  return true;
}

bool GraphEditor::DoubleClicked(QPointF view_point) {
  if (NodeItem* node = NodeAt(view_point)) {
    EditName(node->Position());
  } else {
    EditNewName(window_.View().mapToScene(view_point.toPoint()));
  }
  return true;
}

void GraphEditor::EditNewName(QPointF scene_point) {
  renamed_ = -1;
  new_place_ = scene_point;
  ShowNameEditor(scene_point, QString());
}

void GraphEditor::EditName(int position) {
  if (position < 0 || position >= window_.Graph().Size()) return;
  renamed_ = position;
  QPointF centre;
  for (QGraphicsItem* item : window_.View().scene()->items()) {
    auto* node = dynamic_cast<NodeItem*>(item);
    if (node != nullptr && node->Position() == position) centre = node->pos();
  }
  const std::string& name = Name(position);
  ShowNameEditor(centre, QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

void GraphEditor::ShowNameEditor(QPointF scene_point, const QString& text) {
  const QPoint at = window_.View().mapFromScene(scene_point);
  name_edit_->setText(text);
  name_edit_->selectAll();
  name_edit_->adjustSize();
  name_edit_->resize(std::max(name_edit_->width(), 160), name_edit_->height());
  name_edit_->move(at - QPoint(name_edit_->width() / 2, name_edit_->height() / 2));
  name_problem_->move(name_edit_->geometry().bottomLeft() + QPoint(0, 2));
  name_problem_->setVisible(false);
  name_edit_->setVisible(true);
  name_edit_->setFocus();
}

void GraphEditor::NameTyped() {
  const QString problem = ProblemOf(name_edit_->text(), renamed_);
  // Renaming to the name it has is no edit, and no fault.
  const bool unchanged = renamed_ >= 0 && Utf8(name_edit_->text()) == Name(renamed_);
  name_problem_->setText(unchanged ? QString() : problem);
  name_problem_->adjustSize();
  name_problem_->setVisible(!unchanged && !problem.isEmpty());
}

void GraphEditor::NameEntered() {
  const QString name = name_edit_->text();
  const int renamed = renamed_;
  const QString problem = renamed < 0                   ? ProblemOf(name, -1)
                          : Utf8(name) == Name(renamed) ? QString()
                                                        : ProblemOf(name, renamed);
  if (!problem.isEmpty()) {
    NameTyped();
    return;
  }
  CloseNameEditor();
  if (renamed < 0) {
    // The new argument goes where the user asked for it.
    window_.PlaceNode(Utf8(name), new_place_);
    AddArgument(name);
  } else {
    RenameArgument(renamed, name);
  }
}

void GraphEditor::CloseNameEditor() {
  if (!name_edit_->isVisible()) return;
  name_edit_->setVisible(false);
  name_problem_->setVisible(false);
  window_.View().setFocus();
}

}  // namespace dialectic
