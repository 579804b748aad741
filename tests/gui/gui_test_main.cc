// The GUI tests need one QApplication for the whole run. Without a display
// they use Qt's offscreen platform, also when the test list is collected.

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>

#include "gui/main_window.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  }
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  dravelin::SetUpApplication(app);
  return RUN_ALL_TESTS();
}
