#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
  // Windows are driven without a display unless the caller asks for one.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
