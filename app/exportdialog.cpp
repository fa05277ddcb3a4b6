#include "app/exportdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QThreadPool>
#include <QtConcurrent>

#include "export/limits.h"

namespace app {

namespace {

constexpr render::Format kFormats[] = {render::Format::Png, render::Format::Svg,
                                       render::Format::Pdf, render::Format::Eps,
                                       render::Format::Bmp};
constexpr int kRotations[] = {0, 90, 180, 270};

QString extensionText(render::Format format) {
  return QString::fromLatin1(render::extensionOf(format));
}

// The options' words as the dialog's fields name them.
QString inFieldWords(const std::string& message) {
  static const std::pair<const char*, const char*> kFields[] = {
      {"--module", "Module width X"}, {"--dots", "Dots per module"}, {"--dpi", "Resolution"},
      {"--height", "Height"},         {"--reduce", "Reduction"},     {"--fg", "Colour"},
      {"--bg", "Background"},         {"--rotate", "Rotation"},      {"--font", "Label font"}};
  QString text = QString::fromStdString(message);
  for (const auto& [option, field] : kFields)
    if (text.startsWith(QLatin1String(option)))
      return QLatin1String(field) + text.mid(static_cast<qsizetype>(std::strlen(option)));
  return text;
}

QLineEdit* field(QWidget* parent, const char* name, const QString& text, const char* placeholder) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(QLatin1String(name));
  edit->setPlaceholderText(QString::fromUtf8(placeholder));
  return edit;
}

}  // namespace

std::variant<ExportOptions, QString> ExportSettings::options(const linear::Settings& boxes,
                                                             const QString& font) const {
  ExportOptions options;
  options.format = format;
  const auto typedText = [](const QString& text) -> std::optional<std::string> {
    if (text.trimmed().isEmpty()) return std::nullopt;
    return text.toStdString();
  };
  const TypedOptions typed{
      .dots = byModuleWidth ? std::nullopt : std::optional(std::to_string(dots)),
      .module = byModuleWidth ? std::optional(QString::number(moduleMm, 'f', 3).toStdString())
                              : std::nullopt,
      .dpi = std::to_string(dpi),
      .font = typedText(font),
      .height = typedText(height),
      .reduce = typedText(reduction),
      .rotate = std::to_string(rotation),
      .fg = typedText(foreground),
      .bg = typedText(background),
      .noLabel = boxes.label == 0,
      .check = boxes.checkCharacter != 0,
      .optimize = boxes.printSpacing != 0};
  if (const std::string problem = readExportOptions(typed, options); !problem.empty())
    return inFieldWords(problem);
  options.addOn = addOn.trimmed().toStdString();
  options.codeSet = codeSet;
  return options;
}

