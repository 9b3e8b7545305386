// Rewriting a file in place so that a killed save can be completed: used where
// a file cannot be replaced by a rename (it has several names, or its folder
// takes no new file). Built on the file access of fileaccess_p.h, alike on every
// platform.
//
// Before the file is touched, its complete new text goes to a recovery copy
// "rewrite-<device>-<index>" in the user's state folder (see StateFolder),
// named by the file's identity so that every name of the file finds it; when
// that folder cannot be used, ".<name>.rewrite-<device>-<index>" beside the
// file. The copy holds a header (identity, old and new size, a check sum of
// the text) and is synced before the file is written; the file is synced
// before the copy is removed. So a kill at any moment leaves the old text,
// the new text, or a complete copy from which the next open finishes the
// write (a copy that is not complete means the file was not touched yet).
#pragma once

#include <string>
#include <string_view>

#include "inifile/filecontent_p.h"
#include "inifile/linefile_p.h"

// Replaces the whole content of the open, write-locked file fileName by the
// content in place, through a recovery copy as above. When no recovery copy can be
// written the file is left as it was and that error returned; a failure of
// the write itself removes the copy and is returned (the file may then hold
// part of the new text). 0 or the errno of the failure.
int RewriteInPlaceSafely(const std::string& fileName, FileHandle handle,
                         const TFileContent& content);
inline int RewriteInPlaceSafely(const std::string& fileName, FileHandle handle,
                                std::string_view data) {
  return RewriteInPlaceSafely(fileName, handle, TTextContent(data));
}

// Completes an in-place rewrite of fileName that was killed, if a recovery
// copy for it is found, and removes the copy: a complete copy is written
// into the file when the file's size shows that it is the file the copy was
// made for (its old, new or reserved size); any other copy is only removed.
// Does nothing when the file cannot be held for writing because another
// writer holds it or this user may not write it. 0 or the errno of the
// failure.
int CompleteInterruptedRewrite(const std::string& fileName);
