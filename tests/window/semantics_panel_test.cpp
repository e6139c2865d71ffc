// The Semantics window: its extensions and acceptance table against the engine's, Stop, the
// graph coloured by a selected extension, and "Why?" from the panel and from the Graph window's
// context menu with the highlight of a selected line.
#include "app/window/semantics_panel.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGraphicsView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <set>

#include "app/window/explanation_view.h"
#include "app/window/graph_items.h"
#include "app/window/graph_window.h"
#include "tests/window/window_test_support.h"

namespace dialectic {

class SemanticsPanelTest : public WindowTestBase {
  Q_OBJECT

 private:
  // A window that has run the input, with the Semantics window shown.
  std::unique_ptr<MainWindow> OpenWithInput(const QString& input) {
    auto window = OpenWindow();
    if (window == nullptr) return nullptr;
    SetInput(*window, input);
    if (!ClickButton1(*window)) return nullptr;
    window->ShowSemantics();
    return window;
  }
  // Shows the Graph window and waits for its layout.
  [[nodiscard]] static bool ShowsLaidOutGraph(MainWindow& window) {
    window.ShowGraph();
    GraphWindow& graph = window.graph_window();
    return QTest::qWaitFor([&graph] { return graph.IsLaidOut(); }, 20000);
  }
  // Picks the semantics in the panel's choice and waits for the listing to end.
  [[nodiscard]] static bool ListingEnds(SemanticsPanel& panel, exact::Semantics semantics) {
    auto* choice = Find<QComboBox>(panel, "SemanticsChoice");
    const int index = choice->findData(static_cast<int>(semantics));
    if (index < 0) return false;
    if (index != choice->currentIndex()) {
      choice->setCurrentIndex(index);
    } else {
      panel.SetSemantics(semantics);
    }
    return QTest::qWaitFor([&panel] { return !panel.IsWorking(); }, 30000);
  }
  static int PositionOf(const Framework& framework, std::string_view name) {
    const std::vector<std::string>& names = framework.Names();
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
  }
  // The engine's extensions, as sets.
  static std::set<exact::Extension> EngineExtensions(const Framework& framework,
                                                     exact::Semantics semantics) {
    std::set<exact::Extension> extensions;
    RunContext context;
    exact::EnumerateExtensions(framework.Graph(), semantics, context,
                               [&](const exact::Extension& e) { extensions.insert(e); });
    return extensions;
  }
  static QStringList RowTexts(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row) texts << list.item(row)->text();
    return texts;
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void ListsTheEnginesExtensionsAndAcceptance() {
    struct Case {
      const char* input;
      exact::Semantics semantics;
      QStringList lines;  // the listed lines; empty: compare with the engine only
    };
    // "x y" says that y attacks x.
    const Case kCases[] = {
        {"a b, b a", exact::Semantics::kPreferred, {"1. a (b)", "2. b (a)"}},
        {"a b, b a", exact::Semantics::kGrounded, {"1. <empty>"}},
        {"a b, b c", exact::Semantics::kStable, {"1. a c (b)"}},
        {"a b, b c, c a", exact::Semantics::kStable, {}},
        {"a b, b c, c a", exact::Semantics::kStage, {}},
        {"a b, b a, c a c", exact::Semantics::kSemiStable, {}},
        {"a b, b a, c a, c b, d c", exact::Semantics::kComplete, {}},
        {"a b, b a, c a, c b, d c", exact::Semantics::kIdeal, {}},
        {"a b, b a, c c", exact::Semantics::kAdmissible, {}},
        {"a b, b a, c c", exact::Semantics::kNaive, {}},
    };
    for (const Case& c : kCases) {
      const QByteArray what =
          QByteArray(c.input) + " under " + QByteArray(exact::SemanticsName(c.semantics).data());
      auto window = OpenWithInput(QString::fromLatin1(c.input));
      QVERIFY2(window != nullptr, what);
      SemanticsPanel& panel = window->semantics_panel();
      QVERIFY2(ListingEnds(panel, c.semantics), what);
      const Framework& framework = window->graph_window().Graph();
      const std::set<exact::Extension> expected = EngineExtensions(framework, c.semantics);
      const ListingSnapshot& shown = panel.Shown();
      QCOMPARE(shown.state, ListingState::kFinished);
      QCOMPARE(std::set<exact::Extension>(shown.listed.begin(), shown.listed.end()), expected);
      QCOMPARE(shown.listed.size(), expected.size());
      auto* list = Find<QListWidget>(panel, "SemanticsExtensions");
      QCOMPARE(list->count(), static_cast<int>(expected.size()));
      if (!c.lines.isEmpty()) QCOMPARE(RowTexts(*list), c.lines);
      QVERIFY2(Find<QLabel>(panel, "SemanticsCount")
                   ->text()
                   .startsWith(QString::number(expected.size()) + QLatin1Char(' ')),
               what);
      auto* table = Find<QTableWidget>(panel, "SemanticsAcceptance");
      QCOMPARE(table->rowCount(), framework.Size());
      for (int a = 0; a < framework.Size(); ++a) {
        RunContext context;
        const bool credulous =
            exact::IsCredulouslyAccepted(framework.Graph(), c.semantics, a, context).accepted;
        const bool sceptical =
            exact::IsScepticallyAccepted(framework.Graph(), c.semantics, a, context).accepted;
        QCOMPARE(table->item(a, 0)->text(), QString::fromStdString(framework.NameOf(a)));
        QCOMPARE(table->item(a, 1)->text(),
                 credulous ? QStringLiteral("yes") : QStringLiteral("no"));
        QCOMPARE(table->item(a, 2)->text(),
                 sceptical ? QStringLiteral("yes") : QStringLiteral("no"));
      }
    }
  }

