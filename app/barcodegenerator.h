#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "export/choices.h"
#include "export/limits.h"
#include "export/product.h"
#include "symbologies/linear/linear.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
template <typename T>
class QFutureWatcher;

namespace surface {
class PictureBox;
}

namespace app {

class ClientArea;
class Platform;
class AboutWindow;
struct Choice;
struct Verdict;
enum class PictureRole;
struct ExportSettings;

// Where a window of this size opens on a screen with this available area:
// centred when it fits, else with its top-left corner (and so its menu bar)
// on the screen.
QPoint windowPlace(const QSize& window, const QRect& available);

// "VellB_" + data + ".bmp", with "/" and control characters made "_".
QString saveFileName(const QString& data);

// The controls of the main window, named by their role. Each also carries its
// layout name as its Qt object name (and an array member its index as the
// property "Index"), which is how the program finds controls at run time.
struct Controls {
  QLabel* banner = nullptr;                      // Image1
  QLabel* versionLabel = nullptr;                // Label2
  QLabel* typeHeading = nullptr;                 // Label3 "Barcode Type"
  QLabel* settingsHeading = nullptr;             // Label4 "Settings"
  QRadioButton* ean13Option = nullptr;           // Option2
  QRadioButton* jan13Option = nullptr;           // Option7
  QRadioButton* isbnOption = nullptr;            // Option8
  QRadioButton* upcaOption = nullptr;            // Option3
  std::array<QRadioButton*, 4> linearOptions{};  // Option1(0..3)
  std::array<QCheckBox*, 3> settingBoxes{};      // Check1(0..2), see SettingBox
  QLabel* fontHeading = nullptr;                 // Label8 "Label Font"
  QLineEdit* fontName = nullptr;                 // FontB, the label font's name
  QListWidget* fontList = nullptr;               // List1
  QLabel* dataHeading = nullptr;                 // Label6 "Barcode Data Input"
  QLabel* countHeading = nullptr;                // Label1 "Digits"
  QLineEdit* dataInput = nullptr;                // Text1
  QLineEdit* characterCount = nullptr;           // Text2
  surface::PictureBox* linearPicture = nullptr;  // Picture1
  surface::PictureBox* upcPicture = nullptr;     // picUPC
  surface::PictureBox* eanPicture = nullptr;     // picEan
  QLabel* upcPrompt = nullptr;                   // Label5
  QLabel* eanPrompt = nullptr;                   // Label9
  QPlainTextEdit* helpText = nullptr;            // HelpT
  QCheckBox* helpToggle = nullptr;               // Check2 "Help On/Off"
  QLabel* scanVerdict = nullptr;                 // ScanVerdict: whether the symbol scans
  QPushButton* copyButton = nullptr;             // Command1
  QPushButton* saveButton = nullptr;             // Command4
  QPushButton* clearButton = nullptr;            // Command2
  QLabel* linkCaption = nullptr;                 // Label7
  QLabel* link = nullptr;                        // LblLink
  QWidget* linkUnderline = nullptr;              // Line1
  // Hidden work controls of the EAN/UPC family.
  QLineEdit* eanNumber = nullptr;           // EanText: the 13 digits last encoded
  QPushButton* eanGenerate = nullptr;       // EanGen
  surface::PictureBox* upcBlank = nullptr;  // picUPCy
  std::array<QLabel*, 6> upcLeftDigits{};   // L(0..5)
  std::array<QLabel*, 6> upcRightDigits{};  // R(0..5)
  QLineEdit* reentryBuffer = nullptr;       // TempText, holds the input while it is re-entered
  QAction* aboutAction = nullptr;           // help, the "About" menu
  // The picture's context menu and its commands, with their shortcut keys.
  QMenu* pictureMenu = nullptr;
  QAction* exportAction = nullptr;      // "Export…", Ctrl+E
  QAction* printAction = nullptr;       // "Print…", Ctrl+P
  QAction* copyExportAction = nullptr;  // "Copy at Export Size", Ctrl+Shift+C
  QAction* labelsAction = nullptr;      // "Labels…", Ctrl+L
};

// The one main window. Handlers keep the names of the controls and events
// they answer; they are public so that tests and benchmarks can drive them
// as the event loop would.
class BarcodeGenerator : public QMainWindow {
  Q_OBJECT

 public:
  // The window uses the platform's services; without one, Qt's.
  explicit BarcodeGenerator(std::shared_ptr<Platform> platform = nullptr,
                            QWidget* parent = nullptr);
  ~BarcodeGenerator() override;

  const Controls& controls() const { return ui; }
  // A control by name, or an array member by name and index.
  QWidget* control(const QString& name, int index = -1) const;
  int linearSymbology() const { return m_linearSymbology; }
  // The option button of a row of the choices table (null for the rows the
  // window does not offer), and the row whose button is checked (null only
  // while none is).
  QRadioButton* optionButton(const Choice& choice) const;
  const Choice* checkedChoice() const;
  surface::PictureBox* picture(PictureRole role) const;

