#include <gtest/gtest.h>

#include <QApplication>

#include "zolmar/services/scripted_user_interface.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  // An unexpected question or window wait in the scripted user interface fails the test.
  zolmar::ScriptedUserInterface::setFailureHandler(
      [](const QString& message) { ADD_FAILURE() << message.toStdString(); });
  return RUN_ALL_TESTS();
}
