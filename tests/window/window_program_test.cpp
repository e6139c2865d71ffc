// The window program's edges, run as a user runs it: --help and --version answer without a
// display, and without a display the program says how to run it and exits with status 1.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

namespace dialectic {

class WindowProgramTest : public QObject {
  Q_OBJECT

 private:
  struct Ended {
    bool finished = false;
    QProcess::ExitStatus status = QProcess::CrashExit;
    int code = -1;
    QString out;
    QString err;
  };
  // Runs the program with the arguments where there is no display at all.
  static Ended RunWithoutDisplay(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      environment.remove(QLatin1String(name));
    }
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(DIALECTIC_WINDOW_PROGRAM), arguments);
    Ended ended;
    ended.finished = process.waitForFinished(30000);
    ended.status = process.exitStatus();
    ended.code = process.exitCode();
    ended.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    ended.err = QString::fromLocal8Bit(process.readAllStandardError());
    return ended;
  }

 private slots:
  void TextOptionsAnswerWithoutAWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("starts");
    QTest::newRow("--help") << QStringList{"--help"} << "Usage: dialectic [FILE]";
    QTest::newRow("-h with a file") << QStringList{"t.txt", "-h"} << "Usage: dialectic [FILE]";
    QTest::newRow("--version") << QStringList{"--version"} << "dialectic ";
  }
  void TextOptionsAnswerWithoutAWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, starts);
    const Ended ended = RunWithoutDisplay(arguments);
    QVERIFY(ended.finished);
    QCOMPARE(ended.status, QProcess::NormalExit);
    QCOMPARE(ended.code, 0);
    QVERIFY2(ended.out.startsWith(starts), qPrintable(ended.out));
    QVERIFY2(ended.err.isEmpty(), qPrintable(ended.err));
  }

  void WithoutADisplayItSaysHowToRunAndExitsOne() {
    const Ended ended = RunWithoutDisplay({});
    QVERIFY(ended.finished);
    QCOMPARE(ended.status, QProcess::NormalExit);
    QCOMPARE(ended.code, 1);
    QVERIFY2(ended.err.contains(QStringLiteral("xvfb-run dialectic")), qPrintable(ended.err));
  }

  void AnUnknownOptionIsAUsageError() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(DIALECTIC_WINDOW_PROGRAM), {QStringLiteral("--bogus")});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(process.readAllStandardError().contains("unknown option --bogus"));
  }
};

}  // namespace dialectic

QTEST_GUILESS_MAIN(dialectic::WindowProgramTest)
#include "window_program_test.moc"
