#include "ui/theme/InterfaceFont.h"

#include <QFont>
#include <QFontDatabase>

namespace {

const QString kInterfaceFamily = QStringLiteral("Microsoft YaHei");

struct Role {
    const char* families[4]; // in order of preference; unused places are null
};

const Role kRoles[] = {
    {{"Microsoft YaHei", "Liberation Sans"}},
    {{"Microsoft YaHei", "SimSun", "Noto Sans CJK SC", "WenQuanYi Micro Hei"}},
    {{"Segoe UI Emoji", "Segoe UI Symbol", "Noto Color Emoji"}},
};

QString firstAvailable(const Role& role, const std::function<bool(const QString&)>& isUsable)
{
    for (const char* family : role.families) {
        if (family && isUsable(QString::fromLatin1(family)))
            return QString::fromLatin1(family);
    }
    return {};
}

} // namespace

QStringList interfaceFontSubstitutes(const std::function<bool(const QString&)>& isUsable)
{
    QStringList substitutes;
    for (const Role& role : kRoles) {
        const QString family = firstAvailable(role, isUsable);
        if (!family.isEmpty() && family != kInterfaceFamily && !substitutes.contains(family))
            substitutes.append(family);
    }
    return substitutes;
}

void substituteInterfaceFont()
{
    QFont::removeSubstitutions(kInterfaceFamily);
    const QFontDatabase database;
    const QStringList substitutes =
        interfaceFontSubstitutes([&database](const QString& family) {
            return database.hasFamily(family) && database.isSmoothlyScalable(family);
        });
    if (!substitutes.isEmpty())
        QFont::insertSubstitutions(kInterfaceFamily, substitutes);
}
