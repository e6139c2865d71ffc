// The input's unsaved work: undo that keeps the file straight, the question before the input is
// dropped, results marked as the previous run's, and the keys that run.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <set>

#include "app/window/check_verdict.h"
#include "app/window/graph_window.h"
#include "tests/window/window_test_support.h"

namespace dialectic {

class UnsavedWorkTest : public WindowTestBase {
  Q_OBJECT

 private:
  static QAction* Action(const QWidget& window, const char* name) {
    return window.findChild<QAction*>(QLatin1String(name));
  }
  static void Undo(QPlainTextEdit* memo) {
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
  }
  static void Redo(QPlainTextEdit* memo) {
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  }
  static bool StaleNoteShows(const MainWindow& window) {
    return Find<QLabel>(window, "StaleNote")->isVisibleTo(const_cast<MainWindow*>(&window));
  }

 private slots:
  void initTestCase() { KeepSettingsApart(); }
  void init() { ClearSettings(); }

  // Typed text, then t.apx opened, then Ctrl+Z: the typed text is back without the file, and
  // Ctrl+S asks for a name rather than writing it over t.apx. Redo gives t.apx back.
  void UndoingAnOpenGivesTheTextBackWithoutTheFile() {
    auto window = OpenWindow();
    QVERIFY(window);
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    SetInput(*window, "p q, q r");
    const QByteArray framework = "arg(a).\narg(b).\natt(a,b).\n";
    const QString apx = WriteFile("t.apx", framework);
    QVERIFY(window->OpenTheoryFile(apx));
    QVERIFY(RunEnds(*window));
    QCOMPARE(window->FilePath(), QFileInfo(apx).absoluteFilePath());
    QVERIFY(!window->isWindowModified());

    Undo(memo1);
    QCOMPARE(memo1->toPlainText(), QStringLiteral("p q, q r"));
    QVERIFY(window->FilePath().isEmpty());
    QVERIFY(window->isWindowModified());
    QVERIFY(!window->windowTitle().contains(QStringLiteral("t.apx")));

    // Save has no file for this text: it asks for one, and the test cancels.
    SeenBox dialog;
    CloseNextBox(&dialog, window.get());
    QTest::keyClick(memo1, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QTest::qWaitFor([&] { return dialog.seen; }, 5000));
    QCOMPARE(ReadFile(apx), framework);

    Redo(memo1);
    QCOMPARE(window->FilePath(), QFileInfo(apx).absoluteFilePath());
    QVERIFY(!window->isWindowModified());
  }

  // Two files opened one after the other: undoing the second and saving writes the first file,
  // which the text came from, never the second.
  void SaveAfterUndoWritesTheFileTheTextCameFrom() {
    auto window = OpenWindow();
    QVERIFY(window);
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    const QString first = WriteFile("first.txt", "a b\n");
    const QString second = WriteFile("second.txt", "c d\n");
    QVERIFY(window->OpenTheoryFile(first));
    QVERIFY(RunEnds(*window));
    memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo1, ", b e");
    QVERIFY(window->OpenTheoryFile(second));
    QVERIFY(RunEnds(*window));
    Undo(memo1);
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a b, b e"));
    QCOMPARE(window->FilePath(), QFileInfo(first).absoluteFilePath());
    QVERIFY(window->isWindowModified());
    QTest::keyClick(memo1, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ReadFile(first), QByteArray("a b, b e\n"));
    QCOMPARE(ReadFile(second), QByteArray("c d\n"));
    QVERIFY(!window->isWindowModified());
    // The second file's text, redone, still belongs to it.
    Redo(memo1);
    QCOMPARE(window->FilePath(), QFileInfo(second).absoluteFilePath());
    QVERIFY(!window->isWindowModified());
    // Back at the first file's text as it was opened: the file now holds the saved text.
    Undo(memo1);
    Undo(memo1);
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a b"));
    QVERIFY(window->isWindowModified());
  }

