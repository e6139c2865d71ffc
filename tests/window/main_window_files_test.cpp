// The window's menu bar and file commands: the client area between the bars, theory files opened
// and saved in every format, the results exported, replacements of the input that Undo takes
// back, the title with its modified mark, the recent files and the Help and View menus.
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QWindow>

#include "app/window/graph_window.h"
#include "app/window/main_window.h"
#include "formats/framework.h"
#include "tests/window/window_test_support.h"

namespace dialectic {

namespace {

QString Title(const QWidget& window) { return window.windowHandle()->title(); }

}  // namespace

class MainWindowFilesTest : public WindowTestBase {
  Q_OBJECT

 private:
  static QAction* Action(const QWidget& window, const char* name) {
    return window.findChild<QAction*>(QLatin1String(name));
  }
  // The File menu as it is about to show, with the recent files listed.
  static QMenu* ShownFileMenu(const QWidget& window) {
    auto* file = qobject_cast<QMenu*>(Action(window, "actionOpen")->parent());
    if (file != nullptr) emit file->aboutToShow();
    return file;
  }
  static QStringList RecentEntries(const QWidget& window) {
    ShownFileMenu(window);
    QStringList entries;
    for (const QAction* action : Action(window, "actionRecent")->menu()->actions()) {
      if (!action->isSeparator()) entries << action->text();
    }
    return entries;
  }

 private slots:
  void initTestCase() { KeepSettingsApart(); }
  void init() { ClearSettings(); }

  void ClientAreaStandsBetweenTheBarsAtItsSize() {
    auto window = OpenWindow();
    QVERIFY(window);
    const QMenuBar* bar = window->menuBar();
    QVERIFY(bar->isVisible());
    QStringList titles;
    for (const QAction* menu : bar->actions()) titles << menu->text();
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&Run", "&View", "E&xercise", "&Help"}));
    QCOMPARE(bar->geometry(), QRect(0, 0, 989, bar->height()));
    const QWidget* client = window->centralWidget();
    QCOMPARE(client->geometry(), QRect(0, bar->height(), 989, 727));
    QCOMPARE(window->statusBar()->geometry().top(), client->geometry().bottom() + 1);
    QCOMPARE(window->height(), bar->height() + 727 + window->statusBar()->height());
    // Every control keeps its offset inside the client area, so it moves down by the bar.
    for (const char* name : {"Memo1", "Button1", "RadioGroup1", "Edit1", "CheckBox1"}) {
      const QWidget* control = Find<QWidget>(*window, name);
      QCOMPARE(control->mapTo(window.get(), QPoint()),
               control->geometry().topLeft() + QPoint(0, bar->height()));
    }
    QVERIFY(window->grab().save(DIALECTIC_SCREENSHOT_DIR "/window_menus.png"));
    QMenu* file = ShownFileMenu(*window);
    QVERIFY(file != nullptr);
    QVERIFY(file->grab().save(DIALECTIC_SCREENSHOT_DIR "/window_file_menu.png"));
  }

