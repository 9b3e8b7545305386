// What of a project counts as the user's work: what "Save" puts into the file,
// in the form it is written, plus the product name of the main title. Two
// projects with equal items save alike, so an edit that Save would not write
// (a selected list entry, an empty table row, underline) changes nothing here.
#pragma once

#include <string>
#include <vector>

#include "model/model.h"

// Texts for the saved items in a fixed order ("item=value"; the lists give the
// names and codes of their entries with their ticks, and the order of the ticked ones).
// Scheme colours are resolved as Save resolves them.
using TSavedItems = std::vector<std::string>;
TSavedItems SavedItems(const TProject& project);
// The items but the variables rows, which come last in SavedItems (TSavedVariables
// compares those).
TSavedItems SavedSettingItems(const TProject& project);
