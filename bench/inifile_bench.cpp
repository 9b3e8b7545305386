// The engine against two INI libraries on a generated 1 MiB file (200
// sections, 20,000 keys, CR LF, some comments) and on one section of 20,000
// keys: loading alone, and loading, changing 100 keys and writing back.
// Then, on one section of 1,000 to 50,000 keys: loading and looking up every
// key, and a save (loading, setting every key, writing back and syncing).
// The file system's own cost of the two ways of writing the 1 MiB file back
// (in place with a data sync; a synced new file renamed over it) is measured
// alone. After the run the engine's time is printed as a ratio to each
// peer's, and the log-log slope of its time against the number of keys.
// Files go to $VUKA_BENCH_DIR, else the temporary directory.
#include <benchmark/benchmark.h>
#include <ini.h>
#include <stdlib.h>

#include <SimpleIni.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "inifile/inifile.h"
#include "loglogslope.h"

namespace {

struct Layout {
  int Sections;
  int KeysPerSection;
};
constexpr Layout Multi{200, 100};
constexpr Layout Single{1, 20000};
constexpr int Changes = 100;

std::string SectionName(int s) { return "Section" + std::to_string(s); }
std::string KeyName(int k) { return "Key" + std::to_string(k); }

std::string Generate(const Layout& layout) {
  std::string text = "; generated configuration\r\n";
  for (int s = 0; s < layout.Sections; ++s) {
    text += "[" + SectionName(s) + "]\r\n";
    for (int k = 0; k < layout.KeysPerSection; ++k) {
      if (k % 10 == 0) text += "; keys from " + std::to_string(k) + "\r\n";
      text += KeyName(k) + " = value of key " + std::to_string(k) + " in section " +
              std::to_string(s) + " padding\r\n";
    }
    text += "\r\n";
  }
  return text;
}

// The (section, key) pairs that every change run sets, spread over the file.
std::vector<std::pair<std::string, std::string>> ChangedKeys(const Layout& layout) {
  std::vector<std::pair<std::string, std::string>> keys;
  const int total = layout.Sections * layout.KeysPerSection;
  for (int i = 0; i < Changes; ++i) {
    const int n = static_cast<int>(static_cast<long long>(i) * total / Changes + 37 * i % 50);
    keys.emplace_back(SectionName(n / layout.KeysPerSection), KeyName(n % layout.KeysPerSection));
  }
  return keys;
}

class Files {
 public:
  Files() {
    const char* base = std::getenv("VUKA_BENCH_DIR");
    std::string pattern =
        (base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
        "inifile-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    Dir_ = pattern;
  }
  ~Files() { std::filesystem::remove_all(Dir_); }
  std::string Make(const std::string& name, const std::string& text) const {
    std::string path = Dir_ + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    return path;
  }

 private:
  std::string Dir_;
};

const Files& TheFiles() {
  static const Files files;
  return files;
}

const std::string& Source(const Layout& layout) {
  static const std::string multi = Generate(Multi);
  static const std::string single = Generate(Single);
  return layout.Sections == 1 ? single : multi;
}

const char* Tag(const Layout& layout) { return layout.Sections == 1 ? "single" : "multi"; }

void Setup(benchmark::State& state, const Layout& layout) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(Source(layout).size()));
}

// ---- loading only

void VukaLoad(benchmark::State& state, Layout layout) {
  const std::string path = TheFiles().Make(std::string("vload-") + Tag(layout), Source(layout));
  for ([[maybe_unused]] auto _ : state) {
    TIniDocument doc(path, true);
    benchmark::DoNotOptimize(doc.Sections().Count());
  }
  Setup(state, layout);
}

int CountEntry(void* user, const char*, const char*, const char*) {
  ++*static_cast<long*>(user);
  return 1;
}

void InihParse(benchmark::State& state, Layout layout) {
  const std::string path = TheFiles().Make(std::string("iload-") + Tag(layout), Source(layout));
  for ([[maybe_unused]] auto _ : state) {
    long entries = 0;
    if (ini_parse(path.c_str(), CountEntry, &entries) != 0) state.SkipWithError("inih failed");
    benchmark::DoNotOptimize(entries);
  }
  Setup(state, layout);
}

