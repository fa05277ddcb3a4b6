// Start-up and controls: the window's inventory, its signals, the load handler.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFutureWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <string_view>

#include "app/about.h"
#include "app/artwork.h"
#include "app/barcodegenerator.h"
#include "app/clientarea.h"
#include "app/exportdialog.h"
#include "app/fonts.h"
#include "app/layout.h"
#include "app/mousesignals.h"
#include "app/platform.h"
#include "export/choices.h"
#include "export/verdict.h"
#include "surface/controllookup.h"
#include "surface/picturebox.h"
#include "symbologies/geometry.h"

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

surface::PictureBox* placePicture(surface::PictureBox* box, const char* name, TwipsRect r) {
  box->setObjectName(QString::fromLatin1(name));
  box->setTwipsGeometry(r.left, r.top, r.width, r.height);
  return box;
}

QLabel* heading(QWidget* parent, const char* name, const char* caption, int left, int top,
                int width, int height) {
  auto* label =
      place(new QLabel(QString::fromLatin1(caption), parent), name, left, top, width, height);
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

// The count box is narrow: a count too wide for its font gets a smaller one,
// so that the whole number shows. Counts that fit keep the layout's font.
void fitCount(QLineEdit* box, const QFont& font) {
  // The text area as the line edit works it out: its contents less the
  // frame, less its own margin of 2 pixels a side, and a pixel for the cursor.
  QStyleOptionFrame option;
  option.initFrom(box);
  option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
  const int room =
      box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() - 2 * 2 - 1;
  QFont fitted = font;
  while (fitted.pixelSize() > 6 && QFontMetrics(fitted).horizontalAdvance(box->text()) > room)
    fitted.setPixelSize(fitted.pixelSize() - 1);
  if (box->font() != fitted) box->setFont(fitted);
}

}  // namespace

BarcodeGenerator::BarcodeGenerator(std::shared_ptr<Platform> platform, QWidget* parent)
    : QMainWindow(parent),
      m_platform(platform ? std::move(platform) : std::make_shared<QtPlatform>()) {
  createControls();
  connectSignals();
  Form_Load();
}

BarcodeGenerator::~BarcodeGenerator() {
  // A read in flight holds nothing of the window; it still ends before the window does.
  if (m_verdictReader) m_verdictReader->waitForFinished();
}

