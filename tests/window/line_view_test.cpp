#include "app/window/line_view.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <cstdio>
#include <string>

namespace dialectic {

namespace {

constexpr int kLineCount = 1000000;

// Line i of the generated text: "L0000123 ab" and so on, short enough never to wrap.
std::string GeneratedLine(int i) {
  char line[32];
  std::snprintf(line, sizeof line, "L%07d ab", i);
  return line;
}

QString Shown(int i) { return QString::fromStdString(GeneratedLine(i)); }

}  // namespace

class LineViewTest : public QObject {
  Q_OBJECT

 private:
  // A view of the size of the trace area over the generated million lines, shown and focused.
  void OpenView() {
    view_ = std::make_unique<LineView>();
    view_->resize(165, 613);
    view_->SetLines(&lines_);
    view_->show();
    view_->activateWindow();
    view_->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(view_.get()));
  }
  // The middle of the row at the given place from the top of the view.
  QPoint RowPoint(int row, int x) const {
    return QPoint(x, 4 + row * view_->fontMetrics().height() + view_->fontMetrics().height() / 2);
  }

  LineList lines_;
  std::unique_ptr<LineView> view_;

 private slots:
  void initTestCase() {
    for (int i = 0; i < kLineCount; ++i) lines_.Add(GeneratedLine(i));
  }
  void init() { OpenView(); }
  void cleanup() { view_.reset(); }

  void ShowsEveryLineFromTheTop() {
    QCOMPARE(view_->LineCount(), kLineCount);
    QCOMPARE(view_->TopLine(), 0);
    QCOMPARE(view_->LineText(kLineCount - 1), Shown(kLineCount - 1));
    // The scroll bar counts lines; at its end the last line stands at the bottom.
    const QScrollBar* scroll = view_->verticalScrollBar();
    QVERIFY(scroll->maximum() > kLineCount - 60);
    QVERIFY(scroll->maximum() < kLineCount - 20);
    view_->ScrollToLine(kLineCount / 2);
    QCOMPARE(view_->TopLine(), kLineCount / 2);
    QCOMPARE(scroll->value(), kLineCount / 2);
    view_->ScrollToLine(kLineCount);
    QCOMPARE(view_->TopLine(), scroll->maximum());
    QVERIFY(!view_->grab().isNull());
  }

  void KeysMoveTheCaretAndShiftSelects_data() {
    QTest::addColumn<int>("start_line");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("caret_line");
    QTest::addColumn<int>("caret_column");
    QTest::addColumn<QString>("selected");
    QTest::newRow("down twice") << 0 << QKeySequence("Down, Down") << 2 << 0 << "";
    QTest::newRow("shift down twice") << 0 << QKeySequence("Shift+Down, Shift+Down") << 2 << 0
                                      << Shown(0) + "\n" + Shown(1) + "\n";
    QTest::newRow("shift end") << 5 << QKeySequence("Shift+End") << 5 << 11 << Shown(5);
    QTest::newRow("right at the end goes on")
        << 5 << QKeySequence("End, Right, Shift+Right") << 6 << 1 << "L";
    QTest::newRow("left at the start goes back")
        << 5 << QKeySequence("Shift+Left, Shift+Left") << 4 << 10 << "b\n";
    QTest::newRow("text end") << 0 << QKeySequence("Ctrl+End") << kLineCount - 1 << 11 << "";
    QTest::newRow("select to the start")
        << 3 << QKeySequence("End, Shift+Ctrl+Home") << 0 << 0
        << Shown(0) + "\n" + Shown(1) + "\n" + Shown(2) + "\n" + Shown(3);
    QTest::newRow("up at the top") << 0 << QKeySequence("Up") << 0 << 0 << "";
  }
  void KeysMoveTheCaretAndShiftSelects() {
    QFETCH(int, start_line);
    QFETCH(QKeySequence, keys);
    QFETCH(int, caret_line);
    QFETCH(int, caret_column);
    QFETCH(QString, selected);
    view_->Select({start_line, 0}, {start_line, 0});
    for (int i = 0; i < keys.count(); ++i) QTest::keySequence(view_.get(), QKeySequence(keys[i]));
    QCOMPARE(view_->Caret().line, caret_line);
    QCOMPARE(view_->Caret().column, caret_column);
    QCOMPARE(view_->SelectedText(), selected);
  }

