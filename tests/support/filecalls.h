// The system calls that order a save on the disk, as the file layer names
// them (SetFileCallHook), recorded in turn for the life of the object.
#pragma once

#include <string>
#include <vector>

#include "inifile/fileaccess_p.h"

class TFileCalls {
 public:
  TFileCalls() {
    Calls().clear();
    SetFileCallHook(&Record);
  }
  ~TFileCalls() { SetFileCallHook(nullptr); }
  TFileCalls(const TFileCalls&) = delete;
  TFileCalls& operator=(const TFileCalls&) = delete;

  // The calls made so far, oldest first.
  static std::vector<std::string>& Calls() {
    static std::vector<std::string> calls;
    return calls;
  }

 private:
  static void Record(const char* call) { Calls().emplace_back(call); }
};