  // Start-up and controls
  void Form_Load();
  void Check2_Click();

  // Input routing and linear selection
  void Text1_Change();
  void DrawLinearBarcode();
  void Option1_Click(int index);
  void Check1_Click(int index);
  void List1_Click();
  void List1_DblClick();

  // Output commands
  void Command1_Click();
  void Command4_Click();
  void Command2_Click();
  void Text1_KeyPress(int keyAscii);

  // EAN/UPC family
  void Option2_Click();
  void Option3_Click();
  void Option7_Click();
  void Option8_Click();
  void EanGen_Click();
  int GetUPCCheckNumber(const QString& text) const;

  // About window and link
  void help_Click();
  void LblLink_Click();
  void LblLink_MouseMove();
  void Form_MouseMove();
  AboutWindow* splash() const;

  // Export, print, and copy at the export size: the picture's context menu.
  void exportBarcode();
  void printBarcode();
  void copyAtExportSize();
  // The symbol on sheets or rolls of labels (app/labelsdialog.cpp).
  void makeLabels();
  // Writes the symbol on show to the file as the settings say, atomically;
  // a failure is reported as "File Save" reports it. True when written.
  bool exportShown(const QString& path, const ExportSettings& settings);
  // The export dialog's settings, kept for the run.
  const ExportSettings& exportSettings() const { return *m_exportSettings; }
  void setExportSettings(const ExportSettings& settings);

  // Scan verdict: once typing pauses, the picture on show is decoded on a
  // worker thread and ScanVerdict says whether it scans (or, for EAN/UPC,
  // why the input makes no symbol). A result for data since changed is
  // dropped. verdictShown() follows each update of the label.
  void VerdictTimer_Timer();

 signals:
  void verdictShown();

 public:
  // Whether the picture shows a symbol of exactly this data (not a blank or
  // a message), and the picture that belongs to the selected option.
  bool showsSymbolOf(const surface::PictureBox* picture, const QString& data) const;
  surface::PictureBox* currentPicture() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createControls();
  void connectSignals();
  void installExportCommands();
  // The export settings' options for the symbol on show, and its layout;
  // nothing, after saying why not under the title.
  struct PreparedExport;
  std::optional<PreparedExport> prepareExport(const ExportSettings& settings, const QString& title);

  void chooseEanFamily(const Choice& choice);

  // Runs the router again on the unchanged input, through TempText.
  void reenterInput();
  // The EAN/UPC branches of the router. They stop it only for eleven UPC-A
  // characters that are not all digits; otherwise the linear part runs on.
  enum class RouterNext { Continue, Stop };
  RouterNext routeEanUpc();
  linear::Settings settings() const;
  std::u32string input() const;
  // After a linear generator ran: records what Picture1 now shows and widens
  // the window for a picture wider than 9500 twips (never narrowing it).
  void linearDrawn(std::optional<int> pictureTwips);
  // What each picture shows: the data of the symbol drawn there, or nothing
  // (blank, a message). Copy and save act only on a symbol of the data typed.
  void symbolDrawn(surface::PictureBox* picture, const QString& data);
  void symbolCleared(surface::PictureBox* picture);
  // The verdict waits for a pause in typing; each change restarts the wait.
  void connectVerdict();
  void scheduleVerdict();
  // Accessible names and descriptions that say what each picture shows.
  void describePictures();
  void VerdictReader_Finished();
  void showVerdict(const Verdict& verdict);
  // Copy and save go ahead only for a barcode of the data typed; otherwise
  // they say why not, with nothingToDo when there is data but no barcode.
  bool barcodeReady(const QString& nothingToDo);
  // Says that File Save wrote nothing, and why; name is left out when empty.
  void notSaved(const QString& name, const QString& reason);

  Controls ui;
  ClientArea* m_client = nullptr;
  QHash<const surface::PictureBox*, QString> m_symbolData;
  std::shared_ptr<Platform> m_platform;
  QPointer<AboutWindow> m_splash;
  QTimer* m_verdictTimer = nullptr;
  QFutureWatcher<Verdict>* m_verdictReader = nullptr;
  quint64 m_drawnGeneration = 0;               // counts changes of the input and what it draws
  quint64 m_readGeneration = 0;                // the change the read in flight belongs to
  bool m_readAgain = false;                    // the timer fired while a read was in flight
  std::vector<QRadioButton*> m_optionButtons;  // by row of the choices table
  // Index of the last chosen linear symbology; the EAN/UPC options leave it.
  int m_linearSymbology = 0;
  std::unique_ptr<ExportSettings> m_exportSettings;
};

}  // namespace app
