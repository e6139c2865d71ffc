#include "app/window/exercise_window.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

#include "app/window/exercise_dialog.h"
#include "app/window/explanation_view.h"
#include "app/window/graph_editor.h"
#include "app/window/graph_window.h"
#include "app/window/help_dialogs.h"
#include "app/window/main_window.h"
#include "app/window/semantics_panel.h"
#include "frontend/generated_theory.h"

namespace dialectic {

namespace {

QString Shown(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The framework Exercise > New offers first: a few arguments, so that a labeling can be worked
// out by hand.
GeneratorRecipe FirstExerciseRecipe() { return {"er", 6, ExerciseParameters("er"), 1}; }

}  // namespace

ExerciseWindow::ExerciseWindow(MainWindow& main)
    : QWidget(&main, Qt::Window), main_(main), next_recipe_(FirstExerciseRecipe()) {
  setObjectName(QStringLiteral("ExerciseWindow"));
  setWindowTitle(tr("Exercise"));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("ExerciseTabs"));
  auto* exercise_page = new QWidget(tabs_);
  auto* game_page = new QWidget(tabs_);
  CreateExercisePage(exercise_page);
  CreateGamePage(game_page);
  tabs_->addTab(exercise_page, tr("&Exercise"));
  tabs_->addTab(game_page, tr("Discussion &Game"));
  layout->addWidget(tabs_);
  connect(tabs_, &QTabWidget::currentChanged, this, [this] { ShowPageOnGraph(); });
  connect(&main_, &MainWindow::RunEnded, this, &ExerciseWindow::FollowRun);
  connect(&main_.graph_window(), &GraphWindow::NodeClicked, this, &ExerciseWindow::NodeClicked);
  resize(520, 360);
}

void ExerciseWindow::CreateExercisePage(QWidget* page) {
  auto* form = new QFormLayout(page);
  semantics_ = new QComboBox(page);
  semantics_->setObjectName(QStringLiteral("ExerciseSemantics"));
  for (const exact::Semantics semantics : ExerciseSemanticsList()) {
    semantics_->addItem(Shown(std::string(exact::SemanticsWord(semantics))),
                        static_cast<int>(semantics));
  }
  form->addRow(tr("&Semantics:"), semantics_);
  labeling_ = new QLineEdit(page);
  labeling_->setObjectName(QStringLiteral("ExerciseLabeling"));
  labeling_->setPlaceholderText(tr("Click the arguments in the graph, or type IN: a OUT: b"));
  form->addRow(tr("&Labeling:"), labeling_);
  auto* buttons = new QHBoxLayout;
  check_ = new QPushButton(tr("&Check"), page);
  check_->setObjectName(QStringLiteral("ExerciseCheck"));
  answer_ = new QPushButton(tr("Show an &Answer"), page);
  answer_->setObjectName(QStringLiteral("ExerciseAnswer"));
  why_ = new QPushButton(tr("&Why?"), page);
  why_->setObjectName(QStringLiteral("ExerciseWhy"));
  why_->setToolTip(tr("Explain the argument the check names, else the one clicked last"));
  buttons->addWidget(check_);
  buttons->addWidget(answer_);
  buttons->addWidget(why_);
  buttons->addStretch();
  form->addRow(buttons);
  verdict_ = new QLabel(page);
  verdict_->setObjectName(QStringLiteral("ExerciseVerdict"));
  verdict_->setWordWrap(true);
  verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form->addRow(verdict_);

  connect(semantics_, &QComboBox::currentIndexChanged, this, [this] {
    if (!exercise_) return;
    exercise_->SetSemantics(static_cast<exact::Semantics>(semantics_->currentData().toInt()));
    verdict_->clear();
    ShowExercise();
  });
  connect(labeling_, &QLineEdit::returnPressed, this, &ExerciseWindow::Check);
  connect(check_, &QPushButton::clicked, this, &ExerciseWindow::Check);
  connect(answer_, &QPushButton::clicked, this, &ExerciseWindow::ShowAnswer);
  connect(why_, &QPushButton::clicked, this, &ExerciseWindow::Explain);
}

void ExerciseWindow::CreateGamePage(QWidget* page) {
  auto* form = new QFormLayout(page);
  game_kind_ = new QComboBox(page);
  game_kind_->setObjectName(QStringLiteral("GameKind"));
  game_kind_->addItem(tr("Grounded game"), static_cast<int>(exact::GameKind::kGrounded));
  game_kind_->addItem(tr("Admissibility game (credulous preferred)"),
                      static_cast<int>(exact::GameKind::kAdmissibility));
  form->addRow(tr("&Game:"), game_kind_);
  game_argument_ = new QComboBox(page);
  game_argument_->setObjectName(QStringLiteral("GameArgument"));
  form->addRow(tr("A&rgument:"), game_argument_);
  game_side_ = new QComboBox(page);
  game_side_->setObjectName(QStringLiteral("GameSide"));
  game_side_->addItem(tr("for it (proponent)"), static_cast<int>(exact::Player::kProponent));
  game_side_->addItem(tr("against it (opponent)"), static_cast<int>(exact::Player::kOpponent));
  form->addRow(tr("You argue:"), game_side_);
  start_game_ = new QPushButton(tr("&Start"), page);
  start_game_->setObjectName(QStringLiteral("GameStart"));
  form->addRow(start_game_);
  moves_ = new QPlainTextEdit(page);
  moves_->setObjectName(QStringLiteral("GameMoves"));
  moves_->setReadOnly(true);
  form->addRow(moves_);
  game_status_ = new QLabel(page);
  game_status_->setObjectName(QStringLiteral("GameStatus"));
  game_status_->setWordWrap(true);
  form->addRow(game_status_);
  connect(start_game_, &QPushButton::clicked, this, &ExerciseWindow::StartGame);
}

void ExerciseWindow::showEvent(QShowEvent* event) {
  main_.graph_editor().SetEnabled(false);
  QWidget::showEvent(event);
}

void ExerciseWindow::hideEvent(QHideEvent* event) {
  main_.graph_editor().SetEnabled(true);
  QWidget::hideEvent(event);
}

bool ExerciseWindow::IsGamePage() const { return tabs_->currentIndex() == 1; }

void ExerciseWindow::OpenExercise() {
  tabs_->setCurrentIndex(0);
  main_.ShowGraph();
  show();
  raise();
  FollowRun();
  if (!exercise_) StartExercise();
  ShowExercise();
}

void ExerciseWindow::OpenGame() {
  tabs_->setCurrentIndex(1);
  main_.ShowGraph();
  show();
  raise();
  FollowRun();
  ShowGame();
}

void ExerciseWindow::NewExercise() {
  // The input belongs to the run until it ends, as for the File menu's commands.
  if (main_.IsRunning()) {
    tabs_->setCurrentIndex(0);
    show();
    verdict_->setText(tr("A run is going on: New Exercise can start once it has ended."));
    return;
  }
  if (!main_.MayDropInput()) return;
  ExerciseDialog dialog(next_recipe_,
                        static_cast<exact::Semantics>(semantics_->currentData().toInt()), &main_);
  if (dialog.exec() != QDialog::Accepted) return;
  next_recipe_ = NextGeneratorRecipe(dialog.Recipe());
  semantics_->setCurrentIndex(semantics_->findData(static_cast<int>(dialog.Semantics())));
  // The exercise starts afresh on the framework of the run that follows.
  exercise_.reset();
  game_.reset();
  tabs_->setCurrentIndex(0);
  show();
  main_.ShowGraph();
  main_.NewGeneratedTheory(dialog.Recipe());
  if (!main_.IsRunning()) FollowRun();
}

void ExerciseWindow::FollowRun() {
  const Framework& framework = main_.graph_window().Graph();
  if (exercise_ && !(exercise_->framework() == framework)) exercise_.reset();
  if (!exercise_ && isVisible()) StartExercise();
  if (game_ && !(game_->framework() == framework)) game_.reset();
  const int chosen = game_argument_->currentIndex();
  game_argument_->clear();
  for (const std::string& name : framework.Names()) game_argument_->addItem(Shown(name));
  if (chosen >= 0 && chosen < game_argument_->count()) game_argument_->setCurrentIndex(chosen);
  if (isVisible()) ShowPageOnGraph();
}

void ExerciseWindow::NodeClicked(int position) {
  if (!isVisible()) return;
  if (IsGamePage()) {
    // Between games a click chooses the argument of the next one.
    if (!game_ || game_->Game().IsOver()) {
      if (position >= 0 && position < game_argument_->count()) {
        game_argument_->setCurrentIndex(position);
      }
      return;
    }
    RunContext context;
    const StopAfter limit(context, kPracticeLimit);
    const std::string refusal = game_->UserPlays(position, context);
    ShowGame();
    if (!refusal.empty()) game_status_->setText(tr("Refused: %1.").arg(Shown(refusal)));
    return;
  }
  if (!exercise_) StartExercise();
  exercise_->Cycle(position);
  last_clicked_ = position;
  verdict_->clear();
  ShowExercise();
}

void ExerciseWindow::StartExercise() {
  exercise_.emplace(main_.graph_window().Graph(),
                    static_cast<exact::Semantics>(semantics_->currentData().toInt()));
  last_clicked_ = -1;
  verdict_->clear();
}

bool ExerciseWindow::TakeTypedLabeling() {
  const std::string typed = labeling_->text().toUtf8().toStdString();
  if (typed == LabelingText(exercise_->framework(), exercise_->Labels())) return true;
  const LabelingRead read = ReadLabelingText(exercise_->framework(), typed);
  if (!read.labels) {
    verdict_->setText(tr("The labeling cannot be read: %1.").arg(Shown(read.error)));
    return false;
  }
  exercise_->SetLabels(*read.labels);
  return true;
}

void ExerciseWindow::Check() {
  if (!exercise_) StartExercise();
  if (!TakeTypedLabeling()) return;
  RunContext context;
  const StopAfter limit(context, kPracticeLimit);
  const QString verdict = Shown(exercise_->Check(context));
  ShowExercise();
  verdict_->setText(verdict);
}

void ExerciseWindow::ShowAnswer() {
  if (!exercise_) StartExercise();
  RunContext context;
  const StopAfter limit(context, kPracticeLimit);
  const QString text = Shown(exercise_->ShowAnswer(context));
  ShowExercise();
  verdict_->setText(text);
}

void ExerciseWindow::Explain() {
  if (!exercise_) StartExercise();
  const Framework& framework = exercise_->framework();
  if (framework.Names().empty()) return;
  int argument = last_clicked_ >= 0 ? last_clicked_ : 0;
  const std::optional<exact::ExerciseVerdict>& verdict = exercise_->Verdict();
  if (verdict && !verdict->IsRight() && !verdict->arguments.empty()) {
    argument = verdict->arguments.front();
  }
  main_.semantics_panel().explanation_view().Explain(
      std::make_shared<const Framework>(framework), exercise_->semantics(),
      exact::AcceptanceQuestion::kCredulous, argument);
}

void ExerciseWindow::ShowExercise() {
  if (!exercise_) return;
  labeling_->setText(Shown(LabelingText(exercise_->framework(), exercise_->Labels())));
  if (isVisible() && !IsGamePage()) ShowPageOnGraph();
}

void ExerciseWindow::StartGame() {
  const int argument = game_argument_->currentIndex();
  const Framework& framework = main_.graph_window().Graph();
  if (argument < 0 || argument >= framework.Size()) {
    game_status_->setText(tr("The framework has no argument to argue about."));
    return;
  }
  RunContext context;
  const StopAfter limit(context, kPracticeLimit);
  game_.emplace(framework, static_cast<exact::GameKind>(game_kind_->currentData().toInt()),
                argument, static_cast<exact::Player>(game_side_->currentData().toInt()), context);
  ShowGame();
}

void ExerciseWindow::ShowGame() {
  if (!game_) {
    moves_->clear();
    game_status_->setText(tr("Choose a game, an argument and your side, then press Start."));
    return;
  }
  QStringList lines;
  for (const std::string& line : game_->MoveLines()) lines << Shown(line);
  moves_->setPlainText(lines.join(QLatin1Char('\n')));
  game_status_->setText(Shown(game_->StatusText()));
  if (isVisible() && IsGamePage()) ShowPageOnGraph();
}

void ExerciseWindow::ShowPageOnGraph() {
  GraphWindow& graph = main_.graph_window();
  if (IsGamePage()) {
    if (game_) {
      graph.ShowStates(game_->States(), game_->Outlined(),
                       tr("Discussion game: the proponent's arguments IN, the opponent's OUT"));
    }
    return;
  }
  if (!exercise_) return;
  const QString semantics = Shown(std::string(exact::SemanticsWord(exercise_->semantics())));
  graph.ShowStates(exercise_->States(), exercise_->Outlined(),
                   exercise_->Outlined() >= 0
                       ? tr("Exercise (%1): the arguments of the broken rule").arg(semantics)
                       : tr("Exercise (%1): your labeling").arg(semantics));
}

void AddExerciseMenu(MainWindow& main, QMenuBar& bar, QMenu& help) {
  auto* menu = new QMenu(QObject::tr("E&xercise"), &bar);
  bar.insertMenu(help.menuAction(), menu);
  // One Exercise window over the main window, made on first use.
  auto window = [&main] {
    auto* exercise = main.findChild<ExerciseWindow*>(QStringLiteral("ExerciseWindow"));
    return exercise != nullptr ? exercise : new ExerciseWindow(main);
  };
  QAction* create = menu->addAction(QObject::tr("&New Exercise..."), &main,
                                    [window] { window()->NewExercise(); });
  create->setObjectName(QStringLiteral("actionNewExercise"));
  create->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N));
  QAction* here = menu->addAction(QObject::tr("&Exercise on This Framework"), &main,
                                  [window] { window()->OpenExercise(); });
  here->setObjectName(QStringLiteral("actionExercise"));
  here->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_X));
  QAction* game =
      menu->addAction(QObject::tr("&Discussion Game"), &main, [window] { window()->OpenGame(); });
  game->setObjectName(QStringLiteral("actionDiscussionGame"));
  game->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_G));
  QAction* rules = help.addAction(QObject::tr("&Exercises and Discussion Games"), &main,
                                  [&main] { ShowPracticeHelp(&main); });
  rules->setObjectName(QStringLiteral("actionPracticeHelp"));
  rules->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
}

}  // namespace dialectic
