// The setup configuration model: the project being edited, its reset to the
// built-in defaults from the component catalogue, the writer that puts the
// project into a setup configuration file, and the reader that opens one.
//
// INI content (sections, keys, values, display names) is Windows-1251 bytes.
// File names are the system's path bytes and exception messages are UTF-8.
#pragma once

#include "model/catalogue.h"
#include "model/colors.h"
#include "model/cp1251.h"
#include "model/project.h"
#include "model/projectfile.h"
