#include "app/window/graph_window.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGraphicsView>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <memory>
#include <set>
#include <thread>

#include "app/window/graph_items.h"
#include "app/window/line_view.h"
#include "formats/generators.h"
#include "graph/theory_dot.h"
#include "tests/window/window_test_support.h"

namespace dialectic {

namespace {

const QString kFig3 = QStringLiteral("Lindqvar and Serrapel, Fig. 3");

QColor Fill(NodeState state) { return PaletteColour(StyleOf(state).fill); }

// A theory of the given size whose attacks are drawn at random from a fixed seed, each pair once:
// 300 arguments and 3,600 attacks keep the layered layout busy for many minutes.
TTheory DenseTheory(int arguments, int attacks) {
  TTheory theory;
  for (int i = 0; i < arguments; ++i) theory.FindOrAdd("a" + std::to_string(i));
  SeededRandom random(7);
  std::set<std::pair<int, int>> drawn;
  while (static_cast<int>(drawn.size()) < attacks) {
    const std::pair<int, int> attack(random.Below(arguments), random.Below(arguments));
    if (drawn.insert(attack).second) {
      theory.AddAttack("a" + std::to_string(attack.first), "a" + std::to_string(attack.second));
    }
  }
  return theory;
}

LayoutInput DenseLayoutInput(int arguments, int attacks) {
  LayoutInput input;
  input.node_sizes.assign(static_cast<std::size_t>(arguments), QSizeF(54, 36));
  SeededRandom random(7);
  std::set<std::pair<int, int>> drawn;
  while (static_cast<int>(drawn.size()) < attacks) {
    const std::pair<int, int> attack(random.Below(arguments), random.Below(arguments));
    if (drawn.insert(attack).second) input.attacks.push_back(attack);
  }
  return input;
}

// Sets the flag after the delay, from a thread of its own.
std::thread CancelAfter(std::atomic<bool>& cancel, std::chrono::milliseconds delay) {
  return std::thread([&cancel, delay] {
    std::this_thread::sleep_for(delay);
    cancel.store(true);
  });
}

}  // namespace

class GraphWindowTest : public WindowTestBase {
  Q_OBJECT