ExportDialog::ExportDialog(LayoutMaker maker, const linear::Settings& boxes, const QString& font,
                           const ExportSettings& settings, const QString& baseName,
                           const QString& folder, Judge judge, QWidget* parent)
    : QDialog(parent),
      m_maker(std::move(maker)),
      m_initial(settings),
      m_boxes(boxes),
      m_font(font),
      m_judge(std::move(judge)) {
  setObjectName(QStringLiteral("ExportDialog"));
  setWindowTitle(QStringLiteral("Export Barcode"));

  m_format = new QComboBox(this);
  m_format->setObjectName(QStringLiteral("format"));
  for (const render::Format format : kFormats)
    m_format->addItem(extensionText(format).toUpper(), static_cast<int>(format));
  m_format->setCurrentIndex(m_format->findData(static_cast<int>(settings.format)));

  m_byDots = new QRadioButton(QStringLiteral("&Dots per module:"), this);
  m_dots = new QSpinBox(this);
  m_dots->setObjectName(QStringLiteral("dots"));
  m_dots->setRange(render::kMinDots, render::kMaxDots);
  m_dots->setValue(settings.dots);
  m_byModule = new QRadioButton(QStringLiteral("&Module width X:"), this);
  m_module = new QDoubleSpinBox(this);
  m_module->setObjectName(QStringLiteral("module"));
  m_module->setDecimals(3);
  m_module->setRange(kMinModuleMm, kMaxModuleMm);
  m_module->setSingleStep(0.01);
  m_module->setSuffix(QStringLiteral(" mm"));
  m_module->setValue(settings.moduleMm);
  (settings.byModuleWidth ? m_byModule : m_byDots)->setChecked(true);

  m_dpi = new QSpinBox(this);
  m_dpi->setObjectName(QStringLiteral("dpi"));
  m_dpi->setRange(render::kMinDpi, render::kMaxDpi);
  m_dpi->setSuffix(QStringLiteral(" dpi"));
  m_dpi->setValue(settings.dpi);

  m_height = field(this, "height", settings.height, "the standard's, in mm");
  m_reduction = field(this, "reduce", settings.reduction, "dots (1) or mm (0.03mm)");
  m_rotation = new QComboBox(this);
  m_rotation->setObjectName(QStringLiteral("rotate"));
  for (const int degrees : kRotations)
    m_rotation->addItem(QStringLiteral("%1°").arg(degrees), degrees);
  m_rotation->setCurrentIndex(m_rotation->findData(settings.rotation));
  m_foreground = field(this, "fg", settings.foreground, "RRGGBB");
  m_background = field(this, "bg", settings.background, "RRGGBB, or none");

  m_size = new QLabel(this);
  m_size->setObjectName(QStringLiteral("size"));
  m_size->setTextFormat(Qt::PlainText);
  m_size->setWordWrap(true);
  m_size->setTextInteractionFlags(Qt::TextSelectableByMouse);

  m_verdict = new QLabel(this);
  m_verdict->setObjectName(QStringLiteral("verdict"));
  m_verdict->setTextFormat(Qt::PlainText);
  m_verdict->setWordWrap(true);
  m_verdict->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Room for the grade line as it wraps, kept while it is worked out: the dialog does not
  // jump when the grade arrives.
  m_verdict->setMinimumHeight(4 * m_verdict->fontMetrics().lineSpacing());

  const QString name = baseName + QLatin1Char('.') + extensionText(settings.format);
  m_file = new QLineEdit(folder.isEmpty() ? name : QDir(folder).filePath(name), this);
  m_file->setObjectName(QStringLiteral("file"));
  m_file->setMinimumWidth(320);
  auto* browse = new QPushButton(QStringLiteral("&Browse…"), this);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(m_file, 1);
  fileRow->addWidget(browse);
  // A row of two fields: its labels name their fields themselves, as a form
  // row's text names only a field, not a layout.
  auto* coloursLabel = new QLabel(QStringLiteral("Colo&urs:"), this);
  coloursLabel->setBuddy(m_foreground);
  auto* onLabel = new QLabel(QStringLiteral("o&n"), this);
  onLabel->setBuddy(m_background);
  auto* colours = new QHBoxLayout;
  colours->addWidget(m_foreground);
  colours->addWidget(onLabel);
  colours->addWidget(m_background);

  auto* form = m_form = new QFormLayout;
  form->addRow(QStringLiteral("&Format:"), m_format);
  form->addRow(m_byDots, m_dots);
  form->addRow(m_byModule, m_module);
  form->addRow(QStringLiteral("&Resolution:"), m_dpi);
  form->addRow(QStringLiteral("&Height:"), m_height);
  form->addRow(QStringLiteral("Bar reduc&tion:"), m_reduction);
  form->addRow(QStringLiteral("R&otation:"), m_rotation);
  form->addRow(coloursLabel, colours);
  form->addRow(QStringLiteral("Size:"), m_size);
  form->addRow(QStringLiteral("Scanning:"), m_verdict);
  auto* fileLabel = new QLabel(QStringLiteral("Fi&le:"), this);
  fileLabel->setBuddy(m_file);
  form->addRow(fileLabel, fileRow);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Export"));
  auto* layoutBox = new QVBoxLayout(this);
  layoutBox->addLayout(form);
  layoutBox->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(browse, &QPushButton::clicked, this, &ExportDialog::browse);
  connect(m_format, &QComboBox::currentIndexChanged, this, &ExportDialog::formatChanged);
  connect(m_rotation, &QComboBox::currentIndexChanged, this, &ExportDialog::updateSize);
  connect(m_file, &QLineEdit::textChanged, this, &ExportDialog::fileChanged);
  for (QRadioButton* button : {m_byDots, m_byModule})
    connect(button, &QRadioButton::toggled, this, &ExportDialog::updateSize);
  connect(m_dots, &QSpinBox::valueChanged, this, &ExportDialog::updateSize);
  connect(m_dpi, &QSpinBox::valueChanged, this, &ExportDialog::updateSize);
  connect(m_module, &QDoubleSpinBox::valueChanged, this, &ExportDialog::updateSize);
  for (QLineEdit* edit : {m_height, m_reduction, m_foreground, m_background})
    connect(edit, &QLineEdit::textChanged, this, &ExportDialog::updateSize);
  // The dialog's own worker: it ends with the dialog, so that no grade (and no
  // font it drew with) outlives the window.
  m_workers = new QThreadPool(this);
  m_workers->setMaxThreadCount(1);
  m_judging = new QFutureWatcher<QString>(this);
  connect(m_judging, &QFutureWatcher<QString>::finished, this, &ExportDialog::judged);
  updateSize();
}

