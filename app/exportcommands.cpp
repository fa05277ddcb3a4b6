// Export, print and copy at the export size: the picture's context menu.
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <optional>

#include "app/barcodegenerator.h"
#include "app/exportdialog.h"
#include "app/platform.h"
#include "app/printing.h"
#include "export/exportoptions.h"
#include "export/grading.h"
#include "export/limits.h"
#include "export/names.h"
#include "export/symbollayout.h"
#include "export/verdict.h"
#include "export/writer.h"
#include "render/png.h"
#include "surface/picturebox.h"

namespace app {

namespace {

const QString kNoBarcodeToSave =
    QStringLiteral("There is no barcode to save: the data typed does not make a complete barcode.");
const QString kNoBarcodeToCopy =
    QStringLiteral("There is no barcode to copy: the data typed does not make a complete barcode.");
const QString kExportTitle = QStringLiteral("Export Barcode");

// The dialog's verdict names the data, but not a whole symbol's worth of it.
constexpr std::size_t kShownTextLength = 40;

// The data input keeps the commands' keys (a line edit would take Ctrl+E as
// "end of line"), and its Menu key opens the picture's menu.
class InputKeys : public QObject {
 public:
  InputKeys(QObject* parent, QMenu* menu, std::function<QPoint()> where)
      : QObject(parent), m_menu(menu), m_where(std::move(where)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const QKeySequence pressed(key->keyCombination());
      for (const QAction* action : m_menu->actions())
        if (action->shortcut() == pressed) {
          event->ignore();
          return true;
        }
    }
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
      m_menu->popup(m_where());
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QMenu* m_menu;
  std::function<QPoint()> m_where;
};

}  // namespace

void BarcodeGenerator::installExportCommands() {
  m_exportSettings = std::make_unique<ExportSettings>();
  ui.pictureMenu = new QMenu(this);
  ui.pictureMenu->setObjectName(QStringLiteral("pictureMenu"));
  const auto command = [this](const char* name, const char* caption, QKeySequence keys,
                              void (BarcodeGenerator::*handler)()) {
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, handler);
    addAction(action);
    ui.pictureMenu->addAction(action);
    return action;
  };
  ui.exportAction = command("exportAction", "Export…", QKeySequence(Qt::CTRL | Qt::Key_E),
                            &BarcodeGenerator::exportBarcode);
  ui.printAction = command("printAction", "Print…", QKeySequence(Qt::CTRL | Qt::Key_P),
                           &BarcodeGenerator::printBarcode);
  ui.copyExportAction =
      command("copyExportAction", "Copy at Export Size",
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &BarcodeGenerator::copyAtExportSize);
  ui.labelsAction = command("labelsAction", "Labels…", QKeySequence(Qt::CTRL | Qt::Key_L),
                            &BarcodeGenerator::makeLabels);

  for (surface::PictureBox* box : {ui.linearPicture, ui.upcPicture, ui.eanPicture}) {
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this,
            [this, box](const QPoint& at) { ui.pictureMenu->popup(box->mapToGlobal(at)); });
  }
  ui.dataInput->installEventFilter(new InputKeys(this, ui.pictureMenu, [this] {
    const QWidget* shown = currentPicture();
    if (!shown->isVisible()) shown = ui.dataInput;
    return shown->mapToGlobal(QPoint(0, shown->height()));
  }));
}

void BarcodeGenerator::setExportSettings(const ExportSettings& settings) {
  *m_exportSettings = settings;
}

namespace {

// The symbol the window shows, laid out for export; with an export's
// settings, with the fields of its own the Export dialog offers.
std::variant<render::Layout, QString> layoutFor(const BarcodeGenerator& window,
                                                const linear::Settings& settings,
                                                const ExportSettings* exported = nullptr) {
  const Controls& ui = window.controls();
  SymbolRequest request{.choice = window.checkedChoice(),
                        .data = ui.dataInput->text(),
                        .settings = settings,
                        .fontFamily = ui.fontName->text()};
  if (exported && request.choice) {
    if (takesAddOn(*request.choice)) request.addOn = exported->addOn;
    if (request.choice->form == Form::Code128) request.codeSet = exported->codeSet;
  }
  return layoutSymbol(request);
}

std::optional<render::Layout> layoutOfShown(const BarcodeGenerator& window,
                                            const linear::Settings& settings,
                                            const ExportSettings* exported = nullptr) {
  auto layout = layoutFor(window, settings, exported);
  if (auto* symbol = std::get_if<render::Layout>(&layout)) return std::move(*symbol);
  return std::nullopt;
}

}  // namespace

