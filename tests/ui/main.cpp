// Runs the user interface tests inside the editor's own application object, with
// Qt's Russian texts, on the off-screen platform unless another one is chosen.
#include <gtest/gtest.h>

#include "app_fixture.h"
#include "ui/app.h"

int main(int argc, char** argv) {
  // Test discovery runs this program without the environment that CTest sets.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  TApplication app(argc, argv);
  SetSystemDialogs(&DefaultTestDialogs());
  const int result = RUN_ALL_TESTS();
  SetSystemDialogs(nullptr);
  return result;
}
