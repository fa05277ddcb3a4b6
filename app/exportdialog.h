#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <variant>

#include "export/exportoptions.h"
#include "render/devices.h"

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
// The typed fields are read as the command line reads its options.
struct ExportSettings {
  render::Format format = render::Format::Png;
  bool byModuleWidth = false;  // size as X in mm rather than dots per module
  int dots = render::kDefaultDots;
  double moduleMm = 0.33;
  int dpi = render::kDefaultDpi;
  QString height;     // of the bars in mm; empty: the standard's
  QString reduction;  // dots ("1") or mm ("0.03mm"); empty: as "Optimize for Printing" says
  int rotation = 0;
  QString foreground = QStringLiteral("000000");
  QString background = QStringLiteral("ffffff");  // or "none"
  // The symbol's own fields, for the options that have them.
  QString addOn;                                    // EAN/UPC: 2 or 5 digits, or none
  linear::CodeSet codeSet = linear::CodeSet::Auto;  // Code 128

  // The export options for a symbol with the window's boxes and label font
  // (empty: the family's own), or what is wrong, in the dialog's words.
  std::variant<ExportOptions, QString> options(const linear::Settings& boxes,
                                               const QString& font) const;
};

// Format, size, resolution, height, reduction, rotation, colours and file of
// an export, with the resulting size, the warnings and whether it scans
// shown as the values change.
class ExportDialog : public QDialog {
  Q_OBJECT

 public:
  // The symbol laid out for the options, or why not.
  using LayoutMaker =
      std::function<std::variant<render::Layout, std::string>(const ExportOptions&)>;
  // Whether the symbol scans as the plan draws it, in one line. Run on a worker
  // thread, so that the dialog stays live while the file is drawn and graded.
  using Judge =
      std::function<QString(const render::Layout&, const ExportPlan&, const ExportOptions&)>;
  enum class Fields { AddOn, CodeSet };

  // boxes and font: the window's; baseName: the file's name without its
  // extension; folder: where it goes, empty for the current folder (the file
  // is then named by its name alone).
  ExportDialog(LayoutMaker maker, const linear::Settings& boxes, const QString& font,
               const ExportSettings& settings, const QString& baseName, const QString& folder,
               Judge judge = {}, QWidget* parent = nullptr);

  // Offers a field of the symbol's own: an add-on for the EAN/UPC options,
  // the code sets for Code 128. The size and the verdict follow it; a
  // refusal stands in place of the size and holds the export back.
  void offer(Fields fields);

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
  void judge();
  void judged();

  LayoutMaker m_maker;
  ExportSettings m_initial;
  QFormLayout* m_form = nullptr;
  QLineEdit* m_addOn = nullptr;
  QComboBox* m_codeSet = nullptr;
  linear::Settings m_boxes;
  QString m_font;
  Judge m_judge;
  QComboBox* m_format = nullptr;
  QRadioButton* m_byDots = nullptr;
  QRadioButton* m_byModule = nullptr;
  QSpinBox* m_dots = nullptr;
  QDoubleSpinBox* m_module = nullptr;
  QSpinBox* m_dpi = nullptr;
  QLineEdit* m_height = nullptr;
  QLineEdit* m_reduction = nullptr;
  QComboBox* m_rotation = nullptr;
  QLineEdit* m_foreground = nullptr;
  QLineEdit* m_background = nullptr;
  QLabel* m_size = nullptr;
  QLabel* m_verdict = nullptr;
  // What the next judgement is for: the last exportable settings.
  struct Judged {
    render::Layout layout;
    ExportPlan plan;
    ExportOptions options;
  } m_pending;
  QThreadPool* m_workers = nullptr;
  QFutureWatcher<QString>* m_judging = nullptr;
  int m_asked = 0;        // settings changed this many times
  int m_running = 0;      // the change the running judgement is for
  bool m_wanted = false;  // the settings shown get a verdict
  bool m_again = false;   // they changed while one ran
  QLineEdit* m_file = nullptr;
};

}  // namespace app
