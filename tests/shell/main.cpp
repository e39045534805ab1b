// Widget tests need a QApplication; listing the tests (as the build does to
// discover them) does not, so it works without any display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  // The editor's settings file goes to a folder of the run's own, never to
  // the user's; Qt reads the variable once, so it is set before anything else.
  QTemporaryDir config;
  if (!config.isValid()) return 1;
  setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
