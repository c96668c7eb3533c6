#pragma once

#include "platform/Platform.h"

#include <QString>

// Counts the install folders that uninstall entries still name but that are gone from the disk, each judged
// in its canonical form (CanonicalPath), so a padded or quoted value of a present folder is no leftover.
// Entries whose folder lies below C:\Windows or C:\ProgramData, or whose path still holds an unexpanded
// variable, never count; an entry present in two uninstall roots counts twice.
class UninstallResidueCounter {
public:
    explicit UninstallResidueCounter(platform::Platform& machine);
    int run();

    static constexpr std::uint32_t kMaxKeyNameChars = 1024;
    static constexpr std::uint32_t kMaxValueBytes = 8192;

private:
    int countIn(platform::Hive hive, const QString& root);
    // InstallLocation, else InstallDir, when it is a string; empty otherwise.
    QString installPath(const platform::RegistryKey& entry) const;
    bool isLeftover(const QString& installPath) const;
    bool isMissing(const QString& path) const;

    platform::Platform& machine_;
};
