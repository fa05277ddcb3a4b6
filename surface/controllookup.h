#pragma once

#include <QLatin1String>
#include <QString>
#include <QWidget>
#include <span>
#include <vector>

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

struct ControlName {
  QLatin1String name;
  int index = -1;
};

// Many controls in one walk over the window's children: each answer is the
// control findControl(window, name, index) gives, null where there is none.
inline std::vector<QWidget*> findControls(const QWidget& window,
                                          std::span<const ControlName> wanted) {
  std::vector<QWidget*> found(wanted.size(), nullptr);
  std::size_t missing = wanted.size();
  // findChildren lists depth first, as findControl meets them.
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    const QString name = widget->objectName();
    for (std::size_t i = 0; i < wanted.size(); ++i) {
      if (found[i] || name != wanted[i].name) continue;
      const QVariant member = widget->property("Index");
      const int index = wanted[i].index;
      if (index < 0 ? member.isValid() : !member.isValid() || member.toInt() != index) continue;
      found[i] = widget;
      if (--missing == 0) return found;
    }
  }
  return found;
}

}  // namespace surface
