#pragma once

#include "engine/undo/RegistryPlace.h"
#include "platform/Registry.h"

#include <QString>

#include <optional>

// What the program itself changes, and so all that undoing may write: the values of its constant tables, the
// approvals of the start-up places, the values it moved, the services and tasks of its tables. A change
// record is data from a stick anyone can write; a line naming anything else is not acted on. Start-up
// commands (the Run keys, the policy Run keys and the program's backup of them) are only ever moved, so they
// come back only as moves.
namespace ChangeScope
{

// The most bytes a value of the place may hold when put back, 0 when the program never writes the place or
// never with a value of that type. `type` is empty for a value that is to be deleted; any non-zero answer then
// allows it.
int registryValueLimit(platform::Hive hive, const QString& key, const QString& name,
                       const std::optional<platform::RegType>& type);
// Whether moving `original` to `copy` is one of the program's own moves: a policy Run value to the backup key
// under the same name, or an older version's "NAME.optimizer_bak" run value back to NAME in the same key.
bool isProgramMove(const RegistryPlace& original, const RegistryPlace& copy);
// An adapter driver key's value.
int adapterValueLimit(const QString& adapter, const QString& name, const std::optional<platform::RegType>& type);
// Whether an empty key may be removed: one the program writes values to, or a key on the way to one.
bool allowsKeyRemoval(platform::Hive hive, const QString& key);
// Services whose start type the program changes.
bool allowsService(const QString& service);
// Services the program stops: those, and the ones the clean-up pauses.
bool allowsRestart(const QString& service);
bool allowsStartType(std::uint32_t startType);
bool allowsTask(const QString& path);

} // namespace ChangeScope
