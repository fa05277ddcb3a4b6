#include "app/platform.h"

#include <unistd.h>

#include <QDesktopServices>
#include <QMessageBox>
#include <cerrno>
#include <vector>

namespace app {

namespace {

// The bytes of a file name as text: valid UTF-8 as it reads, any other byte
// as \xNN, so that two different names never look the same.
QString shownName(const QByteArray& bytes) {
  QString shown;
  for (qsizetype i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const qsizetype length = lead < 0x80   ? 1
                             : lead < 0xc2 ? 0
                             : lead < 0xe0 ? 2
                             : lead < 0xf0 ? 3
                             : lead < 0xf5 ? 4
                                           : 0;
    if (length > 0 && i + length <= bytes.size()) {
      // fromUtf8 replaces overlong forms and surrogates: they fail the round trip.
      const QByteArray sequence = bytes.mid(i, length);
      const QString character = QString::fromUtf8(sequence);
      if (character.toUtf8() == sequence) {
        shown += character;
        i += length;
        continue;
      }
    }
    shown += QStringLiteral("\\x") + QString::number(lead, 16).toUpper();
    ++i;
  }
  return shown;
}

}  // namespace

void QtPlatform::message(QWidget* parent, const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool QtPlatform::confirm(QWidget* parent, const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
  box.setTextFormat(Qt::PlainText);
  return box.exec() == QMessageBox::Ok;
}

QString QtPlatform::currentDirectory() const {
  // getcwd, not QDir::currentPath: that converts the name lossily.
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};  // ENOENT: the folder was removed
    buffer.resize(buffer.size() * 2);
  }
  return shownName(QByteArray(buffer.data()));
}

bool QtPlatform::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace app
