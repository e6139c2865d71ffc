// The Exercise window: an exercise labeled by clicks on the graph and by typing, checked right and
// wrong; Exercise > New writing a generated framework into the input; discussion games played to
// their end with the user on either side.
#include "app/window/exercise_window.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGraphicsView>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>

#include "app/window/exercise_dialog.h"
#include "app/window/explanation_view.h"
#include "app/window/graph_editor.h"
#include "app/window/graph_items.h"
#include "app/window/graph_window.h"
#include "app/window/semantics_panel.h"
#include "frontend/generated_theory.h"
#include "tests/window/window_test_support.h"

namespace dialectic {

class ExerciseWindowTest : public WindowTestBase {
  Q_OBJECT

 private:
  // b attacks a, c attacks b; d and e attack each other.
  static constexpr const char* kTheory = "a b, b c, d e, e d";

  // A window that has run the theory, with the graph laid out and the action triggered.
  std::unique_ptr<MainWindow> OpenWithTheory(const char* action) {
    auto window = OpenWindow();
    if (window == nullptr) return nullptr;
    SetInput(*window, QLatin1String(kTheory));
    if (!ClickButton1(*window)) return nullptr;
    window->findChild<QAction*>(QLatin1String(action))->trigger();
    if (!QTest::qWaitFor([&] { return window->graph_window().IsLaidOut(); }, 20000)) {
      return nullptr;
    }
    return window;
  }
  static ExerciseWindow* Exercise(const MainWindow& window) {
    return window.findChild<ExerciseWindow*>(QStringLiteral("ExerciseWindow"));
  }
  static int PositionOf(const GraphWindow& graph, std::string_view word) {
    const std::vector<std::string>& names = graph.Graph().Names();
    const auto found = std::find(names.begin(), names.end(), word);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
  }
  // Clicks the argument's node in the Graph window, once or twice in quick succession.
  static bool ClickNode(GraphWindow& graph, std::string_view word, bool twice = false) {
    auto* view = graph.findChild<QGraphicsView*>(QStringLiteral("GraphView"));
    for (QGraphicsItem* item : view->scene()->items()) {
      auto* node = dynamic_cast<NodeItem*>(item);
      if (node != nullptr && node->Position() == PositionOf(graph, word)) {
        const QPoint centre = view->mapFromScene(node->pos());
        if (twice) {
          // As a mouse gives it: press, release, double click, release (Qt Test's double click
          // is the third of these alone).
          QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
          QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
          QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, centre);
        } else {
          QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
        }
        return true;
      }
    }
    return false;
  }
  static QString Text(const QWidget& window, const char* name) {
    return Find<QLabel>(window, name)->text();
  }
  static void Choose(QComboBox* box, const QString& text) {
    box->setCurrentIndex(box->findText(text, Qt::MatchStartsWith));
  }

 private slots:
  void initTestCase() { KeepSettingsApart(); }
  void init() { ClearSettings(); }