void ExportDialog::offer(Fields fields) {
  if (fields == Fields::AddOn) {
    m_addOn = new QLineEdit(m_initial.addOn, this);
    m_addOn->setObjectName(QStringLiteral("addOn"));
    m_addOn->setPlaceholderText(QStringLiteral("none, or 2 or 5 digits"));
    m_addOn->setMaxLength(5);
    connect(m_addOn, &QLineEdit::textChanged, this, &ExportDialog::updateSize);
    m_form->insertRow(1, QStringLiteral("&Add-on:"), m_addOn);
  } else {
    m_codeSet = new QComboBox(this);
    m_codeSet->setObjectName(QStringLiteral("codeSet"));
    const std::pair<const char*, linear::CodeSet> sets[] = {
        {"Auto (the shortest)", linear::CodeSet::Auto},
        {"A", linear::CodeSet::A},
        {"B", linear::CodeSet::B},
        {"C", linear::CodeSet::C}};
    for (const auto& [name, set] : sets)
      m_codeSet->addItem(QString::fromLatin1(name), static_cast<int>(set));
    m_codeSet->setCurrentIndex(m_codeSet->findData(static_cast<int>(m_initial.codeSet)));
    connect(m_codeSet, &QComboBox::currentIndexChanged, this, &ExportDialog::updateSize);
    m_form->insertRow(1, QStringLiteral("Code &set:"), m_codeSet);
  }
  updateSize();
}

ExportSettings ExportDialog::settings() const {
  ExportSettings chosen{.format = static_cast<render::Format>(m_format->currentData().toInt()),
                        .byModuleWidth = m_byModule->isChecked(),
                        .dots = m_dots->value(),
                        .moduleMm = m_module->value(),
                        .dpi = m_dpi->value(),
                        .height = m_height->text(),
                        .reduction = m_reduction->text(),
                        .rotation = m_rotation->currentData().toInt(),
                        .foreground = m_foreground->text(),
                        .background = m_background->text(),
                        .addOn = m_initial.addOn,
                        .codeSet = m_initial.codeSet};
  if (m_addOn) chosen.addOn = m_addOn->text().trimmed();
  if (m_codeSet) chosen.codeSet = static_cast<linear::CodeSet>(m_codeSet->currentData().toInt());
  return chosen;
}

