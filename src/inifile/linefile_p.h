// Line file access on open file handles: opening with access, sharing and
// creation rules, line reading and writing, and questions about names.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>

#include "inifile/filehandle.h"

// File access goes through this header and fileaccess_p.h only; each platform
// implements it in platform/<platform>/linefile.cpp (POSIX systems: posix,
// Windows: win32), CMake choosing the folder. File names are UTF-8 on Windows,
// the system's bytes elsewhere.

// What an opener may do with the file; flags combine with |.
enum class FileAccess : uint32_t { Read = 0x80000000u, Write = 0x40000000u };
// What others may do with the file while it is open; flags combine with |.
enum class FileShare : uint32_t { None = 0, Read = 0x1u, Write = 0x2u };
// What an open does when the file exists, and when it does not.
enum class FileCreation : uint32_t {
  CreateNew = 1,
  CreateAlways = 2,
  OpenExisting = 3,
  OpenAlways = 4,
  TruncateExisting = 5
};
// The attributes of a file that an open creates (used on Windows only).
enum class FileAttributes : uint32_t { None = 0, Normal = 0x80u };
// The values are those of the Windows API, which takes them as they are.

template <class Flags>
concept FileFlags = std::same_as<Flags, FileAccess> || std::same_as<Flags, FileShare>;
template <FileFlags Flags>
constexpr Flags operator|(Flags a, Flags b) {
  return static_cast<Flags>(static_cast<uint32_t>(a) | static_cast<uint32_t>(b));
}
// True when the flags hold the flag.
template <FileFlags Flags>
constexpr bool Holds(Flags flags, Flags flag) {
  return (static_cast<uint32_t>(flags) & static_cast<uint32_t>(flag)) != 0;
}

// Opens with the given access, sharing, creation rule and attributes, without
// waiting for the other end of a FIFO. An
// opener with write access takes an exclusive lock without waiting, so a
// second writer fails, also in the same process; a reader that does not
// share writing takes a shared lock; other readers take none. A lock is
// kept only on the file that the name still leads to once it is held (a
// writer may have renamed a new file over the one just opened): otherwise
// the open is tried again, and fails with EAGAIN after a hundred tries. On
// failure returns InvalidFileHandle with errno set (on Windows: the errno that
// the same failure gives on POSIX systems).
FileHandle OpenFileHandle(const std::string& fileName, FileAccess access, FileShare shareMode,
                          FileCreation creation, FileAttributes attributes);
void CloseFileHandle(FileHandle& handle);
bool IsOpenHandle(FileHandle handle);
uint32_t CurrentFilePosition(FileHandle handle);
bool AtEndOfFile(FileHandle handle);
// The next line: a CR ends it, and so does a LF, except that a LF directly
// after a CR is dropped. Reads 100-byte chunks and leaves the file pointer on
// the byte after the line end.
std::string ReadLine(FileHandle handle);
// Writes the text and CR LF in one request; the outcome is not checked.
void WriteLine(FileHandle handle, const std::string& text);
bool IsDirectory(const std::string& path);
// Creates the directory and its missing ancestors; failures are silent.
void EnsureDirectory(const std::string& path);
// True when a file that is not a directory has this name.
bool IsExistingFile(const std::string& fileName);
// True, with the file's size in bytes, when the open handle is a regular file
// (on Windows: a file on a disk); false for a FIFO, a device, a directory, or
// when its kind cannot be told. Loading refuses every other kind of file: one
// could block for ever or never end.
bool RegularFileSize(FileHandle handle, std::uint64_t& size);
// True when both names lead to one existing file (through links, too).
bool IsSameFile(const std::string& first, const std::string& second);
// The leading part of the name up to and including its last directory
// separator ("/", on Windows also "\"); empty for a bare name.
std::string DirectoryPart(const std::string& fileName);
