#include "programrun.h"

#include <sys/wait.h>

#include <cstdlib>

TRun RunProgram(const TTempDir& dir, const std::vector<std::string>& arguments) {
  std::string command =
      "timeout 30 env -u DISPLAY -u WAYLAND_DISPLAY -u LANG -u LANGUAGE LC_ALL=C "
      "QT_QPA_PLATFORM=no-such-platform '" VUKA_PROGRAM "'";
  for (const std::string& argument : arguments) {
    command += " '";
    for (const char c : argument) command += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += "'";
  }
  command += " >'" + (dir / "out.txt") + "' 2>'" + (dir / "err.txt") + "'";
  const int status = std::system(command.c_str());
  TRun run;
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.Errors = ReadBytes(dir / "err.txt");
  run.Output = ReadBytes(dir / "out.txt");
  return run;
}