 private:
  // A window whose graph shows, after a run of the example.
  std::unique_ptr<MainWindow> OpenWithExample(const QString& caption) {
    auto window = OpenWindow();
    if (window == nullptr) return nullptr;
    window->ShowGraph();
    if (!Choose(*window, Item(*window, caption))) return nullptr;
    if (!QTest::qWaitFor([&] { return window->graph_window().IsLaidOut(); }, 20000)) {
      return nullptr;
    }
    return window;
  }
  // The position of the argument named by the word.
  static int PositionOf(const GraphWindow& graph, std::string_view word) {
    const std::vector<std::string>& names = graph.Graph().Names();
    const auto found = std::find(names.begin(), names.end(), word);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
  }
  // The fills of the arguments, in the order of the words.
  static QList<QColor> Fills(const GraphWindow& graph, std::initializer_list<const char*> words) {
    QList<QColor> fills;
    for (const char* word : words) fills << graph.NodeFill(PositionOf(graph, word));
    return fills;
  }
  static void PutCaret(QPlainTextEdit* memo, int line) {
    memo->setTextCursor(QTextCursor(memo->document()->findBlockByNumber(line)));
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void ARunShowsTheGroundedLabeling() {
    auto window = OpenWithExample(QStringLiteral("Lindqvar and Serrapel, Fig. 2"));
    QVERIFY(window != nullptr);
    const GraphWindow& graph = window->graph_window();
    // a b d, b c, c a, d e, e d: the even cycle d-e leaves everything undecided.
    QCOMPARE(graph.Graph().Size(), 5);
    for (int position = 0; position < 5; ++position) {
      QCOMPARE(graph.StateOf(position), NodeState::kUndecided);
    }
    QCOMPARE(graph.Caption(), QStringLiteral("Grounded extension"));
    QCOMPARE(graph.LayoutEngine(), std::string("dot"));
  }

  void SelectingAnExtensionLineRecoloursTheNodes() {
    auto window = OpenWithExample(kFig3);
    QVERIFY(window != nullptr);
    const GraphWindow& graph = window->graph_window();
    auto* memo5 = Find<QPlainTextEdit>(*window, "Memo5");
    QCOMPARE(memo5->document()->findBlockByNumber(6).text(), QStringLiteral("  c d g (a b e f)"));
    PutCaret(memo5, 6);
    const QColor in = Fill(NodeState::kIn);
    const QColor out = Fill(NodeState::kOut);
    QCOMPARE(Fills(graph, {"a", "b", "c", "d", "e", "f", "g"}),
             (QList<QColor>{out, out, in, in, out, out, in}));
    QCOMPARE(graph.Outlined(), -1);
    // The next extension, by the keyboard.
    QTest::keyClick(memo5, Qt::Key_Down);
    QCOMPARE(Fills(graph, {"a", "b", "c", "d", "e", "f", "g"}),
             (QList<QColor>{in, out, out, out, in, in, out}));
    // A line that is no labeling leaves the colours as they are.
    PutCaret(memo5, 5);
    QCOMPARE(graph.NodeFill(PositionOf(graph, "a")), in);
  }

  void AnOptionLineOutlinesItsArgumentAndAHeadingMovesTheOutline() {
    auto window = OpenWithExample(kFig3);
    QVERIFY(window != nullptr);
    const GraphWindow& graph = window->graph_window();
    auto* memo4 = Find<QPlainTextEdit>(*window, "Memo4");
    QCOMPARE(memo4->document()->findBlockByNumber(5).text(), QStringLiteral("  f (b g)"));
    PutCaret(memo4, 5);
    QCOMPARE(graph.Outlined(), PositionOf(graph, "b"));
    QCOMPARE(graph.StateOf(PositionOf(graph, "f")), NodeState::kIn);
    QCOMPARE(graph.StateOf(PositionOf(graph, "g")), NodeState::kOut);
    QCOMPARE(graph.StateOf(PositionOf(graph, "a")), NodeState::kUndecided);
    PutCaret(memo4, 6);  // "d :"
    QCOMPARE(graph.Outlined(), PositionOf(graph, "d"));
    QCOMPARE(graph.StateOf(PositionOf(graph, "f")), NodeState::kIn);
  }

  void ClickingANodeSelectsItsHeading() {
    auto window = OpenWithExample(kFig3);
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    auto* view = graph.findChild<QGraphicsView*>(QStringLiteral("GraphView"));
    NodeItem* node_c = nullptr;
    for (QGraphicsItem* item : view->scene()->items()) {
      auto* node = dynamic_cast<NodeItem*>(item);
      if (node != nullptr && node->Position() == PositionOf(graph, "c")) node_c = node;
    }
    QVERIFY(node_c != nullptr);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(node_c->pos()));
    auto* memo4 = Find<QPlainTextEdit>(*window, "Memo4");
    QCOMPARE(memo4->textCursor().blockNumber(), 9);  // a, 2 options, b, 2, d, 2, then "c :"
    QCOMPARE(memo4->textCursor().selectedText(), QStringLiteral("c :"));
    QCOMPARE(graph.Outlined(), PositionOf(graph, "c"));
    // The panel speaks of c once the exact engine has answered.
    QVERIFY(QTest::qWaitFor([&] { return !graph.StatusOf(PositionOf(graph, "c")).isEmpty(); }));
    QCOMPARE(graph.findChild<QLabel*>(QStringLiteral("GraphStatus"))->text(),
             QStringLiteral("c \u2014 complete: credulous yes, sceptical no; preferred: credulous "
                            "yes, sceptical no; stable: credulous yes, sceptical no; grounded: "
                            "credulous no, sceptical no"));
  }

