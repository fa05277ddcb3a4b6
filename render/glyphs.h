#pragma once

#include <QImage>
#include <QString>

namespace render {

// Draws text in black on a grey picture, dots fully on or off, without a
// painter: each character of printable ASCII is rendered once per thread,
// font and size, then copied as runs of dots. Other text goes through
// QPainter. The text is centred on centreX with its baseline at y.
void drawTextCentred(QImage& grey, const QString& family, int pixelSize, const QString& text,
                     double centreX, int baseline);

}  // namespace render
