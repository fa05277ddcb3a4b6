#include "app/printing.h"

#include <QPainter>
#include <QPrinter>

#include "export/qtpaint.h"

namespace app {

QString print(QPrinter& printer, const render::Layout& layout, const render::Output& output) {
  const render::Scene scene = render::makeScene(layout, output, 1, 0);
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  if (scene.width > page.width() || scene.height > page.height())
    return QStringLiteral("The barcode is larger than the printable part of the page.");
  QPainter painter;
  if (!painter.begin(&printer)) return QStringLiteral("The printer could not be started.");
  paintScene(painter, scene);
  if (!painter.end()) return QStringLiteral("The printer did not accept the page.");
  return {};
}

}  // namespace app
