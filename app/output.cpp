// Output commands: copy to the clipboard, save as a bitmap, clear the input.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>

#include "app/barcodegenerator.h"
#include "app/images.h"
#include "app/platform.h"
#include "export/choices.h"
#include "export/names.h"
#include "export/qtwriter.h"
#include "surface/picturebox.h"

namespace app {

namespace {

const QString kTypeFirst = QStringLiteral("Please Type the Barcode Data First");
const QString kFileSave = QStringLiteral("File Save");
const QString kFolderGone = QStringLiteral("The current folder no longer exists");

}  // namespace

surface::PictureBox* BarcodeGenerator::currentPicture() const {
  const Choice* selected = checkedChoice();
  return picture(selected ? selected->picture : PictureRole::Linear);
}

QString saveFileName(const QString& data) {
  // The data becomes part of the name, made safe so that the file stays in
  // the current directory under the name the question shows.
  return safeFileName(QStringLiteral("VellB_") + data + QStringLiteral(".bmp"));
}

bool BarcodeGenerator::barcodeReady(const QString& nothingToDo) {
  const QString data = ui.dataInput->text();
  if (data.isEmpty()) {
    m_platform->message(this, kTypeFirst, QString::fromLatin1(kAppTitle));
    ui.dataInput->setFocus();
    return false;
  }
  // An incomplete input hides the picture; a rejected one shows a message in
  // it. Neither is a barcode of the data typed.
  const surface::PictureBox* picture = currentPicture();
  if (picture->isHidden() || !showsSymbolOf(picture, data)) {
    m_platform->message(this, nothingToDo, QString::fromLatin1(kAppTitle));
    ui.dataInput->setFocus();
    return false;
  }
  return true;
}

void BarcodeGenerator::Command1_Click() {
  if (!barcodeReady(QStringLiteral(
          "There is no barcode to copy: the data typed does not make a complete barcode.")))
    return;
  const QImage image = currentPicture()->Image();
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  // Qt's own image format, and PNG and BMP by name, so that programs on both
  // X11 and Wayland desktops find a format they can paste.
  auto* data = new QMimeData;
  data->setImageData(image);
  data->setData(QStringLiteral("image/png"), encodedImage(image, "PNG"));
  data->setData(QStringLiteral("image/bmp"), encodedImage(image, "BMP"));
  clipboard->setMimeData(data);
  const QMimeData* held = clipboard->mimeData();
  if (!held || !held->hasImage())
    m_platform->message(this, QStringLiteral("The barcode could not be put on the clipboard."),
                        QString::fromLatin1(kAppTitle));
  ui.dataInput->setFocus();
}

void BarcodeGenerator::Text1_KeyPress(int keyAscii) {
  if (keyAscii == 13) Command1_Click();
}

void BarcodeGenerator::Command4_Click() {
  const QString data = ui.dataInput->text();
  const QString name = saveFileName(data);
  if (!barcodeReady(QStringLiteral(
          "There is no barcode to save: the data typed does not make a complete barcode.")))
    return;
  // Said before the question: no answer could make such a name work.
  const qsizetype nameBytes = QFile::encodeName(name).size();
  if (nameBytes > kMaxNameBytes) {
    notSaved(QString(), QStringLiteral("The file name is too long: %1 bytes, at most %2")
                            .arg(nameBytes)
                            .arg(kMaxNameBytes));
    return;
  }
  const QString directory = m_platform->currentDirectory();
  if (directory.isEmpty()) {
    notSaved(name, kFolderGone);
    return;
  }
  QString shownFolder = QDir::toNativeSeparators(directory);
  if (!shownFolder.endsWith(QDir::separator())) shownFolder += QDir::separator();
  const QString question = QStringLiteral("Do you want to save the barcode image of ") + data +
                           QStringLiteral(" as ") + shownFolder + name;
  if (!m_platform->confirm(this, question, kFileSave)) return;
  // The file is the one the question names: the name alone, relative to the
  // current directory, never a path rebuilt from the directory's name.
  const QString folder = m_platform->saveFolder();
  const QString path = folder.isEmpty() ? name : QDir(folder).filePath(name);
  const QByteArray bitmap =
      encodedImage(currentPicture()->Image().convertToFormat(QImage::Format_RGB32), "BMP");
  QString error = bitmap.isEmpty() ? QStringLiteral("The picture could not be made into a bitmap")
                                   : writeAtomically(path, bitmap);
  if (error.isEmpty()) return;
  if (m_platform->currentDirectory().isEmpty()) error = kFolderGone;
  notSaved(name, error);
}

void BarcodeGenerator::notSaved(const QString& name, const QString& reason) {
  const QString what =
      name.isEmpty() ? QStringLiteral("The barcode was not saved.")
                     : QStringLiteral("The barcode was not saved as ") + name + QLatin1Char('.');
  m_platform->message(this, what + QLatin1Char('\n') + reason + QLatin1Char('.'), kFileSave);
}

void BarcodeGenerator::Command2_Click() {
  ui.dataInput->setText(QString());
  ui.dataInput->setFocus();
  for (surface::PictureBox* picture : {ui.linearPicture, ui.upcPicture, ui.eanPicture}) {
    picture->Cls();
    symbolCleared(picture);
  }
  // The last UPC-A symbol is the background picture of picUPC: clear it too.
  ui.upcPicture->setPicture(QImage());
  const Choice* selected = checkedChoice();
  const surface::PictureBox* shown =
      picture(selected ? selected->pictureAfterClear : PictureRole::Linear);
  for (surface::PictureBox* picture : {ui.linearPicture, ui.upcPicture, ui.eanPicture})
    picture->setVisible(picture == shown);
  ui.upcPrompt->hide();
  ui.eanPrompt->hide();
  ui.dataInput->setFocus();
  ui.characterCount->setText(QString::number(ui.dataInput->text().size()));
}

}  // namespace app