  void ALargeAreaInItsViewRecoloursToo() {
    // 800 arguments in a chain: the grounded line is too long for the editor, so the extensions
    // area shows in its LineView; the layout is the force-directed one.
    auto window = OpenWindow();
    QVERIFY(window != nullptr);
    window->ShowGraph();
    QString chain;
    for (int i = 1; i < 800; ++i) chain += QStringLiteral("a%1 a%2,").arg(i).arg(i + 1);
    Find<QPlainTextEdit>(*window, "Memo1")->setPlainText(chain);
    QVERIFY(ClickButton1(*window));
    GraphWindow& graph = window->graph_window();
    QVERIFY(QTest::qWaitFor([&] { return graph.IsLaidOut(); }, 30000));
    QVERIFY(graph.LayoutEngine() == "sfdp" || graph.LayoutEngine() == "neato");
    auto* memo5 = Find<LineView>(*window, "Memo5");
    QVERIFY(memo5 != nullptr);
    // The grounded labeling shows after the run: a800 is unattacked, a799 OUT.
    QCOMPARE(graph.StateOf(PositionOf(graph, "a800")), NodeState::kIn);
    QCOMPARE(graph.StateOf(PositionOf(graph, "a799")), NodeState::kOut);
    // The caret on the grounded line in the view colours the graph again.
    graph.ShowStates(std::vector<NodeState>(800, NodeState::kPlain), -1, QString());
    memo5->Select({1, 0}, {1, 0});
    QCOMPARE(graph.StateOf(PositionOf(graph, "a800")), NodeState::kIn);
    QCOMPARE(graph.StateOf(PositionOf(graph, "a1")), NodeState::kOut);
    QVERIFY(graph.grab().save(DIALECTIC_SCREENSHOT_DIR "/graph_chain800.png"));
  }

  void ASelfAttackIsALoopBesideItsNode() {
    auto window = OpenWindow();
    QVERIFY(window != nullptr);
    window->ShowGraph();
    SetInput(*window, QStringLiteral("a a, b a, c b d, d c"));
    QVERIFY(ClickButton1(*window));
    GraphWindow& graph = window->graph_window();
    QVERIFY(QTest::qWaitFor([&] { return graph.IsLaidOut(); }, 20000));
    auto* view = graph.findChild<QGraphicsView*>(QStringLiteral("GraphView"));
    const NodeItem* node_a = nullptr;
    QList<const EdgeItem*> edges;
    for (const QGraphicsItem* item : view->scene()->items()) {
      if (auto* node = dynamic_cast<const NodeItem*>(item); node && node->Position() == 0) {
        node_a = node;
      }
      if (auto* edge = dynamic_cast<const EdgeItem*>(item)) edges << edge;
    }
    QVERIFY(node_a != nullptr);
    QCOMPARE(edges.size(), 5);
    // The loop starts at a's border and ends at the base of its arrowhead, which points back at
    // a; it reaches out of a's ellipse on one side.
    const QRectF ellipse = node_a->mapRectToScene(node_a->shape().boundingRect());
    const QRectF around = ellipse.adjusted(-12, -12, 12, 12);
    int loops = 0;
    for (const EdgeItem* edge : edges) {
      const QPainterPath path = edge->path();
      if (!around.contains(path.pointAtPercent(0)) || !around.contains(path.pointAtPercent(1))) {
        continue;
      }
      ++loops;
      QVERIFY(!ellipse.contains(path.boundingRect()));
      QVERIFY(path.boundingRect().width() < ellipse.width() * 2);
    }
    QCOMPARE(loops, 1);
    graph.FitAll();
    QVERIFY(graph.grab().save(DIALECTIC_SCREENSHOT_DIR "/graph_loops.png"));
  }

