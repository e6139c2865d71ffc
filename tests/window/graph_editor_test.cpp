#include "app/window/graph_editor.h"

#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <algorithm>
#include <map>
#include <memory>

#include "app/window/graph_items.h"
#include "app/window/graph_window.h"
#include "frontend/node_positions.h"
#include "frontend/text_file.h"
#include "tests/window/window_test_support.h"

namespace dialectic {

class GraphEditorTest : public WindowTestBase {
  Q_OBJECT

 private:
  // A window with the input typed and the Graph window showing its theory, without a run.
  std::unique_ptr<MainWindow> OpenWithInput(const QString& input) {
    auto window = OpenWindow();
    if (window == nullptr) return nullptr;
    window->ShowGraph();
    GraphWindow& graph = window->graph_window();
    graph.activateWindow();
    if (!QTest::qWaitForWindowActive(&graph)) return nullptr;
    SetInput(*window, input);
    if (!QTest::qWaitFor([&] { return graph.IsLaidOut(); }, 20000)) {
      return nullptr;
    }
    return window;
  }
  static QString Input(const MainWindow& window) {
    return Find<QPlainTextEdit>(window, "Memo1")->toPlainText();
  }
  static int PositionOf(const GraphWindow& graph, std::string_view word) {
    const std::vector<std::string>& names = graph.Graph().Names();
    const auto found = std::find(names.begin(), names.end(), word);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
  }
  static QGraphicsView* View(const GraphWindow& graph) {
    return graph.findChild<QGraphicsView*>(QStringLiteral("GraphView"));
  }
  static NodeItem* Node(const GraphWindow& graph, std::string_view word) {
    for (QGraphicsItem* item : View(graph)->scene()->items()) {
      auto* node = dynamic_cast<NodeItem*>(item);
      if (node != nullptr && node->Position() == PositionOf(graph, word)) return node;
    }
    return nullptr;
  }
  // Where the argument's node shows in the view.
  static QPoint At(const GraphWindow& graph, std::string_view word) {
    const NodeItem* node = Node(graph, word);
    return node == nullptr ? QPoint(-1, -1) : View(graph)->mapFromScene(node->pos());
  }
  // A point of the view far from every node.
  static QPoint Empty(const GraphWindow& graph) {
    QGraphicsView* view = View(graph);
    for (int y = 4; y < view->viewport()->height(); y += 8) {
      for (int x = 4; x < view->viewport()->width(); x += 8) {
        if (view->items(QRect(x - 20, y - 20, 40, 40)).isEmpty()) return {x, y};
      }
    }
    return {-1, -1};
  }
  // Whether the graph comes to show the arguments, in order, and that many attacks.
  [[nodiscard]] static bool Shows(const GraphWindow& graph, std::vector<std::string> names,
                                  std::size_t attacks) {
    return QTest::qWaitFor(
        [&] {
          return graph.IsLaidOut() && graph.Graph().Names() == names &&
                 graph.Graph().Attacks().size() == attacks;
        },
        20000);
  }
  // Where each argument's node is in the scene, by name.
  static std::map<std::string, QPointF> Places(const GraphWindow& graph) {
    std::map<std::string, QPointF> places;
    for (QGraphicsItem* item : View(graph)->scene()->items()) {
      if (auto* node = dynamic_cast<NodeItem*>(item)) {
        places[graph.Graph().NameOf(node->Position())] = node->pos();
      }
    }
    return places;
  }
  // Whether every argument of `before` (some) is where it was, to a hundredth of a point.
  static bool StayedPut(const std::map<std::string, QPointF>& before,
                        const std::map<std::string, QPointF>& after) {
    return !before.empty() && std::all_of(before.begin(), before.end(), [&](const auto& place) {
      const auto found = after.find(place.first);
      return found != after.end() && (found->second - place.second).manhattanLength() < 0.01;
    });
  }
  static QToolButton* Tool(const GraphWindow& graph, const QString& text) {
    for (QToolButton* button : graph.findChildren<QToolButton*>()) {
      if (button->text() == text) return button;
    }
    return nullptr;
  }
  static void Drag(QWidget* viewport, QPoint from, std::initializer_list<QPoint> through) {
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QPoint last = from;
    for (QPoint point : through) {
      // In steps, as a hand moves.
      for (int step = 1; step <= 4; ++step) {
        QTest::mouseMove(viewport, last + (point - last) * step / 4);
      }
      last = point;
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, last);
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void EveryEditRewritesTheInputAndUndoesStepByStep() {
    auto window = OpenWithInput(QStringLiteral("a b"));
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    GraphEditor& editor = window->graph_editor();
    QWidget* viewport = View(graph)->viewport();
    QVERIFY(Shows(graph, {"a", "b"}, 1));
    const bool modified_before = window->isWindowModified();
    // The input and the graph after each edit.
    struct Step {
      QString text;
      std::vector<std::string> names;
      std::size_t attacks;
    };
    std::vector<Step> steps = {{Input(*window), {"a", "b"}, 1}};
    const auto step = [&](const QString& expected, std::vector<std::string> names,
                          std::size_t attacks) {
      QCOMPARE(Input(*window), expected);
      QVERIFY(Shows(graph, names, attacks));
      steps.push_back({expected, names, attacks});
    };

    // A new argument: double-click on empty space and type its name.
    const QPoint empty = Empty(graph);
    QVERIFY(empty.x() >= 0);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, empty);
    QLineEdit* name = editor.NameEditor();
    QVERIFY(name->isVisible());
    QTest::keyClicks(name, QStringLiteral("c"));
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(!name->isVisible());
    step(QStringLiteral("a b\nc"), {"a", "b", "c"}, 1);
    if (QTest::currentTestFailed()) return;
    QVERIFY(window->isWindowModified());

    // An attack: drag from c onto a.
    Drag(viewport, At(graph, "c"), {At(graph, "a")});
    step(QStringLiteral("a b c\nc"), {"a", "b", "c"}, 2);
    if (QTest::currentTestFailed()) return;

    // A self-attack: out of b and back onto it.
    const QPoint b = At(graph, "b");
    Drag(viewport, b, {Empty(graph), b});
    step(QStringLiteral("a b c\nc\nb b"), {"a", "b", "c"}, 3);
    if (QTest::currentTestFailed()) return;

    // An attack by Shift-clicking the attacker, then the target.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, At(graph, "a"));
    QCOMPARE(editor.PendingAttacker(), PositionOf(graph, "a"));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, At(graph, "c"));
    step(QStringLiteral("a b c\nc a\nb b"), {"a", "b", "c"}, 4);
    if (QTest::currentTestFailed()) return;

