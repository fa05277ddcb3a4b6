// Benchmarks of the program as a user meets it: keystrokes, option switches,
// the widest symbols, a pasted megabyte and start-up; zxing-cpp's writer
// encodes the same data as a yardstick.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <cstdio>
#include <map>
#include <string>

#include "app/barcodegenerator.h"
#include "app/fonts.h"
#include "app/platform.h"
#include "bench/yardstick.h"
#include "surface/picturebox.h"

namespace {

// Nothing here asks the user anything.
class QuietPlatform : public app::Platform {
 public:
  void message(QWidget*, const QString&, const QString&) override {}
  bool confirm(QWidget*, const QString&, const QString&) override { return false; }
  QString currentDirectory() const override { return {}; }
  bool openUrl(const QUrl&) override { return false; }
};

struct Choice {
  const char* name;
  int linear;  // Option1 index, or -1
  QRadioButton* app::Controls::*option;
  const char* twenty;  // 20 characters of valid data (a complete input for EAN/UPC)
  char32_t filler;     // repeated to make the widest symbol
};

const Choice kChoices[] = {
    {"Code 39", 0, nullptr, "CODE39 BENCH 1234567", U'8'},
    {"Interleaved 2 of 5", 1, nullptr, "12345678901234567890", U'1'},
    {"Code 128", 2, nullptr, "Code 128 bench: 2026", U'A'},
    {"Codabar", 3, nullptr, "1234-5678/9012.3456+", U'1'},
    {"EAN-13", -1, &app::Controls::ean13Option, "590123412345", 0},
    {"UPC-A", -1, &app::Controls::upcaOption, "09736339584", 0},
};

std::unique_ptr<app::BarcodeGenerator> openWindow(const Choice& choice) {
  auto window = std::make_unique<app::BarcodeGenerator>(std::make_shared<QuietPlatform>());
  window->show();
  QCoreApplication::processEvents();
  const auto& ui = window->controls();
  if (choice.linear >= 0)
    ui.linearOptions[choice.linear]->setChecked(true);
  else
    (ui.*choice.option)->setChecked(true);
  return window;
}

void keystroke(benchmark::State& state, const Choice& choice) {
  auto window = openWindow(choice);
  window->controls().dataInput->setText(QString::fromLatin1(choice.twenty));
  for (auto _ : state) window->Text1_Change();
}

void optionSwitch(benchmark::State& state, const Choice& choice) {
  auto window = openWindow(choice);
  const auto& ui = window->controls();
  ui.dataInput->setText(QString::fromLatin1(choice.twenty));
  // Alternate with the next linear option so that every round is a real switch.
  QRadioButton* other = ui.linearOptions[(choice.linear + 1) % 4];
  bool toChoice = false;
  for (auto _ : state) {
    (toChoice ? ui.linearOptions[choice.linear] : other)->setChecked(true);
    toChoice = !toChoice;
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

void widest(benchmark::State& state, const Choice& choice) {
  auto window = openWindow(choice);
  const QString text = widestInput(*window, choice.filler);
  window->controls().dataInput->setText(text);
  state.counters["characters"] = text.size();
  for (auto _ : state) window->Text1_Change();
}

void pastedMegabyte(benchmark::State& state, const Choice& choice) {
  auto window = openWindow(choice);
  // The line edit lays the text out once here; the loop times the router alone.
  window->controls().dataInput->setText(QString(1 << 20, QLatin1Char('7')));
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

// Keeps each run's time so that the ratios and targets can be printed at the end.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
        microseconds[run.run_name.str()] =
            run.GetAdjustedRealTime() * (run.time_unit == benchmark::kMillisecond ? 1000 : 1);
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> microseconds;
};

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

  benchmark::RegisterBenchmark("start-up", startUp)->Unit(benchmark::kMillisecond);
  for (const Choice& c : kChoices) {
    benchmark::RegisterBenchmark((std::string("keystroke/") + c.name).c_str(), keystroke, c)
        ->Unit(benchmark::kMicrosecond);
  }
  for (const Choice& c : kChoices) {
    if (c.linear < 0) continue;
    benchmark::RegisterBenchmark((std::string("switch/") + c.name).c_str(), optionSwitch, c)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("widest/") + c.name).c_str(), widest, c)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("megabyte/") + c.name).c_str(), pastedMegabyte, c)
        ->Unit(benchmark::kMicrosecond);
  }
  bench::registerYardsticks();

  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bench::printRatios(reporter.microseconds);
  benchmark::Shutdown();
  return 0;
}
