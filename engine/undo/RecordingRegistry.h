#pragma once

#include "engine/RegistryValueCopy.h"
#include "platform/Registry.h"

#include <QJsonObject>

#include <functional>

class ChangeRecordWriter;

// The registry as a run sees it while its changes are recorded: every value written or deleted through a key
// opened for writing, and every key created, first has its prior state appended to the run's record. Reading
// is untouched.
class RecordingRegistry : public platform::Registry
{
public:
    RecordingRegistry(platform::Registry& inner, ChangeRecordWriter& record);

    platform::Status openKey(platform::Hive hive, const std::wstring& subKey, platform::RegAccess access,
                             platform::RegView view, std::unique_ptr<platform::RegistryKey>& key) override;
    platform::Status createKey(platform::Hive hive, const std::wstring& subKey, platform::RegAccess access,
                               platform::RegView view, std::unique_ptr<platform::RegistryKey>& key) override;
    platform::Status deleteKey(platform::Hive hive, const std::wstring& subKey, platform::RegView view) override;

private:
    void recordCreatedLevels(platform::Hive hive, const std::wstring& subKey, platform::RegView view);

    platform::Registry& inner_;
    ChangeRecordWriter& record_;
};

// A key opened for writing whose value changes are recorded. `where` holds the members that say which key it
// is; `readPrior` reads a value's current state (false when it cannot be told, and then nothing is recorded).
class RecordingKey : public platform::RegistryKey, public RegistryValueCopy::MoveRecordingKey
{
public:
    using PriorReader = std::function<bool(const std::wstring& name, std::optional<platform::RegValue>& prior)>;

    RecordingKey(std::unique_ptr<platform::RegistryKey> inner, QJsonObject where, PriorReader readPrior,
                 ChangeRecordWriter& record);

    platform::Status enumKey(std::uint32_t index, std::wstring& name, std::uint32_t maxNameChars) const override;
    platform::Status enumValue(std::uint32_t index, std::wstring& name, platform::RegValue& value,
                               std::uint32_t maxNameChars, std::uint32_t maxDataBytes,
                               std::uint32_t* requiredBytes) const override;
    platform::Status queryValue(const std::wstring& name, platform::RegValue& value, std::uint32_t maxDataBytes,
                                std::uint32_t* requiredBytes) const override;
    platform::Status setValue(const std::wstring& name, const platform::RegValue& value) override;
    platform::Status deleteValue(const std::wstring& name) override;
    platform::Status valueCount(std::uint32_t& count) const override;
    platform::Status subKeyCount(std::uint32_t& count) const override;

    // Deletes the original of a value just copied to `copyName` of `copy`; the two are recorded as one move
    // when `copy` is recorded too, else as a deletion.
    platform::Status deleteMoved(const std::wstring& name, const platform::RegistryKey& copy,
                                 const std::wstring& copyName) override;

    // Reads a value whole through `key`: true with the value, or with nothing when it does not exist.
    static bool readState(const platform::RegistryKey& key, const std::wstring& name,
                          std::optional<platform::RegValue>& state);

private:
    void recordPrior(const std::wstring& name, QJsonObject change);

    std::unique_ptr<platform::RegistryKey> inner_;
    QJsonObject where_;
    PriorReader readPrior_;
    ChangeRecordWriter& record_;
};