  void TheViewMenuShowsAListingOfTheRunDoneWhileHiddenAndHelpExplainsIt() {
    auto window = OpenWindow();
    QVERIFY(window != nullptr);
    SetInput(*window, QStringLiteral("a b, b c"));
    QVERIFY(ClickButton1(*window));
    SemanticsPanel& panel = window->semantics_panel();
    QVERIFY(!panel.isVisible());
    auto* show = window->findChild<QAction*>(QStringLiteral("actionSemantics"));
    QVERIFY(show != nullptr);
    QCOMPARE(show->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    show->trigger();
    QVERIFY(panel.isVisible());
    QVERIFY(QTest::qWaitFor([&panel] { return panel.Shown().state == ListingState::kFinished; },
                            20000));
    // Preferred is the first choice: c attacks b, b attacks a.
    QCOMPARE(RowTexts(*Find<QListWidget>(panel, "SemanticsExtensions")),
             QStringList({"1. a c (b)"}));
    SeenBox help;
    CloseNextBox(&help, window.get());
    window->findChild<QAction*>(QStringLiteral("actionNotation"))->trigger();
    QVERIFY(help.seen);
    for (const char* part : {"View &gt; Semantics", "Why?", "credulously", "sceptically"}) {
      QVERIFY2(help.text.contains(QLatin1String(part)), part);
    }
  }

  void StopEndsALongListingAndKeepsWhatWasFound() {
    // Thirty pairs of arguments that attack each other: 3^30 admissible sets.
    QString input;
    for (int i = 0; i < 30; ++i) input += QStringLiteral("p%1 q%1, q%1 p%1, ").arg(i);
    auto window = OpenWithInput(input);
    QVERIFY(window != nullptr);
    SemanticsPanel& panel = window->semantics_panel();
    auto* choice = Find<QComboBox>(panel, "SemanticsChoice");
    choice->setCurrentIndex(choice->findData(static_cast<int>(exact::Semantics::kAdmissible)));
    // Stopped at once: the enumeration, capped at a hundred thousand sets, takes far longer than
    // the click.
    auto* stop = Find<QPushButton>(panel, "SemanticsStop");
    QVERIFY(stop->isEnabled());
    QTest::mouseClick(stop, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&panel] { return !panel.IsWorking(); }, 20000));
    QCOMPARE(panel.Shown().state, ListingState::kStopped);
    QVERIFY(!stop->isEnabled());
    QVERIFY(Find<QLabel>(panel, "SemanticsCount")->text().startsWith(QStringLiteral("Stopped")));
    auto* list = Find<QListWidget>(panel, "SemanticsExtensions");
    QVERIFY(list->count() <= static_cast<int>(kMostListed));
    QVERIFY(panel.Shown().found < kMostCounted);
    QVERIFY(panel.Shown().found >= static_cast<std::uint64_t>(list->count()));
    // What the sets found settle stays; the rest says that it was not settled, never a guess.
    auto* table = Find<QTableWidget>(panel, "SemanticsAcceptance");
    QCOMPARE(table->rowCount(), 60);
    for (int row = 0; row < table->rowCount(); ++row) {
      const QString credulous = table->item(row, 1)->text();
      const QString sceptical = table->item(row, 2)->text();
      QVERIFY2(credulous == QStringLiteral("yes") || credulous == QStringLiteral("not settled"),
               qPrintable(credulous));
      QVERIFY2(sceptical == QStringLiteral("no") || sceptical == QStringLiteral("not settled"),
               qPrintable(sceptical));
    }
    // The next choice lists again.
    QVERIFY(ListingEnds(panel, exact::Semantics::kGrounded));
    QCOMPARE(RowTexts(*list), QStringList({"1. <empty>"}));
    // Hiding the window stops a listing; showing it again starts the listing over.
    choice->setCurrentIndex(choice->findData(static_cast<int>(exact::Semantics::kAdmissible)));
    panel.hide();
    QVERIFY(QTest::qWaitFor([&panel] { return !panel.IsWorking(); }, 20000));
    QCOMPARE(panel.Shown().state, ListingState::kStopped);
    panel.show();
    QVERIFY(panel.IsWorking());
    panel.Stop();
    QVERIFY(QTest::qWaitFor([&panel] { return !panel.IsWorking(); }, 20000));
  }

