// Editing the theory in the Graph window with the mouse and keys. A double-click on empty space
// asks for a new argument's name, a double-click on an argument (or F2 on the one selected) for
// its new name, in a line edit over the graph that says at once why a name cannot be taken.
// Dragging from one argument onto another adds an attack, dragging out of an argument and back
// onto it a self-attack, dragging it anywhere else moves it there; Shift-clicking two arguments
// adds the attack from the first to the second. Delete removes the selected arguments, or else the
// selected attacks. Ctrl+Z and Ctrl+Shift+Z undo and redo. Every edit is made on the Input text
// (see theory_edit.h) and handed to whoever owns the text through ReplaceInput; undo and redo go to
// the text's own history, so the text and the graph never disagree.
#pragma once

#include <QObject>
#include <QPointF>
#include <QString>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QGraphicsLineItem;
class QGraphicsScene;
class QLabel;
class QLineEdit;

namespace dialectic {

class GraphWindow;
class NodeItem;

class GraphEditor : public QObject {
  Q_OBJECT

 public:
  // Edits the graph the window shows; the window owns the editor.
  explicit GraphEditor(GraphWindow& window);

  // The Input text, as the owner holds it.
  std::function<std::string()> InputText;
  // Replaces the Input text by the edited one as one undoable step, and shows it in the graph.
  std::function<void(const std::string&)> ReplaceInput;
  std::function<void()> Undo;
  std::function<void()> Redo;

  // The edits, by position in the graph shown. Each one that changes the theory replaces the
  // input; a refused name gives its reason and changes nothing.
  QString AddArgument(const QString& name);
  QString RenameArgument(int position, const QString& name);
  void AddAttack(int attacker, int target);
  // Removes the selected arguments, or, when none is selected, the selected attacks.
  void DeleteSelection();

  // The arguments and the attacks (attacker, target) selected, by position.
  std::vector<int> SelectedArguments() const;
  std::vector<std::pair<int, int>> SelectedAttacks() const;
  // The argument a Shift-click chose as the attacker of the next one; -1: none.
  int PendingAttacker() const { return pending_attacker_; }

  // Opens the name editor: for a new argument at the scene point, or for renaming the argument.
  void EditNewName(QPointF scene_point);
  void EditName(int position);
  // Whether the mouse and keys edit the graph; while not (an exercise labels the arguments by
  // clicks), a click only selects and reports the argument and a drag only pans.
  void SetEnabled(bool enabled);
  bool IsEnabled() const { return enabled_; }

  // The name editor and the line that says why its name is refused.
  QLineEdit* NameEditor() const { return name_edit_; }
  QLabel* NameProblemLabel() const { return name_problem_; }

 signals:
  // The arguments selected in the graph changed.
  void SelectionChanged(const std::vector<int>& positions);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool MousePressed(QPointF view_point, Qt::KeyboardModifiers modifiers);
  bool MouseMoved(QPointF view_point);
  bool MouseReleased(QPointF view_point);
  bool DoubleClicked(QPointF view_point);
  // Ends a drag whose scene has been replaced; whether it did.
  bool DragOutlivedItsScene();
  NodeItem* NodeAt(QPointF view_point) const;
  std::string Name(int position) const;
  // The reason the name (UTF-8 text) cannot be an argument's, renaming the one at except; empty:
  // it can.
  QString ProblemOf(const QString& name, int except) const;
  void ShowNameEditor(QPointF scene_point, const QString& text);
  void NameTyped();
  void NameEntered();
  void CloseNameEditor();
  void Replace(const std::string& text);

  GraphWindow& window_;
  QLineEdit* name_edit_ = nullptr;
  QLabel* name_problem_ = nullptr;
  int renamed_ = -1;   // the argument the name editor renames; -1: it names a new one
  QPointF new_place_;  // where a new argument goes

  int pressed_ = -1;                            // the argument a left press went down on
  QPointF press_point_;                         // where, in the view
  bool dragging_ = false;                       // an attack is being drawn from pressed_
  bool left_pressed_ = false;                   // the drag has left the argument it started on
  QGraphicsLineItem* rubber_band_ = nullptr;    // owned by drag_scene_
  const QGraphicsScene* drag_scene_ = nullptr;  // the scene the press went down in
  int pending_attacker_ = -1;
  bool enabled_ = true;
  std::vector<QAction*> actions_;  // the editing keys, owned by the window
};

}  // namespace dialectic
