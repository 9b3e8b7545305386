// Clicks on the mock-up open the dialog that edits the clicked part.
#include "ui/LabelStyle.h"
#include "ui/backcolor.h"
#include "ui/dlgpos.h"
#include "ui/vgmain.h"

void TMainForm::ProgramNameClick() { StyleDlg_->EditMainTitle(); }

void TMainForm::DlgNameClick() { StyleDlg_->EditDialogTitle(); }

void TMainForm::BackgroundDblClick() { ColorForm_->EditBackground(); }

void TMainForm::Label1Click() { PosForm_->EditPosition(); }
