// The window on long runs, on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise: the
// time from a click on "Do your thing" until every area shows the first lines of the run's result,
// for chains of 2,000 and 10,000 arguments with the trace on, beside the run alone on the
// toolkit-free form; the longest the window's thread was kept from its timers meanwhile; the
// process's peak memory; and a click on the two-argument even cycle right after the long chain.
//
// Counters: trace_lines and text_mb (the four result areas' characters and line breaks, in MB of
// 10^6 bytes), process_cpu_s (the CPU time of all the process's threads per click or run, steadier
// than wall time on a shared machine), max_gap_ms (the longest gap between ticks of a 10 ms timer
// during the click), peak_rss_mb (the process's peak resident set so far, from getrusage; run one
// benchmark per process to read it for that benchmark alone). ClickUntilShown clicks twice in the
// same window, so that the second run replaces the first one's areas. EvenCycleAfterLongChain also
// gives elapsed_figure_ms, the largest "N ms elapsed" the even cycle's run writes, which is 0 after
// a fresh start.
//
// GraphLayoutUntilShown gives the Graph window a theory of N arguments (a chain, or a random graph
// with about 1.5 attacks per argument and some cycles) and serves the event loop until its layout
// shows: wall time per theory, layout_engine (1 dot, 2 sfdp, 3 neato) and max_gap_ms as above;
// recolour_ms is the time to show another labeling on the drawn nodes, painted at once. The CPU
// column is the window thread's.
//
// SemanticsListingUntilEnded gives the Semantics window a theory (kind 0 a chain, 1 the random
// graph above, 2 that many even cycles of two arguments) under a semantics (by its number in the
// engine: 1 complete, 3 preferred, 5 stage, 7 admissible) and serves the event loop until the
// listing and the acceptance table are complete: wall time per theory, the extensions found and
// listed, and max_gap_ms as above.
//
// OpenWithLargeLibrary opens the window over an example library of 800,000 captions.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>

#include "app/window/graph_window.h"
#include "app/window/main_window.h"
#include "app/window/semantics_panel.h"
#include "formats/generators.h"
#include "frontend/form.h"
#include "frontend/text_area.h"
#include "graph/node_states.h"
#include "model/theory_text.h"

namespace dialectic {
namespace {

double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

// User and system time of every thread of the process so far, in seconds.
double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double ResultTextMb(const TForm1& form) {
  double bytes = 0;
  for (const TextArea* area : {&form.Memo2, &form.Memo3, &form.Memo4, &form.Memo5}) {
    bytes += static_cast<double>(area->CharacterCount() + static_cast<std::size_t>(area->Count()));
  }
  return bytes / 1e6;
}

// The largest of the run's own "N ms elapsed" figures in the result areas.
double LargestElapsedFigure(const TForm1& form) {
  double largest = 0;
  for (const TextArea* area : {&form.Memo4, &form.Memo5}) {
    for (std::string_view line : *area) {
      if (line.ends_with(" ms elapsed")) largest = std::max(largest, std::stod(std::string(line)));
    }
  }
  return largest;
}

QString JoinedLines(const StringList& lines) {
  QString text;
  for (const std::string& line : lines) text += QString::fromStdString(line) + '\n';
  return text;
}

// Ticks every 10 ms on the window's thread and keeps the longest gap between two ticks.
class TickWatch {
 public:
  TickWatch() {
    QObject::connect(&timer_, &QTimer::timeout,
                     [this] { longest_ = std::max(longest_, clock_.restart()); });
  }
  void Start() {
    longest_ = 0;
    clock_.start();
    timer_.start(10);
  }
  // The longest gap, counting the time since the last tick as well.
  qint64 Stop() {
    timer_.stop();
    return std::max(longest_, clock_.elapsed());
  }

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 longest_ = 0;
};

// A window over a fresh example library, ready for clicks on "Do your thing".
class BenchWindow {
 public:
  BenchWindow() : window_((dir_.path() + "/examples.txt").toStdString()) { window_.show(); }

