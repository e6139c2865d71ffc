// The Edit menu on the focused area: what it enables as it opens, and what its commands do in the
// input's editor, a result area's LineView and the depth box.
#include "app/window/edit_actions.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "app/window/line_view.h"
#include "tests/window/window_test_support.h"

namespace dialectic {

namespace {

constexpr const char* kCommandNames[] = {"actionUndo", "actionRedo",  "actionCut",
                                         "actionCopy", "actionPaste", "actionSelectAll"};

}  // namespace

class EditActionsTest : public WindowTestBase {
  Q_OBJECT

 private:
  static QAction* Action(const QWidget& window, const char* name) {
    return window.findChild<QAction*>(QLatin1String(name));
  }
  // The names of the commands enabled as the Edit menu opens with the focus on the widget.
  static QStringList EnabledFor(const QWidget& window, QWidget* focused) {
    focused->setFocus();
    auto* menu = qobject_cast<QMenu*>(Action(window, "actionUndo")->parent());
    emit menu->aboutToShow();
    QStringList enabled;
    for (const char* name : kCommandNames) {
      if (Action(window, name)->isEnabled()) enabled << QLatin1String(name);
    }
    return enabled;
  }

 private slots:
  void init() { QGuiApplication::clipboard()->clear(); }

  void TheInputTakesEveryCommand() {
    auto window = OpenWindow();
    QVERIFY(window);
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    SetInput(*window, "a b");
    QCOMPARE(EnabledFor(*window, memo1), QStringList({"actionUndo", "actionSelectAll"}));

    Action(*window, "actionSelectAll")->trigger();
    QCOMPARE(EnabledFor(*window, memo1),
             QStringList({"actionUndo", "actionCut", "actionCopy", "actionSelectAll"}));
    Action(*window, "actionCut")->trigger();
    QCOMPARE(memo1->toPlainText(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("a b"));
    QVERIFY(EnabledFor(*window, memo1).contains(QStringLiteral("actionPaste")));
    Action(*window, "actionPaste")->trigger();
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a b"));
    Action(*window, "actionUndo")->trigger();
    QCOMPARE(memo1->toPlainText(), QString());
    QVERIFY(EnabledFor(*window, memo1).contains(QStringLiteral("actionRedo")));
    Action(*window, "actionRedo")->trigger();
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a b"));
  }

  void ALargeResultAreaCopiesButHasNoUndo() {
    auto window = OpenWindow();
    QVERIFY(window);
    // A chain of 2,000 arguments traces far more lines than an editor takes.
    QString chain;
    for (int i = 1; i < 2000; ++i) chain += QStringLiteral("a%1 a%2, ").arg(i).arg(i + 1);
    Find<QPlainTextEdit>(*window, "Memo1")->setPlainText(chain);
    QVERIFY(ClickButton1(*window));
    auto* trace = Find<LineView>(*window, "Memo3");
    QVERIFY(trace != nullptr);
    QCOMPARE(EnabledFor(*window, trace), QStringList({"actionSelectAll"}));
    Action(*window, "actionSelectAll")->trigger();
    QCOMPARE(EnabledFor(*window, trace),
             QStringList({"actionCut", "actionCopy", "actionSelectAll"}));
    Action(*window, "actionCopy")->trigger();
    const QString copied = QGuiApplication::clipboard()->text();
    QCOMPARE(copied.count(QLatin1Char('\n')) + 1, trace->LineCount());
    QVERIFY(copied.startsWith(QStringLiteral("Partial proof options of a1")));
    Action(*window, "actionCut")->trigger();
    QCOMPARE(trace->LineCount(), 1);
    QCOMPARE(trace->LineText(0), QString());
  }

  void TheDepthBoxTakesTheCommandsAndOtherControlsNone() {
    auto window = OpenWindow();
    QVERIFY(window);
    auto* edit1 = Find<QLineEdit>(*window, "Edit1");
    QCOMPARE(EnabledFor(*window, edit1), QStringList({"actionSelectAll"}));
    Action(*window, "actionSelectAll")->trigger();
    QCOMPARE(EnabledFor(*window, edit1),
             QStringList({"actionCut", "actionCopy", "actionSelectAll"}));
    Action(*window, "actionCopy")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("100"));
    QVERIFY(EnabledFor(*window, Find<QWidget>(*window, "Button1")).isEmpty());
    QVERIFY(EnabledFor(*window, Find<QWidget>(*window, "CheckBox1")).isEmpty());
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::EditActionsTest)
#include "edit_actions_test.moc"
