#pragma once

#include <QString>
#include <QStringList>

// The two signs of a second Windows on the machine, read from text so they can be tested on their own.
namespace DualBootSigns {

// A folder at the root of the system drive that holds a Windows installation: its lower-case name contains
// "windows" or "winnt". The leftovers of a feature upgrade ("Windows.old", "Windows10Upgrade") and
// "$"-named setup folders ("$WINDOWS.~BT") are not installations.
bool isInstallationFolder(const QString& name);

// The loader blocks of "bcdedit /enum osloader": each block is a heading underlined with a line of dashes.
// The headings and field names are translated on non-English Windows, so only the layout is read.
int loaderBlocks(const QStringList& lines);

} // namespace DualBootSigns
