// Whole-file reading and the two ways the INI document writes its file back.
// Implemented for each platform in platform/<platform>/fileaccess.cpp and
// filereplace.cpp (posix, win32); errors are errno values on both.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "inifile/filecontent_p.h"
#include "inifile/linefile_p.h"

// What tells files apart (device and inode on POSIX systems, volume and file
// index on Windows) and the file's size.
struct TFileFacts {
  uint64_t Device = 0;
  uint64_t Index = 0;
  uint64_t Size = 0;
};
// The facts of an open file, or of the file that a name leads to (its links
// followed). 0 or the errno of the failure.
int FileFactsOf(FileHandle handle, TFileFacts& facts);
int NamedFileFacts(const std::string& fileName, TFileFacts& facts);

// The folder for the user's state, ending in a separator:
// "$XDG_STATE_HOME/vuka-manager/" (else "$HOME/.local/state/vuka-manager/"),
// on Windows "%LOCALAPPDATA%\vuka-manager\". Empty when the environment
// names none. The folder need not exist.
std::string StateFolder();

// Removes the file; 0 or the errno of the failure.
int RemoveFile(const std::string& fileName);

// Syncs the folder that holds fileName, so that an entry made or removed in
// it survives a power failure. 0 or the errno (on Windows always 0: NTFS
// journals its folders).
int SyncFolderOf(const std::string& fileName);

// Test seam: hook runs in OpenFileHandle between opening a file by name and
// locking it (on Windows: checking that the name still leads to it), null
// for none, so that a test can slow a writer down there.
void SetOpenLockHook(void (*hook)());

// Test seam: hook runs in RewriteFile after each piece of 64 KiB that it
// writes (null for none), so that a test can make a write last long enough
// to be killed in the middle.
void SetRewriteHook(void (*hook)());

// Test seam: hook runs just before each system call that orders a save on
// the disk (null for none), named "sync" (a file's data), "sync folder",
// "rename" (a file over the target) or "remove", so that a test can check
// their order.
void SetFileCallHook(void (*hook)(const char* call));
// Tells the hook of SetFileCallHook, if any, of such a call.
void NoteFileCall(const char* call);

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

// Replaces the file's whole content by the content through the open file.
// The new length is reserved first; if that fails the file is left as it
// was. Then the content is written from offset 0, the file cut to its length
// and synced. 0 or the errno of the failure.
int RewriteFile(FileHandle handle, const TFileContent& content);
inline int RewriteFile(FileHandle handle, std::string_view data) {
  return RewriteFile(handle, TTextContent(data));
}

// Prefix of the temporary file in which the new content of <folder>/<name>
// is written: "<folder>/.<name>.saving-" followed by six letters or digits.
// A killed save may leave one such file behind; it is never the target and
// the next successful save of the same target removes it.
std::string SavingPrefix(const std::string& name);

// Replaces the content of fileName by the data so that a crash at any moment
// leaves either the old or the new content: the data goes to a temporary
// file in the target's folder, which is synced, given the target's
// permission bits (and owner when running as root), renamed over the target,
// and the folder is synced. On Windows the temporary file gets the target's
// attributes and creation time and is renamed over it by MoveFileExW with
// write-through, the lock being let go just for the rename; a target that
// another program holds open (and lets be written) is rewritten in place. A
// symbolic link is followed to the file it names.
// A target with several hard links, or in a folder where no file can be
// created, is rewritten in place through the open file instead, by
// RewriteInPlaceSafely (inplace_p.h): a killed save is finished by the next open.
//
// handle is the document's file: zero when it holds none, else the open,
// write-locked target. With zero, a target that exists now appeared after
// the document found none: it is not written over (EEXIST). On Windows a
// held file that the name no longer leads to (another writer replaced it
// while its save let go of it) is not written either (EAGAIN). On success it is the
// file now holding data, open for reading and writing and write-locked. When
// the target cannot be obtained at all (another writer holds it, its folder
// cannot be made or entered) handle becomes InvalidFileHandle. A failure
// leaves no temporary file and no new empty file behind.
// 0 or the errno of the failure.
// The content is produced once for each pass over it and never held whole.
int ReplaceFileContent(const std::string& fileName, FileHandle& handle,
                       const TFileContent& content);
inline int ReplaceFileContent(const std::string& fileName, FileHandle& handle,
                              std::string_view data) {
  return ReplaceFileContent(fileName, handle, TTextContent(data));
}