    // Rename by a double-click on the node: every mention changes.
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, At(graph, "a"));
    QVERIFY(name->isVisible());
    QCOMPARE(name->text(), QStringLiteral("a"));
    QTest::keyClicks(name, QStringLiteral("x1"));  // the name is selected: typing replaces it
    QTest::keyClick(name, Qt::Key_Return);
    step(QStringLiteral("x1 b c\nc x1\nb b"), {"x1", "b", "c"}, 4);
    if (QTest::currentTestFailed()) return;

    // Rename by F2 on the selected node.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, At(graph, "c"));
    QCOMPARE(editor.SelectedArguments(), std::vector<int>{PositionOf(graph, "c")});
    QTest::keyClick(&graph, Qt::Key_F2);
    QVERIFY(name->isVisible());
    QTest::keyClicks(name, QStringLiteral("y"));
    QTest::keyClick(name, Qt::Key_Return);
    step(QStringLiteral("x1 b y\ny x1\nb b"), {"x1", "b", "y"}, 4);
    if (QTest::currentTestFailed()) return;

    // Delete a selected attack: b's self-attack is the one that the click on its curve selects.
    EdgeItem* loop = nullptr;
    for (QGraphicsItem* item : View(graph)->scene()->items()) {
      auto* edge = dynamic_cast<EdgeItem*>(item);
      if (edge != nullptr && edge->Attacker() == PositionOf(graph, "b") &&
          edge->Target() == PositionOf(graph, "b")) {
        loop = edge;
      }
    }
    QVERIFY(loop != nullptr);
    View(graph)->scene()->clearSelection();
    loop->setSelected(true);
    QTest::keyClick(&graph, Qt::Key_Delete);
    step(QStringLiteral("x1 b y\ny x1\nb"), {"x1", "b", "y"}, 3);
    if (QTest::currentTestFailed()) return;

    // Delete a selected argument: it goes from every clause, its clause with it.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, At(graph, "y"));
    QTest::keyClick(&graph, Qt::Key_Delete);
    step(QStringLiteral("x1 b\nb"), {"x1", "b"}, 1);
    if (QTest::currentTestFailed()) return;

