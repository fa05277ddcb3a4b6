#include "screen/upca.h"

#include <QLabel>
#include <array>
#include <vector>

#include "surface/controllookup.h"
#include "surface/picturebox.h"
#include "symbologies/eanupc/eanupc.h"
#include "symbologies/geometry.h"

namespace eanupc {

namespace {

constexpr geometry::UpcA kGeometry = geometry::kUpcA;
constexpr int kBarTop = kGeometry.barTop;
constexpr int kShortBottom = kGeometry.shortBottom;
constexpr int kLongBottom = kGeometry.longBottom;

// Light modules are drawn white too, not left to the background.
void addModule(std::vector<surface::BarSpan>& spans, std::size_t m, char value) {
  surface::addLine(spans, kGeometry.firstModuleX + static_cast<int>(m),
                   value == '1' ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
}

}  // namespace

void drawUpcA(surface::PictureBox& picture, const Symbol& symbol, Digits digits) {
  std::vector<surface::BarSpan> spans, longer;
  spans.reserve(kModules);
  longer.reserve(kModules);
  if (digits == Digits::Omitted) {
    // No text to keep in order with: two rows, every module down to the
    // short bottom, then the long modules on.
    for (std::size_t m = 0; m < kModules; ++m) {
      addModule(spans, m, symbol.modules[m]);
      // The guards, and the first and last digit's modules.
      if (m < firstModuleOf(1) || m >= firstModuleOf(11) || isGuardModule(m))
        addModule(longer, m, symbol.modules[m]);
    }
    picture.drawBarRow(spans, kBarTop, kShortBottom);
    picture.drawBarRow(longer, kShortBottom, kLongBottom);
    return;
  }
  // Each digit, then its modules over it, as the symbol has always been drawn.
  for (std::size_t k = 0; k < 12; ++k) {
    picture.setCurrentX(kGeometry.textColumns[k]);
    picture.setCurrentY(kShortBottom);
    picture.Print(QString(QLatin1Char(symbol.number[k])));
    spans.clear();
    for (std::size_t m = firstModuleOf(k); m < firstModuleOf(k) + 7; ++m)
      addModule(spans, m, symbol.modules[m]);
    picture.drawBarRow(spans, kBarTop, k == 0 || k == 11 ? kLongBottom : kShortBottom);
  }
  spans.clear();
  for (std::size_t m = 0; m < kModules; ++m)
    if (isGuardModule(m)) addModule(spans, m, symbol.modules[m]);
  picture.drawBarRow(spans, kBarTop, kLongBottom);
}

bool drawUpcA(const QString& number, const QWidget& window) {
  // Found by name through the window, from an index it keeps.
  surface::ControlIndex& controls = surface::ControlIndex::of(window);
  const std::u32string text = number.toStdU32String();
  for (std::size_t k = 0; k < 12; ++k) {
    const QString name = k < 6 ? QStringLiteral("L") : QStringLiteral("R");
    if (auto* holder = qobject_cast<QLabel*>(controls.find(name, int(k % 6))))
      holder->setText(k < text.size() ? QString::fromUcs4(&text[k], 1) : QString());
  }
  auto* picture = qobject_cast<surface::PictureBox*>(controls.find(QStringLiteral("picUPC")));
  if (!picture) return false;
  // Wipe the previous symbol, which is the background picture, before drawing.
  const auto* blank = qobject_cast<surface::PictureBox*>(controls.find(QStringLiteral("picUPCy")));
  picture->setPicture(blank ? blank->Image() : QImage());
  const Encoding encoding = encodeUpcA(text);
  const auto* symbol = std::get_if<Symbol>(&encoding);
  if (!symbol) return false;
  drawUpcA(*picture, *symbol);
  picture->setPicture(picture->Image());
  return true;
}

}  // namespace eanupc
