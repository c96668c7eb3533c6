#include "engine/undo/RecordingDevices.h"

#include "engine/undo/ChangeJson.h"
#include "engine/undo/RecordingRegistry.h"
#include "text/PlatformText.h"

using namespace platform;

RecordingDevices::RecordingDevices(Devices& inner, ChangeRecordWriter& record) : inner_(inner), record_(record) {}

Status RecordingDevices::openAdapterDriverKey(const std::wstring& adapterName, std::unique_ptr<RegistryKey>& key)
{
    const Status status = inner_.openAdapterDriverKey(adapterName, key);
    if (!succeeded(status))
        return status;
    const RegistryKey& reader = *key;
    auto readPrior = [&reader](const std::wstring& name, std::optional<RegValue>& prior) {
        return RecordingKey::readState(reader, name, prior);
    };
    const QJsonObject where{{QStringLiteral("kind"), QLatin1String(ChangeJson::kAdapterValue)},
                            {QStringLiteral("adapter"), toQString(adapterName)}};
    key = std::make_unique<RecordingKey>(std::move(key), where, readPrior, record_);
    return status;
}

Status RecordingDevices::adapters(std::vector<NetworkAdapter>& adapters)
{
    return inner_.adapters(adapters);
}

Status RecordingDevices::presentNetworkDevices(std::vector<std::wstring>& netCfgInstanceIds)
{
    return inner_.presentNetworkDevices(netCfgInstanceIds);
}

Status RecordingDevices::presentDevicesOfClass(const std::wstring& classGuid, std::vector<std::wstring>& instanceIds)
{
    return inner_.presentDevicesOfClass(classGuid, instanceIds);
}

Status RecordingDevices::printers(std::vector<PrinterInfo>& printers)
{
    return inner_.printers(printers);
}

Status RecordingDevices::seekPenalty(const std::wstring& drive, bool& incursSeekPenalty)
{
    return inner_.seekPenalty(drive, incursSeekPenalty);
}

Status RecordingDevices::trimEnabled(const std::wstring& drive, bool& enabled)
{
    return inner_.trimEnabled(drive, enabled);
}

Status RecordingDevices::rotationRate(const std::wstring& drive, std::uint16_t& rate)
{
    return inner_.rotationRate(drive, rate);
}
