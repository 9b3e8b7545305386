#include "ui/mainwindow/projectview.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTabWidget>

#include "ui/widgets/accessibility.h"
#include "ui/widgets/checklistbox.h"
#include "ui/widgets/render.h"
#include "ui/widgets/variablesgrid.h"

namespace {

QString FromModel(const std::string& text) { return QString::fromStdString(Cp1251ToUtf8(text)); }

QString Translate(const char* text) { return QCoreApplication::translate("TProjectView", text); }

// A title of the mock-up: what it says and in which font.
QString TitleDescription(const char* part, const QString& caption, const TFontDesc& font) {
  return QCoreApplication::translate("TProjectView", "%1: «%2», %3 — изменить")
      .arg(Translate(part), caption, FontSummary(font));
}

}  // namespace

TProjectView::TProjectView(TProject& project, const TProjectWidgets& widgets)
    : Project_(project), Widgets_(widgets) {
  Widgets_.Langs->Bind(&Project_.Langs);
  Widgets_.Pred->Bind(&Project_.Pred);
  Widgets_.Post->Bind(&Project_.Post);
  Widgets_.Variables->Bind(&Project_.Variables);
}

void TProjectView::ShowProject() {
  RefreshTitles();
  RefreshLists();
  Widgets_.Variables->Reset();
  RefreshBackground();
  Widgets_.Pages->setCurrentIndex(0);
}

void TProjectView::ShowTitleBarOf() {
  SetMainTitleVisible(Project_.BackgroundEnabled);
  SetDialogCaption(Utf8ToCp1251(" Установка ") + Project_.ProgramNameText);
}

void TProjectView::ShowEdited(TEdited part) {
  // The mock title bar names the product whether the main title is shown or not.
  if (part == TEdited::MainTitle)
    SetDialogCaption(Utf8ToCp1251(" Установка ") + Project_.ProgramNameText);
  RefreshMockup();
  // The main title goes away with the background window and comes back with it.
  if (part == TEdited::Background) SetMainTitleVisible(Project_.BackgroundEnabled);
}

void TProjectView::RefreshTitles() {
  TShadowLabel* main = Widgets_.ProgramName;
  main->SetCaption(FromModel(Project_.MainTitleCaption));
  main->SetFontDesc(Project_.TitleFont);
  main->SetShadowColor(Project_.TitleShadowColor);
  main->SetShadowSize(Project_.TitleShadow ? 3 : 0);

  TShadowLabel* dialog = Widgets_.DlgName;
  dialog->SetCaption(FromModel(Project_.DialogTitleCaption));
  dialog->SetFontDesc(Project_.DialogFont);
  dialog->SetShadowColor(Project_.DialogShadowColor);
  dialog->SetShadowSize(Project_.DialogShadow ? 3 : 0);

  main->setAccessibleDescription(
      TitleDescription(QT_TRANSLATE_NOOP("TProjectView", "Название программы"), main->Caption(),
                       Project_.TitleFont));
  dialog->setAccessibleDescription(
      TitleDescription(QT_TRANSLATE_NOOP("TProjectView", "Заголовок диалога"), dialog->Caption(),
                       Project_.DialogFont));
}

void TProjectView::RefreshBackground() {
  TPictureBox* background = Widgets_.Background;
  if (Project_.BackgroundEnabled) {
    background->PaintGradient(Project_.TopColor, Project_.BottomColor);
    background->setAccessibleDescription(
        QCoreApplication::translate("TProjectView", "Фон: градиент, сверху %1, снизу %2 — изменить")
            .arg(ColorName(Project_.TopColor), ColorName(Project_.BottomColor)));
  } else {
    background->ShowDesktop();
    background->setAccessibleDescription(
        QCoreApplication::translate("TProjectView", "Фон: рисунок рабочего стола — изменить"));
  }
}

void TProjectView::RefreshMockup() {
  RefreshTitles();
  RefreshBackground();
}

void TProjectView::RefreshLists() {
  Widgets_.Langs->Reload();
  Widgets_.Pred->Reload();
  Widgets_.Post->Reload();
}

void TProjectView::RefreshVariables() { Widgets_.Variables->Reload(); }

void TProjectView::SetMainTitleVisible(bool visible) {
  MainTitleVisible_ = visible;
  Widgets_.ProgramName->setVisible(visible);
}

void TProjectView::SetDialogCaption(const std::string& text) {
  Widgets_.DlgCaption->setText(FromModel(text));
}

TMockupState TProjectView::Mockup() const {
  return {MainTitleVisible_, Widgets_.DlgCaption->text()};
}

void TProjectView::SetMockup(const TMockupState& state) {
  SetMainTitleVisible(state.MainTitleVisible);
  Widgets_.DlgCaption->setText(state.DialogCaption);
}