    // Undo in the Graph window takes back one edit at a time, the graph following; redo replays.
    for (std::size_t back = steps.size() - 1; back-- > 0;) {
      QTest::keyClick(&graph, Qt::Key_Z, Qt::ControlModifier);
      QCOMPARE(Input(*window), steps[back].text);
      QVERIFY(Shows(graph, steps[back].names, steps[back].attacks));
    }
    QCOMPARE(window->isWindowModified(), modified_before);
    for (std::size_t forward = 1; forward < steps.size(); ++forward) {
      QTest::keyClick(&graph, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
      QCOMPARE(Input(*window), steps[forward].text);
      QVERIFY(Shows(graph, steps[forward].names, steps[forward].attacks));
    }
    // Each edit was one step of the input's own undo too.
    Find<QPlainTextEdit>(*window, "Memo1")->undo();
    QCOMPARE(Input(*window), steps[steps.size() - 2].text);
  }

  void ANameTheSyntaxCannotHoldIsRefusedAsItIsTyped() {
    auto window = OpenWithInput(QStringLiteral("a b"));
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    GraphEditor& editor = window->graph_editor();
    QTest::mouseDClick(View(graph)->viewport(), Qt::LeftButton, {}, Empty(graph));
    QLineEdit* name = editor.NameEditor();
    QLabel* problem = editor.NameProblemLabel();
    struct Case {
      QString typed;
      QString reason;  // a word of the reason shown; empty: accepted
    };
    const Case cases[] = {
        {QStringLiteral("c d"), QStringLiteral("blank")},
        {QStringLiteral("c,d"), QStringLiteral("comma")},
        {QStringLiteral("A"), QStringLiteral("letter case")},
        {QStringLiteral("b"), QStringLiteral("already")},
        {QStringLiteral("c"), QString()},
    };
    for (const Case& c : cases) {
      name->clear();
      QTest::keyClicks(name, c.typed);
      QCOMPARE(problem->isVisible(), !c.reason.isEmpty());
      if (!c.reason.isEmpty()) QVERIFY2(problem->text().contains(c.reason), qPrintable(c.typed));
    }
    // A refused name stays in the editor; the input is untouched until the name is good.
    name->clear();
    QTest::keyClicks(name, QStringLiteral("c d"));
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(name->isVisible());
    QCOMPARE(Input(*window), QStringLiteral("a b"));
    QTest::keyClick(name, Qt::Key_Escape);
    QVERIFY(!name->isVisible());
    QCOMPARE(Input(*window), QStringLiteral("a b"));
  }

