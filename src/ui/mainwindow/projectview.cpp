#include "ui/mainwindow/projectview.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTabWidget>

#include "ui/widgets/checklistbox.h"
#include "ui/widgets/render.h"
#include "ui/widgets/variablesgrid.h"

namespace {

QString FromModel(const std::string& text) { return QString::fromStdString(Cp1251ToUtf8(text)); }

QString Translate(const char* text) { return QCoreApplication::translate("TProjectView", text); }

// The colour as a screen reader says it: the name of one of the sixteen basic
// colours, or its hexadecimal red, green and blue.
QString ColorName(TColor color) {
  struct TNamed {
    QRgb Rgb;
    const char* Name;
  };
  static constexpr TNamed kNames[] = {
      {0x000000, QT_TRANSLATE_NOOP("TProjectView", "чёрный")},
      {0x800000, QT_TRANSLATE_NOOP("TProjectView", "тёмно-красный")},
      {0x008000, QT_TRANSLATE_NOOP("TProjectView", "зелёный")},
      {0x808000, QT_TRANSLATE_NOOP("TProjectView", "оливковый")},
      {0x000080, QT_TRANSLATE_NOOP("TProjectView", "тёмно-синий")},
      {0x800080, QT_TRANSLATE_NOOP("TProjectView", "фиолетовый")},
      {0x008080, QT_TRANSLATE_NOOP("TProjectView", "сине-зелёный")},
      {0x808080, QT_TRANSLATE_NOOP("TProjectView", "серый")},
      {0xC0C0C0, QT_TRANSLATE_NOOP("TProjectView", "серебристый")},
      {0xFF0000, QT_TRANSLATE_NOOP("TProjectView", "красный")},
      {0x00FF00, QT_TRANSLATE_NOOP("TProjectView", "ярко-зелёный")},
      {0xFFFF00, QT_TRANSLATE_NOOP("TProjectView", "жёлтый")},
      {0x0000FF, QT_TRANSLATE_NOOP("TProjectView", "синий")},
      {0xFF00FF, QT_TRANSLATE_NOOP("TProjectView", "малиновый")},
      {0x00FFFF, QT_TRANSLATE_NOOP("TProjectView", "голубой")},
      {0xFFFFFF, QT_TRANSLATE_NOOP("TProjectView", "белый")},
  };
  const QColor qcolor = ToQColor(color);
  for (const TNamed& named : kNames) {
    if (qcolor.rgb() == (named.Rgb | 0xFF000000u)) return Translate(named.Name);
  }
  return qcolor.name();
}

// A title of the mock-up: what it says and in which font.
QString TitleDescription(const char* part, const QString& caption, const TFontDesc& font) {
  return Translate("%1: «%2», %3, %4 пт — изменить")
      .arg(Translate(part), caption, FromModel(font.Name))
      .arg(font.Size);
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
        Translate("Фон: градиент, сверху %1, снизу %2 — изменить")
            .arg(ColorName(Project_.TopColor), ColorName(Project_.BottomColor)));
  } else {
    background->ShowDesktop();
    background->setAccessibleDescription(Translate("Фон: рисунок рабочего стола — изменить"));
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
