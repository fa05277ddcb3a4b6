#include "app/platform.h"

#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>

namespace app {

void QtPlatform::message(QWidget* parent, const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

bool QtPlatform::confirm(QWidget* parent, const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
  return box.exec() == QMessageBox::Ok;
}

QString QtPlatform::currentDirectory() const { return QDir::currentPath(); }

bool QtPlatform::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace app
