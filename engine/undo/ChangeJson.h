#pragma once

#include "platform/Registry.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>

// The words a change record is written in: the kinds of change, registry hives and views, and registry
// values as type and bytes, so that a value comes back exactly as it was.
namespace ChangeJson
{

constexpr char kRegistryValue[] = "registry";  // a value of a key: {hive, view, key, value, prior}
constexpr char kRegistryKey[] = "registryKey"; // a key the run created: {hive, view, key}
// A value moved elsewhere, its copy read back equal before the original went: {hive, view, key, value, prior,
// to: {hive, view, key, value}}. The copy's own line comes before it.
constexpr char kMovedValue[] = "moved";
constexpr char kAdapterValue[] = "adapter";          // a value of an adapter's driver key: {adapter, value, prior}
constexpr char kServiceStart[] = "serviceStart";     // {service, prior: start type}
constexpr char kServiceStopped[] = "serviceStopped"; // a running service the run stopped: {service}
constexpr char kTaskEnabled[] = "task";              // {path, prior: enabled}
constexpr char kSetting[] = "setting";               // a console tool's setting: {setting, target, prior}

QString hiveName(platform::Hive hive);
std::optional<platform::Hive> hiveNamed(const QString& name);
QString viewName(platform::RegView view);
std::optional<platform::RegView> viewNamed(const QString& name);

// {"type": n, "data": "hex"} for a value, null for one that did not exist.
QJsonValue valueToJson(const std::optional<platform::RegValue>& value);
// False when `json` is neither null nor a well-formed value of at most `maxBytes` bytes.
bool valueFromJson(const QJsonValue& json, std::optional<platform::RegValue>& value, int maxBytes);

} // namespace ChangeJson