  void ExportsWhatItShows() {
    auto window = OpenWithExample(kFig3);
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    const PositionLabeling e_g{{PositionOf(graph, "e"), PositionOf(graph, "g")},
                               {PositionOf(graph, "d"), PositionOf(graph, "f")}};
    QVERIFY(graph.ShowLabeling(e_g, QStringLiteral("{e, g}")));
    QTemporaryDir dir;
    const QString dot_path = dir.filePath(QStringLiteral("fig3.dot"));
    QCOMPARE(graph.ExportTo(dot_path), QString());
    QFile dot(dot_path);
    QVERIFY(dot.open(QIODevice::ReadOnly));
    std::vector<NodeState> states(7, NodeState::kUndecided);
    for (const char* word : {"e", "g"}) states[PositionOf(graph, word)] = NodeState::kIn;
    for (const char* word : {"d", "f"}) states[PositionOf(graph, word)] = NodeState::kOut;
    QCOMPARE(dot.readAll().toStdString(), TheoryDot(graph.Graph(), states));

    const QString svg_path = dir.filePath(QStringLiteral("fig3.svg"));
    QCOMPARE(graph.ExportTo(svg_path), QString());
    QFile svg(svg_path);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray svg_text = svg.readAll();
    QVERIFY(svg_text.contains("<svg"));
    QVERIFY(svg_text.toLower().contains("#0072b2"));  // the IN fill

    const QString png_path = dir.filePath(QStringLiteral("fig3.png"));
    QCOMPARE(graph.ExportTo(png_path), QString());
    const QImage png(png_path);
    QVERIFY(!png.isNull());
    int in_pixels = 0;
    int out_pixels = 0;
    for (int y = 0; y < png.height(); ++y) {
      for (int x = 0; x < png.width(); ++x) {
        const QColor pixel = png.pixelColor(x, y);
        in_pixels += pixel == Fill(NodeState::kIn);
        out_pixels += pixel == Fill(NodeState::kOut);
      }
    }
    QVERIFY(in_pixels > 500);
    QVERIFY(out_pixels > 500);
    QVERIFY(!graph.ExportTo(dir.filePath(QStringLiteral("fig3.txt"))).isEmpty());
  }

  // A failed export says why and leaves what was there: a pipe or a folder as the target, or a
  // picture that does not fit (a file size limit stands in for a full disk).
  void AFailedExportLeavesTheOldFileWhole() {
    auto window = OpenWithExample(kFig3);
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.svg"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QVERIFY(graph.ExportTo(pipe).contains(QStringLiteral("It is a pipe, not a regular file.")));
    QVERIFY(QDir().mkdir(dir.filePath(QStringLiteral("folder.dot"))));
    QVERIFY(graph.ExportTo(dir.filePath(QStringLiteral("folder.dot")))
                .contains(QStringLiteral("Is a directory")));
    for (const char* name : {"old.png", "old.svg", "old.dot"}) {
      const QString path = dir.filePath(QLatin1String(name));
      {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old picture");
      }
      rlimit old_limit{};
      getrlimit(RLIMIT_FSIZE, &old_limit);
      const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
      rlimit limit = old_limit;
      limit.rlim_cur = 20;
      setrlimit(RLIMIT_FSIZE, &limit);
      const QString error = graph.ExportTo(path);
      setrlimit(RLIMIT_FSIZE, &old_limit);
      std::signal(SIGXFSZ, old_handler);
      QVERIFY2(error.contains(QStringLiteral("File too large. The old file was left as it was.")),
               qPrintable(error));
      QFile old(path);
      QVERIFY(old.open(QIODevice::ReadOnly));
      QCOMPARE(old.readAll(), QByteArray("old picture"));
      QVERIFY(QDir(dir.path())
                  .entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden)
                  .isEmpty());
    }
  }

