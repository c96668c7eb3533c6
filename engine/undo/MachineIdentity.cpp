#include "engine/undo/MachineIdentity.h"

#include "text/PlatformText.h"

#include <QRegularExpression>

namespace MachineIdentity
{

QString read(platform::Platform& machine)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9{}-]{1,64}$"));
    std::unique_ptr<platform::RegistryKey> key;
    platform::RegValue value;
    if (!platform::succeeded(machine.registry.openKey(platform::Hive::LocalMachine,
                                                      L"SOFTWARE\\Microsoft\\Cryptography", platform::RegAccess::Read,
                                                      platform::RegView::Native64, key)) ||
        !platform::succeeded(key->queryValue(L"MachineGuid", value, 512)))
        return {};
    const QString id = toQString(value.asString()).trimmed().toLower();
    return plain.match(id).hasMatch() ? id : QString();
}

QString missingReason()
{
    return QStringLiteral("无法读取这台电脑的标识（MachineGuid），无法确认更改记录是在这台电脑上生成的，"
                          "因此不能撤销；优化时也不会记录更改");
}

} // namespace MachineIdentity
