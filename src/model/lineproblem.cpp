#include "model/lineproblem_p.h"

#include "model/valueparse_p.h"

TOpenProblem LineProblem(const std::string& section, const std::string& key,
                         const std::string& value, const std::string& why, int32_t occurrence) {
  return TOpenProblem{
      section, key, occurrence,
      "«" + section + "» / «" + ShownText(key) + "» = «" + ShownText(value) + "»: " + why};
}

std::string ShownProblem(const TOpenProblem& problem) {
  return problem.Warning ? "предупреждение: " + problem.Text : problem.Text;
}
