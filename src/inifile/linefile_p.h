// Line file access on open file handles: opening with access, sharing and
// creation rules, line reading and writing, and questions about names.
#pragma once

#include <cstdint>
#include <string>

#include "inifile/filehandle.h"

// File access goes through this header and fileaccess_p.h only; each platform
// implements it in files of its own (linefile.cpp, posixfile.cpp and
// filereplace.cpp on POSIX systems, the win32*.cpp files on Windows). File
// names are UTF-8 on Windows, the system's bytes elsewhere.

inline constexpr uint32_t GENERIC_READ = 0x80000000u;
inline constexpr uint32_t GENERIC_WRITE = 0x40000000u;
inline constexpr uint32_t FILE_SHARE_READ = 0x00000001u;
inline constexpr uint32_t FILE_SHARE_WRITE = 0x00000002u;
inline constexpr uint32_t CREATE_NEW = 1;
inline constexpr uint32_t CREATE_ALWAYS = 2;
inline constexpr uint32_t OPEN_EXISTING = 3;
inline constexpr uint32_t OPEN_ALWAYS = 4;
inline constexpr uint32_t TRUNCATE_EXISTING = 5;
inline constexpr uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x00000010u;
inline constexpr uint32_t FILE_ATTRIBUTE_NORMAL = 0x00000080u;

// Opens with the given access, sharing, creation rule and attributes, without
// waiting for the other end of a FIFO. An
// opener with write access takes an exclusive lock without waiting, so a
// second writer fails, also in the same process; a reader that does not
// share writing takes a shared lock; other readers take none. A lock is
// kept only on the file that the name still leads to once it is held (a
// writer may have renamed a new file over the one just opened): otherwise
// the open is tried again, and fails with EAGAIN after a hundred tries. On
// failure returns INVALID_HANDLE_VALUE with errno set (on Windows: the errno that
// the same failure gives on POSIX systems).
FileHandle OpenFileHandle(const std::string& fileName, uint32_t access, uint32_t shareMode,
                          uint32_t creation, uint32_t attributes);
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
