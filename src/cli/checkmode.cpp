#include "cli/checkmode.h"

#include <algorithm>
#include <exception>
#include <string>

namespace {

std::string Summary(const TNamedFile& file, const TCheckCounts& counts) {
  if (counts.Status == kCheckFailed) return file.ShownName + ": не проверен";
  if (counts.Problems == 0 && counts.Warnings == 0) return file.ShownName + ": проблем нет";
  return file.ShownName + ": проблем: " + std::to_string(counts.Problems) +
         ", предупреждений: " + std::to_string(counts.Warnings);
}

}  // namespace

int CheckFiles(const TCheckRequest& request, std::ostream& out, std::ostream& errors) {
  int worst = kCheckClean;
  for (const TNamedFile& file : request.Files) {
    TCheckCounts counts;
    try {
      const std::string catalogue = CatalogueForFile(file.FileName, request.Catalogue);
      counts = CheckFile(file.FileName, file.ShownName, catalogue, request.Options, errors);
    } catch (const std::exception& error) {
      errors << "vuka-manager: " << error.what() << '\n';
      counts.Status = kCheckFailed;
    }
    errors.flush();
    if (request.Verbose) out << Summary(file, counts) << '\n' << std::flush;
    worst = std::max(worst, counts.Status);
  }
  return worst;
}
