// "New": the project back to its defaults, with the three lists filled from the catalogue.
#include "inifile/inifile.h"
#include "model/defaults.h"
#include "model/model.h"

namespace {

void AppendKeyNames(TIniDocument& catalogue, const char* section, TCheckList& list) {
  TStringList names;
  catalogue.ReadSection(section, names);
  for (int32_t i = 0; i < static_cast<int32_t>(names.Count()); ++i) list.Append(names[i]);
}

}  // namespace

void ResetProject(TProject& project, const std::string& cataloguePath) {
  ApplyDefaultAppearance(project);

  project.Langs.Clear();
  project.Pred.Clear();
  project.Post.Clear();
  {
    // A missing catalogue loads as an empty document; one that cannot be opened
    // raises here and leaves the rest of the reset undone.
    TIniDocument catalogue(cataloguePath, true);
    AppendKeyNames(catalogue, "Languages", project.Langs);
    AppendKeyNames(catalogue, "PreInstallDlg", project.Pred);
    AppendKeyNames(catalogue, "PostInstallDlg", project.Post);
  }
  const int32_t russian = project.Langs.Find(DefaultLanguage());
  project.Langs.SetTick(russian, true);
  project.Langs.Select(russian);

  ApplyDefaultVariables(project);
  project.Origin = {};
}
