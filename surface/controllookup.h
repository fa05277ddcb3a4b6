#pragma once

#include <QString>
#include <QWidget>

namespace surface {

// A control of a window by its name, or a member of a control array by name
// and index (the property "Index"); null when there is none. Qt finds
// children by name but knows no arrays, so this gives the program both.
inline QWidget* findControl(const QWidget& window, const QString& name, int index = -1) {
  for (QWidget* widget : window.findChildren<QWidget*>(name)) {
    const QVariant member = widget->property("Index");
    if (index < 0 ? !member.isValid() : member.isValid() && member.toInt() == index) return widget;
  }
  return nullptr;
}

}  // namespace surface
