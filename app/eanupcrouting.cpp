// EAN/UPC family: option handlers, router branches and the EAN-13 engine.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <algorithm>

#include "app/barcodegenerator.h"
#include "export/choices.h"
#include "screen/ean13.h"
#include "screen/upca.h"
#include "surface/picturebox.h"
#include "symbologies/eanupc/eanupc.h"

namespace app {

namespace {

// The settings a symbology always has are ticked, then put out of reach; each
// change redraws through Check1_Click.
void lockSettings(const Controls& ui, const Choice& choice) {
  for (int i = 0; i < 3; ++i)
    if (choice.boxes[i] == BoxRule::Locked) ui.settingBoxes[i]->setChecked(true);
  for (int i = 0; i < 3; ++i)
    if (choice.boxes[i] != BoxRule::Optional) ui.settingBoxes[i]->setEnabled(false);
}

}  // namespace

BarcodeGenerator::RouterNext BarcodeGenerator::routeEanUpc() {
  const Choice* selected = checkedChoice();
  if (!selected || selected->family != Family::EanUpc) return RouterNext::Continue;
  const QString text = ui.dataInput->text();
  const std::u32string data = input();

  if (selected->picture == PictureRole::Ean) {
    const bool complete =
        data.size() == selected->dataLength && matchPrefix(*selected, data) == PrefixMatch::Matches;
    if (complete) EanGen_Click();
    // Twelve characters with a non-digit draw nothing: the prompt shows
    // rather than a symbol of other data.
    if (complete && showsSymbolOf(ui.eanPicture, text)) {
      ui.linearPicture->hide();
      ui.upcPicture->hide();
      ui.eanPicture->show();
    } else {
      symbolCleared(ui.eanPicture);
      ui.eanPrompt->setText(QString::fromLatin1(selected->prompt));
      ui.eanPrompt->show();
      ui.eanPicture->hide();
    }
    return RouterNext::Continue;
  }

  // UPC-A
  if (data.size() == selected->dataLength) {
    if (std::all_of(data.begin(), data.end(), eanupc::isAsciiDigit) &&
        eanupc::drawUpcA(text + QString::number(GetUPCCheckNumber(text)), *this)) {
      symbolDrawn(ui.upcPicture, text);
      ui.upcPicture->show();
      ui.linearPicture->hide();
      ui.eanPicture->hide();
      ui.eanPrompt->hide();
      ui.upcPrompt->hide();
      return RouterNext::Continue;
    }
    // Nothing drawn of this data: the prompt, not the symbol of other data,
    // and the router ends here.
    symbolCleared(ui.upcPicture);
    ui.upcPicture->hide();
    ui.eanPrompt->hide();
    ui.upcPrompt->show();
    ui.characterCount->setText(QString::number(data.size()));
    return RouterNext::Stop;
  }
  symbolCleared(ui.upcPicture);
  if (data.empty()) {
    // The finished symbol is the background picture, which Cls alone keeps.
    ui.upcPicture->setPicture(QImage());
    ui.upcPicture->Cls();
    return RouterNext::Continue;
  }
  ui.linearPicture->hide();
  ui.upcPicture->Refresh();
  ui.upcPicture->hide();
  ui.upcPrompt->show();
  ui.eanPicture->hide();
  ui.eanPrompt->hide();
  return RouterNext::Continue;
}

void BarcodeGenerator::chooseEanFamily(const Choice& choice) {
  if (optionButton(choice)->isChecked())
    ui.helpText->setPlainText(QString::fromLatin1(choice.help));
  ui.dataInput->setCursorPosition(ui.dataInput->text().size());
  ui.eanPicture->show();
  ui.linearPicture->hide();
  ui.upcPicture->hide();
  Text1_Change();
  ui.dataInput->setFocus();
  lockSettings(ui, choice);
}

void BarcodeGenerator::Option2_Click() { chooseEanFamily(choiceOf(Symbology::Ean13)); }
void BarcodeGenerator::Option7_Click() { chooseEanFamily(choiceOf(Symbology::Jan13)); }
void BarcodeGenerator::Option8_Click() { chooseEanFamily(choiceOf(Symbology::Isbn)); }

void BarcodeGenerator::Option3_Click() {
  const Choice& upca = choiceOf(Symbology::UpcA);
  if (ui.upcaOption->isChecked()) ui.helpText->setPlainText(QString::fromLatin1(upca.help));
  ui.dataInput->setCursorPosition(ui.dataInput->text().size());
  Text1_Change();
  ui.linearPicture->hide();
  ui.eanPicture->hide();
  ui.dataInput->setFocus();
  ui.eanPrompt->hide();
  // The prompt goes only when a symbol of the input is on show: eleven
  // characters with a non-digit draw none.
  ui.upcPrompt->setVisible(!showsSymbolOf(ui.upcPicture, ui.dataInput->text()));
  lockSettings(ui, upca);
}

int BarcodeGenerator::GetUPCCheckNumber(const QString& text) const {
  return eanupc::upcCheckNumber(text.toStdU32String());
}

void BarcodeGenerator::EanGen_Click() {
  const std::u32string data = input();
  if (data.size() != eanupc::kEan13DataLength) return;
  const eanupc::Encoding encoding = eanupc::encodeEan13(data);
  const auto* symbol = std::get_if<eanupc::Symbol>(&encoding);
  if (!symbol) {
    symbolCleared(ui.eanPicture);
    return;
  }
  // The hidden field keeps the data with its check digit, as it always has.
  ui.eanNumber->setText(QString::fromLatin1(symbol->number));
  ui.dataInput->setCursorPosition(ui.dataInput->text().size());
  eanupc::drawEan13(*ui.eanPicture, *symbol);
  symbolDrawn(ui.eanPicture, ui.dataInput->text());
}

}  // namespace app
