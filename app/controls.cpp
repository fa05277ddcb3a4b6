// Start-up and controls: the window's inventory, its signals, the load handler.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <limits>

#include "app/about.h"
#include "app/artwork.h"
#include "app/barcodegenerator.h"
#include "app/clientarea.h"
#include "app/helptexts.h"
#include "app/platform.h"
#include "surface/controllookup.h"
#include "surface/picturebox.h"

namespace app {

namespace {

constexpr int kClientWidthTwips = 10935;
constexpr int kClientHeightTwips = 6870;
const QColor kGrey(0x80, 0x80, 0x80);

template <typename W>
W* place(W* widget, const char* name, int left, int top, int width, int height, int index = -1) {
  widget->setObjectName(QString::fromLatin1(name));
  if (index >= 0) widget->setProperty("Index", index);
  widget->setGeometry(px(left), px(top), px(width), px(height));
  return widget;
}

surface::PictureBox* placePicture(surface::PictureBox* box, const char* name, int left, int top,
                                  int width, int height) {
  box->setObjectName(QString::fromLatin1(name));
  box->setTwipsGeometry(left, top, width, height);
  return box;
}

QLabel* heading(QWidget* parent, const char* name, const char* caption, int left, int top,
                int width, int height) {
  auto* label = place(new QLabel(QString::fromLatin1(caption), parent), name, left, top, width,
                      height);
  label->setFont(tahoma(9.75));
  label->setAlignment(Qt::AlignCenter);
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, kGrey);
  palette.setColor(QPalette::WindowText, Qt::white);
  label->setPalette(palette);
  return label;
}

void setColours(QWidget* widget, const QColor& background, const QColor& text) {
  widget->setAutoFillBackground(true);
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::Base, background);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Text, text);
  widget->setPalette(palette);
}

}  // namespace

BarcodeGenerator::BarcodeGenerator(std::shared_ptr<Platform> platform, QWidget* parent)
    : QMainWindow(parent),
      m_platform(platform ? std::move(platform) : std::make_shared<QtPlatform>()) {
  createControls();
  connectSignals();
  Form_Load();
}

BarcodeGenerator::~BarcodeGenerator() = default;

