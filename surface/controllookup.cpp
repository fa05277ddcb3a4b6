#include "surface/controllookup.h"

#include <QEvent>

namespace surface {

ControlIndex::ControlIndex(QWidget* window) : QObject(window), m_window(window) {}

ControlIndex& ControlIndex::of(const QWidget& window) {
  auto* index = window.findChild<ControlIndex*>(QString(), Qt::FindDirectChildrenOnly);
  // Kept as the window's child: building it changes nothing the window shows.
  if (!index) index = new ControlIndex(const_cast<QWidget*>(&window));
  return *index;
}

void ControlIndex::watch(QObject* object) {
  object->installEventFilter(this);
  connect(object, &QObject::objectNameChanged, this, [this] { m_stale = true; });
  m_watched.emplace_back(object);
}

void ControlIndex::build() {
  for (const QPointer<QObject>& object : m_watched) {
    if (!object) continue;
    object->removeEventFilter(this);
    disconnect(object, nullptr, this, nullptr);
  }
  m_watched.clear();
  m_byName.clear();
  watch(m_window);
  for (QWidget* widget : m_window->findChildren<QWidget*>()) {
    watch(widget);
    const QVariant member = widget->property("Index");
    m_byName[widget->objectName()].push_back(
        {widget, member.isValid(), member.isValid() ? member.toInt() : 0});
  }
  m_stale = false;
}

bool ControlIndex::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
    case QEvent::DynamicPropertyChange:
      m_stale = true;
      break;
    default:
      break;
  }
  return false;
}

QWidget* ControlIndex::find(const QString& name, int index) {
  if (m_stale) build();
  const auto found = m_byName.constFind(name);
  if (found == m_byName.constEnd()) return nullptr;
  for (const Entry& entry : *found)
    if (entry.widget && (index < 0 ? !entry.indexed : entry.indexed && entry.index == index))
      return entry.widget;
  return nullptr;
}

}  // namespace surface