  void PagesAndTheTextEndScrollTheCaretIntoView() {
    QTest::keyClick(view_.get(), Qt::Key_PageDown);
    const int page = view_->Caret().line;
    QVERIFY(page > 30);
    QCOMPARE(view_->TopLine(), page);
    QTest::keyClick(view_.get(), Qt::Key_End, Qt::ControlModifier);
    QVERIFY(view_->TopLine() > kLineCount - page - 1);
    QTest::keyClick(view_.get(), Qt::Key_PageUp);
    QCOMPARE(view_->Caret().line, kLineCount - 1 - page);
    QTest::keyClick(view_.get(), Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(view_->TopLine(), 0);
  }

  void CopyPutsTheSelectionOnTheClipboard() {
    view_->Select({10, 3}, {12, 2});
    QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             Shown(10).mid(3) + "\n" + Shown(11) + "\n" + Shown(12).left(2));

    // Backward selections copy the same.
    view_->Select({12, 2}, {10, 3});
    QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             Shown(10).mid(3) + "\n" + Shown(11) + "\n" + Shown(12).left(2));

    QTest::keyClick(view_.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
    const QString all = QGuiApplication::clipboard()->text();
    QCOMPARE(all.size(), qsizetype{kLineCount} * 11 + kLineCount - 1);
    QVERIFY(all.startsWith(Shown(0) + "\n" + Shown(1) + "\n"));
    QVERIFY(all.endsWith("\n" + Shown(kLineCount - 1)));
    QCOMPARE(all.mid(500000 * 12, 11), Shown(500000));
  }

  void MouseSelectsRowsAndWords() {
    view_->ScrollToLine(1000);
    QTest::mousePress(view_->viewport(), Qt::LeftButton, {}, RowPoint(2, 5));
    QTest::mouseMove(view_->viewport(), RowPoint(4, 200));
    QTest::mouseRelease(view_->viewport(), Qt::LeftButton, {}, RowPoint(4, 200));
    QCOMPARE(view_->Anchor().line, 1002);
    QCOMPARE(view_->Anchor().column, 0);
    QCOMPARE(view_->Caret().line, 1004);
    QCOMPARE(view_->SelectedText(), Shown(1002) + "\n" + Shown(1003) + "\n" + Shown(1004));
    // Shift+click moves the caret and keeps the anchor.
    QTest::mouseClick(view_->viewport(), Qt::LeftButton, Qt::ShiftModifier, RowPoint(0, 2));
    QCOMPARE(view_->SelectedText(), Shown(1000) + "\n" + Shown(1001) + "\n");
    QTest::mouseDClick(view_->viewport(), Qt::LeftButton, {}, RowPoint(3, 10));
    QCOMPARE(view_->SelectedText(), QStringLiteral("L0001003"));
  }

