#pragma once

#include <QDialog>
#include <functional>

#include "render/devices.h"

class QComboBox;
class QDoubleSpinBox;
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

  render::Resolution resolution() const;
};

// Format, size, resolution and file of an export, with the resulting size
// shown as the values change.
class ExportDialog : public QDialog {
  Q_OBJECT

 public:
  // Whether the symbol scans at a format and size, in one line.
  using Judge = std::function<QString(render::Format, const render::Resolution&)>;

  // baseName: the file's name without its extension; folder: where it goes,
  // empty for the current folder (the file is then named by its name alone).
  ExportDialog(const render::Layout& layout, bool printSpacing, const ExportSettings& settings,
               const QString& baseName, const QString& folder, Judge judge = {},
               QWidget* parent = nullptr);

  ExportSettings settings() const;
  QString filePath() const;
  QString sizeText() const;
  QString verdictText() const;

 private:
  void formatChanged();
  void fileChanged();
  void updateSize();
  void browse();

  render::Layout m_layout;
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
  QLineEdit* m_file = nullptr;
};

}  // namespace app
