#pragma once

#include <QColor>
#include <QString>

// The feedback pages' look per theme: one row of colours and sizes per theme, filled into one sheet.
namespace feedbackstyle {

// The page's sheet for a theme; an unknown index gives the light theme's.
QString sheetFor(int themeIndex);

// The colour of the primary buttons' glow (its alpha is the starting one; the pulse changes it).
QColor glowFor(int themeIndex);

} // namespace feedbackstyle
