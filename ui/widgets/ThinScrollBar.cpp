#include "ui/widgets/ThinScrollBar.h"

QString thinScrollBarSheet()
{
    return QStringLiteral("QScrollBar:vertical { width:6px; background:transparent; margin:0; }"
                          "QScrollBar::handle:vertical { background:rgba(128,128,128,0.45); border-radius:3px; "
                          "min-height:20px; }"
                          "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height:0; }"
                          "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background:transparent; }");
}
