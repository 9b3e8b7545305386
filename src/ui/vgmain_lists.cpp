// The pages "Языки", "Диалоги" and "Переменные" of the main window.
#include <QGroupBox>
#include <QTabWidget>
#include <stdexcept>
#include <string>

#include "ui/checklistbox.h"
#include "ui/groupframe.h"
#include "ui/variablesgrid.h"
#include "ui/vgmain.h"

namespace {

QWidget* Page(QTabWidget* pages, const char* name) {
  auto* page = pages->findChild<QWidget*>(QString::fromLatin1(name));
  if (page == nullptr) throw std::runtime_error(std::string("The main window has no page ") + name);
  return page;
}

QGroupBox* MakeGroupBox(QWidget* page, const char* name, const QString& caption,
                        const QRect& geometry) {
  auto* box = new TGroupFrame(caption, page);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(geometry);
  return box;
}

TCheckListBox* MakeList(QWidget* box, const char* name, const QRect& geometry, int columns,
                        TCheckList* list) {
  auto* view = new TCheckListBox(box);
  view->setObjectName(QString::fromLatin1(name));
  view->setGeometry(geometry);
  view->SetColumns(columns);
  view->Bind(list);
  return view;
}

}  // namespace

void TMainForm::BuildListPages() {
  QWidget* languages = Page(Pages_, "TabSheet2");
  QWidget* dialogs = Page(Pages_, "TabSheet3");
  QWidget* variables = Page(Pages_, "TabSheet4");

  QGroupBox* box1 = MakeGroupBox(
      languages, "GroupBox1", QStringLiteral(" Список доступных языков "), QRect(5, 4, 409, 281));
  Langs_ = MakeList(box1, "Langs", QRect(8, 16, 393, 257), 2, &Project_.Langs);

  QGroupBox* box2 = MakeGroupBox(dialogs, "GroupBox2", QStringLiteral(" Диалоги до инсталляции "),
                                 QRect(5, 4, 409, 161));
  Pred_ = MakeList(box2, "Pred", QRect(16, 21, 377, 129), 1, &Project_.Pred);
  QGroupBox* box3 = MakeGroupBox(
      dialogs, "GroupBox3", QStringLiteral(" Диалоги после инсталляции "), QRect(5, 172, 409, 109));
  Post_ = MakeList(box3, "Post", QRect(16, 20, 377, 77), 1, &Project_.Post);
  QWidget::setTabOrder(Pred_, Post_);

  Variables_ = new TVariablesGrid(variables);
  Variables_->setObjectName(QStringLiteral("Variables"));
  Variables_->setGeometry(5, 4, 409, 281);
  Variables_->Bind(&Project_.Variables);

  // Another page ends any editing in the table; the text typed so far stays.
  connect(Pages_, &QTabWidget::currentChanged, Variables_, &TVariablesGrid::EndEdit);
}

void TMainForm::RefreshLists() {
  if (Langs_) Langs_->Reload();
  if (Pred_) Pred_->Reload();
  if (Post_) Post_->Reload();
}

void TMainForm::RefreshListPages() {
  RefreshLists();
  if (Variables_) Variables_->Reset();
}
