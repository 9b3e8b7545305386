// The built-in defaults that the project starts with and that "New" restores.
#pragma once

#include "model/model.h"

// Steps of "New" that need no catalogue: the product name and main title, both
// fonts with their shadows, the background colours and the background switch.
void ApplyDefaultAppearance(TProject& project);

// The single data row of the variables table after "New".
void ApplyDefaultVariables(TProject& project);

// "Добро пожаловать" in Windows-1251: the dialog title at start-up.
const std::string& DefaultDialogTitle();

// "Русский" in Windows-1251: the language that "New" ticks.
const std::string& DefaultLanguage();
