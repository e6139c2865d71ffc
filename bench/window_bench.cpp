// The window with a trace of about a million lines: the time from a click on "Do your thing"
// until every area shows the run's result, beside the run alone on the toolkit-free form. The
// difference is what the window adds to show the areas. Runs on Qt's offscreen platform unless
// QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/window/main_window.h"
#include "bench/theory_generators.h"
#include "frontend/form.h"

namespace dialectic {
namespace {

// A chain this long traces about 400 lines for each of its arguments at depth 100.
constexpr int kChainLength = 2600;

std::string JoinedLines(const StringList& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

void RunOnForm(benchmark::State& state) {
  TForm1 form;
  form.Edit1 = "100";
  form.Memo1.AddStrings(ChainTheory(kChainLength));
  for (auto _ : state) form.Button1Click();
  state.counters["trace_lines"] = form.Memo3.Count();
}

void ClickInWindow(benchmark::State& state) {
  QTemporaryDir dir;
  MainWindow window((dir.path() + "/examples.txt").toStdString());
  window.show();
  window.findChild<QPlainTextEdit*>("Memo1")->setPlainText(
      QString::fromUtf8(JoinedLines(ChainTheory(kChainLength))));
  auto* button = window.findChild<QPushButton*>("Button1");
  for (auto _ : state) {
    button->click();
    QApplication::processEvents();
  }
  state.counters["trace_lines"] = window.form().Memo3.Count();
  state.counters["widget_blocks"] = window.findChild<QPlainTextEdit*>("Memo3")->blockCount();
}

BENCHMARK(RunOnForm)->Unit(benchmark::kMillisecond);
BENCHMARK(ClickInWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dialectic

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