  void TypingInTheInputRedrawsTheGraphWithoutARun() {
    auto window = OpenWithInput(QStringLiteral("a b"));
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    QVERIFY(Shows(graph, {"a", "b"}, 1));
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo1, QStringLiteral(", b c d"));
    QVERIFY(Shows(graph, {"a", "b", "c", "d"}, 3));
    QVERIFY(!window->IsRunning());
    QCOMPARE(window->form().Memo2.Count(), 0);  // nothing was run
  }

  void EditsKeepCharactersBeyondAscii() {
    auto window = OpenWithInput(QStringLiteral("x"));
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    GraphEditor& editor = window->graph_editor();
    // Typed as a paste: the test's keys are ASCII.
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    memo1->selectAll();
    memo1->insertPlainText(QStringLiteral("\u00e9 b \u00e8, \U0001F600"));
    QVERIFY(Shows(graph, {"\xc3\xa9", "b", "\xc3\xa8", "\xf0\x9f\x98\x80"}, 2));
    // e grave to e acute share their first byte; the emoji takes two UTF-16 units in the editor.
    QCOMPARE(editor.RenameArgument(PositionOf(graph, "\xc3\xa8"), QStringLiteral("\u00ea")),
             QString());
    QCOMPARE(Input(*window), QStringLiteral("\u00e9 b \u00ea, \U0001F600"));
    QVERIFY(Shows(graph, {"\xc3\xa9", "b", "\xc3\xaa", "\xf0\x9f\x98\x80"}, 2));
    editor.AddAttack(PositionOf(graph, "b"), PositionOf(graph, "\xf0\x9f\x98\x80"));
    QCOMPARE(Input(*window), QStringLiteral("\u00e9 b \u00ea, \U0001F600 b"));
    QVERIFY(Shows(graph, {"\xc3\xa9", "b", "\xc3\xaa", "\xf0\x9f\x98\x80"}, 3));
    memo1->undo();
    QCOMPARE(Input(*window), QStringLiteral("\u00e9 b \u00ea, \U0001F600"));
  }

  void AnEditOnAGraphThatTypingOutranIsDropped() {
    auto window = OpenWithInput(QStringLiteral("a b"));
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    QVERIFY(Shows(graph, {"a", "b"}, 1));
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    memo1->moveCursor(QTextCursor::Start);
    QTest::keyClicks(memo1, QStringLiteral("c, "));
    // The graph still shows a and b at their old positions, which the input no longer has.
    window->graph_editor().AddAttack(0, 1);
    QCOMPARE(Input(*window), QStringLiteral("c, a b"));
    QVERIFY(Shows(graph, {"c", "a", "b"}, 1));
    // Once the graph shows the input, the same gesture edits it.
    window->graph_editor().AddAttack(PositionOf(graph, "a"), PositionOf(graph, "b"));
    QCOMPARE(Input(*window), QStringLiteral("c, a b\nb a"));
  }

  void ADragThatOutlivesItsLayoutIsDropped() {
    auto window = OpenWithInput(QStringLiteral("a b"));
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    QVERIFY(Shows(graph, {"a", "b"}, 1));
    QWidget* viewport = View(graph)->viewport();
    const QPoint a = At(graph, "a");
    const QPoint b = At(graph, "b");
    QTest::mousePress(viewport, Qt::LeftButton, {}, a);
    for (int step = 1; step <= 4; ++step) QTest::mouseMove(viewport, a + (b - a) * step / 8);
    // The theory changes under the drag: the scene with its rubber band goes.
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo1, QStringLiteral(", c"));
    QVERIFY(Shows(graph, {"a", "b", "c"}, 1));
    QTest::mouseMove(viewport, b);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, b);
    QCOMPARE(Input(*window), QStringLiteral("a b, c"));
  }

  void SelectedArgumentsSelectTheirHeadingsInTheOptions() {
    auto window = OpenWithInput(QStringLiteral("a b, b c, c d"));
    QVERIFY(window != nullptr);
    QVERIFY(ClickButton1(*window));
    GraphWindow& graph = window->graph_window();
    QVERIFY(Shows(graph, {"a", "b", "c", "d"}, 3));
    QVERIFY(QTest::qWaitFor([&] { return graph.IsLaidOut(); }, 20000));
    auto* memo4 = Find<QPlainTextEdit>(*window, "Memo4");
    QWidget* viewport = View(graph)->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, At(graph, "c"));
    QCOMPARE(memo4->textCursor().selectedText(), QStringLiteral("c :"));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, At(graph, "a"));
    QCOMPARE(window->graph_editor().SelectedArguments(),
             (std::vector<int>{PositionOf(graph, "a"), PositionOf(graph, "c")}));
    // The first heading holds the editor's selection, the other is highlighted as selected.
    QCOMPARE(memo4->textCursor().selectedText(), QStringLiteral("a :"));
    const QList<QTextEdit::ExtraSelection> others = memo4->extraSelections();
    QCOMPARE(others.size(), 1);
    QCOMPARE(others.front().cursor.selectedText(), QStringLiteral("c :"));
  }

  void NoArgumentMovesWhenTheTheoryGrows() {
    auto window = OpenWithInput(QStringLiteral("a b, b c, c a, d"));
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    GraphEditor& editor = window->graph_editor();
    QVERIFY(Shows(graph, {"a", "b", "c", "d"}, 3));
    const auto first = Places(graph);
    // A new argument by a double-click goes where it was asked for.
    const QPoint empty = Empty(graph);
    QVERIFY(empty.x() >= 0);
    const QPointF asked = View(graph)->mapToScene(empty);
    QTest::mouseDClick(View(graph)->viewport(), Qt::LeftButton, {}, empty);
    QTest::keyClicks(editor.NameEditor(), QStringLiteral("z"));
    QTest::keyClick(editor.NameEditor(), Qt::Key_Return);
    QVERIFY(Shows(graph, {"a", "b", "c", "d", "z"}, 3));
    QVERIFY(StayedPut(first, Places(graph)));
    QVERIFY((Places(graph)["z"] - asked).manhattanLength() < 0.01);
    // An attack, and arguments typed into the input, leave every argument where it was too.
    const auto second = Places(graph);
    editor.AddAttack(PositionOf(graph, "z"), PositionOf(graph, "d"));
    QVERIFY(Shows(graph, {"a", "b", "c", "d", "z"}, 4));
    QVERIFY(StayedPut(second, Places(graph)));
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    memo1->moveCursor(QTextCursor::End);
    QTest::keyClick(memo1, Qt::Key_Return);
    QTest::keyClicks(memo1, QStringLiteral("e a f"));
    QVERIFY(Shows(graph, {"a", "b", "c", "d", "z", "e", "f"}, 6));
    QVERIFY(StayedPut(second, Places(graph)));
  }

  void ADraggedArgumentStaysWhereItWasPutUntilLaidOutAgain() {
    auto window = OpenWithInput(QStringLiteral("a b, b c"));
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    QVERIFY(Shows(graph, {"a", "b", "c"}, 2));
    const auto before = Places(graph);
    const QPoint from = At(graph, "a");
    const QPoint to = Empty(graph);
    QVERIFY(to.x() >= 0);
    const QPointF moved = View(graph)->mapToScene(to) - View(graph)->mapToScene(from);
    // A drag is no click: an exercise must not take it for one.
    QSignalSpy clicks(&graph, &GraphWindow::NodeClicked);
    Drag(View(graph)->viewport(), from, {to});
    QCOMPARE(clicks.count(), 0);
    QVERIFY(QTest::qWaitFor(
        [&] {
          return graph.IsLaidOut() &&
                 (Places(graph)["a"] - (before.at("a") + moved)).manhattanLength() < 0.01;
        },
        20000));
    QCOMPARE(Input(*window), QStringLiteral("a b, b c"));  // a move is no edit
    QVERIFY(StayedPut({{"b", before.at("b")}, {"c", before.at("c")}}, Places(graph)));
    // "Lay out again" forgets the places: the layered layout puts a back among the others.
    QToolButton* again = Tool(graph, QStringLiteral("Lay out again"));
    QVERIFY(again != nullptr);
    again->click();
    QVERIFY(QTest::qWaitFor([&] { return graph.IsLaidOut(); }, 20000));
    QCOMPARE(graph.LayoutEngine(), std::string("dot"));
    QVERIFY(StayedPut(before, Places(graph)));
  }

  void PositionsAreSavedBesideTheTheoryAndComeBackWithIt() {
    auto window = OpenWithInput(QStringLiteral("a b, b c"));
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    QVERIFY(Shows(graph, {"a", "b", "c"}, 2));
    // Put c somewhere of its own, then save.
    const QPoint to = Empty(graph);
    Drag(View(graph)->viewport(), At(graph, "c"), {to});
    QVERIFY(QTest::qWaitFor([&] { return graph.IsLaidOut(); }, 20000));
    const auto saved = Places(graph);
    const QString path = WriteFile(QStringLiteral("t.txt"), "");
    QVERIFY(!path.isEmpty());
    QVERIFY(window->SaveTheoryFile(path, Format::kText));
    const std::string side = ReadWholeFile(PositionsFileOf(path.toStdString()));
    QVERIFY(PositionsOfJson(side, {"a", "b", "c"}).problem.empty());

    // Another theory, then the file again: every argument comes back to its place.
    window->NewTheory();
    SetInput(*window, QStringLiteral("p q"));
    QVERIFY(Shows(graph, {"p", "q"}, 1));
    QVERIFY(window->OpenTheoryFile(path));
    QVERIFY(RunEnds(*window));
    QVERIFY(Shows(graph, {"a", "b", "c"}, 2));
    QVERIFY(StayedPut(saved, Places(graph)));
    QVERIFY(window->statusBar()->currentMessage().isEmpty());

    // A side file of another theory is ignored with a note, and the theory is laid out anew.
    const QString other = WriteFile(QStringLiteral("u.txt"), "a b, b c\n");
    QVERIFY(!other.isEmpty());
    QVERIFY(!WriteFile(QStringLiteral("u.txt.positions.json"),
                       QByteArray::fromStdString(PositionsJson({"a", "x"}, {{"a", {1, 2}}})))
                 .isEmpty());
    QVERIFY(window->OpenTheoryFile(other));
    QVERIFY(RunEnds(*window));
    QVERIFY2(window->statusBar()->currentMessage().contains(QStringLiteral("ignored")),
             qPrintable(window->statusBar()->currentMessage()));
    QVERIFY(QTest::qWaitFor([&] { return graph.IsLaidOut(); }, 20000));
    QCOMPARE(graph.LayoutEngine(), std::string("dot"));
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::GraphEditorTest)
#include "graph_editor_test.moc"
