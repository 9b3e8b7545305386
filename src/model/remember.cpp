// "Save" that remembers the file: variables deleted or renamed in the table since
// the file was opened or last saved leave that file too.
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "inifile/inifile.h"
#include "model/model.h"
#include "model/nameindex.h"
#include "model/writer.h"

namespace {

// Both names lead to one existing file (through links or relative paths alike).
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

// The names that Save writes as keys of "Variables" besides ProgramName, each once
// (the first of names equal ignoring letter case); `written` holds their rows.
std::vector<std::string> WrittenVariableNames(const TProject& project, TNameIndex& written) {
  std::vector<std::string> names;
  names.reserve(project.Variables.size());
  written.Reserve(project.Variables.size());
  for (size_t i = 0; i < project.Variables.size(); ++i) {
    const std::string& name = project.Variables[i].Name;
    if (name.empty() || SameText(name, "ProgramName") || !written.Insert(i)) continue;
    names.push_back(name);
  }
  return names;
}

}  // namespace

void SaveAndRemember(TProject& project, const std::string& fileName,
                     const std::string& cataloguePath) {
  // Decided before saving: the save may create the file or replace it by a new one.
  const bool sameFile =
      !project.Origin.FileName.empty() && SameFile(project.Origin.FileName, fileName);
  TNameIndex writtenIndex(
      [&project](size_t row) -> std::string_view { return project.Variables[row].Name; });
  std::vector<std::string> written = WrittenVariableNames(project, writtenIndex);
  std::vector<std::string> removed;
  if (sameFile) {
    for (const std::string& name : project.Origin.VariableNames) {
      if (!writtenIndex.Contains(name) && !SameText(name, "ProgramName")) removed.push_back(name);
    }
  }
  // One rewrite: the values and the removal reach the file together or not at all.
  SaveProjectRemoving(project, fileName, cataloguePath, removed);
  project.Origin = TFileOrigin{fileName, std::move(written)};
}

void SaveAndRemember(TProject& project, const std::string& fileName) {
  SaveAndRemember(project, fileName, project.Catalogue);
}
