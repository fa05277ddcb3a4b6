#pragma once

// What is wrong with a dialog's Alt keys: a label whose "&" names no field
// (it then shows the ampersand), a letter that two fields share.

#include <QAbstractButton>
#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace testsupport {

// The letter after a lone "&", which Alt+letter reaches; none for none.
inline QChar mnemonicOf(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] != u'&') return text[i + 1].toLower();
    ++i;
  }
  return QChar();
}

inline QStringList altKeyProblems(const QWidget& dialog) {
  QStringList problems, owners;
  QList<QChar> keys;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    const QChar key = mnemonicOf(label->text());
    if (key.isNull()) continue;
    if (!label->buddy()) problems << label->text() + QStringLiteral(" names no field");
    keys << key;
    owners << label->text();
  }
  for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
    if (const QChar key = mnemonicOf(button->text()); !key.isNull()) {
      keys << key;
      owners << button->text();
    }
  for (qsizetype i = 0; i < keys.size(); ++i)
    for (qsizetype j = i + 1; j < keys.size(); ++j)
      if (keys[i] == keys[j]) problems << owners[i] + QStringLiteral(" and ") + owners[j];
  return problems;
}

}  // namespace testsupport