  // Undoing an example brings back the text, the example chosen before and the title; the
  // results, the verdict and the graph say they are the previous run's until the next run.
  void UndoingAnExampleBringsBackTheChoiceAndMarksTheResultsStale() {
    auto window = OpenWindow();
    QVERIFY(window);
    window->ShowGraph();
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    QRadioButton* reinstatement = Item(*window, QStringLiteral("Reinstatement (ABC)"));
    QRadioButton* even_cycle = Item(*window, QStringLiteral("Even cycle"));
    QVERIFY(Choose(*window, reinstatement));
    QVERIFY(Choose(*window, even_cycle));
    QVERIFY(!StaleNoteShows(*window));
    QVERIFY(!window->graph_window().Note().contains(QStringLiteral("Previous run")));
    const QString title = window->windowTitle();

    Undo(memo1);
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a b, b c"));
    QVERIFY(reinstatement->isChecked());
    QCOMPARE(window->form().RadioItemIndex, 1);
    QCOMPARE(window->windowTitle(), title);
    QVERIFY(!window->isWindowModified());
    QVERIFY(window->AreResultsStale());
    QVERIFY(StaleNoteShows(*window));
    auto* verdict = window->statusBar()->findChild<CheckVerdict*>(QStringLiteral("CheckVerdict"));
    QVERIFY(verdict->ShownVerdict().startsWith(QStringLiteral("Previous run: ")));
    QVERIFY(window->graph_window().Note().startsWith(QStringLiteral("Previous run")));

    // Choosing Even cycle again is a change of the choice, so it loads and runs.
    QVERIFY(Choose(*window, even_cycle));
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a b, b a"));
    QVERIFY(!window->AreResultsStale());
    QVERIFY(!StaleNoteShows(*window));
    QVERIFY(!verdict->ShownVerdict().startsWith(QStringLiteral("Previous run")));
  }

