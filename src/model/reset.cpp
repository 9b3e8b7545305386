// "New": the project back to its defaults, with the three lists filled from the catalogue.
#include "inifile/inifile.h"
#include "model/defaults.h"
#include "model/model.h"
#include "model/sequences.h"

namespace {

// A line's key: the text before its first "=", none without one.
size_t NameLength(const std::string& line) {
  const size_t eq = line.find('=');
  return eq == std::string::npos ? 0 : eq;
}

// Appends the key names of the catalogue's section to the list, then drops
// the section from the document (read-only, never written), so that a large
// catalogue's names are not held in the document and in the list at once.
void TakeKeyNames(TIniDocument& catalogue, const char* section, TCheckList& list) {
  const int32_t index = catalogue.Sections().IndexOf(section);
  if (index < 0) return;
  const TStringList& lines = catalogue.Sections().Lines(index);
  size_t nameBytes = 0;
  for (int32_t i = 0; i < lines.Count(); ++i) nameBytes += NameLength(lines[i]);
  list.Reserve(lines.Count(), nameBytes);
  for (int32_t i = 0; i < lines.Count(); ++i) list.Append(lines[i].substr(0, NameLength(lines[i])));
  catalogue.EraseSection(section);
}

}  // namespace

void FillLists(TProject& project, const std::string& cataloguePath) {
  project.Langs.Clear();
  project.Pred.Clear();
  project.Post.Clear();
  project.Catalogue = cataloguePath;
  {
    // A missing catalogue loads as an empty document; one that cannot be opened
    // raises here.
    RefuseUnusableCatalogue(cataloguePath);
    TIniDocument catalogue(cataloguePath, true);
    TakeKeyNames(catalogue, "Languages", project.Langs);
    TakeKeyNames(catalogue, "PreInstallDlg", project.Pred);
    TakeKeyNames(catalogue, "PostInstallDlg", project.Post);
  }
  const int32_t russian = project.Langs.Find(DefaultLanguage());
  project.Langs.SetTick(russian, true);
  project.Langs.Select(russian);
}

void ResetProject(TProject& project, const std::string& cataloguePath) {
  ApplyDefaultAppearance(project);
  // A catalogue that cannot be opened leaves the rest of the reset undone.
  FillLists(project, cataloguePath);
  ApplyDefaultVariables(project);
  project.Origin = {};
}