  // The line about a clicked argument goes with its theory, wraps, and never widens the window.
  void TheStatusLineGoesWithItsTheoryAndNeverWidensTheWindow() {
    GraphWindow graph;
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    graph.resize(560, 480);
    QCoreApplication::processEvents();
    QCOMPARE(graph.width(), 560);
    TTheory theory;
    const std::string long_name(300, 'n');
    theory.AddAttack(long_name, "b");
    graph.SetTheory(theory);
    QVERIFY(QTest::qWaitFor([&] { return graph.IsLaidOut(); }, 20000));
    const QString first_line = graph.StatusLine();
    auto* view = graph.findChild<QGraphicsView*>(QStringLiteral("GraphView"));
    NodeItem* long_node = nullptr;
    for (QGraphicsItem* item : view->scene()->items()) {
      auto* node = dynamic_cast<NodeItem*>(item);
      if (node != nullptr && node->Position() == PositionOf(graph, long_name)) {
        long_node = node;
      }
    }
    QVERIFY(long_node != nullptr);
    view->centerOn(long_node);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(long_node->pos()));
    QVERIFY(
        QTest::qWaitFor([&] { return graph.StatusLine().contains(QStringLiteral("grounded")); }));
    QCoreApplication::processEvents();
    QCOMPARE(graph.width(), 560);
    QVERIFY2(graph.minimumSizeHint().width() < 560,
             qPrintable(QString::number(graph.minimumSizeHint().width())));
    QVERIFY(graph.findChild<QLabel*>(QStringLiteral("GraphStatus"))->wordWrap());