  void OpenPutsEachFormatIntoTheInput_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("grounded");
    QTest::newRow("line syntax") << "t.txt" << QByteArray("a b,  b c\r\n") << "a b,  b c"
                                 << "  a c (b)";
    QTest::newRow("i23") << "t.i23" << QByteArray("p af 2\n1 2\n") << "1\n2 1"
                         << "  1 (2)";
    QTest::newRow("af is i23") << "t.af" << QByteArray("p af 2\n1 2\n") << "1\n2 1"
                               << "  1 (2)";
    QTest::newRow("APX") << "t.apx" << QByteArray("arg(p).arg(q).att(q,p).") << "p q"
                         << "  q (p)";
    QTest::newRow("TGF") << "t.tgf" << QByteArray("u\nv\n#\nu v\n") << "u\nv u"
                         << "  u (v)";
  }
  void OpenPutsEachFormatIntoTheInput() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, input);
    QFETCH(QString, grounded);
    auto window = OpenWindow();
    QVERIFY(window);
    const QString path = WriteFile(name, bytes);
    QVERIFY(window->OpenTheoryFile(path));
    QVERIFY(RunEnds(*window));
    QCOMPARE(Find<QPlainTextEdit>(*window, "Memo1")->toPlainText(), input);
    QCOMPARE(Lines(Find<QPlainTextEdit>(*window, "Memo5")).value(1), grounded);
    QCOMPARE(window->FilePath(), QFileInfo(path).absoluteFilePath());
    QCOMPARE(Title(*window), name + " - Computing argumentation");
    QVERIFY(!window->isWindowModified());
  }

  void AFileThatFailsLoadsNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");  // none: the file does not exist
    QTest::addColumn<QString>("message_part");
    QTest::newRow("missing") << "gone.txt" << QByteArray() << "Cannot open file";
    QTest::newRow("malformed APX")
        << "bad.apx" << QByteArray("arg(a).\natt(a,b).\n") << "bad.apx:2:";
    QTest::newRow("malformed i23") << "bad.i23" << QByteArray("p af 1\n1 2\n") << "bad.i23:2:3:";
    QTest::newRow("comma in a TGF name")
        << "comma.tgf" << QByteArray("a,b\n#\n") << "cannot be written in the line syntax";
    QTest::newRow("binary") << "program.txt"
                            << QByteArray(
                                   "\x7f"
                                   "ELF\2\1\1\0a b\n",
                                   12)
                            << "Byte 8 is a NUL byte: it is not a text file.";
    QTest::newRow("past the memory budget")
        << "wide.i23" << QByteArray("p af 10000000\n") << "more than the budget of 1 GB.";
  }
  void AFileThatFailsLoadsNothing() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message_part);
    auto window = OpenWindow();
    QVERIFY(window);
    SetInput(*window, "kept k");
    const QString path = bytes.isNull() ? dir_->filePath(name) : WriteFile(name, bytes);
    SeenBox box;
    CloseNextBox(&box, window.get());
    QVERIFY(!window->OpenTheoryFile(path));
    QVERIFY(box.seen);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY2(box.text.contains(message_part), qPrintable(box.text));
    QCOMPARE(Find<QPlainTextEdit>(*window, "Memo1")->toPlainText(), QStringLiteral("kept k"));
    QVERIFY(window->FilePath().isEmpty());
    QVERIFY(Find<QPlainTextEdit>(*window, "Memo5")->toPlainText().isEmpty());
    QVERIFY(window->isWindowModified());
  }

  void SavedFilesOpenAgainAsTheSameTheory_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("name");
    QTest::newRow("line syntax") << static_cast<int>(Format::kText) << "s.txt";
    QTest::newRow("i23") << static_cast<int>(Format::kI23) << "s.i23";
    QTest::newRow("APX") << static_cast<int>(Format::kApx) << "s.apx";
    QTest::newRow("TGF") << static_cast<int>(Format::kTgf) << "s.tgf";
  }
  void SavedFilesOpenAgainAsTheSameTheory() {
    QFETCH(int, format);
    QFETCH(QString, name);
    auto window = OpenWindow();
    QVERIFY(window);
    Find<QPlainTextEdit>(*window, "Memo1")->setPlainText("a b c, b d\nc a\nlone");
    QVERIFY(ClickButton1(*window));
    const Framework saved = FrameworkOfTheory(window->form().Theory);
    const QString path = dir_->filePath(name);
    QVERIFY(window->SaveTheoryFile(path, static_cast<Format>(format)));
    QVERIFY(!window->isWindowModified());
    QCOMPARE(Title(*window), name + " - Computing argumentation");
    if (static_cast<Format>(format) == Format::kText) {
      QCOMPARE(ReadFile(path), QByteArray("a b c, b d\nc a\nlone\n"));
    }

    SetInput(*window, "other o");
    QVERIFY(window->OpenTheoryFile(path));
    QVERIFY(RunEnds(*window));
    const Framework opened = FrameworkOfTheory(window->form().Theory);
    QCOMPARE(opened.Attacks(), saved.Attacks());
    // i23 numbers the arguments and keeps no names.
    if (static_cast<Format>(format) != Format::kI23) QCOMPARE(opened.Names(), saved.Names());
    QCOMPARE(opened.Names().size(), saved.Names().size());
  }

  void ATheoryTheFormatCannotHoldIsNotSaved() {
    auto window = OpenWindow();
    QVERIFY(window);
    SetInput(*window, "f(x) y");
    const QString path = dir_->filePath("f.apx");
    SeenBox box;
    CloseNextBox(&box, window.get());
    QVERIFY(!window->SaveTheoryFile(path, Format::kApx));
    QVERIFY(box.seen);
    QVERIFY2(box.text.contains(QStringLiteral("cannot be written in APX")), qPrintable(box.text));
    QVERIFY(!QFile::exists(path));
    QVERIFY(window->FilePath().isEmpty());
    QVERIFY(window->isWindowModified());
  }

  void ExportWritesTheFiveAreasUnderHeadings() {
    auto window = OpenWindow();
    QVERIFY(window);
    SetInput(*window, "a b, b c");
    QVERIFY(ClickButton1(*window));
    const QString path = dir_->filePath("results.txt");
    QVERIFY(window->ExportResultsFile(path));
    const QStringList lines = QString::fromUtf8(ReadFile(path)).split(QLatin1Char('\n'));
    QStringList headings;
    for (const QString& line : lines) {
      if (line.startsWith(QLatin1Char('['))) headings << line;
    }
    QCOMPARE(headings,
             QStringList({"[input]", "[rephrased]", "[trace]", "[options]", "[extensions]"}));
    QCOMPARE(lines.mid(0, 3), QStringList({"[input]", "a b, b c", "[rephrased]"}));
    const qsizetype extensions = lines.indexOf(QStringLiteral("[extensions]"));
    QCOMPARE(lines.mid(extensions + 1, 2), QStringList({"Grounded extension", "  a c (b)"}));

    SeenBox box;
    CloseNextBox(&box, window.get());
    QVERIFY(!window->ExportResultsFile(dir_->filePath("no/such/folder.txt")));
    QVERIFY(box.seen);
    QVERIFY2(box.text.startsWith(QStringLiteral("Cannot create file")), qPrintable(box.text));
  }

  // Whatever replaces typed input, Ctrl+Z in the input brings the typed text back in one step,
  // and Redo the replacement.
  void ReplacingTheInputIsOneUndoStep_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("replacement");
    QTest::newRow("example") << "example"
                             << "a b, b a";
    QTest::newRow("file") << "file"
                          << "p q";
    QTest::newRow("new") << "new" << QString();
  }
  void ReplacingTheInputIsOneUndoStep() {
    QFETCH(QString, how);
    QFETCH(QString, replacement);
    auto window = OpenWindow();
    QVERIFY(window);
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    SetInput(*window, "typed t");
    QTest::keyClick(memo1, Qt::Key_Return);
    QTest::keyClicks(memo1, "more m");
    QVERIFY(window->isWindowModified());
    if (how == "example") {
      QVERIFY(Choose(*window, Item(*window, "Even cycle")));
    } else if (how == "file") {
      QVERIFY(window->OpenTheoryFile(WriteFile("r.txt", "p q\n")));
    } else {
      // New asks first whether to save the typed text; an example or Open replace it at once.
      SeenBox asked;
      AnswerNextBox(QMessageBox::Discard, &asked, window.get());
      Action(*window, "actionNew")->trigger();
      QVERIFY(asked.seen);
    }
    QVERIFY(RunEnds(*window));
    QCOMPARE(memo1->toPlainText(), replacement);
    QVERIFY(!window->isWindowModified());

    memo1->setFocus();
    QTest::keyClick(memo1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(memo1->toPlainText(), QStringLiteral("typed t\nmore m"));
    QVERIFY(window->isWindowModified());
    QTest::keyClick(memo1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(memo1->toPlainText(), replacement);
    QVERIFY(!window->isWindowModified());
  }

  void TitleNamesTheFileAndMarksEdits() {
    auto window = OpenWindow();
    QVERIFY(window);
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    QVERIFY(!window->isWindowModified());
    QTest::keyClick(memo1, Qt::Key_X);
    QCOMPARE(Title(*window), QStringLiteral("Computing argumentation*"));
    QVERIFY(window->SaveTheoryFile(dir_->filePath("named.tgf"), Format::kTgf));
    QCOMPARE(Title(*window), QStringLiteral("named.tgf - Computing argumentation"));
    QTest::keyClick(memo1, Qt::Key_Y);
    QCOMPARE(Title(*window), QStringLiteral("named.tgf* - Computing argumentation"));
    // Undoing back to the saved text takes the mark away again.
    QTest::keyClick(memo1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Title(*window), QStringLiteral("named.tgf - Computing argumentation"));
    // An example is no file.
    QVERIFY(Choose(*window, Item(*window, "Even cycle")));
    QCOMPARE(Title(*window), QStringLiteral("Computing argumentation"));
    QVERIFY(window->FilePath().isEmpty());
  }

  void SaveWritesTheInputsFileInItsFormat() {
    auto window = OpenWindow();
    QVERIFY(window);
    const QString path = WriteFile("kept.apx", "arg(a).\n");
    QVERIFY(window->OpenTheoryFile(path));
    QVERIFY(RunEnds(*window));
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo1, " b");
    Action(*window, "actionSave")->trigger();
    QCOMPARE(ReadFile(path), QByteArray("arg(a).\narg(b).\natt(b,a).\n"));
    QVERIFY(!window->isWindowModified());
  }

  void DialogsChooseTheFileAndTheFormat() {
    auto window = OpenWindow();
    QVERIFY(window);
    SetInput(*window, "a b");
    // A name without an ending gets the one of the format chosen in the dialog.
    AnswerNextFileDialog(dir_->filePath("chosen"), QStringLiteral("TGF"), window.get());
    Action(*window, "actionSaveAs")->trigger();
    const QString saved = dir_->filePath("chosen.tgf");
    QCOMPARE(ReadFile(saved), QByteArray("a\nb\n#\nb a\n"));
    QCOMPARE(window->FilePath(), saved);

    // The typed text is not saved: Open asks first, and the test lets it go.
    SetInput(*window, "x");
    SeenBox asked;
    AnswerNextBox(QMessageBox::Discard, &asked, window.get());
    AnswerNextFileDialog(saved, {}, window.get());
    Action(*window, "actionOpen")->trigger();
    QVERIFY(asked.seen);
    QVERIFY(RunEnds(*window));
    QCOMPARE(Find<QPlainTextEdit>(*window, "Memo1")->toPlainText(), QStringLiteral("a b"));

    const QString exported = dir_->filePath("exported.txt");
    AnswerNextFileDialog(exported, {}, window.get());
    Action(*window, "actionExport")->trigger();
    QVERIFY(ReadFile(exported).startsWith("[input]\na b\n[rephrased]\n"));
  }

  void RecentFilesListTheLatestEightFirst() {
    auto window = OpenWindow();
    QVERIFY(window);
    QVERIFY(!Action(*window, "actionRecent")->isEnabled());
    QStringList paths;
    for (int i = 1; i <= 9; ++i) {
      paths << WriteFile(QStringLiteral("r%1.txt").arg(i), "a\n");
      QVERIFY(window->OpenTheoryFile(paths.back()));
      QVERIFY(RunEnds(*window));
    }
    // Opening one again moves it to the top, once.
    QVERIFY(window->OpenTheoryFile(paths[4]));
    QVERIFY(RunEnds(*window));
    QStringList entries = RecentEntries(*window);
    QVERIFY(Action(*window, "actionRecent")->isEnabled());
    QCOMPARE(entries.size(), 9);  // eight files and the command that clears them
    QCOMPARE(entries[0], QStringLiteral("&1 ") + paths[4]);
    QCOMPARE(entries[1], QStringLiteral("&2 ") + paths[8]);
    QCOMPARE(entries[7], QStringLiteral("&8 ") + paths[1]);

    // A file that is gone is reported and leaves the list.
    QVERIFY(QFile::remove(paths[8]));
    SeenBox box;
    CloseNextBox(&box, window.get());
    Action(*window, "actionRecent")->menu()->actions()[1]->trigger();
    QVERIFY(box.seen);
    entries = RecentEntries(*window);
    QCOMPARE(entries.size(), 8);
    QCOMPARE(entries[1], QStringLiteral("&2 ") + paths[7]);
    Action(*window, "actionRecent")->menu()->actions()[1]->trigger();
    QVERIFY(RunEnds(*window));
    QCOMPARE(window->FilePath(), paths[7]);
  }

  void HelpAndViewMenus() {
    auto window = OpenWindow();
    QVERIFY(window);
    SeenBox notation;
    CloseNextBox(&notation, window.get());
    Action(*window, "actionNotation")->trigger();
    QVERIFY(notation.seen);
    for (const char* part : {"a c (b)", "x--", "--x", "attacks"}) {
      QVERIFY2(notation.text.contains(QLatin1String(part)), part);
    }
    SeenBox about;
    CloseNextBox(&about, window.get());
    Action(*window, "actionAbout")->trigger();
    QVERIFY(about.seen);
    QVERIFY2(about.text.contains(QLatin1String(DIALECTIC_VERSION)), qPrintable(about.text));
    Action(*window, "actionGraph")->trigger();
    QVERIFY(window->graph_window().isVisible());
    QCOMPARE(Action(*window, "actionGraph")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
    QCOMPARE(window->check_details_action(), Action(*window, "actionCheckDetails"));
    QVERIFY(window->check_details_action()->isEnabled());
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::MainWindowFilesTest)
#include "main_window_files_test.moc"
