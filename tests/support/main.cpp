#include <gtest/gtest.h>

#include <QApplication>

#include "app/fonts.h"

int main(int argc, char* argv[]) {
  ::testing::InitGoogleTest(&argc, argv);
  // Test discovery lists the cases without a display; only a run starts Qt.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  QApplication application(argc, argv);
  app::loadFallbackFonts();
  return RUN_ALL_TESTS();
}
