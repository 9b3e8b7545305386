// Saving with the removal of variables, shared by "Save" and the "Save" that
// remembers its file.
#pragma once

#include <string>
#include <vector>

#include "model/model.h"

// Saves exactly as SaveProject does and, in the same single rewrite of the
// file, removes every line of each of the removed variables (compared
// ignoring letter case) from its "Variables" section. Raises like
// SaveProject; then the file keeps its previous content.
void SaveProjectRemoving(const TProject& project, const std::string& fileName,
                         const std::string& cataloguePath,
                         const std::vector<std::string>& removedVariables);
