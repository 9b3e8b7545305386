// SaveProject into an existing file. Input: a flag byte (bit 0: the file
// exists, bit 1: the main title is hidden, bit 2: list entries follow), a
// two-byte length and that many bytes of file content, with bit 2 a count byte
// and that many list entries (a byte choosing the list, whether the entry is
// for an unknown code, ticked, and its place in the order; then its code text),
// then up to eight variables (name and value texts).
// Properties: a refused save leaves the file as it was; after a save the setup
// program reads every key of the project as the project means it (each list as
// the codes of its ticked entries in their order), and every other key of the
// original file as it read before.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "byte_reader.h"
#include "model/model.h"
#include "reading_checks.h"

namespace {

// A scratch folder for the saved file, removed with the file at exit. The path
// lives in the same static object as the cleanup, so it cannot be destroyed first.
class TScratchFolder {
 public:
  TScratchFolder() {
    Path_ = "/tmp/fuzz_save.XXXXXX";
    if (const char* tmp = std::getenv("TMPDIR")) Path_ = std::string(tmp) + "/fuzz_save.XXXXXX";
    if (mkdtemp(Path_.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
  }
  ~TScratchFolder() {
    std::remove((Path_ + "/vuka.ini").c_str());
    rmdir(Path_.c_str());
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  const std::string& Path() const { return Path_; }

 private:
  std::string Path_;
};

const std::string& Folder() {
  static const TScratchFolder folder;
  return folder.Path();
}

std::string ReadFile(const std::string& path, bool& exists) {
  std::ifstream in(path, std::ios::binary);
  exists = static_cast<bool>(in);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Entries for the three lists, ticked in an order of the input's choice; the last
// catalogue entry of the post-installation list is the final dialog.
void AddListEntries(ByteReader& in, TProject& project) {
  TCheckList* const lists[] = {&project.Langs, &project.Pred, &project.Post};
  for (int n = in.Byte() % 16; n > 0; --n) {
    const uint8_t choice = in.Byte();
    TCheckList& list = *lists[(choice & 3) % 3];
    const std::string code = in.Text(12);
    if ((choice & 8) != 0 || list.KnownCount() < list.Count()) {
      list.AppendUnknown(code);
    } else {
      list.Append("entry " + std::to_string(list.Count()), code);
    }
    if ((choice & 4) != 0) list.Place(list.Count() - 1, choice >> 4);
  }
  project.Post.SetFinal(project.Post.KnownCount() - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(std::string_view(reinterpret_cast<const char*>(data), size));
  const uint8_t flags = in.Byte();
  const std::string_view content = in.Take(in.Word());
  TProject project;
  if ((flags & 4) != 0) AddListEntries(in, project);
  if ((flags & 2) != 0) project.MainTitleCaption.clear();
  project.Variables.clear();
  for (int n = 0; n < 8 && !in.AtEnd(); ++n) {
    std::string name = in.Text(16);
    project.Variables.push_back(TVariableRow{std::move(name), in.Text(24)});
  }

  const std::string path = Folder() + "/vuka.ini";
  std::remove(path.c_str());
  const bool existed = (flags & 1) != 0;
  if (existed) WriteFile(path, content);
  const std::string original = existed ? std::string(content) : std::string();
  try {
    SaveProject(project, path, Folder() + "/missing-catalogue.ini");
  } catch (const std::exception& e) {
    if (std::getenv("FUZZ_VERBOSE") != nullptr) std::fprintf(stderr, "refused: %s\n", e.what());
    bool exists = false;
    const std::string after = ReadFile(path, exists);
    if (exists != existed || after != original) {
      FailOnProblems({"after: " + profile::Escape(after)}, "a refused save changed the file",
                     content);
    }
    return 0;
  }
  bool exists = false;
  const profile::ProfileFile saved = profile::ProfileFile::Parse(ReadFile(path, exists));
  const std::vector<MeantKey> meant = MeantKeys(project);
  FailOnProblems(CheckMeantKeys(meant, saved), "the setup reads a saved key unlike the project",
                 content);
  const profile::ProfileFile before = profile::ProfileFile::Parse(original);
  if (before.Approximate() || saved.Approximate()) return 0;
  FailOnProblems(CheckOtherKeysKept(before, saved, meant),
                 "a key that the editor does not own reads differently after Save", content);
  return 0;
}
