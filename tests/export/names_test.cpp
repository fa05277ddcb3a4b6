// The system's bytes as text and back, and outside text on one line.
#include "export/names.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(Names, BytesComeBackExactlyAsGiven) {
  const QByteArray rows[] = {
      "plain.png",
      "caf\xc3\xa9.png",
      "x\xff.png",
      "\xef\xbf\xbd look-alike",
      "\xed\xb2\x80 surrogate",
      "\xc0\xaf overlong",
      "cut \xe2\x82",
      "\xf0\x9f\x98\x80 emoji",
  };
  for (const QByteArray& bytes : rows) {
    EXPECT_EQ(app::nativeBytes(app::fromNativeBytes(bytes)), bytes) << bytes.toHex().constData();
    // Text that is UTF-8 reads as UTF-8 would.
    if (QString::fromUtf8(bytes).toUtf8() == bytes) {
      EXPECT_EQ(app::fromNativeBytes(bytes), QString::fromUtf8(bytes));
    }
  }
  std::mt19937 random(7);
  for (int i = 0; i < 2000; ++i) {
    QByteArray bytes(static_cast<qsizetype>(random() % 12), '\0');
    for (char& b : bytes) b = static_cast<char>(random() % 255 + 1);
    ASSERT_EQ(app::nativeBytes(app::fromNativeBytes(bytes)), bytes) << bytes.toHex().constData();
  }
}

TEST(Names, OutsideTextOnOneLine) {
  const struct {
    QString text, shown;
  } rows[] = {
      {QStringLiteral("a\nb\r\tc"), QStringLiteral("a\\nb\\r\\tc")},
      {QStringLiteral("\x1b]0;title\x07"), QStringLiteral("\\x1b]0;title\\x07")},
      {QString(QChar(0x9b)) + QChar(0x2028) + QChar(0x202e), QStringLiteral("\\x9b\\u2028\\u202e")},
      {app::fromNativeBytes("x\xff"), QStringLiteral("x\\xFF")},
      {QStringLiteral("caf\u00e9 \U0001F600"), QStringLiteral("caf\u00e9 \U0001F600")},
  };
  for (const auto& row : rows)
    EXPECT_EQ(app::oneLine(row.text), row.shown) << qPrintable(row.shown);
}

}  // namespace