  void AnExerciseIsCheckedRightAndWrong() {
    auto window = OpenWithTheory("actionExercise");
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    ExerciseWindow* exercise = Exercise(*window);
    QVERIFY(exercise != nullptr && exercise->isVisible());
    Choose(Find<QComboBox>(*exercise, "ExerciseSemantics"), QStringLiteral("complete"));
    // Every argument starts undecided, not in the grounded colours of the run.
    QCOMPARE(graph.StateOf(PositionOf(graph, "c")), NodeState::kUndecided);
    // a IN; b OUT (a double click is two clicks, never a rename while the exercise shows); c IN.
    QVERIFY(ClickNode(graph, "a"));
    QVERIFY(ClickNode(graph, "b", true));
    QVERIFY(!window->graph_editor().NameEditor()->isVisible());
    QVERIFY(ClickNode(graph, "c"));
    QCOMPARE(Find<QLineEdit>(*exercise, "ExerciseLabeling")->text(),
             QStringLiteral("IN: a c OUT: b UNDEC: d e"));
    QCOMPARE(graph.StateOf(PositionOf(graph, "b")), NodeState::kOut);
    QTest::mouseClick(Find<QPushButton>(*exercise, "ExerciseCheck"), Qt::LeftButton);
    QCOMPARE(Text(*exercise, "ExerciseVerdict"),
             QStringLiteral("Right: this is a complete labeling."));

    // Under stable semantics d may not stay undecided: only d keeps its colour, outlined.
    Choose(Find<QComboBox>(*exercise, "ExerciseSemantics"), QStringLiteral("stable"));
    QTest::mouseClick(Find<QPushButton>(*exercise, "ExerciseCheck"), Qt::LeftButton);
    QCOMPARE(Text(*exercise, "ExerciseVerdict"),
             QStringLiteral(
                 "Not a stable labeling: a stable labeling leaves no argument undecided: d."));
    QCOMPARE(graph.Outlined(), PositionOf(graph, "d"));
    QCOMPARE(graph.StateOf(PositionOf(graph, "d")), NodeState::kUndecided);
    QCOMPARE(graph.StateOf(PositionOf(graph, "a")), NodeState::kPlain);
    // Why? explains the argument the refusal names, under the exercise's semantics.
    ExplanationView& why = window->semantics_panel().explanation_view();
    QTest::mouseClick(Find<QPushButton>(*exercise, "ExerciseWhy"), Qt::LeftButton);
    QVERIFY(why.isVisible());
    QVERIFY(QTest::qWaitFor([&] { return !why.IsWorking() && !why.Lines().empty(); }, 20000));
    QCOMPARE(QString::fromStdString(why.Lines().front().text),
             QStringLiteral("d is credulously accepted under stable semantics: YES."));

    // A typed labeling: e IN makes d OUT, which is stable.
    auto* labeling = Find<QLineEdit>(*exercise, "ExerciseLabeling");
    labeling->clear();
    QTest::keyClicks(labeling, QStringLiteral("IN: a c e OUT: b d"));
    QTest::keyClick(labeling, Qt::Key_Return);
    QCOMPARE(Text(*exercise, "ExerciseVerdict"),
             QStringLiteral("Right: this is a stable labeling."));
    QCOMPARE(graph.StateOf(PositionOf(graph, "e")), NodeState::kIn);
    labeling->clear();
    QTest::keyClicks(labeling, QStringLiteral("IN: a x"));
    QTest::keyClick(labeling, Qt::Key_Return);
    QCOMPARE(Text(*exercise, "ExerciseVerdict"),
             QStringLiteral("The labeling cannot be read: \"x\" is not an argument."));

    // The grounded answer leaves d and e undecided.
    Choose(Find<QComboBox>(*exercise, "ExerciseSemantics"), QStringLiteral("grounded"));
    QTest::mouseClick(Find<QPushButton>(*exercise, "ExerciseAnswer"), Qt::LeftButton);
    QCOMPARE(Text(*exercise, "ExerciseVerdict"),
             QStringLiteral("A grounded labeling: IN: a c OUT: b UNDEC: d e"));
    QCOMPARE(graph.StateOf(PositionOf(graph, "d")), NodeState::kUndecided);
    QCOMPARE(graph.StateOf(PositionOf(graph, "a")), NodeState::kIn);
  }

