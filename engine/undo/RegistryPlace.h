#pragma once

#include "platform/Registry.h"

#include <QJsonObject>
#include <QString>

#include <optional>

// Where a registry value lives, as a change record names it: the members hive, view, key and value of a line.
struct RegistryPlace {
    platform::Hive hive = platform::Hive::LocalMachine;
    platform::RegView view = platform::RegView::Native64;
    QString key;
    QString name;

    // Empty when a member is missing or is not a name the registry itself would accept.
    static std::optional<RegistryPlace> fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    // "注册表 HKCU\Software\…\Run [name]", the beginning of a result line.
    QString label() const;

    bool operator==(const RegistryPlace& other) const;

    // A value name may be as long as the registry allows; the keys the program writes to are far shorter than
    // this path limit.
    static constexpr int kLongestName = 16383;
    static constexpr int kLongestKey = 1024;
};
