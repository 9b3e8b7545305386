#include "model/savedstate.h"

#include <string>
#include <utility>

namespace {

std::string Bool(bool flag) { return flag ? "1" : "0"; }

// The count first, then one item per entry (its tick, name and code: a name holds no
// "="), then the order of the ticked entries, so no entry can run into the next.
void AddList(TSavedItems& items, const char* name, const TCheckList& list) {
  items.push_back(std::string(name) + '=' + std::to_string(list.Count()));
  for (int32_t i = 0; i < list.Count(); ++i) {
    items.push_back((list.IsTicked(i) ? "+" : "-") + list.Name(i) + '=' + list.Code(i));
  }
  std::string order = "Order=";
  for (const int32_t index : list.Order()) order += std::to_string(index) + ',';
  items.push_back(std::move(order));
}

}  // namespace

TSavedItems SavedSettingItems(const TProject& project) {
  TSavedItems items;
  AddList(items, "Languages", project.Langs);
  AddList(items, "PreInstall", project.Pred);
  AddList(items, "PostInstall", project.Post);
  items.push_back("ShowMainWindow=" + Bool(project.BackgroundEnabled));
  items.push_back("ProgramName=" + project.MainTitleCaption);
  items.push_back("ProgramNameText=" + project.ProgramNameText);
  items.push_back("ShowDialogTitle=" + Bool(!project.DialogTitleCaption.empty()));
  items.push_back("GradientTopColor=" + ColorValue(project.TopColor));
  items.push_back("GradientBottomColor=" + ColorValue(project.BottomColor));
  items.push_back("MainTitleFont=" + FontValue(project.TitleFont));
  items.push_back("MainTitleShadow=" + Bool(project.TitleShadow));
  items.push_back("MainTitleShadowColor=" + ColorValue(project.TitleShadowColor));
  items.push_back("DialogTitleFont=" + FontValue(project.DialogFont));
  items.push_back("DialogTitleShadow=" + Bool(project.DialogShadow));
  items.push_back("DialogTitleShadowColor=" + ColorValue(project.DialogShadowColor));
  items.push_back("DialogPosition=" + std::to_string(project.DialogPosition.Horizontal) + ',' +
                  std::to_string(project.DialogPosition.Vertical));
  return items;
}

TSavedItems SavedItems(const TProject& project) {
  TSavedItems items = SavedSettingItems(project);
  // Rows without a name are not written. Name and value are items of their own,
  // so a "=" in either cannot make two different rows look alike.
  for (const TVariableRow& row : project.Variables) {
    if (row.Name.empty()) continue;
    items.push_back("Variable=" + row.Name);
    items.push_back(row.Value);
  }
  return items;
}
