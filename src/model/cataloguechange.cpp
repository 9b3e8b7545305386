// "Каталог…": the lists reloaded from another catalogue, keeping what is ticked.
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/model.h"
#include "model/sequences_p.h"

namespace {

// The final dialog is the last catalogue entry of the post-installation list.
int32_t FinalDialog(const TProject& project) { return project.Post.KnownCount() - 1; }

}  // namespace

std::vector<std::string> ChangeCatalogue(TProject& project, const std::string& cataloguePath) {
  // A missing catalogue would load as an empty one and turn every tick into an unknown code.
  if (std::string problem = CatalogueProblem(cataloguePath); !problem.empty()) {
    throw std::runtime_error(problem);
  }
  const TSequenceValues values = SequenceValues(project);
  TProject changed = project;
  FillLists(changed, cataloguePath);
  std::vector<std::string> problems;
  for (TOpenProblem& problem : ApplySequenceValues(values, cataloguePath, changed)) {
    problems.push_back(std::move(problem.Text));
  }
  const bool finalDialog = project.Post.IsTicked(FinalDialog(project));
  if (finalDialog && FinalDialog(changed) < 0) {
    problems.emplace_back("Последний диалог (ShowFinalDialog) был включён, но в каталоге «" +
                          cataloguePath + "» нет диалогов после установки");
  }
  changed.Post.SetTick(FinalDialog(changed), finalDialog);
  project = std::move(changed);
  return problems;
}
