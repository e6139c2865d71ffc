#include "app/window/wrapped_line.h"

#include <QFont>
#include <QTest>
#include <QTextLayout>

namespace dialectic {

class WrappedLineTest : public QObject {
  Q_OBJECT

 private:
  static QString Words(int count) {
    QString words;
    for (int i = 0; i < count; ++i) words += QStringLiteral("word%1 ").arg(i);
    return words;
  }

 private slots:
  void SegmentsCoverTheLineAndEndAfterABlank_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("cut_after_blanks");
    QTest::newRow("short") << QStringLiteral("a b c") << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("words") << Words(20000) << true;
    QTest::newRow("no blank at all") << QString(50000, QLatin1Char('x')) << false;
    // A pair of surrogates (one character beyond 16 bits) repeated, with no blank.
    QTest::newRow("surrogate pairs")
        << QString::fromUtf8("\xf0\x9d\x84\x9e").repeated(30001) << false;
  }
  void SegmentsCoverTheLineAndEndAfterABlank() {
    QFETCH(QString, text);
    QFETCH(bool, cut_after_blanks);
    const WrappedLine line(text, QFont(), 150, 13);
    QCOMPARE(line.Text(), text);
    QCOMPARE(line.SegmentStart(0), 0);
    QCOMPARE(line.SegmentEnd(line.SegmentCount() - 1), line.Length());
    if (text.size() > 10000) QVERIFY(line.SegmentCount() > 2);
    for (int segment = 1; segment < line.SegmentCount(); ++segment) {
      const int start = line.SegmentStart(segment);
      QVERIFY(start > line.SegmentStart(segment - 1));
      QVERIFY(!text[start].isLowSurrogate());
      if (cut_after_blanks) QCOMPARE(text[start - 1], QLatin1Char(' '));
      // Where two segments meet, the column belongs to the later one.
      QCOMPARE(line.SegmentOf(start), segment);
      QCOMPARE(line.SegmentOf(start - 1), segment - 1);
    }
    QCOMPARE(line.SegmentOf(line.Length()), line.SegmentCount() - 1);
  }

  void ASegmentIsLaidOutInRowsOfTheWidth() {
    const WrappedLine line(Words(3000), QFont(), 150, 13);
    const int last = line.SegmentCount() - 1;
    const QTextLayout& layout = line.Layout(last);
    QCOMPARE(layout.text(), line.Text().mid(line.SegmentStart(last)));
    QCOMPARE(line.RowCount(last), layout.lineCount());
    QVERIFY(line.RowCount(last) > 10);
    for (int row = 0; row < layout.lineCount(); ++row) {
      QVERIFY(layout.lineAt(row).naturalTextWidth() <= 150);
      QCOMPARE(layout.lineAt(row).y(), qreal(13 * row));
    }
    const WrappedLine empty(QString(), QFont(), 150, 13);
    QCOMPARE(empty.RowCount(0), 1);
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::WrappedLineTest)
#include "wrapped_line_test.moc"