QString ExportDialog::filePath() const { return m_file->text(); }

QString ExportDialog::sizeText() const { return m_size->text(); }

QString ExportDialog::verdictText() const { return m_verdict->text(); }

void ExportDialog::formatChanged() {
  // The file keeps its name and takes the format's extension in place of
  // another format's, or after a name that has none of them; an extension
  // that already names the format stays as typed.
  const render::Format format = settings().format;
  const QString file = m_file->text();
  const QString suffix = QFileInfo(file).suffix();
  const auto named = render::formatNamed(suffix.toStdString());
  if (named && *named != format)
    m_file->setText(file.chopped(suffix.size()) + extensionText(format));
  else if (!named && !file.isEmpty())
    m_file->setText(file + QLatin1Char('.') + extensionText(format));
  updateSize();
}

void ExportDialog::fileChanged() {
  // A known extension typed or chosen picks its format, so the bytes of one
  // format never go under another's name.
  if (const auto named = render::formatNamed(QFileInfo(m_file->text()).suffix().toStdString()))
    m_format->setCurrentIndex(m_format->findData(static_cast<int>(*named)));
}

void ExportDialog::updateSize() {
  const ExportSettings current = settings();
  m_dots->setEnabled(!current.byModuleWidth);
  m_module->setEnabled(current.byModuleWidth);
  QString size;
  bool exportable = false;
  const auto options = current.options(m_boxes, m_font);
  if (const auto* problem = std::get_if<QString>(&options)) {
    size = *problem;
  } else {
    const auto layout = m_maker(std::get<ExportOptions>(options));
    if (const auto* refused = std::get_if<std::string>(&layout)) {
      size = QString::fromStdString(*refused);
    } else {
      const auto& symbol = std::get<render::Layout>(layout);
      const ExportPlan plan = planExport(std::get<ExportOptions>(options), symbol);
      // Said before anything is drawn: a size the window will not make.
      if (const std::string tooLarge = sizeRefusal(symbol, plan, DrawnFor::Window);
          !tooLarge.empty()) {
        size = QStringLiteral("Too large: ") + QString::fromStdString(tooLarge);
      } else {
        size = QString::fromStdString(describeSize(symbol, plan));
        for (const Warning& warning : warningsFor(symbol, plan))
          size += QStringLiteral("\nWarning: ") + QString::fromStdString(warningText(warning));
        m_pending = {symbol, plan, std::get<ExportOptions>(options)};
        exportable = true;
      }
    }
  }
  m_size->setText(size);
  // The grade of the file this size makes, once it is drawn and graded.
  ++m_asked;
  m_wanted = exportable && m_judge;
  m_verdict->setText(m_wanted ? QStringLiteral("Grading\u2026") : QString());
  if (m_wanted) judge();
  if (auto* box = findChild<QDialogButtonBox*>())
    box->button(QDialogButtonBox::Ok)->setEnabled(exportable);
}

void ExportDialog::judge() {
  // One at a time: a change made meanwhile is judged when the running one ends.
  if (m_judging->isRunning()) {
    m_again = true;
    return;
  }
  m_running = m_asked;
  m_judging->setFuture(
      QtConcurrent::run(m_workers, m_judge, m_pending.layout, m_pending.plan, m_pending.options));
}

void ExportDialog::judged() {
  if (m_running == m_asked && m_wanted) {
    m_verdict->setText(m_judging->result());
    emit verdictShown();
  }
  if (m_again) {
    m_again = false;
    if (m_wanted) judge();
  }
}

void ExportDialog::browse() {
  const render::Format format = settings().format;
  const QString extension = extensionText(format);
  const QString chosen =
      QFileDialog::getSaveFileName(this, QStringLiteral("Export Barcode"), m_file->text(),
                                   QStringLiteral("%1 (*.%2)").arg(extension.toUpper(), extension));
  if (!chosen.isEmpty()) m_file->setText(chosen);
}

}  // namespace app
