// File names between Qt and the engine, which takes the system's bytes on
// POSIX systems and UTF-8 on Windows (where the local 8-bit code page cannot
// hold every name).
#pragma once

#include <QString>
#include <string>

// The name as the engine opens it.
std::string ToFileName(const QString& path);
// The name the engine was given, back as Qt's text.
QString FromFileName(const std::string& path);
