// Clicks on the mock-up open the dialog that edits the clicked part.
#include "ui/LabelStyle.h"
#include "ui/backcolor.h"
#include "ui/dlgpos.h"
#include "ui/vgmain.h"

void TMainForm::ProgramNameClick() { StyleDialog().EditMainTitle(); }

void TMainForm::DlgNameClick() { StyleDialog().EditDialogTitle(); }

void TMainForm::BackgroundDblClick() { ColorDialog().EditBackground(); }

void TMainForm::Label1Click() { PosDialog().EditPosition(); }
