#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <memory>
#include <optional>

#include "export/exportoptions.h"
#include "export/labels/labeljob.h"

class QComboBox;
class QDoubleSpinBox;
class QFile;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace app {

struct Choice;

// Prints the labels through a printer set up by its dialog, each page laid
// out at the printer's resolution. Returns "" or why nothing was printed.
QString printLabels(QPrinter& printer, const labels::LabelJob& job, labels::RecordSource& source);

// "Labels…": the window's symbol on a sheet or a roll of labels, with text
// lines, from the current data, a sequence or a list; a preview of the first
// page as it changes, Print… and Save as PDF….
class LabelsDialog : public QDialog {
  Q_OBJECT

 public:
  // The window's type, data and options (X, resolution, label, check, font).
  LabelsDialog(const Choice& choice, const QString& data, const ExportOptions& options,
               const QString& folder, QWidget* parent = nullptr);
  ~LabelsDialog() override;

  // The job as the controls set it, or why they do not make one.
  std::optional<labels::LabelJob> job(QString& problem) const;
  QString statusText() const;
  void updatePreview();

 private:
  // The records the controls ask for; list is kept open while they are read.
  std::unique_ptr<labels::RecordSource> source(QFile& list, QString& problem) const;
  void schedulePreview();
  void print();
  void saveAsPdf();

  const Choice* m_choice;
  QString m_data;
  ExportOptions m_options;
  QString m_folder;
  QComboBox* m_template = nullptr;
  QLineEdit* m_sheet = nullptr;
  std::array<QLineEdit*, labels::kMaxLines> m_lines{};
  std::array<QComboBox*, labels::kMaxLines> m_linePlaces{};
  QDoubleSpinBox* m_textSize = nullptr;
  QDoubleSpinBox* m_margin = nullptr;
  QDoubleSpinBox* m_module = nullptr;
  QSpinBox* m_dpi = nullptr;
  QRadioButton* m_fromData = nullptr;
  QRadioButton* m_fromSequence = nullptr;
  QRadioButton* m_fromList = nullptr;
  QLineEdit* m_pattern = nullptr;
  QLineEdit* m_list = nullptr;
  QSpinBox* m_column = nullptr;
  QSpinBox* m_copies = nullptr;
  QSpinBox* m_start = nullptr;
  QDoubleSpinBox* m_offsetX = nullptr;
  QDoubleSpinBox* m_offsetY = nullptr;
  QLabel* m_preview = nullptr;
  QLabel* m_status = nullptr;
  QPushButton* m_print = nullptr;
  QPushButton* m_save = nullptr;
  QTimer* m_previewTimer = nullptr;
};

}  // namespace app
