// Saving on Windows: a killed save leaves the old or the new text; the file
// keeps its attributes, its other names and its place for programs that hold
// it open; names may be Cyrillic and longer than MAX_PATH.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "filecalls.h"
#include "inifile/fileaccess_p.h"
#include "inifile/inifile.h"
#include "inifile/platform/win32/text.h"
#include "testfiles.h"

namespace {

const HANDLE NoHandle = HandleOf(InvalidFileHandle);

constexpr char ChildVariable[] = "VUKA_SAVE_LOOP_FILE";

std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                                        static_cast<int>(utf8.size()), wide.data(),
                                                        static_cast<int>(wide.size()))));
  return wide;
}

std::string BigText(char fill, size_t bytes) {
  return "[S]\r\nhead=1\r\nbig=" + std::string(bytes, fill) + "\r\ntail=2\r\n\r\n";
}

// Starts this test program so that it runs only the saving loop below on file.
HANDLE StartSavingChild(const std::string& file) {
  wchar_t program[MAX_PATH];
  ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(program) +
                         L"\" --gtest_also_run_disabled_tests"
                         L" --gtest_filter=RewriteCrashWindows.DISABLED_SavingLoop";
  ::SetEnvironmentVariableA(ChildVariable, file.c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const BOOL started = ::CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process);
  ::SetEnvironmentVariableA(ChildVariable, nullptr);
  if (!started) return nullptr;
  ::CloseHandle(process.hThread);
  return process.hProcess;
}

