// "New": the project back to its defaults, with the three lists filled from the catalogue.
#include "inifile/inifile.h"
#include "model/defaults.h"
#include "model/model.h"
#include "model/sequences_p.h"

namespace {

// A line's key: the text before its first "=", none without one.
size_t NameLength(const std::string& line) {
  const size_t eq = line.find('=');
  return eq == std::string::npos ? 0 : eq;
}

// Appends the entries of the catalogue's section to the list, each named by a line's
// key and holding the code that the catalogue gives for that name (the value of its
// first line), then drops the section from the document (read-only, never written),
// so that a large catalogue's entries are not held in the document and in the list at once.
void TakeEntries(TIniDocument& catalogue, const char* section, TCheckList& list) {
  const int32_t index = catalogue.Sections().IndexOf(section);
  if (index < 0) return;
  const TStringList& lines = catalogue.Sections().Lines(index);
  size_t nameBytes = 0;
  size_t lineBytes = 0;
  for (int32_t i = 0; i < lines.Count(); ++i) {
    nameBytes += NameLength(lines[i]);
    lineBytes += lines[i].size();
  }
  list.Reserve(lines.Count(), nameBytes, lineBytes - nameBytes);
  for (int32_t i = 0; i < lines.Count(); ++i) {
    const std::string name = lines[i].substr(0, NameLength(lines[i]));
    list.Append(name, catalogue.ReadString(section, name, ""));
  }
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
    TakeEntries(catalogue, "Languages", project.Langs);
    TakeEntries(catalogue, "PreInstallDlg", project.Pred);
    TakeEntries(catalogue, "PostInstallDlg", project.Post);
  }
  // The last post-installation entry is the final dialog, which the setup shows last.
  project.Post.SetFinal(project.Post.KnownCount() - 1);
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
