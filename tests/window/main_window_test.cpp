#include "app/window/main_window.h"

#include <sys/stat.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QWindow>
#include <cerrno>
#include <cstring>
#include <memory>

#include "app/window/line_view.h"
#include "tests/window/window_test_support.h"

namespace dialectic {

namespace {

QStringList RadioCaptions(const QWidget& window) {
  QStringList captions;
  for (const QRadioButton* item : window.findChildren<QRadioButton*>()) {
    captions << item->text();
  }
  return captions;
}

}  // namespace

class MainWindowTest : public WindowTestBase {
  Q_OBJECT

 private slots:
  void WindowHasItsCaptionPlaceFontAndBackground() {
    auto window = OpenWindow();
    QVERIFY(window);
    // The title as the desktop shows it, without a file and unmodified.
    QCOMPARE(window->windowHandle()->title(), QStringLiteral("Computing argumentation"));
    QCOMPARE(window->pos(), QPoint(11, 8));
    // The controls' client area keeps its size; the menu bar adds its height above and the
    // status bar its height below.
    const int menu_height = window->menuBar()->height();
    QVERIFY(menu_height > 0);
    const QWidget* client = window->centralWidget();
    QCOMPARE(client->geometry(), QRect(0, menu_height, 989, 727));
    QCOMPARE(window->size(), QSize(989, menu_height + 727 + window->statusBar()->height()));
    QCOMPARE(window->statusBar()->y(), menu_height + 727);
    QCOMPARE(window->font().pointSize(), 8);
    QCOMPARE(QFontInfo(window->font()).family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(QFontMetrics(window->font()).height(), 13);
    QCOMPARE(window->palette().color(QPalette::Window), window->palette().color(QPalette::Button));
  }

  void ControlsStandAtTheirPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Memo1") << "Memo1" << QRect(0, 43, 225, 286) << QString();
    QTest::newRow("Memo2") << "Memo2" << QRect(0, 352, 225, 304) << QString();
    QTest::newRow("Button1") << "Button1" << QRect(9, 663, 80, 27) << "Do your thing";
    QTest::newRow("Memo3") << "Memo3" << QRect(224, 43, 165, 613) << QString();
    QTest::newRow("RadioGroup1") << "RadioGroup1" << QRect(724, 41, 208, 640) << QString();
    QTest::newRow("Memo4") << "Memo4" << QRect(388, 43, 164, 613) << QString();
    QTest::newRow("Memo5") << "Memo5" << QRect(551, 43, 165, 613) << QString();
    QTest::newRow("Edit1") << "Edit1" << QRect(155, 663, 70, 21) << "100";
    QTest::newRow("CheckBox1") << "CheckBox1" << QRect(224, 24, 97, 17) << "Show trace";
  }
  void ControlsStandAtTheirPlaces() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    auto window = OpenWindow();
    QVERIFY(window);
    auto* control = window->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget(), window->centralWidget());
    QCOMPARE(control->geometry(), place);
    QVERIFY(control->isVisible());
    QVERIFY(control->isEnabled());
    if (!caption.isNull()) QCOMPARE(control->property("text").toString(), caption);
    if (auto* group = qobject_cast<QGroupBox*>(control)) QVERIFY(group->title().isEmpty());
  }

  void MemosHaveTheirScrollBarsAndWrapping_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("wraps");
    QTest::newRow("Memo1") << "Memo1" << false;
    for (const char* name : {"Memo2", "Memo3", "Memo4", "Memo5"})
      QTest::newRow(name) << name << true;
  }
  void MemosHaveTheirScrollBarsAndWrapping() {
    QFETCH(QString, name);
    QFETCH(bool, wraps);
    auto window = OpenWindow();
    QVERIFY(window);
    auto* memo = window->findChild<QPlainTextEdit*>(name);
    QVERIFY(memo != nullptr);
    QCOMPARE(memo->lineWrapMode(), wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(memo->horizontalScrollBarPolicy(),
             wraps ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    QVERIFY(!memo->isReadOnly());
  }

  void LabelsShowTheirWholeCaption_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Label1") << "Label1" << QRect(0, 0, 24, 13) << "Input";
    QTest::newRow("Label3") << "Label3" << QRect(224, 0, 28, 13) << "Trace";
    QTest::newRow("Label4") << "Label4" << QRect(376, 0, 229, 39)
                            << "Proof and refutation options: minimal admissible stages for or "
                               "against the arguments in the theory (and a few non-minimal ones)";
    QTest::newRow("Label5") << "Label5" << QRect(615, 0, 116, 26)
                            << "Grounded and preferred extensions";
    QTest::newRow("Label6") << "Label6" << QRect(112, 672, 32, 13) << "Depth:";
    QTest::newRow("Label2") << "Label2" << QRect(0, 336, 52, 13) << "Rephrased";
  }
  void LabelsShowTheirWholeCaption() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    auto window = OpenWindow();
    QVERIFY(window);
    auto* label = window->findChild<QLabel*>(name);
    QVERIFY(label != nullptr);
    QCOMPARE(label->text(), caption);
    // A wrapped label keeps its box; a one-line label may grow to the right to fit its caption.
    QCOMPARE(label->pos(), place.topLeft());
    QCOMPARE(label->height(), place.height());
    if (label->wordWrap()) QCOMPARE(label->width(), place.width());
    QVERIFY(label->width() >= place.width());
    QCOMPARE(label->font().pointSize(), 8);
    const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
    const QRect needed = label->fontMetrics().boundingRect(label->contentsRect(), flags, caption);
    QVERIFY2(label->contentsRect().contains(needed),
             qPrintable(QStringLiteral("needs %1 x %2").arg(needed.width()).arg(needed.height())));
  }

  void TabVisitsTheControlsInOrder() {
    auto window = OpenWindow();
    QVERIFY(window);
    Find<QPlainTextEdit>(*window, "Memo1")->setFocus();
    const QStringList expected = {"Memo1", "Memo2", "Button1", "Memo3",     "RadioGroup1",
                                  "Memo4", "Memo5", "Edit1",   "CheckBox1", "Memo1"};
    QStringList visited;
    // A radio item stands for its group, which is one stop: Tab enters it and leaves it again.
    const auto focused_name = [] {
      const QWidget* focused = QApplication::focusWidget();
      if (focused == nullptr) return QString();
      if (qobject_cast<const QRadioButton*>(focused)) return focused->parentWidget()->objectName();
      return focused->objectName();
    };
    visited << focused_name();
    for (int i = 1; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << focused_name();
    }
    QCOMPARE(visited, expected);
    QVERIFY(Find<QPlainTextEdit>(*window, "Memo1")->toPlainText().indexOf(u'\t') < 0);
    // And back: from Memo4 one step lands in the group, the next leaves it.
    Find<QPlainTextEdit>(*window, "Memo4")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(focused_name(), QStringLiteral("RadioGroup1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(focused_name(), QStringLiteral("Memo3"));
  }

  void StartsWithButton1FocusedAndNothingComputed() {
    auto window = OpenWindow();
    QVERIFY(window);
    QCOMPARE(QApplication::focusWidget(), Find<QWidget>(*window, "Button1"));
    QCOMPARE(window->form().Depth, 100);
    QVERIFY(window->form().ShowTrace);
    QCOMPARE(Find<QLineEdit>(*window, "Edit1")->text(), QStringLiteral("100"));
    QVERIFY(Find<QCheckBox>(*window, "CheckBox1")->isChecked());
    QCOMPARE(Find<QPlainTextEdit>(*window, "Memo1")->toPlainText(),
             QStringLiteral("a b c\nb d e z\nc f g h i"));
    for (const char* name : {"Memo2", "Memo3", "Memo4", "Memo5"}) {
      QVERIFY2(Find<QPlainTextEdit>(*window, name)->toPlainText().isEmpty(), name);
    }
    const QStringList captions = RadioCaptions(*window);
    QCOMPARE(captions.size(), 34);
    QCOMPARE(captions.front(), QStringLiteral("Single link (AB)"));
    QCOMPARE(captions[3], QStringLiteral("Even cycle"));
    QCOMPARE(captions.back(), QStringLiteral("Ambrecht, CM followed by same CM"));
    for (const QRadioButton* item : window->findChildren<QRadioButton*>()) {
      QVERIFY(!item->isChecked());
    }
    QVERIFY(QFileInfo(ExamplesFile()).size() > 0);
  }

  void RadioItemsFitTheGroupWithoutOverlap() {
    auto window = OpenWindow();
    QVERIFY(window);
    const QRect inside = Find<QGroupBox>(*window, "RadioGroup1")->contentsRect();
    const QList<QRadioButton*> items = window->findChildren<QRadioButton*>();
    QCOMPARE(items.size(), 34);
    for (qsizetype i = 0; i < items.size(); ++i) {
      const QRect place = items[i]->geometry();
      QVERIFY2(inside.contains(place), qPrintable(items[i]->text()));
      QVERIFY(place.height() >= items[i]->fontMetrics().height() + 4);
      // The whole caption shows, in the window's font or a narrower cut of it.
      QVERIFY2(items[i]->sizeHint().width() <= place.width(), qPrintable(items[i]->text()));
      QCOMPARE(items[i]->font().pointSize(), 8);
      if (i > 0) QVERIFY(place.top() >= items[i - 1]->geometry().bottom() + 1);
    }
  }

  void Button1RunsOnTheInput() {
    auto window = OpenWindow();
    QVERIFY(window);
    SetInput(*window, "a b, b c");
    auto* edit1 = Find<QLineEdit>(*window, "Edit1");
    edit1->setText("7");
    QVERIFY(ClickButton1(*window));
    QCOMPARE(window->form().Depth, 7);
    const QStringList memo4 = Lines(Find<QPlainTextEdit>(*window, "Memo4"));
    QCOMPARE(memo4.front(), QStringLiteral("a :"));
    QVERIFY(memo4.contains(QStringLiteral("b :")));
    const QStringList memo5 = Lines(Find<QPlainTextEdit>(*window, "Memo5"));
    QCOMPARE(memo5.mid(0, 2), QStringList({"Grounded extension", "  a c (b)"}));
    QCOMPARE(memo5.count(QStringLiteral("  a c (b)")), 2);
    QVERIFY(memo5.contains(QStringLiteral("Preferred extensions")));
    auto* memo2 = Find<QPlainTextEdit>(*window, "Memo2");
    QVERIFY(!memo2->toPlainText().isEmpty());
    QCOMPARE(memo2->textCursor().position(), 0);
    auto* memo3 = Find<QPlainTextEdit>(*window, "Memo3");
    QVERIFY(memo3->isVisible());
    QCOMPARE(memo3->toPlainText(), QString::fromStdString(window->form().Memo3.Text()));

    QVERIFY(window->grab().save(DIALECTIC_SCREENSHOT_DIR "/window.png"));
  }

  void ChoosingAnExampleLoadsItAndRunsOnce() {
    auto window = OpenWindow();
    QVERIFY(window);
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    auto* memo4 = Find<QPlainTextEdit>(*window, "Memo4");
    QRadioButton* even_cycle = Item(*window, "Even cycle");
    QVERIFY(even_cycle != nullptr);
    QVERIFY(Choose(*window, even_cycle));
    QVERIFY(even_cycle->isChecked());
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a b, b a"));
    QCOMPARE(Lines(memo4).front(), QStringLiteral("a :"));
    QCOMPARE(QApplication::focusWidget(), Find<QWidget>(*window, "Button1"));
    QVERIFY(window->grab().save(DIALECTIC_SCREENSHOT_DIR "/window_example.png"));

    // The chosen item again: neither loads nor runs.
    SetInput(*window, "x y");
    QVERIFY(Choose(*window, even_cycle));
    QCOMPARE(memo1->toPlainText(), QStringLiteral("x y"));
    QCOMPARE(Lines(memo4).front(), QStringLiteral("a :"));

    // Another item, then the first one again: each change loads.
    QVERIFY(Choose(*window, Item(*window, "Self-defeat")));
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a a"));
    QVERIFY(Choose(*window, even_cycle));
    QCOMPARE(memo1->toPlainText(), QStringLiteral("a b, b a"));
    QCOMPARE(window->findChildren<QRadioButton*>().count(), 34);
  }

  void EnterInEdit1AppliesTheDepth_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("focus_to_button1");
    QTest::newRow("25") << "25" << int(Qt::Key_Return) << 25 << "25" << true;
    QTest::newRow("keypad Enter") << "25" << int(Qt::Key_Enter) << 25 << "25" << true;
    QTest::newRow("trailing blank") << "25 " << int(Qt::Key_Return) << 100 << "100" << false;
    QTest::newRow("abc") << "abc" << int(Qt::Key_Return) << 100 << "100" << false;
    QTest::newRow("$1A") << "$1A" << int(Qt::Key_Return) << 26 << "$1A" << true;
    QTest::newRow("-3") << "-3" << int(Qt::Key_Return) << -3 << "-3" << true;
    QTest::newRow("other key") << "25" << int(Qt::Key_Escape) << 100 << "25" << false;
  }
  void EnterInEdit1AppliesTheDepth() {
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(int, depth);
    QFETCH(QString, shown);
    QFETCH(bool, focus_to_button1);
    auto window = OpenWindow();
    QVERIFY(window);
    auto* edit1 = Find<QLineEdit>(*window, "Edit1");
    edit1->setFocus();
    edit1->selectAll();
    QTest::keyClicks(edit1, typed);
    QCOMPARE(edit1->text(), typed);
    QTest::keyClick(edit1, static_cast<Qt::Key>(key));
    QCOMPARE(window->form().Depth, depth);
    QCOMPARE(edit1->text(), shown);
    QCOMPARE(QApplication::focusWidget(),
             focus_to_button1 ? Find<QWidget>(*window, "Button1") : edit1);
    // No run: the input stays and the results stay empty.
    QCOMPARE(Lines(Find<QPlainTextEdit>(*window, "Memo1")).size(), 3);
    QVERIFY(Find<QPlainTextEdit>(*window, "Memo5")->toPlainText().isEmpty());
  }

  void CheckBox1FlipsTheTraceSwitch() {
    auto window = OpenWindow();
    QVERIFY(window);
    auto* check_box1 = Find<QCheckBox>(*window, "CheckBox1");
    auto* memo3 = Find<QPlainTextEdit>(*window, "Memo3");
    SetInput(*window, "a b, b c");
    QVERIFY(ClickButton1(*window));
    const int traced_lines = Lines(memo3).size();

    QTest::mouseClick(check_box1, Qt::LeftButton);
    QVERIFY(!window->form().ShowTrace);
    QVERIFY(!check_box1->isChecked());
    QVERIFY(ClickButton1(*window));
    QVERIFY(Lines(memo3).size() < traced_lines);

    QTest::mouseClick(check_box1, Qt::LeftButton);
    QVERIFY(window->form().ShowTrace);
    QVERIFY(check_box1->isChecked());
    QVERIFY(ClickButton1(*window));
    QCOMPARE(Lines(memo3).size(), traced_lines);
  }

  // A handler that leaves an area alone leaves its editor alone: an edit and the scroll position
  // stay until a handler changes that area.
  void ResultAreasKeepEditsUntilTheNextRun() {
    auto window = OpenWindow();
    QVERIFY(window);
    SetInput(*window, "a b, b c");
    QVERIFY(ClickButton1(*window));
    QScrollBar* trace_scroll = Find<QPlainTextEdit>(*window, "Memo3")->verticalScrollBar();
    QVERIFY(trace_scroll->maximum() > 0);
    trace_scroll->setValue(trace_scroll->maximum());
    auto* memo4 = Find<QPlainTextEdit>(*window, "Memo4");
    const QString listed = memo4->toPlainText();
    memo4->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo4, " noted");
    QTest::mouseClick(Find<QCheckBox>(*window, "CheckBox1"), Qt::LeftButton);
    QCOMPARE(memo4->toPlainText(), listed + " noted");
    QCOMPARE(trace_scroll->value(), trace_scroll->maximum());
    QVERIFY(ClickButton1(*window));
    QVERIFY(memo4->toPlainText().startsWith(QStringLiteral("a :")));
    QVERIFY(!memo4->toPlainText().contains(QStringLiteral("noted")));
  }

  // A long trace shows at once in the line view over the area's own lines, and typing there edits
  // those lines in place.
  void ALongTraceShowsAtOnceAndTakesEditsInPlace() {
    auto window = OpenWindow();
    QVERIFY(window);
    // A chain of a hundred and twenty arguments traces some twenty-nine thousand lines.
    QString chain;
    for (int i = 1; i < 120; ++i) chain += QStringLiteral("a%1 a%2, ").arg(i).arg(i + 1);
    Find<QPlainTextEdit>(*window, "Memo1")->setPlainText(chain);
    QVERIFY(ClickButton1(*window));
    const TextArea& trace = window->form().Memo3;
    QVERIFY(trace.Count() > 20000);
    QVERIFY(Find<QPlainTextEdit>(*window, "Memo3") == nullptr);
    auto* view = Find<LineView>(*window, "Memo3");
    QVERIFY(view != nullptr);
    QVERIFY(view->isVisible());
    QCOMPARE(view->geometry(), QRect(224, 43, 165, 613));
    QCOMPARE(view->LineCount(), trace.Count());
    QCOMPARE(view->LineText(0), QString::fromStdString(std::string(trace.Get(0))));
    QCOMPARE(view->TopLine(), 0);

    QStringList expected = AreaLines(trace);
    expected[2] += QStringLiteral("!?");
    expected.insert(3, QStringLiteral("new"));
    view->setFocus();
    view->Select({2, 0}, {2, 0});
    QTest::keyClick(view, Qt::Key_End);
    QTest::keyClicks(view, QStringLiteral("!?"));
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClicks(view, QStringLiteral("new"));
    QCOMPARE(AreaLines(trace), expected);
    QCOMPARE(QApplication::focusWidget(), view);

    // The edit stays through other handlers; the next run replaces it.
    auto* edit1 = Find<QLineEdit>(*window, "Edit1");
    edit1->setFocus();
    QTest::keyClick(edit1, Qt::Key_Return);
    QCOMPARE(AreaLines(trace), expected);
    QVERIFY(ClickButton1(*window));
    QCOMPARE(Find<LineView>(*window, "Memo3"), view);
    QCOMPARE(trace.Count(), expected.size() - 1);
    QVERIFY(!QString::fromStdString(std::string(trace.Get(2))).endsWith(QStringLiteral("!?")));
  }

  void InputCrossesAsUtf8_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("umlaut") << QStringLiteral(u"\u00e4 b") << QByteArray::fromHex("c3a42062");
    QTest::newRow("no-break space is no blank")
        << QStringLiteral(u"a\u00a0b") << QByteArray::fromHex("61c2a062");
  }
  void InputCrossesAsUtf8() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    auto window = OpenWindow();
    QVERIFY(window);
    auto* memo1 = Find<QPlainTextEdit>(*window, "Memo1");
    memo1->clear();
    memo1->insertPlainText(typed);
    QVERIFY(ClickButton1(*window));
    QCOMPARE(window->form().Memo1.Lines(), StringList({bytes.toStdString()}));
    const QString first_name = typed.section(u' ', 0, 0);
    QCOMPARE(Lines(Find<QPlainTextEdit>(*window, "Memo4")).front(), first_name + " :");
  }

  void LibraryFileGivesTheItems() {
    dir_ = std::make_unique<QTemporaryDir>();
    QFile file(ExamplesFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#One\r\na b\r\n#Two\r\nb c\r\n");
    file.close();
    MainWindow window(ExamplesFile().toStdString());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(RadioCaptions(window), QStringList({"One", "Two"}));
    QVERIFY(Choose(window, Item(window, "Two")));
    QCOMPARE(Find<QPlainTextEdit>(window, "Memo1")->toPlainText(), QStringLiteral("b c"));
  }

  void LibraryErrorsShowAStopBox_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not a regular file") << "fifo"
                                        << "Cannot open file"
                                        << "It is a pipe, not a regular file";
    QTest::newRow("a folder of that name")
        << "folder"
        << "Cannot create file" << QString::fromUtf8(std::strerror(EISDIR));
    QTest::newRow("no such folder")
        << "missing folder"
        << "Cannot create file" << QString::fromUtf8(std::strerror(ENOENT));
  }
  void LibraryErrorsShowAStopBox() {
    QFETCH(QString, kind);
    QFETCH(QString, action);
    QFETCH(QString, reason);
    dir_ = std::make_unique<QTemporaryDir>();
    QString path = ExamplesFile();
    if (kind == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (kind == "folder") QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("examples.txt")));
    if (kind == "missing folder") path = dir_->filePath(QStringLiteral("none/examples.txt"));

    MainWindow window(path.toStdString());
    SeenBox box;
    CloseNextBox(&box, &window);
    window.show();
    QTRY_VERIFY(box.seen);
    QCOMPARE(box.icon, QMessageBox::Critical);
    // A library that cannot be created is the built-in one all the same, and the box says so; one
    // that cannot be read gives no items.
    const bool created = action == QStringLiteral("Cannot create file");
    QCOMPARE(box.text,
             QStringLiteral("%1 \"%2\". %3%4")
                 .arg(action, path, reason,
                      created ? QStringLiteral("\nThe built-in examples are offered, but they "
                                               "could not be saved there.")
                              : QStringLiteral(".")));
    // The window opens and goes on working.
    QVERIFY(window.isVisible());
    QCOMPARE(RadioCaptions(window).size(), created ? 34 : 0);
    QVERIFY(ClickButton1(window));
    QVERIFY(Lines(Find<QPlainTextEdit>(window, "Memo5"))
                .contains(QStringLiteral("Preferred extensions")));
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::MainWindowTest)
#include "main_window_test.moc"