  void AnEditMarksTheResultsStaleUntilTheNextRun() {
    auto window = OpenWindow();
    QVERIFY(window);
    QVERIFY(ClickButton1(*window));
    QVERIFY(!window->AreResultsStale());
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo1, " x");
    QVERIFY(window->AreResultsStale());
    QVERIFY(StaleNoteShows(*window));
    QVERIFY(ClickButton1(*window));
    QVERIFY(!window->AreResultsStale());
    QVERIFY(!StaleNoteShows(*window));
  }

  // Each command that drops the input asks first while it holds unsaved edits: Cancel keeps
  // everything, Discard goes on, Save writes the file first.
  void DroppingEditedInputAsks_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goes_on");
    QTest::addColumn<QByteArray>("file_after");
    const int cancel = QMessageBox::Cancel;
    const int discard = QMessageBox::Discard;
    const int save = QMessageBox::Save;
    QTest::newRow("quit, cancel") << "quit" << cancel << false << QByteArray("a b\n");
    QTest::newRow("quit, discard") << "quit" << discard << true << QByteArray("a b\n");
    QTest::newRow("quit, save") << "quit" << save << true << QByteArray("a b x\n");
    QTest::newRow("new, cancel") << "new" << cancel << false << QByteArray("a b\n");
    QTest::newRow("new, discard") << "new" << discard << true << QByteArray("a b\n");
    QTest::newRow("new, save") << "new" << save << true << QByteArray("a b x\n");
    QTest::newRow("open recent, cancel") << "recent" << cancel << false << QByteArray("a b\n");
    QTest::newRow("open recent, discard") << "recent" << discard << true << QByteArray("a b\n");
    QTest::newRow("open, cancel") << "open" << cancel << false << QByteArray("a b\n");
  }
  void DroppingEditedInputAsks() {
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, goes_on);
    QFETCH(QByteArray, file_after);
    auto window = OpenWindow();
    QVERIFY(window);
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    const QString path = WriteFile("t.txt", "a b\n");
    const QString other = WriteFile("other.txt", "c d\n");
    QVERIFY(window->OpenTheoryFile(other));
    QVERIFY(RunEnds(*window));
    QVERIFY(window->OpenTheoryFile(path));
    QVERIFY(RunEnds(*window));
    memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo1, " x");
    QVERIFY(window->isWindowModified());

    SeenBox asked;
    AnswerNextBox(static_cast<QMessageBox::StandardButton>(answer), &asked, window.get());
    if (command == "quit") {
      Action(*window, "actionQuit")->trigger();
    } else if (command == "new") {
      Action(*window, "actionNew")->trigger();
    } else if (command == "recent") {
      // The recent files list t.txt first, then other.txt, as the File menu opens.
      emit qobject_cast<QMenu*>(Action(*window, "actionOpen")->parent())->aboutToShow();
      QMenu* recent = Action(*window, "actionRecent")->menu();
      recent->actions().at(1)->trigger();
    } else {
      Action(*window, "actionOpen")->trigger();
    }
    QVERIFY(asked.seen);
    QVERIFY(asked.text.contains(QFileInfo(path).fileName()));
    QVERIFY(RunEnds(*window));
    const bool dropped =
        command == "quit" ? !window->isVisible() : memo1->toPlainText() != QStringLiteral("a b x");
    QCOMPARE(dropped, goes_on);
    QCOMPARE(ReadFile(path), file_after);
  }

  void NothingAsksWithoutUnsavedEdits() {
    auto window = OpenWindow();
    QVERIFY(window);
    const QString path = WriteFile("t.txt", "a b\n");
    QVERIFY(window->OpenTheoryFile(path));
    QVERIFY(RunEnds(*window));
    QVERIFY(window->MayDropInput());
    // An example replaces edited input without a question, as one undo step.
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    QTest::keyClicks(memo1, "x ");
    QVERIFY(Choose(*window, Item(*window, QStringLiteral("Self-defeat"))));
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a a"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(window->MayDropInput());
    QVERIFY(window->close());
  }

  // F5 and Ctrl+Return run as the button does, from the input too, and Ctrl+Return adds no line.
  void KeysRun_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("F5") << static_cast<int>(Qt::Key_F5) << static_cast<int>(Qt::NoModifier);
    QTest::newRow("Ctrl+Return") << static_cast<int>(Qt::Key_Return)
                                 << static_cast<int>(Qt::ControlModifier);
    QTest::newRow("Ctrl+Enter") << static_cast<int>(Qt::Key_Enter)
                                << static_cast<int>(Qt::ControlModifier | Qt::KeypadModifier);
  }
  void KeysRun() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    auto window = OpenWindow();
    QVERIFY(window);
    SetInput(*window, QStringLiteral("a b, b c"));
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    memo1->setFocus();
    QVERIFY(window->form().Theory.Args.empty());
    QTest::keyClick(memo1, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(RunEnds(*window));
    QCOMPARE(window->form().Theory.Args.Count(), 3);
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a b, b c"));
  }

  // Every menu command but About has a key of its own, and no two share one.
  void EveryMenuCommandHasItsKey() {
    auto window = OpenWindow();
    QVERIFY(window);
    std::set<QString> keys;
    QStringList without_key;
    for (QAction* menu : window->menuBar()->actions()) {
      for (QAction* action : menu->menu()->actions()) {
        if (action->isSeparator() || action->menu() != nullptr) continue;
        if (action->objectName() == QStringLiteral("actionAbout")) continue;
        if (action->shortcut().isEmpty()) without_key << action->text();
        for (const QKeySequence& key : action->shortcuts()) {
          QVERIFY2(keys.insert(key.toString()).second, qPrintable(key.toString()));
        }
      }
    }
    QVERIFY2(without_key.isEmpty(), qPrintable(without_key.join(QStringLiteral(", "))));
    QVERIFY(keys.contains(QKeySequence(Qt::Key_F5).toString()));
  }

  // With the examples' folder unwritable, the window still offers every built-in example and says
  // it could not save them.
  void AnUnwritableExamplesFolderKeepsTheBuiltInExamples() {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing/examples.txt"));
    SeenBox told;
    CloseNextBox(&told, this);
    MainWindow window(missing.toStdString());
    window.show();
    QVERIFY(QTest::qWaitFor([&] { return told.seen; }, 5000));
    QVERIFY(told.text.contains(QStringLiteral("could not be saved")));
    QCOMPARE(static_cast<int>(window.form().RadioItems.size()), 34);
    QVERIFY(Item(window, QStringLiteral("Even cycle")) != nullptr);
    QVERIFY(!QFileInfo::exists(missing));
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::UnsavedWorkTest)
#include "unsaved_work_test.moc"
