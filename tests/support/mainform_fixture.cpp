#include "mainform_fixture.h"

void MainForm::SetUp() {
  TAppFixture::SetUp();
  // Every mock-up click here only needs to know which dialog opened.
  Dialogs.OnModal = [](QDialog&) {};
}

QImage MainForm::Background() { return Find("Background")->grab().toImage(); }
QTabWidget* MainForm::Pages() { return Find<QTabWidget>("Pages"); }
QWidget* MainForm::Screen() { return Find("PreviewClient"); }
