#include "model/nameclash.h"

#include <string_view>

#include "inifile/inifile.h"
#include "model/nameindex.h"
#include "model/valueparse_p.h"

bool IsProgramNameKey(const std::string& name) { return SameText(name, "ProgramName"); }

std::vector<TNameClash> NameClashes(const std::vector<TVariableRow>& rows) {
  TNameIndex names([&rows](size_t row) -> std::string_view { return rows[row].Name; });
  names.Reserve(rows.size());
  std::vector<TNameClash> clashes;
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::string& name = rows[i].Name;
    if (name.empty()) continue;
    if (IsProgramNameKey(name))
      clashes.push_back({i, kProgramNameRow});
    else if (!names.Insert(i))
      clashes.push_back({i, names.PositionOf(name)});
  }
  return clashes;
}

std::vector<size_t> RowsNamedAs(const std::vector<TVariableRow>& rows, const std::string& name) {
  std::vector<size_t> named;
  if (name.empty()) return named;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (SameText(rows[i].Name, name)) named.push_back(i);
  }
  return named;
}

std::string NameClashText(const std::vector<TVariableRow>& rows, const TNameClash& clash) {
  const std::string name = "«" + ShownText(rows[clash.Row].Name) + "»";
  const std::string row = std::to_string(clash.Row + 1);
  if (clash.Other == kProgramNameRow) {
    return "Переменная в строке " + row + " названа " + name +
           ": под этим именем в файле записывается название программы. Переименуйте её.";
  }
  return "Переменные в строках " + std::to_string(clash.Other + 1) + " и " + row +
         " названы одинаково без учёта регистра букв: «" + ShownText(rows[clash.Other].Name) +
         "» и " + name + ". В файле это одна переменная: переименуйте одну из них.";
}
