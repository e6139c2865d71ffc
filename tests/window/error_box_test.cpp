#include "app/window/error_box.h"

#include <QTest>
#include <string>

namespace dialectic {

class ErrorBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void TextEndsInOneFullStop_data() {
    QTest::addColumn<QByteArray>("what");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no full stop") << QByteArray("Cannot open file \"/x\". Invalid argument")
                                  << QStringLiteral("Cannot open file \"/x\". Invalid argument.");
    QTest::newRow("full stop kept") << QByteArray("Disk full.") << QStringLiteral("Disk full.");
    QTest::newRow("ends in a quote")
        << QByteArray("Cannot read \"a.\"") << QStringLiteral("Cannot read \"a.\".");
    QTest::newRow("utf-8 path") << QByteArray("Cannot create file \"/tmp/\xc3\xa4\". No such file")
                                << QString::fromUtf8(
                                       "Cannot create file \"/tmp/ä\". No such file.");
    QTest::newRow("empty") << QByteArray() << QStringLiteral(".");
  }
  void TextEndsInOneFullStop() {
    QFETCH(QByteArray, what);
    QFETCH(QString, shown);
    QCOMPARE(ErrorBoxText(std::string(what.constData(), static_cast<std::size_t>(what.size()))),
             shown);
  }
};

}  // namespace dialectic

QTEST_MAIN(dialectic::ErrorBoxTest)
#include "error_box_test.moc"
