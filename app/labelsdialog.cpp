#include "app/labelsdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "app/barcodegenerator.h"
#include "app/exportdialog.h"
#include "app/platform.h"
#include "export/choices.h"
#include "export/labels/messages.h"

namespace app {

namespace {

constexpr int kPreviewHeight = 420;
constexpr auto kExampleSheet = "A4 3x7 63.5x38.1 pitch 66x38.1 margins 7.25,15.15";

QString text(std::string_view view) {
  return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

QDoubleSpinBox* millimetres(QWidget* parent, double low, double high, double value,
                            const char* name) {
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(low, high);
  box->setDecimals(2);
  box->setSingleStep(0.25);
  box->setSuffix(QStringLiteral(" mm"));
  box->setValue(value);
  return box;
}

// A form's caption whose shortcut key goes to the field's first control.
QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

QString printLabels(QPrinter& printer, const labels::LabelJob& job, labels::RecordSource& source) {
  printer.setFullPage(true);
  printer.setPageSize(QPageSize(QSizeF(job.sheet.pageWidth, job.sheet.pageHeight),
                                QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
  printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  const int dpi = printer.resolution();
  QPainter painter;
  bool started = false;
  const labels::RunOutcome outcome =
      labels::runLabels(job, source, dpi, [&](std::span<const labels::PlacedLabel> page) {
        if (!started) {
          if (!painter.begin(&printer)) return false;
          started = true;
        } else if (!printer.newPage()) {
          return false;
        }
        labels::paintPage(painter, job, page, dpi);
        return true;
      });
  if (!started && outcome.refusal.isEmpty() && outcome.labels > 0)
    return QStringLiteral("The printer could not be started.");
  if (started && !painter.end()) return QStringLiteral("The printer did not accept the pages.");
  if (!outcome.refusal.isEmpty()) return outcome.refusal;
  if (outcome.labels == 0) return QStringLiteral("There are no labels to print.");
  return {};
}

LabelsDialog::LabelsDialog(const Choice& choice, const QString& data, const ExportOptions& options,
                           const QString& folder, QWidget* parent)
    : QDialog(parent), m_choice(&choice), m_data(data), m_options(options), m_folder(folder) {
  setObjectName(QStringLiteral("LabelsDialog"));
  setWindowTitle(QStringLiteral("Labels"));

  // Template
  m_template = new QComboBox(this);
  m_template->setObjectName(QStringLiteral("template"));
  for (const labels::Template& row : labels::kTemplates)
    m_template->addItem(
        text(row.name) + QStringLiteral("  (") + text(row.use) +
            (row.codes.empty() ? QString() : QStringLiteral("; ") + text(row.codes)) +
            QLatin1Char(')'),
        text(row.name));
  m_template->addItem(QStringLiteral("Your own sheet…"), QString());
  m_sheet = new QLineEdit(QString::fromLatin1(kExampleSheet), this);
  m_sheet->setObjectName(QStringLiteral("sheet"));
  m_sheet->setToolTip(
      QStringLiteral("Page (A4, Letter, … or WxH), columns x rows, label size, then optionally "
                     "\"pitch WxH\" and \"margins left,top\"; \"roll 62x29\" for a label printer. "
                     "Millimetres, or inches ending in \"in\"."));
  m_start = new QSpinBox(this);
  m_start->setObjectName(QStringLiteral("start"));
  m_start->setRange(1, 1);
  m_offsetX = millimetres(this, -50, 50, 0, "offsetX");
  m_offsetY = millimetres(this, -50, 50, 0, "offsetY");
  auto* offsets = new QHBoxLayout;
  offsets->addWidget(m_offsetX);
  offsets->addWidget(m_offsetY);
  auto* sheetBox = new QGroupBox(QStringLiteral("Sheet"), this);
  auto* sheetForm = new QFormLayout(sheetBox);
  sheetForm->addRow(QStringLiteral("&Template:"), m_template);
  sheetForm->addRow(QStringLiteral("Your o&wn:"), m_sheet);
  sheetForm->addRow(QStringLiteral("Start at &label:"), m_start);
  sheetForm->addRow(caption(QStringLiteral("Printer &offset X, Y:"), m_offsetX, this), offsets);

  // Content
  m_module = new QDoubleSpinBox(this);
  m_module->setObjectName(QStringLiteral("module"));
  m_module->setDecimals(3);
  m_module->setRange(0.01, 5);
  m_module->setSingleStep(0.01);
  m_module->setSuffix(QStringLiteral(" mm"));
  m_module->setValue(options.resolution.moduleMm());
  m_dpi = new QSpinBox(this);
  m_dpi->setObjectName(QStringLiteral("dpi"));
  m_dpi->setRange(render::kMinDpi, render::kMaxDpi);
  m_dpi->setSuffix(QStringLiteral(" dpi"));
  m_dpi->setValue(options.resolution.dpi);
  m_dpi->setToolTip(
      QStringLiteral("The PDF's dots per inch: a label printer's 203, 300 or 600. "
                     "The module is whole dots of it."));
  auto* size = new QHBoxLayout;
  size->addWidget(m_module);
  size->addWidget(m_dpi);
  auto* contentBox = new QGroupBox(QStringLiteral("On each label"), this);
  auto* contentForm = new QFormLayout(contentBox);
  contentForm->addRow(caption(QStringLiteral("Module &X, resolution:"), m_module, this), size);
  for (int i = 0; i < labels::kMaxLines; ++i) {
    m_lines[i] = new QLineEdit(this);
    m_lines[i]->setObjectName(QStringLiteral("line%1").arg(i + 1));
    m_lines[i]->setPlaceholderText(
        i == 0 ? QStringLiteral("text, with {data}, {line}, {n}, {1}, {2} …") : QString());
    m_linePlaces[i] = new QComboBox(this);
    m_linePlaces[i]->setObjectName(QStringLiteral("linePlace%1").arg(i + 1));
    m_linePlaces[i]->addItems({QStringLiteral("below"), QStringLiteral("above")});
    auto* row = new QHBoxLayout;
    row->addWidget(m_lines[i], 1);
    row->addWidget(m_linePlaces[i]);
    contentForm->addRow(caption(QStringLiteral("Text line &%1:").arg(i + 1), m_lines[i], this),
                        row);
  }
  m_textSize = new QDoubleSpinBox(this);
  m_textSize->setObjectName(QStringLiteral("textSize"));
  m_textSize->setRange(2, 72);
  m_textSize->setSuffix(QStringLiteral(" pt"));
  m_textSize->setValue(labels::kDefaultTextPoints);
  m_margin = millimetres(this, 0, 50, labels::kDefaultMarginMm, "margin");
  auto* textRow = new QHBoxLayout;
  textRow->addWidget(m_textSize);
  textRow->addWidget(caption(QStringLiteral("&margin:"), m_margin, this));
  textRow->addWidget(m_margin);
  contentForm->addRow(caption(QStringLiteral("Text si&ze:"), m_textSize, this), textRow);

  // Data
  m_fromData = new QRadioButton(QStringLiteral("The &current data: ") + data, this);
  m_fromData->setObjectName(QStringLiteral("fromData"));
  m_fromSequence = new QRadioButton(QStringLiteral("A se&quence:"), this);
  m_fromSequence->setObjectName(QStringLiteral("fromSequence"));
  m_pattern = new QLineEdit(QStringLiteral("ASSET-{0001..0500}"), this);
  m_pattern->setObjectName(QStringLiteral("pattern"));
  m_fromList = new QRadioButton(QStringLiteral("A list or CS&V file:"), this);
  m_fromList->setObjectName(QStringLiteral("fromList"));
  m_list = new QLineEdit(this);
  m_list->setObjectName(QStringLiteral("list"));
  auto* browse = new QPushButton(QStringLiteral("&Browse…"), this);
  m_column = new QSpinBox(this);
  m_column->setObjectName(QStringLiteral("column"));
  m_column->setRange(0, 1000);
  m_column->setSpecialValueText(QStringLiteral("whole line"));
  m_column->setPrefix(QStringLiteral("column "));
  m_copies = new QSpinBox(this);
  m_copies->setObjectName(QStringLiteral("copies"));
  m_copies->setRange(1, 100000);
  m_fromData->setChecked(true);
  auto* dataBox = new QGroupBox(QStringLiteral("Data"), this);
  auto* dataGrid = new QFormLayout(dataBox);
  dataGrid->addRow(m_fromData);
  dataGrid->addRow(m_fromSequence, m_pattern);
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(m_list, 1);
  listRow->addWidget(browse);
  listRow->addWidget(m_column);
  dataGrid->addRow(m_fromList, listRow);
  dataGrid->addRow(QStringLiteral("Copi&es of each:"), m_copies);

  // Preview, status, commands
  m_preview = new QLabel(this);
  m_preview->setObjectName(QStringLiteral("preview"));
  m_preview->setMinimumSize(kPreviewHeight * 210 / 297 + 8, kPreviewHeight + 8);
  m_preview->setAlignment(Qt::AlignCenter);
  m_status = new QLabel(this);
  m_status->setObjectName(QStringLiteral("status"));
  m_status->setWordWrap(true);
  m_status->setTextFormat(Qt::PlainText);
  m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  m_print = buttons->addButton(QStringLiteral("&Print…"), QDialogButtonBox::ActionRole);
  m_print->setObjectName(QStringLiteral("print"));
  m_save = buttons->addButton(QStringLiteral("&Save as PDF…"), QDialogButtonBox::ActionRole);
  m_save->setObjectName(QStringLiteral("save"));

  auto* left = new QVBoxLayout;
  left->addWidget(sheetBox);
  left->addWidget(contentBox);
  left->addWidget(dataBox);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(m_preview, 1);
  right->addWidget(m_status);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 3);
  columns->addLayout(right, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(buttons);

  m_previewTimer = new QTimer(this);
  m_previewTimer->setSingleShot(true);
  m_previewTimer->setInterval(150);
  connect(m_previewTimer, &QTimer::timeout, this, &LabelsDialog::updatePreview);
  for (QLineEdit* edit : {m_sheet, m_pattern, m_list, m_lines[0], m_lines[1], m_lines[2]})
    connect(edit, &QLineEdit::textChanged, this, &LabelsDialog::schedulePreview);
  for (QComboBox* box : {m_template, m_linePlaces[0], m_linePlaces[1], m_linePlaces[2]})
    connect(box, &QComboBox::currentIndexChanged, this, &LabelsDialog::schedulePreview);
  for (QDoubleSpinBox* box : {m_textSize, m_margin, m_module, m_offsetX, m_offsetY})
    connect(box, &QDoubleSpinBox::valueChanged, this, &LabelsDialog::schedulePreview);
  for (QSpinBox* box : {m_dpi, m_column, m_copies, m_start})
    connect(box, &QSpinBox::valueChanged, this, &LabelsDialog::schedulePreview);
  for (QRadioButton* button : {m_fromData, m_fromSequence, m_fromList})
    connect(button, &QRadioButton::toggled, this, &LabelsDialog::schedulePreview);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("List or CSV"), m_folder,
                                     QStringLiteral("Lists (*.csv *.txt);;All files (*)"));
    if (file.isEmpty()) return;
    m_list->setText(file);
    m_fromList->setChecked(true);
  });
  connect(m_print, &QPushButton::clicked, this, &LabelsDialog::print);
  connect(m_save, &QPushButton::clicked, this, &LabelsDialog::saveAsPdf);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  updatePreview();
}

LabelsDialog::~LabelsDialog() = default;

void LabelsDialog::schedulePreview() { m_previewTimer->start(); }

std::optional<labels::LabelJob> LabelsDialog::job(QString& problem) const {
  labels::LabelJob job;
  const QString name = m_template->currentData().toString();
  m_sheet->setEnabled(name.isEmpty());
  if (!name.isEmpty()) {
    job.sheet = labels::findTemplate(name.toStdString())->sheet;
  } else {
    const auto sheet = labels::parseSheet(m_sheet->text().toStdString());
    if (const auto* error = std::get_if<labels::SheetError>(&sheet)) {
      problem = labels::describe(*error).remove(QStringLiteral("--sheet: "));
      return std::nullopt;
    }
    job.sheet = std::get<labels::Sheet>(sheet);
  }
  m_start->setMaximum(job.sheet.perPage());
  job.start = m_start->value();
  job.copies = m_copies->value();
  job.offsetX = m_offsetX->value();
  job.offsetY = m_offsetY->value();
  job.content.choice = m_choice;
  job.content.options = m_options;
  job.content.options.resolution = {render::dotsForModule(m_module->value(), m_dpi->value()),
                                    m_dpi->value()};
  job.content.textPoints = m_textSize->value();
  job.content.marginMm = m_margin->value();
  for (int i = 0; i < labels::kMaxLines; ++i)
    if (!m_lines[i]->text().isEmpty())
      (m_linePlaces[i]->currentIndex() == 1 ? job.content.above : job.content.below)
          << m_lines[i]->text();
  if (const QString refused =
          QString::fromStdString(checkOptionsFor(*m_choice, job.content.options));
      !refused.isEmpty()) {
    problem = refused;
    return std::nullopt;
  }
  return job;
}

std::unique_ptr<labels::RecordSource> LabelsDialog::source(QFile& list, QString& problem) const {
  if (m_fromSequence->isChecked()) {
    const auto sequence = labels::parseSequence(m_pattern->text().toStdString());
    if (const auto* error = std::get_if<labels::SequenceError>(&sequence)) {
      problem = labels::describe(*error).remove(QStringLiteral("--sequence: "));
      return nullptr;
    }
    return labels::sequenceRecords(m_choice, std::get<labels::Sequence>(sequence));
  }
  if (m_fromList->isChecked()) {
    list.setFileName(m_list->text());
    if (!list.open(QIODevice::ReadOnly)) {
      problem = QStringLiteral("The list cannot be read: ") + list.errorString();
      return nullptr;
    }
    return labels::listRecords(list, m_choice, m_column->value());
  }
  return labels::singleRecord(m_choice, m_data);
}

QString LabelsDialog::statusText() const { return m_status->text(); }

void LabelsDialog::updatePreview() {
  QString problem;
  const auto made = job(problem);
  QFile list;
  const auto records = made ? source(list, problem) : nullptr;
  m_print->setEnabled(records != nullptr);
  m_save->setEnabled(records != nullptr);
  if (!records) {
    m_preview->clear();
    m_status->setText(problem);
    return;
  }
  const labels::Sheet& sheet = made->sheet;
  const int dpi = made->content.options.resolution.dpi;
  const double scale = std::min(kPreviewHeight / (sheet.pageHeight * dpi / 25.4),
                                kPreviewHeight / (sheet.pageWidth * dpi / 25.4));
  QImage page = labels::firstPage(*made, *records, dpi, problem, scale);
  {
    // The labels' edges, which the print does not show.
    QPainter painter(&page);
    painter.setPen(QColor(170, 190, 220));
    const double dots = dpi / 25.4 * scale;
    for (int row = 0; row < sheet.rows; ++row)
      for (int column = 0; column < sheet.columns; ++column) {
        const labels::Box box = labels::labelBox(sheet, row, column);
        painter.drawRect(QRectF(box.x * dots, box.y * dots, box.width * dots, box.height * dots));
      }
  }
  m_preview->setPixmap(QPixmap::fromImage(page));
  const render::Resolution& resolution = made->content.options.resolution;
  m_status->setText(problem.isEmpty() ? labels::describeSheet(sheet) +
                                            QStringLiteral("; X = %1 mm (%2 dots at %3 dpi)")
                                                .arg(resolution.moduleMm(), 0, 'f', 3)
                                                .arg(resolution.dots)
                                                .arg(resolution.dpi)
                                      : problem);
}

void LabelsDialog::print() {
  QString problem;
  const auto made = job(problem);
  QFile list;
  const auto records = made ? source(list, problem) : nullptr;
  if (!records) return;
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  problem = printLabels(printer, *made, *records);
  m_status->setText(problem.isEmpty() ? QStringLiteral("Sent to the printer.")
                                      : QStringLiteral("Not printed: ") + problem);
}

void LabelsDialog::saveAsPdf() {
  QString problem;
  const auto made = job(problem);
  if (!made) return;
  const QString path = QFileDialog::getSaveFileName(
      this, QStringLiteral("Save Labels as PDF"),
      QDir(m_folder).filePath(QStringLiteral("labels.pdf")), QStringLiteral("PDF (*.pdf)"));
  if (path.isEmpty()) return;
  QFile list;
  const auto records = source(list, problem);
  if (!records) return;
  const labels::PdfOutcome outcome = labels::writeLabelsPdf(path, *made, *records, false);
  if (!outcome.run.refusal.isEmpty())
    m_status->setText(QStringLiteral("Not saved: ") + outcome.run.refusal);
  else if (!outcome.notWritten.isEmpty())
    m_status->setText(QStringLiteral("Not saved: ") + outcome.notWritten);
  else
    m_status->setText(QStringLiteral("Saved %1: %2 pages, %3 labels.")
                          .arg(QDir::toNativeSeparators(path))
                          .arg(outcome.run.pages)
                          .arg(outcome.run.labels));
}

void BarcodeGenerator::makeLabels() {
  const Choice* choice = checkedChoice();
  if (!choice) return;
  const linear::Settings symbol = settings();
  ExportOptions options;
  const ExportSettings& chosen = *m_exportSettings;
  options.resolution = {
      chosen.byModuleWidth ? render::dotsForModule(chosen.moduleMm, chosen.dpi) : chosen.dots,
      chosen.dpi};
  options.label = symbol.label != 0;
  options.check = symbol.checkCharacter != 0;
  options.optimize = symbol.printSpacing != 0;
  // EAN/UPC digits keep their OCR B; the label font is the linear label's.
  if (choice->family == Family::Linear) options.fontFamily = ui.fontName->text().toStdString();
  LabelsDialog dialog(*choice, ui.dataInput->text(), options, m_platform->currentDirectory(), this);
  dialog.exec();
  ui.dataInput->setFocus();
}

}  // namespace app
