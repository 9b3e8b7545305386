#include "cli/setcommand.h"

#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/scratchfile.h"
#include "cli/valueread.h"
#include "inifile/inifile.h"
#include "model/model.h"

namespace {

// A change refused: the message names the argument and why.
class ERefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Refuse(const TValueChange& change, const std::string& why) {
  throw ERefused("«" + change.Name.Shown + "»: " + why);
}

bool IsAlwaysWritten(const TValueName& name) {
  return name.Section != "Variables" || SameText(name.Key, "ProgramName");
}

// Writes the changes into the file's text as the engine stores them.
void WriteChanges(const std::string& fileName, const std::vector<TValueChange>& changes) {
  TIniDocument document(fileName, false);
  for (const TValueChange& change : changes) {
    if (!change.Value) {
      document.DeleteKeys(change.Name.Section, {change.Name.Key});
      continue;
    }
    try {
      document.WriteString(change.Name.Section, change.Name.Key, *change.Value);
    } catch (const EInOutError& error) {
      Refuse(change, error.what());
    }
  }
  document.UpdateFile();
}

// The project that "Open" makes of the changed file; refuses on any problem it reports.
TProject OpenChanged(const std::string& fileName, const std::string& catalogue) {
  TProject changed;
  std::string problems;
  for (const TOpenProblem& problem : OpenProjectReport(changed, fileName, catalogue)) {
    if (!problem.Warning) problems += (problems.empty() ? "" : "\nvuka-manager: ") + problem.Text;
  }
  if (!problems.empty()) throw ERefused(problems);
  return changed;
}

// Refuses each change that the file saved from the project would not give back.
void RefuseChangesNotKept(const std::string& savedFile, const std::vector<TValueChange>& changes) {
  const std::string saved = SetupText(savedFile);
  for (const TValueChange& change : changes) {
    const std::optional<std::string> value = SetupValue(saved, change.Name);
    if (value == change.Value) continue;
    if (!value && change.Name.Section != "Variables")
      Refuse(change, "такой ключ редактор не записывает");
    if (!value) Refuse(change, "программа установки не найдёт это имя в сохранённом файле");
    if (!change.Value) Refuse(change, "сохранится снова");
    Refuse(change, "сохранится как «" + Cp1251ToUtf8(*value) + "»");
  }
}

}  // namespace

int SetValues(const TSetRequest& request, std::ostream& out, std::ostream& errors) {
  const std::string& fileName = request.File.FileName;
  const std::string& shown = request.File.ShownName;
  try {
    for (const TValueChange& change : request.Changes) {
      if (!change.Value && IsAlwaysWritten(change.Name))
        Refuse(change, "этот ключ записывается при каждом сохранении; его можно только изменить");
    }
    const std::string catalogue = CatalogueForFile(fileName, request.Catalogue);
    // The engine's names are UTF-8 on Windows, which a plain string would not say.
    const bool exists = std::filesystem::exists(
        std::filesystem::path(std::u8string(fileName.begin(), fileName.end())));
    TProject original;
    if (exists) {
      const TCheckCounts counts = CheckFile(fileName, shown, catalogue, {false, true}, errors);
      if (counts.Status == kCheckFailed) return kSetRefused;
      if (counts.Problems > 0) {
        errors << "vuka-manager: " << shown << ": в файле есть проблемы; ничего не записано\n";
        return kSetFileProblems;
      }
      OpenProjectReport(original, fileName, catalogue);
    } else {
      ResetProject(original, catalogue);
    }
    // The changes go into a copy of the file as Save would write it, which "Open" then reads
    // as the window would show it; the project so read is saved into a second copy to see
    // what Save keeps of them.
    const TScratchFolder scratch;
    const std::string changedFile = scratch.File("changed.ini");
    const std::string savedFile = scratch.File("saved.ini");
    TProject copy = original;
    SaveProjectAs(copy, changedFile, catalogue);
    WriteChanges(changedFile, request.Changes);
    TProject changed = OpenChanged(changedFile, catalogue);
    changed.Origin = original.Origin;
    copy = changed;
    SaveProjectAs(copy, savedFile, catalogue);
    RefuseChangesNotKept(savedFile, request.Changes);
    SaveAndRemember(changed, fileName, catalogue);
    if (!request.Quiet) out << shown << ": сохранён\n" << std::flush;
    return kSetSaved;
  } catch (const ERefused& refusal) {
    errors << "vuka-manager: " << refusal.what() << "\nvuka-manager: " << shown
           << ": ничего не записано\n";
  } catch (const std::exception& error) {
    errors << "vuka-manager: " << error.what() << '\n';
  }
  return kSetRefused;
}
