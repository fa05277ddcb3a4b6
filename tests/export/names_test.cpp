// The system's bytes as text and back: whatever they are, exactly.
#include "export/names.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(Names, AnyBytesComeBackExactlyAndUtf8ReadsAsUtf8) {
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    QByteArray bytes(static_cast<qsizetype>(random() % 10), '\0');
    for (char& b : bytes)
      b = static_cast<char>(random() % 2 ? random() % 255 + 1 : 0xc0 + random() % 0x30);
    ASSERT_EQ(app::nativeBytes(app::fromNativeBytes(bytes)), bytes) << bytes.toHex().constData();
    if (QString::fromUtf8(bytes).toUtf8() == bytes) {
      ASSERT_EQ(app::fromNativeBytes(bytes), QString::fromUtf8(bytes)) << bytes.toHex().constData();
    }
  }
}

}  // namespace
