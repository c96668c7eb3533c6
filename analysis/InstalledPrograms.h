#pragma once

#include "analysis/MachineQuery.h"

#include <QVector>

// The programs listed under the three uninstall keys (HKLM, HKLM WOW6432Node, HKCU), in that order and in
// sub-key order. A program listed under both HKLM keys appears twice, as Windows lists it twice.
class InstalledPrograms {
public:
    struct Program {
        QString displayName;     // as stored, empty when missing or not a string
        QString installLocation; // as stored, not expanded
    };

    explicit InstalledPrograms(const MachineQuery& machine);

    QVector<Program> programs() const;

    // The display names, trimmed, without the empty ones; duplicates kept.
    QStringList displayNames() const;

private:
    const MachineQuery& machine_;
};