// The names in a folder, however long its name (FolderEntries is limited to MAX_PATH).
std::vector<std::string> LongFolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const HANDLE search = ::FindFirstFileW(WideFileName(folder + "/*").c_str(), &found);
  if (search == NoHandle) return names;
  do {
    const std::string name = Utf8Text(found.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

bool WaitFor(const std::string& file, std::chrono::seconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (::GetFileAttributesW(Wide(file).c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Slows every write down, so that many kills land in the middle of one.
void SlowWrites() { ::Sleep(1); }

// Saves two texts in turn until killed; "<file>.started" tells that it saves.
TEST(RewriteCrashWindows, DISABLED_SavingLoop) {
  const char* file = std::getenv(ChildVariable);
  if (file == nullptr) GTEST_SKIP() << "started by the tests that kill saves";
  SetRewriteHook(SlowWrites);
  TIniDocument doc(file, false);
  for (long i = 0;; ++i) {
    doc.WriteString("S", "big", std::string(i % 2 == 0 ? 900000 : 1 << 20, i % 2 ? 'a' : 'b'));
    doc.UpdateFile();
    if (i == 0) WriteBytes(std::string(file) + ".started", "");
  }
}

bool RefusesAnotherWriter(const std::string& path) {
  try {
    TIniDocument second(path, false);
  } catch (const EInOutError&) {
    return true;
  }
  return false;
}

// Starts a saving child on path and kills it `delay` after its first save.
// False when the child never saved.
bool KillASave(const std::string& path, std::chrono::milliseconds delay) {
  const std::string started = path + ".started";
  ::DeleteFileW(Wide(started).c_str());
  const HANDLE child = StartSavingChild(path);
  if (child == nullptr) return false;
  const bool saving = WaitFor(started, std::chrono::seconds(30));
  std::this_thread::sleep_for(delay);
  ::TerminateProcess(child, 9);
  ::WaitForSingleObject(child, INFINITE);
  ::CloseHandle(child);
  return saving;
}

TEST(RewriteCrashWindows, KilledSavesLeaveTheOldOrTheNewText) {
  TTempDir dir;
  const std::string path = dir / "vuka.ini";
  const std::string oldText = BigText('a', 1 << 20), newText = BigText('b', 900000);
  WriteBytes(path, oldText);
  const std::string prefix = SavingPrefix("vuka.ini");
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delay(0, 80);  // milliseconds
  int sawNew = 0;
  for (int trial = 0; trial < 12; ++trial) {
    ASSERT_TRUE(KillASave(path, std::chrono::milliseconds(delay(random))))
        << "the saving child never saved";
    const std::string text = ReadBytes(path);
    ASSERT_TRUE(text == oldText || text == newText)
        << "trial " << trial << ": a torn file of " << text.size() << " bytes";
    sawNew += text == newText;
    int leftOver = 0;
    for (const std::string& name : FolderEntries(dir.Path())) {
      if (name == "vuka.ini" || name == "vuka.ini.started") continue;
      ASSERT_EQ(name.rfind(prefix, 0), 0u) << "trial " << trial << ": unexpected file " << name;
      ++leftOver;
      ::DeleteFileW(Wide(dir / name).c_str());
    }
    ASSERT_LE(leftOver, 1) << "trial " << trial;
  }
  EXPECT_GT(sawNew, 0) << "no save ever completed: the test proves nothing";
}

// Kills 12 saves of newText over path at random moments, each followed by an open;
// counts the saves that left the new text in sawNew and returns how many left a file
// that is neither text (restoring the old text for the next trial). A child that never
// saved, or an open that raised, is a failure of the test.
int TornKilledSaves(const std::string& path, const std::string& oldText, const std::string& newText,
                    int& sawNew) {
  std::mt19937 random(4242);
  std::uniform_int_distribution<int> delay(0, 80);  // milliseconds
  int torn = 0;
  for (int trial = 0; trial < 12; ++trial) {
    if (!KillASave(path, std::chrono::milliseconds(delay(random))))
      ADD_FAILURE() << "trial " << trial << ": the saving child never saved";
    try {
      TIniDocument next(path, true);
    } catch (const std::exception& error) {
      ADD_FAILURE() << "trial " << trial << ": the next open raised " << error.what();
    }
    const std::string text = ReadBytes(path);
    sawNew += text == newText;
    if (text != oldText && text != newText) {
      ++torn;
      WriteBytes(path, oldText);  // the next trial starts from a whole file again
    }
  }
  return torn;
}

// Points the user's state folder (LOCALAPPDATA) at a folder while it lives, for this
// process and the children it starts.
class TStateFolder {
 public:
  explicit TStateFolder(const std::string& folder) {
    const char* const saved = std::getenv("LOCALAPPDATA");
    Saved_ = saved != nullptr ? saved : "";
    EXPECT_TRUE(::SetEnvironmentVariableW(L"LOCALAPPDATA", Wide(folder).c_str()));
  }
  ~TStateFolder() {
    ::SetEnvironmentVariableA("LOCALAPPDATA", Saved_.empty() ? nullptr : Saved_.c_str());
  }
  TStateFolder(const TStateFolder&) = delete;
  TStateFolder& operator=(const TStateFolder&) = delete;

 private:
  std::string Saved_;
};

// A file with two names is rewritten in place; a save killed at random moments leaves the
// old or the new text once the next open has finished it from its recovery copy.
TEST(RewriteCrashWindows, KilledInPlaceSavesAreFinishedByTheNextOpen) {
  TTempDir dir;
  const std::string path = dir / "vuka.ini", other = dir / "other.ini";
  const std::string oldText = BigText('a', 1 << 20), newText = BigText('b', 900000);
  WriteBytes(path, oldText);
  ASSERT_TRUE(::CreateHardLinkW(Wide(other).c_str(), Wide(path).c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryW(Wide(dir / "state").c_str(), nullptr));
  const TStateFolder state(dir / "state");
  int sawNew = 0;
  const int torn = TornKilledSaves(path, oldText, newText, sawNew);
  EXPECT_EQ(torn, 0) << "torn files in 12 kills";
  EXPECT_GT(sawNew, 0) << "no save ever completed: the test proves nothing";
  EXPECT_EQ(FolderEntries(dir / "state/vuka-manager"), std::vector<std::string>{});
  EXPECT_EQ(ReadBytes(other), ReadBytes(path));
}

TEST(RewriteCrashWindows, CyrillicNamesAndTheTargetsAttributesSurvive) {
  TTempDir dir;
  const std::string folder = dir / "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0";  // "Папка"
  const std::string path = folder + "/\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB.ini";    // "Файл.ini"
  {
    TIniDocument doc(path, false);  // the folder does not exist yet
    doc.WriteString("S", "k", "1");
    doc.UpdateFile();
  }
  const std::wstring name = Wide(path);
  ASSERT_TRUE(::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  {
    TIniDocument doc(path, false);
    EXPECT_EQ(doc.ReadString("S", "k", ""), "1");
    doc.WriteString("S", "k", "2");
    doc.UpdateFile();
    EXPECT_TRUE(RefusesAnotherWriter(path));  // still held
  }
  TIniDocument again(path, true);
  EXPECT_EQ(again.ReadString("S", "k", ""), "2");
  EXPECT_EQ(::GetFileAttributesW(name.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(FolderEntries(folder),
            std::vector<std::string>{"\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB.ini"});
}

TEST(RewriteCrashWindows, NamesLongerThanMaxPathAreMadeSavedAndRead) {
  TTempDir dir;
  std::string path = dir.Path();
  while (path.size() < 400) path += "/" + std::string(40, 'd');
  path += "/vuka.ini";
  {
    TIniDocument doc(path, false);
    doc.WriteString("S", "k", "1");
    doc.UpdateFile();
    doc.WriteString("S", "k", "2");  // the second save replaces the file
    doc.UpdateFile();
  }
  TIniDocument again(path, true);
  EXPECT_EQ(again.ReadString("S", "k", ""), "2");
  EXPECT_EQ(LongFolderEntries(DirectoryPart(path)), std::vector<std::string>{"vuka.ini"});
}

TEST(RewriteCrashWindows, AFileWithTwoNamesIsRewrittenInPlace) {
  TTempDir dir;
  const std::string path = dir / "vuka.ini", other = dir / "other.ini";
  WriteBytes(path, "[S]\r\nk=1\r\n");
  ASSERT_TRUE(::CreateHardLinkW(Wide(other).c_str(), Wide(path).c_str(), nullptr));
  {
    TIniDocument doc(path, false);
    doc.WriteString("S", "k", "2");
    doc.UpdateFile();
  }
  EXPECT_EQ(ReadBytes(other), "[S]\r\nk=2\r\n");
}

// The new text is flushed before MoveFileExW puts it in the target's place (the
// rename writes its folder through); in place, the recovery copy is flushed
// before the file is written, and the file before the copy goes.
TEST(RewriteCrashWindows, ASaveFlushesEachTextBeforeTheStepThatReliesOnIt) {
  TTempDir dir;
  ASSERT_TRUE(::CreateDirectoryW(Wide(dir / "state").c_str(), nullptr));
  const TStateFolder state(dir / "state");
  for (const bool linked : {false, true}) {
    const std::string path = dir / (linked ? "linked.ini" : "renamed.ini");
    WriteBytes(path, "[S]\r\nk=old\r\n");
    if (linked) {
      ASSERT_TRUE(::CreateHardLinkW(Wide(dir / "other.ini").c_str(), Wide(path).c_str(), nullptr));
    }
    TIniDocument doc(path, false);
    doc.WriteString("S", "k", "new");
    const TFileCalls calls;
    doc.UpdateFile();
    const std::vector<std::string> expected =
        linked ? std::vector<std::string>{"sync", "sync", "remove"}
               : std::vector<std::string>{"sync", "rename"};
    EXPECT_EQ(TFileCalls::Calls(), expected) << (linked ? "in place" : "renamed");
    EXPECT_EQ(ReadBytes(path), "[S]\r\nk=new\r\n");
  }
}

TEST(RewriteCrashWindows, AProgramHoldingTheFileOpenDoesNotStopTheSave) {
  TTempDir dir;
  const std::string path = dir / "vuka.ini";
  WriteBytes(path, "[S]\r\nk=1\r\n");
  TIniDocument doc(path, false);
  // A scanner that reads the file without letting it be deleted or renamed.
  const HANDLE scanner =
      ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(scanner, NoHandle);
  doc.WriteString("S", "k", "2");
  EXPECT_NO_THROW(doc.UpdateFile());
  ::CloseHandle(scanner);
  EXPECT_EQ(ReadBytes(path), "[S]\r\nk=2\r\n");
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"vuka.ini"});
  EXPECT_TRUE(RefusesAnotherWriter(path));  // the document still holds it
}

}  // namespace
