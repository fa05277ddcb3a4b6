#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
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

// The same answers as findControl, from an index of the window's controls
// built in one walk and kept with the window: a renderer that looks up its
// controls on every keystroke then walks the window only when it changed.
// A control added, removed, renamed or given another index anywhere in the
// window has the next lookup build the index again.
class ControlIndex : public QObject {
  Q_OBJECT

 public:
  static ControlIndex& of(const QWidget& window);

  QWidget* find(const QString& name, int index = -1);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit ControlIndex(QWidget* window);
  void build();
  void watch(QObject* object);

  struct Entry {
    QPointer<QWidget> widget;
    bool indexed = false;
    int index = 0;
  };
  QWidget* m_window;
  bool m_stale = true;
  QHash<QString, std::vector<Entry>> m_byName;  // each list in findChildren's order
  std::vector<QPointer<QObject>> m_watched;
};

}  // namespace surface