void BarcodeGenerator::createControls() {
  setObjectName(QStringLiteral("BarcodeGenerator"));
  setWindowTitle(QString::fromLatin1(kAppTitle));
  setWindowIcon(windowIcon16and32());
  setFont(tahoma(9));

  ui.help = menuBar()->addAction(QStringLiteral("About"));
  ui.help->setObjectName(QStringLiteral("help"));

  m_client = new ClientArea(this);
  m_client->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(m_client);
  QWidget* form = m_client;

  ui.Image1 = place(new QLabel(form), "Image1", 1200, 120, 6720, 600);
  ui.Image1->setPixmap(QPixmap::fromImage(bannerImage()));
  ui.Image1->setScaledContents(true);

  ui.Label2 = place(new QLabel(QStringLiteral("Ver. 2.2"), form), "Label2", 8880, 360, 1335, 375);
  ui.Label2->setFont(tahoma(14.25));
  ui.Label2->setAlignment(Qt::AlignRight | Qt::AlignTop);

  ui.Label3 = heading(form, "Label3", "Barcode Type", 1200, 960, 6375, 255);
  ui.Label4 = heading(form, "Label4", "Settings", 7920, 960, 2295, 255);

  const QFont controlFont = tahoma(11.25);
  auto option = [&](const char* name, const char* caption, const char* tip, int left, int top,
                    int width, int height, int index = -1) {
    auto* button = place(new QRadioButton(QString::fromLatin1(caption), form), name, left, top,
                         width, height, index);
    button->setFont(controlFont);
    button->setToolTip(QString::fromLatin1(tip));
    return button;
  };
  ui.Option2 = option("Option2", "EAN-13", "GTIN-13", 1200, 1320, 1215, 375);
  ui.Option7 = option("Option7", "JAN-13", "Japanese Article Number 13", 3360, 1320, 1215, 375);
  ui.Option8 = option("Option8", "ISBN(Bookland EAN)", "International Standard Book Number", 5040,
                      1320, 2415, 375);
  ui.Option3 = option("Option3", "UPC- A", "GTIN-12", 1200, 2040, 1095, 375);
  ui.Option1[0] = option("Option1", "Code 39", "USS Code 39", 3360, 2040, 1575, 375, 0);
  ui.Option1[1] =
      option("Option1", "Interleaved 2 of 5", "Interleaved 2 of 5", 5040, 1680, 2175, 375, 1);
  ui.Option1[2] = option("Option1", "Code 128", "USS Code 128", 5040, 2400, 1575, 375, 2);
  ui.Option1[3] = option("Option1", "Codabar", "Code 2 of 7", 5040, 2040, 1575, 375, 3);
  ui.Option1[0]->setChecked(true);

  const char* checkCaptions[] = {"Optimize for Printing", "Add Label", "Add Check Character"};
  const int checkGeometry[][4] = {
      {7920, 1320, 2415, 255}, {7920, 1680, 1455, 255}, {7920, 2040, 2415, 255}};
  for (int i = 0; i < 3; ++i) {
    const auto& g = checkGeometry[i];
    ui.Check1[i] = place(new QCheckBox(QString::fromLatin1(checkCaptions[i]), form), "Check1",
                         g[0], g[1], g[2], g[3], i);
    ui.Check1[i]->setFont(controlFont);
  }
  ui.Check1[0]->setChecked(true);
  ui.Check1[1]->setChecked(true);

  ui.Label8 = place(new QLabel(QStringLiteral("Label Font"), form), "Label8", 7920, 2520, 2295, 255);
  ui.Label8->setFont(tahoma(9.75));
  ui.Label8->setAlignment(Qt::AlignCenter);
  setColours(ui.Label8, Qt::white, palette().color(QPalette::WindowText));

  ui.FontB = place(new QLineEdit(QStringLiteral("Tahoma"), form), "FontB", 7920, 2835, 2295, 360);
  ui.FontB->setReadOnly(true);
  ui.FontB->setFont(tahoma(9.75, true));
  setColours(ui.FontB, kGrey, Qt::white);

  ui.List1 = place(new QListWidget(form), "List1", 7920, 3240, 2295, 960);
  ui.List1->setSortingEnabled(true);

  ui.Label6 = heading(form, "Label6", "Barcode Data Input", 1200, 3480, 3855, 255);
  ui.Label1 = heading(form, "Label1", "Digits", 5280, 3480, 495, 255);

  ui.Text1 = place(new QLineEdit(form), "Text1", 1200, 3840, 3855, 390);
  ui.Text1->setFont(controlFont);
  ui.Text1->setMaxLength(std::numeric_limits<int>::max());

  ui.Text2 = place(new QLineEdit(form), "Text2", 5280, 3840, 495, 390);
  ui.Text2->setFont(controlFont);
  ui.Text2->setReadOnly(true);
  ui.Text2->setAlignment(Qt::AlignCenter);
  ui.Text2->setFocusPolicy(Qt::ClickFocus);

  // The prompts lie under the pictures and show only while all three are hidden.
  ui.Label5 = place(new QLabel(QStringLiteral("Enter 11 digit number for UPC-A"), form), "Label5",
                    1200, 4560, 3975, 255);
  ui.Label5->setFont(tahoma(9.75));
  ui.Label9 = place(new QLabel(QStringLiteral("Enter 12 digit number for EAN-13"), form), "Label9",
                    1200, 4560, 4575, 495);
  ui.Label9->setFont(tahoma(9.75));
  ui.Label9->setWordWrap(true);
  ui.Label9->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ui.Label9->hide();

  ui.Picture1 = placePicture(new surface::PictureBox(form), "Picture1", 1200, 4440, 4635, 1215);
  ui.Picture1->setFont(tahoma(14.25));
  ui.picUPC = placePicture(new surface::PictureBox(form), "picUPC", 1200, 4440, 2055, 1095);
  ui.picUPC->setFont(tahoma(9.75));
  ui.picUPC->setScale(15, 16.5);
  ui.picEan = placePicture(new surface::PictureBox(form), "picEan", 1200, 4440, 1815, 1095);
  ui.picEan->setFont(tahoma(11.25));
  ui.picEan->setScale(15, 11.55);

  ui.HelpT = place(new QPlainTextEdit(form), "HelpT", 6240, 4440, 3975, 1215);
  ui.HelpT->setReadOnly(true);
  ui.HelpT->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ui.HelpT->hide();

  ui.Check2 = place(new QCheckBox(QStringLiteral("Help On/Off"), form), "Check2", 8760, 5760, 1455,
                    210);

  auto command = [&](const char* name, const char* caption, int left, int width) {
    auto* button = place(new QPushButton(QString::fromLatin1(caption), form), name, left, 6000,
                         width, 615);
    button->setFont(controlFont);
    button->setAutoDefault(false);
    return button;
  };
  ui.Command1 = command("Command1", "Copy to Clipboard", 1200, 1935);
  ui.Command4 = command("Command4", "File Save", 3240, 1215);
  ui.Command2 = command("Command2", "Clear Input", 4560, 1215);

  // The caption's ampersand is literal here: a label without a buddy shows it as typed.
  ui.Label7 = place(new QLabel(QStringLiteral("For more informatin on Barcode & POS, visit"), form),
                    "Label7", 5880, 6120, 4335, 255);
  ui.Label7->setFont(tahoma(9.75));
  ui.Label7->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ui.LblLink = place(new QLabel(QStringLiteral("www.gs1.org"), form), "LblLink", 8040, 6360, 2175,
                     255);
  ui.LblLink->setFont(tahoma(9.75));
  ui.LblLink->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ui.LblLink->setMouseTracking(true);
  ui.Line1 = place(new QWidget(form), "Line1", 8400, 6600, 10200 - 8400, 15);
  setColours(ui.Line1, Qt::black, Qt::black);

  // Hidden helpers: parameters and work surfaces of the EAN/UPC family.
  ui.EanText = place(new QLineEdit(QStringLiteral("EanText"), form), "EanText", 120, 3120, 615, 270);
  ui.EanText->hide();
  ui.EanGen = place(new QPushButton(QStringLiteral("&Generate"), form), "EanGen", 120, 2520, 615,
                    315);
  ui.EanGen->hide();
  ui.picUPCy = placePicture(new surface::PictureBox(form), "picUPCy", 120, 5400, 495, 375);
  ui.picUPCy->hide();
  const int lefts[2][6] = {{180, 435, 540, 645, 750, 855}, {1065, 1170, 1275, 1380, 1485, 1770}};
  for (int i = 0; i < 6; ++i) {
    const bool small[2] = {i == 0, i == 5};
    for (int half = 0; half < 2; ++half) {
      QLabel* holder = place(new QLabel(QStringLiteral("0"), ui.picUPCy), half ? "R" : "L",
                             lefts[half][i], small[half] ? 645 : 630, 135, 210, i);
      QFont font(small[half] ? QStringLiteral("Microsoft Sans Serif") : QStringLiteral("Tahoma"));
      font.setPixelSize(fontPixels(small[half] ? 6.75 : 9));
      holder->setFont(font);
      setColours(holder, Qt::white, Qt::black);
      (half ? ui.R : ui.L)[i] = holder;
    }
  }
  ui.TempText = place(new QLineEdit(form), "TempText", 120, 5880, 495, 375);
  ui.TempText->setMaxLength(std::numeric_limits<int>::max());
  ui.TempText->hide();

  // Text1 comes first in the tab order and holds the focus when the window opens.
  setTabOrder(ui.Text1, ui.Text2);
  ui.Text1->setFocus();

  resize(px(kClientWidthTwips), px(kClientHeightTwips) + menuBar()->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void BarcodeGenerator::connectSignals() {
  // Every signal is a direct connection: a property set from code runs its
  // handler at once and nested, which the input re-entry relies on.
  connect(ui.Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
  connect(ui.Text1, &QLineEdit::returnPressed, this, [this] { Text1_KeyPress(13); });
  for (int i = 0; i < 4; ++i) {
    connect(ui.Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) Option1_Click(i);
    });
  }
  const std::pair<QRadioButton*, void (BarcodeGenerator::*)()> eanOptions[] = {
      {ui.Option2, &BarcodeGenerator::Option2_Click},
      {ui.Option3, &BarcodeGenerator::Option3_Click},
      {ui.Option7, &BarcodeGenerator::Option7_Click},
      {ui.Option8, &BarcodeGenerator::Option8_Click}};
  for (const auto& [button, handler] : eanOptions) {
    connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
      if (on) (this->*handler)();
    });
  }
  // stateChanged fires for changes from code too, also while disabled.
  for (int i = 0; i < 3; ++i)
    connect(ui.Check1[i], &QCheckBox::stateChanged, this, [this, i] { Check1_Click(i); });
  connect(ui.Check2, &QCheckBox::stateChanged, this, &BarcodeGenerator::Check2_Click);
  connect(ui.List1, &QListWidget::itemSelectionChanged, this, &BarcodeGenerator::List1_Click);
  connect(ui.List1, &QListWidget::itemDoubleClicked, this, &BarcodeGenerator::List1_DblClick);
  connect(ui.Command1, &QPushButton::clicked, this, &BarcodeGenerator::Command1_Click);
  connect(ui.Command4, &QPushButton::clicked, this, &BarcodeGenerator::Command4_Click);
  connect(ui.Command2, &QPushButton::clicked, this, &BarcodeGenerator::Command2_Click);
  connect(ui.EanGen, &QPushButton::clicked, this, &BarcodeGenerator::EanGen_Click);
  connect(ui.help, &QAction::triggered, this, &BarcodeGenerator::help_Click);
  connect(m_client, &ClientArea::mouseMoved, this, &BarcodeGenerator::Form_MouseMove);
  auto* link = new MouseSignals(ui.LblLink);
  connect(link, &MouseSignals::clicked, this, &BarcodeGenerator::LblLink_Click);
  connect(link, &MouseSignals::moved, this, &BarcodeGenerator::LblLink_MouseMove);
}

void BarcodeGenerator::Form_Load() {
  QStringList families = QFontDatabase::families();
  ui.List1->addItems(families);
  ui.picUPC->hide();
  ui.picEan->hide();
  m_client->drawTopLine(kGrey);
  if (ui.Option1[0]->isChecked()) ui.HelpT->setPlainText(QString::fromLatin1(help::kCode39));
}

void BarcodeGenerator::Check2_Click() { ui.HelpT->setVisible(ui.Check2->isChecked()); }

QWidget* BarcodeGenerator::control(const QString& name, int index) const {
  return surface::findControl(*this, name, index);
}

void BarcodeGenerator::closeEvent(QCloseEvent* event) {
  // Closing the main window ends the program, the About window included.
  if (m_splash) m_splash->close();
  event->accept();
  QCoreApplication::quit();
}

}  // namespace app
