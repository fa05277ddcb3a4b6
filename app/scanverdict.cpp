// Scan verdict: once typing pauses, the picture on show is read back by an
// independent decoder and the window says whether it scans.
#include <QFutureWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextDocument>
#include <QTimer>
#include <QtConcurrent>

#include "app/barcodegenerator.h"
#include "export/choices.h"
#include "export/verdict.h"
#include "screen/linear.h"
#include "surface/picturebox.h"

namespace app {

namespace {

// Long enough to span the gap between keystrokes of a quick typist, short
// enough to feel immediate.
constexpr int kVerdictDelayMs = 200;

const QColor kNoScanColour(0xa0, 0x00, 0x00);

// The tooltip and the screen reader get the whole reason, but not a whole
// symbol's worth of data: a 3000-character tooltip runs off the screen.
constexpr qsizetype kLongestFullText = 300;

QString shortened(const QString& text) {
  return text.size() <= kLongestFullText ? text : text.left(kLongestFullText) + QChar(0x2026);
}

QString pictureDescription(const QString& name, const QString& content) {
  return content.isEmpty() ? name + QStringLiteral(", empty")
                           : name + QStringLiteral(" of ") + content;
}

}  // namespace

void BarcodeGenerator::connectVerdict() {
  m_verdictTimer = new QTimer(this);
  m_verdictTimer->setSingleShot(true);
  m_verdictTimer->setInterval(kVerdictDelayMs);
  connect(m_verdictTimer, &QTimer::timeout, this, &BarcodeGenerator::VerdictTimer_Timer);
  m_verdictReader = new QFutureWatcher<Verdict>(this);
  connect(m_verdictReader, &QFutureWatcher<Verdict>::finished, this,
          &BarcodeGenerator::VerdictReader_Finished);
}

// On the keystroke path: a count and a timer restart, nothing more.
void BarcodeGenerator::scheduleVerdict() {
  ++m_drawnGeneration;
  m_verdictTimer->start();
}

void BarcodeGenerator::VerdictTimer_Timer() {
  m_verdictTimer->stop();
  describePictures();
  const Choice* choice = checkedChoice();
  if (!choice) return showVerdict({});
  const QString data = ui.dataInput->text();
  // Only the picture on show, and only a symbol of the data now typed.
  const surface::PictureBox* shown = currentPicture();
  const linear::Settings set = settings();
  const std::optional<QString> carried = carriedText(*choice, data, set);
  if (!carried || shown->isHidden() || !showsSymbolOf(shown, data))
    return showVerdict({.scans = false, .text = eanUpcGuidance(*choice, data)});

  if (m_verdictReader->isRunning()) {
    // One read at a time: this one is judged when the running one ends.
    m_readAgain = true;
    return;
  }
  m_readGeneration = m_drawnGeneration;
  const ScanContext known{.dotsPerModule = 1, .printSpacing = set.printSpacing != 0, .data = data};
  m_verdictReader->setFuture(
      QtConcurrent::run(scanVerdict, shown->Image(), std::cref(*choice), *carried, known));
}

void BarcodeGenerator::VerdictReader_Finished() {
  if (m_readGeneration == m_drawnGeneration) {
    Verdict verdict = m_verdictReader->result();
    // It may scan, but as text with parentheses where GS1 data was meant.
    if (const Choice* choice = checkedChoice()) {
      if (const QString gs1 = gs1Guidance(*choice, ui.dataInput->text()); !gs1.isEmpty())
        verdict = {false, gs1 + QStringLiteral(" (") + verdict.text + QLatin1Char(')')};
    }
    showVerdict(verdict);
  }
  if (m_readAgain) {
    m_readAgain = false;
    VerdictTimer_Timer();
  }
}

void BarcodeGenerator::showVerdict(const Verdict& verdict) {
  QLabel* label = ui.scanVerdict;
  label->setText(label->fontMetrics().elidedText(verdict.text, Qt::ElideRight, label->width()));
  // A tooltip takes markup whenever it looks like markup: then the data's own
  // "<b>" is escaped, so that it shows as typed.
  const QString tip = shortened(verdict.text);
  label->setToolTip(Qt::mightBeRichText(tip) ? QStringLiteral("<p style=\"white-space:pre\">") +
                                                   tip.toHtmlEscaped() + QStringLiteral("</p>")
                                             : tip);
  label->setAccessibleDescription(shortened(verdict.text));
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, verdict.scans || verdict.text.isEmpty()
                                             ? this->palette().color(QPalette::WindowText)
                                             : kNoScanColour);
  label->setPalette(palette);
  emit verdictShown();
}

void BarcodeGenerator::describePictures() {
  const QString data = ui.dataInput->text();
  const Choice* checked = checkedChoice();

  const Choice& linearRow = linearChoice(m_linearSymbology);
  const QString linearName = QString::fromLatin1(linearRow.caption) + QStringLiteral(" barcode");
  QString linearContent;
  if (!data.isEmpty()) {
    const linear::Encoding encoding = linearRow.encodeLinear(data.toStdU32String(), settings());
    if (const auto* symbol = std::get_if<linear::Symbol>(&encoding))
      linearContent = QString::fromStdU32String(symbol->label);
    else if (const auto* rejected = std::get_if<linear::Rejected>(&encoding))
      linearContent = QString::fromStdU32String(linear::message(*rejected));
    else
      linearContent =
          QString::fromStdU32String(linear::message(std::get<linear::TooLong>(encoding)));
  }
  ui.linearPicture->setAccessibleName(linearName);
  ui.linearPicture->setAccessibleDescription(linearContent.isEmpty() ||
                                                     showsSymbolOf(ui.linearPicture, data)
                                                 ? pictureDescription(linearName, linearContent)
                                                 : linearContent);

  const Choice& eanRow =
      checked && checked->picture == PictureRole::Ean ? *checked : choiceOf(Symbology::Ean13);
  const QString eanName = symbologyName(eanRow) + QStringLiteral(" barcode");
  ui.eanPicture->setAccessibleName(eanName);
  ui.eanPicture->setAccessibleDescription(pictureDescription(
      eanName, showsSymbolOf(ui.eanPicture, data) ? ui.eanNumber->text() : QString()));

  const QString upcName = QStringLiteral("UPC-A barcode");
  const auto upcNumber = carriedText(choiceOf(Symbology::UpcA), data, settings());
  ui.upcPicture->setAccessibleName(upcName);
  ui.upcPicture->setAccessibleDescription(pictureDescription(
      upcName, showsSymbolOf(ui.upcPicture, data) && upcNumber ? *upcNumber : QString()));
}

}  // namespace app
