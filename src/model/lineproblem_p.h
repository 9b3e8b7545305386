// The text of a problem that "Open" reports about one line of the file.
#pragma once

#include <string>

#include "model/model.h"

// A problem with the line `occurrence` (0 the first) of the key in the section:
// "«section» / «key» = «value»: why", key and value shown as ShownText shows them.
TOpenProblem LineProblem(const std::string& section, const std::string& key,
                         const std::string& value, const std::string& why, int32_t occurrence = 0);