  void SetInput(const StringList& lines) {
    window_.findChild<QPlainTextEdit*>("Memo1")->setPlainText(JoinedLines(lines));
  }
  // Clicks and waits, serving the event loop, until the run has ended and its areas show.
  void ClickUntilShown() {
    window_.findChild<QPushButton*>("Button1")->click();
    while (window_.IsRunning()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  const TForm1& Form() const { return window_.form(); }

 private:
  QTemporaryDir dir_;
  MainWindow window_;
};

void RunOnForm(benchmark::State& state) {
  TForm1 form;
  form.Edit1 = "100";
  form.Memo1.AddStrings(ChainTheory(static_cast<int>(state.range(0))));
  const double cpu_before = ProcessCpuSeconds();
  for (auto _ : state) form.Button1Click();
  state.counters["process_cpu_s"] =
      (ProcessCpuSeconds() - cpu_before) / static_cast<double>(state.iterations());
  state.counters["trace_lines"] = form.Memo3.Count();
  state.counters["text_mb"] = ResultTextMb(form);
}

void ClickUntilShown(benchmark::State& state) {
  BenchWindow window;
  window.SetInput(ChainTheory(static_cast<int>(state.range(0))));
  TickWatch ticks;
  qint64 max_gap = 0;
  const double cpu_before = ProcessCpuSeconds();
  for (auto _ : state) {
    ticks.Start();
    window.ClickUntilShown();
    max_gap = std::max(max_gap, ticks.Stop());
  }
  state.counters["process_cpu_s"] =
      (ProcessCpuSeconds() - cpu_before) / static_cast<double>(state.iterations());
  state.counters["trace_lines"] = window.Form().Memo3.Count();
  state.counters["text_mb"] = ResultTextMb(window.Form());
  state.counters["max_gap_ms"] = static_cast<double>(max_gap);
  state.counters["peak_rss_mb"] = PeakRssMb();
}

// The two-argument even cycle, each time right after the chain of 10,000 arguments.
void EvenCycleAfterLongChain(benchmark::State& state) {
  BenchWindow window;
  TickWatch ticks;
  qint64 max_gap = 0;
  for (auto _ : state) {
    state.PauseTiming();
    window.SetInput(ChainTheory(10000));
    window.ClickUntilShown();
    window.SetInput({"a b, b a"});
    state.ResumeTiming();
    ticks.Start();
    window.ClickUntilShown();
    max_gap = std::max(max_gap, ticks.Stop());
  }
  state.counters["max_gap_ms"] = static_cast<double>(max_gap);
  state.counters["elapsed_figure_ms"] = LargestElapsedFigure(window.Form());
}

TTheory GraphWorkload(int kind, int size) {
  StringList lines;
  if (kind == 0) {
    lines = ChainTheory(size);
  } else {
    SeededRandom random(7);
    GraphShape shape;
    shape.min_args = shape.max_args = size;
    shape.attacker_count_percent = {10, 40, 40, 10};
    shape.back_attacker_percent = 10;
    shape.max_cyclic_args = size;
    lines = GraphTheory(RandomAttackGraph(random, shape), PlainNames(size), 8);
  }
  TextArea input;
  input.AddStrings(lines);
  TTheory theory;
  ParseInput(input, theory);
  return theory;
}

void GraphLayoutUntilShown(benchmark::State& state) {
  const TTheory theory =
      GraphWorkload(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  GraphWindow graph;
  graph.show();
  TickWatch ticks;
  qint64 max_gap = 0;
  double recolour_ms = 0;
  for (auto _ : state) {
    ticks.Start();
    graph.SetTheory(theory);
    while (!graph.IsLaidOut()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();  // the first paint of the drawn graph
    max_gap = std::max(max_gap, ticks.Stop());
    QElapsedTimer recolour;
    recolour.start();
    graph.ShowStates(GroundedStates(theory), -1, QStringLiteral("grounded"));
    graph.repaint();
    recolour_ms = static_cast<double>(recolour.nsecsElapsed()) / 1e6;
  }
  const std::string engine = graph.LayoutEngine();
  state.counters["layout_engine"] = engine == "dot" ? 1 : engine == "sfdp" ? 2 : 3;
  state.counters["attacks"] = static_cast<double>(graph.Graph().Attacks().size());
  state.counters["max_gap_ms"] = static_cast<double>(max_gap);
  state.counters["recolour_ms"] = recolour_ms;
}

void SemanticsListingUntilEnded(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  const int size = static_cast<int>(state.range(1));
  TTheory theory;
  if (kind == 2) {
    TextArea input;
    input.AddStrings(EvenCyclesTheory(size));
    ParseInput(input, theory);
  } else {
    theory = GraphWorkload(kind, size);
  }
  const auto framework = std::make_shared<const Framework>(FrameworkOfTheory(theory));
  SemanticsPanel panel;
  panel.SetSemantics(static_cast<exact::Semantics>(state.range(2)));
  panel.show();
  while (panel.IsWorking()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  TickWatch ticks;
  qint64 max_gap = 0;
  for (auto _ : state) {
    ticks.Start();
    panel.SetFramework(framework);
    while (panel.IsWorking()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    max_gap = std::max(max_gap, ticks.Stop());
  }
  state.counters["found"] = static_cast<double>(panel.Shown().found);
  state.counters["listed"] = static_cast<double>(panel.Shown().listed.size());
  state.counters["max_gap_ms"] = static_cast<double>(max_gap);
}

// Opening the window over a library of that many captions, each with one theory line: from the
// constructor until the window is shown and its events are served. The library file is written
// once, outside the timing.
void OpenWithLargeLibrary(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string path = (dir.path() + "/examples.txt").toStdString();
  {
    std::string text;
    for (std::int64_t i = 0; i < state.range(0); ++i) {
      text += "#Example " + std::to_string(i) + "\r\na" + std::to_string(i) + " b\r\n";
    }
    std::ofstream(path, std::ios::binary) << text;
  }
  const double cpu_before = ProcessCpuSeconds();
  for (auto _ : state) {
    MainWindow window(path);
    window.show();
    QApplication::processEvents();
  }
  state.counters["process_cpu_s"] =
      (ProcessCpuSeconds() - cpu_before) / static_cast<double>(state.iterations());
  state.counters["peak_rss_mb"] = PeakRssMb();
}

BENCHMARK(RunOnForm)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
// Two clicks, so that the second one replaces the first one's huge areas.
BENCHMARK(ClickUntilShown)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(EvenCycleAfterLongChain)->Unit(benchmark::kMillisecond)->Iterations(1);
// Kind 0 is the chain, kind 1 the random graph; 300 arguments still get the layered layout.
BENCHMARK(GraphLayoutUntilShown)
    ->Args({0, 300})
    ->Args({1, 300})
    ->Args({0, 2000})
    ->Args({1, 2000})
    ->Args({1, 5000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime();

BENCHMARK(SemanticsListingUntilEnded)
    ->Args({2, 20, 3})
    ->Args({2, 20, 7})
    ->Args({0, 5000, 3})
    ->Args({1, 300, 3})
    ->Args({1, 2000, 3})
    ->Args({1, 300, 1})
    ->Args({1, 2000, 5})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime();

BENCHMARK(OpenWithLargeLibrary)->Arg(800000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace dialectic

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The Graph window keeps its geometry in the settings; the benchmark leaves the user's alone.
  QStandardPaths::setTestModeEnabled(true);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
