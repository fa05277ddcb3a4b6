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

  // A message with an OK button and no icon. The text is shown as written,
  // never read as markup: it may hold the data typed.
  virtual void message(QWidget* parent, const QString& text, const QString& title) = 0;
  // A question with OK and Cancel buttons and no icon; true for OK.
  virtual bool confirm(QWidget* parent, const QString& text, const QString& title) = 0;
  // The name of the folder files are saved in, as well as it can be shown;
  // empty when that folder no longer exists.
  virtual QString currentDirectory() const = 0;
  // Where files are saved: empty for the process's current directory, which
  // is then reached by the file name alone and never through its own name
  // (that may not be valid text, or may lead elsewhere by now).
  virtual QString saveFolder() const { return {}; }
  // Asks the desktop to open the address; the result says whether it did.
  virtual bool openUrl(const QUrl& url) = 0;
};

// Qt's message boxes, the process's current directory and QDesktopServices.
class QtPlatform : public Platform {
 public:
  void message(QWidget* parent, const QString& text, const QString& title) override;
  bool confirm(QWidget* parent, const QString& text, const QString& title) override;
  QString currentDirectory() const override;
  bool openUrl(const QUrl& url) override;
};

}  // namespace app