void BarcodeGenerator::createControls() {
  setObjectName(QStringLiteral("BarcodeGenerator"));
  setWindowTitle(QString::fromLatin1(kAppTitle));
  setWindowIcon(windowIcon16and32());
  QFont windowFont = tahoma(9);
  // On a scaled screen Qt draws text unhinted, and the labels drawn into the
  // pictures would change with the scale: keep the light hinting the desktop
  // gives them at scale 1, so copied and saved pictures stay the same.
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (std::any_of(screens.begin(), screens.end(),
                  [](const QScreen* screen) { return screen->devicePixelRatio() != 1.0; }))
    windowFont.setHintingPreference(QFont::PreferVerticalHinting);
  setFont(windowFont);

  ui.aboutAction = menuBar()->addAction(QStringLiteral("About"));
  ui.aboutAction->setObjectName(QStringLiteral("help"));
  // The keyboard's way to the About window; the menu caption stays as it is.
  ui.aboutAction->setShortcut(QKeySequence(Qt::Key_F1));

  m_client = new ClientArea(this);
  m_client->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(m_client);
  QWidget* form = m_client;

  ui.banner = place(new QLabel(form), "Image1", 1200, 120, 6720, 600);
  ui.banner->setPixmap(QPixmap::fromImage(bannerImage()));
  ui.banner->setScaledContents(true);

  ui.versionLabel =
      place(new QLabel(QStringLiteral("Ver. 2.2"), form), "Label2", 8880, 360, 1335, 375);
  ui.versionLabel->setFont(tahoma(14.25));
  ui.versionLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);

  ui.typeHeading = heading(form, "Label3", "Barcode Type", 1200, 960, 6375, 255);
  ui.settingsHeading = heading(form, "Label4", "Settings", 7920, 960, 2295, 255);

  const QFont controlFont = tahoma(11.25);
  // The option buttons and their places come from the choices table; the
  // order they are made in is the window's tab order.
  using enum Symbology;
  static constexpr Symbology kTabOrder[] = {Ean13,  Jan13,           Isbn,    UpcA,
                                            Code39, Interleaved2of5, Code128, Codabar};
  // Every row with a button, each once; the rows after them have none.
  static_assert(std::size(kTabOrder) == kWindowOptionCount);
  static_assert([] {
    for (std::size_t row = 0; row < kWindowOptionCount; ++row)
      if (std::count(std::begin(kTabOrder), std::end(kTabOrder), Symbology(row)) != 1) return false;
    return true;
  }());
  m_optionButtons.assign(choices().size(), nullptr);
  for (const Symbology id : kTabOrder) {
    const Choice& choice = choiceOf(id);
    const Place& g = choice.place;
    auto* button = place(new QRadioButton(QString::fromLatin1(choice.caption), form),
                         choice.controlName, g.left, g.top, g.width, g.height, choice.controlIndex);
    button->setFont(controlFont);
    button->setToolTip(QString::fromLatin1(choice.tooltip));
    m_optionButtons[static_cast<std::size_t>(&choice - choices().data())] = button;
    if (choice.family == Family::Linear) ui.linearOptions.at(choice.controlIndex) = button;
  }
  ui.ean13Option = optionButton(choiceOf(Symbology::Ean13));
  ui.jan13Option = optionButton(choiceOf(Symbology::Jan13));
  ui.isbnOption = optionButton(choiceOf(Symbology::Isbn));
  ui.upcaOption = optionButton(choiceOf(Symbology::UpcA));
  ui.linearOptions[0]->setChecked(true);

  const char* checkCaptions[] = {"Optimize for Printing", "Add Label", "Add Check Character"};
  const int checkGeometry[][4] = {
      {7920, 1320, 2415, 255}, {7920, 1680, 1455, 255}, {7920, 2040, 2415, 255}};
  for (int i = 0; i < 3; ++i) {
    const auto& g = checkGeometry[i];
    ui.settingBoxes[i] = place(new QCheckBox(QString::fromLatin1(checkCaptions[i]), form), "Check1",
                               g[0], g[1], g[2], g[3], i);
    ui.settingBoxes[i]->setFont(controlFont);
  }
  ui.settingBoxes[kPrintSpacing]->setToolTip(QStringLiteral(
      "Widens every space by one pixel, for printers that spread ink. At one pixel per module "
      "this can stop the barcode from scanning."));
  ui.settingBoxes[kAddLabel]->setToolTip(
      QStringLiteral("Prints the data as text under the bars, shortening them"));
  ui.settingBoxes[kPrintSpacing]->setChecked(true);
  ui.settingBoxes[kAddLabel]->setChecked(true);

  ui.fontHeading =
      place(new QLabel(QStringLiteral("Label Font"), form), "Label8", 7920, 2520, 2295, 255);
  ui.fontHeading->setFont(tahoma(9.75));
  ui.fontHeading->setAlignment(Qt::AlignCenter);
  setColours(ui.fontHeading, Qt::white, palette().color(QPalette::WindowText));

  ui.fontName =
      place(new QLineEdit(QStringLiteral("Tahoma"), form), "FontB", 7920, 2835, 2295, 360);
  ui.fontName->setReadOnly(true);
  ui.fontName->setFont(tahoma(9.75, true));
  setColours(ui.fontName, kGrey, Qt::white);

  ui.fontList = place(new QListWidget(form), "List1", 7920, 3240, 2295, 960);
  ui.fontList->setSortingEnabled(true);
  ui.fontList->setAccessibleName(ui.fontHeading->text());
  ui.fontName->setAccessibleName(QStringLiteral("Current label font"));

  ui.dataHeading = heading(form, "Label6", "Barcode Data Input", 1200, 3480, 3855, 255);
  ui.countHeading = heading(form, "Label1", "Digits", 5280, 3480, 495, 255);

  ui.dataInput = place(new QLineEdit(form), "Text1", 1200, 3840, 3855, 390);
  ui.dataInput->setFont(controlFont);
  ui.dataInput->setMaxLength(kMaxInputLength);

  ui.characterCount = place(new QLineEdit(form), "Text2", 5280, 3840, 495, 390);
  ui.characterCount->setFont(controlFont);
  ui.characterCount->setReadOnly(true);
  ui.characterCount->setAlignment(Qt::AlignCenter);
  ui.characterCount->setFocusPolicy(Qt::ClickFocus);
  // Screen readers name each input by the heading above it.
  ui.dataInput->setAccessibleName(ui.dataHeading->text());
  ui.characterCount->setAccessibleName(ui.countHeading->text());

  // The prompts lie under the pictures and show only while all three are hidden.
  ui.upcPrompt = place(new QLabel(QString::fromLatin1(choiceOf(Symbology::UpcA).prompt), form),
                       "Label5", 1200, 4560, 3975, 255);
  ui.upcPrompt->setFont(tahoma(9.75));
  ui.eanPrompt = place(new QLabel(QString::fromLatin1(choiceOf(Symbology::Ean13).prompt), form),
                       "Label9", 1200, 4560, 4575, 495);
  ui.eanPrompt->setFont(tahoma(9.75));
  ui.eanPrompt->setWordWrap(true);
  ui.eanPrompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ui.eanPrompt->hide();

  ui.linearPicture = placePicture(new surface::PictureBox(form), "Picture1", kLinearPicturePlace);
  ui.linearPicture->setFont(tahoma(geometry::kLinear.fontPoints));
  ui.upcPicture = placePicture(new surface::PictureBox(form), "picUPC", kUpcPicturePlace);
  ui.upcPicture->setFont(tahoma(geometry::kUpcA.fontPoints));
  ui.upcPicture->setScale(geometry::kUpcA.twipsPerUnitX, geometry::kUpcA.twipsPerUnitY);
  ui.eanPicture = placePicture(new surface::PictureBox(form), "picEan", kEanPicturePlace);
  ui.eanPicture->setFont(tahoma(11.25));
  ui.eanPicture->setScale(geometry::kEan13.twipsPerUnitX, geometry::kEan13.twipsPerUnitY);

  ui.helpText = place(new QPlainTextEdit(form), "HelpT", 6240, 4440, 3975, 1215);
  ui.helpText->setReadOnly(true);
  ui.helpText->setAccessibleName(QStringLiteral("Help"));
  ui.helpText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ui.helpText->hide();

  ui.helpToggle =
      place(new QCheckBox(QStringLiteral("Help On/Off"), form), "Check2", 8760, 5760, 1455, 210);

  // In the free strip between the pictures and the buttons, left of "Help On/Off";
  // empty until there is a symbol to judge.
  ui.scanVerdict = place(new QLabel(form), "ScanVerdict", 1200, 5700, 7440, 285);
  ui.scanVerdict->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  ui.scanVerdict->setTextFormat(Qt::PlainText);  // the data as typed, never as markup
  ui.scanVerdict->setAccessibleName(QStringLiteral("Scan verdict"));

  auto command = [&](const char* name, const char* caption, int left, int width) {
    auto* button =
        place(new QPushButton(QString::fromLatin1(caption), form), name, left, 6000, width, 615);
    button->setFont(controlFont);
    button->setAutoDefault(false);
    return button;
  };
  ui.copyButton = command("Command1", "Copy to Clipboard", 1200, 1935);
  ui.saveButton = command("Command4", "File Save", 3240, 1215);
  ui.clearButton = command("Command2", "Clear Input", 4560, 1215);

  // The caption's ampersand is literal here: a label without a buddy shows it as typed.
  ui.linkCaption =
      place(new QLabel(QStringLiteral("For more informatin on Barcode & POS, visit"), form),
            "Label7", 5880, 6120, 4335, 255);
  ui.linkCaption->setFont(tahoma(9.75));
  ui.linkCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ui.link =
      place(new QLabel(QStringLiteral("www.gs1.org"), form), "LblLink", 8040, 6360, 2175, 255);
  ui.link->setFont(tahoma(9.75));
  ui.link->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ui.link->setMouseTracking(true);
  ui.linkUnderline = place(new QWidget(form), "Line1", 8400, 6600, 10200 - 8400, 15);
  setColours(ui.linkUnderline, Qt::black, Qt::black);

  // Hidden helpers: parameters and work surfaces of the EAN/UPC family.
  ui.eanNumber =
      place(new QLineEdit(QStringLiteral("EanText"), form), "EanText", 120, 3120, 615, 270);
  ui.eanNumber->hide();
  ui.eanGenerate =
      place(new QPushButton(QStringLiteral("&Generate"), form), "EanGen", 120, 2520, 615, 315);
  ui.eanGenerate->hide();
  ui.upcBlank = placePicture(new surface::PictureBox(form), "picUPCy", {120, 5400, 495, 375});
  ui.upcBlank->hide();
  const int lefts[2][6] = {{180, 435, 540, 645, 750, 855}, {1065, 1170, 1275, 1380, 1485, 1770}};
  for (int i = 0; i < 6; ++i) {
    const bool small[2] = {i == 0, i == 5};
    for (int half = 0; half < 2; ++half) {
      QLabel* holder = place(new QLabel(QStringLiteral("0"), ui.upcBlank), half ? "R" : "L",
                             lefts[half][i], small[half] ? 645 : 630, 135, 210, i);
      QFont font(small[half] ? QStringLiteral("Microsoft Sans Serif") : QStringLiteral("Tahoma"));
      font.setPixelSize(surface::pointsToPixels(small[half] ? 6.75 : 9));
      holder->setFont(font);
      setColours(holder, Qt::white, Qt::black);
      (half ? ui.upcRightDigits : ui.upcLeftDigits)[i] = holder;
    }
  }
  ui.reentryBuffer = place(new QLineEdit(form), "TempText", 120, 5880, 495, 375);
  ui.reentryBuffer->setMaxLength(kMaxInputLength);
  ui.reentryBuffer->hide();

  // Text1 comes first in the tab order and holds the focus when the window opens.
  setTabOrder(ui.dataInput, ui.characterCount);
  ui.dataInput->setFocus();

  resize(px(kClientWidthTwips), px(kClientHeightTwips) + menuBar()->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(windowPlace(size(), screen->availableGeometry()));
}

