#include "app/platform.h"

#include <unistd.h>

#include <QDesktopServices>
#include <QMessageBox>
#include <cerrno>
#include <vector>

#include "export/names.h"

namespace app {

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
  return oneLine(fromNativeBytes(QByteArrayView(buffer.data())));
}

bool QtPlatform::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace app
