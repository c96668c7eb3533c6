#pragma once

#include "platform/Registry.h"

#include <string>

// Moves a registry value without losing it: the value is read whole with its type, written under the new
// name (or key), read back, and only when the copy equals the original is the original deleted.
namespace RegistryValueCopy {

// Reads `name` whatever its size. False when it is missing or unreadable.
bool readWhole(const platform::RegistryKey& key, const std::wstring& name, platform::RegValue& value);

// A key that records its changes (a run's, so that they can be undone): the deletion that ends a move is
// recorded as the move itself, with the copy it made.
class MoveRecordingKey {
public:
    virtual ~MoveRecordingKey() = default;
    virtual platform::Status deleteMoved(const std::wstring& name, const platform::RegistryKey& copy,
                                         const std::wstring& copyName) = 0;
};

// True when the value now lives only under `to` in `toKey`.
bool move(platform::RegistryKey& fromKey, const std::wstring& from, platform::RegistryKey& toKey,
          const std::wstring& to);

} // namespace RegistryValueCopy
