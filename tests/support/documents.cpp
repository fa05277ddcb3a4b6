#include "tests/support/documents.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cmath>

namespace testsupport {

namespace {

constexpr double kMmPerPoint = 25.4 / 72;

std::optional<PageMm> twoNumbers(const QString& text, const QString& pattern, double scale) {
  const auto match = QRegularExpression(pattern).match(text);
  if (!match.hasMatch()) return std::nullopt;
  return PageMm{match.captured(1).toDouble() * scale, match.captured(2).toDouble() * scale};
}

}  // namespace

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

TemporaryFile::TemporaryFile(const QByteArray& bytes, const QString& name) {
  QTemporaryDir dir;
  dir.setAutoRemove(false);
  m_folder = dir.path();
  m_path = QDir(m_folder).filePath(name);
  QFile out(m_path);
  if (out.open(QIODevice::WriteOnly)) out.write(bytes);
}

TemporaryFile::~TemporaryFile() { QDir(m_folder).removeRecursively(); }

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
                   static_cast<int>(std::lround(box.height() / 25.4 * dpi)), QImage::Format_ARGB32);
      image.fill(Qt::transparent);
      QPainter painter(&image);
      renderer.render(&painter);
      return image;
    }
    case render::Format::Pdf: {
      const TemporaryFile file(bytes, QStringLiteral("document.pdf"));
      const QString prefix = QFileInfo(file.path()).dir().filePath(QStringLiteral("page"));
      if (runProgram(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                      QStringLiteral("-singlefile"), file.path(), prefix})
              .isNull())
        return {};
      return QImage(prefix + QStringLiteral(".png"));
    }
    case render::Format::Eps: {
      const TemporaryFile file(bytes, QStringLiteral("document.eps"));
      const QString page = QFileInfo(file.path()).dir().filePath(QStringLiteral("page.png"));
      if (runProgram(QStringLiteral("gs"),
                     {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
                      QStringLiteral("-dNOPAUSE"), QStringLiteral("-dEPSCrop"),
                      QStringLiteral("-sDEVICE=png16m"), QStringLiteral("-r%1").arg(dpi),
                      QStringLiteral("-sOutputFile=") + page, file.path()})
              .isNull())
        return {};
      return QImage(page);
    }
  }
  return {};
}

std::optional<PageMm> epsBoundingBox(const QByteArray& bytes) {
  return twoNumbers(QString::fromLatin1(bytes),
                    QStringLiteral("%%BoundingBox: 0 0 ([0-9.]+) ([0-9.]+)"), kMmPerPoint);
}

std::optional<PageMm> pageOf(render::Format format, const QByteArray& bytes) {
  switch (format) {
    case render::Format::Png:
    case render::Format::Bmp: {
      const QImage image = QImage::fromData(bytes);
      if (image.isNull() || image.dotsPerMeterX() <= 0) return std::nullopt;
      return PageMm{image.width() * 1000.0 / image.dotsPerMeterX(),
                    image.height() * 1000.0 / image.dotsPerMeterY()};
    }
    case render::Format::Svg:
      return twoNumbers(QString::fromUtf8(bytes),
                        QStringLiteral("<svg[^>]* width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\""),
                        1);
    case render::Format::Pdf: {
      const TemporaryFile file(bytes, QStringLiteral("document.pdf"));
      return twoNumbers(QString::fromUtf8(runProgram(QStringLiteral("pdfinfo"), {file.path()})),
                        QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"), kMmPerPoint);
    }
    case render::Format::Eps: {
      const auto match =
          QRegularExpression(QStringLiteral("%%HiResBoundingBox: ([0-9.]+) ([0-9.]+) "
                                            "([0-9.]+) ([0-9.]+)"))
              .match(QString::fromLatin1(bytes));
      if (!match.hasMatch()) return std::nullopt;
      return PageMm{(match.captured(3).toDouble() - match.captured(1).toDouble()) * kMmPerPoint,
                    (match.captured(4).toDouble() - match.captured(2).toDouble()) * kMmPerPoint};
    }
  }
  return std::nullopt;
}

std::optional<std::string> zbarRead(const QImage& image) {
  // On white, as paper is: zbar reads no transparency.
  QImage page(image.width() + 80, image.height() + 80, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter(&page).drawImage(40, 40, image);
  QByteArray png;
  {
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    page.save(&buffer, "PNG");
  }
  const TemporaryFile file(png, QStringLiteral("scan.png"));
  const QByteArray out = runProgram(QStringLiteral("zbarimg"), {QStringLiteral("-q"), file.path()});
  if (out.isEmpty()) return std::nullopt;
  return out.left(out.indexOf('\n')).toStdString();
}

}  // namespace testsupport
