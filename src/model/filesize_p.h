// The size limit of a configuration file, checked before anything of it is read.
#pragma once

#include <string>

// Raises EInOutError naming the file and its size when the file holds more
// than MaxConfigurationBytes. A file that does not exist, or whose size cannot
// be told, passes: opening it reports what is wrong.
void RefuseOversizedFile(const std::string& fileName);

// The bytes of the file, read without a lock that would keep others from it. Raises as
// RefuseOversizedFile does, EInOutError "Cannot open file <name>" when it cannot be
// opened and "Cannot read file <name>: <reason>" when reading fails.
std::string ConfigurationFileBytes(const std::string& fileName);
