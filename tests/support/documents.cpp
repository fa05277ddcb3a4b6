#include "tests/support/documents.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cmath>

namespace testsupport {

QByteArray runProgram(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0)
    return {};
  QByteArray out = process.readAllStandardOutput();
  if (out.isNull()) out = QByteArray("");
  return out;
}

QImage picture(render::Format format, const QByteArray& bytes, int dpi) {
  switch (format) {
    case render::Format::Png:
    case render::Format::Bmp:
      return QImage::fromData(bytes);
    case render::Format::Svg: {
      QSvgRenderer renderer(bytes);
      if (!renderer.isValid()) return {};
      // The document's size is in mm; draw it at the resolution asked for.
      const QRectF box = renderer.viewBoxF();
      QImage image(static_cast<int>(std::lround(box.width() / 25.4 * dpi)),
                   static_cast<int>(std::lround(box.height() / 25.4 * dpi)), QImage::Format_RGB32);
      image.fill(Qt::white);
      QPainter painter(&image);
      renderer.render(&painter);
      return image;
    }
    case render::Format::Pdf: {
      QTemporaryDir dir;
      const QString file = QDir(dir.path()).filePath(QStringLiteral("document.pdf"));
      QFile out(file);
      if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) return {};
      out.close();
      const QString prefix = QDir(dir.path()).filePath(QStringLiteral("page"));
      if (runProgram(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                      QStringLiteral("-singlefile"), file, prefix})
              .isNull())
        return {};
      return QImage(prefix + QStringLiteral(".png"));
    }
  }
  return {};
}

}  // namespace testsupport
