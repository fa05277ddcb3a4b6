// The program's speed as a user meets it, in CPU time, next to libzint and
// zxing-cpp measured in the same run: drawing each symbol, a keystroke
// through the router with and without painting the window, the widest
// symbols, start-up and grading an export. Ends with one summary line per figure.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <cstdio>
#include <map>
#include <string>

#include "app/barcodegenerator.h"
#include "app/fonts.h"
#include "app/platform.h"
#include "bench/drawing.h"
#include "bench/options.h"
#include "surface/picturebox.h"

namespace {

using bench::Option;

using bench::QuietPlatform;

std::unique_ptr<app::BarcodeGenerator> openWindow(const Option* option = nullptr) {
  auto window = std::make_unique<app::BarcodeGenerator>(std::make_shared<QuietPlatform>());
  window->show();
  QCoreApplication::processEvents();
  if (!option) return window;
  window->optionButton(*option->choice)->setChecked(true);
  QCoreApplication::processEvents();
  return window;
}

benchmark::internal::Benchmark* timed(benchmark::internal::Benchmark* benchmark) {
  return benchmark->Unit(benchmark::kMicrosecond)
      ->MinTime(0.1)
      ->Repetitions(9)
      ->ReportAggregatesOnly(true);
}

// Counts the paint events a widget receives, to show that painting happened.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// A keystroke as typing makes it: new data each time, the router run through
// the input's change signal; painted, the window then paints what changed.
void keystroke(benchmark::State& state, const Option& option, bool painted) {
  auto window = openWindow(&option);
  QLineEdit* input = window->controls().dataInput;
  surface::PictureBox* picture = bench::pictureOf(window->controls(), option);
  unsigned n = 0;
  if (painted) {
    PaintCounter counter;
    picture->installEventFilter(&counter);
    input->setText(bench::keystrokeText(option, n++));
    QCoreApplication::processEvents();
    picture->removeEventFilter(&counter);
    if (counter.paints == 0) state.SkipWithError("the picture was not painted");
  }
  for (auto _ : state) {
    input->setText(bench::keystrokeText(option, n++));
    if (painted) QCoreApplication::processEvents();
  }
}

// The longest run of the filler character that still fits the widest picture.
QString widestInput(app::BarcodeGenerator& window, char32_t filler) {
  const auto& ui = window.controls();
  // Row 40 holds bars only: a message instead of a symbol stays in the top rows.
  auto drawsSymbol = [&](int n) {
    ui.dataInput->setText(QString(n, QChar(char16_t(filler))));
    return qGray(ui.linearPicture->Image().pixel(20, 40)) < 128;
  };
  int low = 1, high = 40000;
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (drawsSymbol(mid))
      low = mid;
    else
      high = mid - 1;
  }
  return QString(low, QChar(char16_t(filler)));
}

void widest(benchmark::State& state, const Option& option) {
  auto window = openWindow(&option);
  const QString text = widestInput(*window, option.filler);
  window->controls().dataInput->setText(text);
  state.counters["characters"] = text.size();
  for (auto _ : state) window->Text1_Change();
}

void startUp(benchmark::State& state) {
  for (auto _ : state) {
    app::BarcodeGenerator window(std::make_shared<QuietPlatform>());
    window.show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.controls().fontList->count());
  }
}

// Keeps the median CPU time of each benchmark for the summary.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      const double scale = run.time_unit == benchmark::kMillisecond ? 1000 : 1;
      microseconds[run.run_name.function_name] = run.GetAdjustedCPUTime() * scale;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> microseconds;
};

long peakResidentKilobytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  return 0;
}

