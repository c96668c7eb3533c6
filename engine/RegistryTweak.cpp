#include "engine/RegistryTweak.h"

#include "engine/StageCore.h"

bool RegistryTweak::appliesTo(const StageCore& core) const
{
    switch (condition) {
    case TweakCondition::Windows10OrLater:
        return core.isWindows10OrLater();
    case TweakCondition::NotWindows7:
        return !core.isWindows7();
    case TweakCondition::Always:
        break;
    }
    return true;
}

void RegistryTweak::apply(StageCore& core) const
{
    if (text)
        core.setRegistryString(hive, QString::fromLatin1(key), QString::fromLatin1(valueName),
                               QString::fromLatin1(text));
    else
        core.setRegistryDword(hive, QString::fromLatin1(key), QString::fromLatin1(valueName), dword);
}
