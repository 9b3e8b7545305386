// "Save" that remembers the file: variables deleted or renamed in the table since
// the file was opened or last saved leave that file too.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "inifile/inifile.h"
#include "model/model.h"

namespace {

// Both names lead to one existing file (through links or relative paths alike).
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& candidate : names) {
    if (SameText(candidate, name)) return true;
  }
  return false;
}

// The names that Save writes as keys of "Variables" besides ProgramName, each once.
std::vector<std::string> WrittenVariableNames(const TProject& project) {
  std::vector<std::string> names;
  for (const TVariableRow& row : project.Variables) {
    if (row.Name.empty() || SameText(row.Name, "ProgramName") || Contains(names, row.Name)) {
      continue;
    }
    names.push_back(row.Name);
  }
  return names;
}

// Deletes every line of each key; rewrites the file only when a line went.
void RemoveVariables(const std::string& fileName, const std::vector<std::string>& keys) {
  TIniDocument file(fileName, false);
  TStringList present;
  file.ReadSection("Variables", present);
  for (const std::string& key : keys) {
    for (int32_t i = 0; i < present.Count(); ++i) {
      if (SameText(present[i], key)) file.DeleteKey("Variables", key);
    }
  }
  file.UpdateFile();
}

}  // namespace

void SaveAndRemember(TProject& project, const std::string& fileName,
                     const std::string& cataloguePath) {
  // Decided before saving: the save may create the file or replace it by a new one.
  const bool sameFile =
      !project.Origin.FileName.empty() && SameFile(project.Origin.FileName, fileName);
  SaveProject(project, fileName, cataloguePath);

  std::vector<std::string> written = WrittenVariableNames(project);
  if (sameFile) {
    std::vector<std::string> removed;
    for (const std::string& name : project.Origin.VariableNames) {
      if (!Contains(written, name) && !SameText(name, "ProgramName")) removed.push_back(name);
    }
    if (!removed.empty()) RemoveVariables(fileName, removed);
  }
  project.Origin = TFileOrigin{fileName, std::move(written)};
}

void SaveAndRemember(TProject& project, const std::string& fileName) {
  SaveAndRemember(project, fileName, project.Catalogue);
}
