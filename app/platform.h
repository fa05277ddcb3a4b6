#pragma once

#include <QString>
#include <QUrl>

class QWidget;

namespace app {

// The services of the desktop that the window asks for: message boxes, the
// current directory and opening a web address. Tests answer them in place of
// a person; the program uses Qt's.
class Platform {
 public:
  virtual ~Platform() = default;

  // A message with an OK button and no icon.
  virtual void message(QWidget* parent, const QString& text, const QString& title) = 0;
  // A question with OK and Cancel buttons and no icon; true for OK.
  virtual bool confirm(QWidget* parent, const QString& text, const QString& title) = 0;
  virtual QString currentDirectory() const = 0;
  // Asks the desktop to open the address; the result says whether it did.
  virtual bool openUrl(const QUrl& url) = 0;
};

// Qt's message boxes, QDir::currentPath and QDesktopServices.
class QtPlatform : public Platform {
 public:
  void message(QWidget* parent, const QString& text, const QString& title) override;
  bool confirm(QWidget* parent, const QString& text, const QString& title) override;
  QString currentDirectory() const override;
  bool openUrl(const QUrl& url) override;
};

}  // namespace app
