#pragma once

#include "platform/Platform.h"

#include <QString>
#include <QStringList>

// The settings the program changes through console tools, as data: how a tool run that changes one is
// recognised, how its present state is read, which states are plausible, and the run that puts a state back.
// States are short words: "on", "off", "absent" (the element is not set), a number, a scheme's GUID, a level.
struct ToolSetting {
    const char* id;
    const char* label; // UTF-8; "%1" stands for the target where there is one
    // Whether running `tool` (its bare lower-case name) with `arguments` changes this setting; `target` then
    // names what it changes (an event log, a boot entry).
    bool (*changes)(const QString& tool, const QStringList& arguments, QString& target);
    // The present state; empty when it cannot be read.
    QString (*read)(platform::Platform& machine, const QString& target);
    // Whether a target and state are ones this setting can have.
    bool (*plausible)(const QString& target, const QString& state);
    // The tool (first) and arguments that give the setting `state` back.
    QStringList (*restore)(const QString& target, const QString& state);

    QString describe(const QString& target) const;

    static const ToolSetting* named(const QString& id);
    static const ToolSetting* begin();
    static const ToolSetting* end();
};