  void NewExerciseWritesAGeneratedFrameworkIntoTheInput() {
    auto window = OpenWindow();
    QVERIFY(window != nullptr);
    auto* poll = new QTimer(window.get());
    GeneratorRecipe offered;
    bool large_refused = false;
    connect(poll, &QTimer::timeout, [poll, &offered, &large_refused] {
      auto* dialog = qobject_cast<ExerciseDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      offered = dialog->Recipe();
      QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
      // Five odd cycles of three arguments are too many to label by hand.
      auto* kind = Find<QComboBox>(*dialog, "ExerciseKind");
      kind->setCurrentIndex(kind->findData(QStringLiteral("odd-cycles")));
      Find<QSpinBox>(*dialog, "ExerciseCount")->setValue(5);
      large_refused = !ok->isEnabled() && !Find<QLabel>(*dialog, "ExerciseError")->text().isEmpty();
      kind->setCurrentIndex(kind->findData(QStringLiteral("er")));
      auto* semantics = Find<QComboBox>(*dialog, "ExerciseDialogSemantics");
      semantics->setCurrentIndex(semantics->findText(QStringLiteral("stable")));
      ok->click();
      poll->deleteLater();
    });
    poll->start(10);
    const QString before = Find<QPlainTextEdit>(*window, "Memo1")->toPlainText();
    window->findChild<QAction*>(QStringLiteral("actionNewExercise"))->trigger();
    QVERIFY(RunEnds(*window));
    QCOMPARE(offered.kind, std::string("er"));
    QCOMPARE(offered.count, 6);
    QVERIFY(large_refused);
    const GeneratorRecipe asked{"er", 5, {0.25}, 1};
    QString expected;
    for (const std::string& line : GeneratedTheoryLines(asked)) {
      expected += QString::fromStdString(line) + QLatin1Char('\n');
    }
    QCOMPARE(Find<QPlainTextEdit>(*window, "Memo1")->toPlainText() + QLatin1Char('\n'), expected);
    ExerciseWindow* exercise = Exercise(*window);
    QVERIFY(exercise != nullptr && exercise->isVisible());
    QVERIFY(exercise->Exercise().has_value());
    QCOMPARE(exercise->Exercise()->framework().Size(), 5);
    QCOMPARE(exercise->Exercise()->semantics(), exact::Semantics::kStable);
    QCOMPARE(exercise->Exercise()->framework(), window->graph_window().Graph());
    // The input's editor can undo the new framework in one step.
    Find<QPlainTextEdit>(*window, "Memo1")->undo();
    QCOMPARE(Find<QPlainTextEdit>(*window, "Memo1")->toPlainText(), before);
  }

  void AGameIsPlayedToItsEndOnBothSides() {
    auto window = OpenWithTheory("actionDiscussionGame");
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    ExerciseWindow* exercise = Exercise(*window);
    QVERIFY(exercise != nullptr && exercise->isVisible());
    auto* kind = Find<QComboBox>(*exercise, "GameKind");
    auto* argument = Find<QComboBox>(*exercise, "GameArgument");
    auto* side = Find<QComboBox>(*exercise, "GameSide");
    auto* start = Find<QPushButton>(*exercise, "GameStart");

    // The user argues for a in the grounded game and wins.
    Choose(kind, QStringLiteral("Grounded"));
    Choose(argument, QStringLiteral("a"));
    Choose(side, QStringLiteral("for"));
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(Find<QPlainTextEdit>(*exercise, "GameMoves")->toPlainText(),
             QStringLiteral("1. Proponent (you): a\n2. Opponent (program): b, attacking a"));
    QCOMPARE(graph.StateOf(PositionOf(graph, "b")), NodeState::kOut);
    QVERIFY(ClickNode(graph, "d"));
    QCOMPARE(Text(*exercise, "GameStatus"),
             QStringLiteral("Refused: d: it does not attack the argument it has to attack."));
    QVERIFY(ClickNode(graph, "c"));
    QCOMPARE(Text(*exercise, "GameStatus"),
             QStringLiteral("Proponent (you) wins: c has no attacker. a is IN in the grounded "
                            "labeling."));
    QCOMPARE(graph.StateOf(PositionOf(graph, "c")), NodeState::kIn);

    // The user argues against d in the grounded game and wins: the proponent may not repeat d.
    // Once a game is over, a click on a node chooses the argument of the next one.
    QVERIFY(ClickNode(graph, "d"));
    QCOMPARE(argument->currentText(), QStringLiteral("d"));
    Choose(side, QStringLiteral("against"));
    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY(ClickNode(graph, "e"));
    QCOMPARE(Text(*exercise, "GameStatus"),
             QStringLiteral("Opponent (you) wins: the proponent has no legal answer to e. d is "
                            "not IN in the grounded labeling."));

    // The user argues against a in the admissibility game and loses to c.
    Choose(kind, QStringLiteral("Admissibility"));
    Choose(argument, QStringLiteral("a"));
    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY(ClickNode(graph, "b"));
    QCOMPARE(Find<QPlainTextEdit>(*exercise, "GameMoves")->toPlainText(),
             QStringLiteral("1. Proponent (program): a\n2. Opponent (you): b, attacking a\n"
                            "3. Proponent (program): c, attacking b"));
    QCOMPARE(Text(*exercise, "GameStatus"),
             QStringLiteral("Proponent (program) wins: the proponent's arguments (a, c) attack "
                            "every attacker of theirs: an admissible set holding a. a is in some "
                            "preferred extension."));
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::ExerciseWindowTest)
#include "exercise_window_test.moc"
