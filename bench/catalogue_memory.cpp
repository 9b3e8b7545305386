// Peak memory of reading a large component catalogue, against the file's size.
// Usage: inifile_memory [megabytes [shape]]  (default 50). Writes the catalogue to
// $VUKA_BENCH_DIR, else the temporary directory, then measures each case in a
// child process of its own so that every peak is the case's alone:
//   load      a read-only document on the file;
//   sections  the same, then the names of its three list sections read out;
//   new       "New" filling the project's lists from the catalogue.
// Then it writes a configuration file of the same size in six shapes (one
// section of many variables, of very short ones, many sections of one key
// each, one long value, "Variables" repeated many times, one short key
// repeated on every line) and measures "Open" on each, "Open" followed by a
// "Save" of one changed variable into the same file, and the command-line
// check, beside the peak of opening a tiny configuration (the program's own),
// printing how many times the file's size the rest is. Exits with 1 when a
// case failed or a configuration case took more than four times the file.
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli/checkcommand.h"
#include "inifile/inifile.h"
#include "model/model.h"

namespace {

// Display names of about 20 Windows-1251 bytes (or, with shortLines, of
// about 8 like "Русский=RUS") with short codes, spread over the three list
// sections, with a comment every 50 lines.
void WriteCatalogue(const std::string& path, long long bytes, bool shortLines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const char* sections[] = {"Languages", "PreInstallDlg", "PostInstallDlg"};
  const long long perSection = bytes / 3;
  long long written = 0;
  long long line = 0;
  for (const char* section : sections) {
    std::string text = std::string("[") + section + "]\r\n";
    const long long end = written + perSection;
    while (written < end) {
      if (line % 50 == 0) text += "; \xE3\xF0\xF3\xEF\xEF\xE0 " + std::to_string(line) + "\r\n";
      if (shortLines)
        text += "\xDF" + std::to_string(line) + "=C" + std::to_string(line % 1000) + "\r\n";
      else
        text += "\xDD\xEB\xE5\xEC\xE5\xED\xF2 \xED\xEE\xEC\xE5\xF0 " + std::to_string(line) +
                " = CODE" + std::to_string(line) + "\r\n";
      ++line;
      if (text.size() > 65536) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        written += static_cast<long long>(text.size());
        text.clear();
      }
    }
    text += "\r\n";
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    written += static_cast<long long>(text.size());
  }
}

void LoadOnly(const std::string& path) {
  const TIniDocument doc(path, true);
  if (doc.Sections().Count() != 3) _exit(2);
}

void LoadAndReadSections(const std::string& path) {
  TIniDocument doc(path, true);
  TStringList names[3];
  doc.ReadSection("Languages", names[0]);
  doc.ReadSection("PreInstallDlg", names[1]);
  doc.ReadSection("PostInstallDlg", names[2]);
  if (names[0].Count() == 0) _exit(2);
}

void NewProject(const std::string& path) {
  TProject project;
  ResetProject(project, path);
  if (project.Langs.Count() == 0) _exit(2);
}

// Runs the case in a child; its peak resident size in KiB, or -1.
long PeakOfChild(void (*run)(const std::string&), const std::string& path) {
  const pid_t child = ::fork();
  if (child == 0) {
    run(path);
    _exit(0);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0)
    return -1;
  return usage.ru_maxrss;
}

// Writes a catalogue of the given shape and prints each case's peak; false
// when a case failed.
bool Measure(const std::string& path, long long megabytes, bool shortLines) {
  WriteCatalogue(path, megabytes * 1024 * 1024, shortLines);
  const double fileMiB = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
  std::printf("catalogue of %s lines: %.1f MiB\n", shortLines ? "short" : "longer", fileMiB);
  const struct {
    const char* Name;
    void (*Run)(const std::string&);
  } cases[] = {{"load", LoadOnly}, {"sections", LoadAndReadSections}, {"new", NewProject}};
  bool passed = true;
  for (const auto& c : cases) {
    const long peak = PeakOfChild(c.Run, path);
    if (peak < 0) {
      std::printf("  %-9s failed\n", c.Name);
      passed = false;
      continue;
    }
    const double peakMiB = static_cast<double>(peak) / 1024.0;
    std::printf("  %-9s peak %.1f MiB = %.2f x the file\n", c.Name, peakMiB, peakMiB / fileMiB);
  }
  std::filesystem::remove(path);
  return passed;
}

// The shapes of a configuration file.
enum class TShape { ManyKeys, ShortKeys, ManySections, LongValue, RepeatedSections, RepeatedKey };

const char* ShapeName(TShape shape) {
  switch (shape) {
    case TShape::ManyKeys: return "one section of many keys";
    case TShape::ShortKeys: return "very short keys";
    case TShape::ManySections: return "many sections of one key";
    case TShape::LongValue: return "one long value";
    case TShape::RepeatedSections: return "Variables repeated";
    default: return "one short key repeated";
  }
}

