#pragma once

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "app/barcodegenerator.h"
#include "app/platform.h"
#include "export/choices.h"
#include "surface/picturebox.h"

namespace testsupport {

// Answers the window's questions in place of a person and records them.
class FakePlatform : public app::Platform {
 public:
  struct Shown {
    QString text;
    QString title;
  };
  void message(QWidget*, const QString& text, const QString& title) override {
    messages.push_back({text, title});
  }
  bool confirm(QWidget*, const QString& text, const QString& title) override {
    questions.push_back({text, title});
    return answerOk;
  }
  // Without a directory named, the real one: the process's current directory.
  QString currentDirectory() const override {
    return directory.isNull() ? app::QtPlatform().currentDirectory() : directory;
  }
  QString saveFolder() const override { return directory; }
  bool openUrl(const QUrl& url) override {
    opened.push_back(url);
    return openSucceeds;
  }

  std::vector<Shown> messages;
  std::vector<Shown> questions;
  std::vector<QUrl> opened;
  bool answerOk = true;
  bool openSucceeds = true;
  QString directory;  // where files are saved; null for the current directory
};

// A main window on a fake platform, with the shortcuts tests use.
struct Window {
  std::shared_ptr<FakePlatform> platform = std::make_shared<FakePlatform>();
  std::unique_ptr<app::BarcodeGenerator> window = std::make_unique<app::BarcodeGenerator>(platform);

  const app::Controls& ui() const { return window->controls(); }
  void type(const QString& text) { ui().dataInput->setText(text); }
  void setCheck(int index, bool on) { ui().settingBoxes[index]->setChecked(on); }
  void chooseLinear(int index) { ui().linearOptions[index]->setChecked(true); }
  void choose(const app::Choice& choice) { window->optionButton(choice)->setChecked(true); }
  QImage picture() const { return ui().linearPicture->Image(); }
};

// A window whose current directory is a fresh temporary one.
struct SavingWindow : Window {
  QTemporaryDir dir;
  SavingWindow() { platform->directory = dir.path(); }
  QString file(const QString& name) const { return dir.filePath(name); }
  QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
};

}  // namespace testsupport
