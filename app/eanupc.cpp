// EAN/UPC family: option handlers, router branches and the EAN-13 engine.
#include "symbologies/eanupc/eanupc.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <algorithm>

#include "app/barcodegenerator.h"
#include "app/helptexts.h"
#include "surface/picturebox.h"
#include "symbologies/eanupc/ean13.h"
#include "symbologies/eanupc/upca.h"

namespace app {

namespace {

constexpr std::size_t kEanDataLength = 12;
constexpr std::size_t kUpcDataLength = 11;

// The EAN/UPC symbols always carry their check digit and their digits: the
// settings are ticked and out of reach. Each change redraws through Check1_Click.
void tickAndDisableSettings(const Controls& ui) {
  for (QCheckBox* box : ui.Check1) box->setChecked(true);
  for (QCheckBox* box : ui.Check1) box->setEnabled(false);
}

void chooseEanFamily(BarcodeGenerator& window, const Controls& ui, const QRadioButton* option,
                     const char* help) {
  if (option->isChecked()) ui.HelpT->setPlainText(QString::fromLatin1(help));
  ui.Text1->setCursorPosition(ui.Text1->text().size());
  ui.picEan->show();
  ui.Picture1->hide();
  ui.picUPC->hide();
  window.Text1_Change();
  ui.Text1->setFocus();
  tickAndDisableSettings(ui);
}

}  // namespace

bool BarcodeGenerator::routeEanUpc() {
  const QString text = ui.Text1->text();
  const std::u32string data = input();

  const struct {
    const QRadioButton* option;
    QStringList prefixes;
    const char* prompt;
  } eanFamily[] = {
      {ui.Option7,
       {QStringLiteral("45"), QStringLiteral("49")},
       "Enter 12 digit number starting with '45' or '49' for JAN-13"},
      {ui.Option8,
       {QStringLiteral("978"), QStringLiteral("979")},
       "Enter 12 digit number starting with '978' or '979' for ISBN"},
      {ui.Option2, {QString()}, "Enter 12 digit number for EAN-13"},
  };
  for (const auto& member : eanFamily) {
    if (!member.option->isChecked()) continue;
    const bool complete =
        data.size() == kEanDataLength &&
        std::any_of(member.prefixes.begin(), member.prefixes.end(),
                    [&](const QString& prefix) { return text.startsWith(prefix); });
    if (complete) EanGen_Click();
    // Twelve characters with a non-digit draw nothing: the prompt shows
    // rather than a symbol of other data.
    if (complete && showsSymbolOf(ui.picEan, text)) {
      ui.Picture1->hide();
      ui.picUPC->hide();
      ui.picEan->show();
    } else {
      symbolCleared(ui.picEan);
      ui.Label9->setText(QString::fromLatin1(member.prompt));
      ui.Label9->show();
      ui.picEan->hide();
    }
  }

  if (!ui.Option3->isChecked()) return false;
  if (data.size() == kUpcDataLength) {
    if (std::all_of(data.begin(), data.end(), eanupc::isAsciiDigit) &&
        eanupc::DrawUpcA(text + QString::number(GetUPCCheckNumber(text)), *this)) {
      symbolDrawn(ui.picUPC, text);
      ui.picUPC->show();
      ui.Picture1->hide();
      ui.picEan->hide();
      ui.Label9->hide();
      ui.Label5->hide();
      return false;
    }
    // Nothing drawn of this data: the prompt, not the symbol of other data.
    symbolCleared(ui.picUPC);
    ui.picUPC->hide();
    ui.Label9->hide();
    ui.Label5->show();
    ui.Text2->setText(QString::number(data.size()));
    return true;
  }
  symbolCleared(ui.picUPC);
  if (data.empty()) {
    // The finished symbol is the background picture, which Cls alone keeps.
    ui.picUPC->setPicture(QImage());
    ui.picUPC->Cls();
    return false;
  }
  ui.Picture1->hide();
  ui.picUPC->Refresh();
  ui.picUPC->hide();
  ui.Label5->show();
  ui.picEan->hide();
  ui.Label9->hide();
  return false;
}

void BarcodeGenerator::Option2_Click() { chooseEanFamily(*this, ui, ui.Option2, help::kEan13); }
void BarcodeGenerator::Option7_Click() { chooseEanFamily(*this, ui, ui.Option7, help::kJan13); }
void BarcodeGenerator::Option8_Click() { chooseEanFamily(*this, ui, ui.Option8, help::kIsbn); }

void BarcodeGenerator::Option3_Click() {
  if (ui.Option3->isChecked()) ui.HelpT->setPlainText(QString::fromLatin1(help::kUpcA));
  ui.Text1->setCursorPosition(ui.Text1->text().size());
  Text1_Change();
  ui.Picture1->hide();
  ui.picEan->hide();
  ui.Text1->setFocus();
  ui.Label9->hide();
  // The prompt goes only when a symbol of the input is on show: eleven
  // characters with a non-digit draw none.
  ui.Label5->setVisible(!showsSymbolOf(ui.picUPC, ui.Text1->text()));
  tickAndDisableSettings(ui);
}

int BarcodeGenerator::GetUPCCheckNumber(const QString& text) const {
  return eanupc::upcCheckNumber(text.toStdU32String());
}

void BarcodeGenerator::EanGen_Click() {
  const std::u32string data = input();
  if (data.size() != kEanDataLength) return;
  const eanupc::Encoding encoding = eanupc::encodeEan13(data);
  const auto* symbol = std::get_if<eanupc::Symbol>(&encoding);
  if (!symbol) {
    symbolCleared(ui.picEan);
    return;
  }
  ui.EanText->setText(QString::fromLatin1(symbol->number));
  ui.Text1->setCursorPosition(ui.Text1->text().size());
  DrawEan13();
}

void BarcodeGenerator::DrawEan13() {
  if (input().size() != kEanDataLength) return;
  // EanText holds the data and its check digit; the symbol is laid out from the data.
  const eanupc::Encoding encoding =
      eanupc::encodeEan13(ui.EanText->text().left(kEanDataLength).toStdU32String());
  const auto* symbol = std::get_if<eanupc::Symbol>(&encoding);
  if (!symbol) {
    symbolCleared(ui.picEan);
    return;
  }
  eanupc::drawEan13(*ui.picEan, *symbol);
  symbolDrawn(ui.picEan, ui.Text1->text());
}

}  // namespace app
