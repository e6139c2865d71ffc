// The window's runs on the worker thread: the results against the core's own run, Stop, the
// progress line, and finding text in the areas.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include "app/window/line_view.h"
#include "app/window/main_window.h"
#include "frontend/form.h"
#include "model/run_context.h"
#include "tests/window/window_test_support.h"

namespace dialectic {

namespace {

// "a1 a2, a2 a3, ...": length arguments, each attacked by the next one.
QString Chain(int length) {
  QString chain;
  for (int i = 1; i < length; ++i) chain += QStringLiteral("a%1 a%2, ").arg(i).arg(i + 1);
  return chain;
}

// The lines with every timing line replaced by "# ms elapsed".
QStringList WithoutTimings(QStringList lines) {
  static const QRegularExpression kTiming(QStringLiteral("^[0-9]+ ms elapsed$"));
  for (QString& line : lines) line.replace(kTiming, QStringLiteral("# ms elapsed"));
  return lines;
}

// The selected text of the widget showing an area, editor or view.
QString SelectedIn(const QWidget* widget) {
  if (const auto* editor = qobject_cast<const QPlainTextEdit*>(widget)) {
    return editor->textCursor().selectedText();
  }
  if (const auto* view = qobject_cast<const LineView*>(widget)) return view->SelectedText();
  return {};
}

}  // namespace

class WindowRunTest : public WindowTestBase {
  Q_OBJECT

 private:
  // The controls that start or change a run, as the user finds them.
  static std::vector<QWidget*> RunControls(const QWidget& window) {
    return {Find<QWidget>(window, "Button1"), Find<QWidget>(window, "RadioGroup1"),
            Find<QWidget>(window, "Edit1"), Find<QWidget>(window, "CheckBox1")};
  }
  // The File menu's commands that change or read the input or the areas.
  static std::vector<QAction*> FileActions(const QWidget& window) {
    std::vector<QAction*> actions;
    for (const char* name :
         {"actionNew", "actionOpen", "actionSave", "actionSaveAs", "actionExport"}) {
      actions.push_back(window.findChild<QAction*>(QLatin1String(name)));
    }
    return actions;
  }

 private slots:
  void CompletedRunGivesTheCoreAreas_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<bool>("trace");
    QTest::newRow("reinstatement") << "a b, b c"
                                   << "100" << true;
    QTest::newRow("even cycle without trace") << "a b, b a"
                                              << "100" << false;
    QTest::newRow("depth 2") << "a b c\nb d e z\nc f g h i"
                             << "2" << true;
    QTest::newRow("empty") << ""
                           << "100" << true;
    QTest::newRow("chain of 400, long trace") << Chain(400) << "100" << true;
  }
  void CompletedRunGivesTheCoreAreas() {
    QFETCH(QString, input);
    QFETCH(QString, depth);
    QFETCH(bool, trace);
    TForm1 core;
    core.Memo1.SetText(input.toStdString());
    core.Edit1 = depth.toStdString();
    core.ShowTrace = trace;
    core.Button1Click();

    auto window = OpenWindow();
    QVERIFY(window);
    Find<QPlainTextEdit>(*window, "Memo1")->setPlainText(input);
    Find<QLineEdit>(*window, "Edit1")->setText(depth);
    if (!trace) QTest::mouseClick(Find<QCheckBox>(*window, "CheckBox1"), Qt::LeftButton);
    QVERIFY(ClickButton1(*window));

    const TForm1& form = window->form();
    const TextArea* const core_areas[] = {&core.Memo2, &core.Memo3, &core.Memo4, &core.Memo5};
    const TextArea* const areas[] = {&form.Memo2, &form.Memo3, &form.Memo4, &form.Memo5};
    for (int i = 0; i < 4; ++i) {
      const QByteArray name = QStringLiteral("Memo%1").arg(i + 2).toUtf8();
      QCOMPARE(WithoutTimings(AreaLines(*areas[i])), WithoutTimings(AreaLines(*core_areas[i])));
      // The widget that shows the area shows exactly its lines.
      const QWidget* shown = Find<QWidget>(*window, name.constData());
      QVERIFY(shown != nullptr);
      QVERIFY(shown->isVisible());
      if (const auto* editor = qobject_cast<const QPlainTextEdit*>(shown)) {
        QCOMPARE(editor->toPlainText(), AreaLines(*areas[i]).join(u'\n'));
      } else {
        const auto* view = qobject_cast<const LineView*>(shown);
        QVERIFY(view != nullptr);
        QVERIFY(IsLargeText(*areas[i]));
        QCOMPARE(view->LineCount(), areas[i]->Count());
        for (int line : {0, view->LineCount() / 2, view->LineCount() - 1}) {
          QCOMPARE(view->LineText(line), AreaLines(*areas[i])[line]);
        }
      }
    }
    QCOMPARE(window->form().Memo1.Lines(), core.Memo1.Lines());
    for (QWidget* control : RunControls(*window)) QVERIFY(control->isEnabled());
    QVERIFY(!Find<QPushButton>(*window, "StopButton")->isEnabled());
  }

