// The radio group's column of items: every caption on a button of its own while they fit, else
// whole readable rows beside a scroll bar that scrolls the captions over them; clicks, the choice,
// the wheel and the arrow keys follow the items, not the rows; and a window over a library of
// thousands of captions chooses one far down the list.
#include "app/window/radio_column.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <memory>
#include <string>

#include "tests/window/window_test_support.h"

namespace dialectic {

namespace {

StringList Captions(int count) {
  StringList captions;
  for (int i = 0; i < count; ++i) captions.push_back("Example " + std::to_string(i));
  return captions;
}

}  // namespace

class RadioColumnTest : public WindowTestBase {
  Q_OBJECT

  // A group box of the window's size and font, shown, holding a column over the captions.
  struct Column {
    explicit Column(const StringList& captions_in) : captions(captions_in) {
      QFont font(QStringLiteral("DejaVu Sans"));
      font.setPointSize(8);
      group.setFont(font);
      group.setGeometry(724, 41, 208, 640);
      column = std::make_unique<RadioColumn>(group, captions);
      group.show();
    }
    QScrollBar* ScrollBar() const { return group.findChild<QScrollBar*>(); }

    StringList captions;
    QGroupBox group;
    std::unique_ptr<RadioColumn> column;
  };

 private slots:
  void RowsAreReadableAndShowTheirItems_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("one") << 1 << false;
    QTest::newRow("the built-in library") << 34 << false;
    QTest::newRow("just too many") << 40 << true;
    QTest::newRow("a hundred thousand") << 100000 << true;
  }
  void RowsAreReadableAndShowTheirItems() {
    QFETCH(int, count);
    QFETCH(bool, scrolls);
    const Column c(Captions(count));
    const std::vector<QRadioButton*>& buttons = c.column->Buttons();
    QCOMPARE(c.ScrollBar() != nullptr, scrolls);
    QCOMPARE(static_cast<int>(buttons.size()) < count, scrolls);
    const QRect inside = c.group.contentsRect();
    for (std::size_t row = 0; row < buttons.size(); ++row) {
      const QRect place = buttons[row]->geometry();
      QVERIFY(inside.contains(place));
      QVERIFY(place.height() >= buttons[row]->fontMetrics().height() + 4);
      QVERIFY(buttons[row]->sizeHint().width() <= place.width());
      if (row > 0) QVERIFY(place.top() > buttons[row - 1]->geometry().bottom());
      if (scrolls) QVERIFY(!place.intersects(c.ScrollBar()->geometry()));
      QCOMPARE(buttons[row]->text(), QStringLiteral("Example %1").arg(row));
    }
    if (!scrolls) return;
    QCOMPARE(c.ScrollBar()->maximum(), count - static_cast<int>(buttons.size()));
    c.ScrollBar()->setValue(c.ScrollBar()->maximum());
    QCOMPARE(buttons.back()->text(), QStringLiteral("Example %1").arg(count - 1));
  }

  void ClicksAndTheChoiceFollowTheItems() {
    const Column c(Captions(1000));
    QSignalSpy clicked(c.column.get(), &RadioColumn::ItemClicked);
    c.column->ScrollTo(503);
    const int first = c.column->FirstShown();
    QVERIFY(first > 0 && first <= 503);
    QRadioButton* button = c.column->Buttons()[static_cast<std::size_t>(503 - first)];
    QCOMPARE(button->text(), QStringLiteral("Example 503"));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.front().front().toInt(), 503);

    c.column->ShowChoice(503);
    QVERIFY(button->isChecked());
    QCOMPARE(c.column->FocusButton(), button);
    // Scrolled one row on, the choice moves up a row with its item; scrolled away, nothing shows
    // as chosen and the top row stands for the group.
    c.ScrollBar()->setValue(first + 1);
    QVERIFY(!button->isChecked());
    QVERIFY(c.column->Buttons()[static_cast<std::size_t>(503 - first - 1)]->isChecked());
    c.ScrollBar()->setValue(0);
    for (const QRadioButton* each : c.column->Buttons()) QVERIFY(!each->isChecked());
    QCOMPARE(c.column->FocusButton(), c.column->Buttons().front());
  }

  void TheWheelOverTheItemsScrolls() {
    const Column c(Captions(1000));
    QRadioButton* button = c.column->Buttons()[2];
    const QPointF at(10, 5);
    QWheelEvent wheel(at, button->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(button, &wheel);
    QVERIFY(c.column->FirstShown() > 0);
    QCOMPARE(c.column->Buttons().front()->text(),
             QStringLiteral("Example %1").arg(c.column->FirstShown()));
  }

  void ArrowKeysPastTheEdgeRowsScrollAndMoveTheChoice() {
    const Column c(Captions(1000));
    QSignalSpy clicked(c.column.get(), &RadioColumn::ItemClicked);
    const int rows = static_cast<int>(c.column->Buttons().size());
    QRadioButton* bottom = c.column->Buttons().back();
    c.column->ShowChoice(rows - 1);
    bottom->setFocus();
    QTest::keyClick(bottom, Qt::Key_Down);
    QCOMPARE(c.column->FirstShown(), 1);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.front().front().toInt(), rows);
    QCOMPARE(bottom->text(), QStringLiteral("Example %1").arg(rows));

    // Up on the top row of a list at its start does nothing.
    c.ScrollBar()->setValue(0);
    QTest::keyClick(c.column->Buttons().front(), Qt::Key_Up);
    QCOMPARE(c.column->FirstShown(), 0);
  }

  void WindowOverALargeLibraryChoosesAnItemFarDown() {
    dir_ = std::make_unique<QTemporaryDir>();
    QFile file(ExamplesFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int i = 0; i < 5000; ++i)
      file.write(QStringLiteral("#Example %1\r\nx%1 y\r\n").arg(i).toUtf8());
    file.close();
    MainWindow window(ExamplesFile().toStdString());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* scroll_bar = Find<QGroupBox>(window, "RadioGroup1")->findChild<QScrollBar*>();
    QVERIFY(scroll_bar != nullptr);
    scroll_bar->setValue(4990);
    QRadioButton* item = Item(window, "Example 4993");
    QVERIFY(item != nullptr);
    QVERIFY(Choose(window, item));
    QCOMPARE(window.form().RadioItemIndex, 4993);
    QVERIFY(item->isChecked());
    QCOMPARE(Find<QPlainTextEdit>(window, "Memo1")->toPlainText(), QStringLiteral("x4993 y"));
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::RadioColumnTest)
#include "radio_column_test.moc"
