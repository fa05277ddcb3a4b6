// The index a window keeps of its controls answers as a fresh search would,
// also after the window's controls change.
#include "surface/controllookup.h"

#include <gtest/gtest.h>

#include <QLabel>

namespace {

using surface::ControlIndex;
using surface::findControl;

// A window with a plain control, an array of three, and a nested array member.
struct Window {
  QWidget window;
  QWidget* box = new QWidget(&window);
  QLabel* digits[3] = {new QLabel(&window), new QLabel(&window), new QLabel(box)};
  Window() {
    box->setObjectName(QStringLiteral("box"));
    for (int i = 0; i < 3; ++i) {
      digits[i]->setObjectName(QStringLiteral("L"));
      digits[i]->setProperty("Index", i);
    }
  }
};

struct Lookup {
  const char* name;
  int index;
};

const Lookup kLookups[] = {{"box", -1}, {"L", 0},  {"L", 1},   {"L", 2},
                           {"L", 3},    {"L", -1}, {"box", 0}, {"missing", -1}};

void expectAsFindControl(const QWidget& window, const char* when) {
  for (const Lookup& l : kLookups) {
    const QString name = QString::fromLatin1(l.name);
    EXPECT_EQ(ControlIndex::of(window).find(name, l.index), findControl(window, name, l.index))
        << when << ": " << l.name << " " << l.index;
  }
}

struct Change {
  const char* name;
  void (*apply)(Window&);
};

const Change kChanges[] = {
    {"as built", [](Window&) {}},
    {"a member renamed", [](Window& w) { w.digits[1]->setObjectName(QStringLiteral("R")); }},
    {"a member given another index", [](Window& w) { w.digits[0]->setProperty("Index", 3); }},
    {"a member deleted", [](Window& w) { delete w.digits[2]; }},
    {"a control added in front",
     [](Window& w) {
       auto* earlier = new QLabel(w.box);
       earlier->setObjectName(QStringLiteral("L"));
       earlier->setProperty("Index", 1);
     }},
    {"a plain control renamed away", [](Window& w) { w.box->setObjectName(QString()); }},
};

TEST(ControlIndex, AnswersAsASearchWouldAfterEveryChange) {
  for (const Change& change : kChanges) {
    Window w;
    expectAsFindControl(w.window, "before");
    change.apply(w);
    expectAsFindControl(w.window, change.name);
  }
}

TEST(ControlIndex, OneIndexPerWindow) {
  Window w;
  EXPECT_EQ(&ControlIndex::of(w.window), &ControlIndex::of(w.window));
  EXPECT_EQ(ControlIndex::of(w.window).parent(), &w.window);
}

}  // namespace
