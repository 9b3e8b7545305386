// "Save": the project written into a setup configuration file.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "inifile/fileaccess_p.h"
#include "inifile/inifile.h"
#include "inifile/linefile_p.h"
#include "model/filesize_p.h"
#include "model/model.h"
#include "model/nameclash.h"
#include "model/sequences_p.h"
#include "model/valueparse_p.h"
#include "model/writer_p.h"

namespace {

// The text for a message: UTF-8, with a NUL byte, which would end the message, shown as U+FFFD.
std::string Quoted(const std::string& text) {
  std::string quoted;
  for (const char c : Cp1251ToUtf8WithReplacementChar(text)) {
    quoted += c == '\0' ? std::string("\xEF\xBF\xBD") : std::string(1, c);
  }
  return "«" + quoted + "»";
}

// Refuses, before anything is opened or written, what cannot survive a round trip through the
// file: among it two rows that are one key to the setup. A control byte in a value reads
// differently in the setup (it cuts at a NUL and keeps a trailing one that the loader trims);
// blanks and quotes around a value only need quotes.
void CheckProject(const TProject& project) {
  if (HoldsControlByte(project.MainTitleCaption)) {
    throw std::runtime_error("Недопустимое название программы: " +
                             Quoted(project.MainTitleCaption));
  }
  for (const TFontDesc* font : {&project.TitleFont, &project.DialogFont}) {
    if (HoldsControlByte(font->Name))
      throw std::runtime_error("Недопустимое имя шрифта: " + Quoted(font->Name));
  }
  for (size_t i = 0; i < project.Variables.size(); ++i) {
    const TVariableRow& row = project.Variables[i];
    if (row.Name.empty()) continue;  // not written
    const std::string number = std::to_string(i + 1);
    if (!IsStorableVariableName(row.Name)) {
      throw std::runtime_error("Недопустимое имя переменной в строке " + number + ": " +
                               Quoted(row.Name));
    }
    if (HoldsControlByte(row.Value)) {
      throw std::runtime_error("Недопустимое значение переменной в строке " + number + ": " +
                               Quoted(row.Value));
    }
  }
  const std::vector<TNameClash> clashes = NameClashes(project.Variables);
  if (!clashes.empty()) throw std::runtime_error(NameClashText(project.Variables, clashes.front()));
}

// The codes that the ticked entries hold, in their order, joined by commas; the
// entry at `apart` (the final dialog) is left out.
std::string TickedCodes(const TCheckList& list, int32_t apart) {
  std::string text;
  for (const int32_t index : list.Order()) {
    if (index != apart) text += "," + list.Code(index);
  }
  return text.empty() ? text : text.substr(1);
}

// The three list values, taken before anything is written, so that a code that cannot be
// written refuses the save while the target is still unchanged.
TSequenceValues Codes(const TProject& project) {
  TSequenceValues codes{
      TickedCodes(project.Pred, -1),
      // The last post-installation entry is the final dialog: only its tick is written.
      TickedCodes(project.Post, project.Post.KnownCount() - 1), TickedCodes(project.Langs, -1)};
  for (const std::string* code : {&codes.Pred, &codes.Post, &codes.Langs}) {
    if (HoldsControlByte(*code))
      throw std::runtime_error("Недопустимый код в каталоге: " + Quoted(*code));
  }
  return codes;
}

struct TKeyWrite {
  const char* Section;
  std::string Key;
  std::string Value;
};

// The catalogue is read without a lock, so nothing else keeps a Save from writing over it.
void RefuseTheCatalogueAsTarget(const std::string& fileName, const std::string& cataloguePath) {
  if (IsSameFile(fileName, cataloguePath)) throw EInOutError("Cannot open file " + cataloguePath);
}

// The codes come from the catalogue that filled the lists, never silently from another.
void RefuseAnotherCatalogue(const TProject& project, const std::string& cataloguePath) {
  if (project.Catalogue.empty() || project.Catalogue == cataloguePath) return;
  std::error_code error;
  if (std::filesystem::equivalent(project.Catalogue, cataloguePath, error) && !error) return;
  throw std::invalid_argument("The project's lists come from the catalogue " + project.Catalogue +
                              ", not from " + cataloguePath);
}

}  // namespace

std::string ColorValue(TColor color) {
  char text[16];
  std::snprintf(text, sizeof text, "$%.6X", static_cast<unsigned>(ResolveColor(color)));
  return text;
}

std::string FontValue(const TFontDesc& font) {
  char colorAndSize[32];
  std::snprintf(colorAndSize, sizeof colorAndSize, ",%d,$%X", static_cast<int>(font.Size),
                static_cast<unsigned>(ResolveColor(font.Color)));
  std::string text = font.Name + colorAndSize;
  if (font.Bold) text += ",B";
  if (font.Italic) text += "I";
  return text;
}

