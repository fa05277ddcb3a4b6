// Input routing and linear selection: every redraw starts here.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/barcodegenerator.h"
#include "export/choices.h"
#include "screen/linear.h"
#include "surface/picturebox.h"

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
  scheduleVerdict();
  ui.upcPrompt->hide();
  ui.eanPrompt->hide();
  ui.eanPrompt->setText(QString());
  if (routeEanUpc() == RouterNext::Stop) return;
  const QString text = ui.dataInput->text();
  if (text.isEmpty()) {
    // No data, no barcode: a symbol of the old data must not stay on show.
    ui.linearPicture->Cls();
    symbolCleared(ui.linearPicture);
    ui.upcPrompt->hide();
    ui.characterCount->setText(QStringLiteral("0"));
    return;
  }
  // Whatever the option, the linear picture follows the input too, hidden or not.
  DrawLinearBarcode();
  ui.dataInput->setFocus();
  ui.characterCount->setText(QString::number(characterCount(text)));
}

void BarcodeGenerator::DrawLinearBarcode() {
  const Choice& choice = linearChoice(m_linearSymbology);
  linearDrawn(linear::drawLinear(*ui.linearPicture, input(), settings(), choice.encodeLinear));
}

void BarcodeGenerator::Option1_Click(int index) {
  if (index < 0 || index >= static_cast<int>(ui.linearOptions.size())) return;
  if (const Choice* checked = checkedChoice(); checked && checked->family == Family::Linear)
    ui.helpText->setPlainText(QString::fromLatin1(checked->help));

  for (QCheckBox* box : ui.settingBoxes) box->setEnabled(true);
  ui.settingBoxes[kAddLabel]->setChecked(true);

  ui.eanPrompt->hide();
  ui.upcPrompt->hide();
  ui.linearPicture->show();
  ui.upcPicture->hide();
  ui.eanPicture->hide();

  const BoxRule rule = linearChoice(index).boxes[kAddCheckCharacter];
  QCheckBox* check = ui.settingBoxes[kAddCheckCharacter];
  check->setToolTip(QString::fromLatin1(rule == BoxRule::Optional ? "Optional"
                                        : rule == BoxRule::Locked ? "Not optional"
                                                                  : "Not used"));
  check->setChecked(rule == BoxRule::Locked);
  check->setEnabled(rule == BoxRule::Optional);

  m_linearSymbology = index;
  DrawLinearBarcode();

  reenterInput();
  ui.dataInput->setFocus();
  ui.dataInput->setText(ui.reentryBuffer->text());
  ui.dataInput->setCursorPosition(ui.dataInput->text().size());
}

void BarcodeGenerator::Check1_Click(int) {
  DrawLinearBarcode();
  ui.dataInput->setFocus();
  reenterInput();
}

void BarcodeGenerator::List1_Click() {
  for (int i = 0; i < ui.fontList->count(); ++i) {
    if (!ui.fontList->item(i)->isSelected()) continue;
    ui.fontName->setText(ui.fontList->item(i)->text());
    for (surface::PictureBox* picture : {ui.linearPicture, ui.upcPicture, ui.eanPicture})
      picture->setFontName(ui.fontName->text());
    Text1_Change();
    break;
  }
  ui.linearPicture->Refresh();
  ui.dataInput->setFocus();
}

void BarcodeGenerator::List1_DblClick() { List1_Click(); }

void BarcodeGenerator::reenterInput() {
  ui.reentryBuffer->setText(ui.dataInput->text());
  ui.dataInput->setText(QString());
  ui.dataInput->setText(ui.reentryBuffer->text());
}

linear::Settings BarcodeGenerator::settings() const {
  const auto ticked = [this](SettingBox box) { return ui.settingBoxes[box]->isChecked() ? 1 : 0; };
  return {.printSpacing = ticked(kPrintSpacing),
          .label = ticked(kAddLabel),
          .checkCharacter = ticked(kAddCheckCharacter)};
}

std::u32string BarcodeGenerator::input() const { return ui.dataInput->text().toStdU32String(); }

void BarcodeGenerator::linearDrawn(std::optional<int> pictureTwips) {
  if (pictureTwips)
    symbolDrawn(ui.linearPicture, ui.dataInput->text());
  else
    symbolCleared(ui.linearPicture);
  if (!pictureTwips || *pictureTwips <= kWidenAboveTwips) return;
  const int wanted = (*pictureTwips + kWindowMarginTwips) / surface::kTwipsPerPixel;
  if (width() < wanted) resize(wanted, height());
}

void BarcodeGenerator::symbolDrawn(surface::PictureBox* picture, const QString& data) {
  m_symbolData.insert(picture, data);
}

void BarcodeGenerator::symbolCleared(surface::PictureBox* picture) { m_symbolData.remove(picture); }

bool BarcodeGenerator::showsSymbolOf(const surface::PictureBox* picture,
                                     const QString& data) const {
  const auto found = m_symbolData.constFind(picture);
  return found != m_symbolData.constEnd() && *found == data;
}

}  // namespace app
