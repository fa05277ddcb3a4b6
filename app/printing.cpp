#include "app/printing.h"

#include <QPainter>
#include <QPrinter>

#include "render/devices.h"

namespace app {

QString print(QPrinter& printer, const render::Layout& layout, double moduleMm, bool printSpacing) {
  const int resolution = printer.resolution();
  const int dots = render::dotsForModule(moduleMm, resolution);
  const render::Scale scale = render::printScale(layout, dots, 1, dots, printSpacing);
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  if (scale.width(layout) > page.width() || scale.height(layout) > page.height())
    return QStringLiteral("The barcode is larger than the printable part of the page.");
  QPainter painter;
  if (!painter.begin(&printer)) return QStringLiteral("The printer could not be started.");
  render::paint(painter, layout, scale);
  if (!painter.end()) return QStringLiteral("The printer did not accept the page.");
  return {};
}

}  // namespace app
