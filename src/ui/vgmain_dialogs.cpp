// Clicks on the mock-up open the dialog that edits the clicked part.
#include "ui/LabelStyle.h"
#include "ui/backcolor.h"
#include "ui/dlgpos.h"
#include "ui/vgmain.h"

void TMainForm::ProgramNameClick(QObject*) { StyleDialog().EditMainTitle(); }

void TMainForm::DlgNameClick(QObject*) { StyleDialog().EditDialogTitle(); }

void TMainForm::BackgroundDblClick(QObject*) { ColorDialog().EditBackground(); }

void TMainForm::Label1Click(QObject*) { PosDialog().EditPosition(); }
