// Runs the built program as a build pipeline runs it: no display, a window-system
// platform that would abort any GUI application, and the C locale, in which every
// text must still come out in UTF-8.
#pragma once

#include <string>
#include <vector>

#include "testfiles.h"

struct TRun {
  int Status = -1;
  std::string Errors;
  std::string Output;
};

// Runs the program with the arguments (each quoted for the shell); its standard output
// and error go through files in dir. A hang ends with status 124.
TRun RunProgram(const TTempDir& dir, const std::vector<std::string>& arguments);