// The next piece of a configuration of the shape: line n.
void AppendLine(std::string& text, TShape shape, long long n) {
  const std::string number = std::to_string(n);
  switch (shape) {
    case TShape::ManyKeys:
      text += "Variable" + number + "=value of variable " + number + "\r\n";
      break;
    case TShape::ShortKeys: text += "k" + number + "=b\r\n"; break;
    case TShape::ManySections:
      text += "[Section" + number + "]\r\nKey=value " + number + "\r\n";
      break;
    case TShape::LongValue: text.append(64, 'x'); break;
    case TShape::RepeatedSections: text += "[Variables]\r\nKey" + number + "=v\r\n"; break;
    case TShape::RepeatedKey: text += "k=b\n"; break;
  }
}

// A configuration of about `bytes` bytes of the shape, with CR LF line ends.
void WriteConfiguration(const std::string& path, long long bytes, TShape shape) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::string text = shape == TShape::ManySections || shape == TShape::RepeatedSections
                         ? std::string()
                         : std::string("[Variables]\r\nProgramName=Product\r\n");
  if (shape == TShape::LongValue) text += "Long=";
  long long written = 0;
  for (long long n = 0; written + static_cast<long long>(text.size()) < bytes; ++n) {
    AppendLine(text, shape, n);
    if (text.size() > 65536) {
      out.write(text.data(), static_cast<std::streamsize>(text.size()));
      written += static_cast<long long>(text.size());
      text.clear();
    }
  }
  if (shape == TShape::LongValue) text += "\r\n";
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void OpenConfiguration(const std::string& path) {
  TProject project;
  OpenProject(project, path, path + ".no-catalogue");
  if (project.Variables.empty()) _exit(2);
}

// The command-line check, its report written to nowhere.
void CheckConfiguration(const std::string& path) {
  std::ofstream nowhere("/dev/null");
  if (CheckConfigurationFile(path, path, path + ".no-catalogue", nowhere) == kCheckFailed) _exit(2);
}

// Open, one variable changed, and Save into the same file.
void OpenAndSaveConfiguration(const std::string& path) {
  TProject project;
  OpenProject(project, path, path + ".no-catalogue");
  project.Variables.front().Value += " changed";
  SaveAndRemember(project, path);
}

// The most memory that opening, saving or checking a configuration may take
// beyond the program's own, in times the file's size.
constexpr double kMostTimesTheFile = 4.0;

// Measures "Open" on a configuration of each shape whose name holds `only`;
// false when a case failed or took more than kMostTimesTheFile.
bool MeasureOpen(const std::string& path, long long megabytes, const std::string& only) {
  WriteConfiguration(path, 1024, TShape::ManyKeys);
  const long own = PeakOfChild(OpenConfiguration, path);
  std::printf("configurations: the program's own peak (a tiny file) %.1f MiB\n",
              static_cast<double>(own) / 1024.0);
  bool passed = own >= 0;
  for (const TShape shape : {TShape::ManyKeys, TShape::ShortKeys, TShape::ManySections,
                             TShape::LongValue, TShape::RepeatedSections, TShape::RepeatedKey}) {
    if (std::string(ShapeName(shape)).find(only) == std::string::npos) continue;
    WriteConfiguration(path, megabytes * 1024 * 1024, shape);
    const double fileMiB =
        static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
    const struct {
      const char* Name;
      void (*Run)(const std::string&);
    } cases[] = {{"open", OpenConfiguration},
                 {"open+save", OpenAndSaveConfiguration},
                 {"check", CheckConfiguration}};
    for (const auto& [name, run] : cases) {
      const long peak = PeakOfChild(run, path);
      if (peak < 0) {
        std::printf("  %-9s %-26s failed\n", name, ShapeName(shape));
        passed = false;
        continue;
      }
      const double peakMiB = static_cast<double>(peak) / 1024.0;
      const double ratio = static_cast<double>(peak - own) / 1024.0 / fileMiB;
      const bool within = ratio <= kMostTimesTheFile;
      std::printf(
          "  %-9s %-26s %.1f MiB: peak %.1f MiB, beyond the program's own %.2f x the file%s\n",
          name, ShapeName(shape), fileMiB, peakMiB, ratio, within ? "" : " (too much)");
      passed = passed && within;
    }
  }
  std::filesystem::remove(path);
  return passed;
}

}  // namespace

int main(int argc, char** argv) {
  const long long megabytes = argc > 1 ? std::atoll(argv[1]) : 50;
  const char* base = std::getenv("VUKA_BENCH_DIR");
  const std::string dir = base ? base : std::filesystem::temp_directory_path().string();
  const std::string path = dir + "/inifile-memory-" + std::to_string(::getpid()) + ".ini";
  // A second argument measures only the configurations whose shape names hold it.
  if (argc > 2) return MeasureOpen(path, megabytes, argv[2]) ? 0 : 1;
  const bool passed = Measure(path, megabytes, false) && Measure(path, megabytes, true) &&
                      MeasureOpen(path, megabytes, "");
  return passed ? 0 : 1;
}
