// The input at its limit: what a keystroke and a cursor blink cost with
// 32,767 characters in it, next to the same with 20.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <memory>

#include "app/barcodegenerator.h"
#include "app/platform.h"
#include "bench/options.h"

namespace {

std::unique_ptr<app::BarcodeGenerator> windowHolding(int characters) {
  auto window = std::make_unique<app::BarcodeGenerator>(std::make_shared<bench::QuietPlatform>());
  window->show();
  window->controls().dataInput->setText(QString(characters, QLatin1Char('1')));
  window->controls().dataInput->setFocus();
  QCoreApplication::processEvents();
  return window;
}

void press(QWidget* widget, Qt::Key key, const QString& text) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(widget, &down);
  QCoreApplication::sendEvent(widget, &up);
}

// Backspace, then "1" again: two keystrokes, each redrawn and painted.
void keystrokes(benchmark::State& state) {
  auto window = windowHolding(static_cast<int>(state.range(0)));
  QLineEdit* input = window->controls().dataInput;
  for (auto _ : state) {
    press(input, Qt::Key_Backspace, QString());
    QCoreApplication::processEvents();
    press(input, Qt::Key_1, QStringLiteral("1"));
    QCoreApplication::processEvents();
  }
}

// What the cursor costs twice a second while the window sits idle.
void cursorBlink(benchmark::State& state) {
  auto window = windowHolding(static_cast<int>(state.range(0)));
  QLineEdit* input = window->controls().dataInput;
  for (auto _ : state) input->repaint();
}

BENCHMARK(keystrokes)->Name("Full input: two keystrokes")->Arg(20)->Arg(app::kMaxInputLength);
BENCHMARK(cursorBlink)->Name("Full input: cursor blink")->Arg(20)->Arg(app::kMaxInputLength);

}  // namespace
