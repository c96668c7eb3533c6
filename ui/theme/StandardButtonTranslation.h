#pragma once

#include <QString>

// Loads Qt's own Chinese translation of its standard texts ("OK", "Cancel", "Yes", "No" and the like) into
// the running application, so that a standard button the program did not name itself still reads Chinese.
// The program's folder is looked in first ("translations" beside the executable), then Qt's translation
// folder; without the file nothing changes. Returns whether a translation was installed.
bool installStandardButtonTranslation(const QString& appDir);
