// The Exercise window: practice on the framework of the last run, by clicks on the Graph window's
// nodes. Its Exercise page asks for a labeling under a semantics (each click cycles an argument
// through undecided, IN and OUT; the labeling can be typed too), checks it and can show an
// answer; its Discussion Game page plays a game about one argument against the program. The
// window is thin: the sessions (frontend/practice.h) hold the state and make every text; the
// window shows them and colours the graph by them while it is visible. Why? explains an argument's
// right label as the Semantics window does. The sessions' questions to
// the engine run on the window's thread, each stopped after kPracticeLimit: on the small
// frameworks of exercises they take milliseconds.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "formats/generators.h"
#include "frontend/practice.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace dialectic {

class MainWindow;

class ExerciseWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own over the main window, which owns it.
  explicit ExerciseWindow(MainWindow& main);

  // Shows the window and the graph with the page of exercises or of games, on the framework the
  // Graph window shows.
  void OpenExercise();
  void OpenGame();
  // Exercise > New: asks for a generated framework, writes it into the input and runs, then
  // opens the exercise on it.
  void NewExercise();

  const std::optional<ExerciseSession>& Exercise() const { return exercise_; }
  const std::optional<GameSession>& Game() const { return game_; }

 protected:
  // While the window shows, clicks on the graph label arguments or play moves: the graph is not
  // edited with the mouse, so that two quick clicks are no rename and a drag no new attack.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateExercisePage(QWidget* page);
  void CreateGamePage(QWidget* page);
  // The framework the Graph window shows changed, or a run ended: sessions on another framework
  // start again; the graph takes the page's colours again.
  void FollowRun();
  void NodeClicked(int position);
  // Exercise page.
  void StartExercise();
  bool TakeTypedLabeling();
  void Check();
  void ShowAnswer();
  // Explains the argument that the last refused check names first, else the one clicked last,
  // under the exercise's semantics, in the Why? window.
  void Explain();
  void ShowExercise();
  // Game page.
  void StartGame();
  void ShowGame();
  void ShowPageOnGraph();
  bool IsGamePage() const;

  MainWindow& main_;
  GeneratorRecipe next_recipe_;  // what Exercise > New offers next
  std::optional<ExerciseSession> exercise_;
  std::optional<GameSession> game_;

  QTabWidget* tabs_ = nullptr;
  QComboBox* semantics_ = nullptr;
  QLineEdit* labeling_ = nullptr;
  QPushButton* check_ = nullptr;
  QPushButton* answer_ = nullptr;
  QPushButton* why_ = nullptr;
  int last_clicked_ = -1;  // the argument of the exercise clicked last, or -1
  QLabel* verdict_ = nullptr;
  QComboBox* game_kind_ = nullptr;
  QComboBox* game_side_ = nullptr;
  QComboBox* game_argument_ = nullptr;
  QPushButton* start_game_ = nullptr;
  QPlainTextEdit* moves_ = nullptr;
  QLabel* game_status_ = nullptr;
};

// The Exercise menu (New Exercise, Exercise on This Framework, Discussion Game), inserted before
// the Help menu, and the rules of exercises and games in the Help menu.
void AddExerciseMenu(MainWindow& main, QMenuBar& bar, QMenu& help);

}  // namespace dialectic
