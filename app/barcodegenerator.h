#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "symbologies/linear/linear.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace surface {
class PictureBox;
}

namespace app {

class ClientArea;
class Platform;
class frmSplashbm;

inline constexpr auto kAppTitle = "Barcode Generator";

// "VellB_" + data + ".bmp", with "/" and control characters made "_".
QString saveFileName(const QString& data);

// The controls of the main window, named as the program's design names them.
// Each also carries its name as its Qt object name (and an array member its
// index as the property "Index"), so it can be found by name at run time.
struct Controls {
  QLabel* Image1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QRadioButton* Option2 = nullptr;         // EAN-13
  QRadioButton* Option7 = nullptr;         // JAN-13
  QRadioButton* Option8 = nullptr;         // ISBN
  QRadioButton* Option3 = nullptr;         // UPC-A
  std::array<QRadioButton*, 4> Option1{};  // Code 39, Interleaved 2 of 5, Code 128, Codabar
  std::array<QCheckBox*, 3> Check1{};      // print spacing, label, check character
  QLabel* Label8 = nullptr;
  QLineEdit* FontB = nullptr;
  QListWidget* List1 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  surface::PictureBox* Picture1 = nullptr;
  surface::PictureBox* picUPC = nullptr;
  surface::PictureBox* picEan = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label9 = nullptr;
  QPlainTextEdit* HelpT = nullptr;
  QCheckBox* Check2 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command2 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* LblLink = nullptr;
  QWidget* Line1 = nullptr;
  QLineEdit* EanText = nullptr;
  QPushButton* EanGen = nullptr;
  surface::PictureBox* picUPCy = nullptr;
  std::array<QLabel*, 6> L{};
  std::array<QLabel*, 6> R{};
  QLineEdit* TempText = nullptr;
  QAction* help = nullptr;
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
  int linearSymbology() const { return LinearSymbology; }

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
  frmSplashbm* splash() const;

  // Whether the picture shows a symbol of exactly this data (not a blank or
  // a message), and the picture that belongs to the selected option.
  bool showsSymbolOf(const surface::PictureBox* picture, const QString& data) const;
  surface::PictureBox* currentPicture() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createControls();
  void connectSignals();

  void DrawCode39();
  void DrawInterleaved2of5();
  void DrawCode128();
  void DrawCodabar();
  void DrawEan13();

  // Runs the router again on the unchanged input, through TempText.
  void reenterInput();
  // The EAN/UPC branches of the router; true when the router ends there.
  bool routeEanUpc();
  linear::Settings settings() const;
  std::u32string input() const;
  // After a linear generator ran: records what Picture1 now shows and widens
  // the window for a picture wider than 9500 twips (never narrowing it).
  void linearDrawn(std::optional<int> pictureTwips);
  // What each picture shows: the data of the symbol drawn there, or nothing
  // (blank, a message). Copy and save act only on a symbol of the data typed.
  void symbolDrawn(surface::PictureBox* picture, const QString& data);
  void symbolCleared(surface::PictureBox* picture);
  // Copy and save go ahead only for a barcode of the data typed; otherwise
  // they say why not, with nothingToDo when there is data but no barcode.
  bool barcodeReady(const QString& nothingToDo);

  Controls ui;
  ClientArea* m_client = nullptr;
  QHash<const surface::PictureBox*, QString> m_symbolData;
  std::shared_ptr<Platform> m_platform;
  QPointer<frmSplashbm> m_splash;
  // Index of the last chosen linear symbology; the EAN/UPC options leave it.
  int LinearSymbology = 0;
};

}  // namespace app
