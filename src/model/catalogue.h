// The component catalogue that fills the project's three lists: where it is,
// whether it can serve, "New" and "Каталог…".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// ResetProject and ChangeCatalogue raise the engine's EInOutError.
#include "inifile/inierror.h"
#include "model/project.h"
#include "model/projectfile.h"

// "New": resets every item that "New" owns and fills the three lists from the
// catalogue (each entry with its code, the value of the first catalogue line of its
// name; the last post-installation entry is the final one), ticking and selecting "Русский". Leaves
// DialogPosition and DialogTitleCaption alone, forgets the project's Origin and remembers
// cataloguePath as the project's Catalogue. A missing catalogue
// leaves the lists empty; one that exists but cannot be opened raises the
// engine's open error, one that is no regular file or too large the error of
// RefuseUnusableCatalogue, before any of it is read.
void ResetProject(TProject& project, const std::string& cataloguePath);

// "Каталог…": reloads the three lists from the catalogue at cataloguePath and makes
// it the project's Catalogue, as if the file that Save would write now were opened
// with it: the held code of every ticked entry ticks the entry of that code in the
// same order, a code that the new catalogue lacks becomes a ticked unknown entry,
// and the final dialog's tick goes to the new final dialog. Only the new catalogue is read.
// Returns what could not be kept as it was (UTF-8 texts as OpenProject returns);
// everything else in the project stays. Raises when the new catalogue is not a
// readable file (CatalogueProblem) or cannot be opened, and then
// the project is unchanged.
std::vector<std::string> ChangeCatalogue(TProject& project, const std::string& cataloguePath);

// The catalogue beside the running executable: its directory plus "version.ini".
std::string CataloguePath();

// The catalogue for opening fileName: the file "version.ini" in the file's own
// folder when one exists there (the name matched ignoring ASCII letter case when
// no file is spelled exactly so), else current.
std::string ChooseCatalogue(const std::string& fileName, const std::string& current);

// The largest catalogue that is read: the limit of a configuration file, so that one
// rule bounds every file the program reads. Larger ones are refused unread.
inline constexpr std::uintmax_t MaxCatalogueBytes = MaxConfigurationBytes;

// Why the catalogue at path cannot serve (UTF-8: missing, no regular file (a FIFO, a
// device or a folder, also through a link), more than MaxCatalogueBytes, or not
// readable); empty when it can be read. Never waits on a FIFO.
std::string CatalogueProblem(const std::string& path);

// Raises EInOutError with CatalogueProblem's text when the catalogue exists but is no
// regular file or is too large; a missing or unreadable one passes (loading it gives
// empty lists or the open error). Every catalogue is checked so before it is read.
void RefuseUnusableCatalogue(const std::string& path);
