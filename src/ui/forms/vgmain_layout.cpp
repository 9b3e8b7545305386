// The main window's controls: the stored form vgmain.ui lays out the menu, the
// four pages, the mock-up of the setup screen and the list pages; here is what
// a form cannot say. Handlers are connected elsewhere. In the form, children
// come back to front (later siblings are drawn above earlier ones), and the
// welcome text's line height of 13 pixels is the line pitch of the classic
// 8-point dialog font.
#include <QLayout>
#include <QTabBar>
#include <QTabWidget>

#include "ui/forms/vgmain.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/render.h"
#include "ui_vgmain.h"

void TMainForm::LayOut() {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(DefaultWindowFont());
  Ui::MainForm form;
  form.setupUi(this);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  // Flat tab buttons that light up under the mouse; the current one looks pressed.
  form.Pages->tabBar()->setStyleSheet(QStringLiteral(
      "QTabBar::tab { background: transparent; border: 1px solid transparent; padding: 3px 8px;"
      " margin: 2px 1px 1px 1px; }"
      "QTabBar::tab:hover { border-color: palette(light) palette(dark) palette(dark) "
      "palette(light); }"
      "QTabBar::tab:selected { background: palette(midlight);"
      " border-color: palette(dark) palette(light) palette(light) palette(dark); }"));
  FillBackground(form.Dialog, clBtnFace);
  FillBackground(form.Label1, clBtnFace);
  FillBackground(form.DlgCaption, clActiveCaption);
  SetPaletteColor(form.DlgCaption, QPalette::WindowText, clCaptionText);
  form.HeaderPicture->SetPicture(HeaderBitmap());

  Widgets_ = {form.Pages, form.Background, form.ProgramName, form.DlgName,  form.DlgCaption,
              form.Langs, form.Pred,       form.Post,        form.Variables};
  Label1_ = form.Label1;
}
