// The window with a trace of about a million lines: the time from a click on "Do your thing"
// until every area shows the run's result (the trace its first lines), and until the whole trace
// is in its editor, beside the run alone on the toolkit-free form. Runs on Qt's offscreen platform
// unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/window/main_window.h"
#include "tests/support/theory_generators.h"
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

// A window whose input is the long chain, ready for clicks on "Do your thing".
class ChainWindow {
 public:
  ChainWindow() : window_((dir_.path() + "/examples.txt").toStdString()) {
    window_.show();
    window_.findChild<QPlainTextEdit*>("Memo1")->setPlainText(
        QString::fromUtf8(JoinedLines(ChainTheory(kChainLength))));
  }
  void Click() { window_.findChild<QPushButton*>("Button1")->click(); }
  const QPlainTextEdit& Trace() const { return *window_.findChild<QPlainTextEdit*>("Memo3"); }
  int TraceLines() const { return window_.form().Memo3.Count(); }

 private:
  QTemporaryDir dir_;
  MainWindow window_;
};

// Until the click returns: the run is done and every area shows, the trace its first lines.
void ClickUntilShown(benchmark::State& state) {
  ChainWindow window;
  for (auto _ : state) {
    window.Click();
    state.PauseTiming();
    while (window.Trace().isReadOnly()) QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["trace_lines"] = window.TraceLines();
}

// Until the last line of the trace is in the editor.
void ClickUntilComplete(benchmark::State& state) {
  ChainWindow window;
  for (auto _ : state) {
    window.Click();
    while (window.Trace().isReadOnly()) QApplication::processEvents();
  }
  state.counters["trace_lines"] = window.TraceLines();
  state.counters["editor_lines"] = window.Trace().blockCount();
}

BENCHMARK(RunOnForm)->Unit(benchmark::kMillisecond);
BENCHMARK(ClickUntilShown)->Unit(benchmark::kMillisecond);
BENCHMARK(ClickUntilComplete)->Unit(benchmark::kMillisecond);

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
