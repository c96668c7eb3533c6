#include "ui/theme/InterfaceFont.h"

#include <QFont>

void substituteInterfaceFont()
{
    QFont::insertSubstitutions(QStringLiteral("Microsoft YaHei"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans CJK SC"),
                                QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Color Emoji")});
}
