// Runs the user interface tests inside the editor's own application object, with
// Qt's Russian texts, on the off-screen platform unless another one is chosen,
// with settings of its own.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "app_fixture.h"
#include "ui/app.h"

int main(int argc, char** argv) {
  // Test discovery runs this program without the environment that CTest sets.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  TApplication app(argc, argv);
  // The settings (recent files) of this run only, never the user's.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  SetSystemDialogs(&DefaultTestDialogs());
  const int result = RUN_ALL_TESTS();
  SetSystemDialogs(nullptr);
  return result;
}
