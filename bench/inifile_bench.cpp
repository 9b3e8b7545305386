// The engine against two INI libraries on a generated 1 MiB file (200
// sections, 20,000 keys, CR LF, some comments) and on one section of 20,000
// keys: loading alone, and loading, changing 100 keys and writing back.
// Files go to $VUKA_BENCH_DIR, else the temporary directory.
#include <benchmark/benchmark.h>
#include <ini.h>
#include <stdlib.h>

#include <SimpleIni.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "inifile/inifile.h"

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

}  // namespace

BENCHMARK_MAIN();
