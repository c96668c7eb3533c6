#include "ui/main/DemoSwitch.h"

bool hasDemoSwitch(const QStringList& arguments)
{
    static const QStringList kSwitches = {QStringLiteral("cs"), QStringLiteral("--cs"), QStringLiteral("/cs")};
    for (const QString& argument : arguments) {
        if (kSwitches.contains(argument, Qt::CaseSensitive))
            return true;
    }
    return false;
}