void SimpleIniLoad(benchmark::State& state, Layout layout) {
  const std::string path = TheFiles().Make(std::string("sload-") + Tag(layout), Source(layout));
  for ([[maybe_unused]] auto _ : state) {
    CSimpleIniA ini;
    if (ini.LoadFile(path.c_str()) < 0) state.SkipWithError("SimpleIni failed");
    benchmark::DoNotOptimize(ini.GetSectionSize(SectionName(0).c_str()));
  }
  Setup(state, layout);
}

// ---- load, change 100 keys, write back

void VukaRewrite(benchmark::State& state, Layout layout) {
  const std::string path = TheFiles().Make(std::string("vrw-") + Tag(layout), Source(layout));
  const auto keys = ChangedKeys(layout);
  long run = 0;
  for ([[maybe_unused]] auto _ : state) {
    TIniDocument doc(path, false);
    const std::string value = "changed " + std::to_string(run++ % 10);
    for (const auto& [section, key] : keys) doc.WriteString(section, key, value);
    doc.UpdateFile();
  }
  Setup(state, layout);
}

void SimpleIniRewrite(benchmark::State& state, Layout layout) {
  const std::string path = TheFiles().Make(std::string("srw-") + Tag(layout), Source(layout));
  const auto keys = ChangedKeys(layout);
  long run = 0;
  for ([[maybe_unused]] auto _ : state) {
    CSimpleIniA ini;
    if (ini.LoadFile(path.c_str()) < 0) state.SkipWithError("SimpleIni load failed");
    const std::string value = "changed " + std::to_string(run++ % 10);
    for (const auto& [section, key] : keys)
      ini.SetValue(section.c_str(), key.c_str(), value.c_str());
    if (ini.SaveFile(path.c_str()) < 0) state.SkipWithError("SimpleIni save failed");
  }
  Setup(state, layout);
}

// ---- the file system's share of a rewrite: the same bytes written the two
// ways the engine can, without parsing. In place: reserve, write, cut, data
// sync. Replaced: a new file written, synced, renamed over, folder synced.

void FloorInPlace(benchmark::State& state, Layout layout) {
  const std::string path = TheFiles().Make(std::string("fin-") + Tag(layout), Source(layout));
  const std::string& text = Source(layout);
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  for ([[maybe_unused]] auto _ : state) {
    const auto size = static_cast<off_t>(text.size());
    if (::fallocate(fd, 0, 0, size) != 0 || ::pwrite(fd, text.data(), text.size(), 0) != size ||
        ::ftruncate(fd, size) != 0 || ::fdatasync(fd) != 0)
      state.SkipWithError("in-place write failed");
  }
  ::close(fd);
  Setup(state, layout);
}

void FloorReplace(benchmark::State& state, Layout layout) {
  const std::string path = TheFiles().Make(std::string("frp-") + Tag(layout), Source(layout));
  const std::string folder = path.substr(0, path.rfind('/'));
  const std::string temporary = path + ".new";
  const std::string& text = Source(layout);
  for ([[maybe_unused]] auto _ : state) {
    const int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || dir < 0 ||
        ::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()) ||
        ::fsync(fd) != 0 || ::rename(temporary.c_str(), path.c_str()) != 0 || ::fsync(dir) != 0)
      state.SkipWithError("replacing write failed");
    ::close(fd);
    ::close(dir);
  }
  Setup(state, layout);
}

// ---- one section of n keys: look up every key; save every key

std::string KeysText(int keys) {
  std::string text = "[Variables]\r\n";
  for (int k = 0; k < keys; ++k) text += KeyName(k) + "=value " + std::to_string(k) + "\r\n";
  return text + "\r\n";
}

std::string KeysFile(const char* owner, int keys) {
  return TheFiles().Make(std::string(owner) + "-" + std::to_string(keys), KeysText(keys));
}