void BarcodeGenerator::exportBarcode() {
  if (!barcodeReady(kNoBarcodeToSave)) return;
  const auto layout = layoutOfShown(*this, settings());
  if (!layout) return;
  const QString baseName = saveFileName(ui.dataInput->text()).chopped(4);  // without ".bmp"
  const linear::Settings symbolSettings = settings();
  const bool spacing = symbolSettings.printSpacing != 0;
  const Choice* choice = checkedChoice();
  const QString data = ui.dataInput->text();
  const QString font = ui.fontName->text();
  // Run on a worker: everything it needs is its own copy.
  auto judge = [choice, data, symbolSettings, font, spacing](const render::Layout& shown,
                                                             const ExportSettings& chosen) {
    const render::Resolution resolution = chosen.resolution();
    // Not drawn for the reader when the window would wait for it.
    if (const QString tooLarge =
            proofRefusal(chosen.format, shown, resolution, spacing, DrawnFor::Window);
        !tooLarge.isEmpty())
      return QStringLiteral("Not read back: ") + tooLarge;
    SymbolRequest request{
        .choice = choice, .data = data, .settings = symbolSettings, .fontFamily = font};
    if (takesAddOn(*choice)) request.addOn = chosen.addOn;
    if (choice->form == Form::Code128) request.codeSet = chosen.codeSet;
    const auto bytes = fileBytes(chosen.format, shown, resolution, spacing, DrawnFor::Window);
    if (const auto* refused = std::get_if<QString>(&bytes))
      return QStringLiteral("Not read back: ") + oneLine(*refused);
    const auto graded =
        gradeExport(std::get<QByteArray>(bytes), request, resolution, 'C', kShownTextLength);
    if (const auto* why = std::get_if<QString>(&graded))
      return QStringLiteral("Not graded: ") + oneLine(*why);
    return std::get<FileGrade>(graded).line;
  };
  // The file goes where "File Save" puts its own: relative to the current
  // folder, never through the folder's shown name.
  ExportDialog dialog(*layout, spacing, *m_exportSettings, baseName, m_platform->saveFolder(),
                      judge, this);
  const auto relayout = [&](const ExportSettings& chosen) {
    return layoutFor(*this, symbolSettings, &chosen);
  };
  if (takesAddOn(*choice)) dialog.offer(ExportDialog::Fields::AddOn, relayout);
  if (choice->form == Form::Code128) dialog.offer(ExportDialog::Fields::CodeSet, relayout);
  if (dialog.exec() != QDialog::Accepted) return;
  *m_exportSettings = dialog.settings();
  const QString path = dialog.filePath();
  QString shownPath = QDir::toNativeSeparators(oneLine(path));
  if (QDir::isRelativePath(path))
    shownPath =
        QDir::toNativeSeparators(m_platform->currentDirectory() + QLatin1Char('/')) + shownPath;
  if (QFileInfo::exists(path) &&
      !m_platform->confirm(
          this, shownPath + QStringLiteral(" already exists. Do you want to replace it?"),
          kExportTitle))
    return;
  exportShown(path, *m_exportSettings);
  ui.dataInput->setFocus();
}

bool BarcodeGenerator::exportShown(const QString& path, const ExportSettings& exportSettings) {
  if (!barcodeReady(kNoBarcodeToSave)) return false;
  const linear::Settings symbolSettings = settings();
  const auto layout = layoutOfShown(*this, symbolSettings, &exportSettings);
  if (!layout) return false;
  const auto bytes = fileBytes(exportSettings.format, *layout, exportSettings.resolution(),
                               symbolSettings.printSpacing != 0, DrawnFor::Window);
  const QString* refused = std::get_if<QString>(&bytes);
  const QString problem = refused ? *refused : writeAtomically(path, std::get<QByteArray>(bytes));
  if (problem.isEmpty()) return true;
  // In the words "File Save" uses.
  m_platform->message(this,
                      QStringLiteral("The barcode was not saved as ") +
                          oneLine(QFileInfo(path).fileName()) + QStringLiteral(".\n") +
                          oneLine(problem) + QLatin1Char('.'),
                      kExportTitle);
  return false;
}

void BarcodeGenerator::printBarcode() {
  if (!barcodeReady(kNoBarcodeToSave)) return;
  const linear::Settings symbolSettings = settings();
  const auto layout = layoutOfShown(*this, symbolSettings);
  if (!layout) return;
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const QString problem = print(printer, *layout, m_exportSettings->resolution().moduleMm(),
                                symbolSettings.printSpacing != 0);
  if (!problem.isEmpty())
    m_platform->message(this, QStringLiteral("The barcode was not printed: ") + problem,
                        QStringLiteral("Print"));
  ui.dataInput->setFocus();
}

void BarcodeGenerator::copyAtExportSize() {
  if (!barcodeReady(kNoBarcodeToCopy)) return;
  const linear::Settings symbolSettings = settings();
  const auto layout = layoutOfShown(*this, symbolSettings);
  if (!layout) return;
  const render::Resolution resolution = m_exportSettings->resolution();
  const bool spacing = symbolSettings.printSpacing != 0;
  // Refused before a dot is drawn: the clipboard takes a BMP of it too.
  if (const QString tooLarge =
          sizeRefusal(render::Format::Bmp, *layout, resolution, spacing, DrawnFor::Window);
      !tooLarge.isEmpty()) {
    m_platform->message(
        this, QStringLiteral("The barcode was not copied: ") + tooLarge + QLatin1Char('.'),
        QString::fromLatin1(kAppTitle));
    return;
  }
  const QImage image = render::rasterImage(*layout, resolution, spacing);
  auto* data = new QMimeData;
  data->setImageData(image);
  data->setData(QStringLiteral("image/png"), render::pngOfBlackAndWhite(image));
  data->setData(QStringLiteral("image/bmp"),
                render::encodedImage(image.convertToFormat(QImage::Format_RGB888), "BMP"));
  data->setData(QStringLiteral("image/svg+xml"), render::svgDocument(*layout, resolution, spacing));
  QGuiApplication::clipboard()->setMimeData(data);
  ui.dataInput->setFocus();
}

}  // namespace app
