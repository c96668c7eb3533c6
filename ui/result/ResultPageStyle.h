#pragma once

#include <QString>

// The result page's style sheets per theme (0 dark, 1 warm, 2 light). The page sheet of an unknown index is
// empty; the storage card falls back to the light look.
namespace ResultPageStyle {

QString pageSheet(int themeIndex);
QString storageCardSheet(int themeIndex);

} // namespace ResultPageStyle
