// Input routing and linear selection: every redraw starts here.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/barcodegenerator.h"
#include "app/helptexts.h"
#include "surface/picturebox.h"
#include "symbologies/linear/codabar.h"
#include "symbologies/linear/code128.h"
#include "symbologies/linear/code39.h"
#include "symbologies/linear/interleaved2of5.h"

namespace app {

namespace {

// Characters, not UTF-16 units: a character outside the Basic Multilingual
// Plane counts once.
qsizetype characterCount(const QString& text) {
  qsizetype pairs = 0;
  for (qsizetype i = 1; i < text.size(); ++i)
    if (text[i].isLowSurrogate() && text[i - 1].isHighSurrogate()) ++pairs;
  return text.size() - pairs;
}

constexpr int kWidenAboveTwips = 9500;
constexpr int kWindowMarginTwips = 2000;

}  // namespace

void BarcodeGenerator::Text1_Change() {
  ui.Label5->hide();
  ui.Label9->hide();
  ui.Label9->setText(QString());
  if (routeEanUpc()) return;
  const QString text = ui.Text1->text();
  if (text.isEmpty()) {
    // No data, no barcode: a symbol of the old data must not stay on show.
    ui.Picture1->Cls();
    symbolCleared(ui.Picture1);
    ui.Label5->hide();
    ui.Text2->setText(QStringLiteral("0"));
    return;
  }
  DrawLinearBarcode();
  ui.Text1->setFocus();
  ui.Text2->setText(QString::number(characterCount(text)));
}

void BarcodeGenerator::DrawLinearBarcode() {
  switch (LinearSymbology) {
    case 0: DrawCode39(); break;
    case 1: DrawInterleaved2of5(); break;
    case 2: DrawCode128(); break;
    case 3: DrawCodabar(); break;
    default: break;
  }
}

void BarcodeGenerator::DrawCode39() {
  linearDrawn(linear::drawCode39(*ui.Picture1, input(), settings()));
}

void BarcodeGenerator::DrawInterleaved2of5() {
  linearDrawn(linear::drawInterleaved2of5(*ui.Picture1, input(), settings()));
}

void BarcodeGenerator::DrawCode128() {
  linearDrawn(linear::drawCode128(*ui.Picture1, input(), settings()));
}

void BarcodeGenerator::DrawCodabar() {
  linearDrawn(linear::drawCodabar(*ui.Picture1, input(), settings()));
}

void BarcodeGenerator::Option1_Click(int index) {
  if (ui.Option1[3]->isChecked())
    ui.HelpT->setPlainText(QString::fromLatin1(help::kCodabar));
  else if (ui.Option1[1]->isChecked())
    ui.HelpT->setPlainText(QString::fromLatin1(help::kInterleaved2of5));
  else if (ui.Option1[2]->isChecked())
    ui.HelpT->setPlainText(QString::fromLatin1(help::kCode128));
  else if (ui.Option1[0]->isChecked())
    ui.HelpT->setPlainText(QString::fromLatin1(help::kCode39));

  for (QCheckBox* box : ui.Check1) box->setEnabled(true);
  ui.Check1[1]->setChecked(true);

  ui.Label9->hide();
  ui.Label5->hide();
  ui.Picture1->show();
  ui.picUPC->hide();
  ui.picEan->hide();

  QCheckBox* check = ui.Check1[2];
  switch (index) {
    case 0:
    case 1:
      check->setToolTip(QStringLiteral("Optional"));
      check->setChecked(false);
      check->setEnabled(true);
      break;
    case 2:
      check->setToolTip(QStringLiteral("Not optional"));
      check->setChecked(true);
      check->setEnabled(false);
      break;
    case 3:
      check->setToolTip(QStringLiteral("Not used"));
      check->setChecked(false);
      check->setEnabled(false);
      break;
    default: break;
  }

  LinearSymbology = index;
  DrawLinearBarcode();

  reenterInput();
  ui.Text1->setFocus();
  ui.Text1->setText(ui.TempText->text());
  ui.Text1->setCursorPosition(ui.Text1->text().size());
}

void BarcodeGenerator::Check1_Click(int) {
  DrawLinearBarcode();
  ui.Text1->setFocus();
  reenterInput();
}

void BarcodeGenerator::List1_Click() {
  for (int i = 0; i < ui.List1->count(); ++i) {
    if (!ui.List1->item(i)->isSelected()) continue;
    ui.FontB->setText(ui.List1->item(i)->text());
    for (surface::PictureBox* picture : {ui.Picture1, ui.picUPC, ui.picEan})
      picture->setFontName(ui.FontB->text());
    Text1_Change();
    break;
  }
  ui.Picture1->Refresh();
  ui.Text1->setFocus();
}

void BarcodeGenerator::List1_DblClick() { List1_Click(); }

void BarcodeGenerator::reenterInput() {
  ui.TempText->setText(ui.Text1->text());
  ui.Text1->setText(QString());
  ui.Text1->setText(ui.TempText->text());
}

linear::Settings BarcodeGenerator::settings() const {
  return {ui.Check1[0]->isChecked() ? 1 : 0, ui.Check1[1]->isChecked() ? 1 : 0,
          ui.Check1[2]->isChecked() ? 1 : 0};
}

std::u32string BarcodeGenerator::input() const { return ui.Text1->text().toStdU32String(); }

void BarcodeGenerator::linearDrawn(std::optional<int> pictureTwips) {
  if (pictureTwips)
    symbolDrawn(ui.Picture1, ui.Text1->text());
  else
    symbolCleared(ui.Picture1);
  if (!pictureTwips || *pictureTwips <= kWidenAboveTwips) return;
  const int wanted = (*pictureTwips + kWindowMarginTwips) / surface::kTwipsPerPixel;
  if (width() < wanted) resize(wanted, height());
}

void BarcodeGenerator::symbolDrawn(surface::PictureBox* picture, const QString& data) {
  m_symbolData.insert(picture, data);
}

void BarcodeGenerator::symbolCleared(surface::PictureBox* picture) { m_symbolData.remove(picture); }

bool BarcodeGenerator::showsSymbolOf(const surface::PictureBox* picture, const QString& data) const {
  const auto found = m_symbolData.constFind(picture);
  return found != m_symbolData.constEnd() && *found == data;
}

}  // namespace app