    TTheory other;
    other.AddAttack("c", "d");
    graph.SetTheory(other);
    QCOMPARE(graph.StatusLine(), first_line);
  }

  // A name without an ending gets the one of the type chosen in the dialog, as Save As does.
  void ExportAddsTheEndingOfTheTypeChosen_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("written");
    QTest::newRow("SVG") << "SVG"
                         << "graph1.svg";
    QTest::newRow("PNG") << "PNG"
                         << "graph1.png";
    QTest::newRow("DOT") << "DOT"
                         << "graph1.dot";
  }
  void ExportAddsTheEndingOfTheTypeChosen() {
    QFETCH(QString, filter);
    QFETCH(QString, written);
    auto window = OpenWithExample(kFig3);
    QVERIFY(window != nullptr);
    QTemporaryDir dir;
    SeenBox error;
    AnswerNextFileDialog(dir.filePath(QStringLiteral("graph1")), filter, window.get());
    CloseNextBox(&error, window.get());
    window->graph_window().ExportWithDialog();
    QVERIFY(QFileInfo(dir.filePath(written)).size() > 0);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("graph1"))));
    QTest::qWait(50);
    QVERIFY2(!error.seen, qPrintable(error.text));
  }

  // The pictures say what the colours mean: the legend is drawn above the graph.
  void ExportedPicturesCarryTheLegend() {
    auto window = OpenWithExample(kFig3);
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    QTemporaryDir dir;
    const QString svg_path = dir.filePath(QStringLiteral("legend.svg"));
    QCOMPARE(graph.ExportTo(svg_path), QString());
    QFile svg(svg_path);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("options of this argument"));
    const QString png_path = dir.filePath(QStringLiteral("legend.png"));
    QCOMPARE(graph.ExportTo(png_path), QString());
    const QImage png(png_path);
    // The legend's swatches, the undecided one among them, fill the top strip of the picture;
    // without the legend the strip is the white margin above the graph.
    int undecided_in_top = 0;
    for (int y = 0; y < std::min(png.height(), 60); ++y) {
      for (int x = 0; x < png.width(); ++x) {
        undecided_in_top += png.pixelColor(x, y) == Fill(NodeState::kUndecided);
      }
    }
    QVERIFY(undecided_in_top > 50);
  }

  // Graphviz cannot be interrupted, so its child process is killed: a layout of a dense graph
  // that would take many minutes ends within a second of the cancel.
  void ACancelledLayoutEndsAtOnce() {
    LayoutInput input = DenseLayoutInput(300, 3600);
    input.engine = "dot";
    std::atomic<bool> cancel(false);
    std::thread canceller = CancelAfter(cancel, std::chrono::milliseconds(300));
    QElapsedTimer clock;
    clock.start();
    const GraphGeometry geometry = LayOutGraphApart(input, cancel, std::chrono::minutes(10));
    const qint64 took = clock.elapsed();
    canceller.join();
    QVERIFY(!geometry.laid_out);
    QCOMPARE(geometry.error, std::string("cancelled"));
    QVERIFY2(took < 1300, qPrintable(QString::number(took)));
  }

  // The layered layout that overruns its time gives way to the fast one, with a note; a dense
  // graph gets the fast one at once.
  void ASlowOrDenseGraphGetsTheFastLayoutWithANote_data() {
    QTest::addColumn<int>("arguments");
    QTest::addColumn<int>("attacks");
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("budget_ms");
    QTest::addColumn<QString>("note");
    QTest::newRow("sparse") << 20 << 30 << "" << 60000 << "";
    QTest::newRow("dense") << 100 << 1223 << "" << 60000 << "Dense graph (1223 attacks)";
    QTest::newRow("layered, overrun")
        << 300 << 3600 << "dot" << 300 << "The layered layout took longer than 0.3 s";
  }
  void ASlowOrDenseGraphGetsTheFastLayoutWithANote() {
    QFETCH(int, arguments);
    QFETCH(int, attacks);
    QFETCH(QString, engine);
    QFETCH(int, budget_ms);
    QFETCH(QString, note);
    LayoutInput input = DenseLayoutInput(arguments, attacks);
    input.engine = engine.toStdString();
    const std::atomic<bool> cancel(false);
    const GraphGeometry geometry =
        LayOutGraphApart(input, cancel, std::chrono::milliseconds(budget_ms));
    QVERIFY2(geometry.laid_out, geometry.error.c_str());
    QCOMPARE(geometry.centres.size(), static_cast<std::size_t>(arguments));
    QCOMPARE(geometry.edges.size(), static_cast<std::size_t>(attacks));
    QCOMPARE(geometry.engine, note.isEmpty() ? std::string("dot") : std::string("sfdp"));
    QCOMPARE(QString::fromStdString(geometry.note).startsWith(note), true);
    QCOMPARE(geometry.note.empty(), note.isEmpty());
  }

  // The child hands its geometry over as bytes; bytes cut short anywhere are no geometry.
  void GeometryCrossesAsBytesWhole() {
    LayoutInput input = DenseLayoutInput(12, 20);
    const GraphGeometry geometry = LayOutGraph(input);
    QVERIFY(geometry.laid_out);
    const std::string bytes = GeometryBytes(geometry);
    const std::optional<GraphGeometry> read = GeometryOfBytes(bytes);
    QVERIFY(read.has_value());
    QCOMPARE(read->centres, geometry.centres);
    QCOMPARE(read->bounds, geometry.bounds);
    QCOMPARE(read->engine, geometry.engine);
    QCOMPARE(read->edges.size(), geometry.edges.size());
    for (std::size_t i = 0; i < geometry.edges.size(); ++i) {
      QCOMPARE(read->edges[i].curve, geometry.edges[i].curve);
      QCOMPARE(read->edges[i].arrow_tip, geometry.edges[i].arrow_tip);
      QCOMPARE(read->edges[i].target, geometry.edges[i].target);
    }
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, bytes.size() / 2, bytes.size() - 1}) {
      QVERIFY(!GeometryOfBytes(bytes.substr(0, cut)).has_value());
    }
    QVERIFY(!GeometryOfBytes(bytes + "x").has_value());
  }

  // Closing the program while the Graph window lays out a dense graph does not wait for Graphviz.
  void ClosingWhileADenseGraphIsLaidOutEndsAtOnce() {
    auto graph = std::make_unique<GraphWindow>();
    graph->show();
    QVERIFY(QTest::qWaitForWindowExposed(graph.get()));
    graph->SetTheory(DenseTheory(300, 3600));
    QVERIFY(!graph->IsLaidOut());
    QElapsedTimer clock;
    clock.start();
    graph.reset();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
  }

  // A place remembered on a screen that is gone is brought back onto the screen there is.
  void APlaceOffEveryScreenIsBroughtBack() {
    {
      GraphWindow graph;
      graph.show();
      QVERIFY(QTest::qWaitForWindowExposed(&graph));
      graph.move(40000, 30000);
      graph.hide();
    }
    GraphWindow graph;
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect shown = screen.intersected(graph.frameGeometry());
    QVERIFY2(shown.width() >= 48 && shown.height() >= 48,
             qPrintable(QStringLiteral("%1,%2").arg(graph.x()).arg(graph.y())));
  }

  void ATheoryTooLargeToDrawOffersItsDot() {
    auto window = OpenWindow();
    QVERIFY(window != nullptr);
    window->ShowGraph();
    GraphWindow& graph = window->graph_window();
    TTheory theory;
    for (int i = 0; i <= kLargestDrawnTheory; ++i) theory.FindOrAdd("x" + std::to_string(i) + " ");
    graph.SetTheory(theory);
    QVERIFY(graph.IsTooLarge());
    QVERIFY(!graph.IsLaidOut());
    QVERIFY(graph.findChild<QLabel*>(QStringLiteral("GraphMessage"))
                ->text()
                .contains(QStringLiteral("too many to draw")));
    QVERIFY(graph.findChild<QWidget*>(QStringLiteral("GraphExportDot"))->isVisible());
    QTemporaryDir dir;
    QVERIFY(!graph.ExportTo(dir.filePath(QStringLiteral("big.png"))).isEmpty());
    QCOMPARE(graph.ExportTo(dir.filePath(QStringLiteral("big.dot"))), QString());
  }

  void ZoomsByKeysAndWheel() {
    auto window = OpenWithExample(kFig3);
    QVERIFY(window != nullptr);
    GraphWindow& graph = window->graph_window();
    graph.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&graph));
    const double fitted = graph.Zoom();
    QTest::keyClick(&graph, Qt::Key_Plus, Qt::ControlModifier);
    QVERIFY(graph.Zoom() > fitted * 1.2);
    QTest::keyClick(&graph, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&graph, Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(graph.Zoom() < fitted);
    QTest::keyClick(&graph, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(graph.Zoom(), fitted);
    auto* view = graph.findChild<QGraphicsView*>(QStringLiteral("GraphView"));
    const QPointF middle = QRectF(view->viewport()->rect()).center();
    QWheelEvent wheel(middle, view->viewport()->mapToGlobal(middle), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    QVERIFY(graph.Zoom() > fitted * 1.3);
  }

  // The check's details list the preferred extension that the listing lacks; putting the caret
  // on that line colours the graph by it.
  void ScreenshotOfFig3WithTheMissingExtensionChosenInTheCheckDetails() {
    auto window = OpenWithExample(kFig3);
    QVERIFY(window != nullptr);
    window->ShowCheckDetails();
    auto* details = window->findChild<QPlainTextEdit*>(QStringLiteral("CheckDetails"));
    QVERIFY(details != nullptr);
    const QTextBlock missing =
        details->document()->find(QStringLiteral("missing: e g (d f)")).block();
    QVERIFY(missing.isValid());
    PutCaret(details, missing.blockNumber());
    GraphWindow& graph = window->graph_window();
    QCOMPARE(graph.Caption(), QStringLiteral("missing: e g (d f)"));
    QCOMPARE(Fills(graph, {"e", "g", "d", "f", "a", "b", "c"}),
             QList<QColor>({Fill(NodeState::kIn), Fill(NodeState::kIn), Fill(NodeState::kOut),
                            Fill(NodeState::kOut), Fill(NodeState::kUndecided),
                            Fill(NodeState::kUndecided), Fill(NodeState::kUndecided)}));
    // A line that shows no labeling leaves the colours as they are.
    PutCaret(details, 0);
    QCOMPARE(graph.Caption(), QStringLiteral("missing: e g (d f)"));
    graph.resize(760, 560);
    graph.FitAll();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    QVERIFY(graph.grab().save(DIALECTIC_SCREENSHOT_DIR "/graph_fig3_eg.png"));
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::GraphWindowTest)
#include "graph_window_test.moc"
