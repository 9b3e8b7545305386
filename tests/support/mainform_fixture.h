// The main window on the sample catalogue, for the tests of its start-up state,
// its mock-up and its commands.
#pragma once

#include <QImage>
#include <QTabWidget>

#include "app_fixture.h"
#include "ui/mainwindow/vgmain.h"

class MainForm : public TAppFixture {
 protected:
  // Starts the application; a modal dialog that a click opens is closed unanswered,
  // so that a test sees only which dialog opened (in Dialogs.Modals).
  void SetUp() override;

  // The mock-up's background picture as drawn now.
  QImage Background();
  // The main window's four pages.
  QTabWidget* Pages();
  // The mock screen that holds the background, the program title and the dialog.
  QWidget* Screen();
};