QPoint windowPlace(const QSize& window, const QRect& available) {
  const QPoint centred = available.center() - QRect(QPoint(), window).center();
  return {std::max(centred.x(), available.left()), std::max(centred.y(), available.top())};
}

void BarcodeGenerator::connectSignals() {
  // Every signal is a direct connection: a property set from code runs its
  // handler at once and nested, which the input re-entry relies on.
  connect(ui.dataInput, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
  connect(ui.characterCount, &QLineEdit::textChanged, this,
          [this] { fitCount(ui.characterCount, tahoma(11.25)); });
  connect(ui.dataInput, &QLineEdit::returnPressed, this, [this] { Text1_KeyPress(13); });
  for (int i = 0; i < 4; ++i) {
    connect(ui.linearOptions[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) Option1_Click(i);
    });
  }
  const std::pair<QRadioButton*, void (BarcodeGenerator::*)()> eanOptions[] = {
      {ui.ean13Option, &BarcodeGenerator::Option2_Click},
      {ui.upcaOption, &BarcodeGenerator::Option3_Click},
      {ui.jan13Option, &BarcodeGenerator::Option7_Click},
      {ui.isbnOption, &BarcodeGenerator::Option8_Click}};
  for (const auto& [button, handler] : eanOptions) {
    connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
      if (on) (this->*handler)();
    });
  }
  // stateChanged fires for changes from code too, also while disabled.
  for (int i = 0; i < 3; ++i)
    connect(ui.settingBoxes[i], &QCheckBox::stateChanged, this, [this, i] { Check1_Click(i); });
  connect(ui.helpToggle, &QCheckBox::stateChanged, this, &BarcodeGenerator::Check2_Click);
  connect(ui.fontList, &QListWidget::itemSelectionChanged, this, &BarcodeGenerator::List1_Click);
  connect(ui.fontList, &QListWidget::itemDoubleClicked, this, &BarcodeGenerator::List1_DblClick);
  connect(ui.copyButton, &QPushButton::clicked, this, &BarcodeGenerator::Command1_Click);
  connect(ui.saveButton, &QPushButton::clicked, this, &BarcodeGenerator::Command4_Click);
  connect(ui.clearButton, &QPushButton::clicked, this, &BarcodeGenerator::Command2_Click);
  connect(ui.eanGenerate, &QPushButton::clicked, this, &BarcodeGenerator::EanGen_Click);
  connect(ui.aboutAction, &QAction::triggered, this, &BarcodeGenerator::help_Click);
  connectVerdict();
  connect(m_client, &ClientArea::mouseMoved, this, &BarcodeGenerator::Form_MouseMove);
  auto* link = new MouseSignals(ui.link);
  connect(link, &MouseSignals::clicked, this, &BarcodeGenerator::LblLink_Click);
  connect(link, &MouseSignals::moved, this, &BarcodeGenerator::LblLink_MouseMove);
  // Export, print and copy at the export size: a context menu and shortcut keys.
  installExportCommands();
}

void BarcodeGenerator::Form_Load() {
  ui.fontList->addItems(labelFontFamilies());
  ui.upcPicture->hide();
  ui.eanPicture->hide();
  describePictures();
  m_client->drawTopLine(kGrey);
  if (ui.linearOptions[0]->isChecked())
    ui.helpText->setPlainText(QString::fromLatin1(linearChoice(0).help));
}

void BarcodeGenerator::Check2_Click() { ui.helpText->setVisible(ui.helpToggle->isChecked()); }

QRadioButton* BarcodeGenerator::optionButton(const Choice& choice) const {
  return m_optionButtons.at(static_cast<std::size_t>(&choice - choices().data()));
}

const Choice* BarcodeGenerator::checkedChoice() const {
  for (std::size_t i = 0; i < m_optionButtons.size(); ++i)
    if (m_optionButtons[i] && m_optionButtons[i]->isChecked()) return &choices()[i];
  return nullptr;
}

surface::PictureBox* BarcodeGenerator::picture(PictureRole role) const {
  switch (role) {
    case PictureRole::Upc:
      return ui.upcPicture;
    case PictureRole::Ean:
      return ui.eanPicture;
    case PictureRole::Linear:
      break;
  }
  return ui.linearPicture;
}

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