  // A long run goes on while the window stays responsive, its progress showing; Stop, or Escape,
  // ends it where it is.
  void StopEndsALongRunWhereItWas_data() {
    QTest::addColumn<bool>("by_escape");
    QTest::newRow("Stop button") << false;
    QTest::newRow("Escape") << true;
  }
  void StopEndsALongRunWhereItWas() {
    QFETCH(bool, by_escape);
    auto window = OpenWindow();
    QVERIFY(window);
    // A chain of ten thousand arguments traces some four million lines.
    const QString input = Chain(10000);
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    memo1->setPlainText(input);
    QTest::mouseClick(Find<QPushButton>(*window, "Button1"), Qt::LeftButton);
    QVERIFY(window->IsRunning());
    for (QWidget* control : RunControls(*window)) QVERIFY(!control->isEnabled());
    for (QAction* action : FileActions(*window)) QVERIFY(!action->isEnabled());
    QVERIFY(!window->findChild<QAction*>(QStringLiteral("actionRecent"))->isEnabled());
    QVERIFY(window->findChild<QAction*>(QStringLiteral("actionQuit"))->isEnabled());
    QVERIFY(memo1->isReadOnly());

    const auto* progress = Find<QLabel>(*window, "ProgressLine");
    QTRY_VERIFY(progress->text().contains(QStringLiteral(" of 10,000")));
    const QString seen = progress->text();
    QTRY_VERIFY(progress->text() != seen);
    QVERIFY(window->IsRunning());

    auto* stop = Find<QPushButton>(*window, "StopButton");
    QVERIFY(stop->isEnabled());
    if (by_escape) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    } else {
      QTest::mouseClick(stop, Qt::LeftButton);
    }
    QTRY_VERIFY_WITH_TIMEOUT(!window->IsRunning(), 10000);

    // The areas the run had filled stay, with the stop line where it stopped.
    const TForm1& form = window->form();
    QCOMPARE(form.Memo2.Get(0), "STANDARD STYLE");
    QCOMPARE(form.Memo5.Get(0), "Grounded extension");
    int stopped_lines = 0;
    for (const TextArea* area : {&form.Memo2, &form.Memo3, &form.Memo4, &form.Memo5}) {
      for (std::string_view line : *area) stopped_lines += line == kStoppedLine ? 1 : 0;
    }
    QCOMPARE(stopped_lines, 1);
    QCOMPARE(memo1->toPlainText(), input);
    QCOMPARE(form.Memo1.Lines(), StringList{input.toStdString()});
    for (QWidget* control : RunControls(*window)) QVERIFY(control->isEnabled());
    for (QAction* action : FileActions(*window)) QVERIFY(action->isEnabled());
    QVERIFY(!memo1->isReadOnly());
    QVERIFY(!stop->isEnabled());
    QVERIFY(progress->text().startsWith(QStringLiteral("Stopped after")));
    // The focus, which the disabled button gave away, comes back to it.
    QCOMPARE(QApplication::focusWidget(), Find<QWidget>(*window, "Button1"));
  }

  void FindBarFindsInTheFocusedArea_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("in_view");
    QTest::newRow("trace in the editor") << "a b, b c"
                                         << "REFUTATION" << false;
    QTest::newRow("long trace in the view") << Chain(120) << "A60 (" << true;
  }
  void FindBarFindsInTheFocusedArea() {
    QFETCH(QString, input);
    QFETCH(QString, typed);
    QFETCH(bool, in_view);
    auto window = OpenWindow();
    QVERIFY(window);
    Find<QPlainTextEdit>(*window, "Memo1")->setPlainText(input);
    QVERIFY(ClickButton1(*window));
    auto* trace = Find<QWidget>(*window, "Memo3");
    QCOMPARE(qobject_cast<LineView*>(trace) != nullptr, in_view);
    trace->setFocus();
    QTest::keyClick(trace, Qt::Key_F, Qt::ControlModifier);

    auto* bar = Find<QWidget>(*window, "FindBar");
    auto* field = Find<QLineEdit>(*window, "FindField");
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->geometry().bottom(), trace->geometry().bottom());
    QCOMPARE(QApplication::focusWidget(), field);
    QTest::keyClicks(field, typed);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(SelectedIn(trace).toLower(), typed.toLower());
    const QColor found_colour = field->palette().color(QPalette::Base);

    // Shift+Enter goes back, Enter on, both around the end, and each finds the same text.
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(SelectedIn(trace).toLower(), typed.toLower());
    QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(SelectedIn(trace).toLower(), typed.toLower());

    field->setText(QStringLiteral("no such text"));
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(field->palette().color(QPalette::Base) != found_colour);
    QCOMPARE(SelectedIn(trace).toLower(), typed.toLower());

    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QCOMPARE(QApplication::focusWidget(), trace);
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::WindowRunTest)
#include "window_run_test.moc"
