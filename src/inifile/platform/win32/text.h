// What the engine's Windows files share: <windows.h>, UTF-16 file names and
// errno values.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

#include "inifile/linefile_p.h"

// The Windows handle of an open FileHandle, and back. The engine's handle type
// is an integer wide enough for a pointer, so the cast is the conversion itself.
inline HANDLE HandleOf(FileHandle handle) {
  return reinterpret_cast<HANDLE>(handle);  // NOLINT(performance-no-int-to-ptr)
}
inline FileHandle FileHandleOf(HANDLE handle) { return reinterpret_cast<FileHandle>(handle); }

// The UTF-16 form of a UTF-8 file name for the W functions. An absolute name
// too long for the plain form gets the "\\?\" prefix (with "/" turned into
// "\" and "." and ".." resolved), which lifts the limit of MAX_PATH
// characters. A name that is not valid UTF-8 gives an empty name, which no
// function finds.
std::wstring WideFileName(const std::string& utf8);
// True when the file has the read-only attribute. Windows refuses to write
// such a file to everybody, but Wine lets its root user do it: the engine
// asks first, so that it behaves alike everywhere.
bool IsReadOnlyFile(const std::wstring& name);
// The UTF-8 form of a UTF-16 text.
std::string Utf8Text(const std::wstring& wide);
// True when name (its links followed) leads to the file that file is open on:
// same volume and file index. Also true when the open file gives no index.
bool NameLeadsTo(const std::wstring& name, HANDLE file);
// The errno value that the POSIX build reports for the same failure, so that
// messages read alike: a sharing violation is EAGAIN, as a refused lock is.
int ErrnoOf(DWORD windowsError);
// ErrnoOf(GetLastError()).
int LastErrno();

// FlushFileBuffers, told to the hook of SetFileCallHook (fileaccess_p.h) as "sync".
BOOL FlushNoted(HANDLE file);
