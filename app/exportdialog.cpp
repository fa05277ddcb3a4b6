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

#include "export/exportoptions.h"
#include "export/limits.h"

namespace app {

namespace {

constexpr render::Format kFormats[] = {render::Format::Png, render::Format::Svg,
                                       render::Format::Pdf, render::Format::Bmp};

}  // namespace

render::Resolution ExportSettings::resolution() const {
  return {byModuleWidth ? render::dotsForModule(moduleMm, dpi) : dots, dpi};
}

ExportDialog::ExportDialog(const render::Layout& layout, bool printSpacing,
                           const ExportSettings& settings, const QString& baseName,
                           const QString& folder, Judge judge, QWidget* parent)
    : QDialog(parent),
      m_layout(layout),
      m_initial(settings),
      m_printSpacing(printSpacing),
      m_judge(std::move(judge)) {
  setObjectName(QStringLiteral("ExportDialog"));
  setWindowTitle(QStringLiteral("Export Barcode"));

  m_format = new QComboBox(this);
  m_format->setObjectName(QStringLiteral("format"));
  for (const render::Format format : kFormats)
    m_format->addItem(extensionOf(format).toUpper(), static_cast<int>(format));
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
  m_module->setRange(0.01, 10);
  m_module->setSingleStep(0.01);
  m_module->setSuffix(QStringLiteral(" mm"));
  m_module->setValue(settings.moduleMm);
  (settings.byModuleWidth ? m_byModule : m_byDots)->setChecked(true);

  m_dpi = new QSpinBox(this);
  m_dpi->setObjectName(QStringLiteral("dpi"));
  m_dpi->setRange(render::kMinDpi, render::kMaxDpi);
  m_dpi->setSuffix(QStringLiteral(" dpi"));
  m_dpi->setValue(settings.dpi);

  m_size = new QLabel(this);
  m_size->setObjectName(QStringLiteral("size"));
  m_size->setTextInteractionFlags(Qt::TextSelectableByMouse);

  m_verdict = new QLabel(this);
  m_verdict->setObjectName(QStringLiteral("verdict"));
  m_verdict->setTextFormat(Qt::PlainText);
  m_verdict->setWordWrap(true);
  m_verdict->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Room for the grade line as it wraps, kept while it is worked out: the dialog does not
  // jump when the grade arrives.
  m_verdict->setMinimumHeight(4 * m_verdict->fontMetrics().lineSpacing());

  const QString name = baseName + QLatin1Char('.') + extensionOf(settings.format);
  m_file = new QLineEdit(folder.isEmpty() ? name : QDir(folder).filePath(name), this);
  m_file->setObjectName(QStringLiteral("file"));
  m_file->setMinimumWidth(320);
  auto* browse = new QPushButton(QStringLiteral("&Browse…"), this);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(m_file, 1);
  fileRow->addWidget(browse);

  auto* form = m_form = new QFormLayout;
  form->addRow(QStringLiteral("&Format:"), m_format);
  form->addRow(m_byDots, m_dots);
  form->addRow(m_byModule, m_module);
  form->addRow(QStringLiteral("&Resolution:"), m_dpi);
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
  connect(m_file, &QLineEdit::textChanged, this, &ExportDialog::fileChanged);
  for (QRadioButton* button : {m_byDots, m_byModule})
    connect(button, &QRadioButton::toggled, this, &ExportDialog::updateSize);
  connect(m_dots, &QSpinBox::valueChanged, this, &ExportDialog::updateSize);
  connect(m_dpi, &QSpinBox::valueChanged, this, &ExportDialog::updateSize);
  connect(m_module, &QDoubleSpinBox::valueChanged, this, &ExportDialog::updateSize);
  // The dialog's own worker: it ends with the dialog, so that no grade (and no
  // font it drew with) outlives the window.
  m_workers = new QThreadPool(this);
  m_workers->setMaxThreadCount(1);
  m_judging = new QFutureWatcher<QString>(this);
  connect(m_judging, &QFutureWatcher<QString>::finished, this, &ExportDialog::judged);
  updateSize();
}

void ExportDialog::offer(Fields fields, Relayout relayout) {
  m_relayout = std::move(relayout);
  if (fields == Fields::AddOn) {
    m_addOn = new QLineEdit(m_initial.addOn, this);
    m_addOn->setObjectName(QStringLiteral("addOn"));
    m_addOn->setPlaceholderText(QStringLiteral("none, or 2 or 5 digits"));
    m_addOn->setMaxLength(5);
    connect(m_addOn, &QLineEdit::textChanged, this, &ExportDialog::fieldChanged);
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
    connect(m_codeSet, &QComboBox::currentIndexChanged, this, &ExportDialog::fieldChanged);
    m_form->insertRow(1, QStringLiteral("&Code set:"), m_codeSet);
  }
  fieldChanged();
}

void ExportDialog::fieldChanged() {
  if (!m_relayout) return;
  auto layout = m_relayout(settings());
  if (auto* refused = std::get_if<QString>(&layout)) {
    m_refusal = *refused;
  } else {
    m_refusal.clear();
    m_layout = std::move(std::get<render::Layout>(layout));
  }
  updateSize();
}

ExportSettings ExportDialog::settings() const {
  ExportSettings chosen = m_initial;
  chosen.format = static_cast<render::Format>(m_format->currentData().toInt());
  chosen.byModuleWidth = m_byModule->isChecked();
  chosen.dots = m_dots->value();
  chosen.moduleMm = m_module->value();
  chosen.dpi = m_dpi->value();
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
  const auto named = render::formatNamed(suffix);
  if (named && *named != format)
    m_file->setText(file.chopped(suffix.size()) + extensionOf(format));
  else if (!named && !file.isEmpty())
    m_file->setText(file + QLatin1Char('.') + extensionOf(format));
  updateSize();
}

void ExportDialog::fileChanged() {
  // A known extension typed or chosen picks its format, so the bytes of one
  // format never go under another's name.
  if (const auto named = render::formatNamed(QFileInfo(m_file->text()).suffix()))
    m_format->setCurrentIndex(m_format->findData(static_cast<int>(*named)));
}

void ExportDialog::updateSize() {
  const ExportSettings current = settings();
  m_dots->setEnabled(!current.byModuleWidth);
  m_module->setEnabled(current.byModuleWidth);
  const render::Resolution resolution = current.resolution();
  const bool tooFine = current.byModuleWidth &&
                       render::dotsForModule(current.moduleMm, current.dpi) > render::kMaxDots;
  const bool refused = !m_refusal.isEmpty();
  // Said before anything is drawn: a size the window will not make.
  const QString tooLarge = tooFine || refused ? QString()
                                              : sizeRefusal(current.format, m_layout, resolution,
                                                            m_printSpacing, DrawnFor::Window);
  m_size->setText(
      refused   ? m_refusal
      : tooFine ? QStringLiteral("X is more than %1 dots at this resolution").arg(render::kMaxDots)
      : tooLarge.isEmpty() ? describeSize(current.format, m_layout, resolution, m_printSpacing)
                           : QStringLiteral("Too large: ") + tooLarge);
  const bool possible = !tooFine && !refused && tooLarge.isEmpty();
  // The grade of the file this size makes, once it is drawn and graded.
  ++m_asked;
  m_wanted = possible && m_judge;
  m_verdict->setText(m_wanted ? QStringLiteral("Grading\u2026") : QString());
  if (m_wanted) judge();
  if (auto* box = findChild<QDialogButtonBox*>())
    box->button(QDialogButtonBox::Ok)->setEnabled(possible);
}

void ExportDialog::judge() {
  // One at a time: a change made meanwhile is judged when the running one ends.
  if (m_judging->isRunning()) {
    m_again = true;
    return;
  }
  m_running = m_asked;
  m_judging->setFuture(QtConcurrent::run(m_workers, m_judge, m_layout, settings()));
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
  const QString chosen = QFileDialog::getSaveFileName(
      this, QStringLiteral("Export Barcode"), m_file->text(),
      QStringLiteral("%1 (*.%2)").arg(extensionOf(format).toUpper(), extensionOf(format)));
  if (!chosen.isEmpty()) m_file->setText(chosen);
}

}  // namespace app