  void ASelectedExtensionColoursTheGraph() {
    auto window = OpenWithInput(QStringLiteral("a b, b a, c b"));
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    QVERIFY(ShowsLaidOutGraph(*window));
    SemanticsPanel& panel = window->semantics_panel();
    QVERIFY(ListingEnds(panel, exact::Semantics::kPreferred));
    auto* list = Find<QListWidget>(panel, "SemanticsExtensions");
    // b attacks a and c: the extensions are {b} and {a, c}, in the engine's order.
    QStringList rows = RowTexts(*list);
    const int row_of_b = rows.indexOf(QStringLiteral("1. b (a c)")) >= 0 ? 0 : 1;
    rows.sort();
    QCOMPARE(rows, row_of_b == 0 ? QStringList({"1. b (a c)", "2. a c (b)"})
                                 : QStringList({"1. a c (b)", "2. b (a c)"}));
    const Framework& framework = graph.Graph();
    const int a = PositionOf(framework, "a");
    const int b = PositionOf(framework, "b");
    const int c = PositionOf(framework, "c");
    struct Case {
      int row;
      NodeState a, b, c;
    };
    const Case kCases[] = {
        {row_of_b, NodeState::kOut, NodeState::kIn, NodeState::kOut},
        {1 - row_of_b, NodeState::kIn, NodeState::kOut, NodeState::kIn},
    };
    for (const Case& k : kCases) {
      list->setCurrentRow(k.row);
      QCOMPARE(graph.StateOf(a), k.a);
      QCOMPARE(graph.StateOf(b), k.b);
      QCOMPARE(graph.StateOf(c), k.c);
      QVERIFY(graph.Caption().startsWith(QStringLiteral("Preferred extension %1").arg(k.row + 1)));
    }
  }

  void ALongLabelingIsListedCutShortAndShownWholeOnTheGraph() {
    // Sixty unattacked arguments with names of twelve characters: 779 bytes of labeling.
    QString input;
    for (int i = 0; i < 60; ++i) input += QStringLiteral("argument%1, ").arg(1000 + i);
    auto window = OpenWithInput(input);
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    QVERIFY(ShowsLaidOutGraph(*window));
    SemanticsPanel& panel = window->semantics_panel();
    QVERIFY(ListingEnds(panel, exact::Semantics::kGrounded));
    auto* list = Find<QListWidget>(panel, "SemanticsExtensions");
    QCOMPARE(list->count(), 1);
    const QString line = list->item(0)->text();
    QVERIFY2(line.startsWith(QStringLiteral("1. argument1000 argument1001 ")), qPrintable(line));
    QVERIFY2(line.endsWith(QStringLiteral("argument1029 \u2026")), qPrintable(line));
    list->setCurrentRow(0);
    for (int position = 0; position < 60; ++position) {
      QCOMPARE(graph.StateOf(position), NodeState::kIn);
    }
  }

