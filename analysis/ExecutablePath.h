#pragma once

#include <QString>

#include <functional>

// The program a start-up command line starts: the text between a leading pair of double quotes; otherwise
// the first blank-separated word that names an .exe, .lnk, .bat or .cmd (any case), or else the first word.
// Empty for a blank command. Linear in the length of the command, whatever it holds.
QString executableOf(const QString& command);

// As Windows starts an unquoted command: the shortest prefix that ends at a blank or at the end and names
// an existing file (`isFile`), with ".exe" appended where the prefix's file name has no extension, so that
// "C:\Program Files\Vendor\app.exe /s" starts "C:\Program Files\Vendor\app.exe". Only prefixes of at most
// kMaxProgramChars characters are tried; without an existing one, the rules above.
QString executableOf(const QString& command, const std::function<bool(const QString&)>& isFile);

constexpr int kMaxProgramChars = 520;
