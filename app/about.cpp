// About window and web link.
#include "app/about.h"

#include <qdrawutil.h>

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QUrl>

#include "app/artwork.h"
#include "app/barcodegenerator.h"
#include "app/layout.h"
#include "app/mousesignals.h"
#include "app/platform.h"

namespace app {

namespace {

// Where the link leads: the barcode pages of the standards body whose site
// name the link shows.
constexpr auto kLinkAddress = "https://www.gs1.org/standards/barcodes";

const QColor kLinkHover(0x00, 0x00, 0xff);
const QColor kLinkPlain(0x00, 0x00, 0x00);

void setLinkLook(QLabel* link, bool hover) {
  QFont font = link->font();
  font.setBold(false);
  font.setUnderline(hover);
  link->setFont(font);
  QPalette palette = link->palette();
  palette.setColor(QPalette::WindowText, hover ? kLinkHover : kLinkPlain);
  link->setPalette(palette);
}

}  // namespace

AboutWindow::AboutWindow(QWidget* parent)
    // A tool window stays out of the task bar; the frame is painted by us, the
    // same on every desktop, with no caption or buttons.
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmSplashbm"));
  // No caption to read, so assistive technology is told what this window is.
  setAccessibleName(QStringLiteral("About Barcode Generator"));
  setAccessibleDescription(QStringLiteral("Click or press a key to close"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(px(10305), px(7020));

  m_frame = new QFrame(this);
  m_frame->setObjectName(QStringLiteral("Frame1"));
  m_frame->setGeometry(px(240), px(120), px(9825), px(6675));
  m_frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  m_frame->setAutoFillBackground(true);
  QPalette white = m_frame->palette();
  white.setColor(QPalette::Window, Qt::white);
  m_frame->setPalette(white);

  m_logo = new QLabel(m_frame);
  m_logo->setObjectName(QStringLiteral("imgLogo"));
  m_logo->setGeometry(px(720), px(1320), px(8235), px(3870));
  m_logo->setPixmap(QPixmap::fromImage(logoImage()));

  connect(new MouseSignals(m_frame), &MouseSignals::clicked, this, &AboutWindow::Frame1_Click);
  connect(new MouseSignals(m_logo), &MouseSignals::clicked, this, &AboutWindow::imgLogo_Click);

  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen) move(screen->availableGeometry().center() - rect().center());
}

void AboutWindow::Form_KeyPress(int) { close(); }
void AboutWindow::Frame1_Click() { close(); }
void AboutWindow::imgLogo_Click() { close(); }

void AboutWindow::keyPressEvent(QKeyEvent* event) {
  // Keys that type a character, Enter, Esc and Backspace among them; not
  // Shift, arrows or function keys.
  if (event->text().isEmpty())
    QWidget::keyPressEvent(event);
  else
    Form_KeyPress(event->text().front().unicode());
}

void AboutWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  qDrawWinPanel(&painter, rect(), palette(), false);
}

void BarcodeGenerator::help_Click() {
  // A closed window waits for its deletion; the next About makes a new one.
  if (m_splash && m_splash->isHidden()) m_splash = nullptr;
  if (!m_splash) m_splash = new AboutWindow(this);
  m_splash->show();
  m_splash->raise();
  m_splash->activateWindow();
}

void BarcodeGenerator::LblLink_Click() {
  // Whether a browser opened is not ours to report.
  m_platform->openUrl(QUrl(QString::fromLatin1(kLinkAddress)));
}

void BarcodeGenerator::LblLink_MouseMove() { setLinkLook(ui.link, true); }

void BarcodeGenerator::Form_MouseMove() {
  setLinkLook(ui.link, false);
  unsetCursor();
}

AboutWindow* BarcodeGenerator::splash() const { return m_splash; }

}  // namespace app