  void WhyExplainsAndASelectedLineHighlightsWhatItInvolves() {
    // c attacks b, b attacks a: a is IN in round 2 of the grounded labeling.
    auto window = OpenWithInput(QStringLiteral("a b, b c"));
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    QVERIFY(ShowsLaidOutGraph(*window));
    SemanticsPanel& panel = window->semantics_panel();
    QVERIFY(ListingEnds(panel, exact::Semantics::kGrounded));
    const Framework& framework = graph.Graph();
    const int a = PositionOf(framework, "a");
    const int b = PositionOf(framework, "b");
    const int c = PositionOf(framework, "c");
    auto* why = Find<QPushButton>(panel, "SemanticsWhy");
    QVERIFY(!why->isEnabled());
    Find<QTableWidget>(panel, "SemanticsAcceptance")->setCurrentCell(a, 0);
    QVERIFY(why->isEnabled());
    QTest::mouseClick(why, Qt::LeftButton);
    ExplanationView& view = panel.explanation_view();
    QVERIFY(view.isVisible());
    QVERIFY(QTest::qWaitFor([&view] { return !view.IsWorking(); }, 20000));
    auto* lines = Find<QListWidget>(view, "ExplanationLines");
    const QStringList texts = RowTexts(*lines);
    QCOMPARE(texts.size(), 5);
    QCOMPARE(texts[0], QStringLiteral("a is credulously accepted under grounded semantics: YES."));
    QCOMPARE(texts.mid(2),
             QStringList({"proponent a (round 2)", "  opponent b", "    proponent c (round 1)"}));
    // The whole proof shows at first.
    for (int position : {a, b, c}) QVERIFY(graph.IsHighlighted(position));
    QVERIFY(graph.IsAttackHighlighted(b, a));
    QVERIFY(graph.IsAttackHighlighted(c, b));
    struct Case {
      int row;
      bool a, b, c, b_on_a, c_on_b;
    };
    const Case kCases[] = {
        {2, true, true, false, true, false},
        {4, false, true, true, false, true},
        {3, true, true, true, true, true},
    };
    for (const Case& k : kCases) {
      lines->setCurrentRow(k.row);
      QCOMPARE(graph.IsHighlighted(a), k.a);
      QCOMPARE(graph.IsHighlighted(b), k.b);
      QCOMPARE(graph.IsHighlighted(c), k.c);
      QCOMPARE(graph.IsAttackHighlighted(b, a), k.b_on_a);
      QCOMPARE(graph.IsAttackHighlighted(c, b), k.c_on_b);
    }
    // A double click on an answer explains it under its own question: b is not sceptically
    // accepted, as c attacks it.
    auto* table = Find<QTableWidget>(panel, "SemanticsAcceptance");
    auto* question = Find<QComboBox>(panel, "SemanticsQuestion");
    QCOMPARE(table->item(b, 2)->text(), QStringLiteral("no"));
    const QRect cell = table->visualItemRect(table->item(b, 2));
    // A user's double click begins with a click, which selects the cell.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(question->currentData().toInt(),
             static_cast<int>(exact::AcceptanceQuestion::kSceptical));
    QVERIFY(QTest::qWaitFor([&view] { return !view.IsWorking() && !view.Lines().empty(); }, 20000));
    QCOMPARE(view.Lines().front().text,
             std::string("b is sceptically accepted under grounded semantics: NO."));
    // A new theory drops the highlight.
    SetInput(*window, QStringLiteral("a b, b c, d"));
    QVERIFY(ClickButton1(*window));
    QVERIFY(QTest::qWaitFor([&graph] { return graph.IsLaidOut(); }, 20000));
    for (int position = 0; position < graph.Graph().Size(); ++position) {
      QVERIFY(!graph.IsHighlighted(position));
    }
    // The explanation spoke of the old theory's positions: it goes.
    QVERIFY(view.Lines().empty());
    QCOMPARE(lines->count(), 0);
  }

  void TheGraphsContextMenuAsksWhyUnderThePanelsQuestion() {
    // b and a attack each other: b is credulously but not sceptically accepted under preferred.
    auto window = OpenWithInput(QStringLiteral("a b, b a"));
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    QVERIFY(ShowsLaidOutGraph(*window));
    SemanticsPanel& panel = window->semantics_panel();
    QVERIFY(ListingEnds(panel, exact::Semantics::kPreferred));
    auto* question = Find<QComboBox>(panel, "SemanticsQuestion");
    question->setCurrentIndex(
        question->findData(static_cast<int>(exact::AcceptanceQuestion::kSceptical)));
    const int b = PositionOf(graph.Graph(), "b");
    auto* view = Find<QGraphicsView>(graph, "GraphView");
    QPoint point;
    for (QGraphicsItem* item : view->scene()->items()) {
      if (const auto* node = dynamic_cast<const NodeItem*>(item); node && node->Position() == b) {
        point = view->mapFromScene(node->scenePos());
      }
    }
    // The menu waits for a choice; the test makes it as soon as the menu shows.
    bool chosen = false;
    QTimer::singleShot(0, &graph, [&chosen] {
      if (!QTest::qWaitFor(
              [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); })) {
        return;
      }
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr || menu->actions().isEmpty()) return;
      chosen = menu->actions().front()->text().startsWith(QStringLiteral("Why?"));
      menu->actions().front()->trigger();
      menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, view->viewport()->mapToGlobal(point));
    QApplication::sendEvent(view->viewport(), &event);
    QVERIFY(chosen);
    ExplanationView& explanation = panel.explanation_view();
    QVERIFY(QTest::qWaitFor([&explanation] { return !explanation.IsWorking(); }, 20000));
    const std::vector<ExplanationLine>& lines = explanation.Lines();
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines[0].text,
             std::string("b is sceptically accepted under preferred semantics: NO."));
    // The counter-example {a} leaves b OUT, attacked by a.
    QVERIFY2(lines[1].text.find("{a}") != std::string::npos, lines[1].text.c_str());
    QVERIFY(graph.IsAttackHighlighted(PositionOf(graph.Graph(), "a"), b));
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::SemanticsPanelTest)
#include "semantics_panel_test.moc"
