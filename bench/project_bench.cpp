// Opening and saving a configuration of 1,000 to 200,000 variables (one
// [Variables] section) through the model, against SimpleIni in the same run:
//   ProjectOpen       OpenProject on the file;
//   SimpleIniLoad     SimpleIni loading the same file;
//   ProjectSave       OpenProject, every variable's value changed, SaveAndRemember
//                     back into the file;
//   SimpleIniSave     SimpleIni loading, setting every key, saving and syncing.
// After the run the model's time is printed as a ratio to SimpleIni's for each
// size, and the log-log slope of each family's time against the number of
// variables. Files go to $VUKA_BENCH_DIR, else the temporary directory.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <SimpleIni.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "loglogslope.h"
#include "model/model.h"

namespace {

class Files {
 public:
  Files() {
    const char* base = std::getenv("VUKA_BENCH_DIR");
    std::string pattern =
        (base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
        "project-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    Dir_ = pattern;
    // A small catalogue: Open and Save look the list codes up in it.
    Catalogue_ = Make("version.ini",
                      "[Languages]\r\n\xD0\xF3\xF1\xF1\xEA\xE8\xE9=RUS\r\nEnglish=ENG\r\n"
                      "[PreInstallDlg]\r\nWelcome=WLC\r\n[PostInstallDlg]\r\nFinish=FIN\r\n");
  }
  ~Files() { std::filesystem::remove_all(Dir_); }
  Files(const Files&) = delete;
  Files& operator=(const Files&) = delete;

  std::string Make(const std::string& name, const std::string& text) const {
    std::string path = Dir_ + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    return path;
  }
  const std::string& Catalogue() const { return Catalogue_; }

 private:
  std::string Dir_;
  std::string Catalogue_;
};

const Files& TheFiles() {
  static const Files files;
  return files;
}

std::string VariableName(int k) { return "Variable" + std::to_string(k); }

// A configuration as Save writes it, with the given number of variables.
std::string ConfigurationText(int variables) {
  std::string text =
      "[Config]\r\nPreInstallDialogSequence=WLC\r\nPostInstallDialogSequence=\r\n"
      "Languages=RUS\r\n[Display]\r\nShowMainWindow=1\r\nShowMainTitle=1\r\n"
      "[Variables]\r\nProgramName=Product\r\n";
  for (int k = 0; k < variables; ++k)
    text += VariableName(k) + "=value of variable " + std::to_string(k) + "\r\n";
  return text;
}

std::string ConfigurationFile(const char* owner, int variables) {
  return TheFiles().Make(std::string(owner) + "-" + std::to_string(variables) + ".ini",
                         ConfigurationText(variables));
}

void Fsync(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

void ProjectOpen(benchmark::State& state) {
  const std::string path = ConfigurationFile("open", static_cast<int>(state.range(0)));
  for ([[maybe_unused]] auto _ : state) {
    TProject project;
    const std::vector<std::string> problems = OpenProject(project, path, TheFiles().Catalogue());
    if (!problems.empty()) state.SkipWithError(problems.front().c_str());
    benchmark::DoNotOptimize(project.Variables.size());
  }
}

void SimpleIniLoad(benchmark::State& state) {
  const std::string path = ConfigurationFile("sload", static_cast<int>(state.range(0)));
  for ([[maybe_unused]] auto _ : state) {
    CSimpleIniA ini;
    if (ini.LoadFile(path.c_str()) < 0) state.SkipWithError("SimpleIni failed");
    benchmark::DoNotOptimize(ini.GetSectionSize("Variables"));
  }
}

void ProjectSave(benchmark::State& state) {
  const std::string path = ConfigurationFile("save", static_cast<int>(state.range(0)));
  long run = 0;
  for ([[maybe_unused]] auto _ : state) {
    TProject project;
    const std::vector<std::string> problems = OpenProject(project, path, TheFiles().Catalogue());
    if (!problems.empty()) state.SkipWithError(problems.front().c_str());
    const std::string value = "changed " + std::to_string(run++ % 10);
    for (TVariableRow& row : project.Variables) row.Value = value;
    SaveAndRemember(project, path, TheFiles().Catalogue());
  }
}

void SimpleIniSave(benchmark::State& state) {
  const int variables = static_cast<int>(state.range(0));
  const std::string path = ConfigurationFile("ssave", variables);
  long run = 0;
  for ([[maybe_unused]] auto _ : state) {
    CSimpleIniA ini;
    if (ini.LoadFile(path.c_str()) < 0) state.SkipWithError("SimpleIni load failed");
    const std::string value = "changed " + std::to_string(run++ % 10);
    for (int k = 0; k < variables; ++k)
      ini.SetValue("Variables", VariableName(k).c_str(), value.c_str());
    if (ini.SaveFile(path.c_str()) < 0) state.SkipWithError("SimpleIni save failed");
    Fsync(path);
  }
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (const int variables : {1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000})
    b->Arg(variables);
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(ProjectOpen)->Apply(Sizes);
BENCHMARK(SimpleIniLoad)->Apply(Sizes);
BENCHMARK(ProjectSave)->Apply(Sizes);
BENCHMARK(SimpleIniSave)->Apply(Sizes);

// ---- ratios and slopes, printed after the run

// The console report, remembering each case's real time (the median when
// the run has repetitions) under its name without the aggregate suffix.
class TSummary : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      std::string name = run.benchmark_name();
      if (const size_t cut = name.rfind("_median"); cut != std::string::npos) name.resize(cut);
      Times_[name] = run.GetAdjustedRealTime();
      CpuTimes_[name] = run.GetAdjustedCPUTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nThe model's time against SimpleIni's in this run (real time):\n");
    PrintRatios("ProjectOpen", "SimpleIniLoad");
    PrintRatios("ProjectSave", "SimpleIniSave");
    for (const char* family : {"ProjectOpen", "SimpleIniLoad", "ProjectSave", "SimpleIniSave"})
      PrintSlope(family);
  }

 private:
  // The family's cases by their number of variables, smallest first.
  std::map<double, std::string> Sizes(const std::string& family) const {
    std::map<double, std::string> sizes;
    for (const auto& [name, time] : Times_) {
      if (name.rfind(family + "/", 0) == 0) sizes[std::stod(name.substr(family.size() + 1))] = name;
    }
    return sizes;
  }
  void PrintRatios(const std::string& family, const std::string& peer) const {
    for (const auto& [size, name] : Sizes(family)) {
      const auto found = Times_.find(peer + name.substr(family.size()));
      if (found == Times_.end()) continue;
      std::printf("  %-22s %6.2f x %s\n", name.c_str(), Times_.at(name) / found->second,
                  found->first.c_str());
    }
  }
  void PrintSlope(const std::string& family) const {
    std::printf("  log-log slope of %-14s %.3f (real time), %.3f (CPU time)\n", family.c_str(),
                LogLogSlope(Times_, family), LogLogSlope(CpuTimes_, family));
  }

  std::map<std::string, double> Times_;
  std::map<std::string, double> CpuTimes_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TSummary summary;
  benchmark::RunSpecifiedBenchmarks(&summary);
  benchmark::Shutdown();
  return 0;
}
