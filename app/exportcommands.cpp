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
#include "render/devices.h"
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

// The font the window's Export uses: the label font for the linear family;
// EAN/UPC digits in the standard's OCR B.
QString exportFont(const BarcodeGenerator& window) {
  const Choice* choice = window.checkedChoice();
  return choice && choice->family == Family::Linear ? window.controls().fontName->text()
                                                    : QString();
}

// Lays the symbol on show out for any options.
ExportDialog::LayoutMaker layoutMaker(const BarcodeGenerator& window) {
  const Choice* choice = window.checkedChoice();
  const std::string data = window.controls().dataInput->text().toStdString();
  return [choice, data](const ExportOptions& options) -> std::variant<render::Layout, std::string> {
    if (!choice) return std::string("No barcode type chosen");
    // The dialog's own fields, where the option has them.
    SymbolRequest request = requestFor(*choice, data, options);
    if (!takesAddOn(*choice)) request.addOn.clear();
    if (choice->form != Form::Code128) request.codeSet.reset();
    return layoutSymbol(request);
  };
}

}  // namespace

struct BarcodeGenerator::PreparedExport {
  ExportOptions options;
  render::Layout layout;
};

std::optional<BarcodeGenerator::PreparedExport> BarcodeGenerator::prepareExport(
    const ExportSettings& exportSettings, const QString& title) {
  const auto options = exportSettings.options(settings(), exportFont(*this));
  if (const auto* problem = std::get_if<QString>(&options)) {
    m_platform->message(this, *problem, title);
    return std::nullopt;
  }
  const auto layout = layoutMaker(*this)(std::get<ExportOptions>(options));
  if (const auto* refused = std::get_if<std::string>(&layout)) {
    m_platform->message(this, QString::fromStdString(*refused), title);
    return std::nullopt;
  }
  return PreparedExport{std::get<ExportOptions>(options), std::get<render::Layout>(layout)};
}

void BarcodeGenerator::exportBarcode() {
  if (!barcodeReady(kNoBarcodeToSave)) return;
  const QString baseName = saveFileName(ui.dataInput->text()).chopped(4);  // without ".bmp"
  const Choice* choice = checkedChoice();
  const QString data = ui.dataInput->text();
  const linear::Settings symbolSettings = settings();
  const std::string typed = data.toStdString();
  // Run on a worker: everything it needs is its own copy.
  auto judge = [choice, typed](const render::Layout& layout, const ExportPlan& plan,
                               const ExportOptions& options) {
    // Not drawn for the grader when the window would wait for it.
    if (const std::string tooLarge = proofRefusal(layout, plan, DrawnFor::Window);
        !tooLarge.empty())
      return QStringLiteral("Not read back: ") + QString::fromStdString(tooLarge);
    SymbolRequest request = requestFor(*choice, typed, options);
    if (!takesAddOn(*choice)) request.addOn.clear();
    if (choice->form != Form::Code128) request.codeSet.reset();
    const std::string bytes = render::document(layout, plan.output);
    if (bytes.empty()) return QStringLiteral("Not read back: the picture could not be drawn");
    const auto graded =
        gradeExport(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())),
                    request, plan, 'C', kShownTextLength);
    if (const auto* why = std::get_if<QString>(&graded))
      return QStringLiteral("Not graded: ") + oneLine(*why);
    return std::get<FileGrade>(graded).line;
  };
  // The file goes where "File Save" puts its own: relative to the current
  // folder, never through the folder's shown name.
  ExportDialog dialog(layoutMaker(*this), symbolSettings, exportFont(*this), *m_exportSettings,
                      baseName, m_platform->saveFolder(), judge, this);
  if (takesAddOn(*choice)) dialog.offer(ExportDialog::Fields::AddOn);
  if (choice->form == Form::Code128) dialog.offer(ExportDialog::Fields::CodeSet);
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
  const auto prepared = prepareExport(exportSettings, kExportTitle);
  if (!prepared) return false;
  const ExportPlan plan = planExport(prepared->options, prepared->layout);
  std::string problem = sizeRefusal(prepared->layout, plan, DrawnFor::Window);
  if (problem.empty())
    problem = writeAtomically(QFile::encodeName(path).toStdString(), [&](const ByteSink& sink) {
      return render::write(prepared->layout, plan.output, sink);
    });
  if (problem.empty()) return true;
  // In the words "File Save" uses.
  m_platform->message(this,
                      QStringLiteral("The barcode was not saved as ") +
                          oneLine(QFileInfo(path).fileName()) + QStringLiteral(".\n") +
                          oneLine(QString::fromStdString(problem)) + QLatin1Char('.'),
                      kExportTitle);
  return false;
}

void BarcodeGenerator::printBarcode() {
  if (!barcodeReady(kNoBarcodeToSave)) return;
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  // X of the settings in whole dots of the printer.
  ExportSettings atPrinter = *m_exportSettings;
  const auto chosen = atPrinter.options(settings(), exportFont(*this));
  if (const auto* options = std::get_if<ExportOptions>(&chosen)) {
    atPrinter.moduleMm = moduleSize(*options).mm;
    atPrinter.byModuleWidth = true;
  }
  atPrinter.format = render::Format::Png;
  atPrinter.dpi = printer.resolution();
  const auto prepared = prepareExport(atPrinter, QStringLiteral("Print"));
  if (!prepared) return;
  const ExportPlan plan = planExport(prepared->options, prepared->layout);
  const QString problem = print(printer, prepared->layout, plan.output);
  if (!problem.isEmpty())
    m_platform->message(this, QStringLiteral("The barcode was not printed: ") + problem,
                        QStringLiteral("Print"));
  ui.dataInput->setFocus();
}

void BarcodeGenerator::copyAtExportSize() {
  if (!barcodeReady(kNoBarcodeToCopy)) return;
  // The raster at the settings' dots, and the SVG at their X.
  ExportSettings raster = *m_exportSettings, vector = *m_exportSettings;
  raster.format = render::Format::Png;
  vector.format = render::Format::Svg;
  const auto asRaster = prepareExport(raster, kExportTitle);
  if (!asRaster) return;
  const auto asVector = prepareExport(vector, kExportTitle);
  if (!asVector) return;
  const ExportPlan rasterPlan = planExport(asRaster->options, asRaster->layout);
  render::Output bmp = rasterPlan.output;
  bmp.format = render::Format::Bmp;
  // Refused before a dot is drawn: the window draws it at once.
  if (const std::string tooLarge = sizeRefusal(asRaster->layout, rasterPlan, DrawnFor::Window);
      !tooLarge.empty()) {
    m_platform->message(this,
                        QStringLiteral("The barcode was not copied: ") +
                            QString::fromStdString(tooLarge) + QLatin1Char('.'),
                        QString::fromLatin1(kAppTitle));
    return;
  }
  auto* data = new QMimeData;
  data->setImageData(imageOf(render::picture(asRaster->layout, rasterPlan.output)));
  const auto bytes = [](const std::string& document) {
    return QByteArray(document.data(), static_cast<qsizetype>(document.size()));
  };
  data->setData(QStringLiteral("image/png"),
                bytes(render::document(asRaster->layout, rasterPlan.output)));
  if (bmp.style.background)  // BMP has no transparency
    data->setData(QStringLiteral("image/bmp"), bytes(render::document(asRaster->layout, bmp)));
  data->setData(QStringLiteral("image/svg+xml"),
                bytes(render::document(asVector->layout,
                                       planExport(asVector->options, asVector->layout).output)));
  QGuiApplication::clipboard()->setMimeData(data);
  ui.dataInput->setFocus();
}

}  // namespace app
