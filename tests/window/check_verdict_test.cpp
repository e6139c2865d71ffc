// The check's verdict in the status bar after every run, and its details in a dialog.
#include "app/window/check_verdict.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "app/window/main_window.h"
#include "tests/window/window_test_support.h"

namespace dialectic {

class CheckVerdictTest : public WindowTestBase {
  Q_OBJECT

 private:
  static CheckVerdict* VerdictOf(const MainWindow& window) {
    return Find<CheckVerdict>(window, "CheckVerdict");
  }
  // The details dialog's text, once the dialog shows.
  static QString DetailsShown(const MainWindow& window) {
    auto* dialog = Find<QDialog>(window, "CheckDetailsDialog");
    if (dialog == nullptr || !QTest::qWaitForWindowExposed(dialog)) return {};
    return Find<QPlainTextEdit>(*dialog, "CheckDetails")->toPlainText();
  }

 private slots:
  void ExampleRunsShowTheirVerdictMarkedAndColoured_data() {
    QTest::addColumn<QString>("example");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("detail");
    QTest::newRow("an extension missing")
        << "Lindqvar and Serrapel, Fig. 3"
        << QStringLiteral(
               "\u26a0 3 of 4 exact preferred extensions are listed; missing: e g. The grounded "
               "extension is right.")
        << QColor(0xb0, 0x6a, 0x00) << "  missing: e g (d f)";
    QTest::newRow("all listed") << "Even cycle"
                                << QStringLiteral(
                                       "\u2713 All 2 exact preferred extensions are listed. The "
                                       "grounded extension is right.")
                                << QColor(0x1e, 0x7b, 0x34) << "  listed:  a (b)";
  }
  void ExampleRunsShowTheirVerdictMarkedAndColoured() {
    QFETCH(QString, example);
    QFETCH(QString, verdict);
    QFETCH(QColor, colour);
    QFETCH(QString, detail);
    auto window = OpenWindow();
    QVERIFY(window);
    CheckVerdict* shown = VerdictOf(*window);
    QVERIFY(shown != nullptr);
    QVERIFY(window->statusBar()->isAncestorOf(shown));
    QVERIFY(shown->Verdict().isEmpty());

    QVERIFY(Choose(*window, Item(*window, example)));
    QCOMPARE(shown->Verdict(), verdict);
    QVERIFY(shown->isVisible());
    QVERIFY(!shown->text().isEmpty());
    QVERIFY(verdict.startsWith(shown->text().chopped(1)));
    QCOMPARE(shown->palette().color(QPalette::WindowText), colour);
    QVERIFY(shown->toolTip().startsWith(verdict));

    QTest::mouseClick(shown, Qt::LeftButton);
    const QStringList details = DetailsShown(*window).split(u'\n');
    QCOMPARE(details.first(), verdict.mid(2));
    QVERIFY2(details.contains(detail), qPrintable(details.join(u'\n')));
    QVERIFY(Find<QPlainTextEdit>(*window, "CheckDetails")->isReadOnly());
  }

  // The slot the menu calls opens the same dialog; it follows the latest run while it is open.
  void ShowCheckDetailsFollowsTheLatestRun() {
    auto window = OpenWindow();
    QVERIFY(window);
    window->ShowCheckDetails();
    QCOMPARE(DetailsShown(*window), QStringLiteral("Nothing has been run yet."));
    SetInput(*window, QStringLiteral("p q r, q r, r s, s"));
    auto* depth = Find<QLineEdit>(*window, "Edit1");
    depth->setText(QStringLiteral("1"));
    QVERIFY(ClickButton1(*window));
    QVERIFY(VerdictOf(*window)->Verdict().startsWith(
        QStringLiteral("\u26a0 The one exact preferred extension is listed. 1 listed extension "
                       "is not preferred: r (p q s) (s is OUT but no IN argument attacks it).")));
    QVERIFY(DetailsShown(*window).contains(
        QStringLiteral("Phases cut short\n  proof options of p: the depth was used up\n")));
    // Pictures of the window with the verdict below and of the details, to look at.
    QVERIFY(window->grab().save(DIALECTIC_SCREENSHOT_DIR "/window_check_verdict.png"));
    QVERIFY(Find<QDialog>(*window, "CheckDetailsDialog")
                ->grab()
                .save(DIALECTIC_SCREENSHOT_DIR "/check_details.png"));
  }

  // A stopped run is not checked, and says so in grey.
  void AStoppedRunIsNotChecked() {
    auto window = OpenWindow();
    QVERIFY(window);
    QString chain;
    for (int i = 1; i < 10000; ++i) chain += QStringLiteral("a%1 a%2, ").arg(i).arg(i + 1);
    Find<QPlainTextEdit>(*window, "Memo1")->setPlainText(chain);
    QTest::mouseClick(Find<QPushButton>(*window, "Button1"), Qt::LeftButton);
    QVERIFY(window->IsRunning());
    auto* stop = Find<QPushButton>(*window, "StopButton");
    QTRY_VERIFY(stop->isEnabled());
    QTest::mouseClick(stop, Qt::LeftButton);
    QVERIFY(RunEnds(*window));
    QVERIFY(VerdictOf(*window)->Verdict().startsWith(
        QStringLiteral("\u25cb Not checked: the run was stopped")));
    QCOMPARE(VerdictOf(*window)->palette().color(QPalette::WindowText), QColor(0x6e, 0x6e, 0x6e));
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::CheckVerdictTest)
#include "check_verdict_test.moc"
