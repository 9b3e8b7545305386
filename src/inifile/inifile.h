// The INI file engine: line-oriented file access on open descriptors, an
// ordered string list, and an in-memory INI document that normalises what it
// loads and, when it is flushed, rewrites in its file only the lines it changed.
//
// All texts are 8-bit bytes (Windows-1251 for Russian texts), taken over
// without any conversion. Comparisons that ignore letter case fold ASCII and
// the Windows-1251 Cyrillic letters; every other byte compares as it is.
#pragma once

#include "inifile/inidocument.h"
#include "inifile/inierror.h"
#include "inifile/iniscan.h"
#include "inifile/lettercase.h"
#include "inifile/sectionlist.h"
#include "inifile/stringlist.h"
#include "inifile/utf16text.h"
