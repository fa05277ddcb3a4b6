#include "app/fonts.h"

#include <QFontDatabase>

#include "surface/limits.h"

namespace app {

QStringList labelFontFamilies() {
  QStringList names;
  for (QString family : QFontDatabase::families()) {
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
    // Dingbats and the like claim Latin too, but draw pictures for its letters.
    if (!systems.contains(QFontDatabase::Latin) || systems.contains(QFontDatabase::Symbol))
      continue;
    // "Nimbus Sans [URW ]": Qt names the foundry only to tell one family's
    // installations apart; the plain name draws the same letters.
    if (const qsizetype bracket = family.indexOf(QStringLiteral(" ["));
        bracket > 0 && family.endsWith(QLatin1Char(']')))
      family.truncate(bracket);
    names << family;
  }
  names.removeDuplicates();
  names.sort(Qt::CaseInsensitive);
  return names;
}

QFont tahoma(double points, bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(surface::pointsToPixels(points));
  font.setBold(bold);
  return font;
}

}  // namespace app
