#pragma once

#include <QString>

// The program a start-up command line starts: the text between a leading pair of double quotes; otherwise
// the first blank-separated word that names an .exe, .lnk, .bat or .cmd (any case), or else the first word.
// Empty for a blank command. Linear in the length of the command, whatever it holds.
QString executableOf(const QString& command);
