// The engine's handle of an open file.
#pragma once

#include <cstdint>

// Zero: no file open. InvalidFileHandle: a failed open. Otherwise the
// descriptor plus one (a descriptor may be 0), or on Windows the HANDLE.
using FileHandle = std::intptr_t;
inline constexpr FileHandle InvalidFileHandle = -1;
