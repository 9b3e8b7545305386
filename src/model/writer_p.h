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

// SaveProjectRemoving into a file that does not exist yet, as if it held the
// bytes of the file `base` (read only): the new file is base's text with the
// project's keys written and the removed variables' lines gone, and every line
// the editor does not own (comments, other sections and keys, layout, line
// ends, a UTF-8 byte-order mark) as base holds it. It is written whole through
// a temporary file renamed into place, also when the project changes nothing.
// Raises like SaveProjectRemoving, and the open or read error of base, and
// EInOutError "File <name> exists already" when fileName exists; then nothing
// is written.
void SaveProjectCopying(const TProject& project, const std::string& fileName,
                        const std::string& cataloguePath,
                        const std::vector<std::string>& removedVariables, const std::string& base);
