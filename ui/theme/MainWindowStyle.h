#pragma once

#include "ui/theme/ThemePalette.h"

#include <QString>

namespace theme {

// The main window's own style sheet and the six sheets its buttons get one by one, built from a palette.
// The window sheet scopes its label rules to the window's own bars and home content, so that pages and
// dialogs living inside the window with the same object names ("titleLabel", "tipLabel", "titleBar")
// keep their own look.
struct MainWindowSheets {
    QString window;
    QString start;
    QString modeActive;
    QString modeIdle;
    QString tool;
    QString small;
    QString close;
};

MainWindowSheets mainWindowSheets(const ThemePalette& palette);

} // namespace theme