void Fsync(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

void VukaLookupAll(benchmark::State& state) {
  const int keys = static_cast<int>(state.range(0));
  const std::string path = KeysFile("vlook", keys);
  for ([[maybe_unused]] auto _ : state) {
    TIniDocument doc(path, true);
    size_t total = 0;
    for (int k = 0; k < keys; ++k) total += doc.ReadString("Variables", KeyName(k), "").size();
    benchmark::DoNotOptimize(total);
  }
}

void SimpleIniLookupAll(benchmark::State& state) {
  const int keys = static_cast<int>(state.range(0));
  const std::string path = KeysFile("slook", keys);
  for ([[maybe_unused]] auto _ : state) {
    CSimpleIniA ini;
    if (ini.LoadFile(path.c_str()) < 0) state.SkipWithError("SimpleIni failed");
    size_t total = 0;
    for (int k = 0; k < keys; ++k)
      total += std::string(ini.GetValue("Variables", KeyName(k).c_str(), "")).size();
    benchmark::DoNotOptimize(total);
  }
}

void VukaSave(benchmark::State& state) {
  const int keys = static_cast<int>(state.range(0));
  const std::string path = KeysFile("vsave", keys);
  long run = 0;
  for ([[maybe_unused]] auto _ : state) {
    TIniDocument doc(path, false);
    const std::string value = "changed " + std::to_string(run++ % 10);
    for (int k = 0; k < keys; ++k) doc.WriteString("Variables", KeyName(k), value);
    doc.UpdateFile();
  }
}

void SimpleIniSave(benchmark::State& state) {
  const int keys = static_cast<int>(state.range(0));
  const std::string path = KeysFile("ssave", keys);
  long run = 0;
  for ([[maybe_unused]] auto _ : state) {
    CSimpleIniA ini;
    if (ini.LoadFile(path.c_str()) < 0) state.SkipWithError("SimpleIni load failed");
    const std::string value = "changed " + std::to_string(run++ % 10);
    for (int k = 0; k < keys; ++k) ini.SetValue("Variables", KeyName(k).c_str(), value.c_str());
    if (ini.SaveFile(path.c_str()) < 0) state.SkipWithError("SimpleIni save failed");
    Fsync(path);
  }
}

void KeyCounts(benchmark::internal::Benchmark* b) {
  for (const int keys : {1000, 2000, 5000, 10000, 20000, 50000}) b->Arg(keys);
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(VukaLoad, multi, Multi)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(InihParse, multi, Multi)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SimpleIniLoad, multi, Multi)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(VukaRewrite, multi, Multi)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SimpleIniRewrite, multi, Multi)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(VukaLoad, single, Single)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(InihParse, single, Single)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SimpleIniLoad, single, Single)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(VukaRewrite, single, Single)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SimpleIniRewrite, single, Single)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FloorInPlace, multi, Multi)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FloorReplace, multi, Multi)->Unit(benchmark::kMillisecond);
BENCHMARK(VukaLookupAll)->Apply(KeyCounts);
BENCHMARK(SimpleIniLookupAll)->Apply(KeyCounts);
BENCHMARK(VukaSave)->Apply(KeyCounts);
BENCHMARK(SimpleIniSave)->Apply(KeyCounts);

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
    PrintRatios();
    for (const char* family : {"VukaLookupAll", "SimpleIniLookupAll", "VukaSave", "SimpleIniSave"})
      PrintSlope(family);
  }

 private:
  void PrintRatio(const std::string& name, const std::string& peer) const {
    const auto found = Times_.find(peer);
    if (found == Times_.end()) return;
    std::printf("  %-28s %6.2f x %s\n", name.c_str(), Times_.at(name) / found->second,
                peer.c_str());
  }
  void PrintRatios() const {
    std::printf("\nThe engine's time against its peers' in this run:\n");
    for (const auto& [name, time] : Times_) {
      if (name.rfind("Vuka", 0) != 0) continue;
      const std::string rest = name.substr(4);
      PrintRatio(name, "SimpleIni" + rest);
      if (rest.rfind("Load", 0) == 0) PrintRatio(name, "InihParse" + rest.substr(4));
    }
  }
  void PrintSlope(const std::string& family) const {
    std::printf("  log-log slope of %-18s %.3f (real time), %.3f (CPU time)\n", family.c_str(),
                LogLogSlope(Times_, family, 1000, 50000),
                LogLogSlope(CpuTimes_, family, 1000, 50000));
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