namespace {

// Deletes every line of each key from the "Variables" section.
void RemoveVariables(TIniDocument& target, const std::vector<std::string>& keys) {
  target.DeleteKeys("Variables", keys);
}

// Every key that Save writes before the variables, in the order written.
std::vector<TKeyWrite> SettingKeys(const TProject& project, const TSequenceValues& codes) {
  const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
  return {
      {"Config", "PreInstallDialogSequence", codes.Pred},
      {"Config", "PostInstallDialogSequence", codes.Post},
      {"Config", "Languages", codes.Langs},
      {"Display", "ShowMainWindow", flag(project.BackgroundEnabled)},
      {"Display", "ShowMainTitle", flag(!project.MainTitleCaption.empty())},
      {"Display", "ShowDialogTitle", flag(!project.DialogTitleCaption.empty())},
      {"Display", "ShowFinalDialog", flag(project.Post.IsTicked(project.Post.KnownCount() - 1))},
      {"Display", "GradientTopColor", ColorValue(project.TopColor)},
      {"Display", "GradientBottomColor", ColorValue(project.BottomColor)},
      {"Display", "MainTitleFont", FontValue(project.TitleFont)},
      {"Display", "MainTitleShadow", flag(project.TitleShadow)},
      {"Display", "MainTitleShadowColor", ColorValue(project.TitleShadowColor)},
      {"Display", "DialogTitleFont", FontValue(project.DialogFont)},
      {"Display", "DialogTitleShadow", flag(project.DialogShadow)},
      {"Display", "DialogTitleShadowColor", ColorValue(project.DialogShadowColor)},
      {"Display", "DialogPosition",
       std::to_string(project.DialogPosition.Horizontal) + "," +
           std::to_string(project.DialogPosition.Vertical)},
      {"Variables", "ProgramName", project.MainTitleCaption},
  };
}

// Calls write(section, key, value) for every key that Save writes, in the order
// written: the settings, then each named row, which is not copied for it.
template <class TWrite>
void ForEachKey(const std::vector<TKeyWrite>& settings, const TProject& project, TWrite write) {
  for (const TKeyWrite& key : settings) write(key.Section, key.Key, key.Value);
  const std::string variables = "Variables";
  for (const TVariableRow& row : project.Variables) {
    if (!row.Name.empty()) write(variables, row.Name, row.Value);
  }
}

}  // namespace

void SaveProject(const TProject& project, const std::string& fileName,
                 const std::string& cataloguePath) {
  SaveProjectRemoving(project, fileName, cataloguePath, {});
}

namespace {

// SaveProjectRemoving, into a new file that starts as the bytes of `base` when one is named.
void Save(const TProject& project, const std::string& fileName, const std::string& cataloguePath,
          const std::vector<std::string>& removedVariables, const std::string* base) {
  RefuseAnotherCatalogue(project, cataloguePath);
  CheckProject(project);
  RefuseTheCatalogueAsTarget(fileName, cataloguePath);
  RefuseOversizedFile(fileName);
  if (base != nullptr && IsExistingFile(fileName))
    throw EInOutError("File " + fileName + " exists already");

  // Every check is done before the first change, so that a refused save changes nothing even
  // in the document (which writes only through UpdateFile). The file itself can make a write
  // impossible (a section that an earlier, odd one hides), so the engine checks too.
  TIniDocument target(fileName, {"Config", "Display", "Variables"});
  const std::vector<TKeyWrite> settings = SettingKeys(project, Codes(project));
  if (base != nullptr) target.LoadText(ConfigurationFileBytes(*base));
  ForEachKey(settings, project, [&target](const auto& section, const auto& key, const auto& value) {
    target.CheckWrite(section, key, value);
  });
  ForEachKey(settings, project, [&target](const auto& section, const auto& key, const auto& value) {
    target.WriteString(section, key, value);
  });
  RemoveVariables(target, removedVariables);

  // Flushed explicitly so that a file that cannot be created or written is reported; a copy
  // is written also when it equals its base. The new text is never held whole.
  if (base != nullptr) target.MarkModified();
  target.UpdateFileAndRelease();
}

}  // namespace

void SaveProjectRemoving(const TProject& project, const std::string& fileName,
                         const std::string& cataloguePath,
                         const std::vector<std::string>& removedVariables) {
  Save(project, fileName, cataloguePath, removedVariables, nullptr);
}

void SaveProjectCopying(const TProject& project, const std::string& fileName,
                        const std::string& cataloguePath,
                        const std::vector<std::string>& removedVariables, const std::string& base) {
  Save(project, fileName, cataloguePath, removedVariables, &base);
}

void SaveProject(const TProject& project, const std::string& fileName) {
  SaveProject(project, fileName, project.Catalogue);
}

TSequenceValues SequenceValues(const TProject& project) { return Codes(project); }
