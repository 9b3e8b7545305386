// "Save" that remembers the file: variables deleted or renamed in the table since
// the file was opened or last saved leave that file too; "Save As" into a new
// file takes along what else that file holds.
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "inifile/inifile.h"
#include "inifile/linefile_p.h"
#include "model/model.h"
#include "model/nameindex.h"
#include "model/writer_p.h"

namespace {

// Both names lead to one existing file (through links or relative paths alike).
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

// An index of the rows' names.
TNameIndex RowNames(const TProject& project) {
  TNameIndex names(
      [&project](size_t row) -> std::string_view { return project.Variables[row].Name; });
  names.Reserve(project.Variables.size());
  return names;
}

// The names that Save writes as keys of "Variables" besides ProgramName, each once
// (the first of names equal ignoring letter case).
TNameList WrittenVariableNames(const TProject& project) {
  TNameIndex written = RowNames(project);
  TNameList names;
  for (size_t i = 0; i < project.Variables.size(); ++i) {
    const std::string& name = project.Variables[i].Name;
    if (name.empty() || SameText(name, "ProgramName") || !written.Insert(i)) continue;
    names.push_back(name);
  }
  return names;
}

// The variables of the Origin that no row names any more, ProgramName never.
std::vector<std::string> RemovedVariableNames(const TProject& project) {
  TNameIndex rows = RowNames(project);
  for (size_t i = 0; i < project.Variables.size(); ++i) rows.Insert(i);
  std::vector<std::string> removed;
  for (const std::string_view name : project.Origin.VariableNames) {
    if (!rows.Contains(name) && !SameFolded(name, "ProgramName")) removed.emplace_back(name);
  }
  return removed;
}

}  // namespace

void SaveAndRemember(TProject& project, const std::string& fileName,
                     const std::string& cataloguePath) {
  // Decided before saving: the save may create the file or replace it by a new one.
  const bool sameFile =
      !project.Origin.FileName.empty() && SameFile(project.Origin.FileName, fileName);
  const std::vector<std::string> removed =
      sameFile ? RemovedVariableNames(project) : std::vector<std::string>();
  // One rewrite: the values and the removal reach the file together or not at all.
  SaveProjectRemoving(project, fileName, cataloguePath, removed);
  // Listed only now, so that the list and the file's document are never held at once.
  project.Origin = TFileOrigin{fileName, WrittenVariableNames(project)};
}

void SaveAndRemember(TProject& project, const std::string& fileName) {
  SaveAndRemember(project, fileName, project.Catalogue);
}

void SaveProjectAs(TProject& project, const std::string& fileName,
                   const std::string& cataloguePath) {
  const std::string& origin = project.Origin.FileName;
  if (origin.empty() || IsExistingFile(fileName) || !IsExistingFile(origin)) {
    SaveAndRemember(project, fileName, cataloguePath);
    return;
  }
  SaveProjectCopying(project, fileName, cataloguePath, RemovedVariableNames(project), origin);
  project.Origin = TFileOrigin{fileName, WrittenVariableNames(project)};
}

void SaveProjectAs(TProject& project, const std::string& fileName) {
  SaveProjectAs(project, fileName, project.Catalogue);
}
