#pragma once

#include "analysis/MachineQuery.h"

#include <QVector>

// The programs listed under the uninstall keys, in key order and in sub-key order: HKLM, HKLM
// WOW6432Node and HKCU, which the analysis reads, and, for every uninstall key there is, HKCU WOW6432Node
// too. A program listed under two keys appears twice, as Windows lists it twice.
class InstalledPrograms {
public:
    enum class Keys { Analysed, All };

    struct Program {
        // As stored, not expanded; empty when missing or not a string.
        QString displayName;
        QString installLocation;
        QString uninstallString;
        QString displayIcon;
    };

    explicit InstalledPrograms(const MachineQuery& machine, Keys keys = Keys::Analysed);

    QVector<Program> programs() const;

    // The display names, trimmed, without the empty ones; duplicates kept.
    QStringList displayNames() const;

private:
    const MachineQuery& machine_;
    const Keys keys_;
};
