#pragma once

#include <QString>

// The paths a release manifest may name. The updater writes each one below the program folder, so a path
// must stay inside it, must name a file Windows can hold under exactly that name, and must keep out of the
// folders that hold the user's own data.
namespace releasepath
{

constexpr int kMaxLength = 240;

// True for a relative path of 1 to kMaxLength characters whose segments are separated by single '/'
// and where no segment is empty, ends in a dot or a space (so neither "." nor ".." passes), holds a
// control character or one of <>:"|?*\ (so no drive, colon or backslash form passes), or is a device
// name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension), and whose first segment is
// none of the names of the stick's own folders "config", "logs", "changes" and "tools", in any case.
bool isAllowed(const QString& path);

} // namespace releasepath
