// Whole-file reading and the two ways the INI document writes its file back.
// Implemented for POSIX systems (posixfile.cpp, filereplace.cpp) and for
// Windows (win32file.cpp, win32replace.cpp); errors are errno values on both.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "inifile/inifile.h"

// Test seam: hook runs in OpenFileHandle between opening a file by name and
// locking it (on Windows: checking that the name still leads to it), null
// for none, so that a test can slow a writer down there.
void SetOpenLockHook(void (*hook)());

// Up to count bytes from the current position on (fewer at the end of the
// file, none on a failure); the position is left where it was.
std::string PeekFile(FileHandle handle, size_t count);

// Reads from the current position to the end; 0 or the errno of the failure.
int ReadRestOfFile(FileHandle handle, std::string& data);

// Reads from the current position to the end in pieces of whole lines, so
// that a large file is never held whole: each piece ends just after a CR or
// LF, the last one at the end of the file. The pieces, in order, are the
// file's bytes; each lives only while take runs. 0 or the errno of the
// failure (pieces before it were taken).
int ReadLinePieces(FileHandle handle, const std::function<void(std::string_view)>& take);

// Replaces the file's whole content by data through the open file. The new
// length is reserved first; if that fails the file is left as it was. Then
// the data is written from offset 0, the file cut to its length and synced.
// 0 or the errno of the failure.
int RewriteFile(FileHandle handle, std::string_view data);

// Prefix of the temporary file in which the new content of <folder>/<name>
// is written: "<folder>/.<name>.saving-" followed by six letters or digits.
// A killed save may leave one such file behind; it is never the target and
// the next successful save of the same target removes it.
std::string SavingPrefix(const std::string& name);

// Replaces the content of fileName by data so that a crash at any moment
// leaves either the old or the new content: the data goes to a temporary
// file in the target's folder, which is synced, given the target's
// permission bits (and owner when running as root), renamed over the target,
// and the folder is synced. On Windows the temporary file gets the target's
// attributes and creation time and is renamed over it by MoveFileExW with
// write-through, the lock being let go just for the rename; a target that
// another program holds open (and lets be written) is rewritten in place. A
// symbolic link is followed to the file it names.
// A target with several hard links, or in a folder where no file can be
// created, is rewritten in place through the open file instead.
//
// handle is the document's file: zero when it holds none, else the open,
// write-locked target. With zero, a target that exists now appeared after
// the document found none: it is not written over (EEXIST). On Windows a
// held file that the name no longer leads to (another writer replaced it
// while its save let go of it) is not written either (EAGAIN). On success it is the
// file now holding data, open for reading and writing and write-locked. When
// the target cannot be obtained at all (another writer holds it, its folder
// cannot be made or entered) handle becomes INVALID_HANDLE_VALUE. A failure
// leaves no temporary file and no new empty file behind.
// 0 or the errno of the failure.
int ReplaceFile(const std::string& fileName, FileHandle& handle, std::string_view data);