  void FindSelectsTheNextPlaceAroundTheEnd_data() {
    QTest::addColumn<int>("from_line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<int>("found_line");
    QTest::addColumn<int>("found_column");
    QTest::newRow("far down") << 0 << "L0999998" << false << 999998 << 0;
    QTest::newRow("letter case ignored") << 0 << "l0000005 AB" << false << 5 << 0;
    QTest::newRow("within a line") << 7 << "ab" << false << 7 << 9;
    QTest::newRow("around the end") << 999999 << "L0000002" << false << 2 << 0;
    QTest::newRow("backward around the start") << 3 << "L0999990" << true << 999990 << 0;
    QTest::newRow("backward") << 20 << "00001" << true << 19 << 2;
  }
  void FindSelectsTheNextPlaceAroundTheEnd() {
    QFETCH(int, from_line);
    QFETCH(QString, text);
    QFETCH(bool, backward);
    QFETCH(int, found_line);
    QFETCH(int, found_column);
    view_->Select({from_line, 0}, {from_line, 0});
    QVERIFY(view_->Find(text, backward));
    QCOMPARE(view_->Anchor().line, found_line);
    QCOMPARE(view_->Anchor().column, found_column);
    QCOMPARE(view_->SelectedText().toLower(), text.toLower());
    QVERIFY(view_->TopLine() <= found_line);
    QVERIFY(view_->TopLine() + 60 > found_line);
  }

  void FindWithoutAPlaceKeepsTheSelection() {
    view_->Select({4, 1}, {4, 3});
    QVERIFY(!view_->Find(QStringLiteral("L1"), false));
    QVERIFY(!view_->Find(QStringLiteral("ab\n"), true));
    QCOMPARE(view_->SelectedText(), QStringLiteral("00"));
  }

  // Each edit replaces the lines it touches in the list itself; the rows give the first five
  // lines afterwards.
  void EditsChangeTheListInPlace_data() {
    QTest::addColumn<QPoint>("anchor");  // line, column
    QTest::addColumn<QPoint>("caret");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QStringList>("first_lines");
    QTest::addColumn<QPoint>("caret_after");
    const QString l0 = Shown(0), l1 = Shown(1), l2 = Shown(2), l3 = Shown(3), l4 = Shown(4),
                  l5 = Shown(5), l6 = Shown(6);
    QTest::newRow("typing") << QPoint(1, 8) << QPoint(1, 8) << "XY" << QKeySequence()
                            << QStringList{l0, "L0000001XY ab", l2, l3, l4} << QPoint(1, 10);
    QTest::newRow("typing over a selection")
        << QPoint(1, 0) << QPoint(1, 8) << "z" << QKeySequence()
        << QStringList{l0, "z ab", l2, l3, l4} << QPoint(1, 1);
    QTest::newRow("Return splits") << QPoint(1, 8) << QPoint(1, 8) << "" << QKeySequence("Return")
                                   << QStringList{l0, "L0000001", " ab", l2, l3} << QPoint(2, 0);
    QTest::newRow("Backspace at a line start joins")
        << QPoint(2, 0) << QPoint(2, 0) << "" << QKeySequence("Backspace")
        << QStringList{l0, l1 + l2, l3, l4, l5} << QPoint(1, 11);
    QTest::newRow("Delete at a line end joins")
        << QPoint(1, 11) << QPoint(1, 11) << "" << QKeySequence("Delete")
        << QStringList{l0, l1 + l2, l3, l4, l5} << QPoint(1, 11);
    QTest::newRow("Backspace deletes a selection over lines")
        << QPoint(1, 3) << QPoint(3, 2) << "" << QKeySequence("Backspace")
        << QStringList{l0, "L00" + l3.mid(2), l4, l5, l6} << QPoint(1, 3);
    QTest::newRow("cut") << QPoint(2, 0) << QPoint(1, 0) << "" << QKeySequence("Ctrl+X")
                         << QStringList{l0, l2, l3, l4, l5} << QPoint(1, 0);
    QTest::newRow("copy changes nothing")
        << QPoint(1, 0) << QPoint(2, 0) << "" << QKeySequence("Ctrl+C")
        << QStringList{l0, l1, l2, l3, l4} << QPoint(2, 0);
  }
  void EditsChangeTheListInPlace() {
    QFETCH(QPoint, anchor);
    QFETCH(QPoint, caret);
    QFETCH(QString, typed);
    QFETCH(QKeySequence, key);
    QFETCH(QStringList, first_lines);
    QFETCH(QPoint, caret_after);
    LineList edited = lines_;
    const std::string_view far_line = edited.Get(900000);
    view_->SetEditableLines(&edited);
    view_->Select({anchor.x(), anchor.y()}, {caret.x(), caret.y()});
    if (!typed.isEmpty()) QTest::keyClicks(view_.get(), typed);
    if (!key.isEmpty()) QTest::keySequence(view_.get(), key);
    QStringList shown;
    for (int line = 0; line < 5; ++line) {
      shown << QString::fromStdString(std::string(edited.Get(line)));
      QCOMPARE(view_->LineText(line), shown.back());
    }
    QCOMPARE(shown, first_lines);
    QCOMPARE(view_->Caret().line, caret_after.x());
    QCOMPARE(view_->Caret().column, caret_after.y());
    QVERIFY(!view_->HasSelection() || key == QKeySequence("Ctrl+C"));
    // Lines far from the edit stay where they are in the store.
    const int moved = edited.Count() - kLineCount;
    QCOMPARE(edited.Get(900000 + moved).data(), far_line.data());
    QCOMPARE(view_->LineCount(), edited.Count());
  }

  void PasteInsertsTheClipboardsLines() {
    LineList edited = lines_;
    view_->SetEditableLines(&edited);
    QGuiApplication::clipboard()->setText(QStringLiteral("p\r\nq"));
    view_->Select({1, 0}, {1, 0});
    QTest::keyClick(view_.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edited.Count(), kLineCount + 1);
    QCOMPARE(edited.Get(1), "p");
    QCOMPARE(QString::fromStdString(std::string(edited.Get(2))), "q" + Shown(1));
    QCOMPARE(view_->Caret().line, 2);
    QCOMPARE(view_->Caret().column, 1);
  }

  void AViewNotGivenTheLinesToEditChangesNothing() {
    for (const QKeySequence& key : {QKeySequence("x"), QKeySequence("Return"),
                                    QKeySequence("Backspace"), QKeySequence("Ctrl+V")}) {
      QTest::keySequence(view_.get(), key);
    }
    QCOMPARE(view_->LineCount(), kLineCount);
    QCOMPARE(view_->LineText(0), Shown(0));
    QCOMPARE(lines_.Get(0), GeneratedLine(0));
  }

  // A line longer than the view wraps into rows, and keys and scrolling go through its rows.
  void ALongLineWrapsAndScrollsByRows() {
    LineList long_line;
    std::string words;
    for (int i = 0; i < 3000; ++i) words += "word" + std::to_string(i) + " ";
    long_line.Add("first");
    long_line.Add(words);
    long_line.Add("last");
    view_->SetLines(&long_line);
    QTest::keyClick(view_.get(), Qt::Key_Down);
    QCOMPARE(view_->Caret().line, 1);
    QTest::keyClick(view_.get(), Qt::Key_PageDown);
    QCOMPARE(view_->Caret().line, 1);
    const int paged_column = view_->Caret().column;
    QVERIFY(paged_column > 100);
    QTest::keyClick(view_.get(), Qt::Key_Down);
    QVERIFY(view_->Caret().column > paged_column);
    // End stops before the blank at which the row wraps.
    QTest::keyClick(view_.get(), Qt::Key_End);
    QCOMPARE(view_->LineText(1).at(view_->Caret().column), QChar(u' '));
    QTest::keyClick(view_.get(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(view_->Caret().line, 2);
    QCOMPARE(view_->TopLine(), 1);
  }

  // A line of many segments moves, selects and copies as a short one does, also where its
  // segments meet.
  void AVeryLongLineActsAsOne() {
    LineList very_long;
    std::string words;
    for (int i = 0; i < 20000; ++i) words += "w" + std::to_string(i) + " ";
    very_long.Add("first");
    very_long.Add(words);
    very_long.Add("last");
    view_->SetLines(&very_long);
    const QString line = view_->LineText(1);
    QCOMPARE(line.size(), qsizetype(words.size()));

    // Right steps one character at a time through the whole line.
    view_->Select({1, 4000}, {1, 4000});
    for (int column = 4001; column <= 4300; ++column) {
      QTest::keyClick(view_.get(), Qt::Key_Right);
      QCOMPARE(view_->Caret().column, column);
    }
    for (int column = 4299; column >= 4000; --column) {
      QTest::keyClick(view_.get(), Qt::Key_Left);
      QCOMPARE(view_->Caret().column, column);
    }
    // Down goes row by row, always further along, until the next line.
    view_->Select({1, 0}, {1, 0});
    int column = 0;
    for (int row = 0; row < 20000 && view_->Caret().line == 1; ++row) {
      QTest::keyClick(view_.get(), Qt::Key_Down);
      if (view_->Caret().line != 1) break;
      QVERIFY(view_->Caret().column > column);
      column = view_->Caret().column;
    }
    QCOMPARE(view_->Caret().line, 2);
    QVERIFY(column > line.size() - 40);

    view_->Select({1, 3000}, {1, 9000});
    QCOMPARE(view_->SelectedText(), line.mid(3000, 6000));
    QVERIFY(view_->Find(QStringLiteral("w19999 "), false));
    QCOMPARE(view_->Anchor().column, line.indexOf(QStringLiteral("w19999 ")));
    QVERIFY(!view_->grab().isNull());
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::LineViewTest)
#include "line_view_test.moc"