void printSummary(const std::map<std::string, double>& us) {
  auto find = [&](const std::string& name) -> std::optional<double> {
    const auto found = us.find(name);
    if (found == us.end()) return std::nullopt;
    return found->second;
  };
  std::printf("\nNotes:\n");
  for (const std::string& note : bench::drawingNotes()) std::printf("  %s\n", note.c_str());
  std::printf("  peak resident memory: %ld kB\n", peakResidentKilobytes());

  struct Line {
    std::string text;
    std::optional<double> value;
    double target;
  };
  std::vector<Line> lines;
  auto ratio = [&](const std::string& what, const std::string& key, const std::string& ours,
                   const std::string& theirs, double target) {
    const auto a = find(ours), b = find(theirs);
    lines.push_back(
        {"ratio " + what + " " + key, a && b ? std::optional(*a / *b) : std::nullopt, target});
  };
  for (const Option& o : bench::options())
    ratio("draw/libzint", o.key(), std::string("draw/") + o.key() + "/ours",
          std::string("draw/") + o.key() + "/libzint", 1.0);
  for (const Option& o : bench::options())
    ratio("text/libzint", o.key(), std::string("text/") + o.key() + "/ours",
          std::string("text/") + o.key() + "/libzint", 1.0);
  for (const Option& o : bench::options())
    ratio("draw/floor", o.key(), std::string("draw/") + o.key() + "/ours",
          std::string("floor/") + o.key(), 3.0);
  for (const Option& o : bench::options())
    lines.push_back({std::string("keystroke ") + o.key(), find(std::string("keystroke/") + o.key()),
                     o.family == bench::Family::Linear ? 15.0 : 25.0});
  for (const Option& o : bench::options())
    lines.push_back({std::string("keystroke-painted ") + o.key(),
                     find(std::string("keystroke-painted/") + o.key()), 0});
  // In ms: the export dialog grades every size chosen.
  const auto grade = find("grade/code128");
  lines.push_back({"grade code128", grade ? std::optional(*grade / 1000) : std::nullopt, 50.0});

  std::printf("\nTargets:\n");
  for (const Line& line : lines) {
    if (line.target <= 0 || !line.value) continue;
    std::printf("  %-36s %8.2f  (target %.1f) %s\n", line.text.c_str(), *line.value, line.target,
                *line.value <= line.target ? "met" : "MISSED");
  }
  for (const auto& [name, time] : us) {
    if (name.rfind("widest/", 0) != 0) continue;
    std::printf("  %-36s %8.0f us  (target 2000 us) %s\n", name.c_str(), time,
                time <= 2000 ? "met" : "MISSED");
  }

  std::printf("\nSummary:\n");
  for (const Line& line : lines) {
    if (line.value)
      std::printf("%s %.*f\n", line.text.c_str(), line.text.rfind("ratio", 0) == 0 ? 2 : 1,
                  *line.value);
    else
      std::printf("%s n/a\n", line.text.c_str());
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  // Cold start, once: Qt, the fonts, the window shown with its font list filled.
  QElapsedTimer cold;
  cold.start();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  app::loadFallbackFonts();
  {
    app::BarcodeGenerator window(std::make_shared<QuietPlatform>());
    window.show();
    QCoreApplication::processEvents();
    std::printf("cold start-up to the window shown, %d fonts listed: %.1f ms\n",
                window.controls().fontList->count(), cold.nsecsElapsed() / 1e6);
  }
  benchmark::Initialize(&argc, argv);

  const auto drawingWindow = openWindow();
  bench::registerDrawing(*drawingWindow);
  for (const Option& o : bench::options()) {
    timed(benchmark::RegisterBenchmark((std::string("keystroke/") + o.key()).c_str(), keystroke, o,
                                       false));
    timed(benchmark::RegisterBenchmark((std::string("keystroke-painted/") + o.key()).c_str(),
                                       keystroke, o, true));
  }
  for (const Option& o : bench::options()) {
    if (o.family != bench::Family::Linear) continue;
    timed(benchmark::RegisterBenchmark((std::string("widest/") + o.key()).c_str(), widest, o))
        ->Repetitions(3);
  }
  benchmark::RegisterBenchmark("start-up", startUp)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(3)
      ->ReportAggregatesOnly(true);

  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printSummary(reporter.microseconds);
  benchmark::Shutdown();
  return 0;
}
