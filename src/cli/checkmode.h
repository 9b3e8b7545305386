// "--check FILE...": the check of several configuration files in one run.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/checkcommand.h"

// A file named on the command line.
struct TNamedFile {
  std::string FileName;   // as the engine opens it (the system's path bytes)
  std::string ShownName;  // as the user gave it, UTF-8
};

struct TCheckRequest {
  std::vector<TNamedFile> Files;
  std::string Catalogue;  // --catalogue, or empty: each file's own choice (CatalogueForFile)
  TCheckOptions Options;
  bool Verbose = false;  // a summary line for each file on `out`
};

// Checks each file in turn as CheckFile does, writing the findings to `errors`, and
// returns the worst status of them all. A file that cannot be read does not stop
// the others. With Verbose, each file's summary goes to `out` after its findings:
// "FILE: проблем нет", "FILE: проблем: N, предупреждений: M" or "FILE: не проверен".
int CheckFiles(const TCheckRequest& request, std::ostream& out, std::ostream& errors);
