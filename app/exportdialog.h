#pragma once

#include <QDialog>
#include <functional>
#include <variant>

#include "render/devices.h"
#include "symbologies/linear/code128sets.h"

template <typename T>
class QFutureWatcher;
class QComboBox;
class QThreadPool;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace app {

// What the "Export Barcode" dialog asks; the window keeps it for the run.
struct ExportSettings {
  render::Format format = render::Format::Png;
  bool byModuleWidth = false;  // size as X in mm rather than dots per module
  int dots = render::kDefaultDots;
  double moduleMm = 0.33;
  int dpi = render::kDefaultDpi;
  // The symbol's own fields, for the options that have them.
  QString addOn;                                    // EAN/UPC: 2 or 5 digits, or none
  linear::CodeSet codeSet = linear::CodeSet::Auto;  // Code 128

  render::Resolution resolution() const;
};

// Format, size, resolution and file of an export, with the resulting size
// shown as the values change.
class ExportDialog : public QDialog {
  Q_OBJECT

 public:
  // Whether the symbol laid out scans at the settings' format and size, in one line. Run
  // on a worker thread, so that the dialog stays live while the file is drawn and graded.
  using Judge = std::function<QString(const render::Layout&, const ExportSettings&)>;
  // The symbol laid out again for the settings' own fields, or why they are refused.
  using Relayout = std::function<std::variant<render::Layout, QString>(const ExportSettings&)>;
  enum class Fields { AddOn, CodeSet };

  // baseName: the file's name without its extension; folder: where it goes,
  // empty for the current folder (the file is then named by its name alone).
  ExportDialog(const render::Layout& layout, bool printSpacing, const ExportSettings& settings,
               const QString& baseName, const QString& folder, Judge judge = {},
               QWidget* parent = nullptr);

  // Offers a field of the symbol's own: an add-on for the EAN/UPC options,
  // the code sets for Code 128. The size and the verdict follow it; a
  // refusal stands in place of the size and holds the export back.
  void offer(Fields fields, Relayout relayout);

  ExportSettings settings() const;
  QString filePath() const;
  QString sizeText() const;
  QString verdictText() const;

 signals:
  // The verdict for the settings now shown is on the "Scanning:" line.
  void verdictShown();

 private:
  void formatChanged();
  void fileChanged();
  void updateSize();
  void browse();
  void fieldChanged();
  void judge();
  void judged();

  render::Layout m_layout;
  QString m_refusal;  // of the fields as they stand
  ExportSettings m_initial;
  Relayout m_relayout;
  QFormLayout* m_form = nullptr;
  QLineEdit* m_addOn = nullptr;
  QComboBox* m_codeSet = nullptr;
  bool m_printSpacing;
  QComboBox* m_format = nullptr;
  QRadioButton* m_byDots = nullptr;
  QRadioButton* m_byModule = nullptr;
  QSpinBox* m_dots = nullptr;
  QDoubleSpinBox* m_module = nullptr;
  QSpinBox* m_dpi = nullptr;
  QLabel* m_size = nullptr;
  QLabel* m_verdict = nullptr;
  Judge m_judge;
  QThreadPool* m_workers = nullptr;
  QFutureWatcher<QString>* m_judging = nullptr;
  int m_asked = 0;        // settings changed this many times
  int m_running = 0;      // the change the running judgement is for
  bool m_wanted = false;  // the settings shown get a verdict
  bool m_again = false;   // they changed while one ran
  QLineEdit* m_file = nullptr;
};

}  // namespace app
